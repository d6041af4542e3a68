#include "device/springboard/SBIcon.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SBApplication.h"
#include "device/springboard/UIWebClip.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/runtime/ClassBuilder.h"

using objc::Ref;
namespace sel = springboard::sel;

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

Ref<UIImage> SBIcon::getIconImage(long long format) { return drawIconAtSide(springboard::iconImageSide(static_cast<int>(format))); }

Ref<UIImage> SBIcon::gridCellImage() { return drawIconAtSide(springboard::gridCellSide()); }

void SBIcon::reloadIconImage()
{
    for (auto& observer : observers())
        if (sel::iconImageDidUpdate.isAnsweredBy(observer))
            sel::iconImageDidUpdate(observer, this);
}

std::int64_t SBIcon::badgeValue() const
{
    if (auto* number = dynamic_cast<NSNumber*>(badge()))
        return number->integerValue();
    if (auto* string = dynamic_cast<NSString*>(badge()))
        return string->integerValue();
    return 0;
}

void SBIcon::setBadgeAndNotify(objc::Object* badge)
{
    setBadge(badge);
    sel::noteBadgeDidChange(this);
}

void SBIcon::noteBadgeDidChange()
{
    for (auto& observer : observers())
        if (sel::iconAccessoriesDidUpdate.isAnsweredBy(observer))
            sel::iconAccessoriesDidUpdate(observer, this);
}

namespace {

// What an icon that stands for no application, web clip or folder answers.
Ref<SBApplication> noApplication(SBIcon*) { return nullptr; }
std::string noBundleIdentifier(SBIcon*) { return {}; }
bool answerNo(SBIcon*) { return false; }
std::string displayNameOf(SBIcon* icon) { return icon->defaultDisplayName(); }
std::string leafIdentifierOf(SBIcon* icon) { return icon->identifier(); }
Ref<objc::Object> badgeOf(SBIcon* icon) { return Ref<objc::Object>(icon->badge()); }

} // namespace

void SBIcon::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBIcon>(rt, "NSObject")
        .method(sel::getIconImage, &SBIcon::getIconImage)
        .method(sel::gridCellImage, &SBIcon::gridCellImage)
        .method(sel::reloadIconImage, &SBIcon::reloadIconImage)
        .method(sel::badgeNumberOrString, &badgeOf)
        .method(sel::badgeValue, &SBIcon::badgeValue)
        .method(sel::setBadge, &SBIcon::setBadgeAndNotify)
        .method(sel::noteBadgeDidChange, &SBIcon::noteBadgeDidChange)
        .method(sel::displayName, &displayNameOf)
        .method(sel::application, &noApplication)
        .method(sel::applicationBundleID, &noBundleIdentifier)
        .method(sel::leafIdentifier, &leafIdentifierOf)
        .method(sel::isFolderIcon, &answerNo)
        .method(sel::isBookmarkIcon, &answerNo)
        .method(sel::addObserver, &SBIcon::addObserver)
        .method(sel::removeObserver, &SBIcon::removeObserver)
        .build();
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

Ref<UIImage> iconImage(objc::Object* icon, int format) { return sel::getIconImage(icon, format); }

Ref<UIImage> appIconArt(objc::Object* icon, int format)
{
    auto* sbIcon = dynamic_cast<SBIcon*>(icon);
    return sbIcon ? sbIcon->drawIconAtSide(iconImageSide(format)) : nullptr;
}

std::string iconDisplayName(objc::Object* icon) { return sel::displayName(icon); }

std::string iconIdentifier(objc::Object* icon)
{
    if (!icon)
        return {};
    if (objc::isKindOfClass(icon, "SBBookmarkIcon"))
        return sel::identifier(sel::webClip(icon));
    return sel::applicationBundleID(icon);
}

} // namespace springboard
