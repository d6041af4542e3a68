#pragma once

// Finding what a person would aim at: a visible view by its accessibility label, else its title
// (a button's), else its text (a label's or a text field's).

#include "platform/uikit/UIKitTypes.h"

#include <optional>
#include <string>

class UIView;

namespace uikit {

struct FoundView {
    UIView* view = nullptr;
    // The centre of the view in screen (window) coordinates.
    CGPoint center;
};

// Searches `root` and everything below it, topmost first (the view drawn last wins); hidden,
// transparent and fully clipped-away views and their subviews do not count. Nothing when no
// view matches.
std::optional<FoundView> findViewWithLabel(UIView* root, const std::string& label);

} // namespace uikit
