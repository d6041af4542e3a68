#pragma once

// The overlay's optional action button: a rounded outline in the content colour. Empty (no
// title) it takes no space in the box.

#include "platform/uikit/UIButton.h"

namespace ovrimo::hud {

class MBProgressHUDRoundedButton : public UIButton {
    OBJC_CLASS(MBProgressHUDRoundedButton)
public:
    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void drawOutline(CGRect rect);
};

} // namespace ovrimo::hud
