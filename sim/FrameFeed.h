#pragma once

// The frames of the phone's screen, shared between the render thread (which publishes a frame
// only when the screen changed) and the server's threads (which hand them to pages). Each frame
// has a number one higher than the last and holds the rectangles that changed since the one
// before, encoded, and the whole screen it leaves; a page that showed every frame up to one
// draws the rectangles of the newer ones, a page that missed some starts again from the whole
// screen. Also counts the pages watching, since the phone's clock follows the wall clock only
// while one is.

#include "sim/ScreenCommit.h"
#include "sim/TileGrid.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace sim {

enum class RectEncoding : std::uint8_t { PNG = 0, JPEG = 1 };

struct EncodedRect {
    PixelRect rect;
    RectEncoding encoding = RectEncoding::PNG;
    std::vector<std::uint8_t> bytes;
};

struct Frame {
    std::uint64_t number = 0;
    // The boot of the phone that drew it.
    std::uint64_t boots = 0;
    // Drawn in order over the frame before, they give this one.
    std::vector<EncodedRect> rects;
    // No part of the screen is left as a lossy encoding showed it.
    bool exact = true;

    // Encoded bytes of the rectangles.
    std::size_t bytes() const;
};

// The whole screen as a frame left it.
struct Screen {
    std::uint64_t number = 0;
    std::uint64_t boots = 0;
    // Null before the first frame.
    std::shared_ptr<const PixelBuffer> pixels;

    // The whole screen as PNG, encoded on first use; empty before the first frame.
    const std::vector<std::uint8_t>& png() const;

private:
    mutable std::once_flag m_pngOnce;
    mutable std::vector<std::uint8_t> m_png;
};

class FrameFeed {
public:
    // Numbers `frame` one above the latest and makes it the latest, with `screen` the whole
    // screen it leaves.
    void publish(std::shared_ptr<Frame> frame, std::shared_ptr<const PixelBuffer> screen);
    // The latest frame (number 0 before the first).
    std::shared_ptr<const Frame> latest() const;
    // The screen the latest frame left.
    std::shared_ptr<const Screen> screen() const;
    // Waits until a frame numbered above `after` exists, the feed is closed, or `timeout` passes;
    // answers the latest frame either way.
    std::shared_ptr<const Frame> waitForNewer(std::uint64_t after, std::chrono::milliseconds timeout) const;
    // The frames after `after` up to the latest, oldest first, when the feed still holds every one
    // of them; empty when it does not (or none is newer).
    std::vector<std::shared_ptr<const Frame>> framesAfter(std::uint64_t after) const;

    // Wakes every waiter for good (the server is stopping).
    void close();
    bool isClosed() const;

    // Pages watching the screen. addWatcher answers false (and counts nothing) when `limit` are
    // watching already.
    bool addWatcher(int limit);
    void removeWatcher();
    int watchers() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    // The latest frames, the latest last.
    std::deque<std::shared_ptr<const Frame>> m_recent { std::make_shared<Frame>() };
    std::size_t m_recentBytes = 0;
    std::shared_ptr<const Screen> m_screen = std::make_shared<Screen>();
    bool m_closed = false;
    int m_watchers = 0;
};

} // namespace sim
