#include "device/springboard/HomeScreenGeometry.h"

#include <algorithm>

namespace springboard {

HomeScreenGeometry HomeScreenGeometry::forProfile(const device::DeviceProfile& profile)
{
    HomeScreenGeometry g;
    g.screen = profile.screenSize;
    double longSide = std::max(g.screen.width, g.screen.height);
    if (profile.idiom == device::Idiom::Pad) {
        g.iconSide = 76;
        g.columns = 6;
        g.rows = 5;
        g.statusBarHeight = 24;
        g.sideMargin = 60;
        g.topInset = 40;
        g.dockHeight = 128;
        g.labelHeight = 16;
        g.floatingDock = profile.floatingDock;
        return g;
    }
    g.rows = longSide < 600 ? 5 : 6;
    if (longSide >= 800) {
        // A phone without a home button: a taller status bar and the home indicator's strip.
        g.statusBarHeight = 44;
        g.bottomInset = 21;
        g.topInset = 20;
    }
    return g;
}

CGRect HomeScreenGeometry::listFrame() const
{
    double top = statusBarHeight;
    double bottom = pageControlFrame().origin.y;
    return CGRectMake(0, top, screen.width, bottom - top);
}

CGRect HomeScreenGeometry::iconFrameInList(int index) const
{
    int column = index % columns, row = index / columns;
    double pitchX = (screen.width - 2 * sideMargin) / columns;
    double pitchY = (listFrame().size.height - topInset) / rows;
    CGSize size = iconViewSize();
    return CGRectMake(sideMargin + pitchX * column + (pitchX - size.width) / 2, topInset + pitchY * row, size.width, size.height);
}

CGRect HomeScreenGeometry::dockFrame(int iconCount) const
{
    if (floatingDock) {
        int n = std::max(iconCount, 1);
        double padding = 16;
        double width = n * iconSide + (n - 1) * padding + 2 * padding;
        double height = iconSide + 2 * padding;
        return CGRectMake((screen.width - width) / 2, screen.height - height - 20, width, height);
    }
    return CGRectMake(0, screen.height - dockHeight - bottomInset, screen.width, dockHeight + bottomInset);
}

CGRect HomeScreenGeometry::iconFrameInDock(int index, int iconCount) const
{
    CGSize size = iconViewSize();
    if (floatingDock) {
        double padding = 16;
        return CGRectMake(padding + index * (iconSide + padding), padding, size.width, size.height);
    }
    int slots = std::max(iconCount, 4);
    double pitch = (screen.width - 2 * sideMargin) / slots;
    double offset = (slots - iconCount) * pitch / 2;
    return CGRectMake(sideMargin + offset + pitch * index + (pitch - size.width) / 2, (dockHeight - iconSide) / 2, size.width, size.height);
}

CGRect HomeScreenGeometry::pageControlFrame() const
{
    double dockTop = floatingDock ? dockFrame(4).origin.y - 8 : screen.height - dockHeight - bottomInset;
    return CGRectMake(0, dockTop - pageControlHeight, screen.width, pageControlHeight);
}

CGRect HomeScreenGeometry::folderPanelFrame() const
{
    double side = std::min(screen.width * 0.8, 3 * (iconSide + 40.0) + 40);
    return CGRectMake((screen.width - side) / 2, (screen.height - side) / 2, side, side);
}

CGRect HomeScreenGeometry::iconFrameInFolder(int index) const
{
    CGRect panel = folderPanelFrame();
    double inset = 14;
    double pitch = (panel.size.width - 2 * inset) / 3;
    CGSize size = iconViewSize();
    int column = index % 3, row = (index / 3) % 3;
    return CGRectMake(inset + pitch * column + (pitch - size.width) / 2, inset + pitch * row + (pitch - size.height) / 2, size.width, size.height);
}

} // namespace springboard
