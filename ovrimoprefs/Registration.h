#pragma once

// The settings bundle's classes, registered when the Settings app loads the bundle's code.

namespace objc {
class Runtime;
}

namespace ovrimoprefs {

// Registers the panes, the switch cell and the controls kit with `runtime` (after the
// Preferences framework's classes). Idempotent per runtime.
void RegisterOvrimoPrefsClasses(objc::Runtime& runtime);

} // namespace ovrimoprefs
