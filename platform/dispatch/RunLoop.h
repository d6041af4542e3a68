#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

namespace dispatch {

using Block = std::function<void()>;
using Nanoseconds = std::int64_t;

// The device's one main run loop, on a virtual clock. Work queued to the main queue, delayed
// blocks, timers, Darwin notifications and animation completions all run here, on the thread
// that drives the loop, in order of due time (ties in order of queueing). Time moves only when
// the driver says so (`advance`), which makes tests and scripts deterministic; a front end that
// wants real time advances by the real time that passed.
//
// Blocks queued to the global queues run on real threads; the loop counts them so that
// `runUntilIdle` and `advance` can wait for their results to come back.
class RunLoop {
public:
    using TimerId = std::uint64_t;

    static RunLoop& main();

    // Virtual time since boot.
    Nanoseconds now() const;
    // Wall-clock time of the device: the boot time plus the virtual time since boot.
    std::chrono::system_clock::time_point wallClock() const;
    void setBootWallClock(std::chrono::system_clock::time_point);

    // Thread-safe: queue `block` to run on the loop `delay` from now.
    void post(Block block, Nanoseconds delay = 0);
    // A timer firing every `interval` (or once). `mode` is recorded ("default" or "common"); this
    // loop has no tracking mode, so timers of both kinds fire alike.
    TimerId addTimer(Nanoseconds interval, bool repeats, Block block, std::string mode = "default");
    void cancelTimer(TimerId id);
    bool isTimerValid(TimerId id) const;

    // Runs everything due now (including what that work queues for now), after waiting for
    // background work. Returns the number of blocks run.
    std::size_t runUntilIdle();
    // Moves the clock forward by `delta`, running everything that falls due on the way, each at
    // its own due time.
    std::size_t advance(Nanoseconds delta);
    std::size_t advanceMilliseconds(std::int64_t ms) { return advance(ms * 1'000'000); }
    // Advances until nothing but repeating timers is pending, or `limit` has passed.
    std::size_t settle(Nanoseconds limit);
    // True when a block or a one-shot timer is waiting (repeating timers do not count).
    bool hasPendingWork() const;

    // Background work accounting, used by the global queues.
    void backgroundStarted();
    void backgroundFinished();
    void waitForBackground();

    // Drops every pending block and timer and rewinds the clock: a freshly booted device.
    void reset();

private:
    struct Event {
        Nanoseconds due;
        std::uint64_t sequence;
        Block block;
        TimerId timer = 0;
        bool operator>(const Event& o) const { return due != o.due ? due > o.due : sequence > o.sequence; }
    };
    struct Timer {
        Nanoseconds interval;
        bool repeats;
        Block block;
        std::string mode;
    };

    bool popDue(Nanoseconds limit, Event& out);
    void runEvent(Event& event);

    mutable std::mutex m_mutex;
    std::condition_variable m_backgroundDone;
    std::priority_queue<Event, std::vector<Event>, std::greater<Event>> m_events;
    std::unordered_map<TimerId, Timer> m_timers;
    Nanoseconds m_now = 0;
    std::uint64_t m_sequence = 0;
    TimerId m_nextTimer = 1;
    int m_background = 0;
    std::chrono::system_clock::time_point m_bootWallClock = std::chrono::system_clock::now();
};

} // namespace dispatch
