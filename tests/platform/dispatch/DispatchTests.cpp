#include "platform/dispatch/Queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

using namespace dispatch;


namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { RunLoop::main().reset(); }
    void TearDown() override { RunLoop::main().reset(); }
    RunLoop& loop = RunLoop::main();
};

TEST_F(DispatchTest, MainQueueRunsInOrderOnlyWhenTheLoopRuns)
{
    std::string trace;
    dispatch_async(dispatch_get_main_queue(), [&] { trace += "a"; });
    dispatch_async(dispatch_get_main_queue(), [&] {
        trace += "b";
        dispatch_async(dispatch_get_main_queue(), [&] { trace += "c"; });
    });
    EXPECT_EQ(trace, "");
    EXPECT_EQ(loop.runUntilIdle(), 3u);
    EXPECT_EQ(trace, "abc");
}

TEST_F(DispatchTest, DelayedBlocksRunAtTheirTimeInDueOrder)
{
    std::string trace;
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 30 * NSEC_PER_MSEC), dispatch_get_main_queue(), [&] { trace += "30"; });
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 10 * NSEC_PER_MSEC), dispatch_get_main_queue(), [&] {
        trace += "10";
        EXPECT_EQ(loop.now(), 10 * NSEC_PER_MSEC) << "a block runs at its own due time";
    });
    loop.advanceMilliseconds(9);
    EXPECT_EQ(trace, "");
    loop.advanceMilliseconds(1);
    EXPECT_EQ(trace, "10");
    loop.advanceMilliseconds(100);
    EXPECT_EQ(trace, "1030");
    EXPECT_EQ(loop.now(), 110 * NSEC_PER_MSEC);
}

TEST_F(DispatchTest, RepeatingTimersFireEachIntervalUntilCancelled)
{
    int fired = 0;
    auto id = loop.addTimer(100 * NSEC_PER_MSEC, true, [&] { ++fired; }, "common");
    loop.advanceMilliseconds(350);
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(loop.hasPendingWork()) << "a repeating timer alone is idle";
    loop.cancelTimer(id);
    EXPECT_FALSE(loop.isTimerValid(id));
    loop.advanceMilliseconds(500);
    EXPECT_EQ(fired, 3);
}

TEST_F(DispatchTest, GlobalQueueWorkReturnsThroughTheMainQueue)
{
    std::atomic<bool> onOtherThread { false };
    std::string result;
    auto mainThread = std::this_thread::get_id();
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0), [&] {
        onOtherThread = std::this_thread::get_id() != mainThread;
        dispatch_async(dispatch_get_main_queue(), [&] { result = "done"; });
    });
    loop.runUntilIdle();
    EXPECT_TRUE(onOtherThread);
    EXPECT_EQ(result, "done");
}

TEST_F(DispatchTest, ResetForgetsEverything)
{
    bool ran = false;
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, NSEC_PER_SEC), dispatch_get_main_queue(), [&] { ran = true; });
    loop.reset();
    loop.advanceMilliseconds(2000);
    EXPECT_FALSE(ran);
}

} // namespace
