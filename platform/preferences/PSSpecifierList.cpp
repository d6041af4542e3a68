#include "platform/preferences/PSSpecifierList.h"

#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/UIImage.h"

#include <map>

using objc::Object;
using objc::Ref;

namespace preferences {

PSCellType cellTypeFromName(const std::string& name)
{
    static const std::map<std::string, PSCellType> types {
        { "PSGroupCell", PSGroupCell },
        { "PSLinkCell", PSLinkCell },
        { "PSLinkListCell", PSLinkListCell },
        { "PSListItemCell", PSListItemCell },
        { "PSTitleValueCell", PSTitleValueCell },
        { "PSSliderCell", PSSliderCell },
        { "PSSwitchCell", PSSwitchCell },
        { "PSStaticTextCell", PSStaticTextCell },
        { "PSEditTextCell", PSEditTextCell },
        { "PSSegmentCell", PSSegmentCell },
        { "PSGiantIconCell", PSGiantIconCell },
        { "PSGiantCell", PSGiantCell },
        { "PSSecureEditTextCell", PSSecureEditTextCell },
        { "PSButtonCell", PSButtonCell },
        { "PSEditTextViewCell", PSEditTextViewCell },
    };
    auto found = types.find(name);
    return found == types.end() ? PSStaticTextCell : found->second;
}

namespace {

bool editsAValue(PSCellType type)
{
    switch (type) {
    case PSLinkListCell:
    case PSSliderCell:
    case PSSwitchCell:
    case PSEditTextCell:
    case PSSecureEditTextCell:
    case PSSegmentCell:
    case PSTitleValueCell:
        return true;
    default:
        return false;
    }
}

} // namespace

Ref<PSSpecifier> specifierFromEntry(NSDictionary* entry, Object* target, NSBundle* bundle, const std::string& table)
{
    if (!entry)
        return nullptr;
    PSCellType type = cellTypeFromName(entry->stringForKey("cell").value_or("PSGroupCell"));
    std::string label = entry->stringForKey("label").value_or("");
    if (bundle && !label.empty() && !table.empty())
        label = bundle->localizedStringForKey(label, label, table);

    objc::Class* detail = nullptr;
    if (auto name = entry->stringForKey("detail"))
        detail = objc::objc_getClass(*name);
    if (!detail && type == PSLinkListCell)
        detail = objc::objc_getClass("PSListItemsController");

    objc::SEL getter = nullptr;
    objc::SEL setter = nullptr;
    if (auto name = entry->stringForKey("get"))
        getter = objc::sel_registerName(*name);
    if (auto name = entry->stringForKey("set"))
        setter = objc::sel_registerName(*name);
    if (editsAValue(type) && (type != PSTitleValueCell || entry->objectForKey("key"))) {
        if (!getter)
            getter = objc::sel_registerName("readPreferenceValue:");
        if (!setter && type != PSTitleValueCell)
            setter = objc::sel_registerName("setPreferenceValue:specifier:");
    }

    Ref<PSSpecifier> specifier = PSSpecifier::preferenceSpecifierNamed(label, target, setter, getter, detail, type, nullptr);
    if (!specifier)
        return nullptr;
    for (const auto& [key, value] : entry->entries())
        specifier->setProperty(value, key);
    if (auto id = entry->stringForKey("id"))
        specifier->setIdentifier(*id);
    if (auto action = entry->stringForKey("action"))
        specifier->setButtonAction(objc::sel_registerName(*action));
    auto* values = dynamic_cast<NSArray*>(entry->objectForKey("validValues"));
    auto* titles = dynamic_cast<NSArray*>(entry->objectForKey("validTitles"));
    if (values)
        specifier->setValuesAndTitles(values, titles ? titles : values);
    if (auto icon = entry->stringForKey("icon"); icon && bundle && !icon->empty()) {
        std::string path = bundle->bundlePath() + "/" + *icon;
        if (Ref<UIImage> image = UIImage::imageWithContentsOfFile(path))
            specifier->setProperty(image, "iconImage");
    }
    return specifier;
}

SpecifierList loadSpecifierList(const std::string& devicePath, Object* target, NSBundle* bundle, const std::string& table)
{
    SpecifierList list;
    if (devicePath.empty()) {
        list.error = "no specifier list file";
        return list;
    }
    std::string error;
    Ref<Object> root = corefoundation::propertyListFromDeviceFile(devicePath, &error);
    auto* dictionary = dynamic_cast<NSDictionary*>(root.ptr());
    if (!dictionary) {
        list.error = root ? devicePath + " is not a dictionary" : devicePath + ": " + (error.empty() ? "cannot be read" : error);
        return list;
    }
    list.title = dictionary->stringForKey("title").value_or("");
    if (bundle && !list.title.empty() && !table.empty())
        list.title = bundle->localizedStringForKey(list.title, list.title, table);
    auto* items = dynamic_cast<NSArray*>(dictionary->objectForKey("items"));
    if (!items)
        return list;
    for (const auto& item : items->items())
        if (Ref<PSSpecifier> specifier = specifierFromEntry(dynamic_cast<NSDictionary*>(item.ptr()), target, bundle, table))
            list.specifiers.push_back(specifier);
    return list;
}

} // namespace preferences
