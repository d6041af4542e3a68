#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace objc {

class Class;
class Object;

// Set to null by the object's destructor; weak references share it.
struct WeakLink {
    Object* object = nullptr;
};

// The root of every object the runtime knows. Reference counted (intrusive); the runtime sets
// `isa` when the object is created through a class, and the object keeps its class alive.
class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    void retain() const { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void release() const
    {
        if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    int retainCount() const { return m_refs.load(std::memory_order_relaxed); }

    Class* isa() const { return m_isa; }
    // Called once by the runtime when the object is created; a class object keeps `isa` unowned.
    void setIsa(Class* cls, bool owned);

    std::shared_ptr<WeakLink> weakLink() const;

private:
    mutable std::atomic<int> m_refs { 1 };
    Class* m_isa = nullptr;
    bool m_ownsIsa = false;
    mutable std::shared_ptr<WeakLink> m_weak;
};

template<class T>
concept ObjectType = std::is_base_of_v<Object, std::remove_cv_t<T>>;

// A strong, nullable reference. Creation hands over the initial reference with `adopt`.
template<class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) { }
    Ref(T* p)
        : m_ptr(p)
    {
        if (m_ptr)
            m_ptr->retain();
    }
    Ref(const Ref& o)
        : Ref(o.m_ptr)
    {
    }
    Ref(Ref&& o) noexcept
        : m_ptr(std::exchange(o.m_ptr, nullptr))
    {
    }
    template<class U>
        requires std::is_convertible_v<U*, T*>
    Ref(const Ref<U>& o)
        : Ref(static_cast<T*>(o.ptr()))
    {
    }
    template<class U>
        requires std::is_convertible_v<U*, T*>
    Ref(Ref<U>&& o) noexcept
        : m_ptr(o.leakRef())
    {
    }
    ~Ref()
    {
        if (m_ptr)
            m_ptr->release();
    }
    Ref& operator=(Ref o) noexcept
    {
        std::swap(m_ptr, o.m_ptr);
        return *this;
    }

    static Ref adopt(T* p)
    {
        Ref r;
        r.m_ptr = p;
        return r;
    }
    T* leakRef() { return std::exchange(m_ptr, nullptr); }

    T* ptr() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    operator T*() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

// A reference that does not own its object ("not owned" delegates, superviews); reads null once
// the object is gone.
template<class T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(std::nullptr_t) { }
    WeakRef(T* p)
    {
        if (p) {
            m_link = p->weakLink();
            m_ptr = p;
        }
    }
    WeakRef(const Ref<T>& r)
        : WeakRef(r.ptr())
    {
    }

    T* ptr() const { return m_link && m_link->object ? m_ptr : nullptr; }
    Ref<T> strong() const { return Ref<T>(ptr()); }
    T* operator->() const { return ptr(); }
    operator T*() const { return ptr(); }
    explicit operator bool() const { return ptr() != nullptr; }

private:
    std::shared_ptr<WeakLink> m_link;
    T* m_ptr = nullptr;
};

using id = Object*;

} // namespace objc
