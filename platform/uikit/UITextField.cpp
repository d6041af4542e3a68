#include "platform/uikit/UITextField.h"

#include "platform/uikit/TextLayout.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UITextField> UITextField::create(CGRect frame)
{
    auto field = objc::make<UITextField>();
    msgSend<Ref<objc::Object>>(field, "initWithFrame:", frame);
    return field;
}

void UITextField::setText(const std::string& text) { msgSend(this, "setText:", text); }

void UITextField::insertText(const std::string& text)
{
    if (text.empty())
        return;
    m_text += text;
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::deleteBackward()
{
    if (m_text.empty())
        return;
    // Remove one UTF-8 character.
    size_t at = m_text.size() - 1;
    while (at > 0 && (static_cast<unsigned char>(m_text[at]) & 0xC0) == 0x80)
        --at;
    m_text.erase(at);
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

namespace {

// -drawRect: the border, the text (or the placeholder) and, while editing, the caret.
void drawRect(UITextField* self, SEL, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    CGRect b = self->bounds();
    if (self->borderStyle() == UITextBorderStyleRoundedRect) {
        uikit::addRoundedRect(cr, CGRectInset(b, 0.5, 0.5), 5);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.8, 0.8, 0.82);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    } else if (self->borderStyle() == UITextBorderStyleLine || self->borderStyle() == UITextBorderStyleBezel) {
        cairo_rectangle(cr, b.origin.x + 0.5, b.origin.y + 0.5, b.size.width - 1, b.size.height - 1);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    CGRect inner = CGRectInset(b, 6, 0);
    if (self->text().empty()) {
        uikit::drawTextInRect(cr, self->placeholder(), self->font(), UIColor::colorWithWhite(0.7, 1), inner, NSTextAlignmentLeft);
    } else {
        std::string shown = self->isSecureTextEntry() ? std::string(self->text().size(), '*') : self->text();
        uikit::drawTextInRect(cr, shown, self->font(), self->textColor(), inner, self->textAlignment(), 1, NSLineBreakByTruncatingHead);
    }
    if (self->isFirstResponder()) {
        // The caret after the text.
        uikit::TextStyle style { self->font(), NSTextAlignmentLeft, 1, NSLineBreakByClipping };
        double w = std::min(uikit::measureText(self->text(), style, 0).width, inner.size.width);
        cairo_set_source_rgb(cr, 0, 0.478, 1);
        cairo_rectangle(cr, inner.origin.x + w + 1, CGRectGetMidY(b) - 9, 2, 18);
        cairo_fill(cr);
    }
}

} // namespace

void UITextField::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UITextField>("UIControl");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithFrame:", [c](UITextField* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->m_font = UIFont::systemFontOfSize(17);
        self->m_textColor = UIColor::blackColor();
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    c->addMethod("text", [](UITextField* self, SEL) { return self->text(); });
    c->addMethod("setText:", [](UITextField* self, SEL, std::string text) { self->m_text = std::move(text); });
    c->addMethod("placeholder", [](UITextField* self, SEL) { return self->placeholder(); });
    c->addMethod("setPlaceholder:", [](UITextField* self, SEL, std::string p) { self->setPlaceholder(std::move(p)); });
    c->addMethod("setKeyboardType:", [](UITextField* self, SEL, NSInteger t) { self->setKeyboardType(static_cast<UIKeyboardType>(t)); });
    c->addMethod("keyboardType", [](UITextField* self, SEL) { return self->keyboardType(); });
    c->addMethod("setSecureTextEntry:", [](UITextField* self, SEL, bool on) { self->setSecureTextEntry(on); });
    c->addMethod("setBorderStyle:", [](UITextField* self, SEL, NSInteger s) { self->setBorderStyle(static_cast<UITextBorderStyle>(s)); });
    c->addMethod("setDelegate:", [](UITextField* self, SEL, objc::Object* d) { self->setDelegate(d); });
    c->addMethod("setFont:", [](UITextField* self, SEL, UIFont* f) { self->setFont(f); });
    c->addMethod("setTextColor:", [](UITextField* self, SEL, UIColor* color) { self->setTextColor(color); });
    c->addMethod("setTextAlignment:", [](UITextField* self, SEL, NSInteger a) { self->setTextAlignment(static_cast<NSTextAlignment>(a)); });
    c->addMethod("canBecomeFirstResponder", [](UITextField* self, SEL) { return self->isEnabled(); });
    c->addMethod("becomeFirstResponder", [c](UITextField* self, SEL) {
        bool became = objc::msgSendSuper<bool>(c, self, "becomeFirstResponder");
        if (became)
            self->sendActionsForControlEvents(UIControlEventEditingDidBegin);
        return became;
    });
    c->addMethod("resignFirstResponder", [c](UITextField* self, SEL) {
        bool wasFirst = self->isFirstResponder();
        bool resigned = objc::msgSendSuper<bool>(c, self, "resignFirstResponder");
        if (wasFirst && resigned)
            self->sendActionsForControlEvents(UIControlEventEditingDidEnd);
        return resigned;
    });
    // A tap inside focuses the field.
    c->addMethod("touchesEnded:withEvent:", [c](UITextField* self, SEL, const UITouchSet& touches, UIEvent* event) {
        objc::msgSendSuper(c, self, "touchesEnded:withEvent:", touches, event);
        if (self->isTouchInside())
            self->becomeFirstResponder();
    });
}
