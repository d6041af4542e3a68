#include "device/springboard/SBApplicationIcon.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

objc::Ref<UIImage> SBApplicationIcon::drawIconAtSide(double side)
{
    return springboard::drawAppIcon(identifier(), defaultDisplayName(), side, springboard::deviceLocalTime());
}

void SBApplicationIcon::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBApplicationIcon>(rt, "SBIcon")
        .method(springboard::sel::application, &SBApplicationIcon::application)
        .method(springboard::sel::applicationBundleID, &SBApplicationIcon::identifier)
        .build();
}
