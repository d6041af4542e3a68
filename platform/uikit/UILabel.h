#pragma once

#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIView.h"

#include <string>

// A read-only text: font, colour, alignment, number of lines and line breaking. Does not take
// touches unless told to.
class UILabel : public UIView {
    OBJC_CLASS(UILabel)
public:
    static objc::Ref<UILabel> create(CGRect frame = CGRectZero);

    const std::string& text() const { return m_text; }
    void setText(const std::string& text);
    UIFont* font() const { return m_font.ptr(); }
    void setFont(UIFont* font);
    UIColor* textColor() const { return m_textColor.ptr(); }
    void setTextColor(UIColor* color);
    UIColor* highlightedTextColor() const { return m_highlightedTextColor.ptr(); }
    void setHighlightedTextColor(UIColor* color) { m_highlightedTextColor = color; setNeedsDisplay(); }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on) { m_highlighted = on; setNeedsDisplay(); }
    NSTextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(NSTextAlignment a) { m_alignment = a; setNeedsDisplay(); }
    NSInteger numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(NSInteger n) { m_numberOfLines = n; setNeedsDisplay(); }
    NSLineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(NSLineBreakMode mode) { m_lineBreakMode = mode; setNeedsDisplay(); }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; setNeedsDisplay(); }
    // A one-line label that adjusts draws a text too wide for it in a smaller size, down to
    // minimumScaleFactor of its font's (0: not smaller at all), and truncates what still does not fit.
    bool adjustsFontSizeToFitWidth() const { return m_adjustsFontSize; }
    void setAdjustsFontSizeToFitWidth(bool on) { m_adjustsFontSize = on; setNeedsDisplay(); }
    CGFloat minimumScaleFactor() const { return m_minimumScaleFactor; }
    void setMinimumScaleFactor(CGFloat factor) { m_minimumScaleFactor = factor; setNeedsDisplay(); }
    // The font the text is drawn in: the label's font, or a smaller one when it adjusts.
    objc::Ref<UIFont> fontForDrawing() const;

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders above have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void storeText(std::string text);
    void storeFont(UIFont* font);
    void storeTextColor(UIColor* color);

    std::string m_text;
    objc::Ref<UIFont> m_font;
    objc::Ref<UIColor> m_textColor;
    objc::Ref<UIColor> m_highlightedTextColor;
    bool m_highlighted = false;
    NSTextAlignment m_alignment = NSTextAlignmentNatural;
    NSInteger m_numberOfLines = 1;
    NSLineBreakMode m_lineBreakMode = NSLineBreakByTruncatingTail;
    bool m_enabled = true;
    bool m_adjustsFontSize = false;
    CGFloat m_minimumScaleFactor = 0;
};
