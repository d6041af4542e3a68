#include "platform/graphics/CGContext.h"

#include "platform/graphics/CairoAccess.h"
#include "platform/graphics/GraphicsInternal.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace graphics::internal;

namespace {

cairo_matrix_t toCairo(const CGAffineTransform& t)
{
    cairo_matrix_t m;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    return m;
}

bool invertible(const CGAffineTransform& t)
{
    double det = t.a * t.d - t.b * t.c;
    return std::isfinite(det) && std::isfinite(t.tx) && std::isfinite(t.ty) && std::fabs(det) > 1e-12;
}

cairo_operator_t operatorFor(CGBlendMode mode)
{
    switch (mode) {
    case kCGBlendModeNormal: return CAIRO_OPERATOR_OVER;
    case kCGBlendModeMultiply: return CAIRO_OPERATOR_MULTIPLY;
    case kCGBlendModeScreen: return CAIRO_OPERATOR_SCREEN;
    case kCGBlendModeOverlay: return CAIRO_OPERATOR_OVERLAY;
    case kCGBlendModeDarken: return CAIRO_OPERATOR_DARKEN;
    case kCGBlendModeLighten: return CAIRO_OPERATOR_LIGHTEN;
    case kCGBlendModeColorDodge: return CAIRO_OPERATOR_COLOR_DODGE;
    case kCGBlendModeColorBurn: return CAIRO_OPERATOR_COLOR_BURN;
    case kCGBlendModeSoftLight: return CAIRO_OPERATOR_SOFT_LIGHT;
    case kCGBlendModeHardLight: return CAIRO_OPERATOR_HARD_LIGHT;
    case kCGBlendModeDifference: return CAIRO_OPERATOR_DIFFERENCE;
    case kCGBlendModeExclusion: return CAIRO_OPERATOR_EXCLUSION;
    case kCGBlendModeHue: return CAIRO_OPERATOR_HSL_HUE;
    case kCGBlendModeSaturation: return CAIRO_OPERATOR_HSL_SATURATION;
    case kCGBlendModeColor: return CAIRO_OPERATOR_HSL_COLOR;
    case kCGBlendModeLuminosity: return CAIRO_OPERATOR_HSL_LUMINOSITY;
    case kCGBlendModeClear: return CAIRO_OPERATOR_CLEAR;
    case kCGBlendModeCopy: return CAIRO_OPERATOR_SOURCE;
    case kCGBlendModeSourceIn: return CAIRO_OPERATOR_IN;
    case kCGBlendModeSourceOut: return CAIRO_OPERATOR_OUT;
    case kCGBlendModeSourceAtop: return CAIRO_OPERATOR_ATOP;
    case kCGBlendModeDestinationOver: return CAIRO_OPERATOR_DEST_OVER;
    case kCGBlendModeDestinationIn: return CAIRO_OPERATOR_DEST_IN;
    case kCGBlendModeDestinationOut: return CAIRO_OPERATOR_DEST_OUT;
    case kCGBlendModeDestinationAtop: return CAIRO_OPERATOR_DEST_ATOP;
    case kCGBlendModeXOR: return CAIRO_OPERATOR_XOR;
    case kCGBlendModePlusDarker: return CAIRO_OPERATOR_MULTIPLY;
    case kCGBlendModePlusLighter: return CAIRO_OPERATOR_ADD;
    }
    return CAIRO_OPERATOR_OVER;
}

cairo_filter_t filterFor(CGInterpolationQuality quality, bool imageInterpolates)
{
    if (!imageInterpolates && quality == kCGInterpolationDefault)
        return CAIRO_FILTER_NEAREST;
    switch (quality) {
    case kCGInterpolationNone: return CAIRO_FILTER_NEAREST;
    case kCGInterpolationLow: return CAIRO_FILTER_BILINEAR;
    case kCGInterpolationHigh: return CAIRO_FILTER_BEST;
    default: return CAIRO_FILTER_GOOD;
    }
}

void setColor(CGFloat target[4], const CGColor* color)
{
    if (color)
        color->getRGBA(target);
}

void setRGBA(CGFloat target[4], CGFloat r, CGFloat g, CGFloat b, CGFloat a)
{
    target[0] = std::clamp(r, 0.0, 1.0);
    target[1] = std::clamp(g, 0.0, 1.0);
    target[2] = std::clamp(b, 0.0, 1.0);
    target[3] = std::clamp(a, 0.0, 1.0);
}

// Paints the current source through the clip with the state's blend mode and alpha. The caller has
// already clipped to the primitive, so that every blend mode stays inside it (as on the platform).
void paintSource(CGContext* c, CGFloat alpha)
{
    cairo_t* cr = c->cairo();
    auto& s = c->state();
    cairo_set_operator(cr, operatorFor(s.blendMode));
    if (!s.softMask) {
        cairo_paint_with_alpha(cr, alpha);
        return;
    }
    // With a mask clip the primitive is first painted into a group, which then goes through the
    // mask in device space.
    cairo_push_group(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_paint_with_alpha(cr, alpha);
    cairo_pattern_t* group = cairo_pop_group(cr);
    cairo_set_source(cr, group);
    cairo_pattern_destroy(group);
    cairo_set_operator(cr, operatorFor(s.blendMode));
    cairo_identity_matrix(cr);
    cairo_mask_surface(cr, s.softMask.get(), 0, 0);
}

bool drawable(CGContext* c)
{
    return c && c->cairo() && cairo_status(c->cairo()) == CAIRO_STATUS_SUCCESS && !c->state().singular;
}

void fillCurrentPath(CGContext* c, bool evenOdd)
{
    if (!drawable(c)) {
        if (c)
            cairo_new_path(c->cairo());
        return;
    }
    cairo_t* cr = c->cairo();
    auto& s = c->state();
    cairo_save(cr);
    cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr);
    cairo_set_source_rgba(cr, s.fill[0], s.fill[1], s.fill[2], s.fill[3]);
    paintSource(c, s.alpha);
    cairo_restore(cr);
}

void strokeCurrentPath(CGContext* c)
{
    if (!drawable(c)) {
        if (c)
            cairo_new_path(c->cairo());
        return;
    }
    cairo_t* cr = c->cairo();
    auto& s = c->state();
    cairo_save(cr);
    cairo_set_source_rgba(cr, s.stroke[0], s.stroke[1], s.stroke[2], s.stroke[3] * s.alpha);
    cairo_set_operator(cr, operatorFor(s.blendMode));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void addTransform(CGContext* c, const CGAffineTransform& t)
{
    if (!c || c->state().singular)
        return;
    CGAffineTransform ctm = CGAffineTransformConcat(t, CGContextGetCTM(c));
    if (!invertible(ctm)) {
        // cairo cannot hold a singular transform; nothing draws until the state is restored.
        c->state().singular = true;
        return;
    }
    cairo_matrix_t m = toCairo(t);
    cairo_transform(c->cairo(), &m);
}

} // namespace

// MARK: - CGContext

CGContext::CGContext(cairo_surface_t* surface, Kind kind, CGFloat scale, CGColorSpaceRef space, CGBitmapInfo info, bool grey)
    : m_surface(surface)
    , m_cr(cairo_create(surface))
    , m_kind(kind)
    , m_scale(scale)
    , m_space(std::move(space))
    , m_info(info)
    , m_grey(grey)
{
    if (kind == Kind::Canvas) {
        cairo_scale(m_cr, scale, scale);
    } else {
        // Core Graphics device space: origin at the bottom left, y upwards.
        cairo_matrix_t flip;
        cairo_matrix_init(&flip, 1, 0, 0, -1, 0, double(height()));
        cairo_set_matrix(m_cr, &flip);
    }
}

CGContext::~CGContext()
{
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

size_t CGContext::width() const
{
    return static_cast<size_t>(cairo_image_surface_get_width(m_surface));
}

size_t CGContext::height() const
{
    return static_cast<size_t>(cairo_image_surface_get_height(m_surface));
}

void CGContext::saveState()
{
    cairo_save(m_cr);
    m_saved.push_back(m_state);
}

void CGContext::restoreState()
{
    if (m_saved.empty())
        return;
    cairo_restore(m_cr);
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
}

CGImageRef CGContext::makeImage() const
{
    cairo_surface_flush(m_surface);
    cairo_format_t format = cairo_image_surface_get_format(m_surface);
    size_t w = width(), h = height();
    cairo_surface_t* copy = createSurface(format, w, h);
    if (!copy)
        return nullptr;
    const uint8_t* src = cairo_image_surface_get_data(m_surface);
    int srcStride = cairo_image_surface_get_stride(m_surface);
    uint8_t* dst = cairo_image_surface_get_data(copy);
    int dstStride = cairo_image_surface_get_stride(copy);
    size_t rowBytes = format == CAIRO_FORMAT_A8 ? w : w * 4;
    if (srcStride == dstStride) {
        std::memcpy(dst, src, size_t(srcStride) * h);
    } else {
        for (size_t y = 0; y < h; ++y)
            std::memcpy(dst + y * dstStride, src + y * srcStride, rowBytes);
    }
    if (m_grey) {
        for (size_t y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(dst + y * dstStride);
            for (size_t x = 0; x < w; ++x) {
                uint32_t p = row[x];
                auto grey = static_cast<uint8_t>((((p >> 16) & 0xFF) * 77 + ((p >> 8) & 0xFF) * 150 + (p & 0xFF) * 29 + 128) >> 8);
                row[x] = packPixel(255, grey, grey, grey);
            }
        }
    }
    cairo_surface_mark_dirty(copy);
    return CGImageRef::adopt(new CGImage(copy, m_grey ? CGImage::Kind::Grey : CGImage::Kind::Color));
}

// MARK: - Bitmap contexts

CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent, size_t bytesPerRow,
    const CGColorSpace* space, CGBitmapInfo bitmapInfo)
{
    if (bitsPerComponent != 8 || !space || !sizeAcceptable(width, height) || (bitmapInfo & kCGBitmapFloatComponents))
        return nullptr;
    auto alphaInfo = static_cast<CGImageAlphaInfo>(bitmapInfo & kCGBitmapAlphaInfoMask);
    bool grey = space->model() == kCGColorSpaceModelMonochrome;
    cairo_format_t format;
    CGBitmapInfo reported;
    if (grey) {
        // Grey pixels are drawn in RGB and reduced when the image is taken, so the caller's memory
        // cannot be used in place.
        if (alphaInfo != kCGImageAlphaNone || data)
            return nullptr;
        format = CAIRO_FORMAT_RGB24;
        reported = kCGImageAlphaNone;
    } else if (space->model() == kCGColorSpaceModelRGB) {
        if (alphaInfo == kCGImageAlphaNone || alphaInfo == kCGImageAlphaOnly || alphaInfo == kCGImageAlphaFirst || alphaInfo == kCGImageAlphaLast)
            return nullptr;
        bool opaque = alphaInfo == kCGImageAlphaNoneSkipFirst || alphaInfo == kCGImageAlphaNoneSkipLast;
        format = opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32;
        reported = (opaque ? kCGImageAlphaNoneSkipFirst : kCGImageAlphaPremultipliedFirst) | kCGBitmapByteOrder32Host;
    } else {
        return nullptr;
    }

    size_t minimumRow = width * 4;
    if (bytesPerRow == 0)
        bytesPerRow = size_t(cairo_format_stride_for_width(format, int(width)));
    if (bytesPerRow < minimumRow || bytesPerRow % 4 || bytesPerRow > size_t(1) << 30)
        return nullptr;

    cairo_surface_t* surface;
    if (data) {
        surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(data), format, int(width), int(height), int(bytesPerRow));
    } else {
        // Our own memory, so that the row length asked for is the one reported.
        void* pixels = std::calloc(height, bytesPerRow);
        if (!pixels)
            return nullptr;
        surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(pixels), format, int(width), int(height), int(bytesPerRow));
        static cairo_user_data_key_t key;
        if (cairo_surface_set_user_data(surface, &key, pixels, std::free) != CAIRO_STATUS_SUCCESS)
            std::free(pixels);
    }
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return CGContextRef::adopt(new CGContext(surface, CGContext::Kind::Bitmap, 1, const_cast<CGColorSpace*>(space), reported, grey));
}

CGImageRef CGBitmapContextCreateImage(CGContext* context)
{
    return context ? context->makeImage() : nullptr;
}

void* CGBitmapContextGetData(CGContext* context)
{
    if (!context || context->isGrey())
        return nullptr;
    cairo_surface_flush(context->surface());
    return cairo_image_surface_get_data(context->surface());
}

size_t CGBitmapContextGetWidth(const CGContext* context) { return context ? context->width() : 0; }
size_t CGBitmapContextGetHeight(const CGContext* context) { return context ? context->height() : 0; }
size_t CGBitmapContextGetBytesPerRow(const CGContext* context)
{
    return context ? size_t(cairo_image_surface_get_stride(context->surface())) : 0;
}
size_t CGBitmapContextGetBitsPerComponent(const CGContext* context) { return context ? 8 : 0; }
size_t CGBitmapContextGetBitsPerPixel(const CGContext* context) { return context ? 32 : 0; }
CGColorSpaceRef CGBitmapContextGetColorSpace(const CGContext* context) { return context ? context->colorSpace() : nullptr; }
CGBitmapInfo CGBitmapContextGetBitmapInfo(const CGContext* context) { return context ? context->bitmapInfo() : 0; }
CGImageAlphaInfo CGBitmapContextGetAlphaInfo(const CGContext* context)
{
    return static_cast<CGImageAlphaInfo>(CGBitmapContextGetBitmapInfo(context) & kCGBitmapAlphaInfoMask);
}

// MARK: - State

void CGContextSaveGState(CGContext* c)
{
    if (c)
        c->saveState();
}

void CGContextRestoreGState(CGContext* c)
{
    if (c)
        c->restoreState();
}

void CGContextTranslateCTM(CGContext* c, CGFloat tx, CGFloat ty)
{
    addTransform(c, CGAffineTransformMakeTranslation(tx, ty));
}

void CGContextScaleCTM(CGContext* c, CGFloat sx, CGFloat sy)
{
    addTransform(c, CGAffineTransformMakeScale(sx, sy));
}

void CGContextRotateCTM(CGContext* c, CGFloat radians)
{
    addTransform(c, CGAffineTransformMakeRotation(radians));
}

void CGContextConcatCTM(CGContext* c, CGAffineTransform transform)
{
    addTransform(c, transform);
}

CGAffineTransform CGContextGetCTM(CGContext* c)
{
    if (!c)
        return CGAffineTransformIdentity;
    cairo_matrix_t m;
    cairo_get_matrix(c->cairo(), &m);
    CGAffineTransform toCairoDevice = CGAffineTransformMake(m.xx, m.yx, m.xy, m.yy, m.x0, m.y0);
    // cairo's device space has its origin at the top left; Core Graphics' at the bottom left.
    CGAffineTransform flip = CGAffineTransformMake(1, 0, 0, -1, 0, double(c->height()));
    return CGAffineTransformConcat(toCairoDevice, flip);
}

void CGContextSetFillColorWithColor(CGContext* c, const CGColor* color)
{
    if (c)
        setColor(c->state().fill, color);
}

void CGContextSetStrokeColorWithColor(CGContext* c, const CGColor* color)
{
    if (c)
        setColor(c->state().stroke, color);
}

void CGContextSetRGBFillColor(CGContext* c, CGFloat r, CGFloat g, CGFloat b, CGFloat a)
{
    if (c)
        setRGBA(c->state().fill, r, g, b, a);
}

void CGContextSetRGBStrokeColor(CGContext* c, CGFloat r, CGFloat g, CGFloat b, CGFloat a)
{
    if (c)
        setRGBA(c->state().stroke, r, g, b, a);
}

void CGContextSetGrayFillColor(CGContext* c, CGFloat white, CGFloat a)
{
    CGContextSetRGBFillColor(c, white, white, white, a);
}

void CGContextSetGrayStrokeColor(CGContext* c, CGFloat white, CGFloat a)
{
    CGContextSetRGBStrokeColor(c, white, white, white, a);
}

void CGContextSetAlpha(CGContext* c, CGFloat alpha)
{
    if (c)
        c->state().alpha = std::clamp(alpha, 0.0, 1.0);
}

void CGContextSetBlendMode(CGContext* c, CGBlendMode mode)
{
    if (c && mode >= kCGBlendModeNormal && mode <= kCGBlendModePlusLighter)
        c->state().blendMode = mode;
}

void CGContextSetInterpolationQuality(CGContext* c, CGInterpolationQuality quality)
{
    if (c)
        c->state().interpolation = quality;
}

CGInterpolationQuality CGContextGetInterpolationQuality(CGContext* c)
{
    return c ? c->state().interpolation : kCGInterpolationDefault;
}

void CGContextSetLineWidth(CGContext* c, CGFloat width)
{
    if (c && width >= 0)
        cairo_set_line_width(c->cairo(), width);
}

void CGContextSetLineCap(CGContext* c, CGLineCap cap)
{
    if (c)
        cairo_set_line_cap(c->cairo(), cap == kCGLineCapRound ? CAIRO_LINE_CAP_ROUND : cap == kCGLineCapSquare ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_BUTT);
}

void CGContextSetLineJoin(CGContext* c, CGLineJoin join)
{
    if (c)
        cairo_set_line_join(c->cairo(), join == kCGLineJoinRound ? CAIRO_LINE_JOIN_ROUND : join == kCGLineJoinBevel ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_MITER);
}

void CGContextSetShouldAntialias(CGContext* c, bool antialias)
{
    if (c)
        cairo_set_antialias(c->cairo(), antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

// MARK: - Rectangles and paths

void CGContextFillRect(CGContext* c, CGRect rect)
{
    if (!c)
        return;
    cairo_new_path(c->cairo());
    CGContextAddRect(c, rect);
    fillCurrentPath(c, false);
}

void CGContextFillRects(CGContext* c, const CGRect* rects, size_t count)
{
    if (!c || !rects)
        return;
    cairo_new_path(c->cairo());
    for (size_t i = 0; i < count; ++i)
        CGContextAddRect(c, rects[i]);
    fillCurrentPath(c, false);
}

void CGContextFillEllipseInRect(CGContext* c, CGRect rect)
{
    if (!c)
        return;
    cairo_new_path(c->cairo());
    CGContextAddEllipseInRect(c, rect);
    fillCurrentPath(c, false);
}

void CGContextStrokeRect(CGContext* c, CGRect rect)
{
    if (!c)
        return;
    cairo_new_path(c->cairo());
    CGContextAddRect(c, rect);
    strokeCurrentPath(c);
}

void CGContextStrokeRectWithWidth(CGContext* c, CGRect rect, CGFloat width)
{
    if (!c)
        return;
    cairo_save(c->cairo());
    CGContextSetLineWidth(c, width);
    CGContextStrokeRect(c, rect);
    cairo_restore(c->cairo());
}

void CGContextClearRect(CGContext* c, CGRect rect)
{
    if (!drawable(c))
        return;
    cairo_t* cr = c->cairo();
    cairo_save(cr);
    cairo_new_path(cr);
    rect = CGRectStandardize(rect);
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
}

void CGContextBeginPath(CGContext* c)
{
    if (c)
        cairo_new_path(c->cairo());
}

void CGContextMoveToPoint(CGContext* c, CGFloat x, CGFloat y)
{
    if (c)
        cairo_move_to(c->cairo(), x, y);
}

void CGContextAddLineToPoint(CGContext* c, CGFloat x, CGFloat y)
{
    if (c)
        cairo_line_to(c->cairo(), x, y);
}

void CGContextAddCurveToPoint(CGContext* c, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y)
{
    if (c)
        cairo_curve_to(c->cairo(), cp1x, cp1y, cp2x, cp2y, x, y);
}

void CGContextAddArc(CGContext* c, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, int clockwise)
{
    if (!c || radius < 0)
        return;
    // Angles grow from +x towards +y in both libraries; "clockwise" means decreasing angles.
    if (clockwise)
        cairo_arc_negative(c->cairo(), x, y, radius, startAngle, endAngle);
    else
        cairo_arc(c->cairo(), x, y, radius, startAngle, endAngle);
}

void CGContextClosePath(CGContext* c)
{
    if (c)
        cairo_close_path(c->cairo());
}

void CGContextAddRect(CGContext* c, CGRect rect)
{
    if (!c)
        return;
    rect = CGRectStandardize(rect);
    cairo_rectangle(c->cairo(), rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

void CGContextAddEllipseInRect(CGContext* c, CGRect rect)
{
    if (!c)
        return;
    rect = CGRectStandardize(rect);
    if (rect.size.width <= 0 || rect.size.height <= 0)
        return;
    cairo_t* cr = c->cairo();
    cairo_matrix_t saved;
    cairo_get_matrix(cr, &saved);
    cairo_translate(cr, CGRectGetMidX(rect), CGRectGetMidY(rect));
    cairo_scale(cr, rect.size.width / 2, rect.size.height / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_set_matrix(cr, &saved);
}

void CGContextAddRoundedRect(CGContext* c, CGRect rect, CGFloat radius)
{
    if (!c)
        return;
    rect = CGRectStandardize(rect);
    radius = std::clamp(radius, 0.0, std::min(rect.size.width, rect.size.height) / 2);
    if (radius <= 0) {
        CGContextAddRect(c, rect);
        return;
    }
    cairo_t* cr = c->cairo();
    double x0 = rect.origin.x, y0 = rect.origin.y, x1 = x0 + rect.size.width, y1 = y0 + rect.size.height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - radius, y0 + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x1 - radius, y1 - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x0 + radius, y1 - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + radius, y0 + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

bool CGContextIsPathEmpty(CGContext* c)
{
    if (!c)
        return true;
    cairo_path_t* path = cairo_copy_path(c->cairo());
    bool empty = path->num_data == 0;
    cairo_path_destroy(path);
    return empty;
}

void CGContextFillPath(CGContext* c)
{
    fillCurrentPath(c, false);
}

void CGContextEOFillPath(CGContext* c)
{
    fillCurrentPath(c, true);
}

void CGContextStrokePath(CGContext* c)
{
    strokeCurrentPath(c);
}

void CGContextDrawPath(CGContext* c, CGPathDrawingMode mode)
{
    if (!c)
        return;
    if (mode == kCGPathStroke) {
        strokeCurrentPath(c);
        return;
    }
    bool stroke = mode == kCGPathFillStroke || mode == kCGPathEOFillStroke;
    cairo_path_t* path = stroke ? cairo_copy_path(c->cairo()) : nullptr;
    fillCurrentPath(c, mode == kCGPathEOFill || mode == kCGPathEOFillStroke);
    if (path) {
        cairo_append_path(c->cairo(), path);
        cairo_path_destroy(path);
        strokeCurrentPath(c);
    }
}

// MARK: - Clipping

void CGContextClip(CGContext* c)
{
    if (!c)
        return;
    cairo_set_fill_rule(c->cairo(), CAIRO_FILL_RULE_WINDING);
    cairo_clip(c->cairo());
}

void CGContextEOClip(CGContext* c)
{
    if (!c)
        return;
    cairo_set_fill_rule(c->cairo(), CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(c->cairo());
    cairo_set_fill_rule(c->cairo(), CAIRO_FILL_RULE_WINDING);
}

void CGContextClipToRect(CGContext* c, CGRect rect)
{
    if (!c)
        return;
    cairo_path_t* path = cairo_copy_path(c->cairo());
    cairo_new_path(c->cairo());
    CGContextAddRect(c, rect);
    cairo_clip(c->cairo());
    // Clipping to a rectangle leaves the current path alone.
    cairo_append_path(c->cairo(), path);
    cairo_path_destroy(path);
}

void CGContextClipToMask(CGContext* c, CGRect rect, CGImage* mask)
{
    if (!drawable(c) || !mask)
        return;
    cairo_surface_t* coverage = coverageOf(mask);
    if (!coverage)
        return;
    cairo_surface_t* device = createSurface(CAIRO_FORMAT_A8, c->width(), c->height());
    if (!device) {
        cairo_surface_destroy(coverage);
        return;
    }
    cairo_t* cr = cairo_create(device);
    cairo_matrix_t m;
    cairo_get_matrix(c->cairo(), &m);
    cairo_set_matrix(cr, &m);
    rect = CGRectStandardize(rect);
    double w = double(mask->width()), h = double(mask->height());
    if (rect.size.width > 0 && rect.size.height > 0) {
        // As CGContextDrawImage: the mask's first row at the top (max y) of the rectangle.
        cairo_translate(cr, rect.origin.x, rect.origin.y + rect.size.height);
        cairo_scale(cr, rect.size.width / w, -rect.size.height / h);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        cairo_set_source_surface(cr, coverage, 0, 0);
        cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
        cairo_paint(cr);
    }
    if (auto& previous = c->state().softMask) {
        cairo_identity_matrix(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
        cairo_set_source_surface(cr, previous.get(), 0, 0);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(coverage);
    c->state().softMask = std::shared_ptr<cairo_surface_t>(device, cairo_surface_destroy);
}

CGRect CGContextGetClipBoundingBox(CGContext* c)
{
    if (!c)
        return CGRectZero;
    double x1, y1, x2, y2;
    cairo_clip_extents(c->cairo(), &x1, &y1, &x2, &y2);
    return CGRectStandardize(CGRectMake(x1, y1, x2 - x1, y2 - y1));
}

// MARK: - Images

namespace graphics {

void drawImageWithTransform(CGContext* c, CGImage* image, const CGAffineTransform& pixelToUser)
{
    if (!drawable(c) || !image || !invertible(pixelToUser))
        return;
    cairo_t* cr = c->cairo();
    auto& s = c->state();
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_matrix_t m = toCairo(pixelToUser);
    cairo_transform(cr, &m);
    double w = double(image->width()), h = double(image->height());
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image->surface());
    // Edges are padded rather than faded, so a stretched picture stays opaque up to its border.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, filterFor(s.interpolation, image->shouldInterpolate()));
    if (image->isMask()) {
        // An image mask paints the fill colour where it lets through.
        cairo_push_group(cr);
        cairo_set_source_rgba(cr, s.fill[0], s.fill[1], s.fill[2], s.fill[3]);
        cairo_mask(cr, pattern);
        cairo_pattern_t* group = cairo_pop_group(cr);
        cairo_set_source(cr, group);
        cairo_pattern_destroy(group);
    } else {
        cairo_set_source(cr, pattern);
    }
    cairo_pattern_destroy(pattern);
    paintSource(c, s.alpha);
    cairo_restore(cr);
}

} // namespace graphics

void CGContextDrawImage(CGContext* c, CGRect rect, CGImage* image)
{
    if (!c || !image)
        return;
    rect = CGRectStandardize(rect);
    double w = double(image->width()), h = double(image->height());
    // Pixel row 0 goes to the top of the rectangle in user space (its maximum y).
    CGAffineTransform t = CGAffineTransformMake(rect.size.width / w, 0, 0, -rect.size.height / h, rect.origin.x, rect.origin.y + rect.size.height);
    graphics::drawImageWithTransform(c, image, t);
}

// MARK: - cairo access

namespace graphics {

cairo_t* cairoContext(CGContext* context)
{
    return context ? context->cairo() : nullptr;
}

cairo_surface_t* cairoSurface(CGImage* image)
{
    return image ? image->surface() : nullptr;
}

CGImageRef imageFromCairoSurface(cairo_surface_t* surface)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return nullptr;
    cairo_surface_flush(surface);
    cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_A8)
        return nullptr;
    size_t w = size_t(cairo_image_surface_get_width(surface)), h = size_t(cairo_image_surface_get_height(surface));
    cairo_surface_t* copy = createSurface(format, w, h);
    if (!copy)
        return nullptr;
    int srcStride = cairo_image_surface_get_stride(surface), dstStride = cairo_image_surface_get_stride(copy);
    size_t rowBytes = format == CAIRO_FORMAT_A8 ? w : w * 4;
    for (size_t y = 0; y < h; ++y)
        std::memcpy(cairo_image_surface_get_data(copy) + y * dstStride, cairo_image_surface_get_data(surface) + y * srcStride, rowBytes);
    cairo_surface_mark_dirty(copy);
    return CGImageRef::adopt(new CGImage(copy, format == CAIRO_FORMAT_A8 ? CGImage::Kind::Mask : CGImage::Kind::Color));
}

} // namespace graphics
