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
    // Recognizers on a view that send the action sheet's message (to the helper class).
    int sheetTriggersOn(UIView* view)
    {
        int count = 0;
        for (auto& r : view->gestureRecognizers())
            count += r->hasTarget(objc::objc_getClass("OvrimoHelper"), objc::sel_registerName("showActionSheet:"));
        return count;
    }
    void leaveEditing()
    {
        dev().pressHome();
        settle();
    }
};

// Two pixels of a screenshot that are the same colour, give or take the edges' smoothing.
bool sameColour(Pixel a, Pixel b)
{
    return std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 && std::abs(a.b - b.b) <= 12 && std::abs(a.a - b.a) <= 12;
}

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
    // Flush with the lower right corner of the icon's picture (on screen: the test below).
    CGRect picture = mail->iconImageView()->frame();
    EXPECT_EQ(plus->frame(), CGRectMake(CGRectGetMaxX(picture) - 30, CGRectGetMaxY(picture) - 30, 30, 30));
    EXPECT_EQ(plus->titleForState(UIControlStateNormal), "+");
    settle(400);
    EXPECT_TRUE(CGAffineTransformIsIdentity(plus->transform()));
    shot("editing");

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

TEST_F(EditMode, PlusButtonSitsInTheLowerRightCornerOfTheIconsPicture)
{
    pref("firstrun", false);
    pref("activationmethodsingle", 1LL);
    customPicture("com.apple.mobilemail", kGreen);
    boot("iphone8-ios12");
    enterEditing();
    settle(400);
    SBIconView* mail = iconView("com.apple.mobilemail");
    ASSERT_NE(mail, nullptr);
    auto screen = shot("editing-plus");
    // The picture on screen, and the icon's middle row, where the wiggle moves nothing sideways.
    CGRect picture = mail->iconImageView()->convertRectToView(mail->iconImageView()->bounds(), nullptr);
    CGRect icon = mail->convertRectToView(mail->bounds(), nullptr);
    double midY = CGRectGetMidY(icon), right = CGRectGetMaxX(picture), bottom = CGRectGetMaxY(picture);
    ASSERT_GT(midY, bottom - 30);
    // The button's colour, taken near its lower right corner.
    Pixel purple = screenPixel(screen, { right - 4, bottom - 4 });
    ASSERT_TRUE(purple.b > purple.g + 30 && purple.r > purple.g + 20) << purple.r << "," << purple.g << "," << purple.b;

    // 30 points wide, flush with the picture's right edge ...
    EXPECT_TRUE(sameColour(screenPixel(screen, { right - 1.5, midY }), purple));
    EXPECT_TRUE(sameColour(screenPixel(screen, { right - 28.5, midY }), purple));
    EXPECT_TRUE(isGreen(screenPixel(screen, { right - 31.5, midY })));
    EXPECT_FALSE(sameColour(screenPixel(screen, { right + 1.5, midY }), purple));
    // ... and with its bottom edge (looked at clear of its rounded corners).
    double x = CGRectGetMidX(icon) + 10;
    EXPECT_TRUE(sameColour(screenPixel(screen, { x, bottom - 1.5 }), purple));
    EXPECT_TRUE(sameColour(screenPixel(screen, { x, bottom - 28.5 }), purple));
    EXPECT_TRUE(isGreen(screenPixel(screen, { x, bottom - 31.5 })));
    EXPECT_FALSE(sameColour(screenPixel(screen, { x, bottom + 1.5 }), purple));
}

TEST_F(EditMode, ThePageButtonOutlivesAFolderOpenedAndClosedWhileEditing)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 2LL);
    boot("iphone8-ios12");
    enterEditing();
    settle(400);
    auto pages = tagged(kPageButtonTag);
    ASSERT_EQ(pages.size(), 1u);
    CGRect frame = pages[0]->frame();
    auto before = dev().screenshot();

    dev().touch().tap(iconCentre(folderView()));
    settle(400);
    ASSERT_NE(icons()->openFolderController(), nullptr);
    // A tap beside the folder's panel closes it; editing goes on.
    dev().touch().tap({ 20, 150 });
    settle(400);
    ASSERT_EQ(icons()->openFolderController(), nullptr);
    ASSERT_TRUE(icons()->isEditing());

    pages = tagged(kPageButtonTag);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0]->superview(), rootFolder()->contentView()->superview());
    // The screen shows it where it was (below the status bar's band).
    auto after = dev().screenshot();
    for (double dx : { 4.0, 25.0, 46.0 })
        for (double dy : { 30.0, 46.0 }) {
            CGPoint p { frame.origin.x + dx, frame.origin.y + dy };
            EXPECT_TRUE(sameColour(screenPixel(after, p), screenPixel(before, p))) << p.x << "," << p.y;
        }
}

TEST_F(EditMode, ChangingTheTriggerWhileEditingLeavesNoneBehind)
{
    pref("firstrun", false);
    pref("activationmethodsingle", 1LL);
    boot("iphone8-ios12");
    enterEditing();
    ASSERT_EQ(tagged(kIconButtonTag).size(), icons()->visibleIconViews().size());
    // Buttons in, swipes asked for: the buttons still go, folders' included.
    changePref("activationmethodsingle", 2LL);
    leaveEditing();
    settle(400);
    EXPECT_TRUE(tagged(kIconButtonTag).empty());

    // Swipes in, then buttons asked for: the swipes go.
    enterEditing();
    SBIconView* mail = iconView("com.apple.mobilemail");
    ASSERT_EQ(sheetTriggersOn(mail), 1);
    ASSERT_EQ(sheetTriggersOn(folderView()), 1);
    changePref("activationmethodsingle", 1LL);
    leaveEditing();
    for (auto& view : icons()->visibleIconViews())
        EXPECT_EQ(sheetTriggersOn(view), 0) << view->icon()->identifier();

    // Buttons on folders too, then 0 (folders get nothing): the folders' buttons go as well.
    enterEditing();
    ASSERT_EQ(tagged(kIconButtonTag).size(), icons()->visibleIconViews().size());
    changePref("activationmethodsingle", 0LL);
    leaveEditing();
    settle(400);
    EXPECT_TRUE(tagged(kIconButtonTag).empty());
    // SpringBoard's own recognizers stay.
    EXPECT_GT(recognizersOf(mail, "UILongPressGestureRecognizer"), 0);
}

TEST_F(EditMode, EveryTriggerSendsItsMessageAndItsSenderToTheHelper)
{
    pref("firstrun", false);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    HelperRecorder::install();
    SBIconView* mail = iconView("com.apple.mobilemail");
    CGPoint centre = iconCentre(mail);
    auto lastSender = [] { return HelperRecorder::received.empty() ? nullptr : HelperRecorder::received.back().sender.ptr(); };

    // Absent: a tap on the icon; the sender is the tap recognizer on that icon view.
    enterEditing();
    dev().touch().tap(centre);
    settle();
    ASSERT_EQ(HelperRecorder::count("showActionSheet:"), 1);
    auto* tap = dynamic_cast<UITapGestureRecognizer*>(lastSender());
    ASSERT_NE(tap, nullptr);
    EXPECT_EQ(tap->view(), mail);

    // The page button sends the page sheet's message, with itself.
    UIView* page = tagged(kPageButtonTag).at(0);
    CGRect pageFrame = page->convertRectToView(page->bounds(), nullptr);
    dev().touch().tap({ CGRectGetMidX(pageFrame), CGRectGetMidY(pageFrame) });
    settle();
    ASSERT_EQ(HelperRecorder::count("showSBPageActionSheet:"), 1);
    EXPECT_EQ(lastSender(), page);
    leaveEditing();

    // 2: a swipe up, and only up; 3: a swipe down, and only down.
    for (long long mode : { 2LL, 3LL }) {
        changePref("activationmethodsingle", mode);
        enterEditing();
        HelperRecorder::received.clear();
        CGPoint up { centre.x, centre.y - 50 }, down { centre.x, centre.y + 50 };
        dev().touch().swipe(centre, mode == 2 ? down : up, 0.15);
        settle();
        EXPECT_EQ(HelperRecorder::count("showActionSheet:"), 0) << "the other direction, mode " << mode;
        dev().touch().swipe(centre, mode == 2 ? up : down, 0.15);
        settle();
        ASSERT_EQ(HelperRecorder::count("showActionSheet:"), 1) << "mode " << mode;
        auto* swipe = dynamic_cast<UISwipeGestureRecognizer*>(lastSender());
        ASSERT_NE(swipe, nullptr);
        EXPECT_EQ(swipe->view(), mail);
        // A tap does nothing now.
        dev().touch().tap(centre);
        settle();
        EXPECT_EQ(HelperRecorder::count("showActionSheet:"), 1);
        leaveEditing();
    }

    // 1: the "+" button, whose superview is the icon view.
    changePref("activationmethodsingle", 1LL);
    enterEditing();
    settle(400);
    HelperRecorder::received.clear();
    UIView* plus = mail->viewWithTag(kIconButtonTag).ptr();
    ASSERT_NE(plus, nullptr);
    CGRect plusFrame = plus->convertRectToView(plus->bounds(), nullptr);
    dev().touch().tap({ CGRectGetMidX(plusFrame), CGRectGetMidY(plusFrame) });
    settle();
    ASSERT_EQ(HelperRecorder::count("showActionSheet:"), 1);
    EXPECT_EQ(lastSender(), plus);
    EXPECT_EQ(static_cast<UIView*>(lastSender())->superview(), mail);
}

TEST_F(EditMode, LeavingEditingClosesAnOpenSheetAndTellsTheHelper)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    HelperRecorder::install();
    enterEditing();
    auto sheet = UIAlertController::alertControllerWithTitle("Mail", "", UIAlertControllerStyleActionSheet);
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    dev().window()->rootViewController()->presentViewController(sheet, false);
    settle();
    ASSERT_EQ(alertOnScreen(), sheet.ptr());

    // Editing ends under the open sheet (SpringBoard's own end of editing, not a touch).
    msgSend(icons(), "setIsEditing:", false);
    settle(400);
    EXPECT_EQ(alertOnScreen(), nullptr);
    EXPECT_GE(HelperRecorder::count("cleanupOnDimiss"), 1);
    EXPECT_EQ(sheet->view()->window(), nullptr) << "the sheet's panel is still on screen";

    // Anything else presented there stays.
    HelperRecorder::received.clear();
    enterEditing();
    auto other = UIViewController::create();
    dev().window()->rootViewController()->presentViewController(other, false);
    settle();
    msgSend(icons(), "setIsEditing:", false);
    settle(400);
    EXPECT_EQ(dev().window()->rootViewController()->presentedViewController(), other.ptr());
    EXPECT_EQ(HelperRecorder::count("cleanupOnDimiss"), 0);
}

TEST_F(EditMode, AStoredZeroGivesAppsATapAndFoldersNothing)
{
    pref("firstrun", false);
    pref("activationmethodsingle", 0LL);
    boot("iphone8-ios12");
    enterEditing();
    EXPECT_EQ(sheetTriggersOn(iconView("com.apple.mobilemail")), 1);
    EXPECT_EQ(sheetTriggersOn(folderView()), 0);
    EXPECT_TRUE(tagged(kIconButtonTag).empty());
    leaveEditing();
    EXPECT_EQ(sheetTriggersOn(iconView("com.apple.mobilemail")), 0);
}

TEST_F(EditMode, PageButtonSizeAndPlaceFollowTheScreen)
{
    struct Case {
        const char* profile;
        long long placement;
        CGRect frame;
    };
    // 736 points high: 50 points, raised by 50; 812 (no row of its own) and a pad: 60, not raised.
    const Case cases[] = {
        { "iphone8plus-ios12", 4, CGRectMake(182, 293, 50, 50) },
        { "iphonex-ios13", 4, CGRectMake(157.5, 376, 60, 60) },
        { "iphonex-ios13", 2, CGRectMake(157.5, 2, 60, 60) },
        { "ipadpro-ios13", 3, CGRectMake(482, 1304, 60, 60) },
        { "ipadpro-ios13", 4, CGRectMake(482, 653, 60, 60) },
    };
    pref("firstrun", false);
    for (const Case& c : cases) {
        pref("activationmethodmulti", c.placement);
        boot(c.profile);
        auto before = dev().screenshot();
        enterEditing();
        settle(400);
        auto pages = tagged(kPageButtonTag);
        ASSERT_EQ(pages.size(), 1u) << c.profile;
        EXPECT_EQ(pages[0]->convertRectToView(pages[0]->bounds(), nullptr), c.frame) << c.profile << " " << c.placement;
        // Drawn there: the screen inside its frame is not what it was.
        auto after = dev().screenshot();
        int changed = 0;
        for (double dx : { 3.0, c.frame.size.width / 2, c.frame.size.width - 3 })
            for (double dy : { 3.0, c.frame.size.height / 2, c.frame.size.height - 3 }) {
                CGPoint p { c.frame.origin.x + dx, c.frame.origin.y + dy };
                changed += !sameColour(screenPixel(after, p), screenPixel(before, p));
            }
        EXPECT_GE(changed, 7) << c.profile << " " << c.placement;
    }
}
