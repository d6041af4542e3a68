#include "tweak/cropper/CropGeometry.h"

namespace ovrimo::cropper {

namespace {
bool emptySize(CGSize s) { return !(s.width > 0) || !(s.height > 0); }
}

CGRect fitImageToCrop(CGSize imageSize, CGRect crop)
{
    if (emptySize(imageSize) || emptySize(crop.size))
        return CGRectMake(0, 0, 0, 0);
    CGFloat w, h;
    if (imageSize.height < imageSize.width) {
        h = crop.size.height;
        w = imageSize.width * crop.size.height / imageSize.height;
    } else {
        w = crop.size.width;
        h = imageSize.height * crop.size.width / imageSize.width;
    }
    return CGRectMake(crop.origin.x + (crop.size.width - w) / 2, crop.origin.y + (crop.size.height - h) / 2, w, h);
}

CGRect clampScale(CGRect rect, CGRect smallest, CGRect largest)
{
    CGFloat cx = rect.origin.x + rect.size.width / 2;
    CGFloat cy = rect.origin.y + rect.size.height / 2;
    CGSize size = rect.size;
    if (size.width < smallest.size.width)
        size = smallest.size;
    if (size.width > largest.size.width)
        size = largest.size;
    return CGRectMake(cx - size.width / 2, cy - size.height / 2, size.width, size.height);
}

CGRect clampBorder(CGRect rect, CGRect crop, bool wideView)
{
    CGRect r = rect;
    CGFloat cropMaxX = crop.origin.x + crop.size.width;
    CGFloat cropMaxY = crop.origin.y + crop.size.height;
    if (r.origin.x > crop.origin.x)
        r.origin.x = crop.origin.x;
    if (r.origin.x + r.size.width < cropMaxX)
        r.origin.x = cropMaxX - r.size.width;
    if (r.origin.y > crop.origin.y)
        r.origin.y = crop.origin.y;
    if (r.origin.y + r.size.height < cropMaxY)
        r.origin.y = cropMaxY - r.size.height;
    if (wideView && r.size.height <= crop.size.height)
        r.origin.y = crop.origin.y + (crop.size.height - r.size.height) / 2;
    return r;
}

CGRect subImageRect(CGRect latest, CGRect crop, CGSize imageSize)
{
    if (emptySize(imageSize) || emptySize(crop.size) || emptySize(latest.size))
        return CGRectMake(0, 0, 0, 0);
    CGFloat r = latest.size.width / imageSize.width;
    CGFloat x = (crop.origin.x - latest.origin.x) / r;
    CGFloat y = (crop.origin.y - latest.origin.y) / r;
    CGFloat w = crop.size.width / r;
    CGFloat h = crop.size.height / r;
    if (latest.size.width < crop.size.width) {
        CGFloat newW = imageSize.width;
        CGFloat newH = newW * crop.size.height / crop.size.width;
        x = 0;
        y = y + (h - newH) / 2;
        w = newW;
        h = newH;
    }
    if (latest.size.height < crop.size.height) {
        CGFloat newH = imageSize.height;
        CGFloat newW = newH * crop.size.width / crop.size.height;
        x = x + (w - newW) / 2;
        y = 0;
        w = newW;
        h = newH;
    }
    return CGRectMake(x, y, w, h);
}

} // namespace ovrimo::cropper
