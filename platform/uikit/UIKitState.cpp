#include "platform/uikit/UIKitState.h"

#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UIWindow.h"

#include <cstdio>

namespace uikit {

UIKitState& state() { return objc::Runtime::current().state<UIKitState>(); }

void warn(std::string message)
{
    std::fprintf(stderr, "UIKit: %s\n", message.c_str());
    if (objc::Runtime::currentOrNull())
        state().diagnostics.push_back(std::move(message));
}

} // namespace uikit
