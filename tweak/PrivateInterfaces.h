#pragma once

// The private interfaces of SpringBoard and the system frameworks that the tweak calls, declared
// once with the signatures they have there. The classes themselves are found by name at run
// time; a selector a class lacks on some system is sent with `ifAnswered`, every other one with
// `orZero`, so that a difference between systems reads as zero and never throws.

#include "platform/corefoundation/CoreFoundationSelectors.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/graphics/UIImage.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIView.h"

#include <cstdint>
#include <string>

namespace ovrimo::sb {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Icons (SBIcon, SBApplicationIcon, SBBookmarkIcon, SBFolderIcon) and what they carry.
inline constinit Sel<Ref<UIImage>(long long)> getIconImage { "getIconImage:" };
inline constinit Sel<Ref<UIImage>()> gridCellImage { "gridCellImage" };
inline constinit Sel<void()> reloadIconImage { "reloadIconImage" };
inline constinit Sel<std::int64_t()> badgeValue { "badgeValue" };
inline constinit Sel<Ref<Object>()> badgeNumberOrString { "badgeNumberOrString" };
inline constinit Sel<void()> noteBadgeDidChange { "noteBadgeDidChange" };
inline constinit Sel<bool()> isFolderIcon { "isFolderIcon" };
inline constinit Sel<Ref<Object>()> webClip { "webClip" };
inline constinit Sel<Ref<Object>()> application { "application" };
inline constinit Sel<std::string()> applicationBundleID { "applicationBundleID" };
inline constinit Sel<Ref<Object>()> folder { "folder" };
inline constinit Sel<std::string()> identifier { "identifier" };
using uikit::sel::title;
inline constinit Sel<std::string()> bundleIdentifier { "bundleIdentifier" };
inline constinit Sel<std::string()> displayName { "displayName" };

// Icon views and their image views.
inline constinit Sel<Ref<Object>()> icon { "icon" };
using uikit::sel::isEditing;
inline constinit Sel<void(bool)> _applyEditingStateAnimated { "_applyEditingStateAnimated:" };
inline constinit Sel<Ref<UIImage>()> contentsImage { "contentsImage" };
inline constinit Sel<void(bool)> updateImageAnimated { "updateImageAnimated:" };
inline constinit Sel<Ref<UIImage>()> darkeningOverlayImage { "darkeningOverlayImage" };
inline constinit Sel<void()> _updateCornerMask { "_updateCornerMask" };
inline constinit Sel<Ref<Object>()> element { "element" };
inline constinit Sel<Ref<Object>()> folderIcon { "folderIcon" };
inline constinit Sel<Ref<UIView>()> backgroundView { "backgroundView" };
inline constinit Sel<void(double)> setIconGridImageAlpha { "setIconGridImageAlpha:" };
inline constinit Sel<void()> reposition { "reposition" };

// The icon controller, the icon view map and the model.
inline constinit Sel<Ref<Object>()> sharedInstance { "sharedInstance" };
inline constinit Sel<Ref<Object>()> homescreenIconViewMap { "homescreenIconViewMap" };
inline constinit Sel<Ref<Object>()> homescreenMap { "homescreenMap" };
inline constinit Sel<Ref<UIView>(Object*)> mappedIconViewForIcon { "mappedIconViewForIcon:" };
inline constinit Sel<Ref<Object>()> model { "model" };
inline constinit Sel<Ref<NSArray>()> leafIcons { "leafIcons" };
inline constinit Sel<void(Object*)> _launchIcon { "_launchIcon:" };
using uikit::sel::setEditingAnimated;
using uikit::sel::contentView;
inline constinit Sel<bool()> isFloatingDockSupported { "isFloatingDockSupported" };
inline constinit Sel<Ref<Object>()> viewController { "viewController" };
inline constinit Sel<void()> restoreContent { "restoreContent" };
inline constinit Sel<void()> _restartEditingEndTimer { "_restartEditingEndTimer" };

// The current page's icon list and the capacity of a page.
inline constinit Sel<Ref<Object>()> currentFolderIconList { "currentFolderIconList" };
inline constinit Sel<Ref<Object>()> currentRootIconList { "currentRootIconList" };
inline constinit Sel<Ref<NSArray>()> icons { "icons" };
inline constinit Sel<std::int64_t()> maxVisibleIcons { "maxVisibleIcons" };
inline constinit Sel<std::int64_t(std::int64_t)> iconColumnsForInterfaceOrientation { "iconColumnsForInterfaceOrientation:" };

// Switchers, bulletins, notifications, widgets, search and suggestions.
inline constinit Sel<void()> updateIcon { "updateIcon" };
inline constinit Sel<Ref<Object>()> imageView { "imageView" };
inline constinit Sel<Ref<UIImage>(long long)> sectionIconImageWithFormat { "sectionIconImageWithFormat:" };
inline constinit Sel<std::string()> sectionID { "sectionID" };
inline constinit Sel<Ref<UIImage>()> iconImage { "icon" };
inline constinit Sel<Ref<UIImage>()> settingsIcon { "settingsIcon" };
inline constinit Sel<std::string()> widgetIdentifier { "widgetIdentifier" };
inline constinit Sel<Ref<UIImage>(long long)> generateImageWithFormat { "generateImageWithFormat:" };
inline constinit Sel<std::string()> bundleID { "bundleID" };
inline constinit Sel<void(const std::string&)> setBundleIdentifier { "setBundleIdentifier:" };

// Settings cells (the Preferences framework) and the values they hold: the platform's declarations.
using preferences::sel::getLazyIconID;
using preferences::sel::propertyForKey;
using preferences::sel::setIcon;
using preferences::sel::specifier;
using corefoundation::sel::boolValue;
using corefoundation::sel::integerValue;
using corefoundation::sel::UTF8String;

} // namespace ovrimo::sb

namespace ovrimo::helper {

// What the editing triggers send to the workflow's class.
inline constinit objc::Sel<void()> cleanupOnDimiss { "cleanupOnDimiss" };

} // namespace ovrimo::helper
