#include "CGGeometry.h"

#include <algorithm>


CGRect CGRectStandardize(CGRect r)
{
    if (r.size.width < 0) {
        r.origin.x += r.size.width;
        r.size.width = -r.size.width;
    }
    if (r.size.height < 0) {
        r.origin.y += r.size.height;
        r.size.height = -r.size.height;
    }
    return r;
}

bool CGRectIsEmpty(CGRect r) { return r.size.width == 0 || r.size.height == 0; }

bool CGRectContainsPoint(CGRect r, CGPoint p)
{
    r = CGRectStandardize(r);
    return p.x >= r.origin.x && p.x < r.origin.x + r.size.width && p.y >= r.origin.y && p.y < r.origin.y + r.size.height;
}

bool CGRectContainsRect(CGRect outer, CGRect inner)
{
    outer = CGRectStandardize(outer);
    inner = CGRectStandardize(inner);
    return inner.origin.x >= outer.origin.x && inner.origin.y >= outer.origin.y && CGRectGetMaxX(inner) <= CGRectGetMaxX(outer)
        && CGRectGetMaxY(inner) <= CGRectGetMaxY(outer);
}

CGRect CGRectIntersection(CGRect a, CGRect b)
{
    a = CGRectStandardize(a);
    b = CGRectStandardize(b);
    CGFloat x1 = std::max(a.origin.x, b.origin.x), y1 = std::max(a.origin.y, b.origin.y);
    CGFloat x2 = std::min(CGRectGetMaxX(a), CGRectGetMaxX(b)), y2 = std::min(CGRectGetMaxY(a), CGRectGetMaxY(b));
    if (x2 <= x1 || y2 <= y1)
        return CGRectZero;
    return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

bool CGRectIntersectsRect(CGRect a, CGRect b) { return !CGRectIsEmpty(CGRectIntersection(a, b)); }

CGRect CGRectUnion(CGRect a, CGRect b)
{
    if (CGRectIsEmpty(a))
        return CGRectStandardize(b);
    if (CGRectIsEmpty(b))
        return CGRectStandardize(a);
    a = CGRectStandardize(a);
    b = CGRectStandardize(b);
    CGFloat x1 = std::min(a.origin.x, b.origin.x), y1 = std::min(a.origin.y, b.origin.y);
    CGFloat x2 = std::max(CGRectGetMaxX(a), CGRectGetMaxX(b)), y2 = std::max(CGRectGetMaxY(a), CGRectGetMaxY(b));
    return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy)
{
    r = CGRectStandardize(r);
    return CGRectMake(r.origin.x + dx, r.origin.y + dy, std::max(0.0, r.size.width - 2 * dx), std::max(0.0, r.size.height - 2 * dy));
}

CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy) { return CGRectMake(r.origin.x + dx, r.origin.y + dy, r.size.width, r.size.height); }

CGRect CGRectIntegral(CGRect r)
{
    r = CGRectStandardize(r);
    CGFloat x1 = std::floor(r.origin.x), y1 = std::floor(r.origin.y);
    CGFloat x2 = std::ceil(r.origin.x + r.size.width), y2 = std::ceil(r.origin.y + r.size.height);
    return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

CGRect UIEdgeInsetsInsetRect(CGRect r, UIEdgeInsets i)
{
    return CGRectMake(r.origin.x + i.left, r.origin.y + i.top, r.size.width - i.left - i.right, r.size.height - i.top - i.bottom);
}

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx, CGFloat ty) { return { a, b, c, d, tx, ty }; }
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty) { return { 1, 0, 0, 1, tx, ty }; }
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) { return { sx, 0, 0, sy, 0, 0 }; }
CGAffineTransform CGAffineTransformMakeRotation(CGFloat r) { return { std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0 }; }

CGAffineTransform CGAffineTransformConcat(CGAffineTransform t1, CGAffineTransform t2)
{
    return { t1.a * t2.a + t1.b * t2.c, t1.a * t2.b + t1.b * t2.d, t1.c * t2.a + t1.d * t2.c, t1.c * t2.b + t1.d * t2.d,
        t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty };
}

CGAffineTransform CGAffineTransformTranslate(CGAffineTransform t, CGFloat tx, CGFloat ty) { return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t); }
CGAffineTransform CGAffineTransformScale(CGAffineTransform t, CGFloat sx, CGFloat sy) { return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t); }
CGAffineTransform CGAffineTransformRotate(CGAffineTransform t, CGFloat r) { return CGAffineTransformConcat(CGAffineTransformMakeRotation(r), t); }

CGAffineTransform CGAffineTransformInvert(CGAffineTransform t)
{
    CGFloat det = t.a * t.d - t.b * t.c;
    if (det == 0)
        return t; // the platform hands back a singular transform unchanged
    return { t.d / det, -t.b / det, -t.c / det, t.a / det, (t.c * t.ty - t.d * t.tx) / det, (t.b * t.tx - t.a * t.ty) / det };
}

bool CGAffineTransformIsIdentity(CGAffineTransform t) { return t == CGAffineTransformIdentity; }

CGPoint CGPointApplyAffineTransform(CGPoint p, CGAffineTransform t) { return { t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty }; }
CGSize CGSizeApplyAffineTransform(CGSize s, CGAffineTransform t) { return { t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height }; }

CGRect CGRectApplyAffineTransform(CGRect r, CGAffineTransform t)
{
    r = CGRectStandardize(r);
    CGPoint p[4] = { CGPointApplyAffineTransform(r.origin, t), CGPointApplyAffineTransform({ CGRectGetMaxX(r), r.origin.y }, t),
        CGPointApplyAffineTransform({ r.origin.x, CGRectGetMaxY(r) }, t), CGPointApplyAffineTransform({ CGRectGetMaxX(r), CGRectGetMaxY(r) }, t) };
    CGFloat x1 = p[0].x, x2 = p[0].x, y1 = p[0].y, y2 = p[0].y;
    for (auto& q : p) {
        x1 = std::min(x1, q.x);
        x2 = std::max(x2, q.x);
        y1 = std::min(y1, q.y);
        y2 = std::max(y2, q.y);
    }
    return CGRectMake(x1, y1, x2 - x1, y2 - y1);
}

