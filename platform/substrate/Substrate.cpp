#include "Substrate.h"

namespace substrate {

HookResult hookMessage(objc::Class* cls, objc::SEL sel, objc::ImpPtr replacement, objc::ImpPtr* previous) noexcept
{
    if (previous)
        *previous = nullptr;
    if (!cls || !sel || !replacement)
        return HookResult::NoClass;
    objc::Method* inherited = cls->findMethod(sel);
    if (!inherited)
        return HookResult::NoMethod;
    if (inherited->imp->signature() != replacement->signature())
        return HookResult::SignatureDiffers;
    if (previous)
        *previous = inherited->imp;
    // Either replaces this class's own slot or adds an override in front of the inherited one.
    cls->addMethod(sel, std::move(replacement));
    return HookResult::Installed;
}

std::string signatureDiffersText(objc::Class* cls, objc::SEL sel, const objc::ImpPtr& replacement)
{
    objc::Method* method = cls ? cls->findMethod(sel) : nullptr;
    return "-[" + objc::class_getName(cls) + " " + objc::sel_getName(sel) + "] is " + (method ? objc::demangle(method->imp->signature()) : "absent") + ", the replacement is "
        + objc::demangle(replacement->signature());
}

} // namespace substrate
