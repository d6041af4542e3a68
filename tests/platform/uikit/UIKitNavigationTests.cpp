#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/ViewSearch.h"

using objc::Ref;

// Navigation stacks, modal presentation and alerts: the order of appearance callbacks, what the
// bar shows, completion timing on the virtual clock, and misuse that must be survived.

namespace {


class UIKitNavigationTest : public UIKitTest {
protected:
    UIKitNavigationTest()
    {
        auto& rt = env.runtime();
        m_class = rt.registerClass("AppearanceLoggingController", rt.getClass("UIViewController"));
        for (const char* sel : { "viewWillAppear:", "viewDidAppear:", "viewWillDisappear:", "viewDidDisappear:" })
            m_class->addMethod(sel, [this](UIViewController* self, objc::SEL cmd, bool) { log.push_back(self->title() + " " + objc::sel_getName(cmd)); });
    }

    Ref<UIViewController> make(const std::string& title)
    {
        Ref<UIViewController> vc(objc::checkedObjectCast<UIViewController>(objc::msgSend<Ref<objc::Object>>(m_class, "new").ptr()));
        vc->setTitle(title);
        return vc;
    }

    std::vector<std::string> log;

private:
    objc::Class* m_class = nullptr;
};

} // namespace

TEST_F(UIKitNavigationTest, PopToRootTellsOnlyTheLeavingTopAndTheRoot)
{
    showWindow();
    auto a = make("A"), b = make("B"), c = make("C");
    auto nav = UINavigationController::createWithRoot(a);
    root->presentViewController(nav, false);
    nav->pushViewController(b, false);
    nav->pushViewController(c, false);
    settle(0.5);
    log.clear();
    auto popped = uikit::sel::popToRootViewControllerAnimated(nav, true);
    EXPECT_EQ(nav->topViewController(), a.ptr());
    EXPECT_EQ(nav->viewControllers().size(), 1u);
    EXPECT_EQ(log, (std::vector<std::string> { "C viewWillDisappear:", "A viewWillAppear:" })) << "B, never on screen, hears nothing";
    settle(0.29);
    EXPECT_EQ(log.size(), 2u) << "the did-callbacks wait for the transition";
    settle(0.02);
    EXPECT_EQ(log, (std::vector<std::string> { "C viewWillDisappear:", "A viewWillAppear:", "C viewDidDisappear:", "A viewDidAppear:" }));
    // The popped controllers come back, bottom first, and are no longer children.
    auto* list = dynamic_cast<NSArray*>(popped.ptr());
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 2u);
    EXPECT_EQ(list->objectAtIndex(0), b.ptr());
    EXPECT_EQ(list->objectAtIndex(1), c.ptr());
    EXPECT_EQ(b->parentViewController(), nullptr);
    EXPECT_EQ(c->navigationController(), nullptr);
    EXPECT_EQ(nav->navigationBar()->titleLabel()->text(), "A");
    EXPECT_TRUE(nav->navigationBar()->backButton()->isHidden());
    // At the root, there is nothing to pop.
    log.clear();
    EXPECT_EQ(nav->popViewControllerAnimated(true), nullptr);
    settle(1);
    EXPECT_TRUE(log.empty());
}

TEST_F(UIKitNavigationTest, BackButtonShowsThePreviousTitleAndBarItemsTakeTaps)
{
    showWindow();
    auto list = make("Icons");
    auto detail = make("Maps");
    auto rec = ActionRecorder::make();
    detail->navigationItem()->setRightBarButtonItem(UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItemSave, rec, objc::sel_registerName("fired:")));
    auto nav = UINavigationController::createWithRoot(list);
    root->presentViewController(nav, false);
    nav->pushViewController(detail, true);
    settle(0.5);
    UINavigationBar* bar = nav->navigationBar();
    EXPECT_EQ(bar->backButton()->currentTitle(), "\u2039 Icons");
    EXPECT_EQ(bar->titleLabel()->text(), "Maps");
    // The title and the items follow changes made while shown.
    detail->setTitle("Maps icon");
    EXPECT_EQ(bar->titleLabel()->text(), "Maps icon");
    list->setTitle("");
    nav->popViewControllerAnimated(false);
    nav->pushViewController(make("Other"), false);
    EXPECT_EQ(bar->backButton()->currentTitle(), "\u2039 Back") << "an untitled page is 'Back'";
    nav->popViewControllerAnimated(false);
    settle(0.5);
    nav->pushViewController(detail, false);
    settle(0.5);
    uikit::TouchDriver driver;
    UIButton* save = bar->buttonForItem(detail->navigationItem()->rightBarButtonItem());
    ASSERT_TRUE(save);
    driver.tap(centreOf(save));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "fired:" }));
    // A left item takes the back button's place.
    detail->navigationItem()->setLeftBarButtonItem(UIBarButtonItem::createWithTitle("Close", UIBarButtonItemStylePlain, rec, objc::sel_registerName("cancel:")));
    EXPECT_TRUE(bar->backButton()->isHidden());
    auto close = uikit::findViewWithLabel(window, "Close");
    ASSERT_TRUE(close);
    driver.wait(1);
    driver.tap(close->center);
    EXPECT_EQ(rec->count("cancel:"), 1u);
    EXPECT_EQ(nav->topViewController(), detail.ptr()) << "the left item does not pop";
}

TEST_F(UIKitNavigationTest, APromptTooLongForTheBarIsDrawnSmallerRatherThanCut)
{
    showWindow();
    auto page = make("Icons");
    auto nav = UINavigationController::createWithRoot(page);
    root->presentViewController(nav, false);
    settle(0.5);
    UILabel* prompt = nav->navigationBar()->promptLabel();
    auto naturalWidth = [](const std::string& text, UIFont* font) {
        return uikit::measureText(text, uikit::TextStyle { font, NSTextAlignmentCenter, 1, NSLineBreakByTruncatingTail }, 0).width;
    };
    // A short prompt keeps its 13 points.
    page->navigationItem()->setPrompt("Tap on a icon to remove it.");
    nav->navigationBar()->layoutIfNeeded();
    EXPECT_EQ(prompt->fontForDrawing()->pointSize(), 13);
    // One a little too long for a 375-point bar is drawn whole, a little smaller.
    const std::string hint = "Tap and hold on a directory to edit it. Swipe left to delete.";
    page->navigationItem()->setPrompt(hint);
    nav->navigationBar()->layoutIfNeeded();
    ASSERT_GT(naturalWidth(hint, prompt->font()), prompt->bounds().size.width) << "the hint no longer needs shrinking: pick a longer one";
    Ref<UIFont> drawn = prompt->fontForDrawing();
    EXPECT_LT(drawn->pointSize(), 13);
    EXPECT_GE(drawn->pointSize(), 13 * 0.75);
    EXPECT_LE(naturalWidth(hint, drawn), prompt->bounds().size.width);
    // Far too long: no smaller than three quarters, the rest cut off.
    const std::string essay = hint + " " + hint;
    page->navigationItem()->setPrompt(essay);
    nav->navigationBar()->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(prompt->fontForDrawing()->pointSize(), 13 * 0.75);
}

TEST_F(UIKitNavigationTest, PushingTheSameControllerTwiceIsRefused)
{
    showWindow();
    auto a = make("A"), b = make("B");
    auto nav = UINavigationController::createWithRoot(a);
    root->presentViewController(nav, false);
    nav->pushViewController(b, false);
    nav->pushViewController(b, false);
    nav->pushViewController(a, false);
    EXPECT_EQ(nav->viewControllers().size(), 2u);
    EXPECT_FALSE(uikit::state().diagnostics.empty());
    nav->pushViewController(nullptr, false);
    EXPECT_EQ(nav->viewControllers().size(), 2u);
}

TEST_F(UIKitNavigationTest, PresentationCallbacksAndCompletionFollowTheClock)
{
    showWindow();
    auto presenter = make("Presenter");
    root->presentViewController(presenter, false);
    settle(0.1);
    log.clear();
    auto modal = make("Modal");
    std::vector<std::string> completions;
    presenter->presentViewController(modal, true, [&] { completions.push_back("presented"); });
    EXPECT_EQ(log, (std::vector<std::string> { "Modal viewWillAppear:", "Presenter viewWillDisappear:" }));
    settle(0.3);
    EXPECT_EQ(completions, (std::vector<std::string> { "presented" }));
    EXPECT_EQ(log.size(), 4u);

    // A second presentation on a presenting controller is refused, and its completion never runs.
    uikit::state().diagnostics.clear();
    presenter->presentViewController(make("Third"), false, [&] { completions.push_back("third"); });
    settle(1);
    EXPECT_EQ(presenter->presentedViewController(), modal.ptr());
    EXPECT_EQ(uikit::state().diagnostics.size(), 1u);
    EXPECT_EQ(completions.size(), 1u);

    // The modal dismisses itself; the completion waits for the animation.
    log.clear();
    modal->dismissViewControllerAnimated(true, [&] { completions.push_back("dismissed"); });
    EXPECT_EQ(presenter->presentedViewController(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string> { "Modal viewWillDisappear:", "Presenter viewWillAppear:" }));
    settle(0.2);
    EXPECT_EQ(completions.size(), 1u);
    settle(0.2);
    EXPECT_EQ(completions.back(), "dismissed");
    EXPECT_EQ(log.back(), "Presenter viewDidAppear:");
    // Dismissing when nothing is presented does nothing.
    log.clear();
    modal->dismissViewControllerAnimated(false);
    settle(0.1);
    EXPECT_TRUE(log.empty());
    // A controller whose view is not in a window cannot present.
    auto loose = make("Loose");
    uikit::state().diagnostics.clear();
    loose->presentViewController(make("Nope"), false);
    EXPECT_EQ(loose->presentedViewController(), nullptr);
    EXPECT_EQ(uikit::state().diagnostics.size(), 1u);
}

TEST_F(UIKitNavigationTest, APageInANavigationControllerPresentsFromItsContainer)
{
    showWindow();
    auto page = make("Page");
    auto nav = UINavigationController::createWithRoot(page);
    root->presentViewController(nav, false);
    auto sheet = make("Sheet");
    page->presentViewController(sheet, false);
    EXPECT_EQ(nav->presentedViewController(), sheet.ptr());
    EXPECT_EQ(sheet->presentingViewController(), nav.ptr());
    EXPECT_EQ(window->topmostViewController(), sheet.ptr());
    // Dismissed through the page, the sheet goes and the navigation controller stays.
    page->dismissViewControllerAnimated(false);
    EXPECT_EQ(nav->presentedViewController(), nullptr);
    EXPECT_EQ(root->presentedViewController(), nav.ptr());
}

TEST_F(UIKitNavigationTest, AlertTextFieldsTakeTypingInTheFirstField)
{
    showWindow();
    auto alert = UIAlertController::alertControllerWithTitle("Sign in", "", UIAlertControllerStyleAlert);
    alert->addTextFieldWithConfigurationHandler([](UITextField* f) { f->setKeyboardType(UIKeyboardTypeEmailAddress); });
    alert->addTextFieldWithConfigurationHandler([](UITextField* f) {
        f->setSecureTextEntry(true);
        f->setKeyboardType(UIKeyboardTypeNumberPad);
    });
    std::vector<std::string> seen;
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, [&](UIAlertAction*) {
        seen = { alert->textFields()[0]->text(), alert->textFields()[1]->text() };
    }));
    ASSERT_EQ(alert->textFields().size(), 2u);
    EXPECT_EQ(alert->textFields()[0]->keyboardType(), UIKeyboardTypeEmailAddress);
    EXPECT_EQ(alert->textFields()[1]->keyboardType(), UIKeyboardTypeNumberPad);
    EXPECT_TRUE(alert->textFields()[1]->isSecureTextEntry());
    root->presentViewController(alert, true);
    uikit::TouchDriver driver;
    driver.typeText("me@example.org");
    EXPECT_EQ(alert->textFields()[0]->text(), "me@example.org");
    EXPECT_EQ(alert->textFields()[1]->text(), "");
    // A tap on the second field moves the typing there.
    driver.tap(centreOf(alert->textFields()[1]));
    driver.typeText("1234");
    EXPECT_EQ(alert->textFields()[1]->text(), "1234");
    driver.tap(centreOf(alert->buttonForAction(alert->actions()[0])));
    EXPECT_TRUE(seen.empty()) << "the handler waits for the dismissal";
    settle(0.5);
    EXPECT_EQ(seen, (std::vector<std::string> { "me@example.org", "1234" }));
    EXPECT_FALSE(alert->textFields()[1]->isFirstResponder()) << "the keyboard goes with the alert";
}

TEST_F(UIKitNavigationTest, ActionSheetsRefuseTextFieldsAndPadSheetsWithoutASourceSurvive)
{
    showWindow();
    auto sheet = UIAlertController::alertControllerWithTitle("", "Choose", UIAlertControllerStyleActionSheet);
    sheet->addTextFieldWithConfigurationHandler(nullptr);
    EXPECT_TRUE(sheet->textFields().empty());
    EXPECT_FALSE(uikit::state().diagnostics.empty());
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    sheet->addAction(UIAlertAction::actionWithTitle("Second cancel", UIAlertActionStyleCancel, nullptr));
    EXPECT_EQ(sheet->actions().size(), 1u) << "one cancel action only";
}

TEST_F(UIKitNavigationTest, PadActionSheetWithoutAnAnchorIsReportedButDoesNotCrash)
{
    uikit::configureDevice("12.4", "iPad", UIUserInterfaceIdiomPad);
    uikit::configureScreen(CGSizeMake(768, 1024), 2);
    showWindow();
    auto sheet = UIAlertController::alertControllerWithTitle("", "Choose", UIAlertControllerStyleActionSheet);
    bool chosen = false;
    sheet->addAction(UIAlertAction::actionWithTitle("Restore", UIAlertActionStyleDefault, [&](UIAlertAction*) { chosen = true; }));
    uikit::state().diagnostics.clear();
    root->presentViewController(sheet, false);
    ASSERT_FALSE(uikit::state().diagnostics.empty());
    EXPECT_NE(uikit::state().diagnostics[0].find("sourceView"), std::string::npos);
    // Still usable: the action can be tapped.
    UIButton* restore = sheet->buttonForAction(sheet->actions()[0]);
    ASSERT_TRUE(restore);
    CGPoint p = centreOf(restore);
    EXPECT_TRUE(CGRectContainsPoint(window->bounds(), p));
    uikit::TouchDriver().tap(p);
    settle(0.5);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(root->presentedViewController(), nullptr);
}
