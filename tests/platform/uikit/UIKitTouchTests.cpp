#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UIPinchGestureRecognizer.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITextField.h"

using objc::Ref;

namespace {

Ref<UIButton> addButton(UIView* parent, CGRect frame, ActionRecorder* recorder)
{
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(frame);
    button->setTitle("Go", UIControlStateNormal);
    button->addTarget(recorder, "down:", UIControlEventTouchDown);
    button->addTarget(recorder, "upInside:", UIControlEventTouchUpInside);
    button->addTarget(recorder, "upOutside:", UIControlEventTouchUpOutside);
    parent->addSubview(button);
    return button;
}

// A view that notes which of its touch methods ran, in order, in `log`.
std::vector<std::string>* g_touchLog = nullptr;
Ref<UIView> touchLogView(CGRect frame, std::vector<std::string>& log)
{
    g_touchLog = &log;
    auto& rt = objc::Runtime::current();
    objc::Class* cls = rt.getClass("TouchLogView");
    if (!cls) {
        cls = rt.registerClass("TouchLogView", rt.getClass("UIView"));
        for (const char* sel : { "touchesBegan:withEvent:", "touchesMoved:withEvent:", "touchesEnded:withEvent:", "touchesCancelled:withEvent:" })
            cls->addMethod(sel, [](UIView*, objc::SEL cmd, const UITouchSet&, UIEvent*) {
                std::string name = objc::sel_getName(cmd);
                g_touchLog->push_back(name.substr(7, name.find(':') - 7));
            });
    }
    return Ref<UIView>(objc::checkedObjectCast<UIView>(objc::msgSend<Ref<objc::Object>>(objc::msgSend<Ref<objc::Object>>(cls, "alloc"), "initWithFrame:", frame).ptr()));
}

} // namespace

TEST_F(UIKitTest, ARecognizerHoldsBackAndTakesTouchesFromItsView)
{
    showWindow();
    auto rec = ActionRecorder::make();
    std::vector<std::string> log;
    auto view = touchLogView(CGRectMake(0, 100, 300, 300), log);
    root->view()->addSubview(view);
    uikit::TouchDriver driver;

    // A tap takes the touch that made it: the view hears it begin and be cancelled, never end.
    auto tap = UIGestureRecognizer::create<UITapGestureRecognizer>(rec, "fired:");
    view->addGestureRecognizer(tap);
    driver.tap(CGPointMake(100, 200));
    EXPECT_EQ(log, (std::vector<std::string> { "Began", "Cancelled" }));
    EXPECT_EQ(rec->count("fired:"), 1u);
    // Unless it leaves the view its touches.
    log.clear();
    tap->setCancelsTouchesInView(false);
    driver.wait(1);
    driver.tap(CGPointMake(100, 200));
    EXPECT_EQ(log, (std::vector<std::string> { "Began", "Ended" }));
    view->removeGestureRecognizer(tap);

    // A double tap holds the end of a first tap back until it knows: one tap alone ends late.
    log.clear();
    auto twice = UIGestureRecognizer::create<UITapGestureRecognizer>(rec, "handle:");
    twice->setNumberOfTapsRequired(2);
    view->addGestureRecognizer(twice);
    driver.wait(1);
    driver.tap(CGPointMake(100, 200));
    EXPECT_EQ(log, (std::vector<std::string> { "Began" })) << "the end waits for a second tap";
    driver.wait(0.5);
    EXPECT_EQ(log, (std::vector<std::string> { "Began", "Ended" }));
    // Two taps: both touches are taken; neither ends in the view.
    log.clear();
    driver.wait(1);
    driver.tap(CGPointMake(100, 200), 2);
    driver.wait(0.5);
    EXPECT_EQ(rec->count("handle:"), 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Ended"), 0) << ::testing::PrintToString(log);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Began"), std::count(log.begin(), log.end(), "Cancelled"));
    // Without the delay the first tap ends at once.
    log.clear();
    twice->setDelaysTouchesEnded(false);
    driver.wait(1);
    driver.tap(CGPointMake(100, 200));
    EXPECT_EQ(log, (std::vector<std::string> { "Began", "Ended" }));
    view->removeGestureRecognizer(twice);

    // A long press that delays the beginning: a quick tap reaches the view only once the press
    // has failed; a press that is recognized never reaches it.
    log.clear();
    auto press = UIGestureRecognizer::create<UILongPressGestureRecognizer>(rec, "changed:");
    press->setDelaysTouchesBegan(true);
    view->addGestureRecognizer(press);
    driver.wait(1);
    driver.touchDown(CGPointMake(100, 200));
    driver.touchMove(CGPointMake(101, 200));
    EXPECT_TRUE(log.empty()) << ::testing::PrintToString(log);
    driver.touchUp(CGPointMake(101, 200));
    EXPECT_EQ(log, (std::vector<std::string> { "Began", "Ended" }));
    log.clear();
    driver.longPress(CGPointMake(100, 200), 1.0);
    EXPECT_TRUE(log.empty()) << ::testing::PrintToString(log);
    EXPECT_GE(rec->count("changed:"), 1u);
}

TEST_F(UIKitTest, TapOnAButtonFiresTouchDownThenTouchUpInside)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto button = addButton(root->view(), CGRectMake(50, 50, 100, 40), rec);
    uikit::TouchDriver driver;
    EXPECT_EQ(driver.touchDown(CGPointMake(60, 60)), button.ptr());
    EXPECT_TRUE(button->isHighlighted());
    driver.touchUp(CGPointMake(60, 60));
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "down:", "upInside:" }));
    EXPECT_EQ(rec->senders.back().ptr(), button.ptr()) << "the sender is the button";
    // A tap beside it fires nothing; a disabled button fires nothing.
    driver.tap(CGPointMake(300, 300));
    button->setEnabled(false);
    driver.tap(CGPointMake(60, 60));
    EXPECT_EQ(rec->calls.size(), 2u);
}

TEST_F(UIKitTest, DraggingOffAButtonFiresTouchUpOutside)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto button = addButton(root->view(), CGRectMake(50, 50, 100, 40), rec);
    uikit::TouchDriver driver;
    // Within the slack around the button the finger still counts as inside.
    driver.swipe(CGPointMake(60, 60), CGPointMake(60, 140), 0.6);
    EXPECT_EQ(rec->count("upInside:"), 1u);
    driver.swipe(CGPointMake(60, 60), CGPointMake(60, 400), 0.6);
    EXPECT_EQ(rec->count("upOutside:"), 1u);
    EXPECT_EQ(rec->count("upInside:"), 1u);
}

TEST_F(UIKitTest, ClassObjectsAndTwoArgumentActionsAreTargets)
{
    showWindow();
    auto& rt = env.runtime();
    objc::Class* helper = rt.registerClass("TapHelper", rt.getClass("NSObject"));
    int classCalls = 0, eventCalls = 0;
    helper->addClassMethod("showActionSheet:", [&](objc::Object*, objc::SEL, objc::Object* sender) { classCalls += objc::isKindOfClass(sender, "UIButton"); });
    helper->addClassMethod("pressed:withEvent:", [&](objc::Object*, objc::SEL, objc::Object*, objc::Object* event) { eventCalls += event != nullptr; });
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(0, 100, 50, 50));
    button->addTarget(helper, "showActionSheet:", UIControlEventTouchUpInside);
    button->addTarget(helper, "pressed:withEvent:", UIControlEventTouchUpInside);
    root->view()->addSubview(button);
    uikit::TouchDriver().tap(CGPointMake(10, 110));
    EXPECT_EQ(classCalls, 1);
    EXPECT_EQ(eventCalls, 1);
}

TEST_F(UIKitTest, SwipeUpFiresTheSwipeRecognizerAndNotATap)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto icon = UIView::create(CGRectMake(100, 200, 60, 60));
    root->view()->addSubview(icon);
    auto swipe = UIGestureRecognizer::create<UISwipeGestureRecognizer>(rec, "handle:");
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    auto tap = UIGestureRecognizer::create<UITapGestureRecognizer>(rec, "fired:");
    icon->addGestureRecognizer(tap);
    icon->addGestureRecognizer(swipe);
    uikit::TouchDriver driver;
    driver.swipe(CGPointMake(130, 250), CGPointMake(130, 150));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "handle:" }));
    // A swipe down does not fire an up recognizer; a tap fires the tap.
    driver.swipe(CGPointMake(130, 210), CGPointMake(130, 320));
    driver.tap(CGPointMake(130, 230));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "handle:", "fired:" }));
    EXPECT_EQ(rec->senders.back().ptr(), tap.ptr());
    EXPECT_EQ(tap->state(), UIGestureRecognizerStatePossible) << "reset after the sequence";
}

TEST_F(UIKitTest, DoubleTapNeedsBothTapsInTime)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto tap = UIGestureRecognizer::create<UITapGestureRecognizer>(rec, "fired:");
    tap->setNumberOfTapsRequired(2);
    root->view()->addGestureRecognizer(tap);
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(100, 100));
    driver.wait(1);
    driver.tap(CGPointMake(100, 100));
    EXPECT_EQ(rec->calls.size(), 0u) << "taps a second apart are two single taps";
    driver.wait(1);
    driver.tap(CGPointMake(100, 100), 2);
    EXPECT_EQ(rec->calls.size(), 1u);
}

TEST_F(UIKitTest, PinchReportsScaleIncrementsWhenReset)
{
    showWindow();
    struct Log : objc::NSObject {
        OBJC_CLASS(PinchLog)
    };
    std::vector<double> increments;
    std::vector<UIGestureRecognizerState> states;
    objc::Class* cls = env.runtime().registerClass<Log>("NSObject");
    cls->addMethod("pinch:", [&](objc::Object*, objc::SEL, UIPinchGestureRecognizer* r) {
        states.push_back(r->state());
        increments.push_back(r->scale());
        r->setScale(1);
    });
    auto log = objc::make<Log>();
    auto pinch = UIGestureRecognizer::create<UIPinchGestureRecognizer>(log, "pinch:");
    root->view()->addGestureRecognizer(pinch);
    uikit::TouchDriver().pinch(CGPointMake(187, 300), 2.0);
    ASSERT_GE(increments.size(), 3u);
    EXPECT_EQ(states.front(), UIGestureRecognizerStateBegan);
    EXPECT_EQ(states.back(), UIGestureRecognizerStateEnded);
    double product = 1;
    for (double s : increments)
        product *= s;
    EXPECT_NEAR(product, 2.0, 1e-9) << "the increments multiply to the whole pinch";
    for (double s : increments)
        EXPECT_GE(s, 1.0);
}

TEST_F(UIKitTest, LongPressFiresAfterItsDurationAndNotBefore)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto press = UIGestureRecognizer::create<UILongPressGestureRecognizer>(rec, "handle:");
    press->setMinimumPressDuration(0.8);
    auto buttonRec = ActionRecorder::make();
    auto cell = UIView::create(CGRectMake(0, 100, 375, 44));
    root->view()->addSubview(cell);
    cell->addGestureRecognizer(press);
    uikit::TouchDriver driver;
    driver.longPress(CGPointMake(20, 120), 0.7);
    EXPECT_TRUE(rec->calls.empty());
    driver.touchDown(CGPointMake(20, 120));
    driver.wait(0.79);
    EXPECT_TRUE(rec->calls.empty());
    driver.wait(0.02);
    ASSERT_EQ(rec->calls.size(), 1u) << "fires while the finger is still down";
    EXPECT_EQ(press->state(), UIGestureRecognizerStateBegan);
    driver.touchUp(CGPointMake(20, 120));
    EXPECT_EQ(rec->calls.size(), 2u);
    // Moving away before the time is up is not a long press.
    driver.touchDown(CGPointMake(20, 120));
    driver.touchMove(CGPointMake(60, 120));
    driver.wait(1);
    driver.touchUp(CGPointMake(60, 120));
    EXPECT_EQ(rec->calls.size(), 2u);
}

TEST_F(UIKitTest, RecognizerCancelsTheButtonItTookTheTouchFrom)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto button = addButton(root->view(), CGRectMake(0, 100, 300, 100), rec);
    button->addTarget(rec, "cancel:", UIControlEventTouchCancel);
    auto swipe = UIGestureRecognizer::create<UISwipeGestureRecognizer>(rec, "handle:");
    swipe->setDirection(UISwipeGestureRecognizerDirectionRight);
    root->view()->addGestureRecognizer(swipe);
    uikit::TouchDriver().swipe(CGPointMake(10, 150), CGPointMake(120, 150));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "down:", "cancel:", "handle:" })) << "the button lets go before the action runs";
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(UIKitTest, PanTranslationIsMeasuredInAViewAndCanBeReset)
{
    showWindow();
    std::vector<CGPoint> steps;
    struct Log : objc::NSObject {
        OBJC_CLASS(PanLog)
    };
    objc::Class* cls = env.runtime().registerClass<Log>("NSObject");
    auto container = UIView::create(CGRectMake(0, 0, 375, 667));
    container->setTransform(CGAffineTransformMakeScale(2, 2));
    root->view()->addSubview(container);
    cls->addMethod("pan:", [&](objc::Object*, objc::SEL, UIPanGestureRecognizer* r) {
        steps.push_back(r->translationInView(container));
        r->setTranslation(CGPointZero, container);
    });
    auto log = objc::make<Log>();
    root->view()->addGestureRecognizer(UIGestureRecognizer::create<UIPanGestureRecognizer>(log, "pan:"));
    uikit::TouchDriver().drag(CGPointMake(100, 300), CGPointMake(200, 300));
    double total = 0;
    for (auto& p : steps)
        total += p.x;
    EXPECT_NEAR(total, 50, 1e-9) << "100 screen points are 50 in a view scaled by 2";
}

TEST_F(UIKitTest, TextFieldTakesFocusOnTapAndTypedText)
{
    showWindow();
    auto field = UITextField::create(CGRectMake(20, 100, 200, 30));
    root->view()->addSubview(field);
    auto rec = ActionRecorder::make();
    field->addTarget(rec, "changed:", UIControlEventEditingChanged);
    uikit::TouchDriver driver;
    driver.typeText("ignored");
    EXPECT_EQ(field->text(), "");
    driver.tap(CGPointMake(30, 110));
    EXPECT_TRUE(field->isFirstResponder());
    driver.typeText("http://");
    driver.typeText("x.org");
    EXPECT_EQ(field->text(), "http://x.org");
    EXPECT_EQ(rec->count("changed:"), 2u);
}

TEST_F(UIKitTest, SwitchSliderSegmentsAndTimePickerSendValueChanged)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto sw = UISwitch::create(CGRectMake(10, 100, 200, 200));
    EXPECT_EQ(sw->frame().size, CGSizeMake(51, 31)) << "a switch keeps its own size";
    sw->addTarget(rec, "changed:", UIControlEventValueChanged);
    auto slider = UISlider::create(CGRectMake(10, 200, 228, 31));
    slider->setMinimumValue(0);
    slider->setMaximumValue(100);
    slider->addTarget(rec, "changed:", UIControlEventValueChanged);
    slider->addTarget(rec, "upInside:", UIControlEventTouchUpInside);
    // The appearance proxy's tint reaches controls made afterwards.
    objc::msgSend<Ref<objc::Object>>(objc::objc_getClass("UISegmentedControl"), "appearance");
    UISegmentedControlAppearance::shared()->setTintColor(UIColor::redColor());
    auto segments = UISegmentedControl::createWithItems({ "Tap", "Swipe up", "Button" });
    segments->setFrame(CGRectMake(10, 300, 210, 29));
    segments->setSelectedSegmentIndex(0);
    segments->addTarget(rec, "fired:", UIControlEventValueChanged);
    EXPECT_TRUE(segments->tintColor()->isEqual(UIColor::redColor()));
    auto picker = UIDatePicker::create(CGRectMake(0, 400, 320, 216));
    picker->setDatePickerMode(UIDatePickerModeTime);
    picker->addTarget(rec, "handle:", UIControlEventValueChanged);
    for (UIView* v : std::initializer_list<UIView*> { sw, slider, segments, picker })
        root->view()->addSubview(v);

    uikit::TouchDriver driver;
    driver.tap(CGPointMake(30, 115));
    EXPECT_TRUE(sw->isOn());
    driver.drag(CGPointMake(24, 215), CGPointMake(124, 215));
    EXPECT_NEAR(slider->value(), 50, 1);
    EXPECT_EQ(rec->count("upInside:"), 1u);
    driver.tap(CGPointMake(190, 314));
    EXPECT_EQ(segments->selectedSegmentIndex(), 2);
    int hour = picker->hour(), minute = picker->minute();
    driver.drag(CGPointMake(250, 508), CGPointMake(250, 508 - 64));
    EXPECT_EQ(picker->minute(), (minute + 2) % 60) << "dragging the minute wheel up two rows";
    EXPECT_EQ(picker->hour(), hour);
    driver.tap(CGPointMake(60, 508 - 40));
    EXPECT_EQ(picker->hour(), (hour + 23) % 24) << "tapping the row above the hour";
    EXPECT_EQ(rec->count("fired:"), 1u);
    EXPECT_EQ(rec->count("handle:"), 2u);
    EXPECT_GE(rec->count("changed:"), 2u);
}
