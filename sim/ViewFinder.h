#pragma once

// Finds what a person sees on the screen: views by accessibility label, title or text, the alert
// or sheet on top, the texts on show. Only visible views count: not hidden, not transparent (nor
// any of their superviews), and at least partly on the screen after the clipping of their
// superviews.

#include "platform/graphics/CGGeometry.h"

#include <string>
#include <vector>

class UIView;
class UIWindow;
class UIAlertController;

namespace sim {

// How a view matched a label.
enum class MatchKind { AccessibilityLabel, Title, Text };

struct FoundView {
    UIView* view = nullptr;
    MatchKind match = MatchKind::Text;
    // The centre of the visible part of the view, in screen points.
    CGPoint center;
};

// The view a finger should aim at for `label`: the topmost visible view whose accessibility label
// is `label`; else whose title (a button's) is; else whose text (a label's, a text field's) is. A
// match inside a home screen icon (SBIconView) gives the icon. Null view when nothing matches.
FoundView findView(UIWindow* window, const std::string& label);

// The part of `view` on the screen, in screen points (empty when none is, or it is not visible).
CGRect visibleRectOf(const UIView* view);

// Every text a visible view shows (labels' texts, buttons' titles, text fields' texts), topmost
// last, without repeats.
std::vector<std::string> visibleTexts(UIWindow* window);

// The alert or action sheet on screen (topmost), or null.
UIAlertController* alertOnScreen(UIWindow* window);

} // namespace sim
