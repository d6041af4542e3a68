#pragma once

// The settings pane (`OvrimoSettingsListController`): the list "OvrimoSettings", one row for every
// preference of the domain. Runtime methods: specifiers.

namespace objc {
class Runtime;
}

namespace ovrimoprefs {
void RegisterSettingsListController(objc::Runtime& runtime);
} // namespace ovrimoprefs
