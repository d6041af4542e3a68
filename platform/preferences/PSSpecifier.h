#pragma once

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/runtime/Message.h"

#include <string>

class UIImage;

// The kinds of rows a specifier can describe, with the platform's numbering.
enum PSCellType : long {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSSegmentCell = 9,
    PSGiantIconCell = 10,
    PSGiantCell = 11,
    PSSecureEditTextCell = 12,
    PSButtonCell = 13,
    PSEditTextViewCell = 14,
};

// One row (or group header) of a preference list: what it shows, which preference it edits and
// what happens when it is tapped. Everything a specifier list file says about a row that has no
// field of its own is kept in `properties` under the file's key ("key", "defaults", "default",
// "PostNotification", "footerText", "cellClass", "min", "max", ...).
//
// Runtime methods: name, setName:, identifier, setIdentifier:, propertyForKey:,
// setProperty:forKey:, removePropertyForKey:, properties, setProperties:, cellType,
// setCellType:, target, setTarget:, getter, setter, buttonAction, setButtonAction:,
// detailControllerClass, setDetailControllerClass:, editPaneClass, values, titles,
// setValues:titles:; class methods preferenceSpecifierNamed:target:set:get:detail:cell:edit:,
// groupSpecifierWithName:, emptyGroupSpecifier.
class PSSpecifier : public objc::NSObject {
    OBJC_CLASS(PSSpecifier)
public:
    static objc::Ref<PSSpecifier> preferenceSpecifierNamed(const std::string& name, objc::Object* target, objc::SEL setter, objc::SEL getter, objc::Class* detail, PSCellType cell, objc::Class* edit);
    static objc::Ref<PSSpecifier> groupSpecifierWithName(const std::string& name);
    static objc::Ref<PSSpecifier> emptyGroupSpecifier();

    // These send the runtime methods, so replacements are seen.
    std::string name();
    void setName(const std::string& name);
    // The "id" of the row; the name when none was given.
    std::string identifier();
    void setIdentifier(const std::string& identifier);
    objc::Ref<objc::Object> propertyForKey(const std::string& key);
    void setProperty(objc::Object* value, const std::string& key);
    void removePropertyForKey(const std::string& key);
    // The string value of a property ("" when absent or not a string).
    std::string stringProperty(const std::string& key);
    // The boolean reading of a property (strings "YES"/"true"/"1" count), `fallback` when absent.
    bool boolProperty(const std::string& key, bool fallback);

    PSCellType cellType() const { return m_cellType; }
    void setCellType(PSCellType type) { m_cellType = type; }
    objc::Object* target() const { return m_target.ptr(); }
    void setTarget(objc::Object* target) { m_target = target; }
    objc::SEL getter() const { return m_getter; }
    objc::SEL setter() const { return m_setter; }
    void setGetter(objc::SEL sel) { m_getter = sel; }
    void setSetter(objc::SEL sel) { m_setter = sel; }
    objc::SEL buttonAction() const { return m_action; }
    void setButtonAction(objc::SEL sel) { m_action = sel; }
    objc::Class* detailControllerClass() const { return m_detail.ptr(); }
    void setDetailControllerClass(objc::Class* cls) { m_detail = cls; }
    objc::Class* editPaneClass() const { return m_edit.ptr(); }
    NSMutableDictionary* properties();

    // A list row's choices ("validValues" and "validTitles" of a list file), in order.
    NSArray* values() const { return m_values.ptr(); }
    NSArray* titles() const { return m_titles.ptr(); }
    void setValuesAndTitles(NSArray* values, NSArray* titles);
    // The title shown for `value` (its own text when no title is known).
    std::string titleForValue(objc::Object* value) const;

    static void registerClass(objc::Runtime&);

private:
    // The runtime methods.
    static objc::Ref<PSSpecifier> makeSpecifier(std::string name, objc::Object* target, objc::SEL setter, objc::SEL getter, objc::Object* detail, PSCellType cell, objc::Object* edit);
    static objc::Ref<PSSpecifier> makeGroupSpecifier(std::string name);
    static objc::Ref<PSSpecifier> makeEmptyGroupSpecifier();
    std::string storedName() const { return m_name; }
    void keepName(std::string name);
    std::string storedIdentifier();
    void keepIdentifier(std::string identifier);
    objc::Ref<objc::Object> storedProperty(std::string key);
    void keepProperty(objc::Object* value, std::string key);
    void dropProperty(std::string key);
    objc::Ref<NSMutableDictionary> propertiesObject();
    void replaceProperties(NSDictionary* properties);
    objc::Ref<objc::Object> targetObject();
    objc::Ref<objc::Class> detailClassObject();
    void keepDetailClass(objc::Object* cls);
    objc::Ref<objc::Class> editPaneClassObject();
    objc::Ref<NSArray> valuesObject();
    objc::Ref<NSArray> titlesObject();

    std::string m_name;
    std::string m_identifier;
    PSCellType m_cellType = PSGroupCell;
    objc::WeakRef<objc::Object> m_target;
    objc::SEL m_getter = nullptr;
    objc::SEL m_setter = nullptr;
    objc::SEL m_action = nullptr;
    objc::Ref<objc::Class> m_detail;
    objc::Ref<objc::Class> m_edit;
    objc::Ref<NSMutableDictionary> m_properties;
    objc::Ref<NSArray> m_values;
    objc::Ref<NSArray> m_titles;
};
