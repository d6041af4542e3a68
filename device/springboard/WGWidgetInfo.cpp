#include "device/springboard/WGWidgetInfo.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

// The originals: the containing app's icon, small (header) and settings-sized.
objc::Ref<UIImage> WGWidgetInfo::icon() const
{
    return springboard::appIconArt(springboard::iconController()->model()->iconForIdentifier(m_app), SBIcon::FormatTiny);
}

objc::Ref<UIImage> WGWidgetInfo::settingsIcon() const
{
    return springboard::appIconArt(springboard::iconController()->model()->iconForIdentifier(m_app), SBIcon::FormatSmall);
}

void WGWidgetInfo::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<WGWidgetInfo>(rt, "NSObject")
        .method(sel::widgetIdentifier, &WGWidgetInfo::widgetIdentifier)
        .method(sel::displayName, &WGWidgetInfo::displayName)
        .method(sel::iconPicture, &WGWidgetInfo::icon)
        .method(sel::settingsIcon, &WGWidgetInfo::settingsIcon)
        .build();
}
