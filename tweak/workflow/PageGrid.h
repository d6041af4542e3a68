#pragma once

// The icon grid of the page being edited in multi mode, and the cutting of one picture into a
// piece per grid cell.
//
// slots   = the places for icons on one page (SpringBoard's list view says, or a table by device);
// columns = the list view's count (a home page's list view may not say: then 4);
// rows    = slots / columns, truncated (0 when columns is 0).
// When slots is not a multiple of columns the grid has fewer cells (rows x columns) than slots.

#include "platform/graphics/UIImage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace ovrimo {

struct PageGrid {
    std::int64_t slots = 0;
    std::int64_t columns = 0;
    std::int64_t rows = 0;
    std::int64_t cells() const { return rows * columns; }
};

// The slot count when SpringBoard's list-view class is missing. `idiom` is the device's answer to
// userInterfaceIdiom (nothing when it does not answer: a phone); `longerSide` is the longer side
// of the main screen's bounds in points.
std::int64_t FallbackSlotCount(bool folderPage, std::optional<std::int64_t> idiom, double longerSide);

// For a home-screen page, or an open folder's page when `folderPage`.
std::int64_t MaxVisibleIconCount(bool folderPage);
std::int64_t PageIconColumns(bool folderPage);
PageGrid CurrentPageGrid(bool folderPage);

// The multi-mode crop frame on a screen of `bounds`: centred, two thirds of the width wide, with
// the grid's aspect so that every cell is square. Nothing for a grid without cells.
std::optional<CGRect> MultiIconCropFrame(CGRect bounds, const PageGrid& grid);

// The picture cut into rows x columns pieces, row by row from the top and left to right within a
// row; piece (r, k) is the part with x in [W k / columns, W (k+1) / columns) and y (downwards) in
// [H r / rows, H (r+1) / rows), upright, of (W / columns) x (H / rows) points at scale 1. The
// bitmap is drawn as stored (its orientation flag is not applied) and stretched over the
// picture's size in points. Empty with rows or columns 0 or without a bitmap.
std::vector<objc::Ref<UIImage>> SplitIntoPieces(UIImage* picture, std::int64_t rows, std::int64_t columns);

} // namespace ovrimo
