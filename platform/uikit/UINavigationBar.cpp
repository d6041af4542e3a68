#include "platform/uikit/UINavigationBar.h"

#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UINavigationBar> UINavigationBar::create(CGRect frame)
{
    auto bar = objc::make<UINavigationBar>();
    msgSend<Ref<objc::Object>>(bar, "initWithFrame:", frame);
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
    button->addTarget(this, "_barButtonTapped:", UIControlEventTouchUpInside);
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

void UINavigationBar::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UINavigationBar>("UIView");
    c->addMethod("initWithFrame:", [c](UINavigationBar* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setBackgroundColor(UIColor::colorWithWhite(0.97, 0.98));
        self->m_titleLabel = UILabel::create();
        self->m_titleLabel->setFont(UIFont::boldSystemFontOfSize(17));
        self->m_titleLabel->setTextAlignment(NSTextAlignmentCenter);
        self->m_promptLabel = UILabel::create();
        self->m_promptLabel->setFont(UIFont::systemFontOfSize(13));
        self->m_promptLabel->setTextAlignment(NSTextAlignmentCenter);
        self->m_promptLabel->setTextColor(UIColor::colorWithWhite(0.35, 1));
        // A prompt a little too long for the bar is drawn smaller rather than cut off.
        self->m_promptLabel->setAdjustsFontSizeToFitWidth(true);
        self->m_promptLabel->setMinimumScaleFactor(0.75);
        self->m_backButton = UIButton::buttonWithType(UIButtonTypeSystem);
        self->m_backButton->titleLabel()->setFont(UIFont::systemFontOfSize(17));
        self->m_backButton->setAccessibilityLabel("Back");
        self->m_backButton->addTarget(self, "_backTapped:", UIControlEventTouchUpInside);
        self->m_backButton->setHidden(true);
        self->m_hairline = UIView::create();
        self->m_hairline->setBackgroundColor(UIColor::colorWithWhite(0, 0.3));
        for (UIView* v : std::initializer_list<UIView*> { self->m_promptLabel, self->m_titleLabel, self->m_backButton, self->m_hairline })
            self->addSubview(v);
        return Ref<objc::Object>(self);
    });
    c->addMethod("layoutSubviews", [](UINavigationBar* self, SEL) { self->layoutBar(); });
    c->addMethod("_backTapped:", [](UINavigationBar* self, SEL, objc::Object*) {
        if (auto action = self->m_backAction)
            action();
    });
    c->addMethod("_barButtonTapped:", [](UINavigationBar* self, SEL, objc::Object* sender) {
        Ref<UIBarButtonItem> item = sender == self->m_leftButton.ptr() ? self->m_leftItem : sender == self->m_rightButton.ptr() ? self->m_rightItem : nullptr;
        if (item && item->isEnabled())
            UIApplication::sharedApplication()->sendAction(item->action(), item->target(), item, nullptr);
    });
    c->addMethod("setBarTintColor:", [](UINavigationBar* self, SEL, UIColor* color) { self->setBarTintColor(color); });
    c->addMethod("setTintColor:", [](UINavigationBar* self, SEL, UIColor* color) { self->setTintColor(color); });
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
