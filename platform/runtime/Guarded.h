#pragma once

// Instance variables read by code running inside another process's classes (a tweak reading a
// private class's `_imageView`). Never throws: a variable that is absent, or that holds an object
// of another class than the one asked for, reads as null and leaves a diagnostic.

#include "Diagnostics.h"
#include "Message.h"

#include <optional>
#include <string>
#include <string_view>

namespace objc {

// The object in the instance variable `name` of `self` as a T, or null (with a diagnostic when
// the variable is absent or holds something else than a T).
template<class T>
Ref<T> ivarOrNull(Object* self, std::string_view name) noexcept
{
    if (!self)
        return nullptr;
    try {
        const Ivar* ivar = self->isa() ? self->isa()->findIvar(name) : nullptr;
        if (!ivar) {
            diagnose("class " + classNameOf(self) + " has no instance variable " + std::string(name) + "; read as null");
            return nullptr;
        }
        if (*ivar->type != typeid(Ref<Object>)) {
            diagnose("instance variable " + std::string(name) + " of " + classNameOf(self) + " is " + demangle(*ivar->type) + ", not an object; read as null");
            return nullptr;
        }
        Ref<Object> value;
        ivar->get(self, &value);
        if (!value)
            return nullptr;
        if (auto* typed = dynamic_cast<T*>(value.ptr()))
            return Ref<T>(typed);
        diagnose("instance variable " + std::string(name) + " of " + classNameOf(self) + " holds a " + classNameOf(value) + ", not a " + demangle(typeid(T)) + "; read as null");
    } catch (const std::exception& e) {
        diagnose("instance variable " + std::string(name) + " of " + classNameOf(self) + " could not be read: " + e.what());
    } catch (...) {
        diagnose("instance variable " + std::string(name) + " of " + classNameOf(self) + " could not be read");
    }
    return nullptr;
}

} // namespace objc

namespace objc {

// The same for a variable the class may lack on some systems: absent reads as null silently;
// one that holds something else than a T still leaves a diagnostic.
template<class T>
Ref<T> ivarIfPresent(Object* self, std::string_view name) noexcept
{
    if (!self || !self->isa() || !self->isa()->findIvar(name))
        return nullptr;
    return ivarOrNull<T>(self, name);
}

// A variable of a value type (a string, a number) the class may lack: empty when absent or of
// another type (the latter with a diagnostic).
template<class T>
std::optional<T> ivarValueIfPresent(Object* self, std::string_view name) noexcept
{
    const Ivar* ivar = self && self->isa() ? self->isa()->findIvar(name) : nullptr;
    if (!ivar)
        return std::nullopt;
    try {
        return getIvar<T>(self, name);
    } catch (const std::exception& e) {
        diagnose(std::string(e.what()) + "; read as absent");
    }
    return std::nullopt;
}

} // namespace objc
