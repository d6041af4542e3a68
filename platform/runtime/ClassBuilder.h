#pragma once

// Declares a runtime class in one place: its superclass, its methods as named functions (member
// functions of the C++ class, or free functions taking the receiver first), its class methods,
// its instance variables and the protocols it conforms to.
//
//     objc::ClassBuilder<SBIconView>(rt, "UIView")
//         .method(sel::icon, &SBIconView::icon)
//         .method(sel::setEditingAnimated, &SBIconView::setEditingAnimated)
//         .ivar("_icon", &SBIconView::m_icon)
//         .build();
//
// Each method is checked against its selector's declaration when it is compiled (parameters and
// result must have the selector's canonical signature) and, when the class is built, against the
// method of the same selector its superclass has and against the protocols it declares. A
// mismatch fails there — at registration, at boot — with a message naming both signatures, not
// at the first call. `build` throws RuntimeError (a fault of the platform).
//
// The system's own classes, registered inside another process, end with `buildSystemClass`
// instead: a failed check is a diagnostic (the class is not registered), and every method is
// guarded — anything its body throws becomes a diagnostic naming the class and the selector, and
// the method answers zero. Such a method calls its superclass with `sendSuperOrZero`, which never
// throws either.

#include "Protocol.h"
#include "Runtime.h"
#include "Sel.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace objc {

namespace detail {

template<class T, class MR, class C, class... MA>
ImpPtr memberImp(MR (C::*fn)(MA...))
{
    static_assert(std::is_base_of_v<C, T>, "the method belongs to another class");
    return std::make_shared<FunctionImp<MR, T*, MA...>>([fn](T* self, SEL, MA... args) -> MR { return (self->*fn)(std::forward<MA>(args)...); });
}

template<class T, class MR, class C, class... MA>
ImpPtr memberImp(MR (C::*fn)(MA...) const)
{
    static_assert(std::is_base_of_v<C, T>, "the method belongs to another class");
    return std::make_shared<FunctionImp<MR, T*, MA...>>([fn](T* self, SEL, MA... args) -> MR { return (self->*fn)(std::forward<MA>(args)...); });
}

template<class T, class MR, class S, class... MA>
ImpPtr memberImp(MR (*fn)(S*, MA...))
{
    static_assert(std::is_base_of_v<S, T>, "the function's receiver is of another class");
    return std::make_shared<FunctionImp<MR, T*, MA...>>([fn](T* self, SEL, MA... args) -> MR { return fn(self, std::forward<MA>(args)...); });
}

template<class MR, class... MA>
ImpPtr classImp(MR (*fn)(MA...))
{
    return std::make_shared<FunctionImp<MR, Object*, MA...>>([fn](Object*, SEL, MA... args) -> MR { return fn(std::forward<MA>(args)...); });
}

// The canonical signature of a member function or function as a method of the given kind.
template<class F>
struct MethodSignature;
template<class MR, class C, class... MA>
struct MethodSignature<MR (C::*)(MA...)> {
    using type = CanonicalSignature<MR, MA...>;
};
template<class MR, class C, class... MA>
struct MethodSignature<MR (C::*)(MA...) const> {
    using type = CanonicalSignature<MR, MA...>;
};
template<class MR, class S, class... MA>
struct MethodSignature<MR (*)(S*, MA...)> {
    using type = CanonicalSignature<MR, MA...>;
};
template<class F>
struct ClassMethodSignature;
template<class MR, class... MA>
struct ClassMethodSignature<MR (*)(MA...)> {
    using type = CanonicalSignature<MR, MA...>;
};

std::string superclassMismatchText(const std::string& className, bool classSide, const SelBase& sel, const std::type_info& own, const std::string& superName,
    const std::type_info& inherited);

// A method of a system class: the implementation it wraps, whose exceptions stop here.
class GuardedImp final : public ImpBase {
public:
    explicit GuardedImp(ImpPtr body)
        : m_body(std::move(body))
    {
    }
    const std::type_info& signature() const override { return m_body->signature(); }
    // The caller's result starts as zero and is written only when the body returns.
    void invoke(Object* self, SEL cmd, void* result, void* const* args) const noexcept override;

private:
    ImpPtr m_body;
};

void diagnoseFailedSuperSend(Object* self, SEL sel, const char* what) noexcept;

} // namespace detail

// The registered class of a C++ class, in the current runtime: for [super ...] in its methods.
template<class T>
Class* classOf()
{
    return Runtime::current().requireClass(T::className());
}

template<class T>
class ClassBuilder {
public:
    // The class T::className(), whose instances are made as C++ objects of type T.
    ClassBuilder(Runtime& runtime, std::string_view superclass)
        : m_runtime(runtime)
        , m_name(T::className())
        , m_superclass(superclass)
        , m_factory([] { return static_cast<Object*>(new T()); })
    {
    }
    // A runtime subclass without a C++ type of its own: its instances are made by the nearest
    // superclass that has one, and its methods see them as T.
    ClassBuilder(Runtime& runtime, std::string name, std::string_view superclass)
        : m_runtime(runtime)
        , m_name(std::move(name))
        , m_superclass(superclass)
    {
    }

    template<class R, class... A, class F>
    ClassBuilder& method(const Sel<R(A...)>& sel, F fn)
    {
        static_assert(std::is_same_v<typename detail::MethodSignature<F>::type, typename Sel<R(A...)>::Signature>,
            "the method's parameters or result differ from its selector's declaration");
        m_methods.push_back({ &sel, detail::memberImp<T>(fn), false });
        return *this;
    }

    template<class R, class... A, class F>
    ClassBuilder& classMethod(const Sel<R(A...)>& sel, F fn)
    {
        static_assert(std::is_same_v<typename detail::ClassMethodSignature<F>::type, typename Sel<R(A...)>::Signature>,
            "the class method's parameters or result differ from its selector's declaration");
        m_methods.push_back({ &sel, detail::classImp(fn), true });
        return *this;
    }

    template<class M, class C>
    ClassBuilder& ivar(std::string name, M C::*member)
    {
        static_assert(std::is_base_of_v<C, T>, "the instance variable belongs to another class");
        m_ivars.push_back([name = std::move(name), member](Class* cls) { cls->addIvar<T>(name, static_cast<M T::*>(member)); });
        return *this;
    }

    // Instances answer the protocol's selectors.
    ClassBuilder& conformsTo(const Protocol& protocol)
    {
        m_protocols.push_back({ &protocol, false });
        return *this;
    }
    // The class object answers them (a class used as a delegate or target).
    ClassBuilder& classConformsTo(const Protocol& protocol)
    {
        m_protocols.push_back({ &protocol, true });
        return *this;
    }

    // Checks every method against the superclass and the protocols, then registers the class;
    // a class that fails a check is not registered.
    Class* build()
    {
        Class* superclass = m_superclass.empty() ? nullptr : m_runtime.requireClass(m_superclass);
        for (const PendingMethod& pending : m_methods) {
            const Class* lookIn = superclass && pending.classSide ? superclass->metaClass() : superclass;
            const Method* inherited = lookIn ? lookIn->findMethod(pending.selector->sel()) : nullptr;
            if (inherited && inherited->imp->signature() != pending.imp->signature())
                throw RuntimeError(detail::superclassMismatchText(m_name, pending.classSide, *pending.selector, pending.imp->signature(), superclass->name(),
                    inherited->imp->signature()));
        }
        for (const PendingProtocol& pending : m_protocols) {
            const Class* inheritFrom = superclass && pending.classSide ? superclass->metaClass() : superclass;
            std::string owner = (pending.classSide ? "class object " : "class ") + m_name;
            std::string problem = pending.protocol->conformanceProblem(owner, [&](SEL sel) -> const std::type_info* {
                for (const PendingMethod& own : m_methods)
                    if (own.classSide == pending.classSide && own.selector->sel() == sel)
                        return &own.imp->signature();
                const Method* inherited = inheritFrom ? inheritFrom->findMethod(sel) : nullptr;
                return inherited ? &inherited->imp->signature() : nullptr;
            });
            if (!problem.empty())
                throw RuntimeError(problem);
        }
        Class* cls = m_runtime.registerClass(m_name, superclass, m_factory);
        for (auto& addIvar : m_ivars)
            addIvar(cls);
        for (const PendingMethod& pending : m_methods)
            (pending.classSide ? cls->metaClass() : cls)->addMethod(pending.selector->sel(), pending.imp);
        return cls;
    }

    // Registers a class of the system: each method guarded (see the top of this file); a class
    // that fails a check is a diagnostic and null, never an exception.
    Class* buildSystemClass() noexcept
    {
        try {
            for (PendingMethod& pending : m_methods)
                pending.imp = std::make_shared<detail::GuardedImp>(pending.imp);
            return build();
        } catch (const std::exception& e) {
            diagnose(std::string("class ") + m_name + " not registered: " + e.what());
        }
        return nullptr;
    }

private:
    struct PendingMethod {
        const SelBase* selector;
        ImpPtr imp;
        bool classSide;
    };
    struct PendingProtocol {
        const Protocol* protocol;
        bool classSide;
    };

    Runtime& m_runtime;
    std::string m_name;
    std::string m_superclass;
    Class::Factory m_factory;
    std::vector<PendingMethod> m_methods;
    std::vector<std::function<void(Class*)>> m_ivars;
    std::vector<PendingProtocol> m_protocols;
};

// [super sel] from a method of a system class: the superclass's implementation of `sel` for
// `self`, whose class is the registered class of T. Never throws: a fault (no such method,
// another signature, an exception below) reads as zero and leaves a diagnostic.
template<class T, class R, class... A, class... P>
    requires requires { T::className(); }
R sendSuperOrZero(const Sel<R(A...)>& sel, T* self, P&&... args) noexcept
{
    try {
        return sel.sendSuper(classOf<T>(), self, std::forward<P>(args)...);
    } catch (const std::exception& e) {
        detail::diagnoseFailedSuperSend(self, sel.sel(), e.what());
    } catch (...) {
        detail::diagnoseFailedSuperSend(self, sel.sel(), "unknown exception");
    }
    return detail::zeroValue<R>();
}

// The same from a runtime class without a C++ type of its own, named `className`.
template<class R, class... A, class... P>
R sendSuperOrZero(const Sel<R(A...)>& sel, std::string_view className, Object* self, P&&... args) noexcept
{
    try {
        return sel.sendSuper(Runtime::current().requireClass(className), self, std::forward<P>(args)...);
    } catch (const std::exception& e) {
        detail::diagnoseFailedSuperSend(self, sel.sel(), e.what());
    } catch (...) {
        detail::diagnoseFailedSuperSend(self, sel.sel(), "unknown exception");
    }
    return detail::zeroValue<R>();
}

} // namespace objc
