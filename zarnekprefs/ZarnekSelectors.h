#pragma once

// The selectors the kit's classes introduce or override, declared once with their signatures.

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/runtime/Sel.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UITableView.h"

#include <cstdint>
#include <string>

namespace zarnek::sel {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Inherited from the platform.
inline constinit Sel<Ref<Object>()> init { "init" };
inline constinit Sel<void()> loadView { "loadView" };
inline constinit Sel<void()> viewDidLoad { "viewDidLoad" };
inline constinit Sel<void()> layoutSubviews { "layoutSubviews" };
inline constinit Sel<Ref<Object>(std::int64_t, std::string, PSSpecifier*)> initWithStyleReuseIdentifierSpecifier { "initWithStyle:reuseIdentifier:specifier:" };
inline constinit Sel<Ref<Object>(PSSpecifier*)> initWithSpecifier { "initWithSpecifier:" };
inline constinit Sel<void(bool, bool)> setSelectedAnimated { "setSelected:animated:" };
inline constinit Sel<void(std::int64_t)> setSelectionStyle { "setSelectionStyle:" };
inline constinit Sel<double(double)> preferredHeightForWidth { "preferredHeightForWidth:" };

// Table data source and delegate.
inline constinit Sel<std::int64_t(UITableView*)> numberOfSectionsInTableView { "numberOfSectionsInTableView:" };
inline constinit Sel<std::int64_t(UITableView*, std::int64_t)> numberOfRowsInSection { "tableView:numberOfRowsInSection:" };
inline constinit Sel<std::string(UITableView*, std::int64_t)> titleForHeaderInSection { "tableView:titleForHeaderInSection:" };
inline constinit Sel<double(UITableView*, NSIndexPath*)> heightForRowAtIndexPath { "tableView:heightForRowAtIndexPath:" };
inline constinit Sel<Ref<UITableViewCell>(UITableView*, NSIndexPath*)> cellForRowAtIndexPath { "tableView:cellForRowAtIndexPath:" };
inline constinit Sel<void(UITableView*, NSIndexPath*)> didSelectRowAtIndexPath { "tableView:didSelectRowAtIndexPath:" };
inline constinit Sel<Ref<NSIndexPath>(UITableView*, NSIndexPath*, NSIndexPath*)> targetIndexPathForMove { "tableView:targetIndexPathForMoveFromRowAtIndexPath:toProposedIndexPath:" };
inline constinit Sel<void(UITableView*, NSIndexPath*, NSIndexPath*)> moveRowAtIndexPathToIndexPath { "tableView:moveRowAtIndexPath:toIndexPath:" };
inline constinit Sel<std::int64_t(UITableView*, NSIndexPath*)> editingStyleForRowAtIndexPath { "tableView:editingStyleForRowAtIndexPath:" };
inline constinit Sel<bool(UITableView*, NSIndexPath*)> canMoveRowAtIndexPath { "tableView:canMoveRowAtIndexPath:" };
inline constinit Sel<bool(UITableView*, NSIndexPath*)> shouldIndentWhileEditingRowAtIndexPath { "tableView:shouldIndentWhileEditingRowAtIndexPath:" };

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
