#include "device/springboard/SBFolderIconListView.h"

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

CGRect SBFolderIconListView::frameForIconAtIndex(int index) const
{
    return springboard::HomeScreenGeometry::forProfile(springboard::profile()).iconFrameInFolder(index);
}

std::int64_t SBFolderIconListView::maxVisibleIcons() { return 9; }
std::int64_t SBFolderIconListView::iconColumnsForInterfaceOrientation(std::int64_t) { return 3; }
std::int64_t SBFolderIconListView::iconRowsForInterfaceOrientation(std::int64_t) { return 3; }

void SBFolderIconListView::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SBFolderIconListView>(rt, "SBIconListView")
        .classMethod(sel::maxVisibleIcons, &SBFolderIconListView::maxVisibleIcons)
        .classMethod(sel::iconColumnsForInterfaceOrientation, &SBFolderIconListView::iconColumnsForInterfaceOrientation)
        .classMethod(sel::iconRowsForInterfaceOrientation, &SBFolderIconListView::iconRowsForInterfaceOrientation)
        .build();
}
