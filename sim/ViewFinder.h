#pragma once

// Finds what a person sees on the screen of the simulated phone: views by label (with the home
// screen's icons as one target each), the alert or sheet on top, the texts on show.

#include "platform/uikit/ViewSearch.h"

#include <string>
#include <vector>

class UIView;
class UIWindow;
class UIAlertController;

namespace sim {

using uikit::FoundView;
using uikit::MatchKind;
using uikit::visibleRectOf;

// The view a finger should aim at for `label` (see uikit::findViewWithLabel). A match inside a
// home screen icon (SBIconView) gives the icon. Null view when nothing matches.
FoundView findView(UIWindow* window, const std::string& label);

// Every text a visible view shows (labels' texts, buttons' titles, text fields' texts), topmost
// last, without repeats.
std::vector<std::string> visibleTexts(UIWindow* window);

// The alert or action sheet on screen (topmost), or null.
UIAlertController* alertOnScreen(UIWindow* window);

} // namespace sim
