#pragma once

// The selectors SpringBoard's classes introduce, each declared once with its signature. Several
// classes answer the same selector (displayName, icon, setIcon:, contentsImage, …), so they are
// kept together here, grouped by the class that introduces them, rather than in each header.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/UIKitSelectors.h"

#include <cstdint>
#include <string>

class NSArray;
class SBApplication;
class SBApplicationIcon;
class SBFolder;
class SBFolderIcon;
class SBDockIconListView;
class SBFolderController;
class SBFolderIconListView;
class SBIcon;
class SBIconListView;
class SBIconModel;
class SBIconView;
class UIImageView;
class UIView;
class UIViewController;
class UIWebClip;

namespace springboard::sel {

using objc::Ref;
using objc::Sel;

// SBApplication, UIWebClip, SBFolder
inline constinit Sel<std::string()> bundleIdentifier { "bundleIdentifier" };
inline constinit Sel<std::string()> displayName { "displayName" };
inline constinit Sel<std::string()> identifier { "identifier" };
using uikit::sel::title;
inline constinit Sel<std::string()> pageURL { "pageURL" };
inline constinit Sel<void(std::string)> setDisplayName { "setDisplayName:" };
inline constinit Sel<Ref<NSArray>()> icons { "icons" };
inline constinit Sel<Ref<NSArray>()> lists { "lists" };

// SBIcon and its subclasses
inline constinit Sel<Ref<UIImage>(long long)> getIconImage { "getIconImage:" };
inline constinit Sel<Ref<UIImage>()> gridCellImage { "gridCellImage" };
inline constinit Sel<void()> reloadIconImage { "reloadIconImage" };
inline constinit Sel<Ref<objc::Object>()> badgeNumberOrString { "badgeNumberOrString" };
inline constinit Sel<std::int64_t()> badgeValue { "badgeValue" };
inline constinit Sel<void(objc::Object*)> setBadge { "setBadge:" };
inline constinit Sel<void()> noteBadgeDidChange { "noteBadgeDidChange" };
inline constinit Sel<Ref<SBApplication>()> application { "application" };
inline constinit Sel<std::string()> applicationBundleID { "applicationBundleID" };
inline constinit Sel<std::string()> leafIdentifier { "leafIdentifier" };
inline constinit Sel<bool()> isFolderIcon { "isFolderIcon" };
inline constinit Sel<bool()> isBookmarkIcon { "isBookmarkIcon" };
inline constinit Sel<void(objc::Object*)> addObserver { "addObserver:" };
inline constinit Sel<void(objc::Object*)> removeObserver { "removeObserver:" };
inline constinit Sel<Ref<UIWebClip>()> webClip { "webClip" };
inline constinit Sel<Ref<SBFolder>()> folder { "folder" };

// What an icon's observers hear (SBIconView answers both).
inline constinit Sel<void(objc::Object*)> iconImageDidUpdate { "iconImageDidUpdate:" };
inline constinit Sel<void(objc::Object*)> iconAccessoriesDidUpdate { "iconAccessoriesDidUpdate:" };

// SBIconModel
inline constinit Sel<Ref<NSArray>()> leafIcons { "leafIcons" };
inline constinit Sel<Ref<SBApplicationIcon>(std::string)> applicationIconForBundleIdentifier { "applicationIconForBundleIdentifier:" };
inline constinit Sel<Ref<SBIcon>(std::string)> expectedIconForDisplayIdentifier { "expectedIconForDisplayIdentifier:" };
inline constinit Sel<Ref<NSArray>()> applications { "applications" };

// SBIconImageView and its subclasses, _SBIconGridWrapperView, SBIconImageCrossfadeView
inline constinit Sel<Ref<SBIcon>()> icon { "icon" };
inline constinit Sel<void(objc::Object*)> setIcon { "setIcon:" };
inline constinit Sel<Ref<UIImage>()> contentsImage { "contentsImage" };
inline constinit Sel<void(bool)> updateImageAnimated { "updateImageAnimated:" };
inline constinit Sel<Ref<UIImage>()> displayedImage { "displayedImage" };
inline constinit Sel<Ref<UIImage>()> darkeningOverlayImage { "darkeningOverlayImage" };
inline constinit Sel<Ref<SBFolderIcon>()> folderIcon { "folderIcon" };
inline constinit Sel<Ref<UIView>()> backgroundView { "backgroundView" };
inline constinit Sel<double()> iconGridImageAlpha { "iconGridImageAlpha" };
inline constinit Sel<void(double)> setIconGridImageAlpha { "setIconGridImageAlpha:" };
inline constinit Sel<Ref<objc::Object>()> element { "element" };
inline constinit Sel<void()> reposition { "reposition" };
inline constinit Sel<void()> _updateCornerMask { "_updateCornerMask" };

// SBIconView
using uikit::sel::isEditing;
using uikit::sel::setEditingAnimated;
inline constinit Sel<void(bool)> _applyEditingStateAnimated { "_applyEditingStateAnimated:" };
inline constinit Sel<void(objc::Object*)> _handleLongPress { "_handleLongPress:" };

// SBIconListView and its subclasses, SBIconViewMap
inline constinit Sel<std::int64_t()> maxVisibleIcons { "maxVisibleIcons" };
inline constinit Sel<std::int64_t(std::int64_t)> iconColumnsForInterfaceOrientation { "iconColumnsForInterfaceOrientation:" };
inline constinit Sel<std::int64_t(std::int64_t)> iconRowsForInterfaceOrientation { "iconRowsForInterfaceOrientation:" };
inline constinit Sel<Ref<NSArray>()> iconViews { "iconViews" };
inline constinit Sel<Ref<SBIconView>(objc::Object*)> mappedIconViewForIcon { "mappedIconViewForIcon:" };
inline constinit Sel<Ref<objc::Object>()> homescreenMap { "homescreenMap" };

// SBFolderController
using uikit::sel::contentView;
inline constinit Sel<Ref<SBIconListView>()> currentIconListView { "currentIconListView" };

// SBIconController, SBFloatingDockController, SBUIController
inline constinit Sel<Ref<objc::Object>()> sharedInstance { "sharedInstance" };
inline constinit Sel<Ref<SBIconModel>()> model { "model" };
inline constinit Sel<Ref<objc::Object>()> homescreenIconViewMap { "homescreenIconViewMap" };
inline constinit Sel<Ref<SBIconListView>()> currentRootIconList { "currentRootIconList" };
inline constinit Sel<Ref<SBFolderIconListView>()> currentFolderIconList { "currentFolderIconList" };
inline constinit Sel<Ref<SBDockIconListView>()> dockListView { "dockListView" };
inline constinit Sel<Ref<SBFolderController>()> rootFolderController { "rootFolderController" };
inline constinit Sel<Ref<SBFolderController>()> openFolderController { "openFolderController" };
inline constinit Sel<bool()> hasOpenFolder { "hasOpenFolder" };
inline constinit Sel<void(bool)> setIsEditing { "setIsEditing:" };
inline constinit Sel<void()> _restartEditingEndTimer { "_restartEditingEndTimer" };
inline constinit Sel<void(objc::Object*)> _launchIcon { "_launchIcon:" };
inline constinit Sel<void(objc::Object*, bool)> openFolderIconAnimated { "openFolderIcon:animated:" };
inline constinit Sel<void(bool)> closeFolderAnimated { "closeFolderAnimated:" };
inline constinit Sel<void(std::int64_t, bool)> scrollToIconListAtIndexAnimated { "scrollToIconListAtIndex:animated:" };
inline constinit Sel<std::int64_t()> currentIconListIndex { "currentIconListIndex" };
inline constinit Sel<void(objc::Object*)> _handleBackdropTap { "_handleBackdropTap:" };
inline constinit Sel<void(objc::Object*)> _handleDoneButton { "_handleDoneButton:" };
inline constinit Sel<bool()> isFloatingDockSupported { "isFloatingDockSupported" };
inline constinit Sel<Ref<UIViewController>()> viewController { "viewController" };
inline constinit Sel<void()> restoreContent { "restoreContent" };
inline constinit Sel<void()> clickedMenuButton { "clickedMenuButton" };
inline constinit Sel<void(objc::Object*)> _handleLaunchTap { "_handleLaunchTap:" };
inline constinit Sel<void(objc::Object*)> _handleLaunchButton { "_handleLaunchButton:" };
inline constinit Sel<bool()> isAppSwitcherShowing { "isAppSwitcherShowing" };

// The surfaces' classes: switcher icon containers, notifications, widgets, search
using uikit::sel::imageView;
inline constinit Sel<void()> updateIcon { "updateIcon" };
inline constinit Sel<std::string()> sectionID { "sectionID" };
using uikit::sel::message;
inline constinit Sel<Ref<UIImage>(std::int64_t)> sectionIconImageWithFormat { "sectionIconImageWithFormat:" };
// "icon" where it answers a picture rather than an SBIcon (notification content, widgets).
inline constinit Sel<Ref<UIImage>()> iconPicture { "icon" };
inline constinit Sel<std::string()> widgetIdentifier { "widgetIdentifier" };
inline constinit Sel<Ref<UIImage>()> settingsIcon { "settingsIcon" };
inline constinit Sel<std::string()> bundleID { "bundleID" };
inline constinit Sel<Ref<UIImage>(std::int64_t)> generateImageWithFormat { "generateImageWithFormat:" };
inline constinit Sel<void(std::string)> setBundleIdentifier { "setBundleIdentifier:" };

} // namespace springboard::sel
