#pragma once

// [[T alloc] initWithFrame:frame] for a view class written in C++: the object is made as T and
// initialised through the runtime, so the class's own initWithFrame: (and any replacement of it)
// runs.

#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIKitSelectors.h"

namespace uikit {

template<class T>
objc::Ref<T> makeView(CGRect frame)
{
    auto view = objc::make<T>();
    sel::initWithFrame(view, frame);
    return view;
}

} // namespace uikit
