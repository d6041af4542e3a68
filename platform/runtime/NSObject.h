#pragma once

#include "Message.h"

namespace objc {

// The root class. Its methods (respondsToSelector:, isKindOfClass:, class, init, description)
// are ordinary runtime methods, so they can be replaced like any other.
class NSObject : public Object {
    OBJC_CLASS(NSObject)
public:
    ~NSObject() override = default;
};

} // namespace objc
