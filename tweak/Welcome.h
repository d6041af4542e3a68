#pragma once

// The one-time welcome alert, shown whenever SpringBoard restores its content until the user
// taps "Don't show anymore".

namespace objc {
class Class;
}

namespace ovrimo {

inline constexpr const char* kWelcomePicturePath = "/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo_popup.png";

void InstallWelcomeAlert(objc::Class*); // -[SBUIController restoreContent]
void ShowWelcomeAlert();

} // namespace ovrimo
