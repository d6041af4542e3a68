#pragma once

#include "platform/corefoundation/NSDictionary.h"

#include <string>

class NSNotification : public objc::NSObject {
    OBJC_CLASS(NSNotification)
public:
    std::string name;
    objc::Ref<objc::Object> object;
    objc::Ref<NSDictionary> userInfo;
};

// The process's object notification center. Posting delivers at once, on the posting thread:
// each matching observer is sent its selector with the notification (or without an argument when
// the selector takes none). Observers are held weakly, as on current systems: an observer that
// went away is simply not called. An empty name observes every name; a null object every object.
class NSNotificationCenter : public objc::NSObject {
    OBJC_CLASS(NSNotificationCenter)
public:
    static objc::Ref<NSNotificationCenter> defaultCenter();

    void addObserver(objc::Object* observer, objc::SEL selector, const std::string& name, objc::Object* object);
    void removeObserver(objc::Object* observer, const std::string& name = {}, objc::Object* object = nullptr);
    void postNotificationName(const std::string& name, objc::Object* object, NSDictionary* userInfo = nullptr);

private:
    struct Registration {
        std::uint64_t id;
        objc::WeakRef<objc::Object> observer;
        const objc::Object* observerAddress;
        objc::SEL selector;
        std::string name;
        objc::WeakRef<objc::Object> object;
        const objc::Object* objectAddress;
    };
    std::vector<Registration> m_registrations;
    std::uint64_t m_nextId = 1;
};

namespace foundation {
void registerNotificationCenterClasses(objc::Runtime&);
} // namespace foundation
