#include "CFNotificationCenter.h"

#include "Create.h"

#include "platform/dispatch/RunLoop.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <vector>

struct __CFNotificationCenter {
    enum class Kind { Darwin, Local } kind;
};

namespace corefoundation {

namespace {

__CFNotificationCenter g_darwin { __CFNotificationCenter::Kind::Darwin };
__CFNotificationCenter g_local { __CFNotificationCenter::Kind::Local };

struct Registration {
    std::uint64_t id;
    const void* observer;
    CFNotificationCallback callback;
    std::string name;
    const void* object;
    CFNotificationSuspensionBehavior behavior;
};

struct NotificationState {
    std::mutex mutex;
    std::uint64_t nextId = 1;
    std::vector<Registration> darwin;
    std::vector<Registration> local;

    std::vector<Registration>& of(CFNotificationCenterRef center) { return center == &g_darwin ? darwin : local; }
};

bool isCenter(CFNotificationCenterRef center) { return center == &g_darwin || center == &g_local; }

NotificationState* currentState()
{
    objc::Runtime* runtime = objc::Runtime::currentOrNull();
    return runtime ? &runtime->state<NotificationState>() : nullptr;
}

bool matches(const Registration& r, const std::string& name, const void* object)
{
    return (r.name.empty() || r.name == name) && (!r.object || r.object == object);
}

// Calls every observer registered for `name` at this moment. An observer removed by an earlier
// callback of the same delivery is not called.
void deliver(NotificationState& state, CFNotificationCenterRef center, const std::string& name, const void* object, NSDictionary* userInfo)
{
    std::vector<Registration> targets;
    {
        std::lock_guard lock(state.mutex);
        for (const auto& r : state.of(center))
            if (matches(r, name, object))
                targets.push_back(r);
    }
    for (const auto& target : targets) {
        bool stillRegistered = false;
        {
            std::lock_guard lock(state.mutex);
            auto& list = state.of(center);
            stillRegistered = std::any_of(list.begin(), list.end(), [&](const Registration& r) { return r.id == target.id; });
        }
        if (stillRegistered && target.callback)
            target.callback(center, const_cast<void*>(target.observer), name, object, userInfo);
    }
}

} // namespace

std::size_t notificationObserverCount(CFNotificationCenterRef center)
{
    NotificationState* state = isCenter(center) ? currentState() : nullptr;
    if (!state)
        return 0;
    std::lock_guard lock(state->mutex);
    return state->of(center).size();
}

} // namespace corefoundation

using namespace corefoundation;

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() { return &g_darwin; }
CFNotificationCenterRef CFNotificationCenterGetLocalCenter() { return &g_local; }

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer, CFNotificationCallback callback, const std::string& name, const void* object, CFNotificationSuspensionBehavior suspensionBehavior)
{
    NotificationState* state = isCenter(center) && callback ? currentState() : nullptr;
    if (!state)
        return;
    std::lock_guard lock(state->mutex);
    // The Darwin center knows names only.
    const void* kept = center == &g_darwin ? nullptr : object;
    state->of(center).push_back(Registration { state->nextId++, observer, callback, name, kept, suspensionBehavior });
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer, const std::string& name, const void* object)
{
    NotificationState* state = isCenter(center) ? currentState() : nullptr;
    if (!state)
        return;
    std::lock_guard lock(state->mutex);
    std::erase_if(state->of(center), [&](const Registration& r) {
        return r.observer == observer && (name.empty() || r.name == name) && (!object || r.object == object);
    });
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer)
{
    NotificationState* state = isCenter(center) ? currentState() : nullptr;
    if (!state)
        return;
    std::lock_guard lock(state->mutex);
    std::erase_if(state->of(center), [&](const Registration& r) { return r.observer == observer; });
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const std::string& name, const void* object, NSDictionary* userInfo, bool)
{
    if (!isCenter(center) || name.empty())
        return;
    if (center == &g_local) {
        if (NotificationState* state = currentState()) {
            objc::Ref<NSDictionary> keep(userInfo); // alive for the whole delivery
            deliver(*state, center, name, object, keep);
        }
        return;
    }
    // Darwin: the name travels alone, and arrives on the main run loop. The observers are those
    // of the device that is running when it arrives.
    dispatch::RunLoop::main().post([name] {
        if (NotificationState* state = currentState())
            deliver(*state, &g_darwin, name, nullptr, nullptr);
    });
}
