#include "platform/preferences/PreferenceValues.h"

#include "platform/corefoundation/CFLog.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/Create.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"

#include <typeinfo>

using objc::Object;
using objc::Ref;
using objc::SEL;

namespace preferences {

namespace {

const objc::Method* methodOf(Object* target, SEL sel)
{
    if (!target || !sel || !target->isa())
        return nullptr;
    return target->isa()->findMethod(sel);
}

} // namespace

void logProblem(const std::string& message) { corefoundation::writeSystemLog(kCFLogLevelError, "Preferences: " + message); }

Ref<Object> readSpecifierValue(PSSpecifier* specifier)
{
    if (!specifier)
        return nullptr;
    Object* target = specifier->target();
    SEL getter = specifier->getter();
    const objc::Method* method = methodOf(target, getter);
    if (!method) {
        if (target && getter)
            logProblem(objc::classNameOf(target) + " does not answer " + objc::sel_getName(getter));
        return nullptr;
    }
    const std::type_info& signature = method->imp->signature();
    try {
        if (signature == typeid(objc::CanonicalSignature<std::string, Object*>))
            return corefoundation::create<NSString>(objc::msgSend<std::string>(target, getter, static_cast<Object*>(specifier)));
        if (signature == typeid(objc::CanonicalSignature<std::string>))
            return corefoundation::create<NSString>(objc::msgSend<std::string>(target, getter));
        if (signature == typeid(objc::CanonicalSignature<Ref<Object>>))
            return objc::msgSend<Ref<Object>>(target, getter);
        return objc::msgSend<Ref<Object>>(target, getter, static_cast<Object*>(specifier));
    } catch (const std::exception& error) {
        logProblem(std::string("getter ") + objc::sel_getName(getter) + " failed: " + error.what());
        return nullptr;
    }
}

bool writeSpecifierValue(PSSpecifier* specifier, Object* value)
{
    if (!specifier)
        return false;
    Object* target = specifier->target();
    SEL setter = specifier->setter();
    if (!methodOf(target, setter)) {
        if (target && setter)
            logProblem(objc::classNameOf(target) + " does not answer " + objc::sel_getName(setter));
        return false;
    }
    try {
        objc::msgSend(target, setter, value, static_cast<Object*>(specifier));
        return true;
    } catch (const std::exception& error) {
        logProblem(std::string("setter ") + objc::sel_getName(setter) + " failed: " + error.what());
        return false;
    }
}

Ref<Object> readDefaultPreferenceValue(PSSpecifier* specifier)
{
    if (!specifier)
        return nullptr;
    std::string domain = specifier->stringProperty("defaults");
    std::string key = specifier->stringProperty("key");
    if (!domain.empty() && !key.empty()) {
        CFPreferencesAppSynchronize(domain);
        if (Ref<Object> stored = CFPreferencesCopyAppValue(key, domain))
            return stored;
    }
    return specifier->propertyForKey("default");
}

void writeDefaultPreferenceValue(Object* value, PSSpecifier* specifier)
{
    if (!specifier)
        return;
    std::string domain = specifier->stringProperty("defaults");
    std::string key = specifier->stringProperty("key");
    if (!domain.empty() && !key.empty()) {
        CFPreferencesSetAppValue(key, value, domain);
        CFPreferencesAppSynchronize(domain);
    }
    std::string notification = specifier->stringProperty("PostNotification");
    if (!notification.empty())
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), notification, nullptr, nullptr, true);
}

std::string displayText(Object* value)
{
    if (auto* number = dynamic_cast<NSNumber*>(value))
        return number->stringValue();
    return corefoundation::stringValueOf(value);
}

bool sendAction(Object* target, SEL sel, Object* argument)
{
    if (!methodOf(target, sel)) {
        logProblem((target ? objc::classNameOf(target) : std::string("nil")) + " does not answer " + objc::sel_getName(sel));
        return false;
    }
    try {
        const std::type_info& signature = methodOf(target, sel)->imp->signature();
        if (signature == typeid(objc::CanonicalSignature<void>))
            objc::msgSend(target, sel);
        else if (signature == typeid(objc::CanonicalSignature<Ref<Object>, Object*>))
            (void)objc::msgSend<Ref<Object>>(target, sel, argument);
        else
            objc::msgSend(target, sel, argument);
        return true;
    } catch (const std::exception& error) {
        logProblem(std::string("action ") + objc::sel_getName(sel) + " failed: " + error.what());
        return false;
    }
}

} // namespace preferences
