#pragma once

// UIBezierPath: a path in user space, filled, stroked or used as a clip in the current graphics
// context. Only the shapes the system draws: rectangles, rounded rectangles, ovals and polygons.

#include "platform/graphics/CGContext.h"
#include "platform/runtime/NSObject.h"

#include <vector>

class UIBezierPath : public objc::NSObject {
    OBJC_CLASS(UIBezierPath)
public:
    static objc::Ref<UIBezierPath> bezierPath();
    static objc::Ref<UIBezierPath> bezierPathWithRect(CGRect rect);
    static objc::Ref<UIBezierPath> bezierPathWithRoundedRect(CGRect rect, CGFloat cornerRadius);
    static objc::Ref<UIBezierPath> bezierPathWithOvalInRect(CGRect rect);

    void moveToPoint(CGPoint p);
    void addLineToPoint(CGPoint p);
    void addCurveToPoint(CGPoint end, CGPoint cp1, CGPoint cp2);
    void closePath();
    void appendPath(const UIBezierPath* other);
    bool isEmpty() const { return m_elements.empty(); }
    CGRect bounds() const;
    bool containsPoint(CGPoint p) const;

    CGFloat lineWidth() const { return m_lineWidth; }
    void setLineWidth(CGFloat width) { m_lineWidth = width; }
    bool usesEvenOddFillRule() const { return m_evenOdd; }
    void setUsesEvenOddFillRule(bool evenOdd) { m_evenOdd = evenOdd; }

    // In the current graphics context; nothing happens without one.
    void fill() const;
    void stroke() const;
    void addClip() const;
    // Replaces the context's current path with this one.
    void addToContext(CGContext* c) const;

    static void registerClass(objc::Runtime& runtime);

private:
    struct Element {
        enum Type { Move, Line, Curve, Close } type;
        CGPoint points[3];
    };
    std::vector<Element> m_elements;
    CGFloat m_lineWidth = 1;
    bool m_evenOdd = false;
};
