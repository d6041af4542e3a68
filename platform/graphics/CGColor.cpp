#include "platform/graphics/CGColor.h"

#include <algorithm>

CGColorSpaceRef CGColorSpaceCreateDeviceRGB()
{
    return CGColorSpaceRef::adopt(new CGColorSpace(kCGColorSpaceModelRGB));
}

CGColorSpaceRef CGColorSpaceCreateDeviceGray()
{
    return CGColorSpaceRef::adopt(new CGColorSpace(kCGColorSpaceModelMonochrome));
}

CGColorSpaceModel CGColorSpaceGetModel(const CGColorSpace* space)
{
    return space ? space->model() : kCGColorSpaceModelUnknown;
}

size_t CGColorSpaceGetNumberOfComponents(const CGColorSpace* space)
{
    return space ? space->numberOfComponents() : 0;
}

void CGColor::getRGBA(CGFloat rgba[4]) const
{
    if (m_components.size() >= 4) {
        std::copy_n(m_components.begin(), 4, rgba);
    } else if (m_components.size() == 2) {
        rgba[0] = rgba[1] = rgba[2] = m_components[0];
        rgba[3] = m_components[1];
    } else {
        rgba[0] = rgba[1] = rgba[2] = 0;
        rgba[3] = alpha();
    }
}

CGColorRef CGColorCreate(const CGColorSpace* space, const CGFloat* components)
{
    if (!space || !components)
        return nullptr;
    size_t count = space->numberOfComponents() + 1;
    std::vector<CGFloat> values(components, components + count);
    for (auto& v : values)
        v = std::clamp(v, 0.0, 1.0);
    return CGColorRef::adopt(new CGColor(const_cast<CGColorSpace*>(space), std::move(values)));
}

CGColorRef CGColorCreateCopyWithAlpha(const CGColor* color, CGFloat alpha)
{
    if (!color)
        return nullptr;
    auto values = color->components();
    values.back() = std::clamp(alpha, 0.0, 1.0);
    return CGColorRef::adopt(new CGColor(color->colorSpace(), std::move(values)));
}

CGColorSpaceRef CGColorGetColorSpace(const CGColor* color)
{
    return color ? color->colorSpace() : nullptr;
}

size_t CGColorGetNumberOfComponents(const CGColor* color)
{
    return color ? color->components().size() : 0;
}

const CGFloat* CGColorGetComponents(const CGColor* color)
{
    return color ? color->components().data() : nullptr;
}

CGFloat CGColorGetAlpha(const CGColor* color)
{
    return color ? color->alpha() : 0;
}

bool CGColorEqualToColor(const CGColor* a, const CGColor* b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    return CGColorSpaceGetModel(a->colorSpace()) == CGColorSpaceGetModel(b->colorSpace()) && a->components() == b->components();
}
