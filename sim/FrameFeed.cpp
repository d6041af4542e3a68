#include "sim/FrameFeed.h"

#include "platform/graphics/ImageCodecs.h"

namespace sim {

namespace {

// Frames kept for pages a little behind: a second or two of motion.
constexpr std::size_t kFramesKept = 90;
constexpr std::size_t kBytesKept = 16u << 20;
// The whole screen for a page is encoded fast rather than small: it is sent once, over a local
// connection.
constexpr int kScreenPNGLevel = 1;

} // namespace

std::size_t Frame::bytes() const
{
    std::size_t total = 0;
    for (const auto& r : rects)
        total += r.bytes.size();
    return total;
}

const std::vector<std::uint8_t>& Screen::png() const
{
    std::call_once(m_pngOnce, [this] {
        if (!pixels)
            return;
        const PixelBuffer* screen = pixels.get();
        graphics::PixelRows rows { screen->bytes.data(), std::size_t(screen->width), std::size_t(screen->height), std::size_t(screen->stride) };
        if (auto encoded = graphics::encodePNG(rows, kScreenPNGLevel))
            m_png = std::move(*encoded);
    });
    return m_png;
}

void FrameFeed::publish(std::shared_ptr<Frame> frame, std::shared_ptr<const PixelBuffer> pixels)
{
    auto screen = std::make_shared<Screen>();
    screen->boots = frame->boots;
    screen->pixels = std::move(pixels);
    {
        std::lock_guard lock(m_mutex);
        frame->number = screen->number = m_recent.back()->number + 1;
        m_recentBytes += frame->bytes();
        m_recent.push_back(std::move(frame));
        m_screen = std::move(screen);
        while (m_recent.size() > 1 && (m_recent.size() > kFramesKept || m_recentBytes > kBytesKept)) {
            m_recentBytes -= m_recent.front()->bytes();
            m_recent.pop_front();
        }
    }
    m_changed.notify_all();
}

std::shared_ptr<const Frame> FrameFeed::latest() const
{
    std::lock_guard lock(m_mutex);
    return m_recent.back();
}

std::shared_ptr<const Screen> FrameFeed::screen() const
{
    std::lock_guard lock(m_mutex);
    return m_screen;
}

std::shared_ptr<const Frame> FrameFeed::waitForNewer(std::uint64_t after, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [&] { return m_closed || m_recent.back()->number > after; });
    return m_recent.back();
}

std::vector<std::shared_ptr<const Frame>> FrameFeed::framesAfter(std::uint64_t after) const
{
    std::lock_guard lock(m_mutex);
    if (m_recent.front()->number > after + 1 || m_recent.back()->number <= after)
        return {};
    std::vector<std::shared_ptr<const Frame>> frames;
    for (const auto& frame : m_recent)
        if (frame->number > after)
            frames.push_back(frame);
    return frames;
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
