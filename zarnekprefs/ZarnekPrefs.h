#pragma once

// The preference controls kit: reusable preference screens and cells that a settings bundle names
// in its specifier lists as cell and detail controller classes. The kit is built into the bundle
// that uses it; the bundle registers the kit's classes with the runtime when its code is loaded.

namespace objc {
class Runtime;
}

namespace zarnek {

// Registers every class of the kit with `runtime` (after the Preferences framework's classes).
// Idempotent per runtime.
void RegisterZarnekPrefsClasses(objc::Runtime& runtime);

} // namespace zarnek
