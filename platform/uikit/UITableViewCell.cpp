#include "platform/uikit/UITableViewCell.h"

#include "platform/uikit/TextLayout.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

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
    msgSend<Ref<objc::Object>>(cell, "initWithStyle:reuseIdentifier:", style, reuseIdentifier);
    return cell;
}

UITableView* UITableViewCell::tableView() const { return dynamic_cast<UITableView*>(superview()); }

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) { msgSend(this, "setAccessoryType:", type); }
void UITableViewCell::setSelectionStyle(UITableViewCellSelectionStyle style) { msgSend(this, "setSelectionStyle:", style); }
void UITableViewCell::setSelected(bool selected, bool animated) { msgSend(this, "setSelected:animated:", selected, animated); }
void UITableViewCell::setHighlighted(bool highlighted, bool animated) { msgSend(this, "setHighlighted:animated:", highlighted, animated); }
void UITableViewCell::setEditing(bool editing, bool animated) { msgSend(this, "setEditing:animated:", editing, animated); }

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
        button->addTarget(this, "_editingControlTapped:", UIControlEventTouchUpInside);
        m_editingControl = button;
        addSubview(button);
    } else if (!wantsControl && m_editingControl) {
        m_editingControl->removeFromSuperview();
        m_editingControl = nullptr;
    }
    bool wantsGrip = m_editing && reorderable;
    if (wantsGrip && !m_reorderControl) {
        auto grip = objc::make<UITableViewCellReorderControl>();
        msgSend<Ref<objc::Object>>(grip, "initWithFrame:", CGRectMake(0, 0, 40, 44));
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
    button->addTarget(this, "_deleteTapped:", UIControlEventTouchUpInside);
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

void UITableViewCell::registerClass(objc::Runtime& rt)
{
    objc::Class* grip = rt.registerClass<UITableViewCellReorderControl>("_UIKitGlyphView");
    grip->addMethod("touchesBegan:withEvent:", [](UITableViewCellReorderControl* self, SEL, const UITouchSet& t, UIEvent*) { forwardReorder(self, t, UITouchPhaseBegan); });
    grip->addMethod("touchesMoved:withEvent:", [](UITableViewCellReorderControl* self, SEL, const UITouchSet& t, UIEvent*) { forwardReorder(self, t, UITouchPhaseMoved); });
    grip->addMethod("touchesEnded:withEvent:", [](UITableViewCellReorderControl* self, SEL, const UITouchSet& t, UIEvent*) { forwardReorder(self, t, UITouchPhaseEnded); });
    grip->addMethod("touchesCancelled:withEvent:", [](UITableViewCellReorderControl* self, SEL, const UITouchSet& t, UIEvent*) { forwardReorder(self, t, UITouchPhaseCancelled); });
    grip->addMethod("initWithFrame:", [grip](UITableViewCellReorderControl* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(grip, self, "initWithFrame:", frame);
        return Ref<objc::Object>(self);
    });

    objc::Class* c = rt.registerClass<UITableViewCell>("UIView");
    c->addMethod("initWithFrame:", [](UITableViewCell* self, SEL, CGRect frame) {
        Ref<objc::Object> result = msgSend<Ref<objc::Object>>(self, "initWithStyle:reuseIdentifier:", UITableViewCellStyleDefault, std::string());
        self->setFrame(frame);
        return result;
    });
    c->addMethod("initWithStyle:reuseIdentifier:", [c](UITableViewCell* self, SEL, NSInteger style, std::string reuseIdentifier) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", CGRectMake(0, 0, 320, 44));
        self->m_style = static_cast<UITableViewCellStyle>(style);
        self->m_reuseIdentifier = std::move(reuseIdentifier);
        self->setBackgroundColor(UIColor::whiteColor());
        self->m_contentView = UIView::create(self->bounds());
        self->m_contentView->setOpaque(false);
        self->m_imageView = UIImageView::create();
        self->m_textLabel = UILabel::create();
        self->m_contentView->addSubview(self->m_imageView);
        self->m_contentView->addSubview(self->m_textLabel);
        if (self->m_style != UITableViewCellStyleDefault) {
            self->m_detailTextLabel = UILabel::create();
            if (self->m_style == UITableViewCellStyleSubtitle) {
                self->m_detailTextLabel->setFont(UIFont::systemFontOfSize(12));
            } else if (self->m_style == UITableViewCellStyleValue1) {
                self->m_detailTextLabel->setTextColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1));
                self->m_detailTextLabel->setTextAlignment(NSTextAlignmentRight);
            } else {
                self->m_textLabel->setFont(UIFont::boldSystemFontOfSize(12));
                self->m_textLabel->setTextColor(UIColor::colorWithRed(0, 0.478, 1, 1));
                self->m_textLabel->setTextAlignment(NSTextAlignmentRight);
                self->m_detailTextLabel->setFont(UIFont::systemFontOfSize(15));
            }
            self->m_contentView->addSubview(self->m_detailTextLabel);
        }
        self->m_separator = UIView::create();
        self->m_separator->setBackgroundColor(UIColor::colorWithRed(0.78, 0.78, 0.8, 1));
        self->addSubview(self->m_contentView);
        self->addSubview(self->m_separator);
        return Ref<objc::Object>(self);
    });
    c->addMethod("layoutSubviews", [](UITableViewCell* self, SEL) { self->layoutCell(); });
    // The private separator switches of grouped rows: only the bottom line is drawn here.
    c->addMethod("_setDrawsSeparatorAtTopOfSection:", [](UITableViewCell*, SEL, bool) { });
    c->addMethod("_setDrawsSeparatorAtBottomOfSection:", [](UITableViewCell* self, SEL, bool on) {
        if (self->m_separator)
            self->m_separator->setHidden(!on);
    });
    c->addMethod("prepareForReuse", [](UITableViewCell* self, SEL) {
        self->hideDeleteConfirmation();
        self->m_highlighted = false;
        self->m_selected = false;
        self->updateSelectionBackground();
    });
    c->addMethod("contentView", [](UITableViewCell* self, SEL) { return Ref<UIView>(self->contentView()); });
    c->addMethod("textLabel", [](UITableViewCell* self, SEL) { return Ref<UILabel>(self->textLabel()); });
    c->addMethod("detailTextLabel", [](UITableViewCell* self, SEL) { return Ref<UILabel>(self->detailTextLabel()); });
    c->addMethod("imageView", [](UITableViewCell* self, SEL) { return Ref<UIImageView>(self->imageView()); });
    c->addMethod("reuseIdentifier", [](UITableViewCell* self, SEL) { return self->reuseIdentifier(); });
    c->addMethod("setAccessoryType:", [](UITableViewCell* self, SEL, NSInteger type) {
        self->m_accessoryType = static_cast<UITableViewCellAccessoryType>(type);
        self->updateAccessory();
    });
    c->addMethod("accessoryType", [](UITableViewCell* self, SEL) { return self->accessoryType(); });
    c->addMethod("setAccessoryView:", [](UITableViewCell* self, SEL, UIView* v) { self->setAccessoryView(v); });
    c->addMethod("accessoryView", [](UITableViewCell* self, SEL) { return Ref<UIView>(self->accessoryView()); });
    c->addMethod("setSelectionStyle:", [](UITableViewCell* self, SEL, NSInteger style) {
        self->m_selectionStyle = static_cast<UITableViewCellSelectionStyle>(style);
        self->updateSelectionBackground();
    });
    c->addMethod("selectionStyle", [](UITableViewCell* self, SEL) { return self->selectionStyle(); });
    c->addMethod("setSelected:animated:", [](UITableViewCell* self, SEL, bool on, bool) {
        self->m_selected = on;
        self->updateSelectionBackground();
    });
    c->addMethod("setSelected:", [](UITableViewCell* self, SEL, bool on) { self->setSelected(on, false); });
    c->addMethod("isSelected", [](UITableViewCell* self, SEL) { return self->isSelected(); });
    c->addMethod("setHighlighted:animated:", [](UITableViewCell* self, SEL, bool on, bool) {
        self->m_highlighted = on;
        self->updateSelectionBackground();
    });
    c->addMethod("setEditing:animated:", [](UITableViewCell* self, SEL, bool on, bool) {
        if (self->m_editing == on)
            return;
        self->m_editing = on;
        if (on)
            self->hideDeleteConfirmation();
        self->updateAccessory();
        self->configureEditing(self->m_editingStyle, on && self->m_reorderControl, self->m_indentWhileEditing);
    });
    c->addMethod("setEditing:", [](UITableViewCell* self, SEL, bool on) { self->setEditing(on, false); });
    c->addMethod("setBackgroundView:", [](UITableViewCell* self, SEL, UIView* v) { self->setBackgroundView(v); });
    c->addMethod("setSelectedBackgroundView:", [](UITableViewCell* self, SEL, UIView* v) { self->setSelectedBackgroundView(v); });
    // Private methods the platform's cells have; the separators here are drawn per row.
    c->addMethod("_setDrawsSeparatorAtTopOfSection:", [](UITableViewCell*, SEL, bool) { });
    c->addMethod("_setDrawsSeparatorAtBottomOfSection:", [](UITableViewCell*, SEL, bool) { });
    c->addMethod("_editingControlTapped:", [](UITableViewCell* self, SEL, objc::Object*) {
        if (UITableView* table = self->tableView())
            table->editingControlTapped(self);
    });
    c->addMethod("_deleteTapped:", [](UITableViewCell* self, SEL, objc::Object*) {
        if (UITableView* table = self->tableView())
            table->deleteConfirmed(self);
    });
}
