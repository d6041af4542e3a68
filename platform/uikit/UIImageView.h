#pragma once

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIView.h"

// Shows a picture, placed by the view's content mode. Does not take touches unless told to.
class UIImageView : public UIView {
    OBJC_CLASS(UIImageView)
public:
    // [[UIImageView alloc] initWithImage:image]: the frame takes the image's size.
    static objc::Ref<UIImageView> createWithImage(UIImage* image);
    static objc::Ref<UIImageView> create(CGRect frame = CGRectZero);

    UIImage* image() const { return m_image.ptr(); }
    void setImage(UIImage* image);
    UIImage* highlightedImage() const { return m_highlightedImage.ptr(); }
    void setHighlightedImage(UIImage* image) { m_highlightedImage = image; setNeedsDisplay(); }
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool on) { m_highlighted = on; setNeedsDisplay(); }

    // Where the picture lands inside `bounds` for a content mode (in the view's coordinates).
    static CGRect imageRectForContentMode(UIViewContentMode mode, CGSize imageSize, CGRect bounds);

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders have the plain names.
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    objc::Ref<objc::Object> initWithImage(UIImage* image);
    void storeImage(UIImage* image);

    objc::Ref<UIImage> m_image;
    objc::Ref<UIImage> m_highlightedImage;
    bool m_highlighted = false;
};
