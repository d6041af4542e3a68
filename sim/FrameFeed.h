#pragma once

// The latest picture of the phone's screen, shared between the phone's thread (which publishes a
// frame only when the screen changed) and the server's threads (which hand it to pages). Each
// frame has a number one higher than the last; a page waits for a number higher than the one it
// showed. Also counts the pages watching, since the phone's clock follows the wall clock only
// while one is.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace sim {

struct Frame {
    std::uint64_t number = 0;
    std::vector<std::uint8_t> png;
};

class FrameFeed {
public:
    void publish(std::vector<std::uint8_t> png);
    // The latest frame (number 0 and no bytes before the first).
    std::shared_ptr<const Frame> latest() const;
    // Waits until a frame numbered above `after` exists, the feed is closed, or `timeout` passes;
    // answers the latest frame either way.
    std::shared_ptr<const Frame> waitForNewer(std::uint64_t after, std::chrono::milliseconds timeout) const;

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
    std::shared_ptr<const Frame> m_latest = std::make_shared<Frame>();
    bool m_closed = false;
    int m_watchers = 0;
};

} // namespace sim
