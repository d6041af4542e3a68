#include "NSNotificationCenter.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "FoundationCreate.h"

#include "platform/runtime/Message.h"

#include <algorithm>
#include <string_view>

using objc::Object;
using objc::Ref;
using objc::SEL;

namespace {
struct CenterState {
    Ref<NSNotificationCenter> center;
};
} // namespace

Ref<NSNotificationCenter> NSNotificationCenter::defaultCenter()
{
    foundation::ensureRegistered();
    auto& state = objc::Runtime::current().state<CenterState>();
    if (!state.center)
        state.center = foundation::create<NSNotificationCenter>();
    return state.center;
}

void NSNotificationCenter::addObserver(Object* observer, SEL selector, const std::string& name, Object* object)
{
    if (!observer || !selector)
        return;
    m_registrations.push_back(Registration { m_nextId++, observer, observer, selector, name, object, object });
}

void NSNotificationCenter::removeObserver(Object* observer, const std::string& name, Object* object)
{
    std::erase_if(m_registrations, [&](const Registration& r) {
        return r.observerAddress == observer && (name.empty() || r.name == name) && (!object || r.objectAddress == object);
    });
}

void NSNotificationCenter::postNotificationName(const std::string& name, Object* object, NSDictionary* userInfo)
{
    // Registrations whose observer is gone are dropped first.
    std::erase_if(m_registrations, [](const Registration& r) { return !r.observer; });
    auto notification = foundation::create<NSNotification>();
    notification->name = name;
    notification->object = object;
    notification->userInfo = userInfo;
    std::vector<Registration> targets;
    for (const auto& r : m_registrations)
        if ((r.name.empty() || r.name == name) && (!r.objectAddress || (r.object && r.objectAddress == object)))
            targets.push_back(r);
    Ref<NSNotificationCenter> keep(this);
    for (const auto& target : targets) {
        // An observer removed by an earlier one in this delivery is not called.
        bool registered = std::any_of(m_registrations.begin(), m_registrations.end(), [&](const Registration& r) { return r.id == target.id; });
        Ref<Object> observer = target.observer.strong();
        if (!registered || !observer)
            continue;
        if (std::string_view(objc::sel_getName(target.selector)).ends_with(':'))
            objc::msgSend<void>(observer, target.selector, notification);
        else
            objc::msgSend<void>(observer, target.selector);
    }
}

namespace foundation {

namespace {

std::string nameOf(NSNotification* self) { return self->name; }
Ref<Object> objectOf(NSNotification* self) { return self->object; }
Ref<Object> notificationUserInfo(NSNotification* self) { return self->userInfo; }
void removeObserver(NSNotificationCenter* self, Object* observer) { self->removeObserver(observer); }
void postNotificationName(NSNotificationCenter* self, std::string name, Object* object) { self->postNotificationName(name, object); }

void postNotification(NSNotificationCenter* self, NSNotification* notification)
{
    if (notification)
        self->postNotificationName(notification->name, notification->object, notification->userInfo);
}

} // namespace

void registerNotificationCenterClasses(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSNotification>(runtime, "NSObject")
        .method(sel::name, &nameOf)
        .method(sel::object, &objectOf)
        .method(sel::userInfo, &notificationUserInfo)
        .build();

    objc::ClassBuilder<NSNotificationCenter>(runtime, "NSObject")
        .classMethod(sel::defaultCenter, &NSNotificationCenter::defaultCenter)
        .method(sel::addObserverSelectorNameObject, &NSNotificationCenter::addObserver)
        .method(sel::removeObserver, &removeObserver)
        .method(sel::removeObserverNameObject, &NSNotificationCenter::removeObserver)
        .method(sel::postNotificationNameObject, &postNotificationName)
        .method(sel::postNotificationNameObjectUserInfo, &NSNotificationCenter::postNotificationName)
        .method(sel::postNotification, &postNotification)
        .build();
}

} // namespace foundation
