#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIPopoverPresentationController.h"

using objc::Ref;

namespace {


// A controller class that logs its appearance callbacks.
objc::Class* loggingControllerClass(objc::Runtime& rt, std::vector<std::string>& log)
{
    objc::Class* cls = rt.registerClass("LoggingController", rt.getClass("UIViewController"));
    for (const char* sel : { "viewWillAppear:", "viewDidAppear:", "viewWillDisappear:", "viewDidDisappear:" })
        cls->addMethod(sel, [&log](UIViewController* self, objc::SEL cmd, bool) { log.push_back(self->title() + " " + objc::sel_getName(cmd)); });
    cls->addMethod("viewDidLoad", [&log](UIViewController* self, objc::SEL) { log.push_back(self->title() + " viewDidLoad"); });
    return cls;
}

Ref<UIViewController> makeLogging(objc::Class* cls, const std::string& title)
{
    Ref<UIViewController> vc(objc::checkedObjectCast<UIViewController>(objc::msgSend<Ref<objc::Object>>(cls, "new").ptr()));
    vc->setTitle(title);
    return vc;
}

} // namespace

TEST_F(UIKitTest, PresentAndDismissKeepTheBookkeepingAndTiming)
{
    std::vector<std::string> log;
    objc::Class* cls = loggingControllerClass(env.runtime(), log);
    showWindow();
    auto modal = makeLogging(cls, "modal");
    int completions = 0;
    root->presentViewController(modal, true, [&] { ++completions; });
    EXPECT_EQ(root->presentedViewController(), modal.ptr());
    EXPECT_EQ(modal->presentingViewController(), root.ptr());
    EXPECT_EQ(window->topmostViewController(), modal.ptr());
    EXPECT_TRUE(modal->viewIfLoaded()->isDescendantOfView(window));
    EXPECT_EQ(log, (std::vector<std::string> { "modal viewDidLoad", "modal viewWillAppear:" }));
    settle(0.29);
    EXPECT_EQ(completions, 0) << "an animated presentation completes after its transition";
    settle(0.02);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(log.back(), "modal viewDidAppear:");

    // A second presentation from the same controller is refused.
    auto other = UIViewController::create();
    root->presentViewController(other, false);
    EXPECT_EQ(root->presentedViewController(), modal.ptr());
    EXPECT_FALSE(uikit::state().diagnostics.empty());

    // The presented controller asks its presenter to dismiss it.
    modal->dismissViewControllerAnimated(false, [&] { ++completions; });
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(modal->viewIfLoaded()->window(), nullptr);
    dispatch::RunLoop::main().runUntilIdle();
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(log.back(), "modal viewDidDisappear:");
}

TEST_F(UIKitTest, DismissingAlsoTakesAwayWhatThePresentedOnePresents)
{
    showWindow();
    auto first = UIViewController::create();
    auto second = UIViewController::create();
    root->presentViewController(first, false);
    first->presentViewController(second, false);
    EXPECT_EQ(window->topmostViewController(), second.ptr());
    root->dismissViewControllerAnimated(false);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(first->presentedViewController(), nullptr);
    EXPECT_EQ(second->viewIfLoaded()->window(), nullptr);
}

TEST_F(UIKitTest, AlertActionsKeepTheirOrderAndRunTheirHandlerAfterDismissal)
{
    showWindow();
    std::vector<std::string> ran;
    auto alert = UIAlertController::alertControllerWithTitle("Ovrimo", "Pick one", UIAlertControllerStyleActionSheet);
    for (auto [title, style] : { std::pair { "Replace from URL", UIAlertActionStyleDefault }, { "Restore", UIAlertActionStyleDestructive }, { "Cancel", UIAlertActionStyleCancel }, { "Save", UIAlertActionStyleDefault } })
        alert->addAction(UIAlertAction::actionWithTitle(title, style, [&ran, root = root.ptr()](UIAlertAction* a) {
            ran.push_back(a->title() + (root->presentedViewController() ? " (still presented)" : ""));
        }));
    ASSERT_EQ(alert->actions().size(), 4u);
    EXPECT_EQ(alert->actions()[3]->title(), "Save");
    root->presentViewController(alert, true);
    settle(0.5);
    // The cancel row sits apart, below the others.
    UIButton* cancel = alert->buttonForAction(alert->actions()[2]);
    UIButton* save = alert->buttonForAction(alert->actions()[3]);
    ASSERT_TRUE(cancel && save);
    EXPECT_GT(centreOf(cancel).y, centreOf(save).y + 40);
    EXPECT_FALSE(cancel->isDescendantOfView(alert->panelView()));
    uikit::TouchDriver driver;
    driver.tap(centreOf(alert->buttonForAction(alert->actions()[1])));
    EXPECT_EQ(root->presentedViewController(), nullptr) << "a tap dismisses the sheet at once";
    EXPECT_TRUE(ran.empty()) << "the handler waits for the dismissal";
    settle(0.31);
    EXPECT_EQ(ran, (std::vector<std::string> { "Restore" }));
}

TEST_F(UIKitTest, AlertTextFieldsAreConfiguredAndReadable)
{
    showWindow();
    auto alert = UIAlertController::alertControllerWithTitle("Ovrimo", "Enter the URL", UIAlertControllerStyleAlert);
    alert->addTextFieldWithConfigurationHandler([](UITextField* f) {
        f->setKeyboardType(UIKeyboardTypeURL);
        f->setPlaceholder("http://");
    });
    std::string entered;
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, [&](UIAlertAction*) { entered = alert->textFields()[0]->text(); }));
    ASSERT_EQ(alert->textFields().size(), 1u);
    EXPECT_EQ(alert->textFields()[0]->keyboardType(), UIKeyboardTypeURL);
    root->presentViewController(alert, true);
    uikit::TouchDriver driver;
    driver.typeText("http://x.org/a.png");
    // Two actions sit side by side, cancel on the left.
    CGPoint ok = centreOf(alert->buttonForAction(alert->actions()[1]));
    CGPoint cancel = centreOf(alert->buttonForAction(alert->actions()[0]));
    EXPECT_NEAR(ok.y, cancel.y, 0.01);
    EXPECT_LT(cancel.x, ok.x);
    driver.tap(ok);
    settle(0.5);
    EXPECT_EQ(entered, "http://x.org/a.png");
    // Through the runtime, textFields is an array.
    auto fields = uikit::sel::textFields(alert);
    EXPECT_TRUE(objc::isKindOfClass(fields, "NSArray"));
}

TEST_F(UIKitTest, PadActionSheetIsAPopoverAtItsSource)
{
    uikit::configureDevice("12.4", "iPad", UIUserInterfaceIdiomPad);
    uikit::configureScreen(CGSizeMake(768, 1024), 2);
    showWindow();
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(354, 900, 60, 60));
    root->view()->addSubview(button);
    bool cancelled = false;
    auto sheet = UIAlertController::alertControllerWithTitle("Ovrimo", "", UIAlertControllerStyleActionSheet);
    sheet->addAction(UIAlertAction::actionWithTitle("Replace", UIAlertActionStyleDefault, nullptr));
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, [&](UIAlertAction*) { cancelled = true; }));
    sheet->popoverPresentationController()->setSourceView(button);
    sheet->popoverPresentationController()->setSourceRect(button->bounds());
    root->presentViewController(sheet, true);
    CGRect panel = sheet->viewIfLoaded()->frame();
    EXPECT_LT(CGRectGetMaxY(panel), 900) << "above the button, which sits low";
    EXPECT_NEAR(CGRectGetMidX(panel), 384, 1);
    EXPECT_EQ(sheet->buttonForAction(sheet->actions()[1]), nullptr) << "no cancel row in a popover";
    uikit::TouchDriver().tap(CGPointMake(50, 50));
    settle(0.5);
    EXPECT_TRUE(cancelled) << "a tap outside runs the cancel action";
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(UIKitTest, NavigationPushPopTitlesPromptAndBackButton)
{
    std::vector<std::string> log;
    objc::Class* cls = loggingControllerClass(env.runtime(), log);
    showWindow();
    auto overview = makeLogging(cls, "Ovrimo - Icon Library");
    overview->navigationItem()->setPrompt("Tap and hold on a directory to edit it. Swipe left to delete.");
    overview->navigationItem()->setBackBarButtonItem(UIBarButtonItem::createWithTitle("Back", UIBarButtonItemStylePlain, nullptr, nullptr));
    auto rec = ActionRecorder::make();
    overview->navigationItem()->setRightBarButtonItem(UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItemCancel, rec, objc::sel_registerName("cancel:")));
    auto nav = UINavigationController::createWithRoot(overview);
    root->presentViewController(nav, false);
    settle(0.1);
    UINavigationBar* bar = nav->navigationBar();
    EXPECT_EQ(bar->titleLabel()->text(), "Ovrimo - Icon Library");
    EXPECT_EQ(bar->promptLabel()->text(), "Tap and hold on a directory to edit it. Swipe left to delete.");
    EXPECT_EQ(overview->viewIfLoaded()->convertPointToView(CGPointZero, nullptr).y, 20 + 74) << "the page starts below a bar with a prompt";
    log.clear();
    auto grid = makeLogging(cls, "Icon Library");
    nav->pushViewController(grid, true);
    EXPECT_EQ(nav->topViewController(), grid.ptr());
    EXPECT_EQ(grid->navigationController(), nav.ptr());
    EXPECT_FALSE(bar->backButton()->isHidden());
    EXPECT_EQ(bar->backButton()->currentTitle(), "\u2039 Back");
    settle(0.5);
    EXPECT_EQ(log, (std::vector<std::string> { "Icon Library viewDidLoad", "Ovrimo - Icon Library viewWillDisappear:", "Icon Library viewWillAppear:",
                        "Ovrimo - Icon Library viewDidDisappear:", "Icon Library viewDidAppear:" }));
    uikit::TouchDriver driver;
    driver.tap(centreOf(bar->backButton()));
    EXPECT_EQ(nav->topViewController(), overview.ptr());
    EXPECT_EQ(bar->titleLabel()->text(), "Ovrimo - Icon Library");
    settle(0.5);
    UIButton* cancel = bar->buttonForItem(overview->navigationItem()->rightBarButtonItem());
    ASSERT_TRUE(cancel);
    driver.tap(centreOf(cancel));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "cancel:" }));
    EXPECT_TRUE(objc::isKindOfClass(rec->senders[0], "UIBarButtonItem"));
}

TEST_F(UIKitTest, ApplicationOpensOnlyInstalledSchemesAndRecordsThem)
{
    uikit::setInstalledURLSchemes({ "tweetbot", "Twitter:" });
    auto app = UIApplication::sharedApplication();
    EXPECT_TRUE(app->canOpenURL("tweetbot:"));
    EXPECT_TRUE(app->canOpenURL("twitter://user?screen_name=x"));
    EXPECT_FALSE(app->canOpenURL("tweetings:"));
    EXPECT_TRUE(app->canOpenURL("https://example.com/"));
    EXPECT_FALSE(app->canOpenURL("no scheme"));
    EXPECT_TRUE(app->openURL("tweetbot:///user_profile/x"));
    EXPECT_FALSE(app->openURL("tweetings:///user?screen_name=x"));
    EXPECT_EQ(uikit::openedURLs(), (std::vector<std::string> { "tweetbot:///user_profile/x" }));
}
