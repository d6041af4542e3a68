#include "sim/RenderThread.h"

#include <algorithm>

namespace sim {

RenderThread::RenderThread(FrameFeed& feed, RenderThreadOptions options)
    : m_feed(feed)
    , m_options(options)
    , m_encoder(options.encoding)
    , m_thread([this] { run(); })
{
}

RenderThread::~RenderThread() { stop(); }

void RenderThread::commit(std::shared_ptr<const ScreenCommit> commit, dispatch::Nanoseconds now, bool clockRuns, std::uint64_t boots)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_committed = { std::move(commit), now, Clock::now(), clockRuns, boots };
        m_fresh = true;
    }
    m_wake.notify_one();
}

void RenderThread::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

RenderThread::Clock::time_point RenderThread::nextWake() const
{
    auto wake = Clock::time_point::max();
    if (m_animating)
        wake = m_lastDraw + std::chrono::microseconds(1'000'000 / std::max(1, m_options.framesPerSecond));
    if (!m_encoder.isExact())
        wake = std::min(wake, m_lastChange + m_options.settle);
    return wake;
}

void RenderThread::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        auto wake = nextWake();
        if (wake == Clock::time_point::max())
            m_wake.wait(lock, [&] { return m_stopping || m_fresh; });
        else
            m_wake.wait_until(lock, wake, [&] { return m_stopping || m_fresh; });
        if (m_stopping)
            break;
        bool fresh = std::exchange(m_fresh, false);
        Committed committed = m_committed;
        lock.unlock();
        auto now = Clock::now();
        if (fresh || (m_animating && now >= nextWake()))
            draw(committed, now);
        else if (!m_encoder.isExact() && now >= m_lastChange + m_options.settle)
            publish(m_encoder.refine(), m_boots);
        lock.lock();
    }
}

void RenderThread::draw(const Committed& committed, Clock::time_point now)
{
    m_lastDraw = now;
    m_animating = false;
    if (!committed.commit)
        return;
    dispatch::Nanoseconds at = committed.virtualTime;
    if (committed.clockRuns)
        at += std::chrono::duration_cast<std::chrono::nanoseconds>(now - committed.wallTime).count();
    auto screen = std::make_shared<PixelBuffer>();
    compositeScreen(*committed.commit, at, *screen);
    // Without the clock running, the time drawn at stands still, and so does every animation.
    m_animating = committed.clockRuns && screenIsAnimating(*committed.commit, at);
    bool moving = m_animating || now - m_lastChange < m_options.settle;
    // A new boot is a new screen for the pages, even one that looks the same.
    if (std::exchange(m_boots, committed.boots) != committed.boots)
        m_encoder.reset();
    // Moving pictures of a screen drawn at 2 pixels a point or more go out at half that.
    auto rects = m_encoder.encode(std::move(screen), moving, commitScale(*committed.commit) >= 2);
    if (!rects.empty())
        m_lastChange = now;
    publish(std::move(rects), committed.boots);
}

void RenderThread::publish(std::vector<EncodedRect> rects, std::uint64_t boots)
{
    if (rects.empty())
        return;
    auto frame = std::make_shared<Frame>();
    frame->boots = boots;
    frame->rects = std::move(rects);
    frame->exact = m_encoder.isExact();
    m_feed.publish(std::move(frame), m_encoder.last());
}

} // namespace sim
