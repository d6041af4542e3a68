#pragma once

// Draws the phone's screen on a thread of its own, from what the phone's thread last committed,
// and publishes the frames to the feed: at once after each new commit, at the display rate while
// the commit shows something moving, and nothing while the screen is still. The time it draws a
// commit at is the virtual time of the commit plus the wall time since, while the phone's clock
// follows the wall clock; so an animation goes on turning while the phone's thread is busy.
// A frame that follows another within `settle` counts as motion and goes out lossy; once the
// screen has been still that long, what went out lossy is sent again losslessly.

#include "sim/FrameEncoder.h"
#include "sim/FrameFeed.h"
#include "sim/ScreenCommit.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace sim {

struct RenderThreadOptions {
    int framesPerSecond = 60;
    std::chrono::milliseconds settle { 150 };
    FrameEncoderOptions encoding;
};

class RenderThread {
public:
    RenderThread(FrameFeed& feed, RenderThreadOptions options = {});
    ~RenderThread();
    RenderThread(const RenderThread&) = delete;
    RenderThread& operator=(const RenderThread&) = delete;

    // Thread-safe (the phone's thread): `commit` is the screen as the phone's virtual clock
    // stands at `now`; `clockRuns` says whether that clock follows the wall clock from here on.
    // `boots` numbers the phone's boot, for the frames drawn from it.
    void commit(std::shared_ptr<const ScreenCommit> commit, dispatch::Nanoseconds now, bool clockRuns, std::uint64_t boots);
    // Ends the thread; later commits are dropped.
    void stop();

private:
    using Clock = std::chrono::steady_clock;
    struct Committed {
        std::shared_ptr<const ScreenCommit> commit;
        dispatch::Nanoseconds virtualTime = 0;
        Clock::time_point wallTime;
        bool clockRuns = false;
        std::uint64_t boots = 0;
    };

    void run();
    // Draws `committed` as it shows now; publishes a frame when something changed.
    void draw(const Committed& committed, Clock::time_point now);
    void publish(std::vector<EncodedRect> rects, std::uint64_t boots);
    // When the loop must wake without a new commit (max when never).
    Clock::time_point nextWake() const;

    FrameFeed& m_feed;
    RenderThreadOptions m_options;
    FrameEncoder m_encoder;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    Committed m_committed;
    bool m_fresh = false;
    bool m_stopping = false;

    // The render thread's own.
    bool m_animating = false;
    Clock::time_point m_lastDraw;
    Clock::time_point m_lastChange;
    std::uint64_t m_boots = 0;

    std::thread m_thread;
};

} // namespace sim
