#pragma once

#include "platform/runtime/Runtime.h"

#include <utility>

namespace corefoundation {

// Makes sure the current runtime has the property-list classes, so that C++ code can build
// values before anyone registered them explicitly.
void ensureRegistered();

// Creates an object of C++ type T as an instance of its registered class on the current runtime.
template<class T, class... Args>
objc::Ref<T> create(Args&&... args)
{
    ensureRegistered();
    return objc::make<T>(std::forward<Args>(args)...);
}

} // namespace corefoundation
