#pragma once

// UIImage: an immutable picture with a size in points, a scale and one of the eight orientation
// tags, over a CGImage. A runtime class: the selectors registered for it are listed in
// UIImage.cpp ("size", "scale", "CGImage", "imageOrientation", "drawInRect:", ...).

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/CGImage.h"
#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum UIImageOrientation : int {
    UIImageOrientationUp = 0,
    UIImageOrientationDown = 1, // turned 180 degrees
    UIImageOrientationLeft = 2, // turned 90 degrees counterclockwise
    UIImageOrientationRight = 3, // turned 90 degrees clockwise
    UIImageOrientationUpMirrored = 4,
    UIImageOrientationDownMirrored = 5,
    UIImageOrientationLeftMirrored = 6,
    UIImageOrientationRightMirrored = 7,
};

class UIImage : public objc::NSObject {
    OBJC_CLASS(UIImage)
public:
    UIImage() = default;
    UIImage(CGImageRef image, CGFloat scale, UIImageOrientation orientation);

    // A file at a device path (PNG or JPEG; "@2x"/"@3x" before the extension sets the scale, a
    // JPEG's EXIF tag the orientation). Null when the file is missing, outside the device root,
    // or not a picture this layer can decode.
    static objc::Ref<UIImage> imageWithContentsOfFile(const std::string& devicePath);
    // NOTE: Not a platform method. The same, refusing a picture of more than `maximumPixels`
    // pixels before it is decoded (as reading the size first through ImageIO would).
    static objc::Ref<UIImage> imageWithContentsOfFile(const std::string& devicePath, double maximumPixels);
    static objc::Ref<UIImage> imageWithData(const uint8_t* bytes, size_t size, CGFloat scale = 1);
    // NOTE: Not a platform method. The same, refusing a picture of more than `maximumPixels`.
    static objc::Ref<UIImage> imageWithData(const uint8_t* bytes, size_t size, CGFloat scale, double maximumPixels);
    // NOTE: Not platform methods. The same, a larger picture reduced while it is decoded so that
    // neither side exceeds `largestSide` pixels; it keeps its size in points (at a higher scale).
    static objc::Ref<UIImage> imageWithContentsOfFile(const std::string& devicePath, double maximumPixels, size_t largestSide);
    static objc::Ref<UIImage> imageWithData(const uint8_t* bytes, size_t size, CGFloat scale, double maximumPixels, size_t largestSide);
    // NOTE: Not a platform method. The scale a file's name gives it ("@2x" or "@3x" before the
    // extension; 1 otherwise), as imageWithContentsOfFile reads it.
    static CGFloat scaleForFileName(const std::string& path);
    static objc::Ref<UIImage> imageWithData(const std::vector<uint8_t>& bytes, CGFloat scale = 1);
    static objc::Ref<UIImage> imageWithCGImage(CGImage* image, CGFloat scale = 1, UIImageOrientation orientation = UIImageOrientationUp);

    // Points, orientation applied: the Left and Right families swap width and height.
    CGSize size() const;
    CGFloat scale() const { return m_scale; }
    UIImageOrientation imageOrientation() const { return m_orientation; }
    CGImageRef CGImage() const { return m_image; }
    // How the image is drawn where a tint applies (UIKit's UIImageRenderingMode: 0 automatic,
    // 1 always original, 2 always template).
    long renderingMode() const { return m_renderingMode; }
    // The same picture with another rendering mode (a new image; this one is unchanged).
    objc::Ref<UIImage> imageWithRenderingMode(long mode) const;

    // Draw into the current graphics context (UIGraphicsGetCurrentContext), upright with the
    // orientation applied, the picture's top at the rectangle's minimum y.
    void drawInRect(CGRect rect) const;
    void drawInRect(CGRect rect, CGBlendMode mode, CGFloat alpha) const;
    void drawAtPoint(CGPoint point) const;
    void drawAtPoint(CGPoint point, CGBlendMode mode, CGFloat alpha) const;

    // The transform that takes the stored bitmap's pixels into `rect` upright (in a y-down space).
    CGAffineTransform transformForDrawingInRect(CGRect rect) const;

    static void registerClass(objc::Runtime& runtime);

private:
    // The initialisers (runtime methods).
    objc::Ref<UIImage> initWithCGImageScaleOrientation(::CGImage* image, CGFloat scale, UIImageOrientation orientation);
    objc::Ref<UIImage> initWithCGImage(::CGImage* image);
    objc::Ref<UIImage> initWithContentsOfFile(std::string devicePath);

    CGImageRef m_image;
    CGFloat m_scale = 1;
    UIImageOrientation m_orientation = UIImageOrientationUp;
    long m_renderingMode = 0;
};

// PNG of the stored bitmap (orientation not applied, as on the platform). Null for a null image.
std::optional<std::vector<uint8_t>> UIImagePNGRepresentation(const UIImage* image);
// JPEG at `quality` 0…1 (alpha dropped: transparent pixels come out black), with the orientation
// recorded as an EXIF tag when it is not Up.
std::optional<std::vector<uint8_t>> UIImageJPEGRepresentation(const UIImage* image, CGFloat quality);
