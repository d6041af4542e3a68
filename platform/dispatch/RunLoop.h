#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <set>
#include <stop_token>
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
// Blocks queued to the global queues run on real threads; the loop counts them. By default
// `runUntilIdle` and `advance` wait for them (their results come back through the main queue
// before the clock moves on), so a script sees the same frames on every run. A live phone turns
// that off: the loop keeps turning while they run and their results arrive when they are ready.
//
// Background work may wait for the virtual clock (a test web server that answers after a delay):
// while it waits it counts as parked, so the loop moves on; `advance` stops at the time it waits
// for, lets it go, and waits for it again from there.
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

    // Runs everything due now (including what that work queues for now), waiting for background
    // work before each block when the loop waits for it. Returns the number of blocks run.
    std::size_t runUntilIdle();
    // Moves the clock forward by `delta`, running everything that falls due on the way, each at
    // its own due time.
    std::size_t advance(Nanoseconds delta);
    std::size_t advanceMilliseconds(std::int64_t ms) { return advance(ms * 1'000'000); }
    // Advances until nothing but repeating timers is pending, or `limit` has passed.
    std::size_t settle(Nanoseconds limit);
    // True when a block or a one-shot timer is waiting (repeating timers do not count).
    bool hasPendingWork() const;

    // True (the default): `runUntilIdle` and `advance` wait for the global queues' work before
    // running anything else. False: they never wait for it.
    void setWaitsForBackground(bool waits);
    bool waitsForBackground() const;

    // Background work accounting, used by the global queues.
    void backgroundStarted();
    void backgroundFinished();
    // Waits until every background block has finished or waits for the clock (whatever
    // `waitsForBackground` says).
    void waitForBackground();

    // Any thread but the loop's: blocks until the virtual clock reaches `until` and answers true,
    // or answers false when `stop` is requested or the loop is reset first. Meanwhile one running
    // background block counts as parked, so that the loop does not wait for it.
    // NOTE: meant for a thread that serves a background block's request (the block itself is
    // waiting for the answer); a caller that no background block waits for makes the loop
    // stop waiting for one that still runs.
    bool sleepUntil(Nanoseconds until, std::stop_token stop = {});

    // Sends sleepers away, waits for every background block to end, then drops every pending
    // block and timer, rewinds the clock and waits for background work again from then on: a
    // freshly booted device.
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

    enum class Next { Nothing, Event, Released };
    // The next thing due at or before `limit`: a parked sleeper to release (first at equal
    // times) or an event to run.
    Next popDue(Nanoseconds limit, Event& out);
    void runEvent(Event& event);
    // With the lock held: moves the clock to `t` (never back) and releases the sleepers due by then.
    void moveClockLocked(Nanoseconds t);
    void waitForBackgroundIfWanted();

    mutable std::mutex m_mutex;
    std::condition_variable m_backgroundDone;
    std::condition_variable_any m_clockMoved;
    std::priority_queue<Event, std::vector<Event>, std::greater<Event>> m_events;
    std::unordered_map<TimerId, Timer> m_timers;
    Nanoseconds m_now = 0;
    std::uint64_t m_sequence = 0;
    TimerId m_nextTimer = 1;
    int m_background = 0;
    bool m_waitsForBackground = true;
    // When each parked sleeper wakes; the loop removes them as its clock passes.
    std::multiset<Nanoseconds> m_sleepers;
    // Counts resets, which send every sleeper away.
    std::uint64_t m_resets = 0;
    std::chrono::system_clock::time_point m_bootWallClock = std::chrono::system_clock::now();
};

} // namespace dispatch
