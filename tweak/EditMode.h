#pragma once

// Editing mode: the trigger that opens the per-icon action sheet on every icon view, and the page
// button that opens the page action sheet, added when editing starts and taken away when it ends.

#include "platform/substrate/Replacement.h"

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

// An icon view entering or leaving editing: its trigger comes or goes.
void ApplyEditingState(objc::Object* self, const substrate::Original<void(bool)>& original, bool animated);
// The home screen's folder controller entering or leaving editing: the page button comes or goes.
void FolderControllerSetEditing(objc::Object* self, const substrate::Original<void(bool, bool)>& original, bool editing, bool animated);

} // namespace ovrimo
