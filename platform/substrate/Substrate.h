#pragma once

#include "platform/runtime/Message.h"

namespace substrate {

// Replaces the instance method `sel` of `cls` with `replacement` and hands back the implementation
// it replaced through `previous`. When `cls` only inherits the method, an override is added to
// `cls` and `previous` is the inherited implementation, so the superclass and sibling classes keep
// their behaviour. A null class or a selector nobody implements is a no-op (`previous` is left
// empty). A replacement whose signature differs from the method's throws objc::RuntimeError.
void hookMessage(objc::Class* cls, objc::SEL sel, objc::ImpPtr replacement, objc::ImpPtr* previous);

} // namespace substrate

template<class F, class R, class... A>
void MSHookMessageEx(objc::Class* cls, objc::SEL sel, F&& replacement, objc::Imp<R(A...)>* previous)
{
    objc::ImpPtr imp = objc::makeImp(std::forward<F>(replacement));
    if (imp->signature() != typeid(objc::CanonicalSignature<R, A...>))
        throw objc::RuntimeError(std::string("MSHookMessageEx: the replacement for ") + objc::sel_getName(sel) + " and its previous implementation have different signatures");
    objc::ImpPtr old;
    substrate::hookMessage(cls, sel, std::move(imp), &old);
    if (previous)
        *previous = objc::Imp<R(A...)>(std::move(old));
}

template<class F, class R, class... A>
void MSHookMessageEx(objc::Class* cls, std::string_view sel, F&& replacement, objc::Imp<R(A...)>* previous)
{
    MSHookMessageEx(cls, objc::sel_registerName(sel), std::forward<F>(replacement), previous);
}
