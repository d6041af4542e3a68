#pragma once

// Keeps a booted phone for front ends that use it live (the browser page). Everything the phone
// does happens on one thread, the one that calls run(): the phone's main thread. Other threads
// hand it work through call(), which queues the work and waits for its result, so that no UIKit
// object is ever touched from two threads.
//
// While someone is using the phone (a page watches its screen, a finger is down, or a request
// came in during the last few seconds) its virtual clock follows the wall clock, so that long
// presses, animations and timers run in real time; otherwise the clock stands still and the
// thread sleeps. At the end of each turn that did something, the phone's thread commits the
// screen; the render thread draws the frames from the last commit (sim/RenderThread.h).

#include "sim/FrameFeed.h"
#include "sim/PageFingers.h"
#include "sim/RenderThread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace device {
class Device;
}

namespace sim {

// A request the phone refuses: an HTTP status (4xx) and the reason, in words for the person.
struct RequestError : std::runtime_error {
    RequestError(int status, const std::string& reason)
        : std::runtime_error(reason)
        , status(status)
    {
    }
    int status;
};

// Fingers one page may have down at once (two for a pinch, a few to spare).
inline constexpr int kFingers = 5;

struct PhoneOptions {
    std::string profile;
    // The phone's file system; a reboot into another profile keeps it.
    std::filesystem::path deviceRoot;
    // The tweak's package, installed before each boot; empty for a phone without the tweak.
    std::filesystem::path packageFolder;
    // Boots and reboots, one line each; null for silence.
    std::ostream* log = nullptr;
    // Turns of the phone's run loop a second while it is in use, and frames a second at most
    // while something moves.
    int framesPerSecond = 60;
    // Frames larger than this many pixels at the screen's scale are drawn at a lower whole or
    // half scale instead (a large tablet's screen shrinks to fit a browser window anyway, and
    // drawing and packing its full 5.6 million pixels takes a few hundred milliseconds).
    double largestFramePixels = 2.5e6;
};

// What handler threads may know about the booted phone without asking its thread.
struct ScreenFacts {
    std::string profile;
    double width = 0, height = 0; // points
    double scale = 1;
    // Pixels a point of the frames sent.
    double frameScale = 1;
    std::uint64_t boots = 0;
};

class PhoneHost {
public:
    explicit PhoneHost(PhoneOptions options);
    ~PhoneHost();
    PhoneHost(const PhoneHost&) = delete;
    PhoneHost& operator=(const PhoneHost&) = delete;

    // Boots the phone and serves work on this thread until stop(). Throws std::runtime_error when
    // the first boot fails.
    void run();
    // Thread-safe (and safe from a signal handler: it only sets a flag that run() looks at).
    void stop();
    // Thread-safe: waits until the phone has booted (true) or run() has ended (false).
    bool waitUntilRunning(std::chrono::milliseconds timeout);

    // Thread-safe: runs `work` with the phone on the phone's thread and answers its result (or
    // throws its exception). Throws RequestError 503 when the phone is not running.
    template <class Work>
    auto call(Work work) -> std::invoke_result_t<Work&, device::Device&>;

    // Shuts the phone down and boots `profile` in the same device root (on the phone's thread:
    // call it through call(), or use rebootInto from other threads).
    void rebootInto(const std::string& profile);

    ScreenFacts facts() const;
    FrameFeed& frames() { return m_frames; }
    // The pages' fingers on the phone's touch driver (on the phone's thread only).
    PageFingers& pageFingers() { return m_pageFingers; }
    // Counts as use of the phone: keeps the clock following the wall clock for a while.
    void noteActivity();

private:
    void enqueue(std::function<void()> job);
    void boot(const std::string& profile);
    void serve();
    // On the phone's thread.
    bool inUse();
    // Hands the screen as this turn left it to the render thread.
    void commit();
    // Waits (a few seconds at most) until the render thread has published a frame of this boot,
    // so that the pages see the new screen once a boot is answered.
    void waitForFrameOfThisBoot();
    // Sets the phone's time of day to the host's (the virtual clock may have lost time in slow
    // turns or stood still); answers whether the minute shown in the status bar changed.
    bool followHostTimeOfDay();

    PhoneOptions m_options;
    std::unique_ptr<device::Device> m_device;
    FrameFeed m_frames;
    std::unique_ptr<RenderThread> m_render;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_running = false;
    bool m_ended = false;
    ScreenFacts m_facts;
    std::atomic<bool> m_stopping { false };
    std::atomic<std::int64_t> m_lastActivity { 0 };

    // The phone thread's own.
    std::shared_ptr<const ScreenCommit> m_lastCommit;
    bool m_clockRan = false;
    PageFingers m_pageFingers;
    std::int64_t m_shownMinute = -1;
    double m_frameScale = 1;
};

template <class Work>
auto PhoneHost::call(Work work) -> std::invoke_result_t<Work&, device::Device&>
{
    using Result = std::invoke_result_t<Work&, device::Device&>;
    auto task = std::make_shared<std::packaged_task<Result()>>([this, work = std::move(work)]() mutable -> Result {
        if (!m_device)
            throw RequestError(503, "the phone is not running");
        return work(*m_device);
    });
    std::future<Result> result = task->get_future();
    enqueue([task] { (*task)(); });
    try {
        return result.get();
    } catch (const std::future_error&) {
        throw RequestError(503, "the phone stopped before doing that");
    }
}

} // namespace sim
