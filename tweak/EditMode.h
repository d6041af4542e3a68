#pragma once

// Editing mode: the trigger that opens the per-icon action sheet on every icon view, and the page
// button that opens the page action sheet, added when editing starts and taken away when it ends.

namespace objc {
class Class;
}

namespace ovrimo {

inline constexpr long kIconButtonTag = 121345;
inline constexpr long kPageButtonTag = 212543;
inline constexpr const char* kIconButtonImagePath = "/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png";
inline constexpr const char* kPageButtonImagePath = "/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo_popup.png";

struct PageButtonGeometry {
    double size;
    double x, y;
};
// Where the page button goes for an "activationmethodmulti" value; false when there is none.
bool PageButtonPlacement(long long placement, PageButtonGeometry& out);

void InstallApplyEditingState(objc::Class*);       // -[SBIconView _applyEditingStateAnimated:]
void InstallFolderControllerSetEditing(objc::Class*); // -[SBFolderController setEditing:animated:]

} // namespace ovrimo
