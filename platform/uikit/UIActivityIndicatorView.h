#pragma once

#include "platform/uikit/UIView.h"

// The spinning wheel: large white (37 points) or small white or grey (20 points). Hidden while
// stopped unless told otherwise. While animating it turns round once a second in twelve steps (a
// layer animation: what is drawn turns, the view's geometry stays).
class UIActivityIndicatorView : public UIView {
    OBJC_CLASS(UIActivityIndicatorView)
public:
    // [[UIActivityIndicatorView alloc] initWithActivityIndicatorStyle:style]
    static objc::Ref<UIActivityIndicatorView> create(UIActivityIndicatorViewStyle style);

    UIActivityIndicatorViewStyle style() const { return m_style; }
    void setStyle(UIActivityIndicatorViewStyle style);
    UIColor* color() const { return m_color.ptr(); }
    void setColor(UIColor* color) { m_color = color; }
    bool isAnimating() const { return m_animating; }
    void startAnimating();
    void stopAnimating();
    bool hidesWhenStopped() const { return m_hidesWhenStopped; }
    void setHidesWhenStopped(bool on);

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithActivityIndicatorStyle(NSInteger style);

    UIActivityIndicatorViewStyle m_style = UIActivityIndicatorViewStyleWhite;
    objc::Ref<UIColor> m_color;
    bool m_animating = false;
    bool m_hidesWhenStopped = true;
};
