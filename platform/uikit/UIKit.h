#pragma once

// The UIKit layer as a whole.

namespace objc {
class Runtime;
}

// Registers every UIKit class with `runtime` (once per runtime), after the graphics classes.
void registerUIKitClasses(objc::Runtime& runtime);

namespace uikit {
// Registers the UIKit classes with the current runtime when that has not happened yet.
void ensureUIKitClasses();
} // namespace uikit
