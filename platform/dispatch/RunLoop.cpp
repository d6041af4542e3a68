#include "RunLoop.h"

namespace dispatch {

RunLoop& RunLoop::main()
{
    static RunLoop loop;
    return loop;
}

Nanoseconds RunLoop::now() const
{
    std::lock_guard lock(m_mutex);
    return m_now;
}

std::chrono::system_clock::time_point RunLoop::wallClock() const
{
    std::lock_guard lock(m_mutex);
    return m_bootWallClock + std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(m_now));
}

void RunLoop::setBootWallClock(std::chrono::system_clock::time_point t)
{
    std::lock_guard lock(m_mutex);
    m_bootWallClock = t;
}

void RunLoop::post(Block block, Nanoseconds delay)
{
    std::lock_guard lock(m_mutex);
    m_events.push(Event { m_now + std::max<Nanoseconds>(delay, 0), m_sequence++, std::move(block), 0 });
}

RunLoop::TimerId RunLoop::addTimer(Nanoseconds interval, bool repeats, Block block, std::string mode)
{
    std::lock_guard lock(m_mutex);
    TimerId id = m_nextTimer++;
    // A repeating timer with no interval would fire forever at one instant; the platform clamps it.
    if (repeats && interval <= 0)
        interval = 100'000;
    m_timers.emplace(id, Timer { interval, repeats, std::move(block), std::move(mode) });
    m_events.push(Event { m_now + std::max<Nanoseconds>(interval, 0), m_sequence++, nullptr, id });
    return id;
}

void RunLoop::cancelTimer(TimerId id)
{
    std::lock_guard lock(m_mutex);
    m_timers.erase(id);
}

bool RunLoop::isTimerValid(TimerId id) const
{
    std::lock_guard lock(m_mutex);
    return m_timers.count(id) != 0;
}

RunLoop::Next RunLoop::popDue(Nanoseconds limit, Event& out)
{
    std::lock_guard lock(m_mutex);
    while (!m_sleepers.empty() || !m_events.empty()) {
        if (!m_sleepers.empty()) {
            Nanoseconds wake = *m_sleepers.begin();
            if (wake <= limit && (m_events.empty() || wake <= m_events.top().due)) {
                moveClockLocked(wake);
                return Next::Released;
            }
        }
        if (m_events.empty())
            return Next::Nothing;
        const Event& top = m_events.top();
        if (top.due > limit)
            return Next::Nothing;
        out = top;
        m_events.pop();
        if (out.timer) {
            auto it = m_timers.find(out.timer);
            if (it == m_timers.end())
                continue; // cancelled
            out.block = it->second.block;
            if (it->second.repeats)
                m_events.push(Event { out.due + it->second.interval, m_sequence++, nullptr, out.timer });
            else
                m_timers.erase(it);
        }
        moveClockLocked(out.due);
        return Next::Event;
    }
    return Next::Nothing;
}

void RunLoop::moveClockLocked(Nanoseconds t)
{
    m_now = std::max(m_now, t);
    if (m_sleepers.empty() || *m_sleepers.begin() > m_now)
        return;
    m_sleepers.erase(m_sleepers.begin(), m_sleepers.upper_bound(m_now));
    m_clockMoved.notify_all();
}

void RunLoop::runEvent(Event& event)
{
    if (event.block)
        event.block();
}

std::size_t RunLoop::runUntilIdle()
{
    waitForBackgroundIfWanted();
    std::size_t count = 0;
    Event event;
    for (Next next; (next = popDue(now(), event)) != Next::Nothing;) {
        if (next == Next::Event) {
            runEvent(event);
            ++count;
        }
        waitForBackgroundIfWanted();
    }
    return count;
}

std::size_t RunLoop::advance(Nanoseconds delta)
{
    Nanoseconds target = now() + std::max<Nanoseconds>(delta, 0);
    std::size_t count = runUntilIdle();
    Event event;
    for (Next next; (next = popDue(target, event)) != Next::Nothing;) {
        if (next == Next::Event) {
            runEvent(event);
            ++count;
        }
        waitForBackgroundIfWanted();
    }
    {
        std::lock_guard lock(m_mutex);
        moveClockLocked(target);
    }
    return count + runUntilIdle();
}

bool RunLoop::hasPendingWork() const
{
    std::lock_guard lock(m_mutex);
    if (m_background > 0)
        return true;
    auto copy = m_events;
    while (!copy.empty()) {
        const Event& e = copy.top();
        if (!e.timer)
            return true;
        auto it = m_timers.find(e.timer);
        if (it != m_timers.end() && !it->second.repeats)
            return true;
        copy.pop();
    }
    return false;
}

std::size_t RunLoop::settle(Nanoseconds limit)
{
    std::size_t count = runUntilIdle();
    Nanoseconds end = now() + limit;
    while (hasPendingWork() && now() < end)
        count += advance(std::min<Nanoseconds>(10'000'000, end - now()));
    return count;
}

void RunLoop::backgroundStarted()
{
    std::lock_guard lock(m_mutex);
    ++m_background;
}

void RunLoop::backgroundFinished()
{
    {
        std::lock_guard lock(m_mutex);
        --m_background;
    }
    m_backgroundDone.notify_all();
}

void RunLoop::setWaitsForBackground(bool waits)
{
    std::lock_guard lock(m_mutex);
    m_waitsForBackground = waits;
}

bool RunLoop::waitsForBackground() const
{
    std::lock_guard lock(m_mutex);
    return m_waitsForBackground;
}

void RunLoop::waitForBackground()
{
    std::unique_lock lock(m_mutex);
    m_backgroundDone.wait(lock, [this] { return m_background <= static_cast<int>(m_sleepers.size()); });
}

void RunLoop::waitForBackgroundIfWanted()
{
    if (waitsForBackground())
        waitForBackground();
}

bool RunLoop::sleepUntil(Nanoseconds until, std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    if (m_now >= until)
        return true;
    std::uint64_t resets = m_resets;
    auto sleeper = m_sleepers.insert(until);
    // The loop may be waiting for the background block this sleeper parks.
    m_backgroundDone.notify_all();
    bool woke = m_clockMoved.wait(lock, stop, [&] { return m_now >= until || m_resets != resets; });
    if (woke && m_resets == resets)
        return true;
    // Sent away before its time: the loop has not removed it.
    if (m_resets == resets)
        m_sleepers.erase(sleeper);
    return false;
}

void RunLoop::reset()
{
    std::unique_lock lock(m_mutex);
    // Sleepers go first, so that the background blocks waiting on them can end.
    ++m_resets;
    m_sleepers.clear();
    m_clockMoved.notify_all();
    m_backgroundDone.wait(lock, [this] { return m_background == 0; });
    m_events = {};
    m_timers.clear();
    m_now = 0;
    m_sequence = 0;
    m_waitsForBackground = true;
    m_bootWallClock = std::chrono::system_clock::now();
}

} // namespace dispatch
