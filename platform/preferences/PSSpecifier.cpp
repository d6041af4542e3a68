#include "platform/preferences/PSSpecifier.h"

#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

using objc::Class;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace sel = preferences::sel;

Ref<PSSpecifier> PSSpecifier::preferenceSpecifierNamed(const std::string& name, Object* target, SEL setter, SEL getter, Class* detail, PSCellType cell, Class* edit)
{
    return sel::preferenceSpecifierNamedTargetSetGetDetailCellEdit(objc::classOf<PSSpecifier>(), name, target, setter, getter, detail, cell, edit);
}

Ref<PSSpecifier> PSSpecifier::groupSpecifierWithName(const std::string& name) { return sel::groupSpecifierWithName(objc::classOf<PSSpecifier>(), name); }
Ref<PSSpecifier> PSSpecifier::emptyGroupSpecifier() { return sel::emptyGroupSpecifier(objc::classOf<PSSpecifier>()); }

std::string PSSpecifier::name() { return sel::name(this); }
void PSSpecifier::setName(const std::string& name) { sel::setName(this, name); }
std::string PSSpecifier::identifier() { return sel::identifier(this); }
void PSSpecifier::setIdentifier(const std::string& identifier) { sel::setIdentifier(this, identifier); }
Ref<Object> PSSpecifier::propertyForKey(const std::string& key) { return sel::propertyForKey(this, key); }
void PSSpecifier::setProperty(Object* value, const std::string& key) { sel::setPropertyForKey(this, value, key); }
void PSSpecifier::removePropertyForKey(const std::string& key) { sel::removePropertyForKey(this, key); }

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

// The class methods make a PSSpecifier (alloc/init through the runtime, so a replaced init is seen).
Ref<PSSpecifier> PSSpecifier::makeSpecifier(std::string name, Object* target, SEL setter, SEL getter, Object* detail, PSCellType cell, Object* edit)
{
    Ref<Object> made = objc::sel::init(objc::sel::alloc(objc::classOf<PSSpecifier>()));
    auto* specifier = dynamic_cast<PSSpecifier*>(made.ptr());
    if (!specifier)
        return nullptr;
    specifier->m_name = std::move(name);
    specifier->m_target = target;
    specifier->m_setter = setter;
    specifier->m_getter = getter;
    specifier->m_detail = dynamic_cast<Class*>(detail);
    specifier->m_cellType = cell;
    specifier->m_edit = dynamic_cast<Class*>(edit);
    return Ref<PSSpecifier>(specifier);
}

Ref<PSSpecifier> PSSpecifier::makeGroupSpecifier(std::string name)
{
    return preferenceSpecifierNamed(name, nullptr, nullptr, nullptr, nullptr, PSGroupCell, nullptr);
}

Ref<PSSpecifier> PSSpecifier::makeEmptyGroupSpecifier() { return groupSpecifierWithName(std::string()); }

std::string PSSpecifier::storedIdentifier() { return m_identifier.empty() ? m_name : m_identifier; }
void PSSpecifier::keepName(std::string name) { m_name = std::move(name); }
void PSSpecifier::keepIdentifier(std::string identifier) { m_identifier = std::move(identifier); }
Ref<Object> PSSpecifier::storedProperty(std::string key) { return properties()->objectForKey(key); }
void PSSpecifier::keepProperty(Object* value, std::string key) { properties()->setObject(value, std::move(key)); }
void PSSpecifier::dropProperty(std::string key) { properties()->removeObjectForKey(key); }
Ref<NSMutableDictionary> PSSpecifier::propertiesObject() { return properties(); }

void PSSpecifier::replaceProperties(NSDictionary* properties)
{
    m_properties = corefoundation::create<NSMutableDictionary>(properties ? properties->entries() : NSDictionary::Storage {});
}

Ref<Object> PSSpecifier::targetObject() { return m_target.ptr(); }
Ref<Class> PSSpecifier::detailClassObject() { return m_detail; }
void PSSpecifier::keepDetailClass(Object* cls) { m_detail = dynamic_cast<Class*>(cls); }
Ref<Class> PSSpecifier::editPaneClassObject() { return m_edit; }
Ref<NSArray> PSSpecifier::valuesObject() { return m_values; }
Ref<NSArray> PSSpecifier::titlesObject() { return m_titles; }

void PSSpecifier::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSSpecifier>(rt, "NSObject")
        .classMethod(sel::preferenceSpecifierNamedTargetSetGetDetailCellEdit, &PSSpecifier::makeSpecifier)
        .classMethod(sel::groupSpecifierWithName, &PSSpecifier::makeGroupSpecifier)
        .classMethod(sel::emptyGroupSpecifier, &PSSpecifier::makeEmptyGroupSpecifier)
        .method(sel::name, &PSSpecifier::storedName)
        .method(sel::setName, &PSSpecifier::keepName)
        .method(sel::identifier, &PSSpecifier::storedIdentifier)
        .method(sel::setIdentifier, &PSSpecifier::keepIdentifier)
        .method(sel::propertyForKey, &PSSpecifier::storedProperty)
        .method(sel::setPropertyForKey, &PSSpecifier::keepProperty)
        .method(sel::removePropertyForKey, &PSSpecifier::dropProperty)
        .method(sel::properties, &PSSpecifier::propertiesObject)
        .method(sel::setProperties, &PSSpecifier::replaceProperties)
        .method(sel::cellType, &PSSpecifier::cellType)
        .method(sel::setCellType, &PSSpecifier::setCellType)
        .method(sel::target, &PSSpecifier::targetObject)
        .method(sel::setTarget, &PSSpecifier::setTarget)
        .method(sel::getter, &PSSpecifier::getter)
        .method(sel::setter, &PSSpecifier::setter)
        .method(sel::buttonAction, &PSSpecifier::buttonAction)
        .method(sel::setButtonAction, &PSSpecifier::setButtonAction)
        .method(sel::detailControllerClass, &PSSpecifier::detailClassObject)
        .method(sel::setDetailControllerClass, &PSSpecifier::keepDetailClass)
        .method(sel::editPaneClass, &PSSpecifier::editPaneClassObject)
        .method(sel::values, &PSSpecifier::valuesObject)
        .method(sel::titles, &PSSpecifier::titlesObject)
        .method(sel::setValuesTitles, &PSSpecifier::setValuesAndTitles)
        .build();
}
