#include "zarnekprefs/zarnekcolorpicker/UIColor+ZarnekHex.h"

#include "platform/foundation/NSScanner.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Category.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace zarnek {

objc::Ref<UIColor> colorFromHexString(const std::string& hex)
{
    unsigned int value = 0;
    objc::Ref<NSScanner> scanner = NSScanner::scannerWithString(hex);
    scanner->setScanLocation(1);
    if (!scanner->scanHexInt(&value))
        value = 0;
    return UIColor::colorWithRed(((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0, 1.0);
}

objc::Ref<UIImage> thumbnailWithSize(UIColor* colour, CGSize size)
{
    if (!colour || !(size.width > 0) || !(size.height > 0))
        return nullptr;
    UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), colour->CGColor().ptr());
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, size.width, size.height));
    objc::Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

std::string hexStringFromComponents(double red255, double green255, double blue255)
{
    auto part = [](double v) { return static_cast<int>(std::clamp(std::trunc(std::isfinite(v) ? v : 0.0), 0.0, 255.0)); };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", part(red255), part(green255), part(blue255));
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

void registerColorCategory(objc::Runtime& runtime)
{
    objc::Category<UIColor>(runtime, "UIColor")
        .classMethod(sel::colorFromHexString, &colorFromHexString)
        .method(sel::thumbnailWithSize, &thumbnailWithSize);
}

} // namespace zarnek
