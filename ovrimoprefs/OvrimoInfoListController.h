#pragma once

// The information pane (`OvrimoInfoListController`): the list "OvrimoInfo", the product's logo
// and links to its maker. Runtime methods: specifiers.

namespace objc {
class Runtime;
}

namespace ovrimoprefs {
void RegisterInfoListController(objc::Runtime& runtime);
} // namespace ovrimoprefs
