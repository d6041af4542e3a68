#pragma once

#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIFont.h"

#include <string>

enum UITextBorderStyle : NSInteger {
    UITextBorderStyleNone,
    UITextBorderStyleLine,
    UITextBorderStyleBezel,
    UITextBorderStyleRoundedRect,
};

// An editable line of text. A tap makes it the first responder; typing (the touch driver's
// typeText) appends to its text and sends editing-changed.
class UITextField : public UIControl {
    OBJC_CLASS(UITextField)
public:
    static objc::Ref<UITextField> create(CGRect frame = CGRectZero);

    const std::string& text() const { return m_text; }
    void setText(const std::string& text);
    const std::string& placeholder() const { return m_placeholder; }
    void setPlaceholder(std::string p) { m_placeholder = std::move(p); }
    UIFont* font() const { return m_font.ptr(); }
    void setFont(UIFont* font) { m_font = font ? objc::Ref<UIFont>(font) : UIFont::systemFontOfSize(17); }
    UIColor* textColor() const { return m_textColor.ptr(); }
    void setTextColor(UIColor* color) { m_textColor = color; }
    NSTextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(NSTextAlignment a) { m_alignment = a; }
    UITextBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(UITextBorderStyle s) { m_borderStyle = s; }
    UIKeyboardType keyboardType() const { return m_keyboardType; }
    void setKeyboardType(UIKeyboardType t) { m_keyboardType = t; }
    bool isSecureTextEntry() const { return m_secure; }
    void setSecureTextEntry(bool on) { m_secure = on; }
    objc::Object* delegate() const { return m_delegate.ptr(); }
    void setDelegate(objc::Object* d) { m_delegate = d; }

    // What the keyboard does: inserts at the end, asking the delegate's
    // textField:shouldChangeCharactersInRange:replacementString: is not supported; sends
    // editing-changed.
    void insertText(const std::string& text);
    void deleteBackward();

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void storeText(std::string text);
    bool canFocus();
    bool focus();
    bool unfocus();
    void touchesEndedFocusing(const UITouchSet& touches, UIEvent* event);

    std::string m_text;
    std::string m_placeholder;
    objc::Ref<UIFont> m_font;
    objc::Ref<UIColor> m_textColor;
    NSTextAlignment m_alignment = NSTextAlignmentNatural;
    UITextBorderStyle m_borderStyle = UITextBorderStyleNone;
    UIKeyboardType m_keyboardType = UIKeyboardTypeDefault;
    bool m_secure = false;
    objc::WeakRef<objc::Object> m_delegate;
};
