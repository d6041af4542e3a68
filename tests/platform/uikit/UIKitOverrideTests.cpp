#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/substrate/Substrate.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UITapGestureRecognizer.h"

using objc::Ref;
using objc::SEL;

// The methods subclasses override (a recognizer's touches and reset, a control's state change, a
// presented controller's preparation and layout) are runtime methods: a runtime subclass or a
// replacement sees every call the touch driver and the presentation make.

TEST_F(UIKitTest, ARecognizerSubclassSeesEveryTouchAndSuperStillRecognizes)
{
    showWindow();
    auto& rt = env.runtime();
    std::vector<std::string> log;
    objc::Class* cls = rt.registerClass("LoggingTap", rt.getClass("UITapGestureRecognizer"));
    for (const char* sel : { "touchesBegan:withEvent:", "touchesMoved:withEvent:", "touchesEnded:withEvent:" })
        cls->addMethod(sel, [cls, &log](UIGestureRecognizer* self, SEL cmd, const UITouchSet& touches, UIEvent* event) {
            log.emplace_back(objc::sel_getName(cmd));
            objc::msgSendSuper(cls, self, objc::sel_getName(cmd), touches, event);
        });
    cls->addMethod("reset", [cls, &log](UIGestureRecognizer* self, SEL) {
        log.emplace_back("reset");
        objc::msgSendSuper(cls, self, "reset");
    });
    // The base class's touchesEnded:withEvent: replaced: the subclass's super call reaches it.
    int baseEnded = 0;
    objc::Imp<void(const UITouchSet&, UIEvent*)> previous;
    MSHookMessageEx(rt.getClass("UIGestureRecognizer"), "touchesEnded:withEvent:", [&](UIGestureRecognizer* self, SEL cmd, const UITouchSet& touches, UIEvent* event) {
        ++baseEnded;
        previous(self, cmd, touches, event);
    }, &previous);

    auto rec = ActionRecorder::make();
    Ref<UITapGestureRecognizer> tap(objc::checkedObjectCast<UITapGestureRecognizer>(objc::msgSend<Ref<objc::Object>>(objc::msgSend<Ref<objc::Object>>(cls, "alloc"), "initWithTarget:action:", rec.ptr(), objc::sel_registerName("fired:")).ptr()));
    root->view()->addGestureRecognizer(tap);
    log.clear(); // adding it to a view resets it
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(100, 100));
    EXPECT_EQ(log, (std::vector<std::string> { "touchesBegan:withEvent:", "touchesEnded:withEvent:", "reset" }));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "fired:" })) << "the inherited tap logic still ran";
    EXPECT_EQ(baseEnded, 1);
}

TEST_F(UIKitTest, AReplacedControlStateChangeSeesTouchHighlighting)
{
    showWindow();
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setFrame(CGRectMake(50, 50, 100, 40));
    button->setTitle("Go", UIControlStateNormal);
    button->setTitle("Going", UIControlStateHighlighted);
    root->view()->addSubview(button);
    std::vector<bool> seen;
    objc::Imp<void()> previous;
    MSHookMessageEx(env.runtime().getClass("UIButton"), "_stateDidChange", [&](UIButton* self, SEL cmd) {
        seen.push_back(self->isHighlighted());
        previous(self, cmd);
    }, &previous);
    uikit::TouchDriver driver;
    driver.touchDown(CGPointMake(60, 60));
    EXPECT_EQ(button->titleLabel()->text(), "Going") << "the button's own update still runs";
    driver.touchUp(CGPointMake(60, 60));
    EXPECT_EQ(seen, (std::vector<bool> { true, false }));
    EXPECT_EQ(button->titleLabel()->text(), "Go");
}

TEST_F(UIKitTest, PresentationAsksTheControllersOwnPreparationAndLayout)
{
    showWindow();
    auto& rt = env.runtime();
    // A card: builds its badge when shown, and sits inset in the container after super's layout.
    objc::Class* card = rt.registerClass("CardController", rt.getClass("UIViewController"));
    card->addMethod("_prepareForPresentation", [](UIViewController* self, SEL) { self->view()->addSubview(UIView::create(CGRectMake(0, 0, 10, 10))); });
    card->addMethod("_layoutInPresentationContainer:window:", [card](UIViewController* self, SEL cmd, UIView* container, UIWindow* window) {
        objc::msgSendSuper(card, self, objc::sel_getName(cmd), container, window);
        self->view()->setFrame(CGRectInset(container->bounds(), 20, 40));
    });
    Ref<UIViewController> vc(objc::checkedObjectCast<UIViewController>(objc::msgSend<Ref<objc::Object>>(card, "new").ptr()));
    root->presentViewController(vc, false);
    EXPECT_EQ(vc->view()->subviews().size(), 1u);
    EXPECT_EQ(vc->view()->frame(), CGRectInset(window->bounds(), 20, 40));

    // A replacement of the alert's layout is seen when an alert is presented.
    vc->dismissViewControllerAnimated(false);
    int layouts = 0;
    objc::Imp<void(UIView*, UIWindow*)> previous;
    MSHookMessageEx(rt.getClass("UIAlertController"), "_layoutInPresentationContainer:window:", [&](UIAlertController* self, SEL cmd, UIView* container, UIWindow* w) {
        ++layouts;
        previous(self, cmd, container, w);
    }, &previous);
    auto alert = UIAlertController::alertControllerWithTitle("Title", "Message", UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleDefault, nullptr));
    root->presentViewController(alert, false);
    EXPECT_EQ(layouts, 1);
    EXPECT_NE(alert->panelView(), nullptr) << "the alert's own layout built its panel";
}
