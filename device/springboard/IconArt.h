#pragma once

// SpringBoard's own icon art: deterministic pictures for every app (a gradient in a colour of the
// app plus its initial letter), the live Calendar and Clock icons, web clips, folders, the icon
// silhouette, the wallpaper and a few sample photos. Drawn with the graphics layer and pango.

#include "platform/graphics/UIImage.h"

#include <ctime>
#include <string>
#include <vector>

namespace springboard {

struct RGB {
    double r = 0, g = 0, b = 0;
};

// The colour an app's icon is drawn in: a known colour for the system's apps, otherwise one
// derived from the bundle identifier (the same identifier always gives the same colour).
RGB iconColorFor(const std::string& bundleIdentifier);

// The local time of the device clock (the main run loop's wall clock).
std::tm deviceLocalTime();

// Adds the icon silhouette (a rounded square with continuous corners, radius about 22.5 % of the
// side) for `rect` to the context's current path.
void addIconShapePath(CGContext* context, CGRect rect);

// An app's icon at `side` points (screen scale). "com.apple.mobilecal" shows `now`'s weekday (red)
// and day (black) on pure white; "com.apple.mobiletimer" a clock face at `now`.
objc::Ref<UIImage> drawAppIcon(const std::string& bundleIdentifier, const std::string& displayName, double side, const std::tm& now);
objc::Ref<UIImage> drawCalendarIcon(double side, const std::tm& now);
objc::Ref<UIImage> drawClockIcon(double side, const std::tm& now);
objc::Ref<UIImage> drawWebClipIcon(const std::string& title, double side);
// A folder icon: the translucent rounded plate with the given cell images in a 3 × 3 grid.
objc::Ref<UIImage> drawFolderIcon(const std::vector<objc::Ref<UIImage>>& cells, double side);
// The folder's mini grid alone (transparent around the cells), at `side` points.
objc::Ref<UIImage> drawMiniGrid(const std::vector<objc::Ref<UIImage>>& cells, double side);
// Where a folder icon of `side` points shows its mini grid: inset from the folder's outline, so
// that the folder's own background shows around it.
CGRect folderGridRect(double side);
// The icon silhouette: opaque black inside the shape, transparent outside.
objc::Ref<UIImage> drawIconShape(double side);
objc::Ref<UIImage> drawWallpaper(CGSize size);
// Sample photo number `index` (0, 1, 2, ...): a landscape, a sunset, a pattern.
objc::Ref<UIImage> drawSamplePhoto(int index, CGSize size);

} // namespace springboard
