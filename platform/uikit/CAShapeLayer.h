#pragma once

#include "platform/graphics/UIBezierPath.h"
#include "platform/uikit/CALayer.h"

#include <string>

// A layer that is a filled path. Used as a view's layer mask: where the path is filled, the view
// shows. The path is a UIBezierPath (this platform's graphics layer has no separate CGPath type),
// in the layer's coordinates, which are offset by the layer's frame origin in its owner's.
class CAShapeLayer : public CALayer {
    OBJC_CLASS(CAShapeLayer)
public:
    UIBezierPath* path() const { return m_path.ptr(); }
    void setPath(UIBezierPath* path) { m_path = path; }
    const CGColorRef& fillColor() const { return m_fillColor; }
    void setFillColor(CGColorRef color) { m_fillColor = std::move(color); }
    // "non-zero" (the default) or "even-odd".
    const std::string& fillRule() const { return m_fillRule; }
    void setFillRule(std::string rule) { m_fillRule = std::move(rule); }
    bool usesEvenOddFill() const { return m_fillRule == "even-odd" || (m_path && m_path->usesEvenOddFillRule()); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<UIBezierPath> m_path;
    CGColorRef m_fillColor;
    std::string m_fillRule = "non-zero";
};

inline const char* const kCAFillRuleNonZero = "non-zero";
inline const char* const kCAFillRuleEvenOdd = "even-odd";
