#pragma once

// The one-time welcome alert, shown whenever SpringBoard restores its content until the user
// taps "Don't show anymore".

#include "platform/substrate/Replacement.h"

namespace ovrimo {

inline constexpr const char* kWelcomePicturePath = "/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo_popup.png";

// SpringBoard restoring its content: the welcome alert while "firstrun" is on.
void RestoreContent(objc::Object* self, const substrate::Original<void()>& original);
void ShowWelcomeAlert();

} // namespace ovrimo
