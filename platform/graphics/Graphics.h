#pragma once

// The graphics layer as a whole: class registration and the main screen's scale.

namespace objc {
class Runtime;
}

// Registers UIImage, UIColor and UIBezierPath with `runtime` (once per runtime).
void registerGraphicsClasses(objc::Runtime& runtime);

namespace graphics {

// The scale of the main screen (points to pixels). The device boot sets it from its profile;
// canvases opened with scale 0 use it. Defaults to 2.
void setMainScreenScale(double scale);
double mainScreenScale();

// Registers the graphics classes with the current runtime when that has not happened yet, so that
// images can be made by code (and tests) that did not boot a whole device.
void ensureGraphicsClasses();

// Pictures larger than this are refused before any pixel is allocated.
inline constexpr double kMaxImagePixels = 100'000'000;

} // namespace graphics
