#include "platform/uikit/UILabel.h"

#include "platform/uikit/TextLayout.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UILabel> UILabel::create(CGRect frame)
{
    auto label = objc::make<UILabel>();
    msgSend<Ref<objc::Object>>(label, "initWithFrame:", frame);
    return label;
}

void UILabel::setText(const std::string& text) { msgSend(this, "setText:", text); }
void UILabel::setFont(UIFont* font) { msgSend(this, "setFont:", font); }
void UILabel::setTextColor(UIColor* color) { msgSend(this, "setTextColor:", color); }

Ref<UIFont> UILabel::fontForDrawing() const
{
    Ref<UIFont> font(m_font);
    if (!m_adjustsFontSize || m_numberOfLines != 1 || m_minimumScaleFactor <= 0 || m_minimumScaleFactor >= 1 || !font)
        return font;
    uikit::TextStyle style { font, m_alignment, 1, m_lineBreakMode };
    CGFloat natural = uikit::measureText(m_text, style, 0).width;
    CGFloat room = bounds().size.width;
    if (natural <= room || natural <= 0)
        return font;
    // Widths grow with the size (unhinted metrics): one step to the size that fits, then a little
    // less while the measured text is still too wide.
    CGFloat smallest = font->pointSize() * m_minimumScaleFactor;
    CGFloat size = std::max(smallest, font->pointSize() * room / natural);
    Ref<UIFont> smaller = font->fontWithSize(size);
    for (int step = 0; step < 8 && size > smallest; ++step) {
        style.font = smaller;
        if (uikit::measureText(m_text, style, 0).width <= room)
            break;
        size = std::max(smallest, size - 0.25);
        smaller = font->fontWithSize(size);
    }
    return smaller;
}

namespace {

// -drawRect: the text in the label's font and colour (grey while disabled).
void drawRect(UILabel* self, SEL, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    UIColor* color = self->isHighlighted() && self->highlightedTextColor() ? self->highlightedTextColor() : self->textColor();
    Ref<UIColor> shown = self->isEnabled() ? Ref<UIColor>(color) : UIColor::colorWithWhite(0.6, 1);
    uikit::drawTextInRect(cr, self->text(), self->fontForDrawing().ptr(), shown, self->bounds(), self->textAlignment(), self->numberOfLines(), self->lineBreakMode());
}

} // namespace

void UILabel::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UILabel>("UIView");
    c->addMethod("drawRect:", drawRect);
    c->addMethod("initWithFrame:", [c](UILabel* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setUserInteractionEnabled(false);
        self->setOpaque(false);
        self->m_font = UIFont::systemFontOfSize(17);
        self->m_textColor = UIColor::blackColor();
        return Ref<objc::Object>(self);
    });
    c->addMethod("text", [](UILabel* self, SEL) { return self->text(); });
    c->addMethod("setText:", [](UILabel* self, SEL, std::string text) {
        if (self->m_text == text)
            return;
        self->m_text = std::move(text);
        self->setNeedsLayout();
    });
    c->addMethod("font", [](UILabel* self, SEL) { return Ref<UIFont>(self->font()); });
    c->addMethod("setFont:", [](UILabel* self, SEL, UIFont* font) { self->m_font = font ? Ref<UIFont>(font) : UIFont::systemFontOfSize(17); });
    c->addMethod("textColor", [](UILabel* self, SEL) { return Ref<UIColor>(self->textColor()); });
    c->addMethod("setTextColor:", [](UILabel* self, SEL, UIColor* color) { self->m_textColor = color ? Ref<UIColor>(color) : UIColor::blackColor(); });
    c->addMethod("setTextAlignment:", [](UILabel* self, SEL, NSInteger a) { self->setTextAlignment(static_cast<NSTextAlignment>(a)); });
    c->addMethod("setNumberOfLines:", [](UILabel* self, SEL, NSInteger n) { self->setNumberOfLines(n); });
    c->addMethod("setAdjustsFontSizeToFitWidth:", [](UILabel* self, SEL, bool on) { self->setAdjustsFontSizeToFitWidth(on); });
    c->addMethod("setMinimumScaleFactor:", [](UILabel* self, SEL, double factor) { self->setMinimumScaleFactor(factor); });
    c->addMethod("setLineBreakMode:", [](UILabel* self, SEL, NSInteger m) { self->setLineBreakMode(static_cast<NSLineBreakMode>(m)); });
    c->addMethod("sizeThatFits:", [](UILabel* self, SEL, CGSize size) {
        uikit::TextStyle style { self->font(), self->textAlignment(), self->numberOfLines(), self->lineBreakMode() };
        // A single line is as wide as its text; more lines wrap at the width asked about.
        CGFloat width = self->numberOfLines() == 1 ? 0 : size.width;
        return uikit::measureText(self->text(), style, width);
    });
}
