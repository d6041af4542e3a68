#pragma once

#include "platform/uikit/UIView.h"

// A small standard picture the platform draws itself (a cell's checkmark or disclosure chevron,
// the reorder grip, the red delete and green insert circles). Its drawRect: paints it from its
// kind and colour.
class UIKitGlyphView : public UIView {
    OBJC_CLASS(_UIKitGlyphView)
public:
    enum class Glyph { Checkmark, Disclosure, Reorder, DeleteCircle, InsertCircle };

    static objc::Ref<UIKitGlyphView> create(Glyph glyph, CGRect frame);

    Glyph glyph() const { return m_glyph; }
    void setGlyph(Glyph glyph) { m_glyph = glyph; setNeedsDisplay(); }
    UIColor* color() const { return m_color.ptr(); }
    void setColor(UIColor* color) { m_color = color; setNeedsDisplay(); }

    static void registerClass(objc::Runtime&);

private:
    Glyph m_glyph = Glyph::Checkmark;
    objc::Ref<UIColor> m_color;
};
