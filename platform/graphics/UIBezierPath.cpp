#include "platform/graphics/UIBezierPath.h"

#include "platform/graphics/GraphicsSelectors.h"
#include "platform/runtime/ClassBuilder.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Message.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

using objc::Ref;

namespace {

// Control-point distance of a cubic Bézier quarter circle of radius 1.
constexpr double kKappa = 0.5522847498;

} // namespace

Ref<UIBezierPath> UIBezierPath::bezierPath()
{
    graphics::ensureGraphicsClasses();
    return objc::make<UIBezierPath>();
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithRect(CGRect rect)
{
    rect = CGRectStandardize(rect);
    auto path = bezierPath();
    path->moveToPoint({ CGRectGetMinX(rect), CGRectGetMinY(rect) });
    path->addLineToPoint({ CGRectGetMaxX(rect), CGRectGetMinY(rect) });
    path->addLineToPoint({ CGRectGetMaxX(rect), CGRectGetMaxY(rect) });
    path->addLineToPoint({ CGRectGetMinX(rect), CGRectGetMaxY(rect) });
    path->closePath();
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithRoundedRect(CGRect rect, CGFloat cornerRadius)
{
    rect = CGRectStandardize(rect);
    double r = std::clamp(cornerRadius, 0.0, std::min(rect.size.width, rect.size.height) / 2);
    if (r <= 0)
        return bezierPathWithRect(rect);
    double x0 = CGRectGetMinX(rect), y0 = CGRectGetMinY(rect), x1 = CGRectGetMaxX(rect), y1 = CGRectGetMaxY(rect);
    double k = r * kKappa;
    auto path = bezierPath();
    path->moveToPoint({ x0 + r, y0 });
    path->addLineToPoint({ x1 - r, y0 });
    path->addCurveToPoint({ x1, y0 + r }, { x1 - r + k, y0 }, { x1, y0 + r - k });
    path->addLineToPoint({ x1, y1 - r });
    path->addCurveToPoint({ x1 - r, y1 }, { x1, y1 - r + k }, { x1 - r + k, y1 });
    path->addLineToPoint({ x0 + r, y1 });
    path->addCurveToPoint({ x0, y1 - r }, { x0 + r - k, y1 }, { x0, y1 - r + k });
    path->addLineToPoint({ x0, y0 + r });
    path->addCurveToPoint({ x0 + r, y0 }, { x0, y0 + r - k }, { x0 + r - k, y0 });
    path->closePath();
    return path;
}

Ref<UIBezierPath> UIBezierPath::bezierPathWithOvalInRect(CGRect rect)
{
    rect = CGRectStandardize(rect);
    double cx = CGRectGetMidX(rect), cy = CGRectGetMidY(rect), rx = rect.size.width / 2, ry = rect.size.height / 2;
    double kx = rx * kKappa, ky = ry * kKappa;
    auto path = bezierPath();
    path->moveToPoint({ cx + rx, cy });
    path->addCurveToPoint({ cx, cy + ry }, { cx + rx, cy + ky }, { cx + kx, cy + ry });
    path->addCurveToPoint({ cx - rx, cy }, { cx - kx, cy + ry }, { cx - rx, cy + ky });
    path->addCurveToPoint({ cx, cy - ry }, { cx - rx, cy - ky }, { cx - kx, cy - ry });
    path->addCurveToPoint({ cx + rx, cy }, { cx + kx, cy - ry }, { cx + rx, cy - ky });
    path->closePath();
    return path;
}

void UIBezierPath::moveToPoint(CGPoint p)
{
    m_elements.push_back({ Element::Move, { p } });
}

void UIBezierPath::addLineToPoint(CGPoint p)
{
    m_elements.push_back({ Element::Line, { p } });
}

void UIBezierPath::addCurveToPoint(CGPoint end, CGPoint cp1, CGPoint cp2)
{
    m_elements.push_back({ Element::Curve, { cp1, cp2, end } });
}

void UIBezierPath::closePath()
{
    m_elements.push_back({ Element::Close, {} });
}

void UIBezierPath::appendPath(const UIBezierPath* other)
{
    if (other)
        m_elements.insert(m_elements.end(), other->m_elements.begin(), other->m_elements.end());
}

CGRect UIBezierPath::bounds() const
{
    bool any = false;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (const auto& e : m_elements) {
        int count = e.type == Element::Curve ? 3 : e.type == Element::Close ? 0 : 1;
        for (int i = 0; i < count; ++i) {
            const CGPoint& p = e.points[i];
            if (!any) {
                x0 = x1 = p.x, y0 = y1 = p.y, any = true;
            }
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
        }
    }
    return any ? CGRectMake(x0, y0, x1 - x0, y1 - y0) : CGRectZero;
}

void UIBezierPath::addToContext(CGContext* c) const
{
    if (!c)
        return;
    CGContextBeginPath(c);
    for (const auto& e : m_elements) {
        switch (e.type) {
        case Element::Move: CGContextMoveToPoint(c, e.points[0].x, e.points[0].y); break;
        case Element::Line: CGContextAddLineToPoint(c, e.points[0].x, e.points[0].y); break;
        case Element::Curve: CGContextAddCurveToPoint(c, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y); break;
        case Element::Close: CGContextClosePath(c); break;
        }
    }
}

bool UIBezierPath::containsPoint(CGPoint p) const
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(surface);
    for (const auto& e : m_elements) {
        switch (e.type) {
        case Element::Move: cairo_move_to(cr, e.points[0].x, e.points[0].y); break;
        case Element::Line: cairo_line_to(cr, e.points[0].x, e.points[0].y); break;
        case Element::Curve: cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x, e.points[2].y); break;
        case Element::Close: cairo_close_path(cr); break;
        }
    }
    cairo_set_fill_rule(cr, m_evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    bool inside = cairo_in_fill(cr, p.x, p.y);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return inside;
}

void UIBezierPath::fill() const
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c)
        return;
    addToContext(c);
    CGContextDrawPath(c, m_evenOdd ? kCGPathEOFill : kCGPathFill);
}

void UIBezierPath::stroke() const
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c)
        return;
    CGContextSaveGState(c);
    CGContextSetLineWidth(c, m_lineWidth);
    addToContext(c);
    CGContextStrokePath(c);
    CGContextRestoreGState(c);
}

void UIBezierPath::addClip() const
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c)
        return;
    addToContext(c);
    if (m_evenOdd)
        CGContextEOClip(c);
    else
        CGContextClip(c);
}

void UIBezierPath::registerClass(objc::Runtime& runtime)
{
    namespace sel = graphics::sel;
    objc::ClassBuilder<UIBezierPath>(runtime, "NSObject")
        .classMethod(sel::bezierPath, &UIBezierPath::bezierPath)
        .classMethod(sel::bezierPathWithRect, &UIBezierPath::bezierPathWithRect)
        .classMethod(sel::bezierPathWithRoundedRectCornerRadius, &UIBezierPath::bezierPathWithRoundedRect)
        .classMethod(sel::bezierPathWithOvalInRect, &UIBezierPath::bezierPathWithOvalInRect)
        .method(sel::moveToPoint, &UIBezierPath::moveToPoint)
        .method(sel::addLineToPoint, &UIBezierPath::addLineToPoint)
        .method(sel::addCurveToPointControlPoint1ControlPoint2, &UIBezierPath::addCurveToPoint)
        .method(sel::closePath, &UIBezierPath::closePath)
        .method(sel::appendPath, &UIBezierPath::appendPath)
        .method(sel::bounds, &UIBezierPath::bounds)
        .method(sel::containsPoint, &UIBezierPath::containsPoint)
        .method(sel::lineWidth, &UIBezierPath::lineWidth)
        .method(sel::setLineWidth, &UIBezierPath::setLineWidth)
        .method(sel::fill, &UIBezierPath::fill)
        .method(sel::stroke, &UIBezierPath::stroke)
        .method(sel::addClip, &UIBezierPath::addClip)
        .build();
}
