#pragma once

// The icon model: every application and web clip with its icon, and where each icon sits (the
// dock, the pages, folders). Built from the layout file at boot.
//
// Runtime methods: leafIcons (every icon, folder icons and the icons inside folders included),
// applicationIconForBundleIdentifier:, expectedIconForDisplayIdentifier:, applications.

#include "device/springboard/IconLayout.h"
#include "device/springboard/SBApplicationIcon.h"
#include "device/springboard/SBBookmarkIcon.h"
#include "device/springboard/SBFolderIcon.h"

#include <map>
#include <string>
#include <vector>

class NSArray;

class SBIconModel : public objc::NSObject {
    OBJC_CLASS(SBIconModel)
public:
    using Page = std::vector<objc::Ref<SBIcon>>;

    // Builds the model for `layout`: unknown identifiers, duplicates and nested folders are
    // skipped (with a message), pages that hold more than `iconsPerPage` (folders: 9) flow onto
    // the next one, and installed apps the layout does not place are added after the last page,
    // as a phone does with newly installed apps.
    void build(const device::DeviceProfile& profile, const springboard::IconLayout& layout, size_t iconsPerPage);

    const Page& dock() const { return m_dock; }
    const std::vector<Page>& pages() const { return m_pages; }
    std::vector<objc::Ref<SBIcon>> leafIcons() const;
    SBApplicationIcon* applicationIcon(const std::string& bundleIdentifier) const;
    // The icon for a bundle or web clip identifier, wherever it sits.
    SBIcon* iconForIdentifier(const std::string& identifier) const;
    // The folder icon that holds `icon`, or null.
    SBFolderIcon* folderIconContaining(const SBIcon* icon) const;
    const std::vector<objc::Ref<SBApplication>>& applications() const { return m_applications; }

    static void registerClass(objc::Runtime&);

private:
    // The runtime's views of leafIcons and applications.
    objc::Ref<NSArray> leafIconsArray() const;
    objc::Ref<NSArray> applicationsArray() const;
    objc::Ref<SBIcon> iconFor(const std::string& identifier, const std::string& where);

    std::vector<objc::Ref<SBApplication>> m_applications;
    std::map<std::string, objc::Ref<SBApplicationIcon>> m_appIcons;
    std::map<std::string, objc::Ref<SBBookmarkIcon>> m_bookmarkIcons;
    std::vector<std::string> m_placed;
    Page m_dock;
    std::vector<Page> m_pages;
    std::vector<objc::Ref<SBFolderIcon>> m_folderIcons;
};

namespace springboard {
// Reads the layout file into a new icon model (the default layout, with a message, when the file
// is missing or damaged).
objc::Ref<SBIconModel> loadIconModel();
} // namespace springboard
