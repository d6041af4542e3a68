#include "sim/PhoneHost.h"

#include "device/Device.h"
#include "device/settings/SettingsApp.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIWindow.h"
#include "sim/ScriptRunner.h"

#include <algorithm>
#include <utility>
#include <ostream>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t steadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

// A request within this long ago counts as someone using the phone.
constexpr std::int64_t kActivityMilliseconds = 5000;
// The most virtual time one turn lets pass, so that a slow turn does not make the phone jump.
constexpr std::int64_t kLongestStepMilliseconds = 250;
// How long the thread sleeps when nobody uses the phone, before looking at the stop flag again.
constexpr auto kIdleWait = std::chrono::milliseconds(250);

} // namespace

PhoneHost::PhoneHost(PhoneOptions options)
    : m_options(std::move(options))
{
    RenderThreadOptions render;
    render.framesPerSecond = m_options.framesPerSecond;
    m_render = std::make_unique<RenderThread>(m_frames, render);
}

PhoneHost::~PhoneHost() = default;

void PhoneHost::stop()
{
    m_stopping = true;
}

bool PhoneHost::waitUntilRunning(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, timeout, [&] { return m_running || m_ended; });
    return m_running;
}

void PhoneHost::enqueue(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_running || m_stopping)
            throw RequestError(503, "the phone is not running");
        m_jobs.push_back(std::move(job));
    }
    noteActivity();
    m_wake.notify_all();
}

void PhoneHost::noteActivity()
{
    m_lastActivity = steadyMilliseconds();
}

ScreenFacts PhoneHost::facts() const
{
    std::lock_guard lock(m_mutex);
    return m_facts;
}

bool PhoneHost::inUse()
{
    if (m_frames.watchers() > 0 || steadyMilliseconds() - m_lastActivity < kActivityMilliseconds)
        return true;
    // A finger held down is a long press in the making, however long it takes.
    return m_device && m_device->touch().anyDown();
}

void PhoneHost::boot(const std::string& profile)
{
    m_device.reset();
    if (m_options.log)
        *m_options.log << "booting " << profile << " in " << m_options.deviceRoot.string() << std::endl;
    device::settings::registerSettingsApp();
    if (!m_options.packageFolder.empty())
        installPackage(m_options.packageFolder, m_options.deviceRoot);
    m_device = device::Device::boot(profile, m_options.deviceRoot);
    // A live phone never waits for background work: downloads run while touches are answered.
    dispatch::RunLoop::main().setWaitsForBackground(false);
    m_device->runUntilIdle();
    m_device->advance(2 * kSettleMilliseconds);
    m_lastCommit.reset();
    m_pageFingers.clear();
    m_shownMinute = -1;

    std::lock_guard lock(m_mutex);
    m_facts.profile = profile;
    CGRect bounds = m_device->window() ? m_device->window()->bounds() : CGRectMake(0, 0, m_device->profile().screenSize.width, m_device->profile().screenSize.height);
    m_facts.width = bounds.size.width;
    m_facts.height = bounds.size.height;
    m_facts.scale = m_device->profile().scale;
    m_facts.frameScale = m_facts.scale;
    while (m_facts.frameScale > 1 && m_options.largestFramePixels > 0
        && m_facts.width * m_facts.height * m_facts.frameScale * m_facts.frameScale > m_options.largestFramePixels)
        m_facts.frameScale -= 0.5;
    m_frameScale = m_facts.frameScale;
    ++m_facts.boots;
}

void PhoneHost::rebootInto(const std::string& profile)
{
    std::string previous = m_device ? m_device->profile().name : m_options.profile;
    try {
        boot(profile);
    } catch (const std::exception& e) {
        // Whatever went wrong, the page keeps a phone: the one it had.
        if (m_options.log)
            *m_options.log << "cannot boot " << profile << ": " << e.what() << std::endl;
        boot(previous);
        commit();
        waitForFrameOfThisBoot();
        throw RequestError(500, std::string("cannot boot ") + profile + ": " + e.what());
    }
    commit();
    waitForFrameOfThisBoot();
}

bool PhoneHost::followHostTimeOfDay()
{
    auto& loop = dispatch::RunLoop::main();
    auto now = std::chrono::system_clock::now();
    loop.setBootWallClock(now - std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(loop.now())));
    std::int64_t minute = std::chrono::duration_cast<std::chrono::minutes>(now.time_since_epoch()).count();
    return std::exchange(m_shownMinute, minute) != minute;
}

void PhoneHost::commit()
{
    if (!m_device)
        return;
    m_lastCommit = commitScreen(*m_device, m_frameScale);
    m_clockRan = inUse();
    m_render->commit(m_lastCommit, dispatch::RunLoop::main().now(), m_clockRan, m_facts.boots);
}

void PhoneHost::waitForFrameOfThisBoot()
{
    if (!m_lastCommit)
        return;
    auto deadline = Clock::now() + std::chrono::seconds(10);
    while (m_frames.screen()->boots != m_facts.boots && Clock::now() < deadline)
        m_frames.waitForNewer(m_frames.latest()->number, std::chrono::milliseconds(50));
}

void PhoneHost::run()
{
    try {
        boot(m_options.profile);
        commit();
        waitForFrameOfThisBoot();
    } catch (...) {
        std::lock_guard lock(m_mutex);
        m_ended = true;
        m_wake.notify_all();
        throw;
    }
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
    }
    m_wake.notify_all();
    serve();
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
        m_ended = true;
        dropped.swap(m_jobs);
    }
    m_wake.notify_all();
    // Dropping the jobs breaks their promises: the waiting threads hear that the phone stopped.
    dropped.clear();
    m_render->stop();
    m_frames.close();
    m_device.reset();
}

void PhoneHost::serve()
{
    const auto framePeriod = std::chrono::milliseconds(1000 / std::max(1, m_options.framesPerSecond));
    auto lastTurn = Clock::now();
    while (!m_stopping) {
        bool using_ = inUse();
        std::deque<std::function<void()>> jobs;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, using_ ? framePeriod : kIdleWait, [&] { return !m_jobs.empty() || m_stopping; });
            jobs.swap(m_jobs);
        }
        if (m_stopping)
            break;
        for (auto& job : jobs)
            job();

        auto now = Clock::now();
        std::int64_t elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastTurn).count();
        lastTurn = now;
        std::size_t ran = 0;
        bool newMinute = false;
        if (inUse()) {
            auto& loop = dispatch::RunLoop::main();
            ran = loop.advanceMilliseconds(std::clamp<std::int64_t>(elapsed, 0, kLongestStepMilliseconds));
            // The status bar shows the host's time of day, also after a turn slower than the
            // longest step or a time when nobody used the phone and its clock stood still.
            newMinute = followHostTimeOfDay();
        }
        if (!jobs.empty() || ran > 0 || newMinute) {
            commit();
        } else if (inUse() != m_clockRan && m_lastCommit) {
            // The display time stops or starts following the wall clock with the phone's clock.
            m_clockRan = !m_clockRan;
            m_render->commit(m_lastCommit, dispatch::RunLoop::main().now(), m_clockRan, m_facts.boots);
        }
    }
}

} // namespace sim
