#include "platform/uikit/UINavigationBar.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

using objc::Ref;
namespace sel = uikit::sel;

Ref<UINavigationBar> UINavigationBar::create(CGRect frame)
{
    auto bar = objc::make<UINavigationBar>();
    sel::initWithFrame(bar, frame);
    return bar;
}

CGFloat UINavigationBar::contentHeight() const { return m_promptLabel->text().empty() ? 44 : 74; }

void UINavigationBar::setTopInset(CGFloat inset)
{
    if (m_topInset == inset)
        return;
    m_topInset = inset;
    setNeedsLayout();
}

Ref<UIButton> UINavigationBar::makeButton(UIBarButtonItem* item)
{
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    if (item->image())
        button->setImage(item->image(), UIControlStateNormal);
    else
        button->setTitle(item->title(), UIControlStateNormal);
    button->titleLabel()->setFont(item->style() == UIBarButtonItemStyleDone ? UIFont::boldSystemFontOfSize(17) : UIFont::systemFontOfSize(17));
    button->setEnabled(item->isEnabled());
    button->addTarget(this, sel::_barButtonTapped, UIControlEventTouchUpInside);
    addSubview(button);
    return button;
}

void UINavigationBar::showItems(UINavigationItem* top, UINavigationItem* back)
{
    m_titleLabel->setText(top ? top->title() : std::string());
    m_promptLabel->setText(top ? top->prompt() : std::string());
    for (auto* slot : { &m_leftButton, &m_rightButton })
        if (*slot) {
            (*slot)->removeFromSuperview();
            *slot = nullptr;
        }
    m_leftItem = top ? top->leftBarButtonItem() : nullptr;
    m_rightItem = top ? top->rightBarButtonItem() : nullptr;
    if (m_leftItem)
        m_leftButton = makeButton(m_leftItem);
    if (m_rightItem)
        m_rightButton = makeButton(m_rightItem);
    bool showBack = back && !m_leftItem && !(top && top->hidesBackButton());
    if (showBack) {
        std::string title = back->backBarButtonItem() ? back->backBarButtonItem()->title() : back->title();
        if (title.empty())
            title = "Back";
        m_backButton->setTitle("\u2039 " + title, UIControlStateNormal);
    }
    m_backButton->setHidden(!showBack);
    setNeedsLayout();
}

UIButton* UINavigationBar::buttonForItem(const UIBarButtonItem* item) const
{
    if (item && item == m_leftItem.ptr())
        return m_leftButton.ptr();
    if (item && item == m_rightItem.ptr())
        return m_rightButton.ptr();
    return nullptr;
}

void UINavigationBar::layoutBar()
{
    CGRect b = bounds();
    CGFloat y = m_topInset;
    bool prompt = !m_promptLabel->text().empty();
    m_promptLabel->setHidden(!prompt);
    if (prompt) {
        m_promptLabel->setFrame(CGRectMake(8, y + 4, b.size.width - 16, 22));
        y += 30;
    }
    auto fit = [](UIButton* button) {
        CGSize s = button->sizeThatFits(CGSizeZero);
        return std::min(s.width + 8, 150.0);
    };
    CGFloat leftEdge = 8, rightEdge = b.size.width - 8;
    if (m_leftButton) {
        CGFloat w = fit(m_leftButton);
        m_leftButton->setFrame(CGRectMake(8, y, w, 44));
        leftEdge = 8 + w;
    } else if (!m_backButton->isHidden()) {
        CGFloat w = fit(m_backButton);
        m_backButton->setFrame(CGRectMake(8, y, w, 44));
        leftEdge = 8 + w;
    }
    if (m_rightButton) {
        CGFloat w = fit(m_rightButton);
        m_rightButton->setFrame(CGRectMake(b.size.width - 8 - w, y, w, 44));
        rightEdge = b.size.width - 8 - w;
    }
    // The title stays centred on the bar, narrowed to keep clear of the buttons.
    CGFloat half = std::max(0.0, std::min(b.size.width / 2 - leftEdge, rightEdge - b.size.width / 2) - 6);
    m_titleLabel->setFrame(CGRectMake(b.size.width / 2 - half, y, 2 * half, 44));
    m_hairline->setFrame(CGRectMake(0, b.size.height - 0.5, b.size.width, 0.5));
}

Ref<objc::Object> UINavigationBar::initBar(CGRect frame)
{
    sel::initWithFrame.sendSuper(objc::classOf<UINavigationBar>(), this, frame);
    setBackgroundColor(UIColor::colorWithWhite(0.97, 0.98));
    m_titleLabel = UILabel::create();
    m_titleLabel->setFont(UIFont::boldSystemFontOfSize(17));
    m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
    m_promptLabel = UILabel::create();
    m_promptLabel->setFont(UIFont::systemFontOfSize(13));
    m_promptLabel->setTextAlignment(NSTextAlignmentCenter);
    m_promptLabel->setTextColor(UIColor::colorWithWhite(0.35, 1));
    // A prompt a little too long for the bar is drawn smaller rather than cut off.
    m_promptLabel->setAdjustsFontSizeToFitWidth(true);
    m_promptLabel->setMinimumScaleFactor(0.75);
    m_backButton = UIButton::buttonWithType(UIButtonTypeSystem);
    m_backButton->titleLabel()->setFont(UIFont::systemFontOfSize(17));
    m_backButton->setAccessibilityLabel("Back");
    m_backButton->addTarget(this, sel::_backTapped, UIControlEventTouchUpInside);
    m_backButton->setHidden(true);
    m_hairline = UIView::create();
    m_hairline->setBackgroundColor(UIColor::colorWithWhite(0, 0.3));
    for (UIView* v : std::initializer_list<UIView*> { m_promptLabel, m_titleLabel, m_backButton, m_hairline })
        addSubview(v);
    return Ref<objc::Object>(this);
}

void UINavigationBar::backTapped(objc::Object*)
{
    if (auto action = m_backAction)
        action();
}

void UINavigationBar::barButtonTapped(objc::Object* sender)
{
    Ref<UIBarButtonItem> item = sender == m_leftButton.ptr() ? m_leftItem : sender == m_rightButton.ptr() ? m_rightItem : nullptr;
    if (item && item->isEnabled())
        UIApplication::sharedApplication()->sendAction(item->action(), item->target(), item, nullptr);
}

void UINavigationBar::applyTintColor(UIColor* color) { setTintColor(color); }

void UINavigationBar::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UINavigationBar>(rt, "UIView")
        .method(sel::initWithFrame, &UINavigationBar::initBar)
        .method(sel::layoutSubviews, &UINavigationBar::layoutBar)
        .method(sel::_backTapped, &UINavigationBar::backTapped)
        .method(sel::_barButtonTapped, &UINavigationBar::barButtonTapped)
        .method(sel::setBarTintColor, &UINavigationBar::setBarTintColor)
        .method(sel::setTintColor, &UINavigationBar::applyTintColor)
        .build();
}

namespace uikit {

namespace {
UIView* findBarButton(UIView* view, const UIBarButtonItem* item)
{
    if (auto* bar = dynamic_cast<UINavigationBar*>(view))
        if (UIButton* b = bar->buttonForItem(item))
            return b;
    for (auto& sub : view->subviews())
        if (UIView* found = findBarButton(sub, item))
            return found;
    return nullptr;
}
} // namespace

UIView* viewForBarButtonItem(const UIBarButtonItem* item)
{
    UIWindow* window = UIApplication::sharedApplication()->keyWindow();
    return window ? findBarButton(window, item) : nullptr;
}

} // namespace uikit
