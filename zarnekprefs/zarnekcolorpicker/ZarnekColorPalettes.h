#pragma once

// The picker's four palettes: arrays of colour entries, dictionaries with "name" and "hex".

#include "platform/corefoundation/NSArray.h"

#include <string>

namespace zarnek::palettes {

objc::Ref<NSArray> specialColors();
objc::Ref<NSArray> iOSColors();
objc::Ref<NSArray> crayonColors();
objc::Ref<NSArray> customColor();
// Dictionaries with "title" and "colors", in the order Special, iOS Palette, Crayons, Custom.
objc::Ref<NSArray> allPalettes();
// The subtitle the special row with this hex shows ("" for others).
std::string specialSubtitle(const std::string& hex);
// True when any entry of any palette has exactly this "hex" ("custom" included).
bool presetColorExists(const std::string& hex);
// Entries ordered by hue, then saturation, then brightness of their colour.
objc::Ref<NSArray> sortByHue(NSArray* entries);

} // namespace zarnek::palettes
