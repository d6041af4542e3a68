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
    if (m_feed.waitForNewer(m_sent, wait)->number <= m_sent)
        return "";
    auto screen = m_feed.screen();
    auto frames = m_sent == 0 ? std::vector<std::shared_ptr<const Frame>>() : m_feed.framesAfter(m_sent);
    // The screen's size is that of the latest frame for every frame sent with it: a frame of
    // another size is a whole new screen, which the page takes from its rectangle.
    if (frames.empty() || !screen->pixels || frames.back()->number != screen->number) {
        m_sent = screen->number;
        return screenMessage(*screen);
    }
    std::string out;
    for (const auto& frame : frames) {
        out += frameMessage(*frame, screen->pixels->width, screen->pixels->height);
        m_sent = frame->number;
    }
    return out;
}

} // namespace sim
