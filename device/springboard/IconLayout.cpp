#include "device/springboard/IconLayout.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/filesystem/DeviceRoot.h"

#include <algorithm>
#include <filesystem>

using objc::Ref;

namespace springboard {

namespace {

bool installed(const device::DeviceProfile& profile, const std::string& bundleId)
{
    return std::any_of(profile.apps.begin(), profile.apps.end(), [&](const device::InstalledApp& a) { return a.bundleIdentifier == bundleId; });
}

Ref<objc::Object> stringArray(const std::vector<std::string>& strings) { return NSArray::ofStrings(strings); }

bool writeHostPropertyList(objc::Object* plist, const std::string& devicePath, std::string* error)
{
    auto host = filesystem::DeviceRoot::resolve(devicePath);
    if (!host) {
        if (error)
            *error = devicePath + " is not a path inside the device";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(host->parent_path(), ec);
    if (ec) {
        if (error)
            *error = "cannot make the folder of " + devicePath + ": " + ec.message();
        return false;
    }
    return corefoundation::writePropertyListToHostFile(plist, *host, error);
}

std::vector<std::string> identifiersOf(NSArray* list, const std::string& where, std::vector<std::string>* warnings)
{
    std::vector<std::string> ids;
    for (auto& item : list->items()) {
        if (auto* s = dynamic_cast<NSString*>(item.ptr()))
            ids.push_back(s->value());
        else if (warnings)
            warnings->push_back("IconState.plist: skipped an item of " + where + " that is not an identifier (" + corefoundation::describe(item) + ")");
    }
    return ids;
}

} // namespace

bool isPlainName(const std::string& identifier)
{
    return !identifier.empty() && identifier != "." && identifier != ".." && identifier.find('/') == std::string::npos
        && identifier.find('\0') == std::string::npos;
}

WebClipInfo defaultWebClip() { return { kDefaultWebClipIdentifier, "Icon Ideas", "https://example.com/icon-ideas" }; }

IconLayout defaultLayout(const device::DeviceProfile& profile)
{
    bool pad = profile.idiom == device::Idiom::Pad;
    std::vector<std::string> dock = pad ? std::vector<std::string> { "com.apple.MobileSMS", "com.apple.mobilesafari", "com.apple.mobilemail", "com.apple.Music" }
                                        : std::vector<std::string> { "com.apple.mobilephone", "com.apple.mobilesafari", "com.apple.MobileSMS", "com.apple.Music" };
    std::vector<std::string> first = { "com.apple.facetime", "com.apple.mobilecal", "com.apple.mobileslideshow", "com.apple.camera",
        "com.apple.mobilemail", "com.apple.mobiletimer", "com.apple.Maps", "com.apple.weather", "com.apple.reminders", "com.apple.mobilenotes",
        "com.apple.stocks", "com.apple.iBooks", "com.apple.AppStore", "com.apple.podcasts", "com.apple.Home", "com.apple.Health",
        "com.apple.Passbook", "com.apple.Preferences" };
    std::vector<std::string> utilities = { "com.apple.calculator", "com.apple.compass", "com.apple.VoiceMemos", "com.apple.MobileAddressBook" };
    std::vector<std::string> second = { "com.apple.news", "com.apple.tips" };

    IconLayout layout;
    auto keep = [&](std::vector<std::string> ids) {
        std::erase_if(ids, [&](const std::string& id) {
            return !installed(profile, id) || std::find(layout.dock.begin(), layout.dock.end(), id) != layout.dock.end();
        });
        return ids;
    };
    layout.dock = keep(dock);
    std::vector<LayoutItem> page1;
    for (auto& id : keep(first))
        page1.push_back({ id, std::nullopt });
    page1.push_back({ {}, LayoutFolder { "Utilities", { keep(utilities) } } });
    std::vector<LayoutItem> page2;
    for (auto& id : keep(second))
        page2.push_back({ id, std::nullopt });
    page2.push_back({ kDefaultWebClipIdentifier, std::nullopt });
    layout.pages = { page1, page2 };
    return layout;
}

std::optional<IconLayout> readLayout(const std::string& devicePath, std::string* problem, std::vector<std::string>* warnings)
{
    auto fail = [&](std::string why) -> std::optional<IconLayout> {
        if (problem)
            *problem = std::move(why);
        return std::nullopt;
    };
    auto host = filesystem::DeviceRoot::resolve(devicePath);
    std::error_code ec;
    if (!host || !std::filesystem::is_regular_file(*host, ec))
        return fail(devicePath + " is missing");
    std::string error;
    Ref<objc::Object> plist = corefoundation::propertyListFromHostFile(*host, &error);
    auto* root = dynamic_cast<NSDictionary*>(plist.ptr());
    if (!root)
        return fail(devicePath + " is damaged: " + (plist ? "it is not a dictionary" : error));
    auto* lists = dynamic_cast<NSArray*>(root->objectForKey("iconLists"));
    if (!lists)
        return fail(devicePath + " is damaged: it has no \"iconLists\" array");

    IconLayout layout;
    if (auto* bar = dynamic_cast<NSArray*>(root->objectForKey("buttonBar")))
        layout.dock = identifiersOf(bar, "the dock", warnings);
    else if (root->objectForKey("buttonBar") && warnings)
        warnings->push_back("IconState.plist: \"buttonBar\" is not an array; the dock is empty");

    int pageNumber = 0;
    for (auto& pageObject : lists->items()) {
        ++pageNumber;
        auto* page = dynamic_cast<NSArray*>(pageObject.ptr());
        if (!page) {
            if (warnings)
                warnings->push_back("IconState.plist: skipped page " + std::to_string(pageNumber) + ", which is not an array");
            continue;
        }
        std::vector<LayoutItem> items;
        for (auto& item : page->items()) {
            if (auto* s = dynamic_cast<NSString*>(item.ptr())) {
                items.push_back({ s->value(), std::nullopt });
                continue;
            }
            auto* dict = dynamic_cast<NSDictionary*>(item.ptr());
            auto* folderLists = dict ? dynamic_cast<NSArray*>(dict->objectForKey("iconLists")) : nullptr;
            std::string listType = dict ? dict->stringForKey("listType").value_or("") : "";
            if (!dict || !folderLists || (!listType.empty() && listType != "folder")) {
                if (warnings)
                    warnings->push_back("IconState.plist: skipped an item on page " + std::to_string(pageNumber) + " that is neither an identifier nor a folder");
                continue;
            }
            LayoutFolder folder;
            folder.displayName = dict->stringForKey("displayName").value_or("Folder");
            for (auto& folderPage : folderLists->items()) {
                if (auto* list = dynamic_cast<NSArray*>(folderPage.ptr()))
                    folder.pages.push_back(identifiersOf(list, "folder " + folder.displayName, warnings));
                else if (warnings)
                    warnings->push_back("IconState.plist: skipped a page of folder " + folder.displayName + " that is not an array");
            }
            items.push_back({ {}, std::move(folder) });
        }
        layout.pages.push_back(std::move(items));
    }
    return layout;
}

Ref<objc::Object> layoutPropertyList(const IconLayout& layout)
{
    std::vector<Ref<objc::Object>> pages;
    for (auto& page : layout.pages) {
        std::vector<Ref<objc::Object>> items;
        for (auto& item : page) {
            if (!item.folder) {
                items.emplace_back(NSString::make(item.identifier).ptr());
                continue;
            }
            std::vector<Ref<objc::Object>> folderPages;
            for (auto& list : item.folder->pages)
                folderPages.push_back(stringArray(list));
            items.emplace_back(NSDictionary::make({
                                                      { "displayName", NSString::make(item.folder->displayName) },
                                                      { "listType", NSString::make("folder") },
                                                      { "iconLists", NSArray::make(std::move(folderPages)) },
                                                  })
                    .ptr());
        }
        pages.emplace_back(NSArray::make(std::move(items)).ptr());
    }
    return NSDictionary::make({
        { "buttonBar", stringArray(layout.dock) },
        { "iconLists", NSArray::make(std::move(pages)) },
    });
}

bool writeLayout(const IconLayout& layout, const std::string& devicePath, std::string* error)
{
    return writeHostPropertyList(layoutPropertyList(layout), devicePath, error);
}

std::optional<WebClipInfo> readWebClip(const std::string& identifier, std::string* problem)
{
    auto fail = [&](std::string why) -> std::optional<WebClipInfo> {
        if (problem)
            *problem = std::move(why);
        return std::nullopt;
    };
    if (!isPlainName(identifier))
        return fail("\"" + identifier + "\" is not a web clip identifier");
    std::string path = std::string(kWebClipsFolder) + "/" + identifier + ".webclip/Info.plist";
    auto host = filesystem::DeviceRoot::resolve(path);
    std::error_code ec;
    if (!host || !std::filesystem::is_regular_file(*host, ec))
        return fail("no app or web clip is called \"" + identifier + "\"");
    std::string error;
    Ref<objc::Object> plist = corefoundation::propertyListFromHostFile(*host, &error);
    auto* info = dynamic_cast<NSDictionary*>(plist.ptr());
    if (!info)
        return fail(path + " is damaged" + (error.empty() ? std::string() : ": " + error));
    WebClipInfo clip;
    clip.identifier = identifier;
    clip.title = info->stringForKey("Title").value_or("");
    clip.url = info->stringForKey("URL").value_or("");
    if (clip.title.empty())
        clip.title = clip.url.empty() ? "Web Clip" : clip.url;
    return clip;
}

bool writeWebClip(const WebClipInfo& clip, std::string* error)
{
    if (!isPlainName(clip.identifier)) {
        if (error)
            *error = "\"" + clip.identifier + "\" is not a web clip identifier";
        return false;
    }
    auto info = NSDictionary::make({
        { "Title", NSString::make(clip.title) },
        { "URL", NSString::make(clip.url) },
    });
    return writeHostPropertyList(info, std::string(kWebClipsFolder) + "/" + clip.identifier + ".webclip/Info.plist", error);
}

} // namespace springboard
