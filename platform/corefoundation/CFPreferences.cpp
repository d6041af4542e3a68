#include "CFPreferences.h"

#include "platform/filesystem/AtomicFile.h"
#include "Create.h"
#include "NSString.h"
#include "PropertyList.h"

#include "platform/filesystem/DeviceRoot.h"

#include <iostream>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

using objc::Object;
using objc::Ref;

const std::string kCFPreferencesCurrentUser = "kCFPreferencesCurrentUser";
const std::string kCFPreferencesAnyUser = "kCFPreferencesAnyUser";
const std::string kCFPreferencesCurrentHost = "kCFPreferencesCurrentHost";
const std::string kCFPreferencesAnyHost = "kCFPreferencesAnyHost";
const std::string kCFPreferencesAnyApplication = "kCFPreferencesAnyApplication";

namespace corefoundation {

std::string preferencesDevicePath(const std::string& applicationID) { return "/var/mobile/Library/Preferences/" + applicationID + ".plist"; }

namespace {

// What identifies one version of a file: if any of these differ, the file changed.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const std::filesystem::path& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileStamp { info.st_dev, info.st_ino, info.st_size,
        info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec,
        info.st_ctim.tv_sec * 1'000'000'000LL + info.st_ctim.tv_nsec };
}

struct Domain {
    Ref<NSMutableDictionary> values;
    // The version of the file `values` was read from or written to; none when there was no file.
    std::optional<FileStamp> stamp;
    bool loaded = false;
    // A write failed: `values` is what the file should hold, and wins over the disk until a
    // write succeeds.
    bool unwritten = false;
};

// Per booted device, so that a fresh runtime starts with nothing cached.
struct PreferencesState {
    std::recursive_mutex mutex;
    std::unordered_map<std::string, Domain> domains;
};

bool isValidApplicationID(const std::string& id)
{
    return !id.empty() && id != "." && id != ".." && id.find('/') == std::string::npos && id.find('\0') == std::string::npos;
}

bool isStoredDomain(const std::string& user, const std::string& host)
{
    bool currentUser = user == kCFPreferencesCurrentUser || user == "mobile";
    return currentUser && host == kCFPreferencesAnyHost;
}

std::optional<std::filesystem::path> domainFile(const std::string& applicationID, std::string* why = nullptr)
{
    if (!isValidApplicationID(applicationID)) {
        if (why)
            *why = "\"" + applicationID + "\" is not a domain name";
        return std::nullopt;
    }
    return filesystem::DeviceRoot::resolve(preferencesDevicePath(applicationID), why);
}

// Moves a damaged domain file aside under a name that was free, so nothing is ever overwritten.
void setDamagedFileAside(const std::filesystem::path& file, const std::string& problem)
{
    std::string movedTo;
    for (int n = 1; n < 10000; ++n) {
        std::filesystem::path candidate = file;
        candidate += ".damaged-" + std::to_string(n);
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(candidate, ec)))
            continue;
        if (filesystem::renameWithoutReplacing(file, candidate)) {
            movedTo = candidate.filename().string();
            break;
        }
        if (errno != EEXIST)
            break;
    }
    std::cerr << "CFPreferences: " << problem << "; the domain reads as empty";
    if (!movedTo.empty())
        std::cerr << " and the damaged file was kept as " << movedTo;
    std::cerr << std::endl;
}

Domain& loadDomain(PreferencesState& state, const std::string& applicationID)
{
    Domain& domain = state.domains[applicationID];
    if (domain.unwritten && domain.values)
        return domain;
    auto file = domainFile(applicationID);
    auto stamp = file ? stampOf(*file) : std::nullopt;
    if (domain.loaded && domain.values && stamp == domain.stamp)
        return domain;
    domain.loaded = true;
    domain.stamp = stamp;
    domain.values = NSMutableDictionary::make();
    if (!stamp)
        return domain;
    std::string error;
    Ref<Object> contents = propertyListFromHostFile(*file, &error);
    if (auto* dictionary = dynamic_cast<NSDictionary*>(contents.ptr())) {
        domain.values = NSMutableDictionary::make(static_cast<NSDictionary*>(deepCopy(dictionary, Containers::Immutable).ptr())->entries());
        return domain;
    }
    if (contents)
        error = file->string() + ": the top level is not a dictionary";
    setDamagedFileAside(*file, error);
    // Whether or not it could be moved, this version of the file has been dealt with.
    domain.stamp = stampOf(*file);
    return domain;
}

bool writeDomain(Domain& domain, const std::string& applicationID)
{
    std::string error;
    auto file = domainFile(applicationID, &error);
    if (file && writePropertyListToHostFile(domain.values, *file, &error)) {
        domain.unwritten = false;
        domain.stamp = stampOf(*file);
        return true;
    }
    if (!domain.unwritten)
        std::cerr << "CFPreferences: cannot write the domain " << applicationID << ": " << error << std::endl;
    domain.unwritten = true;
    return false;
}

PreferencesState& state()
{
    ensureRegistered();
    return objc::Runtime::current().state<PreferencesState>();
}

// A value fit for storing: a private copy of a property-list value, or null (with a message).
Ref<Object> storable(Object* value, const std::string& key)
{
    if (!isPropertyList(value)) {
        std::cerr << "CFPreferences: the value for \"" << key << "\" (a " << objc::classNameOf(value) << ") is not a property-list value; ignored" << std::endl;
        return nullptr;
    }
    return deepCopy(value, Containers::Immutable);
}

} // namespace

} // namespace corefoundation

using namespace corefoundation;

Ref<NSArray> CFPreferencesCopyKeyList(const std::string& applicationID, const std::string& userName, const std::string& hostName)
{
    if (!isStoredDomain(userName, hostName))
        return NSArray::make();
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return NSArray::ofStrings(loadDomain(s, applicationID).values->keys());
}

Ref<NSDictionary> CFPreferencesCopyMultiple(NSArray* keysToFetch, const std::string& applicationID, const std::string& userName, const std::string& hostName)
{
    if (!isStoredDomain(userName, hostName))
        return NSDictionary::make();
    auto& s = state();
    std::lock_guard lock(s.mutex);
    Domain& domain = loadDomain(s, applicationID);
    NSDictionary::Storage result;
    if (!keysToFetch) {
        for (const auto& [key, value] : domain.values->entries())
            result.emplace(key, deepCopy(value, Containers::Immutable));
    } else {
        for (const auto& key : keysToFetch->strings())
            if (Object* value = domain.values->objectForKey(key))
                result.emplace(key, deepCopy(value, Containers::Immutable));
    }
    return NSDictionary::make(std::move(result));
}

void CFPreferencesSetMultiple(NSDictionary* keysToSet, NSArray* keysToRemove, const std::string& applicationID, const std::string& userName, const std::string& hostName)
{
    if (!isStoredDomain(userName, hostName) || !isValidApplicationID(applicationID))
        return;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    Domain& domain = loadDomain(s, applicationID);
    if (keysToSet) {
        for (const auto& [key, value] : keysToSet->entries())
            if (Ref<Object> copy = storable(value, key))
                domain.values->setObject(copy, key);
    }
    if (keysToRemove) {
        for (const auto& key : keysToRemove->strings())
            domain.values->removeObjectForKey(key);
    }
    writeDomain(domain, applicationID);
}

Ref<Object> CFPreferencesCopyAppValue(const std::string& key, const std::string& applicationID)
{
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return deepCopy(loadDomain(s, applicationID).values->objectForKey(key), Containers::Immutable);
}

void CFPreferencesSetAppValue(const std::string& key, Object* value, const std::string& applicationID)
{
    if (!isValidApplicationID(applicationID))
        return;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    Domain& domain = loadDomain(s, applicationID);
    if (!value) {
        domain.values->removeObjectForKey(key);
    } else {
        Ref<Object> copy = storable(value, key);
        if (!copy)
            return;
        domain.values->setObject(copy, key);
    }
    writeDomain(domain, applicationID);
}

bool CFPreferencesAppSynchronize(const std::string& applicationID)
{
    if (!isValidApplicationID(applicationID) || !domainFile(applicationID))
        return false;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    Domain& domain = s.domains[applicationID];
    if (domain.unwritten && domain.values)
        return writeDomain(domain, applicationID);
    // Everything was written when it was set; the next read looks at the file again.
    domain.loaded = false;
    return true;
}
