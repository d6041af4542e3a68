#include "platform/graphics/UIImage.h"

#include "platform/graphics/GraphicsSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Message.h"

#include <filesystem>

using objc::Ref;

namespace {

// Files larger than this are not read: no picture we accept comes close.
constexpr std::uintmax_t kMaxImageFileBytes = 256u << 20;

bool swapsAxes(UIImageOrientation o)
{
    return o == UIImageOrientationLeft || o == UIImageOrientationRight || o == UIImageOrientationLeftMirrored || o == UIImageOrientationRightMirrored;
}

CGFloat scaleFromFileName(const std::filesystem::path& path)
{
    std::string stem = path.stem().string();
    if (stem.ends_with("@3x"))
        return 3;
    if (stem.ends_with("@2x"))
        return 2;
    return 1;
}

} // namespace

UIImage::UIImage(CGImageRef image, CGFloat scale, UIImageOrientation orientation)
    : m_image(std::move(image))
    , m_scale(scale > 0 ? scale : 1)
    , m_orientation(orientation >= UIImageOrientationUp && orientation <= UIImageOrientationRightMirrored ? orientation : UIImageOrientationUp)
{
}

Ref<UIImage> UIImage::imageWithCGImage(::CGImage* image, CGFloat scale, UIImageOrientation orientation)
{
    if (!image)
        return nullptr;
    graphics::ensureGraphicsClasses();
    return objc::make<UIImage>(CGImageRef(image), scale, orientation);
}

Ref<UIImage> UIImage::imageWithData(const uint8_t* bytes, size_t size, CGFloat scale) { return imageWithData(bytes, size, scale, 0); }

Ref<UIImage> UIImage::imageWithData(const uint8_t* bytes, size_t size, CGFloat scale, double maximumPixels)
{
    return imageWithData(bytes, size, scale, maximumPixels, 0);
}

namespace {

// A decoded picture at the given scale; one that was reduced keeps the stored picture's size in
// points.
Ref<UIImage> imageFromDecoded(const graphics::DecodedImage& decoded, CGFloat scale)
{
    if (!decoded.image)
        return nullptr;
    if (decoded.image->width() < decoded.storedWidth)
        scale *= double(decoded.image->width()) / double(decoded.storedWidth);
    return UIImage::imageWithCGImage(decoded.image, scale, static_cast<UIImageOrientation>(decoded.orientation));
}

} // namespace

Ref<UIImage> UIImage::imageWithData(const uint8_t* bytes, size_t size, CGFloat scale, double maximumPixels, size_t largestSide)
{
    if (!bytes || !size)
        return nullptr;
    return imageFromDecoded(graphics::decodeImage(bytes, size, graphics::DecodeLimits { maximumPixels, largestSide }), scale);
}

Ref<UIImage> UIImage::imageWithData(const std::vector<uint8_t>& bytes, CGFloat scale)
{
    return imageWithData(bytes.data(), bytes.size(), scale);
}

CGFloat UIImage::scaleForFileName(const std::string& path) { return scaleFromFileName(path); }

Ref<UIImage> UIImage::imageWithContentsOfFile(const std::string& devicePath) { return imageWithContentsOfFile(devicePath, 0); }

Ref<UIImage> UIImage::imageWithContentsOfFile(const std::string& devicePath, double maximumPixels)
{
    return imageWithContentsOfFile(devicePath, maximumPixels, 0);
}

Ref<UIImage> UIImage::imageWithContentsOfFile(const std::string& devicePath, double maximumPixels, size_t largestSide)
{
    auto hostPath = filesystem::DeviceRoot::resolve(devicePath);
    if (!hostPath)
        return nullptr;
    auto contents = filesystem::readWholeFile(*hostPath, kMaxImageFileBytes);
    if (!contents || contents->empty())
        return nullptr;
    auto* bytes = reinterpret_cast<const uint8_t*>(contents->data());
    return imageFromDecoded(graphics::decodeImage(bytes, contents->size(), graphics::DecodeLimits { maximumPixels, largestSide }), scaleFromFileName(*hostPath));
}

CGSize UIImage::size() const
{
    if (!m_image)
        return CGSizeZero;
    CGFloat w = double(m_image->width()) / m_scale, h = double(m_image->height()) / m_scale;
    return swapsAxes(m_orientation) ? CGSizeMake(h, w) : CGSizeMake(w, h);
}

CGAffineTransform UIImage::transformForDrawingInRect(CGRect rect) const
{
    // (u, v): where the stored pixel (s, t) (both 0…1, t downwards) appears in the upright
    // picture, as u = us·s + ut·t + u0 and v = vs·s + vt·t + v0.
    struct Map {
        double us, ut, u0, vs, vt, v0;
    };
    static const Map maps[8] = {
        { 1, 0, 0, 0, 1, 0 }, // Up
        { -1, 0, 1, 0, -1, 1 }, // Down
        { 0, 1, 0, -1, 0, 1 }, // Left
        { 0, -1, 1, 1, 0, 0 }, // Right
        { -1, 0, 1, 0, 1, 0 }, // UpMirrored
        { 1, 0, 0, 0, -1, 1 }, // DownMirrored
        { 0, 1, 0, 1, 0, 0 }, // LeftMirrored
        { 0, -1, 1, -1, 0, 1 }, // RightMirrored
    };
    const Map& m = maps[m_orientation];
    double w = m_image ? double(m_image->width()) : 1, h = m_image ? double(m_image->height()) : 1;
    double rw = rect.size.width, rh = rect.size.height;
    return CGAffineTransformMake(rw * m.us / w, rh * m.vs / w, rw * m.ut / h, rh * m.vt / h, rect.origin.x + rw * m.u0, rect.origin.y + rh * m.v0);
}

void UIImage::drawInRect(CGRect rect) const
{
    drawInRect(rect, kCGBlendModeNormal, 1.0);
}

void UIImage::drawInRect(CGRect rect, CGBlendMode mode, CGFloat alpha) const
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context || !m_image)
        return;
    CGContextSaveGState(context);
    CGContextSetBlendMode(context, mode);
    CGContextSetAlpha(context, alpha);
    graphics::drawImageWithTransform(context, m_image, transformForDrawingInRect(rect));
    CGContextRestoreGState(context);
}

void UIImage::drawAtPoint(CGPoint point) const
{
    drawAtPoint(point, kCGBlendModeNormal, 1.0);
}

void UIImage::drawAtPoint(CGPoint point, CGBlendMode mode, CGFloat alpha) const
{
    CGSize s = size();
    drawInRect(CGRectMake(point.x, point.y, s.width, s.height), mode, alpha);
}

Ref<UIImage> UIImage::imageWithRenderingMode(long mode) const
{
    Ref<UIImage> copy = UIImage::imageWithCGImage(m_image, m_scale, m_orientation);
    if (copy)
        copy->m_renderingMode = mode;
    return copy;
}

namespace {

namespace sel = graphics::sel;

Ref<UIImage> imageFromFile(std::string path) { return UIImage::imageWithContentsOfFile(path); }
Ref<UIImage> imageFromCGImage(::CGImage* image) { return UIImage::imageWithCGImage(image); }
Ref<UIImage> imageFromCGImageScaled(::CGImage* image, CGFloat scale, UIImageOrientation orientation) { return UIImage::imageWithCGImage(image, scale, orientation); }
void drawIn(UIImage* self, CGRect rect) { self->drawInRect(rect); }
void drawInBlended(UIImage* self, CGRect rect, CGBlendMode mode, CGFloat alpha) { self->drawInRect(rect, mode, alpha); }
void drawAt(UIImage* self, CGPoint point) { self->drawAtPoint(point); }
void drawAtBlended(UIImage* self, CGPoint point, CGBlendMode mode, CGFloat alpha) { self->drawAtPoint(point, mode, alpha); }

} // namespace

// alloc/init: the initialisers fill the freshly allocated object once and answer nil when there is
// no picture.
Ref<UIImage> UIImage::initWithCGImageScaleOrientation(::CGImage* image, CGFloat scale, UIImageOrientation orientation)
{
    if (!image)
        return nullptr;
    m_image = image;
    m_scale = scale > 0 ? scale : 1;
    m_orientation = orientation >= UIImageOrientationUp && orientation <= UIImageOrientationRightMirrored ? orientation : UIImageOrientationUp;
    return this;
}

Ref<UIImage> UIImage::initWithCGImage(::CGImage* image) { return sel::initWithCGImageScaleOrientation(this, image, 1.0, UIImageOrientationUp); }

Ref<UIImage> UIImage::initWithContentsOfFile(std::string path)
{
    Ref<UIImage> loaded = imageWithContentsOfFile(path);
    if (!loaded)
        return nullptr;
    return sel::initWithCGImageScaleOrientation(this, loaded->CGImage().ptr(), loaded->scale(), loaded->imageOrientation());
}

void UIImage::registerClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<UIImage>(runtime, "NSObject")
        .classMethod(sel::imageWithContentsOfFile, &imageFromFile)
        .classMethod(sel::imageWithCGImage, &imageFromCGImage)
        .classMethod(sel::imageWithCGImageScaleOrientation, &imageFromCGImageScaled)
        .method(sel::initWithCGImageScaleOrientation, &UIImage::initWithCGImageScaleOrientation)
        .method(sel::initWithCGImage, &UIImage::initWithCGImage)
        .method(sel::initWithContentsOfFile, &UIImage::initWithContentsOfFile)
        .method(sel::size, &UIImage::size)
        .method(sel::renderingMode, &UIImage::renderingMode)
        .method(sel::imageWithRenderingMode, &UIImage::imageWithRenderingMode)
        .method(sel::scale, &UIImage::scale)
        .method(sel::CGImage, &UIImage::CGImage)
        .method(sel::imageOrientation, &UIImage::imageOrientation)
        .method(sel::drawInRect, &drawIn)
        .method(sel::drawInRectBlendModeAlpha, &drawInBlended)
        .method(sel::drawAtPoint, &drawAt)
        .method(sel::drawAtPointBlendModeAlpha, &drawAtBlended)
        .build();
}

std::optional<std::vector<uint8_t>> UIImagePNGRepresentation(const UIImage* image)
{
    if (!image || !image->CGImage())
        return std::nullopt;
    return graphics::encodePNG(image->CGImage());
}

std::optional<std::vector<uint8_t>> UIImageJPEGRepresentation(const UIImage* image, CGFloat quality)
{
    if (!image || !image->CGImage())
        return std::nullopt;
    return graphics::encodeJPEG(image->CGImage(), quality, image->imageOrientation());
}
