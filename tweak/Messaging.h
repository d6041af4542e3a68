#pragma once

// Messages to SpringBoard's private classes, which differ between systems: a selector the
// receiver does not answer gives a zero value instead of a crash, and an instance variable the
// receiver's class does not have reads as null.

#include "platform/runtime/Message.h"

#include <string_view>

namespace ovrimo {

template<class R, class... A>
R sendIfAnswered(objc::Object* receiver, std::string_view selector, A&&... args)
{
    if (!objc::respondsToSelector(receiver, selector)) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    return objc::msgSend<R>(receiver, selector, std::forward<A>(args)...);
}

inline objc::Ref<objc::Object> ivarIfPresent(objc::Object* receiver, std::string_view name)
{
    if (!receiver || !receiver->isa() || !receiver->isa()->findIvar(name))
        return nullptr;
    return objc::getIvar<objc::Ref<objc::Object>>(receiver, name);
}

} // namespace ovrimo
