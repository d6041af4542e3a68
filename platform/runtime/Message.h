#pragma once

#include "Class.h"
#include "Runtime.h"

#include <string_view>

namespace objc {

namespace detail {
[[noreturn]] void throwUnrecognizedSelector(Object* self, SEL sel);
template<class R>
R zeroValue()
{
    if constexpr (!std::is_void_v<R>)
        return R {};
}
} // namespace detail

// Sends a message: looks the selector up on the receiver's class (class methods when the receiver
// is a class) and calls the implementation found there. A message to null returns a zero value.
// An unknown selector or a signature that does not match the method's throws RuntimeError.
template<class R = void, class... A>
R msgSend(Object* self, SEL sel, A&&... args)
{
    if (!self)
        return detail::zeroValue<R>();
    Method* method = self->isa() ? self->isa()->findMethod(sel) : nullptr;
    if (!method)
        detail::throwUnrecognizedSelector(self, sel);
    ImpPtr imp = method->imp;
    return invokeImp<R>(*imp, self, sel, std::forward<A>(args)...);
}
template<class R = void, class... A>
R msgSend(Object* self, std::string_view sel, A&&... args)
{
    return msgSend<R>(self, sel_registerName(sel), std::forward<A>(args)...);
}

// Calls the implementation `cls`'s superclass has for `sel` ([super sel] inside a method of `cls`).
template<class R = void, class... A>
R msgSendSuper(Class* cls, Object* self, std::string_view selName, A&&... args)
{
    SEL sel = sel_registerName(selName);
    if (!self)
        return detail::zeroValue<R>();
    Method* method = cls && cls->superclass() ? cls->superclass()->findMethod(sel) : nullptr;
    if (!method)
        detail::throwUnrecognizedSelector(self, sel);
    ImpPtr imp = method->imp;
    return invokeImp<R>(*imp, self, sel, std::forward<A>(args)...);
}

bool respondsToSelector(const Object* self, std::string_view sel);
bool isKindOfClass(const Object* self, const Class* cls);
bool isKindOfClass(const Object* self, std::string_view className);
std::string classNameOf(const Object* self);

// Instance variables by name, looked up on the receiver's actual class. Object variables are
// read as Ref<T>.
const Ivar& requireIvar(const Object* self, std::string_view name);

template<class T>
T getIvar(Object* self, std::string_view name)
{
    if (!self)
        return T {};
    const Ivar& ivar = requireIvar(self, name);
    using Canonical = std::conditional_t<ObjectRef<T>, Ref<Object>, ArgOf<T>>;
    if (*ivar.type != typeid(Canonical))
        throw RuntimeError("instance variable " + ivar.name + " of " + classNameOf(self) + " is " + demangle(*ivar.type) + ", read as " + demangle(typeid(Canonical)));
    Canonical value {};
    ivar.get(self, &value);
    if constexpr (ObjectRef<T>)
        return T(checkedObjectCast<typename IsRef<T>::element>(value.ptr()));
    else
        return static_cast<T>(value);
}

template<class T>
void setIvar(Object* self, std::string_view name, const T& value)
{
    if (!self)
        return;
    const Ivar& ivar = requireIvar(self, name);
    using Canonical = std::conditional_t<ObjectRef<T> || ObjectPointer<T>, Ref<Object>, ArgOf<T>>;
    if (*ivar.type != typeid(Canonical))
        throw RuntimeError("instance variable " + ivar.name + " of " + classNameOf(self) + " is " + demangle(*ivar.type) + ", written as " + demangle(typeid(Canonical)));
    Canonical canonical;
    if constexpr (ObjectRef<T>)
        canonical = Ref<Object>(static_cast<Object*>(value.ptr()));
    else if constexpr (ObjectPointer<T>)
        canonical = Ref<Object>(static_cast<Object*>(value));
    else
        canonical = toCanonical(value);
    ivar.set(self, &canonical);
}

} // namespace objc
