#pragma once

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/NSObject.h"

#include <functional>
#include <string>

class NSTimer;

// Run-loop modes, as the platform names them. The main run loop has no tracking mode, so timers
// of either mode fire alike.
inline const std::string NSDefaultRunLoopMode = "kCFRunLoopDefaultMode";
inline const std::string NSRunLoopCommonModes = "kCFRunLoopCommonModes";

using NSTimerBlock = std::function<void(NSTimer* timer)>;

// A timer on the main run loop's virtual clock. A scheduled timer is retained by the run loop
// until it is invalidated (a one-shot timer invalidates itself after firing), and retains its
// target and user info until then, as on the platform. The target is messaged through the
// runtime: with the timer as argument when the selector takes one ("tick:"), without otherwise.
class NSTimer : public objc::NSObject {
    OBJC_CLASS(NSTimer)
public:
    static objc::Ref<NSTimer> timerWithTimeInterval(double seconds, objc::Object* target, objc::SEL selector, objc::Object* userInfo, bool repeats);
    static objc::Ref<NSTimer> timerWithTimeInterval(double seconds, bool repeats, NSTimerBlock block);
    static objc::Ref<NSTimer> scheduledTimerWithTimeInterval(double seconds, objc::Object* target, objc::SEL selector, objc::Object* userInfo, bool repeats);
    static objc::Ref<NSTimer> scheduledTimerWithTimeInterval(double seconds, bool repeats, NSTimerBlock block);

    // Puts the timer on the main run loop (once; later calls do nothing).
    void schedule(const std::string& mode);
    void fire();
    void invalidate();
    bool isValid() const { return m_valid; }
    double timeInterval() const { return m_interval; }
    objc::Object* userInfo() const { return m_userInfo.ptr(); }

private:
    void performAction();

    double m_interval = 0;
    bool m_repeats = false;
    bool m_valid = true;
    bool m_scheduled = false;
    objc::Ref<objc::Object> m_target;
    objc::SEL m_selector = nullptr;
    objc::Ref<objc::Object> m_userInfo;
    NSTimerBlock m_block;
    dispatch::RunLoop::TimerId m_timerId = 0;
};

// The main run loop as the platform's object: timers are added to it.
class NSRunLoop : public objc::NSObject {
    OBJC_CLASS(NSRunLoop)
public:
    static objc::Ref<NSRunLoop> mainRunLoop();
    void addTimer(NSTimer* timer, const std::string& mode);
};

namespace foundation {
void registerTimerClasses(objc::Runtime&);
} // namespace foundation
