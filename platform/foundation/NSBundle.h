#pragma once

#include "platform/corefoundation/NSDictionary.h"

#include <map>
#include <string>

// A bundle: a folder on the device with an Info.plist and resources, among them localized
// string tables ("<language>.lproj/<table>.strings", a property list or the classic
// "key" = "value"; text). The system's own UIKit bundle ("com.apple.UIKit") is built in: its
// "Localizable" table is kept in code.
class NSBundle : public objc::NSObject {
    OBJC_CLASS(NSBundle)
public:
    static objc::Ref<NSBundle> bundleWithPath(const std::string& devicePath);
    static objc::Ref<NSBundle> bundleWithIdentifier(const std::string& identifier);

    const std::string& bundlePath() const { return m_path; }
    std::string bundleIdentifier();
    NSDictionary* infoDictionary();
    // The NSPrincipalClass of Info.plist ("" when there is none).
    std::string principalClassName();
    // The device path of resource "name.type" in the bundle (or in its localized folders), or "".
    std::string pathForResource(const std::string& name, const std::string& type);
    std::string localizedStringForKey(const std::string& key, const std::string& value, const std::string& table);
    // Loads the bundle's code: the executable Info.plist names (CFBundleExecutable), a file
    // directly in the bundle folder, opened once per device. False (and a line in the system log)
    // when the bundle has no code, names a file outside its folder, or the file cannot be loaded.
    bool load();
    bool isLoaded() const { return m_loaded; }

private:
    const std::map<std::string, std::string>& stringTable(const std::string& table);
    std::vector<std::string> localizationFolders() const;

    std::string m_path;
    objc::Ref<NSDictionary> m_info;
    bool m_infoLoaded = false;
    std::map<std::string, std::map<std::string, std::string>> m_tables;
    bool m_builtIn = false;
    bool m_loaded = false;
};

namespace foundation {
void registerBundleClass(objc::Runtime&);
// Reads a strings table: a property-list dictionary of strings, or "key" = "value"; lines.
std::map<std::string, std::string> parseStringsTable(std::string_view text);
} // namespace foundation
