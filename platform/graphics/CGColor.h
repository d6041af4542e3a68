#pragma once

// Core Graphics colour spaces and colours. Handles are reference counted: CGColorSpaceRef and
// CGColorRef are strong references, so the *Release functions are no-ops kept for code written
// in the platform's style.

#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Object.h"

#include <cstddef>
#include <vector>

enum CGColorSpaceModel : int {
    kCGColorSpaceModelUnknown = -1,
    kCGColorSpaceModelMonochrome = 0,
    kCGColorSpaceModelRGB = 1,
};

class CGColorSpace final : public objc::Object {
public:
    explicit CGColorSpace(CGColorSpaceModel model)
        : m_model(model)
    {
    }
    CGColorSpaceModel model() const { return m_model; }
    size_t numberOfComponents() const { return m_model == kCGColorSpaceModelRGB ? 3 : 1; }

private:
    CGColorSpaceModel m_model;
};
using CGColorSpaceRef = objc::Ref<CGColorSpace>;

CGColorSpaceRef CGColorSpaceCreateDeviceRGB();
CGColorSpaceRef CGColorSpaceCreateDeviceGray();
CGColorSpaceModel CGColorSpaceGetModel(const CGColorSpace* space);
size_t CGColorSpaceGetNumberOfComponents(const CGColorSpace* space);
inline void CGColorSpaceRelease(const CGColorSpace*) { }
inline CGColorSpaceRef CGColorSpaceRetain(CGColorSpace* space) { return space; }

// A colour: components in its colour space followed by alpha (grey + alpha, or red, green, blue +
// alpha), each in 0…1.
class CGColor final : public objc::Object {
public:
    CGColor(CGColorSpaceRef space, std::vector<CGFloat> components)
        : m_space(std::move(space))
        , m_components(std::move(components))
    {
    }
    const CGColorSpaceRef& colorSpace() const { return m_space; }
    const std::vector<CGFloat>& components() const { return m_components; }
    CGFloat alpha() const { return m_components.empty() ? 0 : m_components.back(); }
    // Red, green, blue and alpha whatever the colour space.
    void getRGBA(CGFloat rgba[4]) const;

private:
    CGColorSpaceRef m_space;
    std::vector<CGFloat> m_components;
};
using CGColorRef = objc::Ref<CGColor>;

// `components` holds the colour space's components plus alpha. Null when either is null.
CGColorRef CGColorCreate(const CGColorSpace* space, const CGFloat* components);
CGColorRef CGColorCreateCopyWithAlpha(const CGColor* color, CGFloat alpha);
CGColorSpaceRef CGColorGetColorSpace(const CGColor* color);
size_t CGColorGetNumberOfComponents(const CGColor* color);
const CGFloat* CGColorGetComponents(const CGColor* color);
CGFloat CGColorGetAlpha(const CGColor* color);
bool CGColorEqualToColor(const CGColor* a, const CGColor* b);
inline void CGColorRelease(const CGColor*) { }
inline CGColorRef CGColorRetain(CGColor* color) { return color; }
