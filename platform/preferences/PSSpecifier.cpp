#include "platform/preferences/PSSpecifier.h"

#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"

using objc::Class;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

Ref<PSSpecifier> PSSpecifier::preferenceSpecifierNamed(const std::string& name, Object* target, SEL setter, SEL getter, Class* detail, PSCellType cell, Class* edit)
{
    return msgSend<Ref<PSSpecifier>>(objc::Runtime::current().requireClass("PSSpecifier"), "preferenceSpecifierNamed:target:set:get:detail:cell:edit:", name, target, setter, getter, detail, cell, edit);
}

Ref<PSSpecifier> PSSpecifier::groupSpecifierWithName(const std::string& name)
{
    return msgSend<Ref<PSSpecifier>>(objc::Runtime::current().requireClass("PSSpecifier"), "groupSpecifierWithName:", name);
}

Ref<PSSpecifier> PSSpecifier::emptyGroupSpecifier()
{
    return msgSend<Ref<PSSpecifier>>(objc::Runtime::current().requireClass("PSSpecifier"), "emptyGroupSpecifier");
}

std::string PSSpecifier::name() { return msgSend<std::string>(this, "name"); }
void PSSpecifier::setName(const std::string& name) { msgSend(this, "setName:", name); }
std::string PSSpecifier::identifier() { return msgSend<std::string>(this, "identifier"); }
void PSSpecifier::setIdentifier(const std::string& identifier) { msgSend(this, "setIdentifier:", identifier); }
Ref<Object> PSSpecifier::propertyForKey(const std::string& key) { return msgSend<Ref<Object>>(this, "propertyForKey:", key); }
void PSSpecifier::setProperty(Object* value, const std::string& key) { msgSend(this, "setProperty:forKey:", value, key); }
void PSSpecifier::removePropertyForKey(const std::string& key) { msgSend(this, "removePropertyForKey:", key); }

std::string PSSpecifier::stringProperty(const std::string& key)
{
    Ref<Object> value = propertyForKey(key);
    if (auto* number = dynamic_cast<NSNumber*>(value.ptr()))
        return number->stringValue();
    return corefoundation::stringValueOf(value);
}

bool PSSpecifier::boolProperty(const std::string& key, bool fallback)
{
    Ref<Object> value = propertyForKey(key);
    if (auto* number = dynamic_cast<NSNumber*>(value.ptr()))
        return number->boolValue();
    if (auto* string = dynamic_cast<NSString*>(value.ptr()))
        return string->boolValue();
    return fallback;
}

NSMutableDictionary* PSSpecifier::properties()
{
    if (!m_properties)
        m_properties = corefoundation::create<NSMutableDictionary>();
    return m_properties.ptr();
}

void PSSpecifier::setValuesAndTitles(NSArray* values, NSArray* titles)
{
    m_values = values;
    m_titles = titles;
}

std::string PSSpecifier::titleForValue(Object* value) const
{
    if (m_values) {
        for (std::size_t i = 0; i < m_values->count(); ++i) {
            if (!corefoundation::objectsEqual(m_values->objectAtIndex(i), value))
                continue;
            if (m_titles && i < m_titles->count())
                return corefoundation::stringValueOf(m_titles->objectAtIndex(i));
            break;
        }
    }
    if (auto* number = dynamic_cast<NSNumber*>(value))
        return number->stringValue();
    return corefoundation::stringValueOf(value);
}

void PSSpecifier::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSSpecifier>("NSObject");
    c->addClassMethod("preferenceSpecifierNamed:target:set:get:detail:cell:edit:",
        [](Object* cls, SEL, std::string name, Object* target, SEL setter, SEL getter, Object* detail, long cell, Object* edit) {
            Ref<Object> made = msgSend<Ref<Object>>(msgSend<Ref<Object>>(cls, "alloc"), "init");
            auto* specifier = dynamic_cast<PSSpecifier*>(made.ptr());
            if (!specifier)
                return Ref<PSSpecifier>();
            specifier->m_name = std::move(name);
            specifier->m_target = target;
            specifier->m_setter = setter;
            specifier->m_getter = getter;
            specifier->m_detail = dynamic_cast<Class*>(detail);
            specifier->m_cellType = static_cast<PSCellType>(cell);
            specifier->m_edit = dynamic_cast<Class*>(edit);
            return Ref<PSSpecifier>(specifier);
        });
    c->addClassMethod("groupSpecifierWithName:", [](Object* cls, SEL, std::string name) {
        return msgSend<Ref<PSSpecifier>>(cls, "preferenceSpecifierNamed:target:set:get:detail:cell:edit:", name, static_cast<Object*>(nullptr),
            static_cast<SEL>(nullptr), static_cast<SEL>(nullptr), static_cast<Object*>(nullptr), PSGroupCell, static_cast<Object*>(nullptr));
    });
    c->addClassMethod("emptyGroupSpecifier", [](Object* cls, SEL) { return msgSend<Ref<PSSpecifier>>(cls, "groupSpecifierWithName:", std::string()); });

    c->addMethod("name", [](PSSpecifier* self, SEL) { return self->m_name; });
    c->addMethod("setName:", [](PSSpecifier* self, SEL, std::string name) { self->m_name = std::move(name); });
    c->addMethod("identifier", [](PSSpecifier* self, SEL) { return self->m_identifier.empty() ? self->m_name : self->m_identifier; });
    c->addMethod("setIdentifier:", [](PSSpecifier* self, SEL, std::string identifier) { self->m_identifier = std::move(identifier); });
    c->addMethod("propertyForKey:", [](PSSpecifier* self, SEL, std::string key) { return Ref<Object>(self->properties()->objectForKey(key)); });
    c->addMethod("setProperty:forKey:", [](PSSpecifier* self, SEL, Object* value, std::string key) { self->properties()->setObject(value, std::move(key)); });
    c->addMethod("removePropertyForKey:", [](PSSpecifier* self, SEL, std::string key) { self->properties()->removeObjectForKey(key); });
    c->addMethod("properties", [](PSSpecifier* self, SEL) { return Ref<NSMutableDictionary>(self->properties()); });
    c->addMethod("setProperties:", [](PSSpecifier* self, SEL, NSDictionary* properties) {
        self->m_properties = corefoundation::create<NSMutableDictionary>(properties ? properties->entries() : NSDictionary::Storage {});
    });
    c->addMethod("cellType", [](PSSpecifier* self, SEL) { return static_cast<long>(self->m_cellType); });
    c->addMethod("setCellType:", [](PSSpecifier* self, SEL, long type) { self->m_cellType = static_cast<PSCellType>(type); });
    c->addMethod("target", [](PSSpecifier* self, SEL) { return Ref<Object>(self->m_target.ptr()); });
    c->addMethod("setTarget:", [](PSSpecifier* self, SEL, Object* target) { self->m_target = target; });
    c->addMethod("getter", [](PSSpecifier* self, SEL) { return self->m_getter; });
    c->addMethod("setter", [](PSSpecifier* self, SEL) { return self->m_setter; });
    c->addMethod("buttonAction", [](PSSpecifier* self, SEL) { return self->m_action; });
    c->addMethod("setButtonAction:", [](PSSpecifier* self, SEL, SEL action) { self->m_action = action; });
    c->addMethod("detailControllerClass", [](PSSpecifier* self, SEL) { return Ref<Class>(self->m_detail); });
    c->addMethod("setDetailControllerClass:", [](PSSpecifier* self, SEL, Object* cls) { self->m_detail = dynamic_cast<Class*>(cls); });
    c->addMethod("editPaneClass", [](PSSpecifier* self, SEL) { return Ref<Class>(self->m_edit); });
    c->addMethod("values", [](PSSpecifier* self, SEL) { return Ref<NSArray>(self->m_values); });
    c->addMethod("titles", [](PSSpecifier* self, SEL) { return Ref<NSArray>(self->m_titles); });
    c->addMethod("setValues:titles:", [](PSSpecifier* self, SEL, NSArray* values, NSArray* titles) { self->setValuesAndTitles(values, titles); });
}
