#include "platform/uikit/UIAlertController.h"

#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKitPresentationContainer.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

using objc::Ref;
namespace sel = uikit::sel;

namespace {

constexpr CGFloat kAlertWidth = 270;
constexpr CGFloat kPadSheetWidth = 304;
constexpr CGFloat kSheetMargin = 8;
// An alert grows into place from this scale as it fades in.
constexpr CGFloat kAlertAppearScale = 1.2;
constexpr double kAlertFadeSeconds = 0.25;

Ref<UIColor> panelColor() { return UIColor::colorWithWhite(0.97, 0.96); }
Ref<UIColor> hairlineColor() { return UIColor::colorWithWhite(0.55, 0.45); }

Ref<UILabel> makeLabel(const std::string& text, Ref<UIFont> font, Ref<UIColor> color, CGFloat x, CGFloat& y, CGFloat width)
{
    auto label = UILabel::create();
    label->setText(text);
    label->setFont(font);
    label->setTextColor(color);
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setNumberOfLines(0);
    label->setLineBreakMode(NSLineBreakByWordWrapping);
    uikit::TextStyle style { font, NSTextAlignmentCenter, 0, NSLineBreakByWordWrapping };
    CGSize size = uikit::measureText(text, style, width);
    label->setFrame(CGRectMake(x, y, width, size.height));
    y += size.height;
    return label;
}

void addHairline(UIView* parent, CGRect frame)
{
    auto line = UIView::create(frame);
    line->setBackgroundColor(hairlineColor());
    parent->addSubview(line);
}

} // namespace

Ref<UIAlertController> UIAlertController::alertControllerWithTitle(const std::string& title, const std::string& message, UIAlertControllerStyle style)
{
    return sel::alertControllerWithTitleMessagePreferredStyle(objc::classOf<UIAlertController>(), title, message, style);
}

void UIAlertController::addAction(UIAlertAction* action) { sel::addAction(this, action); }

void UIAlertController::addTextFieldWithConfigurationHandler(UITextFieldConfigurationHandler handler)
{
    sel::addTextFieldWithConfigurationHandler(this, handler);
}

UIButton* UIAlertController::buttonForAction(const UIAlertAction* action) const
{
    for (auto& [a, b] : m_buttons)
        if (a.ptr() == action)
            return b.ptr();
    return nullptr;
}

bool UIAlertController::isPadSheet() const
{
    return m_style == UIAlertControllerStyleActionSheet && UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
}

void UIAlertController::tapAction(UIAlertAction* action)
{
    if (!action || !action->isEnabled())
        return;
    Ref<UIAlertController> keep(this);
    Ref<UIAlertAction> chosen(action);
    for (auto& field : m_textFields)
        if (field->isFirstResponder())
            field->resignFirstResponder();
    auto runHandler = [chosen] {
        if (auto handler = chosen->handler())
            handler(chosen);
    };
    if (presentingViewController())
        dismissViewControllerAnimated(true, runHandler);
    else
        runHandler();
}

Ref<UIButton> UIAlertController::makeRow(UIAlertAction* action, CGRect frame, CGFloat fontSize)
{
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setFrame(frame);
    button->setTitle(action->title(), UIControlStateNormal);
    bool bold = action->style() == UIAlertActionStyleCancel || action == m_preferredAction.ptr();
    button->titleLabel()->setFont(bold ? UIFont::boldSystemFontOfSize(fontSize) : UIFont::systemFontOfSize(fontSize));
    Ref<UIColor> color = action->style() == UIAlertActionStyleDestructive ? UIColor::colorWithRed(1, 0.231, 0.188, 1) : UIColor::colorWithRed(0, 0.478, 1, 1);
    button->setTitleColor(action->isEnabled() ? color : UIColor::colorWithWhite(0.6, 1), UIControlStateNormal);
    button->setEnabled(action->isEnabled());
    button->setAccessibilityLabel(action->title());
    button->addTarget(this, sel::_actionTapped, UIControlEventTouchUpInside);
    m_buttons.emplace_back(Ref<UIAlertAction>(action), button);
    return button;
}

void UIAlertController::buildView(CGFloat width, bool showCancelRow)
{
    m_buttons.clear();
    m_panel = UIView::create(CGRectMake(0, 0, width, 0));
    m_panel->setBackgroundColor(panelColor());
    m_panel->layer()->setCornerRadius(13);
    m_panel->setClipsToBounds(true);
    m_cancelPanel = nullptr;
    std::string titleText = title();
    bool sheet = m_style == UIAlertControllerStyleActionSheet;
    CGFloat y = 0;

    // Title and message.
    if (!titleText.empty() || !m_message.empty()) {
        y = sheet ? 14 : 20;
        Ref<UIColor> textColor = sheet ? UIColor::colorWithWhite(0.56, 1) : UIColor::blackColor();
        if (!titleText.empty())
            m_panel->addSubview(makeLabel(titleText, UIFont::boldSystemFontOfSize(sheet ? 13 : 17), textColor, 16, y, width - 32));
        if (!m_message.empty()) {
            y += titleText.empty() ? 0 : (sheet ? 2 : 4);
            m_panel->addSubview(makeLabel(m_message, UIFont::systemFontOfSize(13), textColor, 16, y, width - 32));
        }
        y += sheet ? 14 : 20;
    }
    // Text fields, each in a thin box.
    if (!m_textFields.empty()) {
        for (auto& field : m_textFields) {
            auto box = UIView::create(CGRectMake(16, y, width - 32, 28));
            box->setBackgroundColor(UIColor::whiteColor());
            box->layer()->setBorderWidth(0.5);
            box->layer()->setBorderColor(UIColor::colorWithWhite(0.6, 1)->CGColor());
            field->setFrame(CGRectMake(4, 0, width - 40, 28));
            box->addSubview(field);
            m_panel->addSubview(box);
            y += 32;
        }
        y += 12;
    }
    // Action rows: the cancel action goes last (or into its own panel below a sheet).
    std::vector<UIAlertAction*> rows;
    UIAlertAction* cancel = nullptr;
    for (auto& a : m_actions) {
        if (a->style() == UIAlertActionStyleCancel && !cancel)
            cancel = a.ptr();
        else
            rows.push_back(a.ptr());
    }
    bool separateCancel = sheet && showCancelRow && !isPadSheet();
    if (cancel && !sheet)
        rows.push_back(cancel);
    if (cancel && sheet && !separateCancel && showCancelRow)
        rows.push_back(cancel);
    CGFloat rowHeight = sheet ? 57 : 44;
    CGFloat fontSize = sheet ? 20 : 17;
    bool sideBySide = !sheet && rows.size() == 2;
    if (sideBySide) {
        // The cancel action sits on the left.
        if (rows[1]->style() == UIAlertActionStyleCancel)
            std::swap(rows[0], rows[1]);
        addHairline(m_panel, CGRectMake(0, y, width, 0.5));
        m_panel->addSubview(makeRow(rows[0], CGRectMake(0, y + 0.5, width / 2, rowHeight), fontSize));
        m_panel->addSubview(makeRow(rows[1], CGRectMake(width / 2 + 0.5, y + 0.5, width / 2 - 0.5, rowHeight), fontSize));
        addHairline(m_panel, CGRectMake(width / 2, y, 0.5, rowHeight + 0.5));
        y += rowHeight + 0.5;
    } else {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (y > 0)
                addHairline(m_panel, CGRectMake(0, y, width, 0.5));
            CGFloat top = y > 0 ? y + 0.5 : y;
            m_panel->addSubview(makeRow(rows[i], CGRectMake(0, top, width, rowHeight), fontSize));
            y = top + rowHeight;
        }
    }
    m_panel->setFrame(CGRectMake(0, 0, width, y));
    if (cancel && separateCancel) {
        m_cancelPanel = UIView::create(CGRectMake(0, 0, width, rowHeight));
        m_cancelPanel->setBackgroundColor(UIColor::whiteColor());
        m_cancelPanel->layer()->setCornerRadius(13);
        m_cancelPanel->setClipsToBounds(true);
        m_cancelPanel->addSubview(makeRow(cancel, CGRectMake(0, 0, width, rowHeight), fontSize));
    }
}

void UIAlertController::prepareAlertForPresentation()
{
    bool padSheet = isPadSheet();
    if (padSheet) {
        setModalPresentationStyle(UIModalPresentationPopover);
        auto* popover = popoverPresentationController();
        if (!popover->hasAnchor())
            uikit::warn("UIAlertController of style UIAlertControllerStyleActionSheet: you must provide location information for this popover through the alert controller's popoverPresentationController (a sourceView and sourceRect or a barButtonItem)");
    }
}

void UIAlertController::layoutAlertInContainer(UIView* container, UIWindow* window)
{
    Ref<UIView> root = view();
    // Views the app added to the alert's view (a picture above the message, say) belong on the
    // panel, in its coordinates, as on the phone where the alert's view is the panel; they are
    // kept across layouts, while the panel itself is built anew each time.
    for (auto& sub : std::vector<Ref<UIView>>(root->subviews())) {
        if (sub.ptr() != m_panel.ptr() && sub.ptr() != m_cancelPanel.ptr())
            m_addedViews.push_back(sub);
        sub->removeFromSuperview();
    }
    CGRect wb = window->bounds();
    objc::WeakRef<UIAlertController> weak(this);
    if (isPadSheet()) {
        buildView(kPadSheetWidth, false);
        CGRect frame = popoverPresentationController()->frameForContentSize(m_panel->bounds().size, wb);
        root->setFrame(frame);
        root->setBackgroundColor(nullptr);
        m_panel->setFrame(root->bounds());
        root->addSubview(m_panel);
        container->setBackgroundColor(nullptr);
        // A tap beside the popover acts as its cancel action (or just closes it).
        static_cast<UIKitPresentationContainer*>(container)->setOutsideTapHandler([weak] {
            Ref<UIAlertController> self = weak.strong();
            if (!self)
                return;
            for (auto& a : self->m_actions)
                if (a->style() == UIAlertActionStyleCancel)
                    return self->tapAction(a);
            self->dismissViewControllerAnimated(true);
        });
    } else if (m_style == UIAlertControllerStyleActionSheet) {
        CGFloat width = std::min(wb.size.width, 414.0) - 2 * kSheetMargin;
        buildView(width, true);
        root->setFrame(container->bounds());
        root->setBackgroundColor(nullptr);
        CGFloat bottom = wb.size.height - kSheetMargin;
        CGFloat x = (wb.size.width - width) / 2;
        if (m_cancelPanel) {
            m_cancelPanel->setFrame(CGRectMake(x, bottom - m_cancelPanel->bounds().size.height, width, m_cancelPanel->bounds().size.height));
            bottom -= m_cancelPanel->bounds().size.height + kSheetMargin;
        }
        m_panel->setFrame(CGRectMake(x, bottom - m_panel->bounds().size.height, width, m_panel->bounds().size.height));
        root->addSubview(m_panel);
        if (m_cancelPanel)
            root->addSubview(m_cancelPanel);
        container->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
    } else {
        buildView(kAlertWidth, true);
        root->setFrame(container->bounds());
        root->setBackgroundColor(nullptr);
        CGSize size = m_panel->bounds().size;
        m_panel->setFrame(CGRectMake((wb.size.width - size.width) / 2, (wb.size.height - size.height) / 2, size.width, size.height));
        root->addSubview(m_panel);
        container->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
    }
    root->setAutoresizingMask(UIViewAutoresizingNone);
    for (auto& view : m_addedViews)
        m_panel->addSubview(view);
    container->addSubview(root);
    if (!m_textFields.empty())
        m_textFields.front()->becomeFirstResponder();
}

// An alert fades in while shrinking to its size, and fades out; a sheet rises from the bottom and
// sinks back; a popover fades. The dimmed background fades with them.
void UIAlertController::animateAlertTransition(UIView* container, bool appearing)
{
    Ref<UIView> root(viewIfLoaded());
    if (!root || !container || !m_panel)
        return;
    Ref<UIView> box(container), panel(m_panel);
    Ref<UIColor> dim(container->backgroundColor());
    Ref<UIColor> clear = UIColor::colorWithWhite(0, 0);
    if (appearing && dim)
        container->setBackgroundColor(clear);
    auto fadeBackground = [box, dim, clear, appearing] {
        if (dim)
            box->setBackgroundColor(appearing ? dim : clear);
    };
    if (m_style == UIAlertControllerStyleAlert || isPadSheet()) {
        bool grows = m_style == UIAlertControllerStyleAlert && appearing;
        if (appearing)
            root->setAlpha(0);
        if (grows)
            panel->setTransform(CGAffineTransformMakeScale(kAlertAppearScale, kAlertAppearScale));
        UIView::animateWithDuration(kAlertFadeSeconds, 0, UIViewAnimationOptionCurveEaseInOut, [root, panel, grows, appearing, fadeBackground] {
            root->setAlpha(appearing ? 1 : 0);
            if (grows)
                panel->setTransform(CGAffineTransformIdentity);
            fadeBackground();
        }, nullptr);
        return;
    }
    // The sheet's panels lie at the bottom of the alert's view: moving the view down by the
    // height they take moves them just out of sight.
    CGPoint shown = root->center();
    CGPoint below = CGPointMake(shown.x, shown.y + root->bounds().size.height - panel->frame().origin.y);
    if (appearing)
        root->setCenter(below);
    UIView::animateWithDuration(uikit::kTransitionSeconds, 0, UIViewAnimationOptionCurveEaseInOut, [root, shown, below, appearing, fadeBackground] {
        root->setCenter(appearing ? shown : below);
        fadeBackground();
    }, nullptr);
}

// NOTE: Class methods do not see the class they were sent to, so the controller is always a
// UIAlertController (no subclass of it exists).
Ref<UIAlertController> UIAlertController::makeAlertController(std::string title, std::string message, NSInteger style)
{
    auto object = objc::classOf<UIAlertController>()->createInstance();
    Ref<UIAlertController> alert(objc::checkedObjectCast<UIAlertController>(object.ptr()));
    sel::init(alert);
    alert->setTitle(title);
    alert->m_message = std::move(message);
    alert->m_style = static_cast<UIAlertControllerStyle>(style);
    return alert;
}

void UIAlertController::appendAction(UIAlertAction* action)
{
    if (!action)
        return;
    // The phone raises on a second cancel action (there is only one cancel row); refuse it.
    if (action->style() == UIAlertActionStyleCancel)
        for (auto& existing : m_actions)
            if (existing->style() == UIAlertActionStyleCancel) {
                uikit::warn("UIAlertController can only have one action with a style of UIAlertActionStyleCancel");
                return;
            }
    m_actions.emplace_back(action);
}

void UIAlertController::appendTextField(UITextFieldConfigurationHandler handler)
{
    if (m_style != UIAlertControllerStyleAlert) {
        uikit::warn("Text fields can only be added to an alert controller of style UIAlertControllerStyleAlert");
        return;
    }
    auto field = UITextField::create(CGRectMake(0, 0, 230, 28));
    field->setFont(UIFont::systemFontOfSize(13));
    m_textFields.push_back(field);
    if (handler)
        handler(field);
}

Ref<NSArray> UIAlertController::actionsArray() const { return NSArray::make(std::vector<Ref<objc::Object>>(m_actions.begin(), m_actions.end())); }

Ref<NSArray> UIAlertController::textFieldsArray() const { return NSArray::make(std::vector<Ref<objc::Object>>(m_textFields.begin(), m_textFields.end())); }

void UIAlertController::actionTapped(objc::Object* sender)
{
    for (auto& [action, button] : std::vector(m_buttons))
        if (button.ptr() == sender)
            return tapAction(action);
}

void UIAlertController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIAlertController>(rt, "UIViewController")
        .method(sel::_prepareForPresentation, &UIAlertController::prepareAlertForPresentation)
        .method(sel::_layoutInPresentationContainerWindow, &UIAlertController::layoutAlertInContainer)
        .method(sel::_animateTransitionInContainerAppearing, &UIAlertController::animateAlertTransition)
        .classMethod(sel::alertControllerWithTitleMessagePreferredStyle, &UIAlertController::makeAlertController)
        .method(sel::addAction, &UIAlertController::appendAction)
        .method(sel::addTextFieldWithConfigurationHandler, &UIAlertController::appendTextField)
        .method(sel::actions, &UIAlertController::actionsArray)
        .method(sel::textFields, &UIAlertController::textFieldsArray)
        .method(sel::message, &UIAlertController::message)
        .method(sel::setMessage, &UIAlertController::setMessage)
        .method(sel::preferredStyle, &UIAlertController::preferredStyle)
        .method(sel::setPreferredAction, &UIAlertController::setPreferredAction)
        .method(sel::_actionTapped, &UIAlertController::actionTapped)
        .build();
}
