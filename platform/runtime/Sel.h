#pragma once

// Typed selectors. A selector is declared once, with its signature, next to the class that
// introduces it:
//
//     inline constinit objc::Sel<Ref<UIImage>(long long)> getIconImage { "getIconImage:" };
//
// and sent through that declaration: `getIconImage(icon, 2)`. Sending checks the declared
// signature against the receiver's method (once per implementation: the check is remembered) and
// fails with a message naming the class, the selector and both signatures. Classes declared with
// ClassBuilder are checked against the same declarations when they are registered.
//
// Three ways to send:
//   sel(receiver, args...)             the platform's own code: an unanswered selector or another
//                                      signature throws RuntimeError (a fault of the platform).
//   sel.orZero(receiver, args...)      code running inside another process's classes: never throws;
//                                      those faults (and any exception below) give a zero value
//                                      and a diagnostic.
//   sel.ifAnswered(receiver, args...)  the same, for a selector the receiver may lack on some
//                                      systems: an unanswered selector is zero without diagnostic.
// A message to null is zero in every form.

#include "Diagnostics.h"
#include "Message.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <typeinfo>

namespace objc {

namespace detail {
// "-[SBIcon getIconImage:]" or "+[OvrimoHelper showActionSheet:]".
std::string methodLabel(const Object* receiver, SEL sel);
std::string signatureMismatchText(const Object* receiver, SEL sel, const std::type_info& method, const std::type_info& declared);
} // namespace detail

// What every typed selector has, whatever its signature: protocols and class declarations hold
// selectors through this.
class SelBase {
public:
    constexpr SelBase(const char* name, const std::type_info& signature)
        : m_name(name)
        , m_signature(&signature)
    {
    }
    SelBase(const SelBase&) = delete;
    SelBase& operator=(const SelBase&) = delete;

    const char* name() const { return m_name; }
    // The canonical signature (see TypeBridge.h) the selector is declared with.
    const std::type_info& signature() const { return *m_signature; }
    SEL sel() const
    {
        SEL cached = m_sel.load(std::memory_order_acquire);
        if (!cached) {
            cached = sel_registerName(m_name);
            m_sel.store(cached, std::memory_order_release);
        }
        return cached;
    }
    operator SEL() const { return sel(); }

    // True when the receiver answers the selector (whatever the signature).
    bool isAnsweredBy(const Object* receiver) const { return receiver && receiver->isa() && receiver->isa()->respondsTo(sel()); }

protected:
    // Looks the method up; `checked` says the implementation's signature is the declared one.
    const Method* lookUp(const Object* receiver, bool& checked) const
    {
        const Method* method = receiver->isa() ? receiver->isa()->findMethod(sel()) : nullptr;
        checked = false;
        if (!method)
            return nullptr;
        std::uint64_t id = method->imp->id();
        if (m_checked.load(std::memory_order_relaxed) == id) {
            checked = true;
        } else if (method->imp->signature() == *m_signature) {
            m_checked.store(id, std::memory_order_relaxed);
            checked = true;
        }
        return method;
    }

private:
    const char* m_name;
    const std::type_info* m_signature;
    mutable std::atomic<SEL> m_sel { nullptr };
    mutable std::atomic<std::uint64_t> m_checked { 0 };
};

template<class Sig>
class Sel;

template<class R, class... A>
class Sel<R(A...)> final : public SelBase {
public:
    using Result = R;
    using Signature = CanonicalSignature<R, A...>;

    constexpr explicit Sel(const char* name)
        : SelBase(name, typeid(Signature))
    {
    }

    R operator()(Object* receiver, A... args) const
    {
        if (!receiver)
            return detail::zeroValue<R>();
        bool checked = false;
        const Method* method = lookUp(receiver, checked);
        if (!method)
            detail::throwUnrecognizedSelector(receiver, sel());
        ImpPtr imp = method->imp;
        if (!checked)
            detail::throwSignatureMismatch(receiver, sel(), imp->signature(), typeid(Signature));
        return invokeImpUnchecked<R>(*imp, receiver, sel(), std::forward<A>(args)...);
    }

    R orZero(Object* receiver, A... args) const noexcept { return guarded(receiver, true, std::forward<A>(args)...); }
    R ifAnswered(Object* receiver, A... args) const noexcept { return guarded(receiver, false, std::forward<A>(args)...); }

    // [super sel] inside a method of `cls`: the implementation `cls`'s superclass has.
    R sendSuper(const Class* cls, Object* receiver, A... args) const
    {
        if (!receiver)
            return detail::zeroValue<R>();
        const Method* method = cls && cls->superclass() ? cls->superclass()->findMethod(sel()) : nullptr;
        if (!method)
            detail::throwUnrecognizedSelector(receiver, sel());
        ImpPtr imp = method->imp;
        return invokeImp<R>(*imp, receiver, sel(), std::forward<A>(args)...);
    }

private:
    R guarded(Object* receiver, bool diagnoseUnanswered, A... args) const noexcept
    {
        if (!receiver)
            return detail::zeroValue<R>();
        try {
            bool checked = false;
            const Method* method = lookUp(receiver, checked);
            if (!method) {
                if (diagnoseUnanswered)
                    diagnose(detail::methodLabel(receiver, sel()) + ": unrecognized selector; read as zero");
                return detail::zeroValue<R>();
            }
            ImpPtr imp = method->imp;
            if (!checked) {
                diagnose(detail::signatureMismatchText(receiver, sel(), imp->signature(), typeid(Signature)) + "; read as zero");
                return detail::zeroValue<R>();
            }
            return invokeImpUnchecked<R>(*imp, receiver, sel(), std::forward<A>(args)...);
        } catch (const std::exception& e) {
            diagnose(detail::methodLabel(receiver, sel()) + " failed: " + e.what() + "; read as zero");
        } catch (...) {
            diagnose(detail::methodLabel(receiver, sel()) + " failed; read as zero");
        }
        return detail::zeroValue<R>();
    }
};

} // namespace objc
