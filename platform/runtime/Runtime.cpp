#include "Runtime.h"

#include "Message.h"
#include "NSObject.h"
#include "NSObjectSelectors.h"
#include "Sel.h"

#include <algorithm>
#include <atomic>
#include <cxxabi.h>
#include <cstdlib>
#include <memory>

namespace objc {

namespace {
Runtime* g_current = nullptr;
} // namespace

std::string demangle(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string text = status == 0 && name ? name.get() : type.name();
    // Shorten the canonical spellings so that messages stay readable.
    for (auto [from, to] : { std::pair<std::string_view, std::string_view> { "objc::Ref<objc::Object>", "Ref<Object>" },
             { "objc::Object*", "Object*" },
             { "std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >", "std::string" } }) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    }
    return text;
}

ImpBase::ImpBase()
{
    static std::atomic<std::uint64_t> next { 1 };
    m_id = next.fetch_add(1, std::memory_order_relaxed);
}

Class::Class(std::string name, Class* superclass, bool isMeta, Factory factory)
    : m_name(std::move(name))
    , m_superclass(superclass)
    , m_isMeta(isMeta)
    , m_factory(std::move(factory))
{
}

Class::~Class() = default;

bool Class::isSubclassOf(const Class* other) const
{
    for (const Class* c = this; c; c = c->superclass())
        if (c == other)
            return true;
    return false;
}

Method* Class::ownMethod(SEL sel) const
{
    auto it = m_methods.find(sel);
    return it == m_methods.end() ? nullptr : it->second.get();
}

Method* Class::findMethod(SEL sel) const
{
    for (const Class* c = this; c; c = c->superclass())
        if (Method* m = c->ownMethod(sel))
            return m;
    return nullptr;
}

Method* Class::addMethod(SEL sel, ImpPtr imp)
{
    auto& slot = m_methods[sel];
    if (!slot)
        slot = std::make_unique<Method>(Method { sel, nullptr });
    slot->imp = std::move(imp);
    return slot.get();
}

std::vector<SEL> Class::ownSelectors() const
{
    std::vector<SEL> result;
    for (auto& [sel, method] : m_methods)
        result.push_back(sel);
    std::sort(result.begin(), result.end(), [](SEL a, SEL b) { return std::string_view(a->name) < std::string_view(b->name); });
    return result;
}

void Class::addIvar(Ivar ivar)
{
    std::string name = ivar.name;
    m_ivars[name] = std::move(ivar);
}

const Ivar* Class::findIvar(std::string_view name) const
{
    for (const Class* c = this; c; c = c->superclass()) {
        auto it = c->m_ivars.find(std::string(name));
        if (it != c->m_ivars.end())
            return &it->second;
    }
    return nullptr;
}

Ref<Object> Class::createInstance()
{
    for (Class* c = this; c; c = c->superclass()) {
        if (c->m_factory) {
            Object* object = c->m_factory();
            object->setIsa(this, true);
            return Ref<Object>::adopt(object);
        }
    }
    throw RuntimeError("class " + m_name + " has no way to create instances");
}

Runtime::Runtime()
    : m_previous(g_current)
{
    g_current = this;
    Class* root = registerClass<NSObject>(nullptr);
    root->addMethod("respondsToSelector:", [](Object* self, SEL, SEL sel) { return self->isa()->respondsTo(sel); });
    root->addMethod("isKindOfClass:", [](Object* self, SEL, Object* cls) {
        auto* asClass = dynamic_cast<Class*>(cls);
        return asClass && self->isa()->isSubclassOf(asClass);
    });
    root->addMethod("class", [](Object* self, SEL) -> Ref<Object> {
        auto* asClass = dynamic_cast<Class*>(self);
        return asClass && !asClass->isMetaClass() ? Ref<Object>(self) : Ref<Object>(self->isa());
    });
    root->addMethod("init", [](Object* self, SEL) { return Ref<Object>(self); });
    root->addMethod("description", [](Object* self, SEL) { return "<" + classNameOf(self) + ">"; });
    root->addClassMethod("alloc", [](Object* self, SEL) { return static_cast<Class*>(self)->createInstance(); });
    root->addClassMethod("new", [](Object* self, SEL) { return sel::init(static_cast<Class*>(self)->createInstance()); });
}

Runtime::~Runtime()
{
    // Framework state may still message objects, so it goes first, newest first.
    while (!m_states.empty())
        m_states.pop_back();
    // Break the metaclass links so that the classes can be freed (a metaclass refers back to the
    // root class as its superclass).
    for (auto& [name, cls] : m_classes)
        cls->setMetaClass(nullptr);
    m_classes.clear();
    g_current = m_previous;
}

Runtime& Runtime::current()
{
    if (!g_current)
        throw RuntimeError("no runtime: boot a device (or create an objc::Runtime) first");
    return *g_current;
}

Runtime* Runtime::currentOrNull() { return g_current; }

Class* Runtime::getClass(std::string_view name) const
{
    auto it = m_classes.find(std::string(name));
    return it == m_classes.end() ? nullptr : it->second.ptr();
}

Class* Runtime::requireClass(std::string_view name) const
{
    if (Class* cls = getClass(name))
        return cls;
    throw RuntimeError("class " + std::string(name) + " is not registered on this device");
}

Class* Runtime::registerClass(const std::string& name, Class* superclass, Class::Factory factory)
{
    if (m_classes.count(name))
        throw RuntimeError("class " + name + " is registered twice");
    auto cls = Ref<Class>::adopt(new Class(name, superclass, false, std::move(factory)));
    // The metaclass chain parallels the class chain; the root metaclass inherits from the root class.
    Class* metaSuper = superclass ? superclass->metaClass() : cls.ptr();
    auto meta = Ref<Class>::adopt(new Class(name, metaSuper, true, nullptr));
    Class* rootMeta = superclass ? superclass->metaClass()->isa() : meta.ptr();
    meta->setIsa(rootMeta, false);
    cls->setIsa(meta.ptr(), false);
    cls->setMetaClass(meta);
    m_classes.emplace(name, cls);
    return cls.ptr();
}

std::vector<std::string> Runtime::classNames() const
{
    std::vector<std::string> names;
    for (auto& [name, cls] : m_classes)
        names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

bool Runtime::beginRegistering(std::string_view module)
{
    return m_modules.emplace(module).second;
}

Class* objc_getClass(std::string_view name)
{
    Runtime* runtime = Runtime::currentOrNull();
    return runtime ? runtime->getClass(name) : nullptr;
}

Class* object_getClass(const Object* obj) { return obj ? obj->isa() : nullptr; }
std::string class_getName(const Class* cls) { return cls ? cls->name() : "nil"; }
bool class_respondsToSelector(const Class* cls, SEL sel) { return cls && cls->respondsTo(sel); }

namespace detail {

std::string methodLabel(const Object* self, SEL sel)
{
    auto* cls = dynamic_cast<const Class*>(self);
    std::string prefix = cls && !cls->isMetaClass() ? "+[" : "-[";
    return prefix + classNameOf(self) + " " + sel_getName(sel) + "]";
}

std::string signatureMismatchText(const Object* self, SEL sel, const std::type_info& method, const std::type_info& call)
{
    return methodLabel(self, sel) + ": signature mismatch: the method is " + demangle(method) + ", the call was " + demangle(call);
}

[[noreturn]] void throwUnrecognizedSelector(Object* self, SEL sel)
{
    throw RuntimeError(methodLabel(self, sel) + ": unrecognized selector");
}

[[noreturn]] void throwSignatureMismatch(Object* self, SEL cmd, const std::type_info& method, const std::type_info& call)
{
    throw RuntimeError(signatureMismatchText(self, cmd, method, call));
}

} // namespace detail

bool respondsToSelector(const Object* self, std::string_view sel)
{
    return self && self->isa() && self->isa()->respondsTo(sel_registerName(sel));
}

bool isKindOfClass(const Object* self, const Class* cls)
{
    return self && cls && self->isa() && self->isa()->isSubclassOf(cls);
}

bool isKindOfClass(const Object* self, std::string_view className)
{
    return isKindOfClass(self, objc_getClass(className));
}

std::string classNameOf(const Object* self)
{
    if (!self)
        return "nil";
    // A class object is named by its own name; an instance by its class's.
    if (auto* cls = dynamic_cast<const Class*>(self); cls && !cls->isMetaClass())
        return cls->name();
    return self->isa() ? self->isa()->name() : demangle(typeid(*self));
}

const Ivar& requireIvar(const Object* self, std::string_view name)
{
    const Ivar* ivar = self && self->isa() ? self->isa()->findIvar(name) : nullptr;
    if (!ivar)
        throw RuntimeError("class " + classNameOf(self) + " has no instance variable " + std::string(name));
    return *ivar;
}

} // namespace objc
