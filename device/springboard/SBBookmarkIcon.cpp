#include "device/springboard/SBBookmarkIcon.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

namespace {
bool isABookmark(SBBookmarkIcon*) { return true; }
} // namespace

objc::Ref<UIImage> SBBookmarkIcon::drawIconAtSide(double side) { return springboard::drawWebClipIcon(defaultDisplayName(), side); }

void SBBookmarkIcon::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBBookmarkIcon>(rt, "SBIcon")
        .method(springboard::sel::webClip, &SBBookmarkIcon::webClip)
        .method(springboard::sel::isBookmarkIcon, &isABookmark)
        .build();
}
