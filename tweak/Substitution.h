#pragma once

// The method replacements through which custom images reach every surface that shows an icon.
// Each body gets the receiver, the implementation it replaced (called with unchanged arguments
// first) and the arguments; the start-up table (Startup.cpp) pairs each with its class and
// selector and installs them in order.

#include "platform/substrate/Replacement.h"
#include "platform/uikit/UIKitSelectors.h"

#include <string>

class UIImage;

namespace ovrimo {

using substrate::Original;
using ImageGetter = Original<objc::Ref<UIImage>()>;
using ImageWithFormat = Original<objc::Ref<UIImage>(long long)>;
using Layout = Original<void()>;

// The key a Settings list entry's identifier stands for, or nothing.
const char* SettingsIdentifierKey(const std::string& identifier);
// Everything before the last "." of a widget identifier (the whole identifier when it has none).
std::string WidgetKey(const std::string& widgetIdentifier);

// Whether the next folder overlay layout is to be skipped (set when a folder opens).
bool& FolderLayoutSkip();

objc::Ref<UIImage> ClockContentsImage(objc::Object* self, const ImageGetter& original);
objc::Ref<UIImage> IconImageViewContentsImage(objc::Object* self, const ImageGetter& original);
objc::Ref<UIImage> GridCellImage(objc::Object* self, const ImageGetter& original);
objc::Ref<UIImage> GetIconImage(objc::Object* self, const ImageWithFormat& original, long long format);
void UpdateCornerMask(objc::Object* self, const Layout& original);
void DeckSwitcherLayout(objc::Object* self, const Layout& original);
objc::Ref<UIImage> BulletinSectionIcon(objc::Object* self, const ImageWithFormat& original, long long format);
void SettingsCellSetIcon(objc::Object* self, const Original<void(UIImage*)>& original, UIImage* icon);
// The folder's mini grid, for both layoutSubviews and reposition.
void GridWrapperLayout(objc::Object* self, const Layout& original);
void FolderOverlayLayout(objc::Object* self, const Layout& original);
void LaunchIcon(objc::Object* self, const Original<void(objc::Object*)>& original, objc::Object* icon);
objc::Ref<UIImage> NotificationIcon(objc::Object* self, const ImageGetter& original);
// A widget's icon and its settings icon.
objc::Ref<UIImage> WidgetIcon(objc::Object* self, const ImageGetter& original);
objc::Ref<UIImage> SearchIcon(objc::Object* self, const ImageWithFormat& original, long long format);
void SuggestionSetBundleIdentifier(objc::Object* self, const Original<void(const std::string&)>& original, const std::string& bundleIdentifier);
// The fluid switcher's icon, for both layoutSubviews and updateIcon.
void FluidSwitcherUpdate(objc::Object* self, const Layout& original);

inline constexpr long kFolderOverlayTag = 12344312;

} // namespace ovrimo
