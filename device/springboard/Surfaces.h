#pragma once

// The surfaces beyond the home screen's pages, each drawing icons through its own runtime methods:
//   the app switcher      SBDeckSwitcherIconImageContainerView (systems 9 and 10): icon,
//                         setIcon:, layoutSubviews, ivar _imageView;
//                         SBFluidSwitcherIconImageContainerView (11 and later): icon, setIcon:,
//                         imageView, layoutSubviews, updateIcon
//   notifications         BBBulletin: sectionID, title, message, sectionIconImageWithFormat:;
//                         NCNotificationRequestContentProvider (10+): ivar _appBundleIdentifer,
//                         icon, title, message
//   widgets (10+)         WGWidgetInfo: widgetIdentifier, displayName, icon, settingsIcon
//   search (10+)          SearchUIAppIconImage: bundleIdentifier (and bundleID from 12),
//                         generateImageWithFormat:; APWAppIconAndLabelView: ivar _iconButton,
//                         bundleIdentifier, setBundleIdentifier:

#include "device/profiles/DeviceProfile.h"
#include "platform/runtime/Runtime.h"

#include <string>

class UIView;

namespace springboard {

void registerSurfaceClasses(objc::Runtime&, const device::DeviceProfile&);

// Each opens its surface over the home screen (the home button closes it).
void showSwitcher();
void postNotification(const std::string& bundleIdentifier, const std::string& title, const std::string& message);
void showNotificationCenter();
void showWidgets();
void showSearch(const std::string& query);

// The surface on screen of a kind ("switcher", "banner", "notifications", "widgets", "search"),
// or null.
UIView* surface(const std::string& kind);

// How long a banner stays.
inline constexpr double kBannerSeconds = 5;

} // namespace springboard
