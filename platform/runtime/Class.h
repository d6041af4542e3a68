#pragma once

#include "Imp.h"
#include "Object.h"
#include "Selector.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace objc {

// One method slot. Dispatch reads `imp` at every call, so replacing it is seen by every caller.
struct Method {
    SEL selector;
    ImpPtr imp;
};

// An instance variable reachable by name. `type` is the canonical value type (Ref<Object> for
// objects); `get` and `set` move values in that form.
struct Ivar {
    std::string name;
    const std::type_info* type;
    std::function<void(Object*, void* out)> get;
    std::function<void(Object*, const void* in)> set;
};

// A class is an object too: its `isa` is its metaclass, which holds the class methods. The root
// metaclass inherits from the root class, so class objects answer the root's instance methods.
class Class final : public Object {
public:
    using Factory = std::function<Object*()>;

    Class(std::string name, Class* superclass, bool isMeta, Factory factory);
    ~Class() override;

    const std::string& name() const { return m_name; }
    Class* superclass() const { return m_superclass.ptr(); }
    bool isMetaClass() const { return m_isMeta; }
    Class* metaClass() const { return m_meta.ptr(); }
    // True when this class is `other` or inherits from it.
    bool isSubclassOf(const Class* other) const;

    Method* ownMethod(SEL sel) const;
    Method* findMethod(SEL sel) const;
    bool respondsTo(SEL sel) const { return findMethod(sel) != nullptr; }
    // Adds the method, or replaces the implementation of this class's own method of that name.
    Method* addMethod(SEL sel, ImpPtr imp);
    template<class F>
    Method* addMethod(std::string_view sel, F&& fn) { return addMethod(sel_registerName(sel), makeImp(std::forward<F>(fn))); }
    template<class F>
    Method* addClassMethod(std::string_view sel, F&& fn) { return m_meta->addMethod(sel, std::forward<F>(fn)); }
    std::vector<SEL> ownSelectors() const;

    void addIvar(Ivar ivar);
    const Ivar* findIvar(std::string_view name) const;

    // Binds a C++ data member as an instance variable of this class.
    template<class T, class M>
    void addIvar(std::string name, M T::*member);

    // A new instance of this class: the nearest factory up the chain builds the C++ object.
    Ref<Object> createInstance();

    void setMetaClass(Ref<Class> meta) { m_meta = std::move(meta); }

private:
    std::string m_name;
    Ref<Class> m_superclass;
    Ref<Class> m_meta;
    bool m_isMeta;
    Factory m_factory;
    std::unordered_map<SEL, std::unique_ptr<Method>> m_methods;
    std::unordered_map<std::string, Ivar> m_ivars;
};

template<class T, class M>
void Class::addIvar(std::string name, M T::*member)
{
    Ivar ivar;
    ivar.name = std::move(name);
    if constexpr (ObjectRef<M> || WeakRefType<M>) {
        using Element = std::remove_pointer_t<decltype(std::declval<M>().ptr())>;
        ivar.type = &typeid(Ref<Object>);
        ivar.get = [member](Object* o, void* out) {
            *static_cast<Ref<Object>*>(out) = Ref<Object>(static_cast<Object*>((checkedObjectCast<T>(o)->*member).ptr()));
        };
        ivar.set = [member](Object* o, const void* in) {
            checkedObjectCast<T>(o)->*member = M(checkedObjectCast<Element>(static_cast<const Ref<Object>*>(in)->ptr()));
        };
    } else {
        ivar.type = &typeid(ArgOf<M>);
        ivar.get = [member](Object* o, void* out) { *static_cast<ArgOf<M>*>(out) = toCanonical(checkedObjectCast<T>(o)->*member); };
        ivar.set = [member](Object* o, const void* in) { checkedObjectCast<T>(o)->*member = static_cast<M>(*static_cast<const ArgOf<M>*>(in)); };
    }
    addIvar(std::move(ivar));
}

} // namespace objc
