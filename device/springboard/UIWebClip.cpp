#include "device/springboard/UIWebClip.h"

#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

void UIWebClip::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIWebClip>(rt, "NSObject")
        .method(springboard::sel::identifier, &UIWebClip::identifier)
        .method(springboard::sel::title, &UIWebClip::title)
        .method(springboard::sel::pageURL, &UIWebClip::url)
        .build();
}
