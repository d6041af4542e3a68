#include "sim/FrameStream.h"

namespace sim {

namespace {

constexpr std::size_t kHeaderBytes = 20;
constexpr std::size_t kRectBytes = 16;

void put16(std::string& out, std::size_t at, std::uint32_t value)
{
    out[at] = char(value & 0xFF);
    out[at + 1] = char((value >> 8) & 0xFF);
}

void put32(std::string& out, std::size_t at, std::uint32_t value)
{
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

std::string message(std::uint64_t number, std::uint64_t boots, int width, int height, std::uint16_t flags, const std::vector<EncodedRect>& rects)
{
    std::size_t size = kHeaderBytes + kRectBytes * rects.size();
    for (const auto& r : rects)
        size += r.bytes.size();
    std::string out(kHeaderBytes + kRectBytes * rects.size(), '\0');
    out.reserve(size);
    put32(out, 0, std::uint32_t(size - 4));
    put32(out, 4, std::uint32_t(number));
    put32(out, 8, std::uint32_t(boots));
    put16(out, 12, std::uint32_t(width));
    put16(out, 14, std::uint32_t(height));
    put16(out, 16, std::uint32_t(rects.size()));
    put16(out, 18, flags);
    std::size_t at = kHeaderBytes;
    for (const auto& r : rects) {
        put16(out, at, std::uint32_t(r.rect.x));
        put16(out, at + 2, std::uint32_t(r.rect.y));
        put16(out, at + 4, std::uint32_t(r.rect.width));
        put16(out, at + 6, std::uint32_t(r.rect.height));
        out[at + 8] = char(r.encoding);
        put32(out, at + 12, std::uint32_t(r.bytes.size()));
        at += kRectBytes;
    }
    for (const auto& r : rects)
        out.append(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
    return out;
}

} // namespace

std::string frameMessage(const Frame& frame, int width, int height)
{
    return message(frame.number, frame.boots, width, height, frame.exact ? kFrameExact : 0, frame.rects);
}

std::string screenMessage(const Screen& screen)
{
    if (!screen.pixels || screen.png().empty())
        return "";
    std::vector<EncodedRect> whole { { { 0, 0, screen.pixels->width, screen.pixels->height }, RectEncoding::PNG, screen.png() } };
    return message(screen.number, screen.boots, screen.pixels->width, screen.pixels->height, kFrameExact | kFrameWholeScreen, whole);
}

std::string stillHereMessage(std::uint64_t frame, std::uint64_t boots) { return message(frame, boots, 0, 0, kFrameStillHere, {}); }

std::string FrameStream::next(std::chrono::milliseconds wait)
{
    auto deadline = std::chrono::steady_clock::now() + wait;
    std::uint64_t sent;
    {
        std::unique_lock lock(m_mutex);
        if (!m_acknowledged.wait_until(lock, deadline, [&] { return !mayNotSend(); }))
            return "";
        sent = m_sent;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (m_feed.waitForNewer(sent, std::max(left, std::chrono::milliseconds(0)))->number <= sent)
        return "";
    auto screen = m_feed.screen();
    auto frames = sent == 0 ? std::vector<std::shared_ptr<const Frame>>() : m_feed.framesAfter(sent);
    // The screen's size is that of the latest frame for every frame sent with it: a frame of
    // another size is a whole new screen, which the page takes from its rectangle.
    std::string out;
    if (frames.empty() || !screen->pixels || frames.back()->number != screen->number || (m_paced && frames.size() > kMostReplayed)) {
        out = screenMessage(*screen);
        sent = screen->number;
    } else {
        for (const auto& frame : frames) {
            out += frameMessage(*frame, screen->pixels->width, screen->pixels->height);
            sent = frame->number;
        }
    }
    std::lock_guard lock(m_mutex);
    m_sent = sent;
    return out;
}

std::uint64_t FrameStream::sent() const
{
    std::lock_guard lock(m_mutex);
    return m_sent;
}

void FrameStream::acknowledge(std::uint32_t frame)
{
    std::lock_guard lock(m_mutex);
    // The full number of the frame sent last that ends in these 32 bits; a page cannot have drawn
    // a frame it was not sent.
    std::uint64_t drawn = (m_sent & ~std::uint64_t(0xFFFFFFFF)) | frame;
    if (drawn > m_sent)
        drawn = drawn >= (std::uint64_t(1) << 32) ? drawn - (std::uint64_t(1) << 32) : m_sent;
    if (drawn > m_drawn) {
        m_drawn = drawn;
        m_acknowledged.notify_all();
    }
}

void PacedStreams::add(const std::string& page, const std::shared_ptr<FrameStream>& stream)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_streams, [](const auto& entry) { return entry.second.expired(); });
    m_streams[page] = stream;
}

void PacedStreams::remove(const std::string& page, const FrameStream* stream)
{
    std::lock_guard lock(m_mutex);
    auto found = m_streams.find(page);
    if (found != m_streams.end() && (found->second.expired() || found->second.lock().get() == stream))
        m_streams.erase(found);
}

bool PacedStreams::acknowledge(const std::string& page, std::uint32_t frame)
{
    std::shared_ptr<FrameStream> stream;
    {
        std::lock_guard lock(m_mutex);
        auto found = m_streams.find(page);
        if (found != m_streams.end())
            stream = found->second.lock();
    }
    if (!stream)
        return false;
    stream->acknowledge(frame);
    return true;
}

} // namespace sim
