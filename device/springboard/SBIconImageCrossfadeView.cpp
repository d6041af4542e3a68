#include "device/springboard/SBIconImageCrossfadeView.h"

#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include <algorithm>

// Rounds the crossfade like the icon it grows out of.
void SBIconImageCrossfadeView::updateCornerMask()
{
    CGSize size = bounds().size;
    layer()->setCornerRadius(std::min(size.width, size.height) * 0.225);
    setClipsToBounds(true);
}

void SBIconImageCrossfadeView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBIconImageCrossfadeView>(rt, "UIView").method(springboard::sel::_updateCornerMask, &SBIconImageCrossfadeView::updateCornerMask).build();
}
