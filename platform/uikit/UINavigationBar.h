#pragma once

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"

#include <functional>
#include <vector>

class UINavigationItem;
class UIBarButtonItem;

// The bar at the top of a navigation controller: the top item's prompt, title and bar buttons,
// and a back button titled after the item below it. It reaches up under the status bar.
class UINavigationBar : public UIView {
    OBJC_CLASS(UINavigationBar)
public:
    static objc::Ref<UINavigationBar> create(CGRect frame);

    // Shows `top`; `back` is the item below it (none at the root).
    void showItems(UINavigationItem* top, UINavigationItem* back);
    void setBackAction(std::function<void()> action) { m_backAction = std::move(action); }
    // Height of the bar's own content (44, or 74 with a prompt), without the status bar.
    CGFloat contentHeight() const;
    void setTopInset(CGFloat inset);
    CGFloat topInset() const { return m_topInset; }

    UIColor* barTintColor() const { return m_barTintColor.ptr(); }
    void setBarTintColor(UIColor* color) { m_barTintColor = color; }

    UILabel* titleLabel() const { return m_titleLabel.ptr(); }
    UILabel* promptLabel() const { return m_promptLabel.ptr(); }
    UIButton* backButton() const { return m_backButton.ptr(); }
    // The button standing for `item`, if the bar shows it.
    UIButton* buttonForItem(const UIBarButtonItem* item) const;

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods.
    objc::Ref<objc::Object> initBar(CGRect frame);
    void backTapped(objc::Object* sender);
    void barButtonTapped(objc::Object* sender);
    void applyTintColor(UIColor* color);
    // layoutSubviews
    void layoutBar();
    objc::Ref<UIButton> makeButton(UIBarButtonItem* item);

    objc::Ref<UILabel> m_titleLabel;
    objc::Ref<UILabel> m_promptLabel;
    objc::Ref<UIButton> m_backButton;
    objc::Ref<UIButton> m_leftButton;
    objc::Ref<UIButton> m_rightButton;
    objc::Ref<UIBarButtonItem> m_leftItem;
    objc::Ref<UIBarButtonItem> m_rightItem;
    objc::Ref<UIView> m_hairline;
    objc::Ref<UIColor> m_barTintColor;
    std::function<void()> m_backAction;
    CGFloat m_topInset = 20;
};

namespace uikit {
// The button a bar shows for `item`, searched in the key window; null when not shown.
UIView* viewForBarButtonItem(const UIBarButtonItem* item);
inline constexpr CGFloat kStatusBarHeight = 20;
} // namespace uikit
