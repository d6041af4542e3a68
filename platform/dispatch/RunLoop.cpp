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

bool RunLoop::popDue(Nanoseconds limit, Event& out)
{
    std::lock_guard lock(m_mutex);
    while (!m_events.empty()) {
        const Event& top = m_events.top();
        if (top.due > limit)
            return false;
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
        if (out.due > m_now)
            m_now = out.due;
        return true;
    }
    return false;
}

void RunLoop::runEvent(Event& event)
{
    if (event.block)
        event.block();
}

std::size_t RunLoop::runUntilIdle()
{
    waitForBackground();
    std::size_t count = 0;
    Event event;
    while (popDue(now(), event)) {
        runEvent(event);
        ++count;
        waitForBackground();
    }
    return count;
}

std::size_t RunLoop::advance(Nanoseconds delta)
{
    Nanoseconds target = now() + std::max<Nanoseconds>(delta, 0);
    std::size_t count = runUntilIdle();
    Event event;
    while (popDue(target, event)) {
        runEvent(event);
        ++count;
        waitForBackground();
    }
    {
        std::lock_guard lock(m_mutex);
        m_now = std::max(m_now, target);
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

void RunLoop::waitForBackground()
{
    std::unique_lock lock(m_mutex);
    m_backgroundDone.wait(lock, [this] { return m_background == 0; });
}

void RunLoop::reset()
{
    waitForBackground();
    std::lock_guard lock(m_mutex);
    m_events = {};
    m_timers.clear();
    m_now = 0;
    m_sequence = 0;
    m_bootWallClock = std::chrono::system_clock::now();
}

} // namespace dispatch
