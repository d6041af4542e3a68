#include "platform/uikit/UIScreen.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/graphics/Graphics.h"
#include "platform/uikit/UIKitState.h"

using objc::Ref;

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
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIScreen>(rt, "NSObject")
        .classMethod(sel::mainScreen, &UIScreen::mainScreen)
        .method(sel::bounds, &UIScreen::bounds)
        .method(sel::scale, &UIScreen::scale)
        .method(sel::nativeScale, &UIScreen::nativeScale)
        .method(sel::nativeBounds, &UIScreen::nativeBounds)
        .build();
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
