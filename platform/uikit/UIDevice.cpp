#include "platform/uikit/UIDevice.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"

using objc::Ref;

namespace {
struct DeviceSingleton {
    Ref<UIDevice> device;
};
} // namespace

Ref<UIDevice> UIDevice::currentDevice()
{
    auto& slot = objc::Runtime::current().state<DeviceSingleton>();
    if (!slot.device)
        slot.device = objc::make<UIDevice>();
    return slot.device;
}

std::string UIDevice::systemVersion() const { return uikit::state().device.systemVersion; }
std::string UIDevice::systemName() const { return uikit::state().device.systemName; }
std::string UIDevice::model() const { return uikit::state().device.model; }
std::string UIDevice::name() const { return uikit::state().device.name; }
UIUserInterfaceIdiom UIDevice::userInterfaceIdiom() const { return uikit::state().device.idiom; }

void UIDevice::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIDevice>(rt, "NSObject")
        .classMethod(sel::currentDevice, &UIDevice::currentDevice)
        .method(sel::systemVersion, &UIDevice::systemVersion)
        .method(sel::systemName, &UIDevice::systemName)
        .method(sel::model, &UIDevice::model)
        .method(sel::name, &UIDevice::name)
        .method(sel::userInterfaceIdiom, &UIDevice::userInterfaceIdiom)
        .build();
}

namespace uikit {

void configureDevice(std::string systemVersion, std::string model, UIUserInterfaceIdiom idiom)
{
    auto& device = state().device;
    device.systemVersion = std::move(systemVersion);
    device.name = model;
    device.model = std::move(model);
    device.idiom = idiom;
}

} // namespace uikit
