#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

// The device itself: its system version, model and interface idiom, set by the device boot.
class UIDevice : public objc::NSObject {
    OBJC_CLASS(UIDevice)
public:
    static objc::Ref<UIDevice> currentDevice();

    std::string systemVersion() const;
    std::string systemName() const;
    std::string model() const;
    std::string name() const;
    UIUserInterfaceIdiom userInterfaceIdiom() const;

    static void registerClass(objc::Runtime&);
};

namespace uikit {
void configureDevice(std::string systemVersion, std::string model, UIUserInterfaceIdiom idiom);
} // namespace uikit
