#pragma once

// The Preferences framework of the simulated device: the list screens of the Settings app
// (PSListController), their rows (PSSpecifier) and cells (PSTableCell and its kinds).

namespace objc {
class Runtime;
}

// Registers the Preferences classes (after UIKit's and Foundation's). Idempotent per runtime.
void registerPreferencesClasses(objc::Runtime& runtime);
