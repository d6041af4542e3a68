#pragma once

// Adds methods to a class that is already registered: what a framework adds to a class of a lower
// one (Foundation's file and download methods on NSData, CoreFoundation's equality on NSObject).
//
//     objc::Category<NSData>(rt, "NSData")
//         .classMethod(foundation::sel::dataWithContentsOfURL, &dataWithContentsOfURL)
//         .method(corefoundation::sel::writeToFileAtomically, &writeDataToFile);
//
// Methods are named functions, checked against their selectors as ClassBuilder checks them: when
// compiled, and when added against the method of the same selector the class already answers (its
// own or inherited), whose signature a category keeps. A mismatch throws RuntimeError.

#include "ClassBuilder.h"

#include <string_view>

namespace objc {

template<class T>
class Category {
public:
    Category(Runtime& runtime, std::string_view className)
        : m_class(runtime.requireClass(className))
    {
    }

    template<class R, class... A, class F>
    Category& method(const Sel<R(A...)>& sel, F fn)
    {
        static_assert(std::is_same_v<typename detail::MethodSignature<F>::type, typename Sel<R(A...)>::Signature>,
            "the method's parameters or result differ from its selector's declaration");
        add(m_class, false, sel, detail::memberImp<T>(fn));
        return *this;
    }

    template<class R, class... A, class F>
    Category& classMethod(const Sel<R(A...)>& sel, F fn)
    {
        static_assert(std::is_same_v<typename detail::ClassMethodSignature<F>::type, typename Sel<R(A...)>::Signature>,
            "the class method's parameters or result differ from its selector's declaration");
        add(m_class->metaClass(), true, sel, detail::classImp(fn));
        return *this;
    }

private:
    void add(Class* cls, bool classSide, const SelBase& sel, ImpPtr imp)
    {
        if (const Method* existing = cls->findMethod(sel.sel()); existing && existing->imp->signature() != imp->signature())
            throw RuntimeError(detail::superclassMismatchText(m_class->name(), classSide, sel, imp->signature(), m_class->name(), existing->imp->signature()));
        cls->addMethod(sel.sel(), std::move(imp));
    }

    Class* m_class;
};

} // namespace objc
