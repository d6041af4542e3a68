#pragma once

// The settings bundle's shared pieces: its constants and the alerts its panes show. The bundle meets the tweak library only through the preferences
// domain, the Darwin notification and the folders below /var/mobile/Documents/Ovrimo/.

#include "platform/runtime/Object.h"
#include "platform/runtime/Sel.h"

#include <string>

class NSArray;
class PSListController;
class UIColor;
class UIViewController;

namespace ovrimoprefs {

inline constexpr const char* kProductName = "Ovrimo";
inline constexpr const char* kDomain = "com.zarnek.ovrimo";
inline constexpr const char* kPreferencesChanged = "com.zarnek.ovrimo.prefs";
inline constexpr const char* kIconsFolder = "/var/mobile/Documents/Ovrimo/Icons/";
inline constexpr const char* kLibraryFolder = "/var/mobile/Documents/Ovrimo/IconLibrary/";
inline constexpr const char* kFollowButtonImage = "/Library/PreferenceBundles/ovrimoprefs.bundle/twitter.png";

// red 132/255, green 79/255, blue 152/255, opaque.
objc::Ref<UIColor> AccentColor();

// The controller alerts are presented from: the key window's root view controller or, when
// that already presents a screen (the Settings app on the simulated phone shares SpringBoard's
// window), the screen on top of it.
UIViewController* AlertHost();
// An alert titled "Ovrimo" with `message` and one "Ok" button that does nothing.
void ShowInfoAlert(const std::string& message);
// An alert titled "Ovrimo" with `message`, a destructive `confirmTitle` action that sends
// `confirmed` to `pane` (kept until then) and a "Cancel" action that does nothing, in this order.
void ShowConfirmation(const std::string& message, const std::string& confirmTitle, PSListController* pane, const objc::Sel<void()>& confirmed);

// A pane's `specifiers`: the list file `listName` of the bundle, loaded with the pane as target on
// the first call and kept in the base class's storage (reloadSpecifiers discards it).
objc::Ref<NSArray> SpecifiersOnce(PSListController* pane, const char* listName);

// Posts "com.zarnek.ovrimo.prefs" on the Darwin center: no object, no user info, at once.
void PostPreferencesChanged();

} // namespace ovrimoprefs
