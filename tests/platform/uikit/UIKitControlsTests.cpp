#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/corefoundation/NSDate.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDatePicker.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISlider.h"
#include "platform/uikit/UISwitch.h"

#include <ctime>

using objc::Ref;

// Switches, sliders, segmented controls, the time picker and target-action bookkeeping, driven by
// touches as a user would.

TEST_F(UIKitTest, SwitchTapTogglesAndSendsValueChangedOncePerTap)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto sw = UISwitch::create(CGRectMake(100, 100, 0, 0));
    sw->addTarget(rec, "changed:", UIControlEventValueChanged);
    root->view()->addSubview(sw);
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(120, 115));
    EXPECT_TRUE(sw->isOn());
    EXPECT_EQ(rec->count("changed:"), 1u);
    driver.tap(CGPointMake(120, 115));
    EXPECT_FALSE(sw->isOn());
    EXPECT_EQ(rec->count("changed:"), 2u);
    // Set from code: no action.
    sw->setOn(true, true);
    EXPECT_EQ(rec->count("changed:"), 2u);
    // A finger that lands on it and leaves far away does not toggle it.
    driver.swipe(CGPointMake(120, 115), CGPointMake(120, 400));
    EXPECT_TRUE(sw->isOn());
    EXPECT_EQ(rec->count("changed:"), 2u);
}

TEST_F(UIKitTest, SliderMapsTheFingerOntoItsRangeAndClamps)
{
    showWindow();
    auto rec = ActionRecorder::make();
    // The track runs from 14 to 214 in the slider (its thumb's radius in from each end).
    auto slider = UISlider::create(CGRectMake(10, 200, 228, 31));
    slider->setMinimumValue(10);
    slider->setMaximumValue(20);
    slider->addTarget(rec, "changed:", UIControlEventValueChanged);
    root->view()->addSubview(slider);
    EXPECT_EQ(slider->value(), 10) << "a value below a new minimum is raised to it";
    uikit::TouchDriver driver;
    driver.drag(CGPointMake(24, 215), CGPointMake(124, 215));
    EXPECT_NEAR(slider->value(), 15, 0.01);
    driver.drag(CGPointMake(124, 215), CGPointMake(370, 215));
    EXPECT_EQ(slider->value(), 20) << "past the end is the maximum";
    driver.drag(CGPointMake(224, 215), CGPointMake(0, 215));
    EXPECT_EQ(slider->value(), 10) << "past the start is the minimum";
    EXPECT_GE(rec->count("changed:"), 3u);

    // Values set from code are clamped too.
    slider->setValue(99);
    EXPECT_EQ(slider->value(), 20);
    slider->setValue(-5);
    EXPECT_EQ(slider->value(), 10);

    // A slider that is not continuous reports once, when the finger lifts.
    rec->calls.clear();
    slider->setContinuous(false);
    driver.drag(CGPointMake(24, 215), CGPointMake(174, 215));
    EXPECT_NEAR(slider->value(), 17.5, 0.01);
    EXPECT_EQ(rec->count("changed:"), 1u);
}

TEST_F(UIKitTest, DisabledControlsIgnoreTouches)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto sw = UISwitch::create(CGRectMake(10, 100, 0, 0));
    auto slider = UISlider::create(CGRectMake(10, 200, 228, 31));
    auto segments = UISegmentedControl::createWithItems({ "A", "B" });
    segments->setFrame(CGRectMake(10, 300, 140, 29));
    segments->setSelectedSegmentIndex(0);
    for (UIControl* c : std::initializer_list<UIControl*> { sw, slider, segments }) {
        c->addTarget(rec, "changed:", UIControlEventValueChanged);
        c->addTarget(rec, "down:", UIControlEventTouchDown);
        c->setEnabled(false);
        root->view()->addSubview(c);
    }
    EXPECT_TRUE(sw->state() & UIControlStateDisabled);
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(30, 115));
    driver.drag(CGPointMake(24, 215), CGPointMake(200, 215));
    driver.tap(CGPointMake(120, 314));
    EXPECT_FALSE(sw->isOn());
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(segments->selectedSegmentIndex(), 0);
    EXPECT_TRUE(rec->calls.empty());
    // Enabled again, they work.
    sw->setEnabled(true);
    driver.tap(CGPointMake(30, 115));
    EXPECT_TRUE(sw->isOn());
}

TEST_F(UIKitTest, SegmentedControlReportsOnlyRealChanges)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto segments = UISegmentedControl::createWithItems({ "One", "Two", "Three" });
    EXPECT_EQ(segments->frame().size, CGSizeMake(210, 29));
    EXPECT_EQ(segments->selectedSegmentIndex(), -1) << "nothing chosen at first";
    segments->setFrame(CGRectMake(0, 100, 300, 30));
    segments->addTarget(rec, "changed:", UIControlEventValueChanged);
    root->view()->addSubview(segments);
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(150, 115));
    EXPECT_EQ(segments->selectedSegmentIndex(), 1);
    driver.tap(CGPointMake(160, 115));
    EXPECT_EQ(rec->count("changed:"), 1u) << "tapping the chosen segment again changes nothing";
    driver.tap(CGPointMake(299, 115));
    EXPECT_EQ(segments->selectedSegmentIndex(), 2);
    EXPECT_EQ(rec->count("changed:"), 2u);
    // Setting from code sends nothing; out-of-range indexes mean no selection.
    segments->setSelectedSegmentIndex(0);
    segments->setSelectedSegmentIndex(3);
    EXPECT_EQ(segments->selectedSegmentIndex(), -1);
    EXPECT_EQ(rec->count("changed:"), 2u);
    // Inserting before the chosen segment keeps the same one chosen.
    segments->setSelectedSegmentIndex(1);
    segments->insertSegmentWithTitle("Zero", 0);
    EXPECT_EQ(segments->numberOfSegments(), 4u);
    EXPECT_EQ(segments->selectedSegmentIndex(), 2);
    EXPECT_EQ(segments->titleForSegmentAtIndex(2), "Two");
}

TEST_F(UIKitTest, TimePickerTurnsItsWheelsByWholeRowsAndWraps)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto picker = UIDatePicker::create(CGRectMake(0, 400, 320, 216));
    picker->setDatePickerMode(UIDatePickerModeTime);
    picker->addTarget(rec, "changed:", UIControlEventValueChanged);
    root->view()->addSubview(picker);
    // 23:58 today, local time.
    std::time_t now = std::time(nullptr);
    std::tm tm {};
    localtime_r(&now, &tm);
    tm.tm_hour = 23;
    tm.tm_min = 58;
    tm.tm_sec = 30;
    tm.tm_isdst = -1;
    picker->setDate(NSDate::withTimeIntervalSince1970(static_cast<double>(std::mktime(&tm))));
    ASSERT_EQ(picker->hour(), 23);
    ASSERT_EQ(picker->minute(), 58);
    uikit::TouchDriver driver;
    double middle = 400 + 108;
    // Three rows up on the minutes: 58 → 01, and the hour stays.
    driver.drag(CGPointMake(250, middle), CGPointMake(250, middle - 96));
    EXPECT_EQ(picker->minute(), 1);
    EXPECT_EQ(picker->hour(), 23);
    // The row below the middle of the hours: 23 → 0.
    driver.tap(CGPointMake(60, middle + 40));
    EXPECT_EQ(picker->hour(), 0);
    // A tap on the middle row turns nothing and reports nothing.
    size_t before = rec->count("changed:");
    driver.tap(CGPointMake(60, middle));
    EXPECT_EQ(rec->count("changed:"), before);
    EXPECT_EQ(before, 2u);
    // Dragging down turns back; the seconds are kept.
    driver.drag(CGPointMake(250, middle), CGPointMake(250, middle + 64));
    EXPECT_EQ(picker->minute(), 59);
    std::time_t shown = static_cast<std::time_t>(picker->date()->timeIntervalSince1970());
    std::tm after {};
    localtime_r(&shown, &after);
    EXPECT_EQ(after.tm_sec, 30);
    // With a 15-minute interval a row is 15 minutes, from the interval below.
    picker->setMinuteInterval(15);
    driver.drag(CGPointMake(250, middle), CGPointMake(250, middle - 32));
    EXPECT_EQ(picker->minute(), 0) << "59 falls to 45, one row on is 00";
    picker->setMinuteInterval(7); // does not divide the hour: back to 1
    EXPECT_EQ(picker->minuteInterval(), 1);
}

TEST_F(UIKitTest, RemovedTargetsAndReleasedTargetsGetNoActions)
{
    showWindow();
    auto rec = ActionRecorder::make();
    auto other = ActionRecorder::make();
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(0, 100, 100, 50));
    root->view()->addSubview(button);
    button->addTarget(rec, "upInside:", UIControlEventTouchUpInside);
    button->addTarget(rec, "down:", UIControlEventTouchDown);
    button->addTarget(other, "fired:", UIControlEventTouchUpInside | UIControlEventTouchDown);
    // Adding the same pair again does not send twice.
    button->addTarget(rec, "upInside:", UIControlEventTouchUpInside);
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(10, 110));
    EXPECT_EQ(rec->calls, (std::vector<std::string> { "down:", "upInside:" }));
    EXPECT_EQ(other->count("fired:"), 2u);

    // Removing one event of a pair keeps the others.
    button->removeTarget(other, objc::sel_registerName("fired:"), UIControlEventTouchDown);
    EXPECT_EQ(button->actionsForTarget(other, UIControlEventTouchUpInside), (std::vector<std::string> { "fired:" }));
    EXPECT_TRUE(button->actionsForTarget(other, UIControlEventTouchDown).empty());
    // A null action removes every action of the target for the events.
    button->removeTarget(rec, nullptr, UIControlEventAllEvents);
    rec->calls.clear();
    driver.tap(CGPointMake(10, 110));
    EXPECT_TRUE(rec->calls.empty());
    EXPECT_EQ(other->count("fired:"), 3u);

    // A target that went away is not messaged (targets are not retained).
    {
        auto shortLived = ActionRecorder::make();
        button->addTarget(shortLived, "fired:", UIControlEventTouchUpInside);
    }
    driver.tap(CGPointMake(10, 110));
    EXPECT_EQ(other->count("fired:"), 4u);
    // A null target removes everyone.
    button->removeTarget(nullptr, nullptr, UIControlEventAllEvents);
    driver.tap(CGPointMake(10, 110));
    EXPECT_EQ(other->count("fired:"), 4u);
}

TEST_F(UIKitTest, ClassTargetAndNilTargetReachTheirReceivers)
{
    showWindow();
    auto& rt = env.runtime();
    // A class object as the target of a switch.
    objc::Class* helper = rt.registerClass("SwitchHelper", rt.getClass("NSObject"));
    int classCalls = 0;
    helper->addClassMethod("toggled:", [&](objc::Object*, objc::SEL, objc::Object* sender) { classCalls += objc::isKindOfClass(sender, "UISwitch"); });
    auto sw = UISwitch::create(CGRectMake(10, 100, 0, 0));
    sw->addTarget(helper, "toggled:", UIControlEventValueChanged);
    root->view()->addSubview(sw);
    // A nil target goes up the responder chain: past the views to the controller that answers.
    objc::Class* controllerClass = rt.registerClass("ChainController", rt.getClass("UIViewController"));
    int chainCalls = 0;
    controllerClass->addMethod("buttonPressed:", [&](objc::Object*, objc::SEL, objc::Object*) { ++chainCalls; });
    Ref<UIViewController> page(objc::checkedObjectCast<UIViewController>(objc::msgSend<Ref<objc::Object>>(controllerClass, "new").ptr()));
    root->presentViewController(page, false);
    auto holder = UIView::create(CGRectMake(0, 200, 200, 100));
    page->view()->addSubview(holder);
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(CGRectMake(0, 0, 100, 50));
    button->addTarget(nullptr, "buttonPressed:", UIControlEventTouchUpInside);
    holder->addSubview(button);
    dispatch::RunLoop::main().runUntilIdle();
    uikit::TouchDriver driver;
    driver.tap(CGPointMake(10, 210));
    EXPECT_EQ(chainCalls, 1);
    root->dismissViewControllerAnimated(false);
    dispatch::RunLoop::main().runUntilIdle();
    driver.tap(CGPointMake(20, 110));
    EXPECT_EQ(classCalls, 1);
}
