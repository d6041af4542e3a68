#include "device/springboard/BBBulletin.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

// The original: the section's app icon, small.
objc::Ref<UIImage> BBBulletin::sectionIconImageWithFormat(std::int64_t format) const
{
    SBIcon* icon = springboard::iconController()->model()->iconForIdentifier(m_section);
    return springboard::appIconArt(icon, format == 0 ? SBIcon::FormatTiny : SBIcon::FormatSmall);
}

void BBBulletin::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<BBBulletin>(rt, "NSObject")
        .method(sel::sectionID, &BBBulletin::sectionID)
        .method(sel::title, &BBBulletin::title)
        .method(sel::message, &BBBulletin::message)
        .method(sel::sectionIconImageWithFormat, &BBBulletin::sectionIconImageWithFormat)
        .build();
}
