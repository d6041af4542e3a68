#pragma once

#include "Class.h"

#include <memory>
#include <set>
#include <typeindex>
#include <utility>
#include <vector>
#include <string>
#include <string_view>
#include <unordered_map>

namespace objc {

// The table of classes of one booted device. Creating a Runtime makes it the current one (every
// lookup by name goes to the current runtime); destroying it restores the one before. Tests create
// their own, so no class or replacement leaks from one test into the next.
class Runtime {
public:
    Runtime();
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static Runtime& current();
    static Runtime* currentOrNull();

    Class* getClass(std::string_view name) const;
    Class* requireClass(std::string_view name) const;
    // Registers a class under `name`. Fails if the name is taken or the superclass is unknown.
    Class* registerClass(const std::string& name, Class* superclass, Class::Factory factory = nullptr);
    template<class T>
    Class* registerClass(Class* superclass)
    {
        return registerClass(T::className(), superclass, [] { return static_cast<Object*>(new T()); });
    }
    template<class T>
    Class* registerClass(std::string_view superclass)
    {
        return registerClass<T>(requireClass(superclass));
    }
    std::vector<std::string> classNames() const;

    // Frameworks register their classes once per runtime; this answers true the first time only.
    bool beginRegistering(std::string_view module);

    // Per-device state of a framework (notification centers, the key window, the pasteboard):
    // made on first use, destroyed with the runtime in reverse order of making, so that a newly
    // booted device starts from nothing.
    template<class T>
    T& state()
    {
        auto key = std::type_index(typeid(T));
        for (auto& entry : m_states)
            if (entry.first == key)
                return *static_cast<T*>(entry.second.get());
        auto made = std::shared_ptr<void>(new T(), [](void* p) { delete static_cast<T*>(p); });
        T* result = static_cast<T*>(made.get());
        m_states.emplace_back(key, std::move(made));
        return *result;
    }

private:
    std::vector<std::pair<std::type_index, std::shared_ptr<void>>> m_states;
    std::unordered_map<std::string, Ref<Class>> m_classes;
    std::set<std::string, std::less<>> m_modules;
    Runtime* m_previous = nullptr;
};

// The platform's lookup by name: null when the booted device has no such class (or no device).
Class* objc_getClass(std::string_view name);
inline Class* NSClassFromString(std::string_view name) { return objc_getClass(name); }
Class* object_getClass(const Object* obj);
std::string class_getName(const Class* cls);
bool class_respondsToSelector(const Class* cls, SEL sel);

// Creates an object of C++ type T as an instance of its registered class (T::className()), or of
// `cls`, which must be that class or a subclass of it.
template<class T, class... Args>
Ref<T> make(Args&&... args)
{
    Class* cls = Runtime::current().requireClass(T::className());
    auto* object = new T(std::forward<Args>(args)...);
    object->setIsa(cls, true);
    return Ref<T>::adopt(object);
}
template<class T, class... Args>
Ref<T> makeOfClass(Class* cls, Args&&... args)
{
    Class* own = Runtime::current().requireClass(T::className());
    if (!cls || !cls->isSubclassOf(own))
        throw RuntimeError(std::string("cannot make a ") + T::className() + " as an instance of " + (cls ? cls->name() : "a null class"));
    auto* object = new T(std::forward<Args>(args)...);
    object->setIsa(cls, true);
    return Ref<T>::adopt(object);
}

} // namespace objc

// Declares the runtime name of a C++ class that mirrors a runtime class.
#define OBJC_CLASS(Name) \
public:                  \
    static constexpr const char* className() { return #Name; }
