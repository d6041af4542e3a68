#include "Substrate.h"

namespace substrate {

void hookMessage(objc::Class* cls, objc::SEL sel, objc::ImpPtr replacement, objc::ImpPtr* previous)
{
    if (previous)
        *previous = nullptr;
    if (!cls || !sel)
        return;
    objc::Method* inherited = cls->findMethod(sel);
    if (!inherited)
        return;
    if (inherited->imp->signature() != replacement->signature()) {
        throw objc::RuntimeError("MSHookMessageEx: -[" + cls->name() + " " + sel->name + "] is " + objc::demangle(inherited->imp->signature())
            + ", the replacement is " + objc::demangle(replacement->signature()));
    }
    if (previous)
        *previous = inherited->imp;
    // Either replaces this class's own slot or adds an override in front of the inherited one.
    cls->addMethod(sel, std::move(replacement));
}

} // namespace substrate
