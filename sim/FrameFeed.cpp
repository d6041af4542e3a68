#include "sim/FrameFeed.h"

namespace sim {

void FrameFeed::publish(std::vector<std::uint8_t> png)
{
    {
        std::lock_guard lock(m_mutex);
        auto frame = std::make_shared<Frame>();
        frame->number = m_latest->number + 1;
        frame->png = std::move(png);
        m_latest = std::move(frame);
    }
    m_changed.notify_all();
}

std::shared_ptr<const Frame> FrameFeed::latest() const
{
    std::lock_guard lock(m_mutex);
    return m_latest;
}

std::shared_ptr<const Frame> FrameFeed::waitForNewer(std::uint64_t after, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [&] { return m_closed || m_latest->number > after; });
    return m_latest;
}

void FrameFeed::close()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
}

bool FrameFeed::isClosed() const
{
    std::lock_guard lock(m_mutex);
    return m_closed;
}

bool FrameFeed::addWatcher(int limit)
{
    std::lock_guard lock(m_mutex);
    if (m_watchers >= limit)
        return false;
    ++m_watchers;
    return true;
}

void FrameFeed::removeWatcher()
{
    std::lock_guard lock(m_mutex);
    if (m_watchers > 0)
        --m_watchers;
}

int FrameFeed::watchers() const
{
    std::lock_guard lock(m_mutex);
    return m_watchers;
}

} // namespace sim
