#include "platform/uikit/UIKitGlyphView.h"

using objc::Ref;

Ref<UIKitGlyphView> UIKitGlyphView::create(Glyph glyph, CGRect frame)
{
    auto view = objc::make<UIKitGlyphView>();
    objc::msgSend<Ref<objc::Object>>(view, "initWithFrame:", frame);
    view->m_glyph = glyph;
    view->setOpaque(false);
    view->setUserInteractionEnabled(false);
    return view;
}

void UIKitGlyphView::registerClass(objc::Runtime& rt) { rt.registerClass<UIKitGlyphView>("UIView"); }
