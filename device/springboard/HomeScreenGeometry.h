#pragma once

// Where things sit on the home screen of a profile, in screen points (portrait).

#include "device/profiles/DeviceProfile.h"

namespace springboard {

struct HomeScreenGeometry {
    CGSize screen;
    double iconSide = 60;
    double labelGap = 4;
    double labelHeight = 15;
    int columns = 4;
    int rows = 6;
    double statusBarHeight = 20;
    double pageControlHeight = 28;
    double dockHeight = 96;
    double bottomInset = 0; // the home indicator's strip on phones without a home button
    bool floatingDock = false;
    double sideMargin = 13;
    double topInset = 14;

    static HomeScreenGeometry forProfile(const device::DeviceProfile& profile);

    int iconsPerPage() const { return columns * rows; }
    // An icon view: the image with the label below it.
    CGSize iconViewSize() const { return { iconSide, iconSide + labelGap + labelHeight }; }
    // The page of icons (an SBIconListView), in screen coordinates.
    CGRect listFrame() const;
    // An icon view's frame inside the page for the icon at `index` (row-major).
    CGRect iconFrameInList(int index) const;
    // The dock (or the floating dock's platter) in screen coordinates.
    CGRect dockFrame(int iconCount) const;
    // An icon's frame inside the dock.
    CGRect iconFrameInDock(int index, int iconCount) const;
    CGRect pageControlFrame() const;
    // The open folder's panel and an icon's frame inside it (3 × 3 icons).
    CGRect folderPanelFrame() const;
    CGRect iconFrameInFolder(int index) const;
};

} // namespace springboard
