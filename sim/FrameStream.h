#pragma once

// The frames of the phone's screen as one stream of binary messages, for a page to draw on a
// canvas. Each message, little-endian:
//
//   u32 length of the rest of the message
//   u32 frame number (its low 32 bits)   u32 boot of the phone
//   u16 width  u16 height (pixels of the whole screen)
//   u16 rectangles  u16 flags (1: the screen is exact after this message; 2: the whole screen;
//                              4: nothing but a sign of life)
//   per rectangle: u16 x, y, width, height; u8 encoding (0 PNG, 1 JPEG); 3 bytes 0; u32 bytes
//   (a lossy rectangle's picture may be smaller than the rectangle: it is drawn stretched over it)
//   the encoded bytes of each rectangle, in order
//
// A page new to the stream, or one that fell further behind than the feed keeps frames, gets the
// whole screen as one PNG, then the rectangles of each newer frame.

#include "sim/FrameFeed.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace sim {

enum FrameMessageFlags : std::uint16_t { kFrameExact = 1, kFrameWholeScreen = 2, kFrameStillHere = 4 };

// One frame's rectangles, `width` x `height` being the screen's size.
std::string frameMessage(const Frame& frame, int width, int height);
// The whole screen as one PNG rectangle; empty before the first frame.
std::string screenMessage(const Screen& screen);
// A message drawing nothing, for a quiet stream to show it is alive.
std::string stillHereMessage(std::uint64_t frame, std::uint64_t boots);

// What one page has been sent. A paced stream sends at most kFramesInFlight frames beyond the
// last one the page said it drew (acknowledge), so that a page slower than the phone (a busy
// machine, a slow decoder) sees the latest screen late by a frame or two instead of falling
// further behind with every frame; a page that would be sent more than kMostReplayed frames at
// once gets the whole screen instead. An unpaced stream sends every frame as it comes.
class FrameStream {
public:
    static constexpr std::uint64_t kFramesInFlight = 2;
    static constexpr std::size_t kMostReplayed = 4;

    explicit FrameStream(FrameFeed& feed, bool paced = false)
        : m_feed(feed)
        , m_paced(paced)
    {
    }
    // Waits up to `wait` for frames newer than the last sent (and, paced, for the page to draw
    // enough of what it was sent); answers the messages to send (empty when none).
    std::string next(std::chrono::milliseconds wait);
    std::uint64_t sent() const;
    // The page drew the frame whose number's low 32 bits are `frame` (as the messages carry it).
    void acknowledge(std::uint32_t frame);

private:
    bool mayNotSend() const { return m_paced && m_sent > m_drawn + kFramesInFlight - 1; }

    FrameFeed& m_feed;
    const bool m_paced;
    mutable std::mutex m_mutex;
    std::condition_variable m_acknowledged;
    std::uint64_t m_sent = 0;
    std::uint64_t m_drawn = 0;
};

// The paced streams of the pages, by the name each page gives itself, so that a page's word
// that it drew a frame reaches its stream.
class PacedStreams {
public:
    void add(const std::string& page, const std::shared_ptr<FrameStream>& stream);
    void remove(const std::string& page, const FrameStream* stream);
    // False when no stream of that page is open.
    bool acknowledge(const std::string& page, std::uint32_t frame);

private:
    std::mutex m_mutex;
    std::map<std::string, std::weak_ptr<FrameStream>> m_streams;
};

} // namespace sim
