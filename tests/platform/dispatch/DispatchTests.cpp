#include "platform/dispatch/Queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

using namespace dispatch;


namespace {

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { RunLoop::main().reset(); }
    void TearDown() override
    {
        RunLoop::main().setWaitsForBackground(true);
        RunLoop::main().reset();
    }
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

TEST_F(DispatchTest, ALoopThatDoesNotWaitKeepsTurningWhileBackgroundWorkRuns)
{
    loop.setWaitsForBackground(false);
    std::promise<void> go;
    std::shared_future<void> started = go.get_future().share();
    std::atomic<bool> done { false };
    int ticks = 0;
    loop.addTimer(10 * NSEC_PER_MSEC, true, [&] { ++ticks; });
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0), [&, started] {
        started.wait();
        dispatch_async(dispatch_get_main_queue(), [&] { done = true; });
    });
    loop.advanceMilliseconds(100);
    EXPECT_EQ(ticks, 10) << "timers fire while the background block is held";
    EXPECT_FALSE(done);

    go.set_value();
    for (int i = 0; i < 5000 && !done; ++i) {
        loop.runUntilIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(done) << "the result comes back through the main queue once it is ready";
}

// A background block waiting for the clock (as a download from a server that answers after a
// delay): the loop moves on, stops at the time it waits for, and takes its result there, before
// anything due later. Each run gives the same trace.
TEST_F(DispatchTest, BackgroundWorkWaitingForTheClockIsReleasedAtItsTime)
{
    for (int run = 0; run < 3; ++run) {
        loop.reset();
        std::vector<std::pair<std::string, Nanoseconds>> trace;
        auto note = [&](const char* what) { trace.emplace_back(what, loop.now()); };
        dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 1500 * NSEC_PER_MSEC), dispatch_get_main_queue(), [&] { note("later"); });
        dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0), [&] {
            bool answered = loop.sleepUntil(loop.now() + NSEC_PER_SEC);
            dispatch_async(dispatch_get_main_queue(), [&, answered] { note(answered ? "answer" : "sent away"); });
        });
        loop.advanceMilliseconds(999);
        EXPECT_TRUE(trace.empty()) << "the clock moved although the work waits for it";
        EXPECT_EQ(loop.now(), 999 * NSEC_PER_MSEC);
        loop.advanceMilliseconds(1000);
        std::vector<std::pair<std::string, Nanoseconds>> expected { { "answer", NSEC_PER_SEC }, { "later", 1500 * NSEC_PER_MSEC } };
        EXPECT_EQ(trace, expected) << "run " << run;
    }
}

TEST_F(DispatchTest, ASleeperIsSentAwayByItsStopOrAReset)
{
    std::stop_source stop;
    auto stopped = std::async(std::launch::async, [&] { return loop.sleepUntil(NSEC_PER_SEC, stop.get_token()); });
    EXPECT_EQ(stopped.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    stop.request_stop();
    EXPECT_FALSE(stopped.get());
    loop.advanceMilliseconds(2000);
    EXPECT_TRUE(loop.sleepUntil(NSEC_PER_SEC)) << "a time already passed is no wait";

    std::atomic<int> answer { -1 };
    dispatch_async(dispatch_get_global_queue(DISPATCH_QUEUE_PRIORITY_DEFAULT, 0), [&] { answer = loop.sleepUntil(loop.now() + NSEC_PER_SEC); });
    loop.runUntilIdle();
    loop.reset(); // returns only once the background block has ended
    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(loop.hasPendingWork());
}

} // namespace
