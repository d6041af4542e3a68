#include "device/springboard/SBDockIconListView.h"

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

CGRect SBDockIconListView::frameForIconAtIndex(int index) const
{
    return springboard::HomeScreenGeometry::forProfile(springboard::profile()).iconFrameInDock(index, static_cast<int>(m_icons.size()));
}

std::int64_t SBDockIconListView::maxVisibleIcons() { return springboard::profile().floatingDock ? 6 : 4; }
std::int64_t SBDockIconListView::iconColumnsForInterfaceOrientation(std::int64_t) { return maxVisibleIcons(); }
std::int64_t SBDockIconListView::iconRowsForInterfaceOrientation(std::int64_t) { return 1; }

void SBDockIconListView::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SBDockIconListView>(rt, "SBIconListView")
        .classMethod(sel::maxVisibleIcons, &SBDockIconListView::maxVisibleIcons)
        .classMethod(sel::iconColumnsForInterfaceOrientation, &SBDockIconListView::iconColumnsForInterfaceOrientation)
        .classMethod(sel::iconRowsForInterfaceOrientation, &SBDockIconListView::iconRowsForInterfaceOrientation)
        .build();
}
