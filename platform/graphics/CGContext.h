#pragma once

// CGContext: a drawing destination over a cairo image surface, either a Core Graphics bitmap
// context (origin at the bottom left, y upwards) or a UIKit image canvas (origin at the top left,
// y downwards, measured in points at the canvas's scale). Both are the same object; only the
// initial transform differs, exactly as on the platform. CGContextRef is a strong reference.
//
// Every function accepts a null context and then does nothing (or returns a zero value).

#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/CGImage.h"
#include "platform/runtime/Object.h"

#include <memory>
#include <vector>

typedef struct _cairo cairo_t;

enum CGBlendMode : int {
    kCGBlendModeNormal = 0,
    kCGBlendModeMultiply,
    kCGBlendModeScreen,
    kCGBlendModeOverlay,
    kCGBlendModeDarken,
    kCGBlendModeLighten,
    kCGBlendModeColorDodge,
    kCGBlendModeColorBurn,
    kCGBlendModeSoftLight,
    kCGBlendModeHardLight,
    kCGBlendModeDifference,
    kCGBlendModeExclusion,
    kCGBlendModeHue,
    kCGBlendModeSaturation,
    kCGBlendModeColor,
    kCGBlendModeLuminosity,
    kCGBlendModeClear, // 16
    kCGBlendModeCopy,
    kCGBlendModeSourceIn, // 18
    kCGBlendModeSourceOut,
    kCGBlendModeSourceAtop,
    kCGBlendModeDestinationOver,
    kCGBlendModeDestinationIn,
    kCGBlendModeDestinationOut,
    kCGBlendModeDestinationAtop,
    kCGBlendModeXOR,
    kCGBlendModePlusDarker,
    kCGBlendModePlusLighter,
};

enum CGInterpolationQuality : int {
    kCGInterpolationDefault = 0,
    kCGInterpolationNone = 1,
    kCGInterpolationLow = 2,
    kCGInterpolationHigh = 3,
    kCGInterpolationMedium = 4,
};

enum CGPathDrawingMode : int {
    kCGPathFill,
    kCGPathEOFill,
    kCGPathStroke,
    kCGPathFillStroke,
    kCGPathEOFillStroke,
};

enum CGLineCap : int { kCGLineCapButt, kCGLineCapRound, kCGLineCapSquare };
enum CGLineJoin : int { kCGLineJoinMiter, kCGLineJoinRound, kCGLineJoinBevel };

class CGContext final : public objc::Object {
public:
    enum class Kind { Bitmap, Canvas };

    // Graphics state that cairo does not keep itself; saved and restored with cairo's.
    struct GState {
        CGFloat fill[4] { 0, 0, 0, 1 };
        CGFloat stroke[4] { 0, 0, 0, 1 };
        CGFloat alpha = 1;
        CGBlendMode blendMode = kCGBlendModeNormal;
        CGInterpolationQuality interpolation = kCGInterpolationDefault;
        // Coverage (A8, device pixels) from CGContextClipToMask, multiplied into every drawing.
        std::shared_ptr<cairo_surface_t> softMask;
        // A transform that cairo cannot hold (a scale by 0) was applied: nothing draws.
        bool singular = false;
    };

    // Takes over one reference to `surface`. `kind` Canvas flips the initial transform to top-left
    // points at `scale`.
    CGContext(cairo_surface_t* surface, Kind kind, CGFloat scale, CGColorSpaceRef space, CGBitmapInfo info, bool grey);
    ~CGContext() override;

    cairo_t* cairo() const { return m_cr; }
    cairo_surface_t* surface() const { return m_surface; }
    Kind kind() const { return m_kind; }
    CGFloat scale() const { return m_scale; }
    size_t width() const;
    size_t height() const;
    bool isGrey() const { return m_grey; }
    const CGColorSpaceRef& colorSpace() const { return m_space; }
    CGBitmapInfo bitmapInfo() const { return m_info; }
    GState& state() { return m_state; }
    void saveState();
    void restoreState();

    // A picture of the current pixels (copied; later drawing does not change it).
    CGImageRef makeImage() const;

private:
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
    Kind m_kind;
    CGFloat m_scale;
    CGColorSpaceRef m_space;
    CGBitmapInfo m_info;
    bool m_grey;
    GState m_state;
    std::vector<GState> m_saved;
};
using CGContextRef = objc::Ref<CGContext>;

inline void CGContextRelease(const CGContext*) { }
inline CGContextRef CGContextRetain(CGContext* context) { return context; }

// Bitmap contexts. `data` may be null (the context owns its pixels); otherwise it must hold
// bytesPerRow × height bytes and stay valid for the context's life, and the pixels are drawn in
// place. Supported: 8 bits per component, RGB with 32 bits per pixel (stored in cairo's native
// layout, which CGBitmapContextGetBitmapInfo reports; alpha "none skip" gives an opaque bitmap),
// or grey with no alpha and no caller memory (CGBitmapContextGetData is then null). Null for
// anything else, for zero or huge sizes, and for a bytesPerRow too small for the width or not a
// multiple of 4.
CGContextRef CGBitmapContextCreate(void* data, size_t width, size_t height, size_t bitsPerComponent, size_t bytesPerRow,
    const CGColorSpace* space, CGBitmapInfo bitmapInfo);
CGImageRef CGBitmapContextCreateImage(CGContext* context);
void* CGBitmapContextGetData(CGContext* context);
size_t CGBitmapContextGetWidth(const CGContext* context);
size_t CGBitmapContextGetHeight(const CGContext* context);
size_t CGBitmapContextGetBytesPerRow(const CGContext* context);
size_t CGBitmapContextGetBitsPerComponent(const CGContext* context);
size_t CGBitmapContextGetBitsPerPixel(const CGContext* context);
CGColorSpaceRef CGBitmapContextGetColorSpace(const CGContext* context);
CGBitmapInfo CGBitmapContextGetBitmapInfo(const CGContext* context);
CGImageAlphaInfo CGBitmapContextGetAlphaInfo(const CGContext* context);

// Graphics state.
void CGContextSaveGState(CGContext* c);
void CGContextRestoreGState(CGContext* c);
void CGContextTranslateCTM(CGContext* c, CGFloat tx, CGFloat ty);
void CGContextScaleCTM(CGContext* c, CGFloat sx, CGFloat sy);
void CGContextRotateCTM(CGContext* c, CGFloat radians);
void CGContextConcatCTM(CGContext* c, CGAffineTransform transform);
// The transform from user space to the context's device space (pixels, origin bottom left).
CGAffineTransform CGContextGetCTM(CGContext* c);
void CGContextSetFillColorWithColor(CGContext* c, const CGColor* color);
void CGContextSetStrokeColorWithColor(CGContext* c, const CGColor* color);
void CGContextSetRGBFillColor(CGContext* c, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
void CGContextSetRGBStrokeColor(CGContext* c, CGFloat r, CGFloat g, CGFloat b, CGFloat a);
void CGContextSetGrayFillColor(CGContext* c, CGFloat white, CGFloat a);
void CGContextSetGrayStrokeColor(CGContext* c, CGFloat white, CGFloat a);
void CGContextSetAlpha(CGContext* c, CGFloat alpha);
void CGContextSetBlendMode(CGContext* c, CGBlendMode mode);
void CGContextSetInterpolationQuality(CGContext* c, CGInterpolationQuality quality);
CGInterpolationQuality CGContextGetInterpolationQuality(CGContext* c);
void CGContextSetLineWidth(CGContext* c, CGFloat width);
void CGContextSetLineCap(CGContext* c, CGLineCap cap);
void CGContextSetLineJoin(CGContext* c, CGLineJoin join);
void CGContextSetShouldAntialias(CGContext* c, bool antialias);

// Rectangles.
void CGContextFillRect(CGContext* c, CGRect rect);
void CGContextFillRects(CGContext* c, const CGRect* rects, size_t count);
void CGContextFillEllipseInRect(CGContext* c, CGRect rect);
void CGContextStrokeRect(CGContext* c, CGRect rect);
void CGContextStrokeRectWithWidth(CGContext* c, CGRect rect, CGFloat width);
// Makes the rectangle transparent, whatever the blend mode.
void CGContextClearRect(CGContext* c, CGRect rect);

// Paths (the current path is part of the context, not of the saved state).
void CGContextBeginPath(CGContext* c);
void CGContextMoveToPoint(CGContext* c, CGFloat x, CGFloat y);
void CGContextAddLineToPoint(CGContext* c, CGFloat x, CGFloat y);
void CGContextAddCurveToPoint(CGContext* c, CGFloat cp1x, CGFloat cp1y, CGFloat cp2x, CGFloat cp2y, CGFloat x, CGFloat y);
void CGContextAddArc(CGContext* c, CGFloat x, CGFloat y, CGFloat radius, CGFloat startAngle, CGFloat endAngle, int clockwise);
void CGContextClosePath(CGContext* c);
void CGContextAddRect(CGContext* c, CGRect rect);
void CGContextAddEllipseInRect(CGContext* c, CGRect rect);
// Not a platform function (the platform builds these with CGPath): a rounded rectangle path.
void CGContextAddRoundedRect(CGContext* c, CGRect rect, CGFloat cornerRadius);
bool CGContextIsPathEmpty(CGContext* c);
void CGContextFillPath(CGContext* c);
void CGContextEOFillPath(CGContext* c);
void CGContextStrokePath(CGContext* c);
void CGContextDrawPath(CGContext* c, CGPathDrawingMode mode);

// Clipping (part of the saved state).
void CGContextClip(CGContext* c);
void CGContextEOClip(CGContext* c);
void CGContextClipToRect(CGContext* c, CGRect rect);
// Clips to `mask` stretched over `rect` like CGContextDrawImage: an image mask paints where black,
// a grey picture where white.
void CGContextClipToMask(CGContext* c, CGRect rect, CGImage* mask);
CGRect CGContextGetClipBoundingBox(CGContext* c);

// Draws `image` stretched over `rect` with the image's first row at the top of `rect` in user
// space (max y): upright in a bitmap context, upside down in an unflipped UIKit canvas. An image
// mask paints the fill colour through itself.
void CGContextDrawImage(CGContext* c, CGRect rect, CGImage* image);

namespace graphics {

// Draws `image` so that its pixel (0, 0)…(width, height) lands through `pixelToUser` into the
// context's user space (the shared core of CGContextDrawImage and -[UIImage drawInRect:]).
void drawImageWithTransform(CGContext* c, CGImage* image, const CGAffineTransform& pixelToUser);

} // namespace graphics
