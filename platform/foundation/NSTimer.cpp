#include "NSTimer.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "FoundationCreate.h"

#include "platform/runtime/Message.h"

#include <string_view>

using objc::Object;
using objc::Ref;
using objc::SEL;

namespace {

struct RunLoopState {
    Ref<NSRunLoop> main;
};

dispatch::Nanoseconds nanoseconds(double seconds)
{
    return seconds > 0 ? static_cast<dispatch::Nanoseconds>(seconds * 1e9) : 0;
}

} // namespace

Ref<NSTimer> NSTimer::timerWithTimeInterval(double seconds, Object* target, SEL selector, Object* userInfo, bool repeats)
{
    auto timer = foundation::create<NSTimer>();
    // The platform treats intervals below 0.1 ms as 0.1 ms.
    timer->m_interval = seconds < 0.0001 ? 0.0001 : seconds;
    timer->m_repeats = repeats;
    timer->m_target = target;
    timer->m_selector = selector;
    timer->m_userInfo = userInfo;
    return timer;
}

Ref<NSTimer> NSTimer::timerWithTimeInterval(double seconds, bool repeats, NSTimerBlock block)
{
    auto timer = timerWithTimeInterval(seconds, nullptr, nullptr, nullptr, repeats);
    timer->m_block = std::move(block);
    return timer;
}

Ref<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double seconds, Object* target, SEL selector, Object* userInfo, bool repeats)
{
    auto timer = timerWithTimeInterval(seconds, target, selector, userInfo, repeats);
    timer->schedule(NSDefaultRunLoopMode);
    return timer;
}

Ref<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double seconds, bool repeats, NSTimerBlock block)
{
    auto timer = timerWithTimeInterval(seconds, repeats, std::move(block));
    timer->schedule(NSDefaultRunLoopMode);
    return timer;
}

void NSTimer::schedule(const std::string& mode)
{
    if (m_scheduled || !m_valid)
        return;
    m_scheduled = true;
    // The run loop's block holds the timer: that is the run loop's reference, dropped when the
    // timer is cancelled (invalidated) or, for a one-shot timer, after it fired.
    Ref<NSTimer> self(this);
    m_timerId = dispatch::RunLoop::main().addTimer(nanoseconds(m_interval), m_repeats, [self] {
        if (!self->m_valid)
            return;
        self->performAction();
        if (!self->m_repeats)
            self->invalidate();
    }, mode == NSRunLoopCommonModes ? "common" : "default");
}

void NSTimer::performAction()
{
    Ref<NSTimer> keep(this); // the action may invalidate the timer
    if (m_block) {
        NSTimerBlock block = m_block;
        block(this);
        return;
    }
    if (!m_target || !m_selector)
        return;
    Ref<Object> target = m_target;
    if (std::string_view(objc::sel_getName(m_selector)).ends_with(':'))
        objc::msgSend<void>(target, m_selector, this);
    else
        objc::msgSend<void>(target, m_selector);
}

void NSTimer::fire()
{
    if (!m_valid)
        return;
    performAction();
    if (!m_repeats)
        invalidate();
}

void NSTimer::invalidate()
{
    if (!m_valid)
        return;
    m_valid = false;
    if (m_timerId)
        dispatch::RunLoop::main().cancelTimer(m_timerId);
    m_target = nullptr;
    m_userInfo = nullptr;
    m_block = nullptr;
}

Ref<NSRunLoop> NSRunLoop::mainRunLoop()
{
    foundation::ensureRegistered();
    auto& state = objc::Runtime::current().state<RunLoopState>();
    if (!state.main)
        state.main = foundation::create<NSRunLoop>();
    return state.main;
}

void NSRunLoop::addTimer(NSTimer* timer, const std::string& mode)
{
    if (timer)
        timer->schedule(mode);
}

namespace foundation {

namespace {

// NSTimer's class methods come in two kinds, a target and selector or a block.
Ref<NSTimer> scheduledTimerWithTarget(double seconds, Object* target, SEL selector, Object* userInfo, bool repeats)
{
    return NSTimer::scheduledTimerWithTimeInterval(seconds, target, selector, userInfo, repeats);
}

Ref<NSTimer> timerWithTarget(double seconds, Object* target, SEL selector, Object* userInfo, bool repeats)
{
    return NSTimer::timerWithTimeInterval(seconds, target, selector, userInfo, repeats);
}

Ref<NSTimer> scheduledTimerWithBlock(double seconds, bool repeats, NSTimerBlock block) { return NSTimer::scheduledTimerWithTimeInterval(seconds, repeats, std::move(block)); }
Ref<NSTimer> timerWithBlock(double seconds, bool repeats, NSTimerBlock block) { return NSTimer::timerWithTimeInterval(seconds, repeats, std::move(block)); }
Ref<Object> timerUserInfo(NSTimer* self) { return self->userInfo(); }

} // namespace

void registerTimerClasses(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSTimer>(runtime, "NSObject")
        .classMethod(sel::scheduledTimerWithTimeIntervalTargetSelectorUserInfoRepeats, &scheduledTimerWithTarget)
        .classMethod(sel::timerWithTimeIntervalTargetSelectorUserInfoRepeats, &timerWithTarget)
        .classMethod(sel::scheduledTimerWithTimeIntervalRepeatsBlock, &scheduledTimerWithBlock)
        .classMethod(sel::timerWithTimeIntervalRepeatsBlock, &timerWithBlock)
        .method(sel::fire, &NSTimer::fire)
        .method(sel::invalidate, &NSTimer::invalidate)
        .method(sel::isValid, &NSTimer::isValid)
        .method(sel::timeInterval, &NSTimer::timeInterval)
        .method(sel::userInfo, &timerUserInfo)
        .build();

    objc::ClassBuilder<NSRunLoop>(runtime, "NSObject")
        .classMethod(sel::mainRunLoop, &NSRunLoop::mainRunLoop)
        .classMethod(sel::currentRunLoop, &NSRunLoop::mainRunLoop)
        .method(sel::addTimerForMode, &NSRunLoop::addTimer)
        .build();
}

} // namespace foundation
