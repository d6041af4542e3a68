#include "device/springboard/SBIcon.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoard.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"

using objc::msgSend;
using objc::Ref;
using objc::SEL;

std::vector<Ref<SBIcon>> SBFolder::icons() const
{
    std::vector<Ref<SBIcon>> all;
    for (const Page& page : m_lists)
        all.insert(all.end(), page.begin(), page.end());
    return all;
}

void SBIcon::addObserver(objc::Object* observer)
{
    std::erase_if(m_observers, [](const objc::WeakRef<objc::Object>& w) { return !w; });
    for (auto& w : m_observers)
        if (w.ptr() == observer)
            return;
    m_observers.emplace_back(observer);
}

void SBIcon::removeObserver(objc::Object* observer)
{
    std::erase_if(m_observers, [observer](const objc::WeakRef<objc::Object>& w) { return !w || w.ptr() == observer; });
}

std::vector<Ref<objc::Object>> SBIcon::observers() const
{
    std::vector<Ref<objc::Object>> live;
    for (auto& w : m_observers)
        if (w)
            live.emplace_back(w.ptr());
    return live;
}

Ref<UIImage> SBIcon::drawIconAtSide(double side)
{
    return springboard::drawAppIcon(identifier(), defaultDisplayName(), side, springboard::deviceLocalTime());
}

Ref<UIImage> SBApplicationIcon::drawIconAtSide(double side)
{
    return springboard::drawAppIcon(identifier(), defaultDisplayName(), side, springboard::deviceLocalTime());
}

Ref<UIImage> SBBookmarkIcon::drawIconAtSide(double side)
{
    return springboard::drawWebClipIcon(defaultDisplayName(), side);
}

Ref<UIImage> SBFolderIcon::drawIconAtSide(double side)
{
    // The plate with the first page's grid cells, each asked of its icon.
    std::vector<Ref<UIImage>> cells;
    if (m_folder && !m_folder->lists().empty())
        for (const Ref<SBIcon>& icon : m_folder->lists().front())
            cells.push_back(msgSend<Ref<UIImage>>(icon, "gridCellImage"));
    return springboard::drawFolderIcon(cells, side);
}

void SBApplication::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBApplication>("NSObject");
    c->addMethod("bundleIdentifier", [](SBApplication* self, SEL) { return self->bundleIdentifier(); });
    c->addMethod("displayName", [](SBApplication* self, SEL) { return self->displayName(); });
}

void UIWebClip::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIWebClip>("NSObject");
    c->addMethod("identifier", [](UIWebClip* self, SEL) { return self->identifier(); });
    c->addMethod("title", [](UIWebClip* self, SEL) { return self->title(); });
    c->addMethod("pageURL", [](UIWebClip* self, SEL) { return self->url(); });
}

void SBFolder::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBFolder>("NSObject");
    c->addMethod("displayName", [](SBFolder* self, SEL) { return self->displayName(); });
    c->addMethod("setDisplayName:", [](SBFolder* self, SEL, std::string name) { self->setDisplayName(std::move(name)); });
    c->addMethod("icons", [](SBFolder* self, SEL) {
        std::vector<Ref<objc::Object>> items;
        for (auto& icon : self->icons())
            items.emplace_back(icon.ptr());
        return NSArray::make(std::move(items));
    });
    c->addMethod("lists", [](SBFolder* self, SEL) {
        std::vector<Ref<objc::Object>> pages;
        for (auto& page : self->lists()) {
            std::vector<Ref<objc::Object>> items(page.begin(), page.end());
            pages.emplace_back(NSArray::make(std::move(items)).ptr());
        }
        return NSArray::make(std::move(pages));
    });
}

void SBIcon::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBIcon>("NSObject");
    c->addMethod("getIconImage:", [](SBIcon* self, SEL, int format) { return self->drawIconAtSide(springboard::iconImageSide(format)); });
    c->addMethod("gridCellImage", [](SBIcon* self, SEL) { return self->drawIconAtSide(springboard::gridCellSide()); });
    c->addMethod("reloadIconImage", [](SBIcon* self, SEL) {
        for (auto& observer : self->observers())
            if (objc::respondsToSelector(observer, "iconImageDidUpdate:"))
                msgSend(observer, "iconImageDidUpdate:", self);
    });
    c->addMethod("badgeNumberOrString", [](SBIcon* self, SEL) { return Ref<objc::Object>(self->badge()); });
    c->addMethod("badgeValue", [](SBIcon* self, SEL) -> int64_t {
        if (auto* number = dynamic_cast<NSNumber*>(self->badge()))
            return number->integerValue();
        if (auto* string = dynamic_cast<NSString*>(self->badge()))
            return string->integerValue();
        return 0;
    });
    c->addMethod("setBadge:", [](SBIcon* self, SEL, objc::Object* badge) {
        self->setBadge(badge);
        msgSend(self, "noteBadgeDidChange");
    });
    c->addMethod("noteBadgeDidChange", [](SBIcon* self, SEL) {
        for (auto& observer : self->observers())
            if (objc::respondsToSelector(observer, "iconAccessoriesDidUpdate:"))
                msgSend(observer, "iconAccessoriesDidUpdate:", self);
    });
    c->addMethod("displayName", [](SBIcon* self, SEL) { return self->defaultDisplayName(); });
    c->addMethod("application", [](SBIcon*, SEL) { return Ref<SBApplication>(); });
    c->addMethod("applicationBundleID", [](SBIcon*, SEL) { return std::string(); });
    c->addMethod("leafIdentifier", [](SBIcon* self, SEL) { return self->identifier(); });
    c->addMethod("isFolderIcon", [](SBIcon*, SEL) { return false; });
    c->addMethod("isBookmarkIcon", [](SBIcon*, SEL) { return false; });
    c->addMethod("addObserver:", [](SBIcon* self, SEL, objc::Object* o) { self->addObserver(o); });
    c->addMethod("removeObserver:", [](SBIcon* self, SEL, objc::Object* o) { self->removeObserver(o); });
}

void SBApplicationIcon::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBApplicationIcon>("SBIcon");
    c->addMethod("application", [](SBApplicationIcon* self, SEL) { return Ref<SBApplication>(self->application()); });
    c->addMethod("applicationBundleID", [](SBApplicationIcon* self, SEL) { return self->identifier(); });
}

void SBBookmarkIcon::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBBookmarkIcon>("SBIcon");
    c->addMethod("webClip", [](SBBookmarkIcon* self, SEL) { return Ref<UIWebClip>(self->webClip()); });
    c->addMethod("isBookmarkIcon", [](SBBookmarkIcon*, SEL) { return true; });
}

void SBFolderIcon::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBFolderIcon>("SBIcon");
    c->addMethod("folder", [](SBFolderIcon* self, SEL) { return Ref<SBFolder>(self->folder()); });
    c->addMethod("isFolderIcon", [](SBFolderIcon*, SEL) { return true; });
}

namespace springboard {

double iconImageSide(int format)
{
    switch (format) {
    case SBIcon::FormatTiny:
        return 20;
    case SBIcon::FormatSmall:
        return 29;
    default:
        return profile().idiom == device::Idiom::Pad ? 76 : 60;
    }
}

double gridCellSide() { return iconImageSide(SBIcon::FormatHome) * 13.0 / 60.0; }

Ref<UIImage> iconImage(objc::Object* icon, int format) { return msgSend<Ref<UIImage>>(icon, "getIconImage:", format); }

Ref<UIImage> appIconArt(objc::Object* icon, int format)
{
    auto* sbIcon = dynamic_cast<SBIcon*>(icon);
    return sbIcon ? sbIcon->drawIconAtSide(iconImageSide(format)) : nullptr;
}

std::string iconDisplayName(objc::Object* icon) { return msgSend<std::string>(icon, "displayName"); }

std::string iconIdentifier(objc::Object* icon)
{
    if (!icon)
        return {};
    if (objc::isKindOfClass(icon, "SBBookmarkIcon"))
        return msgSend<std::string>(msgSend<Ref<objc::Object>>(icon, "webClip"), "identifier");
    return msgSend<std::string>(icon, "applicationBundleID");
}

} // namespace springboard
