#pragma once

// The selectors the kit's classes introduce or override, declared once with their signatures.

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/foundation/NSURL.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/NSObjectSelectors.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITableView.h"

#include <cstdint>
#include <string>

namespace zarnek::sel {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Inherited from the platform.
using objc::sel::init;
using uikit::sel::loadView;
using uikit::sel::viewDidLoad;
using uikit::sel::layoutSubviews;
using preferences::sel::initWithStyleReuseIdentifierSpecifier;
inline constinit Sel<Ref<Object>(PSSpecifier*)> initWithSpecifier { "initWithSpecifier:" };
using uikit::sel::setSelectedAnimated;
using uikit::sel::setSelectionStyle;
using preferences::sel::preferredHeightForWidth;

// The in-app browser's initializer. The browser class comes with SafariServices, loaded when a
// link is opened; the simulated platform has no such framework, so the class may be missing.
inline constinit Sel<Ref<Object>(NSURL*)> initWithURL { "initWithURL:" };

// Table data source and delegate (the platform declares them; the names here are this code's).
using uikit::sel::numberOfSectionsInTableView;
inline constexpr const auto& numberOfRowsInSection = uikit::sel::tableViewNumberOfRowsInSection;
inline constexpr const auto& titleForHeaderInSection = uikit::sel::tableViewTitleForHeaderInSection;
inline constexpr const auto& heightForRowAtIndexPath = uikit::sel::tableViewHeightForRowAtIndexPath;
inline constexpr const auto& cellForRowAtIndexPath = uikit::sel::tableViewCellForRowAtIndexPath;
inline constexpr const auto& didSelectRowAtIndexPath = uikit::sel::tableViewDidSelectRowAtIndexPath;
inline constexpr const auto& targetIndexPathForMove = uikit::sel::tableViewTargetIndexPathForMoveFromRowAtIndexPathToProposedIndexPath;
inline constexpr const auto& moveRowAtIndexPathToIndexPath = uikit::sel::tableViewMoveRowAtIndexPathToIndexPath;
inline constexpr const auto& editingStyleForRowAtIndexPath = uikit::sel::tableViewEditingStyleForRowAtIndexPath;
inline constexpr const auto& canMoveRowAtIndexPath = uikit::sel::tableViewCanMoveRowAtIndexPath;
inline constexpr const auto& shouldIndentWhileEditingRowAtIndexPath = uikit::sel::tableViewShouldIndentWhileEditingRowAtIndexPath;

// The colour picker.
inline constinit Sel<Ref<NSArray>()> palettes { "palettes" };
inline constinit Sel<Ref<NSArray>()> specialColors { "specialColors" };
inline constinit Sel<Ref<NSArray>()> iOSColors { "iOSColors" };
inline constinit Sel<Ref<NSArray>()> crayonColors { "crayonColors" };
inline constinit Sel<Ref<NSArray>()> customColor { "customColor" };
inline constinit Sel<bool(std::string)> presetColorExists { "presetColorExists:" };
inline constinit Sel<Ref<NSArray>(NSArray*)> sortPaletteByHue { "sortPaletteByHue:" };
inline constinit Sel<Ref<UIView>(UIColor*)> getSliderViewWithColor { "getSliderViewWithColor:" };
inline constinit Sel<void(Object*, bool)> setCustomColorNotifyTweak { "setCustomColor:notifyTweak:" };
inline constinit Sel<void(Object*)> sliderAction { "sliderAction:" };
inline constinit Sel<void(Object*)> sliderDidEndSliding { "sliderDidEndSliding:" };
inline constinit Sel<void(Object*)> notifyTweak { "notifyTweak:" };
inline constinit Sel<std::string()> selectedColor { "selectedColor" };
inline constinit Sel<Ref<NSIndexPath>()> selectedIndexPath { "selectedIndexPath" };
inline constinit Sel<void()> loadColorValueFromPrefs { "loadColorValueFromPrefs" };

// The ordered list and the time range.
inline constinit Sel<void(bool)> syncPrefs { "syncPrefs:" };
inline constinit Sel<void()> loadValueFromPrefs { "loadValueFromPrefs" };
inline constinit Sel<void(Object*)> timeValueChanged { "timeValueChanged:" };

// The link cells.
inline constinit Sel<std::string(std::string)> urlForUsername { "_urlForUsername:" };
inline constinit Sel<bool(PSSpecifier*)> shouldShowAvatar { "shouldShowAvatar:" };
inline constinit Sel<void()> loadAvatarIfNeeded { "loadAvatarIfNeeded" };
inline constinit Sel<Ref<UIImage>()> avatarImage { "avatarImage" };
inline constinit Sel<void(UIImage*)> setAvatarImage { "setAvatarImage:" };
inline constinit Sel<bool()> isBig { "isBig" };
inline constinit Sel<Ref<UIImageView>()> avatarImageView { "avatarImageView" };
inline constinit Sel<void(Object*)> handleLongPress { "handleLongPress:" };
inline constinit Sel<void(const std::string&)> applyTypedValue { "applyTypedValue:" };

} // namespace zarnek::sel
