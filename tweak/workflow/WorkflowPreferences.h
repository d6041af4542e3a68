#pragma once

// The editing workflow's own copy of the preferences domain, loaded by the library's second
// initializer and re-read on every "com.zarnek.ovrimo.prefs".

#include "platform/corefoundation/NSDictionary.h"

namespace ovrimo {

NSDictionary* WorkflowPreferencesSnapshot();
// The second initializer: loads the snapshot and observes the preferences notification
// (coalescing).
void StartWorkflowPreferences();

} // namespace ovrimo
