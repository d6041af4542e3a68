#pragma once

// SpringBoard's icon views as the tweak reaches them: the home-screen view of an icon, and asking
// every icon for its image again.

#include "platform/runtime/Object.h"

class UIView;

namespace ovrimo {

// The home-screen icon view of an icon, or null.
objc::Ref<UIView> HomeScreenIconViewForIcon(objc::Object* icon);
// Asks SpringBoard for one icon's image again: a folder icon through its home-screen image view,
// any other icon by reloading it and noting its badge again when it shows one.
void RefreshIconImage(objc::Object* icon);
// The same for every icon.
void ReloadAllIconImages();

} // namespace ovrimo
