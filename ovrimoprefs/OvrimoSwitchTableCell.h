#pragma once

// `OvrimoSwitchTableCell`: the platform's switch row with its switch drawn in the accent colour.
// Rows select it by "cellClass". Runtime methods: initWithStyle:reuseIdentifier:specifier:.

namespace objc {
class Runtime;
}

namespace ovrimoprefs {
void RegisterSwitchTableCell(objc::Runtime& runtime);
} // namespace ovrimoprefs
