// A preferences file as the tweak finds it at boot: read into its snapshot, every value read with
// the tweak's reading rules, then written back whole by the welcome alert's button. Whatever the
// reader keeps must come back exactly, from the file written and from the binary form alike.

#include "FuzzDevice.h"

#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/PropertyList.h"
#include "tweak/Preferences.h"

namespace {

const std::string kPreferencesFolder = "/var/mobile/Library/Preferences";

// Puts the input in place as a new file (renamed over the old one), so that the preferences cache
// always sees a different file, and drops what earlier inputs left beside it.
void placeDomainFile(const uint8_t* data, size_t size)
{
    auto folder = fuzz::device().hostPath(kPreferencesFolder);
    auto file = fuzz::device().hostPath(corefoundation::preferencesDevicePath(ovrimo::kPreferencesDomain));
    std::error_code ec;
    for (auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path() != file)
            std::filesystem::remove_all(entry.path(), ec);
    fuzz::writeDeviceFile(kPreferencesFolder + "/input", data, size);
    std::filesystem::rename(folder / "input", file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::device();
    placeDomainFile(data, size);

    ovrimo::ReplacePreferencesSnapshot(ovrimo::LoadPreferencesDomain());
    objc::Ref<objc::Object> before = corefoundation::deepCopy(ovrimo::PreferencesSnapshot());
    auto* read = static_cast<NSDictionary*>(before.ptr());
    for (const auto& [key, value] : read->entries()) {
        ovrimo::SwitchIsOn(key);
        ovrimo::IntegerValue(key);
        ovrimo::StringValue(key);
    }
    ovrimo::CalendarDateColor();

    ovrimo::MarkFirstRunDone();
    std::string error;
    objc::Ref<objc::Object> written = corefoundation::propertyListFromDeviceFile(corefoundation::preferencesDevicePath(ovrimo::kPreferencesDomain), &error);
    auto* back = dynamic_cast<NSDictionary*>(written.ptr());
    if (!back)
        fuzz::fail("the domain written back does not read as a dictionary");
    for (const auto& [key, value] : read->entries())
        if (key != "firstrun" && !corefoundation::objectsEqual(value, back->objectForKey(key)))
            fuzz::fail("a value changed when the domain was written back");
    if (back->count() != read->count() + (read->objectForKey("firstrun") ? 0 : 1))
        fuzz::fail("the domain written back has other keys");

    auto binary = corefoundation::propertyListBytes(read, corefoundation::PropertyListFormat::Binary, &error);
    if (!binary)
        fuzz::fail("a domain that was read cannot be written as a binary property list");
    if (!corefoundation::objectsEqual(corefoundation::propertyListFromBytes(*binary, &error), read))
        fuzz::fail("a value changed through the binary form");
    return 0;
}
