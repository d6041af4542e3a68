#pragma once

// The Settings app of the simulated phone ("com.apple.Preferences"): a navigation controller
// whose root list shows the system's entries (each with its app's icon, given to the cell through
// -[PSTableCell setIcon:]) and, in a group below them, one entry per PreferenceLoader file
// (/Library/PreferenceLoader/Preferences/*.plist). Opening such an entry loads its preference
// bundle (/Library/PreferenceBundles/<bundle>.bundle) and pushes a controller of the bundle's
// principal class, which the bundle's code has registered with the runtime by name; a bundle or
// class that cannot be had shows an alert and the app goes on.

#include "platform/graphics/UIImage.h"

#include <string>
#include <vector>

namespace objc {
class Runtime;
}
class UINavigationController;

namespace device::settings {

inline constexpr const char* kBundleIdentifier = "com.apple.Preferences";
inline constexpr const char* kPreferenceLoaderFolder = "/Library/PreferenceLoader/Preferences";
inline constexpr const char* kPreferenceBundlesFolder = "/Library/PreferenceBundles";
// The side of the icons in the root list, in points.
inline constexpr double kIconSide = 29;

// One of the system's entries of the root list.
struct SystemEntry {
    std::string identifier; // the row's identifier ("WILLOW" for Home)
    std::string label;
    std::string appBundleIdentifier; // whose icon art the row shows ("" for the app's own panes)
    // The row's icon is the app's own, loaded lazily by the cell (appIDForLazyIcon), as for
    // Safari; the other rows carry their icon in the list.
    bool lazyIcon = false;
};
// The system's entries, in the order of the list; an empty identifier starts a new group.
const std::vector<SystemEntry>& systemEntries();

// One PreferenceLoader entry, as read from its file.
struct LoaderEntry {
    std::string file;   // device path of the entry file
    std::string bundle; // bundle name (the folder is <bundle>.bundle)
    std::string label;
    std::string icon;   // icon file name inside the bundle ("" for none)
    bool isController = false;
};
// The entries of /Library/PreferenceLoader/Preferences, in file name order. Files that cannot be
// read, or whose "entry" is not a dictionary with a "bundle" or a "label", are skipped and
// reported through `problems`.
std::vector<LoaderEntry> preferenceLoaderEntries(std::vector<std::string>* problems = nullptr);

// The 29-point icon of a root list entry: the app's default icon art, or a plain rounded square
// with the label's initial for the app's own panes.
objc::Ref<UIImage> entryIcon(const SystemEntry& entry);

// Registers the Settings app's classes (after the Preferences framework's). Idempotent per runtime.
void registerSettingsClasses(objc::Runtime& runtime);

// Starts the Settings app on the current device: injects the dynamic libraries whose filter
// names "com.apple.Preferences", then makes its navigation controller with the root list.
objc::Ref<UINavigationController> openSettings();

// Makes openSettings the launcher of "com.apple.Preferences" for device::Device (process-wide;
// idempotent). Loading this library does it too.
void registerSettingsApp();

} // namespace device::settings
