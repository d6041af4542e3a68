#pragma once

// A page of an open folder: 9 icons in 3 columns.

#include "device/springboard/SBIconListView.h"

class SBFolderIconListView : public SBIconListView {
    OBJC_CLASS(SBFolderIconListView)
public:
    CGRect frameForIconAtIndex(int index) const override;
    static void registerClass(objc::Runtime&);

private:
    static std::int64_t maxVisibleIcons();
    static std::int64_t iconColumnsForInterfaceOrientation(std::int64_t orientation);
    static std::int64_t iconRowsForInterfaceOrientation(std::int64_t orientation);
};
