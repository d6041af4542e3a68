#include "DeviceFixture.h"

#include "platform/substrate/Substrate.h"
#include "platform/uikit/TouchDriver.h"

using namespace device_tests;
using objc::msgSend;
using objc::objc_getClass;
using objc::Ref;
using objc::SEL;

namespace {

class EditingTest : public DeviceTest { };

// Counts every call of an icon view's _applyEditingStateAnimated: and the root folder
// controller's setEditing:animated:, calling through to SpringBoard's own.
struct EditingSpy {
    static inline std::vector<SBIconView*> views;
    static inline std::vector<bool> folderEditing;
    static inline objc::Imp<void(bool)> previousApply;
    static inline objc::Imp<void(bool, bool)> previousSetEditing;

    static void install()
    {
        views.clear();
        folderEditing.clear();
        MSHookMessageEx(objc_getClass("SBIconView"), "_applyEditingStateAnimated:", [](SBIconView* self, SEL cmd, bool animated) {
            views.push_back(self);
            previousApply(self, cmd, animated);
        }, &previousApply);
        MSHookMessageEx(objc_getClass("SBFolderController"), "setEditing:animated:", [](SBFolderController* self, SEL cmd, bool editing, bool animated) {
            folderEditing.push_back(editing);
            previousSetEditing(self, cmd, editing, animated);
        }, &previousSetEditing);
    }
};

} // namespace

TEST_F(EditingTest, ALongPressEntersEditingAndHomeLeavesIt)
{
    boot("iphone8-ios12");
    EditingSpy::install();
    SBIconView* mail = iconView("com.apple.mobilemail");
    ASSERT_NE(mail, nullptr);
    dev().touch().longPress(centreOnScreen(mail), 1.0);
    dev().runUntilIdle();
    ASSERT_TRUE(icons()->isEditing());
    EXPECT_EQ(dev().foregroundApp(), "");

    auto views = icons()->visibleIconViews();
    EXPECT_EQ(EditingSpy::views.size(), views.size());
    // The wiggle shows a rotation; the views' own geometry stays upright.
    for (auto& v : views) {
        EXPECT_TRUE(msgSend<bool>(v, "isEditing"));
        EXPECT_TRUE(v->layer()->hasAnimations());
        EXPECT_TRUE(CGAffineTransformIsIdentity(v->transform()));
        EXPECT_EQ(v->frame().size, icons()->geometry().iconViewSize());
    }
    EXPECT_NE(mail->closeBox(), nullptr);
    EXPECT_EQ(EditingSpy::folderEditing, (std::vector<bool> { true }));
    // The root folder controller's content view has a superview for the page button.
    auto root = msgSend<Ref<SBFolderController>>(icons(), "rootFolderController");
    EXPECT_NE(msgSend<Ref<UIView>>(root, "contentView")->superview(), nullptr);
    EXPECT_NE(root->doneButton(), nullptr);

    // A tap on an app in editing mode does not launch it.
    dev().touch().tap(centreOnScreen(iconView("com.apple.mobilenotes")));
    EXPECT_EQ(dev().foregroundApp(), "");

    dev().pressHome();
    EXPECT_FALSE(icons()->isEditing());
    EXPECT_EQ(EditingSpy::views.size(), 2 * views.size());
    EXPECT_EQ(EditingSpy::folderEditing, (std::vector<bool> { true, false }));
    for (auto& v : views) {
        EXPECT_FALSE(msgSend<bool>(v, "isEditing"));
        EXPECT_FALSE(v->layer()->hasAnimations());
    }
    EXPECT_EQ(mail->closeBox(), nullptr);
    EXPECT_EQ(root->doneButton(), nullptr);
}

TEST_F(EditingTest, DoneLeavesEditingAndAnOpenFolderEditsToo)
{
    boot("iphone8-ios12");
    EditingSpy::install();
    msgSend(icons(), "setIsEditing:", true);
    SBFolderIcon* folder = nullptr;
    for (auto& icon : icons()->model()->pages()[0])
        if (auto* f = dynamic_cast<SBFolderIcon*>(icon.ptr()))
            folder = f;
    ASSERT_NE(folder, nullptr);
    // A tap on a folder opens it, also in editing mode; its icons wiggle too.
    dev().touch().tap(centreOnScreen(icons()->iconViewForIcon(folder)));
    auto list = msgSend<Ref<SBFolderIconListView>>(icons(), "currentFolderIconList");
    ASSERT_TRUE(list);
    for (auto& v : list->iconViews())
        EXPECT_TRUE(v->isEditing());
    EXPECT_EQ(EditingSpy::folderEditing, (std::vector<bool> { true, true }));

    // A tap beside the panel closes the folder; Done then leaves editing mode.
    dev().touch().tap({ 20, 150 });
    EXPECT_EQ(icons()->openFolderController(), nullptr);
    EXPECT_TRUE(icons()->isEditing());
    UIButton* done = icons()->rootFolderController()->doneButton();
    ASSERT_NE(done, nullptr);
    CGRect frame = done->convertRectToView(done->bounds(), nullptr);
    dev().touch().tap({ CGRectGetMidX(frame), CGRectGetMidY(frame) });
    EXPECT_FALSE(icons()->isEditing());
    for (auto& v : icons()->visibleIconViews())
        EXPECT_FALSE(v->isEditing());
}

TEST_F(EditingTest, TappingLaunchesThroughLaunchIconAndHomeRestoresContent)
{
    boot("iphone8-ios12");
    static std::vector<std::string> launched;
    static objc::Imp<void(SBIcon*)> previousLaunch;
    static int cornerMasks;
    static objc::Imp<void()> previousMask;
    static int restores;
    static objc::Imp<void()> previousRestore;
    launched.clear();
    cornerMasks = restores = 0;
    MSHookMessageEx(objc_getClass("SBIconController"), "_launchIcon:", [](SBIconController* self, SEL cmd, SBIcon* icon) {
        launched.push_back(icon->identifier());
        previousLaunch(self, cmd, icon);
    }, &previousLaunch);
    MSHookMessageEx(objc_getClass("SBIconImageCrossfadeView"), "_updateCornerMask", [](SBIconImageCrossfadeView* self, SEL cmd) {
        ++cornerMasks;
        previousMask(self, cmd);
    }, &previousMask);
    MSHookMessageEx(objc_getClass("SBUIController"), "restoreContent", [](SBUIController* self, SEL cmd) {
        ++restores;
        previousRestore(self, cmd);
    }, &previousRestore);

    dev().touch().tap(centreOnScreen(iconView("com.apple.mobilenotes")));
    EXPECT_EQ(launched, (std::vector<std::string> { "com.apple.mobilenotes" }));
    EXPECT_EQ(dev().foregroundApp(), "com.apple.mobilenotes");
    EXPECT_GE(cornerMasks, 1);
    EXPECT_NE(dev().window()->rootViewController()->presentedViewController(), nullptr);

    dev().pressHome();
    EXPECT_EQ(dev().foregroundApp(), "");
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(dev().window()->rootViewController()->presentedViewController(), nullptr);

    // Launching by identifier goes the same way; an unknown app is refused.
    EXPECT_TRUE(dev().launch("com.apple.calculator"));
    EXPECT_EQ(launched.back(), "com.apple.calculator");
    EXPECT_FALSE(dev().launch("com.example.nothing"));
}

TEST_F(EditingTest, RegisteredLaunchersMakeTheAppScreen)
{
    int made = 0;
    device::registerAppLauncher("com.apple.Preferences", [&made] {
        ++made;
        auto controller = UIViewController::create();
        controller->setTitle("Settings from its launcher");
        return controller;
    });
    boot("iphone8-ios12");
    EXPECT_TRUE(dev().launch("com.apple.Preferences"));
    device::unregisterAppLauncher("com.apple.Preferences");
    EXPECT_EQ(made, 1);
    ASSERT_NE(dev().window()->rootViewController()->presentedViewController(), nullptr);
    EXPECT_EQ(dev().window()->rootViewController()->presentedViewController()->title(), "Settings from its launcher");
    dev().pressHome();
    EXPECT_EQ(dev().window()->rootViewController()->presentedViewController(), nullptr);
}

TEST_F(EditingTest, HomeClosesAFolderAndSwipesTurnPages)
{
    boot("iphone8-ios12");
    SBFolderIcon* folder = nullptr;
    for (auto& icon : icons()->model()->pages()[0])
        if (auto* f = dynamic_cast<SBFolderIcon*>(icon.ptr()))
            folder = f;
    msgSend(icons(), "_launchIcon:", folder);
    ASSERT_NE(icons()->openFolderController(), nullptr);
    SBFolderController* open = icons()->openFolderController();
    // Its content has a container of its own, so that what goes into the home screen's stays.
    EXPECT_NE(open->contentView()->superview(), nullptr);
    EXPECT_NE(open->contentView()->superview(), icons()->rootFolderController()->contentView()->superview());
    dev().pressHome();
    EXPECT_EQ(icons()->openFolderController(), nullptr);

    dev().touch().swipe({ 300, 300 }, { 60, 300 }, 0.15);
    dev().advance(400);
    EXPECT_EQ(icons()->currentPage(), 1);
    auto list = msgSend<Ref<SBIconListView>>(icons(), "currentRootIconList");
    EXPECT_EQ(list.ptr(), icons()->pages()[1].ptr());
    dev().pressHome();
    EXPECT_EQ(icons()->currentPage(), 0);
}

TEST_F(EditingTest, HomePagesFollowTheFingerAndSettleOnTheNearestPage)
{
    boot("iphone8-ios12");
    auto pageX = [&](int page) { return icons()->pages()[page]->convertRectToView(icons()->pages()[page]->bounds(), nullptr).origin.x; };
    ASSERT_GE(icons()->pages().size(), 2u);
    double firstX = pageX(0);

    // While the finger moves, the page moves with it; the next page's edge comes in behind it.
    auto& touch = dev().touch();
    touch.touchDown({ 300, 300 });
    for (int x = 290; x >= 200; x -= 10) {
        touch.wait(0.016);
        touch.touchMove({ double(x), 300 });
    }
    EXPECT_NEAR(pageX(0), firstX - 100, 12) << "the page stands still under a moving finger";
    EXPECT_LT(pageX(1), 375);

    // Let go after resting, less than half a page across: it glides back to where it was.
    touch.wait(0.3);
    touch.touchUp({ 200, 300 });
    dev().advance(100);
    EXPECT_GT(pageX(0), firstX - 100) << "no glide back: it jumped or stayed";
    EXPECT_LT(pageX(0), firstX);
    dev().advance(600);
    EXPECT_DOUBLE_EQ(pageX(0), firstX);
    EXPECT_EQ(icons()->currentPage(), 0);

    // More than half a page, even slowly: the next page settles in and becomes the current one.
    touch.drag({ 340, 300 }, { 100, 300 }, 0.6, 20, 0.3);
    dev().advance(600);
    EXPECT_DOUBLE_EQ(pageX(1), firstX);
    EXPECT_EQ(icons()->currentPage(), 1);
    // A short quick flick back turns the page too.
    touch.swipe({ 100, 300 }, { 150, 300 }, 0.08, 4);
    dev().advance(600);
    EXPECT_EQ(icons()->currentPage(), 0);
    EXPECT_DOUBLE_EQ(pageX(0), firstX);
}
