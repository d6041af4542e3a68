// SpringBoard's editing mode with the tweak: the per-icon trigger chosen by
// "activationmethodsingle" and the page button placed by "activationmethodmulti".

#include "ScenarioFixture.h"

#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"

using namespace scenario;

namespace {

constexpr long kIconButtonTag = 121345;
constexpr long kPageButtonTag = 212543;

class EditMode : public ScenarioTest {
protected:
    int recognizersOf(UIView* view, const char* className)
    {
        int count = 0;
        for (auto& r : view->gestureRecognizers())
            count += objc::isKindOfClass(r.ptr(), className);
        return count;
    }
    std::vector<UIView*> tagged(long tag)
    {
        return findViews(dev().window(), [tag](UIView* v) { return v->tag() == tag; });
    }
    SBFolderController* rootFolder() { return icons()->rootFolderController(); }
    void leaveEditing()
    {
        dev().pressHome();
        settle();
    }
};

} // namespace

TEST_F(EditMode, DefaultsGiveAppIconsATapAndNothingElse)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    SBIconView* mail = iconView("com.apple.mobilemail");
    SBIconView* folder = folderView();
    ASSERT_TRUE(mail && folder);
    int mailTapsBefore = recognizersOf(mail, "UITapGestureRecognizer");
    int folderTapsBefore = recognizersOf(folder, "UITapGestureRecognizer");

    dev().touch().longPress(iconCentre(mail), 1.0);
    settle();
    ASSERT_TRUE(icons()->isEditing());
    // One tap recognizer more on every app icon, aimed at the action sheet.
    for (auto& view : icons()->visibleIconViews()) {
        if (view->folderIconImageView())
            continue;
        auto& recognizers = view->gestureRecognizers();
        ASSERT_FALSE(recognizers.empty()) << view->icon()->identifier();
        auto* tap = dynamic_cast<UITapGestureRecognizer*>(recognizers.back().ptr());
        ASSERT_NE(tap, nullptr) << view->icon()->identifier();
        EXPECT_EQ(tap->numberOfTapsRequired(), 1u);
    }
    EXPECT_EQ(recognizersOf(mail, "UITapGestureRecognizer"), mailTapsBefore + 1);
    EXPECT_EQ(recognizersOf(folder, "UITapGestureRecognizer"), folderTapsBefore);
    EXPECT_EQ(recognizersOf(folder, "UISwipeGestureRecognizer"), 0);
    EXPECT_TRUE(tagged(kIconButtonTag).empty());
    EXPECT_TRUE(tagged(kPageButtonTag).empty());

    leaveEditing();
    ASSERT_FALSE(icons()->isEditing());
    EXPECT_EQ(recognizersOf(mail, "UITapGestureRecognizer"), mailTapsBefore);
}

TEST_F(EditMode, SwipeTriggersFollowTheSetting)
{
    pref("firstrun", false);
    pref("activationmethodsingle", 3LL);
    boot("iphone8-ios12");
    SBIconView* mail = iconView("com.apple.mobilemail");
    enterEditing();
    auto* swipe = dynamic_cast<UISwipeGestureRecognizer*>(mail->gestureRecognizers().back().ptr());
    ASSERT_NE(swipe, nullptr);
    EXPECT_EQ(static_cast<long>(swipe->direction()), 8);
    // With the key present and not 0, folders get one too.
    EXPECT_EQ(recognizersOf(folderView(), "UISwipeGestureRecognizer"), 1);
    leaveEditing();
    EXPECT_EQ(recognizersOf(mail, "UISwipeGestureRecognizer"), 0);
    EXPECT_EQ(recognizersOf(folderView(), "UISwipeGestureRecognizer"), 0);
}

TEST_F(EditMode, PlusButtonsGrowInAndShrinkAway)
{
    pref("firstrun", false);
    pref("activationmethodsingle", 1LL);
    boot("iphone8-ios12");
    enterEditing();
    auto buttons = tagged(kIconButtonTag);
    // Every icon, folders included, carries one.
    EXPECT_EQ(buttons.size(), icons()->visibleIconViews().size());
    SBIconView* mail = iconView("com.apple.mobilemail");
    // Held, since the button is checked again after editing has removed it.
    objc::Ref<UIButton> plus;
    for (auto& sub : mail->subviews())
        if (sub->tag() == kIconButtonTag)
            plus = dynamic_cast<UIButton*>(sub.ptr());
    ASSERT_NE(plus, nullptr);
    double w = mail->frame().size.width;
    EXPECT_EQ(plus->frame().size, CGSizeMake(30, 30));
    EXPECT_EQ(plus->center(), CGPointMake(w - 30 + 15, w - 30 + 15));
    EXPECT_EQ(plus->titleForState(UIControlStateNormal), "+");
    settle(400);
    EXPECT_TRUE(CGAffineTransformIsIdentity(plus->transform()));
    auto screen = shot("editing");
    // The button's purple shows at its spot on the screen.
    CGRect r = plus->convertRectToView(plus->bounds(), nullptr);
    Pixel p = screenPixel(screen, { r.origin.x + 3, CGRectGetMidY(r) });
    EXPECT_GT(p.a, 0);

    leaveEditing();
    dev().advance(400);
    dev().runUntilIdle();
    EXPECT_TRUE(tagged(kIconButtonTag).empty());
    EXPECT_EQ(plus->superview(), nullptr);
}

TEST_F(EditMode, PageButtonSitsAtTheCentreOnce)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    enterEditing();
    auto pages = tagged(kPageButtonTag);
    ASSERT_EQ(pages.size(), 1u);
    auto* button = dynamic_cast<UIButton*>(pages[0]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->superview(), rootFolder()->contentView()->superview());
    settle(400);
    EXPECT_EQ(button->frame(), CGRectMake(162.5, 258.5, 50, 50));

    // Entering editing again adds no second one.
    msgSend(rootFolder(), "setEditing:animated:", true, true);
    settle();
    EXPECT_EQ(tagged(kPageButtonTag).size(), 1u);

    leaveEditing();
    dev().advance(400);
    dev().runUntilIdle();
    EXPECT_TRUE(tagged(kPageButtonTag).empty());
}

TEST_F(EditMode, SmallPhonesPutThePageButtonAtTheBottom)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 3LL);
    boot("iphone5-ios9");
    enterEditing();
    auto pages = tagged(kPageButtonTag);
    ASSERT_EQ(pages.size(), 1u);
    settle(400);
    EXPECT_EQ(pages[0]->frame(), CGRectMake(140, 526, 40, 40));
}

TEST_F(EditMode, DisabledTweakAddsNothing)
{
    pref("firstrun", false);
    pref("enabled", false);
    pref("activationmethodsingle", 1LL);
    pref("activationmethodmulti", 2LL);
    boot("iphone8-ios12");
    int before = recognizersOf(iconView("com.apple.mobilemail"), "UITapGestureRecognizer");
    enterEditing();
    EXPECT_TRUE(tagged(kIconButtonTag).empty());
    EXPECT_TRUE(tagged(kPageButtonTag).empty());
    EXPECT_EQ(recognizersOf(iconView("com.apple.mobilemail"), "UITapGestureRecognizer"), before);
}
