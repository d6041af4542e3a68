#pragma once

#include <string_view>

namespace objc {

// Selectors are interned: two selectors with the same name are the same pointer, process-wide.
struct Selector {
    const char* name;
};
using SEL = const Selector*;

SEL sel_registerName(std::string_view name);
inline const char* sel_getName(SEL sel) { return sel ? sel->name : "<null selector>"; }

} // namespace objc
