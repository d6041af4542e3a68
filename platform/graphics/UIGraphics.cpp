#include "platform/graphics/UIGraphics.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/GraphicsInternal.h"
#include "platform/graphics/UIImage.h"

#include <cairo.h>

#include <cmath>
#include <vector>

namespace {

struct StackEntry {
    CGContextRef context;
    bool imageCanvas;
};

// The current-context stack of this thread.
std::vector<StackEntry>& contextStack()
{
    thread_local std::vector<StackEntry> stack;
    return stack;
}

// Pixels for a length in points: whole pixels, rounded up (a length that is a whole number of
// pixels up to rounding noise is not rounded up).
size_t pixelsFor(CGFloat points, CGFloat scale)
{
    double pixels = points * scale;
    if (!std::isfinite(pixels) || pixels <= 0)
        return 0;
    return static_cast<size_t>(std::ceil(pixels - 1e-6));
}

} // namespace

void UIGraphicsBeginImageContext(CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
}

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale)
{
    if (!(scale > 0) || !std::isfinite(scale))
        scale = graphics::mainScreenScale();
    size_t width = pixelsFor(size.width, scale), height = pixelsFor(size.height, scale);
    CGContextRef context;
    if (cairo_surface_t* surface = graphics::internal::createSurface(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height)) {
        CGBitmapInfo info = (opaque ? kCGImageAlphaNoneSkipFirst : kCGImageAlphaPremultipliedFirst) | kCGBitmapByteOrder32Host;
        context = CGContextRef::adopt(new CGContext(surface, CGContext::Kind::Canvas, scale, CGColorSpaceCreateDeviceRGB(), info, false));
    }
    contextStack().push_back({ std::move(context), true });
}

CGContextRef UIGraphicsGetCurrentContext()
{
    auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back().context;
}

objc::Ref<UIImage> UIGraphicsGetImageFromCurrentImageContext()
{
    auto& stack = contextStack();
    if (stack.empty() || !stack.back().imageCanvas || !stack.back().context)
        return nullptr;
    CGContext* context = stack.back().context;
    return UIImage::imageWithCGImage(context->makeImage(), context->scale(), UIImageOrientationUp);
}

void UIGraphicsEndImageContext()
{
    auto& stack = contextStack();
    if (!stack.empty() && stack.back().imageCanvas)
        stack.pop_back();
}

void UIGraphicsPushContext(CGContext* context)
{
    contextStack().push_back({ context, false });
}

void UIGraphicsPopContext()
{
    auto& stack = contextStack();
    if (!stack.empty() && !stack.back().imageCanvas)
        stack.pop_back();
}

void UIRectFill(CGRect rect)
{
    UIRectFillUsingBlendMode(rect, kCGBlendModeCopy);
}

void UIRectFillUsingBlendMode(CGRect rect, CGBlendMode mode)
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c)
        return;
    CGContextSaveGState(c);
    CGContextSetBlendMode(c, mode);
    CGContextFillRect(c, rect);
    CGContextRestoreGState(c);
}

void UIRectClip(CGRect rect)
{
    CGContextClipToRect(UIGraphicsGetCurrentContext(), rect);
}
