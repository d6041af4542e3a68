#include "platform/uikit/UIDevice.h"

#include "platform/uikit/UIKitState.h"

using objc::Ref;
using objc::SEL;

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
    objc::Class* c = rt.registerClass<UIDevice>("NSObject");
    c->addClassMethod("currentDevice", [](objc::Object*, SEL) { return currentDevice(); });
    c->addMethod("systemVersion", [](UIDevice* self, SEL) { return self->systemVersion(); });
    c->addMethod("systemName", [](UIDevice* self, SEL) { return self->systemName(); });
    c->addMethod("model", [](UIDevice* self, SEL) { return self->model(); });
    c->addMethod("name", [](UIDevice* self, SEL) { return self->name(); });
    c->addMethod("userInterfaceIdiom", [](UIDevice* self, SEL) { return self->userInterfaceIdiom(); });
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
