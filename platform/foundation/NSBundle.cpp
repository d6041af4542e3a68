#include "NSBundle.h"

#include "FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/LoadedCode.h"
#include "FoundationCreate.h"
#include "NSLocale.h"

#include "platform/filesystem/ReadFile.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/runtime/Message.h"

#include "platform/corefoundation/CFLog.h"

#include <cctype>
#include <dlfcn.h>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace foundation {

using filesystem::DeviceRoot;

namespace {

const std::string uiKitIdentifier = "com.apple.UIKit";
const std::string uiKitPath = "/System/Library/Frameworks/UIKit.framework";

// Bundles are made once per path and device, as the platform caches them.
struct BundleState {
    std::map<std::string, Ref<NSBundle>> byPath;
};

// The bundle executables this device has loaded, by host path. Their handles are kept for the
// life of the process: their code may still sit in method tables.
struct LoadedCode {
    std::set<std::string> hostPaths;
};

bool isPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

void logLoadProblem(const std::string& bundlePath, const std::string& why)
{
    corefoundation::writeSystemLog(kCFLogLevelError, "NSBundle: cannot load the code of " + bundlePath + ": " + why);
}

std::string normalizedPath(const std::string& path)
{
    std::string result = fs::path(path).lexically_normal().generic_string();
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

bool isDeviceFile(const std::string& devicePath)
{
    auto host = DeviceRoot::resolve(devicePath);
    std::error_code ec;
    return host && fs::is_regular_file(*host, ec);
}

// Unescapes the body of a quoted string of a strings table.
std::size_t readQuoted(std::string_view text, std::size_t at, std::string& out)
{
    ++at; // opening quote
    while (at < text.size() && text[at] != '"') {
        char c = text[at++];
        if (c == '\\' && at < text.size()) {
            char e = text[at++];
            out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
        } else {
            out += c;
        }
    }
    return at + 1;
}

std::size_t skipBlanksAndComments(std::string_view text, std::size_t at)
{
    for (;;) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        if (text.substr(at, 2) == "//") {
            at = text.find('\n', at);
            if (at == std::string_view::npos)
                return text.size();
        } else if (text.substr(at, 2) == "/*") {
            at = text.find("*/", at + 2);
            if (at == std::string_view::npos)
                return text.size();
            at += 2;
        } else {
            return at;
        }
    }
}

} // namespace

std::map<std::string, std::string> parseStringsTable(std::string_view text)
{
    std::map<std::string, std::string> table;
    if (Ref<Object> plist = corefoundation::propertyListFromBytes(text)) {
        if (auto* dictionary = dynamic_cast<NSDictionary*>(plist.ptr())) {
            for (const auto& [key, value] : dictionary->entries())
                if (auto* s = dynamic_cast<NSString*>(value.ptr()))
                    table[key] = s->value();
            return table;
        }
    }
    // The classic form: "key" = "value"; with comments.
    std::size_t at = 0;
    while (true) {
        at = skipBlanksAndComments(text, at);
        if (at >= text.size() || text[at] != '"')
            break;
        std::string key, value;
        at = skipBlanksAndComments(text, readQuoted(text, at, key));
        if (at >= text.size() || text[at] != '=')
            break;
        at = skipBlanksAndComments(text, at + 1);
        if (at >= text.size() || text[at] != '"')
            break;
        at = skipBlanksAndComments(text, readQuoted(text, at, value));
        if (at < text.size() && text[at] == ';')
            ++at;
        table[key] = value;
    }
    return table;
}

} // namespace foundation

Ref<NSBundle> NSBundle::bundleWithPath(const std::string& devicePath)
{
    auto host = filesystem::DeviceRoot::resolve(devicePath);
    std::error_code ec;
    if (!host || !fs::is_directory(*host, ec))
        return nullptr;
    std::string path = foundation::normalizedPath(devicePath);
    auto& state = objc::Runtime::current().state<foundation::BundleState>();
    auto& slot = state.byPath[path];
    if (!slot) {
        slot = foundation::create<NSBundle>();
        slot->m_path = path;
    }
    return slot;
}

Ref<NSBundle> NSBundle::bundleWithIdentifier(const std::string& identifier)
{
    foundation::ensureRegistered();
    auto& state = objc::Runtime::current().state<foundation::BundleState>();
    if (identifier == foundation::uiKitIdentifier) {
        auto& slot = state.byPath[foundation::uiKitPath];
        if (!slot) {
            slot = foundation::create<NSBundle>();
            slot->m_path = foundation::uiKitPath;
            slot->m_builtIn = true;
            slot->m_infoLoaded = true;
            slot->m_info = NSDictionary::make({ { "CFBundleIdentifier", NSString::make(foundation::uiKitIdentifier) } });
            slot->m_tables["Localizable"] = { { "OK", "OK" }, { "Cancel", "Cancel" }, { "Back", "Back" }, { "Done", "Done" } };
        }
        return slot;
    }
    // Otherwise one of the bundles already opened on this device.
    for (auto& [path, bundle] : state.byPath)
        if (bundle->bundleIdentifier() == identifier)
            return bundle;
    return nullptr;
}

std::string NSBundle::bundleIdentifier()
{
    NSDictionary* info = infoDictionary();
    return info ? info->stringForKey("CFBundleIdentifier").value_or("") : "";
}

NSDictionary* NSBundle::infoDictionary()
{
    if (!m_infoLoaded) {
        m_infoLoaded = true;
        Ref<Object> info = corefoundation::propertyListFromDeviceFile(m_path + "/Info.plist");
        if (auto* dictionary = dynamic_cast<NSDictionary*>(info.ptr()))
            m_info = dictionary;
        else
            m_info = NSDictionary::make();
    }
    return m_info;
}

std::string NSBundle::principalClassName()
{
    NSDictionary* info = infoDictionary();
    return info ? info->stringForKey("NSPrincipalClass").value_or("") : "";
}

std::vector<std::string> NSBundle::localizationFolders() const
{
    std::string locale = foundation::currentLocaleIdentifier();
    std::string language = locale.substr(0, locale.find_first_of("_-"));
    std::vector<std::string> folders { locale + ".lproj", language + ".lproj" };
    if (language == "en")
        folders.push_back("English.lproj");
    folders.push_back("Base.lproj");
    if (language != "en") {
        folders.push_back("en.lproj");
        folders.push_back("English.lproj");
    }
    return folders;
}

std::string NSBundle::pathForResource(const std::string& name, const std::string& type)
{
    if (name.empty() || name.find("..") != std::string::npos)
        return {};
    std::string file = type.empty() ? name : name + "." + (type.front() == '.' ? type.substr(1) : type);
    std::vector<std::string> candidates { m_path + "/" + file };
    for (const auto& folder : localizationFolders())
        candidates.push_back(m_path + "/" + folder + "/" + file);
    for (const auto& candidate : candidates)
        if (foundation::isDeviceFile(candidate))
            return candidate;
    return {};
}

const std::map<std::string, std::string>& NSBundle::stringTable(const std::string& table)
{
    auto it = m_tables.find(table);
    if (it != m_tables.end())
        return it->second;
    std::map<std::string, std::string> strings;
    // The most specific localization wins; the others fill in what it lacks.
    auto folders = localizationFolders();
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        auto host = filesystem::DeviceRoot::resolve(m_path + "/" + *folder + "/" + table + ".strings");
        auto text = host ? filesystem::readWholeFile(*host, corefoundation::maximumPropertyListSize) : std::nullopt;
        if (!text)
            continue;
        for (auto& [key, value] : foundation::parseStringsTable(*text))
            strings[key] = value;
    }
    return m_tables.emplace(table, std::move(strings)).first->second;
}

std::string NSBundle::localizedStringForKey(const std::string& key, const std::string& value, const std::string& table)
{
    const auto& strings = stringTable(table.empty() ? "Localizable" : table);
    if (auto it = strings.find(key); it != strings.end())
        return it->second;
    return value.empty() ? key : value;
}

bool NSBundle::load()
{
    if (m_loaded || m_builtIn)
        return true;
    NSDictionary* info = infoDictionary();
    std::string executable = info ? info->stringForKey("CFBundleExecutable").value_or("") : "";
    if (executable.empty())
        return false; // a bundle of resources only
    if (!foundation::isPlainFileName(executable)) {
        foundation::logLoadProblem(m_path, "its executable \"" + executable + "\" is not a file of the bundle");
        return false;
    }
    std::string why;
    auto folder = filesystem::DeviceRoot::resolve(m_path, &why);
    auto file = filesystem::DeviceRoot::resolve(m_path + "/" + executable, &why);
    if (!folder || !file) {
        foundation::logLoadProblem(m_path, why);
        return false;
    }
    // A link in the last component stays inside the device root, but it must not lead out of the
    // bundle folder either: the code loaded is the bundle's own.
    std::error_code ec;
    fs::path realFolder = fs::canonical(*folder, ec);
    fs::path realFile = ec ? fs::path() : fs::canonical(*file, ec);
    if (ec || !fs::is_regular_file(realFile, ec)) {
        foundation::logLoadProblem(m_path, "no executable " + executable);
        return false;
    }
    if (realFile.parent_path() != realFolder) {
        foundation::logLoadProblem(m_path, "the executable " + executable + " lies outside the bundle");
        return false;
    }
    auto& loaded = objc::Runtime::current().state<foundation::LoadedCode>();
    if (!loaded.hostPaths.count(realFile.string())) {
        // The handle is never closed (see LoadedCode); its initializers register the classes,
        // also when the same file was loaded for a device booted earlier.
        std::string error;
        if (!filesystem::openLibraryFresh(realFile, error)) {
            foundation::logLoadProblem(m_path, error);
            return false;
        }
        loaded.hostPaths.insert(realFile.string());
    }
    m_loaded = true;
    return true;
}

namespace foundation {

namespace {

Ref<NSDictionary> infoDictionaryOf(NSBundle* self) { return self->infoDictionary(); }

Ref<Object> objectForInfoDictionaryKey(NSBundle* self, std::string key)
{
    NSDictionary* info = self->infoDictionary();
    return info ? info->objectForKey(key) : nullptr;
}

Ref<objc::Class> principalClassOf(NSBundle* self) { return objc::objc_getClass(self->principalClassName()); }

} // namespace

void registerBundleClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<NSBundle>(runtime, "NSObject")
        .classMethod(sel::bundleWithPath, &NSBundle::bundleWithPath)
        .classMethod(sel::bundleWithIdentifier, &NSBundle::bundleWithIdentifier)
        .method(sel::bundlePath, &NSBundle::bundlePath)
        .method(sel::bundleIdentifier, &NSBundle::bundleIdentifier)
        .method(sel::infoDictionary, &infoDictionaryOf)
        .method(sel::objectForInfoDictionaryKey, &objectForInfoDictionaryKey)
        .method(sel::principalClass, &principalClassOf)
        .method(sel::pathForResourceOfType, &NSBundle::pathForResource)
        .method(sel::localizedStringForKeyValueTable, &NSBundle::localizedStringForKey)
        .method(sel::load, &NSBundle::load)
        .method(sel::isLoaded, &NSBundle::isLoaded)
        .build();
}

} // namespace foundation
