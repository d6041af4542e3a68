#include "device/springboard/SBIconViewMap.h"

#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIWindow.h"

SBIconView* SBIconViewMap::mappedIconViewForIcon(const SBIcon* icon) const
{
    // Prefer a view that is on screen; a folder's icons only have views while it is open.
    SBIconView* fallback = nullptr;
    for (auto& view : springboard::liveIconViews()) {
        if (view->icon() != icon)
            continue;
        if (view->window())
            return view.ptr();
        if (!fallback && view->superview())
            fallback = view.ptr();
    }
    return fallback;
}

objc::Ref<objc::Object> SBIconViewMap::homescreenMap() { return objc::Ref<objc::Object>(springboard::state().viewMap); }

void SBIconViewMap::registerClass(objc::Runtime& rt, bool withHomescreenMap)
{
    objc::ClassBuilder<SBIconViewMap> builder(rt, "NSObject");
    builder.method(springboard::sel::mappedIconViewForIcon, &SBIconViewMap::mappedIconViewForIcon);
    if (withHomescreenMap)
        builder.classMethod(springboard::sel::homescreenMap, &SBIconViewMap::homescreenMap);
    builder.build();
}
