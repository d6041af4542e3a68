#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/corefoundation/NSString.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIPasteboard.h"

using objc::Ref;

// The application, the pasteboard and the per-device state: URL schemes, the general pasteboard,
// key windows, and a fresh runtime starting clean.

TEST_F(UIKitTest, PasteboardKeepsTheLastStringThroughEveryPath)
{
    auto board = UIPasteboard::generalPasteboard();
    EXPECT_FALSE(board->hasStrings());
    EXPECT_EQ(board->string(), "");
    board->setString("first");
    board->setString("https://example.com/icon.png");
    EXPECT_TRUE(board->hasStrings());
    // The same board through the runtime.
    auto viaRuntime = uikit::sel::generalPasteboard(objc::objc_getClass("UIPasteboard"));
    EXPECT_EQ(viaRuntime.ptr(), board.ptr());
    EXPECT_EQ(uikit::sel::string(viaRuntime), "https://example.com/icon.png");
    uikit::sel::setString(viaRuntime, "ünïcödé ✓");
    EXPECT_EQ(UIPasteboard::generalPasteboard()->string(), "ünïcödé ✓");
    // An empty string is still a string.
    board->setString("");
    EXPECT_TRUE(board->hasStrings());
}

TEST_F(UIKitTest, AFreshRuntimeStartsWithAnEmptyPasteboardAndNoKeyWindow)
{
    UIPasteboard::generalPasteboard()->setString("left over");
    uikit::setInstalledURLSchemes({ "tweetbot" });
    UIApplication::sharedApplication()->openURL("tweetbot:x");
    showWindow();
    EXPECT_EQ(UIApplication::sharedApplication()->keyWindow(), window.ptr());
    {
        // A second device booted in the same process.
        objc::Runtime other;
        registerUIKitClasses(other);
        EXPECT_FALSE(UIPasteboard::generalPasteboard()->hasStrings());
        EXPECT_EQ(UIApplication::sharedApplication()->keyWindow(), nullptr);
        EXPECT_TRUE(UIApplication::sharedApplication()->windows().empty());
        EXPECT_TRUE(uikit::openedURLs().empty());
        EXPECT_FALSE(UIApplication::sharedApplication()->canOpenURL("tweetbot:"));
    }
}

TEST_F(UIKitTest, KeyWindowFollowsTheLastMadeKey)
{
    showWindow();
    auto second = UIWindow::create(UIScreen::mainScreen()->bounds());
    second->setRootViewController(UIViewController::create());
    EXPECT_FALSE(second->isKeyWindow());
    second->makeKeyAndVisible();
    EXPECT_TRUE(second->isKeyWindow());
    EXPECT_FALSE(window->isKeyWindow());
    EXPECT_EQ(UIApplication::sharedApplication()->keyWindow(), second.ptr());
    EXPECT_EQ(UIApplication::sharedApplication()->windows().size(), 2u);
    window->makeKeyWindow();
    EXPECT_EQ(UIApplication::sharedApplication()->keyWindow(), window.ptr());
    // The root controller's view fills its window.
    EXPECT_EQ(second->rootViewController()->view()->frame(), second->bounds());
}

TEST_F(UIKitTest, OpeningURLsChecksTheSchemeCaseInsensitivelyAndRecordsOnlyOpenedOnes)
{
    uikit::setInstalledURLSchemes({ "cydia" });
    auto app = UIApplication::sharedApplication();
    EXPECT_TRUE(app->canOpenURL("CYDIA://package/x"));
    EXPECT_TRUE(app->canOpenURL("http://example.com"));
    EXPECT_FALSE(app->canOpenURL(""));
    EXPECT_FALSE(app->canOpenURL("://nothing"));
    EXPECT_FALSE(app->canOpenURL("cydiax:"));
    EXPECT_FALSE(app->openURL(""));
    EXPECT_TRUE(app->openURL("http://example.com"));
    // Through the runtime, with string objects.
    EXPECT_TRUE(uikit::sel::openURL(app, NSString::make("cydia://package/y")));
    EXPECT_FALSE(uikit::sel::canOpenURL(app, NSString::make("mailto2:x")));
    EXPECT_EQ(uikit::openedURLs(), (std::vector<std::string> { "http://example.com", "cydia://package/y" }));
}

TEST_F(UIKitTest, DeviceAndScreenReportTheirConfiguredProfile)
{
    uikit::configureDevice("9.3", "iPad", UIUserInterfaceIdiomPad);
    uikit::configureScreen(CGSizeMake(768, 1024), 2);
    EXPECT_EQ(UIDevice::currentDevice()->systemVersion(), "9.3");
    EXPECT_EQ(UIDevice::currentDevice()->userInterfaceIdiom(), UIUserInterfaceIdiomPad);
    EXPECT_EQ(UIScreen::mainScreen()->bounds(), CGRectMake(0, 0, 768, 1024));
    EXPECT_EQ(UIScreen::mainScreen()->scale(), 2);
    showWindow();
    EXPECT_EQ(window->bounds().size, CGSizeMake(768, 1024));
}
