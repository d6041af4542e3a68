#include "device/springboard/SearchUIAppIconImage.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

// The original: the app's icon in the format asked for.
objc::Ref<UIImage> SearchUIAppIconImage::generateImageWithFormat(std::int64_t format) const
{
    return springboard::appIconArt(springboard::iconController()->model()->iconForIdentifier(m_bundleIdentifier), static_cast<int>(format));
}

void SearchUIAppIconImage::registerClass(objc::Runtime& rt, bool withBundleID)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SearchUIAppIconImage> builder(rt, "NSObject");
    builder.method(sel::bundleIdentifier, &SearchUIAppIconImage::bundleIdentifier);
    if (withBundleID)
        builder.method(sel::bundleID, &SearchUIAppIconImage::bundleIdentifier);
    builder.method(sel::generateImageWithFormat, &SearchUIAppIconImage::generateImageWithFormat).build();
}
