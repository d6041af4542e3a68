#include "platform/graphics/UIColor.h"

#include "platform/graphics/GraphicsSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/NSObjectSelectors.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Message.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using objc::Ref;

namespace {

CGFloat clamp01(CGFloat v)
{
    return std::isnan(v) ? 0 : std::clamp(v, 0.0, 1.0);
}

template<class... Args>
Ref<UIColor> makeColor(Args... args)
{
    graphics::ensureGraphicsClasses();
    return objc::make<UIColor>(args...);
}

} // namespace

UIColor::UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
    : m_red(clamp01(red))
    , m_green(clamp01(green))
    , m_blue(clamp01(blue))
    , m_alpha(clamp01(alpha))
{
}

UIColor::UIColor(CGFloat white, CGFloat alpha)
    : UIColor(white, white, white, alpha)
{
    m_grey = true;
}

Ref<UIColor> UIColor::colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
    return makeColor(red, green, blue, alpha);
}

Ref<UIColor> UIColor::colorWithWhite(CGFloat white, CGFloat alpha)
{
    return makeColor(white, alpha);
}

Ref<UIColor> UIColor::colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha)
{
    CGFloat h = clamp01(hue), s = clamp01(saturation), v = clamp01(brightness);
    if (s == 0)
        return colorWithRed(v, v, v, alpha);
    CGFloat sector = h * 6;
    if (sector >= 6)
        sector = 0;
    int i = static_cast<int>(std::floor(sector));
    CGFloat f = sector - i;
    CGFloat p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i) {
    case 0: return colorWithRed(v, t, p, alpha);
    case 1: return colorWithRed(q, v, p, alpha);
    case 2: return colorWithRed(p, v, t, alpha);
    case 3: return colorWithRed(p, q, v, alpha);
    case 4: return colorWithRed(t, p, v, alpha);
    default: return colorWithRed(v, p, q, alpha);
    }
}

Ref<UIColor> UIColor::colorWithCGColor(const ::CGColor* color)
{
    if (!color)
        return nullptr;
    if (CGColorSpaceGetModel(color->colorSpace()) == kCGColorSpaceModelMonochrome)
        return colorWithWhite(color->components()[0], color->alpha());
    CGFloat rgba[4];
    color->getRGBA(rgba);
    return colorWithRed(rgba[0], rgba[1], rgba[2], rgba[3]);
}

Ref<UIColor> UIColor::blackColor() { return colorWithWhite(0, 1); }
Ref<UIColor> UIColor::darkGrayColor() { return colorWithWhite(1.0 / 3, 1); }
Ref<UIColor> UIColor::lightGrayColor() { return colorWithWhite(2.0 / 3, 1); }
Ref<UIColor> UIColor::whiteColor() { return colorWithWhite(1, 1); }
Ref<UIColor> UIColor::grayColor() { return colorWithWhite(0.5, 1); }
Ref<UIColor> UIColor::redColor() { return colorWithRed(1, 0, 0, 1); }
Ref<UIColor> UIColor::greenColor() { return colorWithRed(0, 1, 0, 1); }
Ref<UIColor> UIColor::blueColor() { return colorWithRed(0, 0, 1, 1); }
Ref<UIColor> UIColor::cyanColor() { return colorWithRed(0, 1, 1, 1); }
Ref<UIColor> UIColor::yellowColor() { return colorWithRed(1, 1, 0, 1); }
Ref<UIColor> UIColor::magentaColor() { return colorWithRed(1, 0, 1, 1); }
Ref<UIColor> UIColor::orangeColor() { return colorWithRed(1, 0.5, 0, 1); }
Ref<UIColor> UIColor::purpleColor() { return colorWithRed(0.5, 0, 0.5, 1); }
Ref<UIColor> UIColor::brownColor() { return colorWithRed(0.6, 0.4, 0.2, 1); }
Ref<UIColor> UIColor::clearColor() { return colorWithWhite(0, 0); }
Ref<UIColor> UIColor::lightTextColor() { return colorWithWhite(1, 0.6); }
Ref<UIColor> UIColor::darkTextColor() { return colorWithWhite(0, 1); }
Ref<UIColor> UIColor::groupTableViewBackgroundColor() { return colorWithRed(239 / 255.0, 239 / 255.0, 244 / 255.0, 1); }
Ref<UIColor> UIColor::systemBlueColor() { return colorWithRed(0, 122 / 255.0, 1, 1); }

bool UIColor::getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const
{
    if (red)
        *red = m_red;
    if (green)
        *green = m_green;
    if (blue)
        *blue = m_blue;
    if (alpha)
        *alpha = m_alpha;
    return true;
}

bool UIColor::getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const
{
    CGFloat maxC = std::max({ m_red, m_green, m_blue });
    CGFloat minC = std::min({ m_red, m_green, m_blue });
    CGFloat delta = maxC - minC;
    CGFloat h = 0;
    if (delta > 0) {
        if (maxC == m_red)
            h = std::fmod((m_green - m_blue) / delta + 6, 6);
        else if (maxC == m_green)
            h = (m_blue - m_red) / delta + 2;
        else
            h = (m_red - m_green) / delta + 4;
        h /= 6;
        if (h >= 1)
            h -= 1;
    }
    if (hue)
        *hue = h;
    if (saturation)
        *saturation = maxC > 0 ? delta / maxC : 0;
    if (brightness)
        *brightness = maxC;
    if (alpha)
        *alpha = m_alpha;
    return true;
}

bool UIColor::getWhite(CGFloat* white, CGFloat* alpha) const
{
    // Colours made as RGB are reduced to their luma, as the platform's grey conversion does.
    if (white)
        *white = m_grey ? m_red : 0.299 * m_red + 0.587 * m_green + 0.114 * m_blue;
    if (alpha)
        *alpha = m_alpha;
    return true;
}

Ref<UIColor> UIColor::colorWithAlphaComponent(CGFloat alpha) const
{
    if (m_grey)
        return makeColor(m_red, alpha);
    return makeColor(m_red, m_green, m_blue, alpha);
}

CGColorRef UIColor::CGColor() const
{
    if (m_grey) {
        CGFloat c[2] = { m_red, m_alpha };
        return CGColorCreate(CGColorSpaceCreateDeviceGray(), c);
    }
    CGFloat c[4] = { m_red, m_green, m_blue, m_alpha };
    return CGColorCreate(CGColorSpaceCreateDeviceRGB(), c);
}

bool UIColor::isEqual(const UIColor* other) const
{
    if (!other)
        return false;
    return m_red == other->m_red && m_green == other->m_green && m_blue == other->m_blue && m_alpha == other->m_alpha;
}

std::string UIColor::description() const
{
    char text[96];
    if (m_grey)
        std::snprintf(text, sizeof text, "UIExtendedGrayColorSpace %g %g", m_red, m_alpha);
    else
        std::snprintf(text, sizeof text, "UIExtendedSRGBColorSpace %g %g %g %g", m_red, m_green, m_blue, m_alpha);
    return text;
}

void UIColor::setFill() const
{
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), CGColor());
}

void UIColor::setStroke() const
{
    CGContextSetStrokeColorWithColor(UIGraphicsGetCurrentContext(), CGColor());
}

void UIColor::set() const
{
    setFill();
    setStroke();
}

namespace {

namespace sel = graphics::sel;

bool isEqualToColor(UIColor* self, objc::Object* other) { return self->isEqual(dynamic_cast<UIColor*>(other)); }

} // namespace

Ref<UIColor> UIColor::initWithRedGreenBlueAlpha(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
    m_red = clamp01(red), m_green = clamp01(green), m_blue = clamp01(blue), m_alpha = clamp01(alpha);
    m_grey = false;
    return this;
}

Ref<UIColor> UIColor::initWithWhiteAlpha(CGFloat white, CGFloat alpha)
{
    m_red = m_green = m_blue = clamp01(white);
    m_alpha = clamp01(alpha);
    m_grey = true;
    return this;
}

void UIColor::registerClass(objc::Runtime& runtime)
{
    objc::ClassBuilder<UIColor>(runtime, "NSObject")
        .classMethod(sel::colorWithRedGreenBlueAlpha, &UIColor::colorWithRed)
        .classMethod(sel::colorWithWhiteAlpha, &UIColor::colorWithWhite)
        .classMethod(sel::colorWithHueSaturationBrightnessAlpha, &UIColor::colorWithHue)
        .classMethod(sel::colorWithCGColor, &UIColor::colorWithCGColor)
        .classMethod(sel::blackColor, &UIColor::blackColor)
        .classMethod(sel::darkGrayColor, &UIColor::darkGrayColor)
        .classMethod(sel::lightGrayColor, &UIColor::lightGrayColor)
        .classMethod(sel::whiteColor, &UIColor::whiteColor)
        .classMethod(sel::grayColor, &UIColor::grayColor)
        .classMethod(sel::redColor, &UIColor::redColor)
        .classMethod(sel::greenColor, &UIColor::greenColor)
        .classMethod(sel::blueColor, &UIColor::blueColor)
        .classMethod(sel::cyanColor, &UIColor::cyanColor)
        .classMethod(sel::yellowColor, &UIColor::yellowColor)
        .classMethod(sel::magentaColor, &UIColor::magentaColor)
        .classMethod(sel::orangeColor, &UIColor::orangeColor)
        .classMethod(sel::purpleColor, &UIColor::purpleColor)
        .classMethod(sel::brownColor, &UIColor::brownColor)
        .classMethod(sel::clearColor, &UIColor::clearColor)
        .classMethod(sel::lightTextColor, &UIColor::lightTextColor)
        .classMethod(sel::darkTextColor, &UIColor::darkTextColor)
        .classMethod(sel::groupTableViewBackgroundColor, &UIColor::groupTableViewBackgroundColor)
        .classMethod(sel::systemBlueColor, &UIColor::systemBlueColor)
        .method(sel::initWithRedGreenBlueAlpha, &UIColor::initWithRedGreenBlueAlpha)
        .method(sel::initWithWhiteAlpha, &UIColor::initWithWhiteAlpha)
        .method(sel::getRedGreenBlueAlpha, &UIColor::getRed)
        .method(sel::getHueSaturationBrightnessAlpha, &UIColor::getHue)
        .method(sel::getWhiteAlpha, &UIColor::getWhite)
        .method(sel::colorWithAlphaComponent, &UIColor::colorWithAlphaComponent)
        .method(sel::CGColor, &UIColor::CGColor)
        .method(objc::sel::isEqual, &isEqualToColor)
        .method(objc::sel::description, &UIColor::description)
        .method(sel::setFill, &UIColor::setFill)
        .method(sel::setStroke, &UIColor::setStroke)
        .method(sel::set, &UIColor::set)
        .build();
}
