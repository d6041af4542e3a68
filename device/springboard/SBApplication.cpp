#include "device/springboard/SBApplication.h"

#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

void SBApplication::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBApplication>(rt, "NSObject")
        .method(springboard::sel::bundleIdentifier, &SBApplication::bundleIdentifier)
        .method(springboard::sel::displayName, &SBApplication::displayName)
        .build();
}
