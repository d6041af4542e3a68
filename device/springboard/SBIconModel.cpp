#include "device/springboard/SBIconModel.h"

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/ClassBuilder.h"

#include <algorithm>

using objc::Ref;

namespace {

constexpr size_t kFolderIconsPerPage = 9;

// Splits `icons` into pages of at most `perPage`.
std::vector<SBIconModel::Page> paginate(const SBIconModel::Page& icons, size_t perPage)
{
    std::vector<SBIconModel::Page> pages;
    for (size_t i = 0; i < icons.size(); i += perPage)
        pages.emplace_back(icons.begin() + i, icons.begin() + std::min(icons.size(), i + perPage));
    return pages;
}

} // namespace

Ref<SBIcon> SBIconModel::iconFor(const std::string& identifier, const std::string& where)
{
    if (std::find(m_placed.begin(), m_placed.end(), identifier) != m_placed.end()) {
        springboard::log("IconState.plist: \"" + identifier + "\" appears twice; skipped it in " + where);
        return nullptr;
    }
    Ref<SBIcon> icon;
    if (auto it = m_appIcons.find(identifier); it != m_appIcons.end()) {
        icon = it->second;
    } else if (auto bm = m_bookmarkIcons.find(identifier); bm != m_bookmarkIcons.end()) {
        icon = bm->second;
    } else {
        std::string problem;
        auto clip = springboard::readWebClip(identifier, &problem);
        if (!clip) {
            springboard::log("IconState.plist: skipped \"" + identifier + "\" in " + where + ": " + problem);
            return nullptr;
        }
        auto bookmark = objc::make<SBBookmarkIcon>(objc::make<UIWebClip>(clip->identifier, clip->title, clip->url).ptr());
        m_bookmarkIcons[identifier] = bookmark;
        springboard::state().webClipIdentifiers.push_back(identifier);
        icon = bookmark;
    }
    m_placed.push_back(identifier);
    return icon;
}

void SBIconModel::build(const device::DeviceProfile& profile, const springboard::IconLayout& layout, size_t iconsPerPage)
{
    m_applications.clear();
    m_appIcons.clear();
    m_bookmarkIcons.clear();
    m_placed.clear();
    m_dock.clear();
    m_pages.clear();
    m_folderIcons.clear();
    iconsPerPage = std::max<size_t>(iconsPerPage, 1);

    for (auto& app : profile.apps) {
        auto application = objc::make<SBApplication>(app.bundleIdentifier, app.displayName);
        m_applications.push_back(application);
        m_appIcons[app.bundleIdentifier] = objc::make<SBApplicationIcon>(application.ptr());
    }

    size_t dockLimit = profile.floatingDock ? 6 : 4;
    std::vector<std::string> overflow;
    for (auto& id : layout.dock) {
        if (m_dock.size() >= dockLimit) {
            springboard::log("IconState.plist: the dock holds " + std::to_string(dockLimit) + " icons; \"" + id + "\" goes onto the pages");
            overflow.push_back(id);
            continue;
        }
        if (auto icon = iconFor(id, "the dock"))
            m_dock.push_back(icon);
    }

    Page flowing;
    int pageNumber = 0;
    for (auto& page : layout.pages) {
        ++pageNumber;
        std::string where = "page " + std::to_string(pageNumber);
        Page icons = std::move(flowing);
        flowing.clear();
        for (auto& item : page) {
            if (!item.folder) {
                if (auto icon = iconFor(item.identifier, where))
                    icons.push_back(icon);
                continue;
            }
            auto folder = objc::make<SBFolder>();
            folder->setDisplayName(item.folder->displayName);
            // Keep the file's folder pages, letting a page that is too full flow onto the next.
            for (auto& list : item.folder->pages) {
                Page folderPage;
                for (auto& id : list)
                    if (auto icon = iconFor(id, "folder " + item.folder->displayName))
                        folderPage.push_back(icon);
                for (auto& p : paginate(folderPage, kFolderIconsPerPage))
                    folder->lists().push_back(p);
            }
            if (folder->lists().empty()) {
                springboard::log("IconState.plist: folder \"" + item.folder->displayName + "\" has no icons; left it out");
                continue;
            }
            auto folderIcon = objc::make<SBFolderIcon>(folder.ptr());
            m_folderIcons.push_back(folderIcon);
            icons.push_back(folderIcon);
        }
        if (icons.size() > iconsPerPage) {
            springboard::log("IconState.plist: " + where + " holds more than " + std::to_string(iconsPerPage) + " icons; the rest move to the next page");
            flowing.assign(icons.begin() + iconsPerPage, icons.end());
            icons.resize(iconsPerPage);
        }
        if (!icons.empty())
            m_pages.push_back(std::move(icons));
    }

    // What is left: the dock's overflow, a last page's overflow, then installed apps nobody placed.
    Page rest = std::move(flowing);
    for (auto& id : overflow)
        if (auto icon = iconFor(id, "the pages"))
            rest.push_back(icon);
    for (auto& app : profile.apps)
        if (std::find(m_placed.begin(), m_placed.end(), app.bundleIdentifier) == m_placed.end()) {
            m_placed.push_back(app.bundleIdentifier);
            rest.push_back(m_appIcons[app.bundleIdentifier]);
        }
    if (!rest.empty()) {
        if (!m_pages.empty() && m_pages.back().size() < iconsPerPage) {
            Page& last = m_pages.back();
            size_t room = iconsPerPage - last.size();
            size_t take = std::min(room, rest.size());
            last.insert(last.end(), rest.begin(), rest.begin() + take);
            rest.erase(rest.begin(), rest.begin() + take);
        }
        for (auto& p : paginate(rest, iconsPerPage))
            m_pages.push_back(p);
    }
    if (m_pages.empty())
        m_pages.emplace_back();
}

std::vector<Ref<SBIcon>> SBIconModel::leafIcons() const
{
    std::vector<Ref<SBIcon>> all(m_dock.begin(), m_dock.end());
    for (auto& page : m_pages)
        for (auto& icon : page) {
            all.push_back(icon);
            if (auto* folderIcon = dynamic_cast<SBFolderIcon*>(icon.ptr()))
                for (auto& inner : folderIcon->folder()->icons())
                    all.push_back(inner);
        }
    return all;
}

SBApplicationIcon* SBIconModel::applicationIcon(const std::string& bundleIdentifier) const
{
    auto it = m_appIcons.find(bundleIdentifier);
    return it == m_appIcons.end() ? nullptr : it->second.ptr();
}

SBIcon* SBIconModel::iconForIdentifier(const std::string& identifier) const
{
    if (auto* app = applicationIcon(identifier))
        return app;
    auto it = m_bookmarkIcons.find(identifier);
    return it == m_bookmarkIcons.end() ? nullptr : it->second.ptr();
}

SBFolderIcon* SBIconModel::folderIconContaining(const SBIcon* icon) const
{
    for (auto& folderIcon : m_folderIcons)
        for (auto& inner : folderIcon->folder()->icons())
            if (inner.ptr() == icon)
                return folderIcon.ptr();
    return nullptr;
}

Ref<NSArray> SBIconModel::leafIconsArray() const
{
    std::vector<Ref<objc::Object>> items;
    for (auto& icon : leafIcons())
        items.emplace_back(icon.ptr());
    return NSArray::make(std::move(items));
}

Ref<NSArray> SBIconModel::applicationsArray() const
{
    std::vector<Ref<objc::Object>> items(m_applications.begin(), m_applications.end());
    return NSArray::make(std::move(items));
}

void SBIconModel::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SBIconModel>(rt, "NSObject")
        .method(sel::leafIcons, &SBIconModel::leafIconsArray)
        .method(sel::applicationIconForBundleIdentifier, &SBIconModel::applicationIcon)
        .method(sel::expectedIconForDisplayIdentifier, &SBIconModel::iconForIdentifier)
        .method(sel::applications, &SBIconModel::applicationsArray)
        .build();
}

namespace springboard {

objc::Ref<SBIconModel> loadIconModel()
{
    const auto& p = profile();
    std::string problem;
    std::vector<std::string> warnings;
    auto layout = readLayout(kIconStatePath, &problem, &warnings);
    for (auto& w : warnings)
        log(w);
    if (!layout) {
        log(problem + "; using the default layout");
        layout = defaultLayout(p);
    }
    auto model = objc::make<SBIconModel>();
    model->build(p, *layout, static_cast<size_t>(HomeScreenGeometry::forProfile(p).iconsPerPage()));
    return model;
}

} // namespace springboard
