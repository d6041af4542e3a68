#include "platform/foundation/Foundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {

class Ticker : public objc::NSObject {
    OBJC_CLASS(Ticker)
public:
    int ticks = 0;
    int bareTicks = 0;
    NSTimer* lastTimer = nullptr;
};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerFoundationClasses(env.runtime());
        objc::Class* cls = env.runtime().registerClass<Ticker>("NSObject");
        cls->addMethod("tick:", [](Ticker* self, SEL, NSTimer* timer) {
            ++self->ticks;
            self->lastTimer = timer;
        });
        cls->addMethod("tick", [](Ticker* self, SEL) { ++self->bareTicks; });
        ticker = objc::make<Ticker>();
    }

    testing_support::TestEnvironment env;
    dispatch::RunLoop& loop = dispatch::RunLoop::main();
    Ref<Ticker> ticker;
};

TEST_F(TimerTest, ScheduledTimerMessagesItsTargetOnTheVirtualClock)
{
    auto timer = msgSend<Ref<NSTimer>>(objc::objc_getClass("NSTimer"), "scheduledTimerWithTimeInterval:target:selector:userInfo:repeats:", 0.5, ticker,
        objc::sel_registerName("tick:"), NSString::make("info"), true);
    ASSERT_TRUE(timer);
    loop.advanceMilliseconds(499);
    EXPECT_EQ(ticker->ticks, 0);
    loop.advanceMilliseconds(1);
    EXPECT_EQ(ticker->ticks, 1);
    EXPECT_EQ(ticker->lastTimer, timer.ptr()) << "the timer is the argument";
    loop.advanceMilliseconds(1000);
    EXPECT_EQ(ticker->ticks, 3);
    EXPECT_EQ(corefoundation::stringValueOf(msgSend<Ref<objc::Object>>(timer, "userInfo")), "info");
    msgSend(timer, "invalidate");
    EXPECT_FALSE(msgSend<bool>(timer, "isValid"));
    loop.advanceMilliseconds(2000);
    EXPECT_EQ(ticker->ticks, 3);
}

TEST_F(TimerTest, OneShotTimerInvalidatesItselfAndReleasesItsTarget)
{
    int targetRefs = ticker->retainCount();
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.1, ticker, objc::sel_registerName("tick"), nullptr, false);
    EXPECT_GT(ticker->retainCount(), targetRefs) << "a scheduled timer holds its target";
    loop.advanceMilliseconds(1000);
    EXPECT_EQ(ticker->bareTicks, 1) << "a selector without argument is sent without one";
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(ticker->retainCount(), targetRefs);
}

TEST_F(TimerTest, UnscheduledTimersWaitForTheRunLoop)
{
    int fired = 0;
    NSTimerBlock block = [&](NSTimer*) { ++fired; };
    auto timer = msgSend<Ref<NSTimer>>(objc::objc_getClass("NSTimer"), "timerWithTimeInterval:repeats:block:", 0.2, true, block);
    loop.advanceMilliseconds(1000);
    EXPECT_EQ(fired, 0);
    auto runLoop = msgSend<Ref<NSRunLoop>>(objc::objc_getClass("NSRunLoop"), "mainRunLoop");
    msgSend(runLoop, "addTimer:forMode:", timer, NSRunLoopCommonModes);
    msgSend(runLoop, "addTimer:forMode:", timer, NSDefaultRunLoopMode); // a second add changes nothing
    loop.advanceMilliseconds(1000);
    EXPECT_EQ(fired, 5);
    msgSend(timer, "fire");
    EXPECT_EQ(fired, 6);
    EXPECT_TRUE(timer->isValid()) << "firing a repeating timer by hand keeps it";
    timer->invalidate();
    msgSend(timer, "fire");
    EXPECT_EQ(fired, 6);
}

TEST_F(TimerTest, ATimerMayInvalidateItselfWhileFiring)
{
    int fired = 0;
    NSTimer::scheduledTimerWithTimeInterval(0.1, true, [&](NSTimer* timer) {
        if (++fired == 2)
            timer->invalidate();
    });
    loop.advanceMilliseconds(1000);
    EXPECT_EQ(fired, 2);
}

} // namespace
