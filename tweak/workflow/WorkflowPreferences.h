#pragma once

// The editing workflow's own copy of the preferences domain, loaded by the library's second
// initializer and re-read on every "com.zarnek.ovrimo.prefs".

#include "platform/corefoundation/NSDictionary.h"

#include <cstdint>
#include <optional>

namespace ovrimo {

NSDictionary* WorkflowPreferencesSnapshot();
// An integer preference of that snapshot ("defaultactionreplace"), nothing when it is absent.
std::optional<std::int64_t> WorkflowInteger(const char* key);
// The second initializer: loads the snapshot and observes the preferences notification
// (coalescing).
void StartWorkflowPreferences();

} // namespace ovrimo
