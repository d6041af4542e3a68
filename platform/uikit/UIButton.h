#pragma once

#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

#include <map>
#include <string>

// A control with a title, an image and a background image per control state. The title lives in
// `titleLabel`, the image in `imageView`; both are laid out centred in the content rectangle
// (bounds less the content insets), image first, each within its own insets.
class UIButton : public UIControl {
    OBJC_CLASS(UIButton)
public:
    // +[UIButton buttonWithType:]
    static objc::Ref<UIButton> buttonWithType(UIButtonType type);

    UIButtonType buttonType() const { return m_type; }

    void setTitle(const std::string& title, NSUInteger state);
    std::string titleForState(NSUInteger state) const;
    void setTitleColor(UIColor* color, NSUInteger state);
    objc::Ref<UIColor> titleColorForState(NSUInteger state) const;
    void setImage(UIImage* image, NSUInteger state);
    UIImage* imageForState(NSUInteger state) const;
    void setBackgroundImage(UIImage* image, NSUInteger state);
    UIImage* backgroundImageForState(NSUInteger state) const;

    std::string currentTitle() const { return titleForState(state()); }
    objc::Ref<UIColor> currentTitleColor() const { return titleColorForState(state()); }
    UIImage* currentImage() const { return imageForState(state()); }
    UIImage* currentBackgroundImage() const { return backgroundImageForState(state()); }

    UILabel* titleLabel() const { return m_titleLabel.ptr(); }
    UIImageView* imageView() const { return m_imageView.ptr(); }
    UIImageView* backgroundImageView() const { return m_backgroundImageView.ptr(); }

    UIEdgeInsets titleEdgeInsets() const { return m_titleInsets; }
    void setTitleEdgeInsets(UIEdgeInsets insets);
    UIEdgeInsets imageEdgeInsets() const { return m_imageInsets; }
    void setImageEdgeInsets(UIEdgeInsets insets);
    UIEdgeInsets contentEdgeInsets() const { return m_contentInsets; }
    void setContentEdgeInsets(UIEdgeInsets insets);

    static void registerClass(objc::Runtime&);

private:
    // Runtime methods whose C++ senders above have the plain names.
    static objc::Ref<UIButton> newButtonWithType(NSInteger type);
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void storeTitle(std::string title, NSUInteger state);
    void storeTitleColor(UIColor* color, NSUInteger state);
    void storeImage(UIImage* image, NSUInteger state);
    void storeBackgroundImage(UIImage* image, NSUInteger state);
    CGSize fittingSize(CGSize size);

    // Shows the current state's title, colour and images.
    void updateContent();
    void layoutContent();

    UIButtonType m_type = UIButtonTypeCustom;
    std::map<NSUInteger, std::string> m_titles;
    std::map<NSUInteger, objc::Ref<UIColor>> m_titleColors;
    std::map<NSUInteger, objc::Ref<UIImage>> m_images;
    std::map<NSUInteger, objc::Ref<UIImage>> m_backgroundImages;
    objc::Ref<UILabel> m_titleLabel;
    objc::Ref<UIImageView> m_imageView;
    objc::Ref<UIImageView> m_backgroundImageView;
    UIEdgeInsets m_titleInsets, m_imageInsets, m_contentInsets;
};
