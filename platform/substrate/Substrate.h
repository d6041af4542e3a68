#pragma once

#include "platform/runtime/Diagnostics.h"
#include "platform/runtime/Message.h"

namespace substrate {

enum class HookResult { Installed, NoClass, NoMethod, SignatureDiffers };

// Replaces the instance method `sel` of `cls` with `replacement` and hands back the implementation
// it replaced through `previous`. When `cls` only inherits the method, an override is added to
// `cls` and `previous` is the inherited implementation, so the superclass and sibling classes keep
// their behaviour. A null class, a selector nobody implements, or a replacement whose signature
// differs from the method's installs nothing and leaves `previous` empty. Never throws.
HookResult hookMessage(objc::Class* cls, objc::SEL sel, objc::ImpPtr replacement, objc::ImpPtr* previous) noexcept;

// "-[SBIcon getIconImage:] is Ref<Object> (long), the replacement is ...".
std::string signatureDiffersText(objc::Class* cls, objc::SEL sel, const objc::ImpPtr& replacement);

} // namespace substrate

// The method-replacement call as tweaks know it. It never throws into the library initializer
// that calls it: a replacement whose signature differs from the method's is not installed and
// leaves a diagnostic.
template<class F, class R, class... A>
void MSHookMessageEx(objc::Class* cls, objc::SEL sel, F&& replacement, objc::Imp<R(A...)>* previous)
{
    objc::ImpPtr imp = objc::makeImp(std::forward<F>(replacement));
    if (previous)
        *previous = {};
    if (imp->signature() != typeid(objc::CanonicalSignature<R, A...>)) {
        objc::diagnose(std::string("MSHookMessageEx: the replacement for ") + objc::sel_getName(sel) + " and its previous implementation have different signatures; not installed");
        return;
    }
    objc::ImpPtr old;
    if (substrate::hookMessage(cls, sel, imp, &old) == substrate::HookResult::SignatureDiffers)
        objc::diagnose("MSHookMessageEx: " + substrate::signatureDiffersText(cls, sel, imp) + "; not installed");
    if (previous)
        *previous = objc::Imp<R(A...)>(std::move(old));
}

template<class F, class R, class... A>
void MSHookMessageEx(objc::Class* cls, std::string_view sel, F&& replacement, objc::Imp<R(A...)>* previous)
{
    MSHookMessageEx(cls, objc::sel_registerName(sel), std::forward<F>(replacement), previous);
}
