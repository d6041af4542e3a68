#include "platform/uikit/UILabel.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/ViewDrawing.h"

#include <cairo.h>

#include <algorithm>

using objc::Ref;

Ref<UILabel> UILabel::create(CGRect frame)
{
    auto label = objc::make<UILabel>();
    uikit::sel::initWithFrame(label, frame);
    return label;
}

void UILabel::setText(const std::string& text) { uikit::sel::setText(this, text); }
void UILabel::setFont(UIFont* font) { uikit::sel::setFont(this, font); }
void UILabel::setTextColor(UIColor* color) { uikit::sel::setTextColor(this, color); }

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
void drawLabel(UILabel* self, CGRect)
{
    cairo_t* cr = uikit::currentCairoContext();
    if (!cr)
        return;
    UIColor* color = self->isHighlighted() && self->highlightedTextColor() ? self->highlightedTextColor() : self->textColor();
    Ref<UIColor> shown = self->isEnabled() ? Ref<UIColor>(color) : UIColor::colorWithWhite(0.6, 1);
    uikit::drawTextInRect(cr, self->text(), self->fontForDrawing().ptr(), shown, self->bounds(), self->textAlignment(), self->numberOfLines(), self->lineBreakMode());
}

} // namespace

// Registration -----------------------------------------------------------------------------------

Ref<objc::Object> UILabel::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<UILabel>(), this, frame);
    setUserInteractionEnabled(false);
    setOpaque(false);
    m_font = UIFont::systemFontOfSize(17);
    m_textColor = UIColor::blackColor();
    return Ref<objc::Object>(this);
}

void UILabel::storeText(std::string text)
{
    if (m_text == text)
        return;
    m_text = std::move(text);
    setNeedsLayout();
    setNeedsDisplay();
}

void UILabel::storeFont(UIFont* font)
{
    m_font = font ? Ref<UIFont>(font) : UIFont::systemFontOfSize(17);
    setNeedsDisplay();
}

void UILabel::storeTextColor(UIColor* color)
{
    m_textColor = color ? Ref<UIColor>(color) : UIColor::blackColor();
    setNeedsDisplay();
}

namespace {

CGSize labelSize(UILabel* self, CGSize size)
{
    uikit::TextStyle style { self->font(), self->textAlignment(), self->numberOfLines(), self->lineBreakMode() };
    // A single line is as wide as its text; more lines wrap at the width asked about.
    CGFloat width = self->numberOfLines() == 1 ? 0 : size.width;
    return uikit::measureText(self->text(), style, width);
}

} // namespace

void UILabel::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UILabel>(rt, "UIView")
        .method(sel::drawRect, &drawLabel)
        .method(sel::initWithFrame, &UILabel::initWithFrame)
        .method(sel::text, &UILabel::text)
        .method(sel::setText, &UILabel::storeText)
        .method(sel::font, &UILabel::font)
        .method(sel::setFont, &UILabel::storeFont)
        .method(sel::textColor, &UILabel::textColor)
        .method(sel::setTextColor, &UILabel::storeTextColor)
        .method(sel::setTextAlignment, &UILabel::setTextAlignment)
        .method(sel::setNumberOfLines, &UILabel::setNumberOfLines)
        .method(sel::setAdjustsFontSizeToFitWidth, &UILabel::setAdjustsFontSizeToFitWidth)
        .method(sel::setMinimumScaleFactor, &UILabel::setMinimumScaleFactor)
        .method(sel::setLineBreakMode, &UILabel::setLineBreakMode)
        .method(sel::sizeThatFits, &labelSize)
        .build();
}
