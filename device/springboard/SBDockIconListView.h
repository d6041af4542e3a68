#pragma once

// The dock's row of icons (six on a floating dock, four otherwise).

#include "device/springboard/SBIconListView.h"

class SBDockIconListView : public SBIconListView {
    OBJC_CLASS(SBDockIconListView)
public:
    CGRect frameForIconAtIndex(int index) const override;
    static void registerClass(objc::Runtime&);

private:
    static std::int64_t maxVisibleIcons();
    static std::int64_t iconColumnsForInterfaceOrientation(std::int64_t orientation);
    static std::int64_t iconRowsForInterfaceOrientation(std::int64_t orientation);
};
