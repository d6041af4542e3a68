#pragma once

// Messages cross the runtime in a canonical form, so that a caller and an implementation written
// with different but compatible C++ types (UIImage* versus Ref<UIImage>, int versus long) meet
// without undefined behaviour:
//   objects as arguments  -> Object*   (borrowed)
//   objects as results    -> Ref<Object> (owned, so a freshly made object survives the return)
//   integers and enums    -> std::int64_t, floating point -> double, bool stays bool
//   string-like values    -> std::string
//   anything else (structs, std::function blocks, selectors) -> itself, exactly.
// Object conversions back to a specific class are checked with dynamic_cast.

#include "Object.h"
#include "RuntimeError.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace objc {

template<class T>
struct IsRef : std::false_type { };
template<class U>
struct IsRef<Ref<U>> : std::true_type {
    using element = U;
};

template<class T>
struct IsWeakRef : std::false_type { };
template<class U>
struct IsWeakRef<WeakRef<U>> : std::true_type { };
template<class T>
concept WeakRefType = IsWeakRef<T>::value;

template<class T>
concept ObjectPointer = std::is_pointer_v<T> && ObjectType<std::remove_pointer_t<T>>;
template<class T>
concept ObjectRef = IsRef<T>::value;
template<class T>
concept StringLike = std::is_same_v<T, std::string> || std::is_same_v<T, std::string_view>
    || std::is_same_v<T, const char*> || std::is_same_v<T, char*>;
template<class T>
concept WholeNumber = (std::is_integral_v<T> && !std::is_same_v<T, bool>) || std::is_enum_v<T>;

template<class T>
struct CanonicalArg {
    using type = T;
};
template<class T>
    requires ObjectPointer<T> || ObjectRef<T> || std::is_null_pointer_v<T>
struct CanonicalArg<T> {
    using type = Object*;
};
template<WholeNumber T>
struct CanonicalArg<T> {
    using type = std::int64_t;
};
template<std::floating_point T>
struct CanonicalArg<T> {
    using type = double;
};
template<StringLike T>
struct CanonicalArg<T> {
    using type = std::string;
};

template<class T>
using ArgOf = typename CanonicalArg<std::decay_t<T>>::type;

template<class T>
struct CanonicalResult {
    using type = ArgOf<T>;
};
template<class T>
    requires ObjectPointer<std::decay_t<T>> || ObjectRef<std::decay_t<T>>
struct CanonicalResult<T> {
    using type = Ref<Object>;
};
template<>
struct CanonicalResult<void> {
    using type = void;
};

template<class T>
using ResultOf = typename CanonicalResult<T>::type;

template<class T>
T* checkedObjectCast(Object* o)
{
    if (!o)
        return nullptr;
    if (auto* p = dynamic_cast<T*>(o))
        return p;
    throw RuntimeError("object of type " + demangle(typeid(*o)) + " is not a " + demangle(typeid(T)));
}

// Caller side: a value of the caller's type into canonical form.
template<class A>
ArgOf<A> toCanonical(const A& a)
{
    using D = std::decay_t<A>;
    if constexpr (std::is_array_v<A>)
        return ArgOf<A>(a);
    else if constexpr (ObjectRef<D>)
        return static_cast<Object*>(a.ptr());
    else if constexpr (std::is_null_pointer_v<D>)
        return nullptr;
    else if constexpr (ObjectPointer<D>)
        return static_cast<Object*>(const_cast<std::remove_const_t<std::remove_pointer_t<D>>*>(a));
    else if constexpr (WholeNumber<D>)
        return static_cast<std::int64_t>(a);
    else if constexpr (std::is_floating_point_v<D>)
        return static_cast<double>(a);
    else if constexpr (std::is_pointer_v<D> && StringLike<D>)
        return a ? std::string(a) : std::string();
    else if constexpr (StringLike<D>)
        return std::string(a);
    else
        return a;
}

// Implementation side: a canonical argument into the parameter type P it declared.
template<class P>
decltype(auto) fromCanonicalArg(ArgOf<P>& c)
{
    using D = std::decay_t<P>;
    if constexpr (ObjectRef<D>)
        return D(checkedObjectCast<typename IsRef<D>::element>(c));
    else if constexpr (ObjectPointer<D>)
        return checkedObjectCast<std::remove_pointer_t<D>>(c);
    else if constexpr (WholeNumber<D> || std::is_floating_point_v<D>)
        return static_cast<D>(c);
    else if constexpr (std::is_same_v<D, std::string_view>)
        return std::string_view(c);
    else if constexpr (std::is_same_v<D, const char*>)
        return static_cast<const char*>(c.c_str());
    else
        return static_cast<ArgOf<P>&>(c);
}

// Implementation side: its result into canonical form.
template<class R>
ResultOf<R> toCanonicalResult(R&& r)
{
    using D = std::decay_t<R>;
    if constexpr (ObjectRef<D>)
        return Ref<Object>(static_cast<Object*>(r.ptr()));
    else if constexpr (ObjectPointer<D>)
        return Ref<Object>(static_cast<Object*>(const_cast<std::remove_const_t<std::remove_pointer_t<D>>*>(r)));
    else
        return toCanonical(r);
}

// Caller side: a canonical result into the type the caller asked for.
template<class R>
R fromCanonicalResult(ResultOf<R>&& c)
{
    using D = std::decay_t<R>;
    static_assert(!ObjectPointer<D>, "ask for object results as Ref<T>: the result may be a new object");
    if constexpr (ObjectRef<D>)
        return D(checkedObjectCast<typename IsRef<D>::element>(c.ptr()));
    else if constexpr (WholeNumber<D> || std::is_floating_point_v<D>)
        return static_cast<D>(c);
    else
        return std::move(c);
}

} // namespace objc
