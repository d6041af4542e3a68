#pragma once

// Labels as SpringBoard's own screens set them up (status bar, folder names, app placeholders).

#include "platform/uikit/UILabel.h"

#include <string>

namespace springboard {

objc::Ref<UILabel> makeLabel(CGRect frame, const std::string& text, double size, bool bold, UIColor* colour, NSTextAlignment alignment);

} // namespace springboard
