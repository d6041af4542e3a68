#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

// The device's screen. Its size and scale come from the device boot (uikit::configureScreen).
class UIScreen : public objc::NSObject {
    OBJC_CLASS(UIScreen)
public:
    static objc::Ref<UIScreen> mainScreen();

    CGRect bounds() const;
    CGFloat scale() const;
    CGFloat nativeScale() const { return scale(); }
    CGRect nativeBounds() const;

    static void registerClass(objc::Runtime&);
};

namespace uikit {
// Sets the main screen's size in points (portrait) and scale, and the graphics layer's screen
// scale with it.
void configureScreen(CGSize size, double scale);
} // namespace uikit
