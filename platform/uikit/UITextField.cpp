#include "platform/uikit/UITextField.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>

using objc::Ref;

Ref<UITextField> UITextField::create(CGRect frame)
{
    auto field = objc::make<UITextField>();
    uikit::sel::initWithFrame(field, frame);
    return field;
}

void UITextField::setText(const std::string& text) { uikit::sel::setText(this, text); }

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
void drawField(UITextField* self, CGRect)
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

Ref<objc::Object> UITextField::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UITextField>(), this, frame);
    m_font = UIFont::systemFontOfSize(17);
    m_textColor = UIColor::blackColor();
    setOpaque(false);
    return Ref<objc::Object>(this);
}

void UITextField::storeText(std::string text) { m_text = std::move(text); }

bool UITextField::canFocus() { return isEnabled(); }

bool UITextField::focus()
{
    bool became = uikit::sel::becomeFirstResponder.sendSuper(objc::classOf<UITextField>(), this);
    if (became)
        sendActionsForControlEvents(UIControlEventEditingDidBegin);
    return became;
}

bool UITextField::unfocus()
{
    bool wasFirst = isFirstResponder();
    bool resigned = uikit::sel::resignFirstResponder.sendSuper(objc::classOf<UITextField>(), this);
    if (wasFirst && resigned)
        sendActionsForControlEvents(UIControlEventEditingDidEnd);
    return resigned;
}

// A tap inside focuses the field.
void UITextField::touchesEndedFocusing(const UITouchSet& touches, UIEvent* event)
{
    uikit::sel::touchesEndedWithEvent.sendSuper(objc::classOf<UITextField>(), this, touches, event);
    if (isTouchInside())
        becomeFirstResponder();
}

void UITextField::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UITextField>(rt, "UIControl")
        .method(sel::drawRect, &drawField)
        .method(sel::initWithFrame, &UITextField::initWithFrame)
        .method(sel::text, &UITextField::text)
        .method(sel::setText, &UITextField::storeText)
        .method(sel::placeholder, &UITextField::placeholder)
        .method(sel::setPlaceholder, &UITextField::setPlaceholder)
        .method(sel::setKeyboardType, &UITextField::setKeyboardType)
        .method(sel::keyboardType, &UITextField::keyboardType)
        .method(sel::setSecureTextEntry, &UITextField::setSecureTextEntry)
        .method(sel::setBorderStyle, &UITextField::setBorderStyle)
        .method(sel::setDelegate, &UITextField::setDelegate)
        .method(sel::setFont, &UITextField::setFont)
        .method(sel::setTextColor, &UITextField::setTextColor)
        .method(sel::setTextAlignment, &UITextField::setTextAlignment)
        .method(sel::canBecomeFirstResponder, &UITextField::canFocus)
        .method(sel::becomeFirstResponder, &UITextField::focus)
        .method(sel::resignFirstResponder, &UITextField::unfocus)
        .method(sel::touchesEndedWithEvent, &UITextField::touchesEndedFocusing)
        .build();
}
