#include "tweak/IconViews.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/Guarded.h"
#include "platform/uikit/UIView.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/SystemVersion.h"

namespace ovrimo {

using objc::Ref;

Ref<UIView> HomeScreenIconViewForIcon(objc::Object* icon)
{
    Ref<objc::Object> map;
    if (SystemVersionNumber() >= 9.3)
        map = sb::homescreenIconViewMap.orZero(sb::sharedInstance.orZero(objc::objc_getClass("SBIconController")));
    else
        map = sb::homescreenMap.orZero(objc::objc_getClass("SBIconViewMap"));
    return sb::mappedIconViewForIcon.orZero(map, icon);
}

void RefreshIconImage(objc::Object* icon)
{
    if (!icon)
        return;
    if (objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon"))) {
        Ref<UIView> iconView = HomeScreenIconViewForIcon(icon);
        sb::updateImageAnimated.orZero(objc::ivarOrNull<objc::Object>(iconView, "_folderIconImageView"), true);
        return;
    }
    sb::reloadIconImage.orZero(icon);
    if (sb::badgeValue.orZero(icon) > 0)
        sb::noteBadgeDidChange.orZero(icon);
    else if (sb::badgeNumberOrString.orZero(icon))
        sb::noteBadgeDidChange.orZero(icon);
}

void ReloadAllIconImages()
{
    auto controller = sb::sharedInstance.orZero(objc::objc_getClass("SBIconController"));
    auto icons = sb::leafIcons.orZero(sb::model.orZero(controller));
    for (std::size_t i = 0; icons && i < icons->count(); ++i)
        RefreshIconImage(icons->objectAtIndex(i));
}

} // namespace ovrimo
