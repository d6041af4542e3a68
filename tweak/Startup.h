#pragma once

// The tweak core's start-up: what the library's first load-time initializer does.

#include <vector>
#include <string>

namespace ovrimo {

// Loads the preferences snapshot, observes "com.zarnek.ovrimo.prefs" and installs the method
// replacements in table order under their version gates. Returns the "Class selector" of each
// replacement it installed (a row whose class is missing counts as installed, as the hooking call
// then does nothing).
std::vector<std::string> StartTweakCore();

} // namespace ovrimo
