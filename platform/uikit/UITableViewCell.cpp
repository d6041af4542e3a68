#include "platform/uikit/UITableViewCell.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>

using objc::Ref;
namespace sel = uikit::sel;

namespace {

// The grip at the right of a reorderable row; dragging it moves the row.
class UITableViewCellReorderControl : public UIKitGlyphView {
    OBJC_CLASS(UITableViewCellReorderControl)
public:
    objc::WeakRef<UITableViewCell> cell;
};

void forwardReorder(UITableViewCellReorderControl* control, const UITouchSet& touches, UITouchPhase phase)
{
    Ref<UITableViewCell> cell = control->cell.strong();
    UITableView* table = cell ? cell->tableView() : nullptr;
    if (table && !touches.empty())
        table->reorderTouch(cell, touches.front(), phase);
}

constexpr CGFloat kMargin = 15;

} // namespace

Ref<UITableViewCell> UITableViewCell::create(UITableViewCellStyle style, const std::string& reuseIdentifier)
{
    auto cell = objc::make<UITableViewCell>();
    sel::initWithStyleReuseIdentifier(cell, style, reuseIdentifier);
    return cell;
}

UITableView* UITableViewCell::tableView() const { return dynamic_cast<UITableView*>(superview()); }

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) { sel::setAccessoryType(this, type); }
void UITableViewCell::setSelectionStyle(UITableViewCellSelectionStyle style) { sel::setSelectionStyle(this, style); }
void UITableViewCell::setSelected(bool selected, bool animated) { sel::setSelectedAnimated(this, selected, animated); }
void UITableViewCell::setHighlighted(bool highlighted, bool animated) { sel::setHighlightedAnimated(this, highlighted, animated); }
void UITableViewCell::setEditing(bool editing, bool animated) { sel::setEditingAnimated(this, editing, animated); }

void UITableViewCell::setAccessoryView(UIView* view)
{
    if (m_accessoryView)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = view;
    if (view)
        addSubview(view);
    updateAccessory();
}

void UITableViewCell::setBackgroundView(UIView* view)
{
    if (m_backgroundView)
        m_backgroundView->removeFromSuperview();
    m_backgroundView = view;
    if (view)
        insertSubviewAtIndex(view, 0);
    setNeedsLayout();
}

void UITableViewCell::setSelectedBackgroundView(UIView* view)
{
    if (m_selectedBackgroundView)
        m_selectedBackgroundView->removeFromSuperview();
    m_selectedBackgroundView = view;
    updateSelectionBackground();
}

void UITableViewCell::updateSelectionBackground()
{
    bool show = (m_selected || m_highlighted) && m_selectionStyle != UITableViewCellSelectionStyleNone;
    if (!m_selectedBackgroundView) {
        m_selectedBackgroundView = UIView::create();
        m_selectedBackgroundView->setBackgroundColor(UIColor::colorWithWhite(0.85, 1));
    }
    if (show && m_selectedBackgroundView->superview() != this)
        insertSubviewBelowSubview(m_selectedBackgroundView, m_contentView);
    else if (!show && m_selectedBackgroundView->superview() == this)
        m_selectedBackgroundView->removeFromSuperview();
    setNeedsLayout();
}

void UITableViewCell::updateAccessory()
{
    if (m_accessoryGlyph) {
        m_accessoryGlyph->removeFromSuperview();
        m_accessoryGlyph = nullptr;
    }
    if (!m_accessoryView && !m_editing) {
        if (m_accessoryType == UITableViewCellAccessoryCheckmark)
            m_accessoryGlyph = UIKitGlyphView::create(UIKitGlyphView::Glyph::Checkmark, CGRectMake(0, 0, 14, 11));
        else if (m_accessoryType == UITableViewCellAccessoryDisclosureIndicator)
            m_accessoryGlyph = UIKitGlyphView::create(UIKitGlyphView::Glyph::Disclosure, CGRectMake(0, 0, 8, 13));
        if (m_accessoryGlyph) {
            m_accessoryGlyph->setColor(m_accessoryType == UITableViewCellAccessoryCheckmark ? tintColor().ptr() : UIColor::colorWithWhite(0.78, 1).ptr());
            addSubview(m_accessoryGlyph);
        }
    }
    setNeedsLayout();
}

void UITableViewCell::configureEditing(UITableViewCellEditingStyle style, bool reorderable, bool indent)
{
    m_editingStyle = style;
    m_indentWhileEditing = indent;
    bool wantsControl = m_editing && style != UITableViewCellEditingStyleNone;
    if (wantsControl && !m_editingControl) {
        auto button = UIButton::buttonWithType(UIButtonTypeCustom);
        button->setFrame(CGRectMake(0, 0, 38, 44));
        button->setAccessibilityLabel(style == UITableViewCellEditingStyleDelete ? "Delete" : "Insert");
        auto glyph = UIKitGlyphView::create(style == UITableViewCellEditingStyleDelete ? UIKitGlyphView::Glyph::DeleteCircle : UIKitGlyphView::Glyph::InsertCircle, CGRectMake(9, 12, 22, 22));
        button->addSubview(glyph);
        button->addTarget(this, sel::_editingControlTapped, UIControlEventTouchUpInside);
        m_editingControl = button;
        addSubview(button);
    } else if (!wantsControl && m_editingControl) {
        m_editingControl->removeFromSuperview();
        m_editingControl = nullptr;
    }
    bool wantsGrip = m_editing && reorderable;
    if (wantsGrip && !m_reorderControl) {
        auto grip = objc::make<UITableViewCellReorderControl>();
        sel::initWithFrame(grip, CGRectMake(0, 0, 40, 44));
        grip->setGlyph(UIKitGlyphView::Glyph::Reorder);
        grip->cell = this;
        grip->setAccessibilityLabel("Reorder");
        m_reorderControl = grip;
        addSubview(grip);
    } else if (!wantsGrip && m_reorderControl) {
        m_reorderControl->removeFromSuperview();
        m_reorderControl = nullptr;
    }
    setNeedsLayout();
}

void UITableViewCell::showDeleteConfirmation(const std::string& title)
{
    hideDeleteConfirmation();
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setBackgroundColor(UIColor::colorWithRed(1, 0.231, 0.188, 1));
    button->setTitle(title, UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::systemFontOfSize(17));
    button->addTarget(this, sel::_deleteTapped, UIControlEventTouchUpInside);
    m_deleteButton = button;
    addSubview(button);
    setNeedsLayout();
}

void UITableViewCell::hideDeleteConfirmation()
{
    if (!m_deleteButton)
        return;
    m_deleteButton->removeFromSuperview();
    m_deleteButton = nullptr;
    setNeedsLayout();
}

void UITableViewCell::setSeparatorInset(CGFloat left, bool visible)
{
    m_separatorInset = left;
    m_separator->setHidden(!visible);
    setNeedsLayout();
}

void UITableViewCell::layoutCell()
{
    CGRect b = bounds();
    CGFloat w = b.size.width, h = b.size.height;
    if (m_backgroundView)
        m_backgroundView->setFrame(b);
    if (m_selectedBackgroundView)
        m_selectedBackgroundView->setFrame(b);
    m_separator->setFrame(CGRectMake(m_separatorInset, h - 0.5, std::max(0.0, w - m_separatorInset), 0.5));

    CGFloat left = 0, right = w;
    if (m_editing && (m_editingStyle != UITableViewCellEditingStyleNone || m_indentWhileEditing))
        left = 38;
    if (m_editingControl)
        m_editingControl->setFrame(CGRectMake(0, (h - 44) / 2, 38, 44));
    if (m_reorderControl) {
        m_reorderControl->setFrame(CGRectMake(w - 40, (h - 44) / 2, 40, 44));
        right = w - 40;
    }
    UIView* accessory = m_accessoryView ? m_accessoryView.ptr() : m_accessoryGlyph.ptr();
    if (accessory && !m_editing) {
        CGSize s = accessory->bounds().size;
        accessory->setFrame(CGRectMake(right - kMargin - s.width, (h - s.height) / 2, s.width, s.height));
        right = right - kMargin - s.width - 5;
    }
    CGFloat shift = 0;
    if (m_deleteButton) {
        shift = 74;
        m_deleteButton->setFrame(CGRectMake(w - shift, 0, shift, h));
    }
    m_contentView->setFrame(CGRectMake(left - shift, 0, std::max(0.0, right - left), h));

    // Inside the content view.
    CGFloat cw = m_contentView->bounds().size.width;
    CGFloat x = kMargin + 10 * m_indentationLevel;
    if (UIImage* image = m_imageView->image()) {
        CGSize size = image->size();
        m_imageView->setBounds(CGRectMake(0, 0, size.width, size.height));
        // Placed by how large it shows (an image view may carry a scale transform).
        CGSize shown = CGRectApplyAffineTransform(CGRectMake(0, 0, size.width, size.height), m_imageView->transform()).size;
        m_imageView->setCenter(CGPointMake(x + shown.width / 2, h / 2));
        m_imageView->setHidden(false);
        x += shown.width + kMargin;
    } else {
        m_imageView->setHidden(true);
    }
    CGFloat textWidth = std::max(0.0, cw - x - kMargin);
    auto measure = [](UILabel* label, CGFloat width) {
        uikit::TextStyle style { label->font(), label->textAlignment(), label->numberOfLines(), label->lineBreakMode() };
        return uikit::measureText(label->text(), style, width);
    };
    switch (m_style) {
    case UITableViewCellStyleSubtitle: {
        CGFloat th = measure(m_textLabel, textWidth).height, dh = measure(m_detailTextLabel, textWidth).height;
        if (m_detailTextLabel->text().empty())
            dh = 0;
        CGFloat y = (h - th - dh) / 2;
        m_textLabel->setFrame(CGRectMake(x, y, textWidth, th));
        m_detailTextLabel->setFrame(CGRectMake(x, y + th, textWidth, dh));
        break;
    }
    case UITableViewCellStyleValue1: {
        CGFloat dw = std::min(measure(m_detailTextLabel, 0).width, textWidth);
        m_detailTextLabel->setFrame(CGRectMake(cw - kMargin - dw, 0, dw, h));
        m_textLabel->setFrame(CGRectMake(x, 0, std::max(0.0, cw - kMargin - dw - 8 - x), h));
        break;
    }
    case UITableViewCellStyleValue2: {
        m_textLabel->setFrame(CGRectMake(x, 0, 67, h));
        m_detailTextLabel->setFrame(CGRectMake(x + 73, 0, std::max(0.0, cw - x - 73 - kMargin), h));
        break;
    }
    default:
        m_textLabel->setFrame(CGRectMake(x, 0, textWidth, h));
        break;
    }
}

Ref<objc::Object> UITableViewCell::initWithFrameAsDefaultCell(CGRect frame)
{
    Ref<objc::Object> result = sel::initWithStyleReuseIdentifier(this, UITableViewCellStyleDefault, std::string());
    setFrame(frame);
    return result;
}

Ref<objc::Object> UITableViewCell::initCell(NSInteger style, std::string reuseIdentifier)
{
    sel::initWithFrame.sendSuper(objc::classOf<UITableViewCell>(), this, CGRectMake(0, 0, 320, 44));
    m_style = static_cast<UITableViewCellStyle>(style);
    m_reuseIdentifier = std::move(reuseIdentifier);
    setBackgroundColor(UIColor::whiteColor());
    m_contentView = UIView::create(bounds());
    m_contentView->setOpaque(false);
    m_imageView = UIImageView::create();
    m_textLabel = UILabel::create();
    m_contentView->addSubview(m_imageView);
    m_contentView->addSubview(m_textLabel);
    if (m_style != UITableViewCellStyleDefault) {
        m_detailTextLabel = UILabel::create();
        if (m_style == UITableViewCellStyleSubtitle) {
            m_detailTextLabel->setFont(UIFont::systemFontOfSize(12));
        } else if (m_style == UITableViewCellStyleValue1) {
            m_detailTextLabel->setTextColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1));
            m_detailTextLabel->setTextAlignment(NSTextAlignmentRight);
        } else {
            m_textLabel->setFont(UIFont::boldSystemFontOfSize(12));
            m_textLabel->setTextColor(UIColor::colorWithRed(0, 0.478, 1, 1));
            m_textLabel->setTextAlignment(NSTextAlignmentRight);
            m_detailTextLabel->setFont(UIFont::systemFontOfSize(15));
        }
        m_contentView->addSubview(m_detailTextLabel);
    }
    m_separator = UIView::create();
    m_separator->setBackgroundColor(UIColor::colorWithRed(0.78, 0.78, 0.8, 1));
    addSubview(m_contentView);
    addSubview(m_separator);
    return Ref<objc::Object>(this);
}

void UITableViewCell::resetForReuse()
{
    hideDeleteConfirmation();
    m_highlighted = false;
    m_selected = false;
    updateSelectionBackground();
}

void UITableViewCell::applyAccessoryType(NSInteger type)
{
    m_accessoryType = static_cast<UITableViewCellAccessoryType>(type);
    updateAccessory();
}

void UITableViewCell::applySelectionStyle(NSInteger style)
{
    m_selectionStyle = static_cast<UITableViewCellSelectionStyle>(style);
    updateSelectionBackground();
}

void UITableViewCell::applySelected(bool on, bool)
{
    m_selected = on;
    updateSelectionBackground();
}

void UITableViewCell::selectWithoutAnimation(bool on)
{
    setSelected(on, false);
}

void UITableViewCell::applyHighlighted(bool on, bool)
{
    m_highlighted = on;
    updateSelectionBackground();
}

void UITableViewCell::applyEditing(bool on, bool)
{
    if (m_editing == on)
        return;
    m_editing = on;
    if (on)
        hideDeleteConfirmation();
    updateAccessory();
    configureEditing(m_editingStyle, on && m_reorderControl, m_indentWhileEditing);
}

void UITableViewCell::editWithoutAnimation(bool on)
{
    setEditing(on, false);
}

void UITableViewCell::editingControlTapped(objc::Object*)
{
    if (UITableView* table = tableView())
        table->editingControlTapped(this);
}

void UITableViewCell::deleteTapped(objc::Object*)
{
    if (UITableView* table = tableView())
        table->deleteConfirmed(this);
}

namespace {

// The grip hands its touches to the table, which moves the row.
void reorderTouchesBegan(UITableViewCellReorderControl* grip, const UITouchSet& touches, UIEvent*) { forwardReorder(grip, touches, UITouchPhaseBegan); }
void reorderTouchesMoved(UITableViewCellReorderControl* grip, const UITouchSet& touches, UIEvent*) { forwardReorder(grip, touches, UITouchPhaseMoved); }
void reorderTouchesEnded(UITableViewCellReorderControl* grip, const UITouchSet& touches, UIEvent*) { forwardReorder(grip, touches, UITouchPhaseEnded); }
void reorderTouchesCancelled(UITableViewCellReorderControl* grip, const UITouchSet& touches, UIEvent*) { forwardReorder(grip, touches, UITouchPhaseCancelled); }

// Private methods the platform's cells have; the separators here are drawn per row.
void ignoreSeparatorSwitch(UITableViewCell*, bool) { }

} // namespace

void UITableViewCell::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UITableViewCellReorderControl>(rt, "_UIKitGlyphView")
        .method(sel::touchesBeganWithEvent, &reorderTouchesBegan)
        .method(sel::touchesMovedWithEvent, &reorderTouchesMoved)
        .method(sel::touchesEndedWithEvent, &reorderTouchesEnded)
        .method(sel::touchesCancelledWithEvent, &reorderTouchesCancelled)
        .build();

    objc::ClassBuilder<UITableViewCell>(rt, "UIView")
        .method(sel::initWithFrame, &UITableViewCell::initWithFrameAsDefaultCell)
        .method(sel::initWithStyleReuseIdentifier, &UITableViewCell::initCell)
        .method(sel::layoutSubviews, &UITableViewCell::layoutCell)
        .method(sel::_setDrawsSeparatorAtTopOfSection, &ignoreSeparatorSwitch)
        .method(sel::_setDrawsSeparatorAtBottomOfSection, &ignoreSeparatorSwitch)
        .method(sel::prepareForReuse, &UITableViewCell::resetForReuse)
        .method(sel::contentView, &UITableViewCell::contentView)
        .method(sel::textLabel, &UITableViewCell::textLabel)
        .method(sel::detailTextLabel, &UITableViewCell::detailTextLabel)
        .method(sel::imageView, &UITableViewCell::imageView)
        .method(sel::reuseIdentifier, &UITableViewCell::reuseIdentifier)
        .method(sel::setAccessoryType, &UITableViewCell::applyAccessoryType)
        .method(sel::accessoryType, &UITableViewCell::accessoryType)
        .method(sel::setAccessoryView, &UITableViewCell::setAccessoryView)
        .method(sel::accessoryView, &UITableViewCell::accessoryView)
        .method(sel::setSelectionStyle, &UITableViewCell::applySelectionStyle)
        .method(sel::selectionStyle, &UITableViewCell::selectionStyle)
        .method(sel::setSelectedAnimated, &UITableViewCell::applySelected)
        .method(sel::setSelected, &UITableViewCell::selectWithoutAnimation)
        .method(sel::isSelected, &UITableViewCell::isSelected)
        .method(sel::setHighlightedAnimated, &UITableViewCell::applyHighlighted)
        .method(sel::setEditingAnimated, &UITableViewCell::applyEditing)
        .method(sel::setEditing, &UITableViewCell::editWithoutAnimation)
        .method(sel::setBackgroundView, &UITableViewCell::setBackgroundView)
        .method(sel::setSelectedBackgroundView, &UITableViewCell::setSelectedBackgroundView)
        .method(sel::_editingControlTapped, &UITableViewCell::editingControlTapped)
        .method(sel::_deleteTapped, &UITableViewCell::deleteTapped)
        .build();
}
