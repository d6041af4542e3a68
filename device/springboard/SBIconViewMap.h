#pragma once

// Finds the icon view of an icon. Runtime methods: mappedIconViewForIcon: (and +homescreenMap on
// systems before 9.3).

#include "device/springboard/SBIconView.h"

class SBIconViewMap : public objc::NSObject {
    OBJC_CLASS(SBIconViewMap)
public:
    // The icon view of `icon` on the home screen: in the dock, on a page or in the open folder.
    SBIconView* mappedIconViewForIcon(const SBIcon* icon) const;

    static void registerClass(objc::Runtime&, bool withHomescreenMap);

private:
    static objc::Ref<objc::Object> homescreenMap();
};
