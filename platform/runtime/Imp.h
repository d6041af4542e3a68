#pragma once

#include "Selector.h"
#include "TypeBridge.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <typeinfo>
#include <utility>

namespace objc {

// A method implementation with its signature erased. `signature()` is the canonical function type
// (see TypeBridge.h); `invoke` reads canonical arguments through `args` and writes a canonical
// result into `result` (null for void).
class ImpBase {
public:
    ImpBase();
    virtual ~ImpBase() = default;
    // Unique for the life of the process (never reused, unlike an address), so that a caller can
    // remember which implementation it has already checked.
    std::uint64_t id() const { return m_id; }
    virtual const std::type_info& signature() const = 0;
    virtual void invoke(Object* self, SEL cmd, void* result, void* const* args) const = 0;

private:
    std::uint64_t m_id;
};

using ImpPtr = std::shared_ptr<const ImpBase>;

template<class R, class... A>
using CanonicalSignature = ResultOf<R>(ArgOf<A>...);

namespace detail {

template<class F>
struct FunctionTraits : FunctionTraits<decltype(&std::decay_t<F>::operator())> { };
template<class R, class S, class... A>
struct FunctionTraits<R (*)(S, SEL, A...)> {
    using Result = R;
    using Self = S;
    using Args = std::tuple<A...>;
    using Std = std::function<R(S, SEL, A...)>;
};
template<class C, class R, class S, class... A>
struct FunctionTraits<R (C::*)(S, SEL, A...) const> : FunctionTraits<R (*)(S, SEL, A...)> { };
template<class C, class R, class S, class... A>
struct FunctionTraits<R (C::*)(S, SEL, A...)> : FunctionTraits<R (*)(S, SEL, A...)> { };

[[noreturn]] void throwSignatureMismatch(Object* self, SEL cmd, const std::type_info& method, const std::type_info& call);

template<class S>
S selfCast(Object* self)
{
    using D = std::decay_t<S>;
    static_assert(std::is_pointer_v<D> && ObjectType<std::remove_pointer_t<D>>, "self must be an object pointer");
    return checkedObjectCast<std::remove_pointer_t<D>>(self);
}

} // namespace detail

// An implementation made from a function or lambda of the form R(Self*, SEL, Args...).
template<class R, class S, class... A>
class FunctionImp final : public ImpBase {
public:
    explicit FunctionImp(std::function<R(S, SEL, A...)> fn)
        : m_fn(std::move(fn))
    {
    }
    const std::type_info& signature() const override { return typeid(CanonicalSignature<R, A...>); }

    // Kept out of line: the caller's signature check guards the casts below, and an inlined copy
    // would let the compiler reason about result types the check has already ruled out.
    [[gnu::noinline]] void invoke(Object* self, SEL cmd, void* result, void* const* args) const override
    {
        call(self, cmd, result, args, std::index_sequence_for<A...> {});
    }

private:
    template<std::size_t... I>
    void call(Object* self, SEL cmd, void* result, void* const* args, std::index_sequence<I...>) const
    {
        S typedSelf = detail::selfCast<S>(self);
        if constexpr (std::is_void_v<R>) {
            (void)result;
            m_fn(typedSelf, cmd, fromCanonicalArg<A>(*static_cast<ArgOf<A>*>(args[I]))...);
        } else {
            *static_cast<ResultOf<R>*>(result) = toCanonicalResult<R>(m_fn(typedSelf, cmd, fromCanonicalArg<A>(*static_cast<ArgOf<A>*>(args[I]))...));
        }
    }

    std::function<R(S, SEL, A...)> m_fn;
};

namespace detail {
template<class R, class S, class Tuple>
struct ImpMaker;
template<class R, class S, class... A>
struct ImpMaker<R, S, std::tuple<A...>> {
    template<class F>
    static ImpPtr make(F&& f) { return std::make_shared<FunctionImp<R, S, A...>>(std::function<R(S, SEL, A...)>(std::forward<F>(f))); }
};
} // namespace detail

// Wraps a function pointer or lambda `R fn(T* self, SEL cmd, Args...)` as an implementation.
template<class F>
ImpPtr makeImp(F&& f)
{
    using Traits = detail::FunctionTraits<std::decay_t<F>>;
    return detail::ImpMaker<typename Traits::Result, typename Traits::Self, typename Traits::Args>::make(std::forward<F>(f));
}

// Calls an erased implementation with the caller's own types, whose canonical signature the
// caller has already checked against the implementation's.
template<class R, class... A>
R invokeImpUnchecked(const ImpBase& imp, Object* self, SEL cmd, A&&... args)
{
    std::tuple<ArgOf<A>...> canonical { toCanonical(args)... };
    return std::apply(
        [&](auto&... c) -> R {
            void* pointers[sizeof...(A) + 1] = { static_cast<void*>(&c)..., nullptr };
            if constexpr (std::is_void_v<R>) {
                imp.invoke(self, cmd, nullptr, pointers);
            } else {
                ResultOf<R> result {};
                imp.invoke(self, cmd, &result, pointers);
                return fromCanonicalResult<R>(std::move(result));
            }
        },
        canonical);
}

// Calls an erased implementation with the caller's own types, after checking that the two
// signatures agree in canonical form.
template<class R, class... A>
R invokeImp(const ImpBase& imp, Object* self, SEL cmd, A&&... args)
{
    using Sig = CanonicalSignature<R, A...>;
    if (imp.signature() != typeid(Sig))
        detail::throwSignatureMismatch(self, cmd, imp.signature(), typeid(Sig));
    return invokeImpUnchecked<R>(imp, self, cmd, std::forward<A>(args)...);
}

template<class Sig>
class Imp;

// A typed handle on an implementation, such as the previous implementation handed back by a
// method replacement: call it with the receiver, the selector and the unchanged arguments.
template<class R, class... A>
class Imp<R(A...)> {
public:
    Imp() = default;
    explicit Imp(ImpPtr impl)
        : m_impl(std::move(impl))
    {
    }

    R operator()(Object* self, SEL cmd, A... args) const
    {
        if (!m_impl) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R {};
        }
        return invokeImp<R>(*m_impl, self, cmd, std::forward<A>(args)...);
    }

    explicit operator bool() const { return m_impl != nullptr; }
    const ImpPtr& erased() const { return m_impl; }

private:
    ImpPtr m_impl;
};

} // namespace objc
