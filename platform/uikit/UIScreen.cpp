#include "platform/uikit/UIScreen.h"

#include "platform/graphics/Graphics.h"
#include "platform/uikit/UIKitState.h"

using objc::Ref;
using objc::SEL;

namespace {
struct ScreenSingleton {
    Ref<UIScreen> screen;
};
} // namespace

Ref<UIScreen> UIScreen::mainScreen()
{
    auto& slot = objc::Runtime::current().state<ScreenSingleton>();
    if (!slot.screen)
        slot.screen = objc::make<UIScreen>();
    return slot.screen;
}

CGRect UIScreen::bounds() const
{
    CGSize size = uikit::state().screen.size;
    return CGRectMake(0, 0, size.width, size.height);
}

CGFloat UIScreen::scale() const { return uikit::state().screen.scale; }

CGRect UIScreen::nativeBounds() const
{
    CGRect b = bounds();
    return CGRectMake(0, 0, b.size.width * scale(), b.size.height * scale());
}

void UIScreen::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIScreen>("NSObject");
    c->addClassMethod("mainScreen", [](objc::Object*, SEL) { return mainScreen(); });
    c->addMethod("bounds", [](UIScreen* self, SEL) { return self->bounds(); });
    c->addMethod("scale", [](UIScreen* self, SEL) { return self->scale(); });
    c->addMethod("nativeScale", [](UIScreen* self, SEL) { return self->nativeScale(); });
    c->addMethod("nativeBounds", [](UIScreen* self, SEL) { return self->nativeBounds(); });
}

namespace uikit {

void configureScreen(CGSize size, double scale)
{
    auto& screen = state().screen;
    screen.size = size;
    screen.scale = scale > 0 ? scale : 1;
    graphics::setMainScreenScale(screen.scale);
}

} // namespace uikit
