#pragma once

// Finding what a person sees on the screen: a visible view by its accessibility label, else its
// title (a button's), else its text (a label's or a text field's). Only visible views count: not
// hidden, not transparent (nor any of their superviews), and at least partly on the screen after
// the clipping of their superviews.

#include "platform/uikit/UIKitTypes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class UIView;

namespace uikit {

// How a view matched a label.
enum class MatchKind { AccessibilityLabel, Title, Text };

struct FoundView {
    UIView* view = nullptr;
    MatchKind match = MatchKind::Text;
    // The centre of the visible part of the view, in screen (window) points.
    CGPoint center;
};

// The view a finger should aim at for `label` in `root` and below: the topmost visible view whose
// accessibility label is `label`; else whose title is; else whose text is. A text inside a button
// counts as the button. Nothing when no view matches.
std::optional<FoundView> findViewWithLabel(UIView* root, const std::string& label);

// Visits every visible view below `root` (the root included), back to front, with the part of
// it on the screen.
void forEachVisibleView(UIView* root, const std::function<void(UIView*, CGRect)>& visit);

// The part of `view` on the screen, in screen points (empty when none is, or it is not visible).
CGRect visibleRectOf(const UIView* view);

// The title of a button or the text of a label or text field; empty for other views.
std::string titleOrTextOf(UIView* view);

} // namespace uikit
