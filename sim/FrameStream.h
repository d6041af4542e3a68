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
//   the encoded bytes of each rectangle, in order
//
// A page new to the stream, or one that fell further behind than the feed keeps frames, gets the
// whole screen as one PNG, then the rectangles of each newer frame.

#include "sim/FrameFeed.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace sim {

enum FrameMessageFlags : std::uint16_t { kFrameExact = 1, kFrameWholeScreen = 2, kFrameStillHere = 4 };

// One frame's rectangles, `width` x `height` being the screen's size.
std::string frameMessage(const Frame& frame, int width, int height);
// The whole screen as one PNG rectangle; empty before the first frame.
std::string screenMessage(const Screen& screen);
// A message drawing nothing, for a quiet stream to show it is alive.
std::string stillHereMessage(std::uint64_t frame, std::uint64_t boots);

// What one page has been sent.
class FrameStream {
public:
    explicit FrameStream(FrameFeed& feed)
        : m_feed(feed)
    {
    }
    // Waits up to `wait` for frames newer than the last sent; answers the messages to send for
    // them (empty when none came).
    std::string next(std::chrono::milliseconds wait);
    std::uint64_t sent() const { return m_sent; }

private:
    FrameFeed& m_feed;
    std::uint64_t m_sent = 0;
};

} // namespace sim
