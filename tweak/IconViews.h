#pragma once

// SpringBoard's icon views as the tweak reaches them: the home-screen view of an icon, and asking
// every icon for its image again.

#include "platform/runtime/Object.h"

class UIView;

namespace ovrimo {

// The home-screen icon view of an icon, or null.
objc::Ref<UIView> HomeScreenIconViewForIcon(objc::Object* icon);
// Asks SpringBoard for every icon image again (folder icons through their image views).
void ReloadAllIconImages();

} // namespace ovrimo
