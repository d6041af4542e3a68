#pragma once

// The root class's own selectors, declared once for every framework. alloc, init,
// respondsToSelector:, isKindOfClass: and description are registered by the runtime itself
// (Runtime.cpp: alloc and new make an instance of the receiving class); isEqual: and hash by
// CoreFoundation, which gives NSObject identity equality; classes refine them and copy.

#include "Sel.h"

#include <cstdint>
#include <string>

namespace objc::sel {

inline constinit Sel<Ref<Object>()> alloc { "alloc" };
inline constinit Sel<Ref<Object>()> init { "init" };
inline constinit Sel<bool(SEL)> respondsToSelector { "respondsToSelector:" };
inline constinit Sel<bool(Object*)> isKindOfClass { "isKindOfClass:" };
inline constinit Sel<std::string()> description { "description" };
inline constinit Sel<bool(Object*)> isEqual { "isEqual:" };
inline constinit Sel<std::uint64_t()> hash { "hash" };
inline constinit Sel<Ref<Object>()> copy { "copy" };
inline constinit Sel<Ref<Object>()> mutableCopy { "mutableCopy" };

} // namespace objc::sel
