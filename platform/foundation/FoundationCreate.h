#pragma once

#include "platform/runtime/Runtime.h"

#include <utility>

namespace foundation {

// Makes sure the current runtime has the Foundation classes (and CoreFoundation's), so that C++
// code can make objects before anyone registered them explicitly.
void ensureRegistered();

template<class T, class... Args>
objc::Ref<T> create(Args&&... args)
{
    ensureRegistered();
    return objc::make<T>(std::forward<Args>(args)...);
}

} // namespace foundation
