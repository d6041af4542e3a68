#pragma once

// The crossfade between an icon and the app it opens. Runtime method: _updateCornerMask.

#include "platform/uikit/UIView.h"

class SBIconImageCrossfadeView : public UIView {
    OBJC_CLASS(SBIconImageCrossfadeView)
public:
    static void registerClass(objc::Runtime&);

private:
    void updateCornerMask();
};
