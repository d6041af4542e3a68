#include "tweak/workflow/PageGrid.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIScreen.h"
#include "tweak/PrivateInterfaces.h"

#include <algorithm>

namespace ovrimo {

using objc::Ref;

namespace {

constexpr std::int64_t kPortrait = 1;
constexpr std::int64_t kHomePageColumns = 4;
constexpr std::int64_t kPhone = 0;
constexpr std::int64_t kPad = 1;

// A value rounded to single precision. Through a volatile: gcc 12 at -O2 folds the pair of
// conversions away when the double and the float are later used side by side.
double singlePrecision(double value)
{
    volatile float rounded = static_cast<float>(value);
    return rounded;
}

} // namespace

std::int64_t FallbackSlotCount(bool folderPage, std::optional<std::int64_t> idiom, double longerSide)
{
    bool phone = !idiom || *idiom == kPhone;
    bool pad = idiom && *idiom == kPad;
    if (folderPage)
        return pad ? 16 : 9;
    // Tried from the top; the first row that holds gives the count.
    if (pad)
        return 20;
    if (phone && longerSide == 568)
        return 20;
    if (phone && (longerSide == 736 || longerSide == 667))
        return 24;
    if (!phone)
        return 20;
    if (longerSide >= 568)
        return 20;
    return 16;
}

namespace {

std::int64_t fallbackSlots(bool folderPage)
{
    Ref<UIDevice> device = UIDevice::currentDevice();
    std::optional<std::int64_t> idiom;
    if (device)
        idiom = static_cast<std::int64_t>(device->userInterfaceIdiom());
    CGRect bounds = UIScreen::mainScreen()->bounds();
    return FallbackSlotCount(folderPage, idiom, std::max(bounds.size.width, bounds.size.height));
}

} // namespace

std::int64_t MaxVisibleIconCount(bool folderPage)
{
    const char* listClass = folderPage ? "SBFolderIconListView" : "SBIconListView";
    if (objc::Class* cls = objc::objc_getClass(listClass))
        return sb::maxVisibleIcons.orZero(cls);
    return fallbackSlots(folderPage);
}

std::int64_t PageIconColumns(bool folderPage)
{
    if (folderPage) {
        if (objc::Class* cls = objc::objc_getClass("SBFolderIconListView"))
            return sb::iconColumnsForInterfaceOrientation.orZero(cls, kPortrait);
        return kHomePageColumns;
    }
    // A home page is laid out in the list view's own columns (6 on a pad), not always 4: cut in 4
    // the pieces would go out in another order than the icons stand. A list view that does not say
    // keeps the phone's 4.
    if (objc::Class* cls = objc::objc_getClass("SBIconListView"))
        if (std::int64_t columns = sb::iconColumnsForInterfaceOrientation.ifAnswered(cls, kPortrait); columns > 0)
            return columns;
    return kHomePageColumns;
}

PageGrid CurrentPageGrid(bool folderPage)
{
    PageGrid grid;
    grid.slots = std::max<std::int64_t>(MaxVisibleIconCount(folderPage), 0);
    grid.columns = std::max<std::int64_t>(PageIconColumns(folderPage), 0);
    grid.rows = grid.columns == 0 ? 0 : grid.slots / grid.columns;
    return grid;
}

std::optional<CGRect> MultiIconCropFrame(CGRect bounds, const PageGrid& grid)
{
    if (grid.cells() <= 0)
        return std::nullopt;
    double W = bounds.size.width, H = bounds.size.height;
    // Single precision, as the frame always was: the figures a person sees do not drift.
    double width = singlePrecision(W / 1.5);
    double height = singlePrecision((W / static_cast<double>(grid.columns)) * static_cast<double>(grid.rows) / 1.5);
    double halfWidth = singlePrecision(width * 0.5);
    double halfHeight = singlePrecision(height * 0.5);
    return CGRectMake(W * 0.5 - halfWidth, H * 0.5 - halfHeight, width, height);
}

std::vector<Ref<UIImage>> SplitIntoPieces(UIImage* picture, std::int64_t rows, std::int64_t columns)
{
    std::vector<Ref<UIImage>> pieces;
    if (!picture || !picture->CGImage() || rows <= 0 || columns <= 0)
        return pieces;
    double W = picture->size().width, H = picture->size().height;
    double pieceWidth = W / static_cast<double>(columns), pieceHeight = H / static_cast<double>(rows);
    pieces.reserve(static_cast<std::size_t>(rows * columns));
    for (std::int64_t r = 0; r < rows; ++r) {
        for (std::int64_t k = 0; k < columns; ++k) {
            UIGraphicsBeginImageContextWithOptions(CGSizeMake(pieceWidth, pieceHeight), false, 1.0);
            CGContext* context = UIGraphicsGetCurrentContext();
            // The canvas is top-down; the bitmap draws bottom-up: flip, then move the wanted part
            // of the picture under the canvas.
            CGContextScaleCTM(context, 1, -1);
            CGContextTranslateCTM(context, 0, -pieceHeight);
            CGContextTranslateCTM(context, -(W * static_cast<double>(k)) / static_cast<double>(columns),
                -(H * static_cast<double>(rows - 1 - r)) / static_cast<double>(rows));
            CGContextDrawImage(context, CGRectMake(0, 0, W, H), picture->CGImage());
            Ref<UIImage> piece = UIGraphicsGetImageFromCurrentImageContext();
            UIGraphicsEndImageContext();
            // A piece that could not be drawn leaves no grid at all: a shorter list would shift
            // every later piece onto the wrong icon.
            if (!piece)
                return {};
            pieces.push_back(piece);
        }
    }
    return pieces;
}

} // namespace ovrimo
