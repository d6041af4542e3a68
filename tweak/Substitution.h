#pragma once

// The method replacements through which custom images reach every surface that shows an icon.
// Each is installed by the library initializer (Startup.cpp) in its table order.

#include <string>

namespace objc {
class Class;
}

namespace ovrimo {

// The key a Settings list entry's identifier stands for, or nothing.
const char* SettingsIdentifierKey(const std::string& identifier);
// Everything before the last "." of a widget identifier (the whole identifier when it has none).
std::string WidgetKey(const std::string& widgetIdentifier);

// Whether the next folder overlay layout is to be skipped (set when a folder opens).
bool& FolderLayoutSkip();

void InstallClockContentsImage(objc::Class*);        // row 3
void InstallIconImageViewContentsImage(objc::Class*); // row 4
void InstallGridCellImage(objc::Class*);             // row 5
void InstallGetIconImage(objc::Class*);              // row 6
void InstallUpdateCornerMask(objc::Class*);          // row 7
void InstallDeckSwitcherLayout(objc::Class*);        // row 8
void InstallBulletinSectionIcon(objc::Class*);       // row 9
void InstallSettingsCellSetIcon(objc::Class*);       // row 10
void InstallGridWrapperLayout(objc::Class*);         // row 11
void InstallGridWrapperReposition(objc::Class*);     // row 12
void InstallFolderOverlayLayout(objc::Class*);       // row 13
void InstallLaunchIcon(objc::Class*);                // row 14
void InstallNotificationIcon(objc::Class*);          // row 15
void InstallWidgetIcon(objc::Class*);                // row 16
void InstallWidgetSettingsIcon(objc::Class*);        // row 17
void InstallSearchIcon(objc::Class*);                // row 18
void InstallSuggestionIcon(objc::Class*);            // row 19
void InstallFluidSwitcherLayout(objc::Class*);       // row 20
void InstallFluidSwitcherUpdate(objc::Class*);       // row 21

inline constexpr long kFolderOverlayTag = 12344312;

} // namespace ovrimo
