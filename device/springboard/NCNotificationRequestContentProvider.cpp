#include "device/springboard/NCNotificationRequestContentProvider.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

// The original: the app's small icon.
objc::Ref<UIImage> NCNotificationRequestContentProvider::icon() const
{
    SBIcon* icon = springboard::iconController()->model()->iconForIdentifier(_appBundleIdentifer);
    return springboard::appIconArt(icon, SBIcon::FormatSmall);
}

void NCNotificationRequestContentProvider::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<NCNotificationRequestContentProvider>(rt, "NSObject")
        // The platform's own spelling.
        .ivar("_appBundleIdentifer", &NCNotificationRequestContentProvider::_appBundleIdentifer)
        .method(sel::title, &NCNotificationRequestContentProvider::title)
        .method(sel::message, &NCNotificationRequestContentProvider::message)
        .method(sel::iconPicture, &NCNotificationRequestContentProvider::icon)
        .build();
}
