#pragma once

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIKitGlyphView.h"
#include "platform/uikit/UILabel.h"

#include <string>

class UITableView;

// A row of a table: a content view holding an image and one or two labels placed by the cell's
// style (default, value 1, value 2, subtitle), an accessory (checkmark, disclosure or a view),
// and in editing mode the delete or insert circle and the reorder grip.
//
// Runtime methods: initWithStyle:reuseIdentifier:, prepareForReuse, layoutSubviews,
// setSelected:animated:, setHighlighted:animated:, setEditing:animated:, setSelectionStyle:,
// setAccessoryType:, and the property accessors the platform has.
class UITableViewCell : public UIView {
    OBJC_CLASS(UITableViewCell)
public:
    // [[UITableViewCell alloc] initWithStyle:style reuseIdentifier:identifier]
    static objc::Ref<UITableViewCell> create(UITableViewCellStyle style, const std::string& reuseIdentifier);

    UITableViewCellStyle style() const { return m_style; }
    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }
    UIView* contentView() const { return m_contentView.ptr(); }
    UILabel* textLabel() const { return m_textLabel.ptr(); }
    // Null for the default style, as on the phone.
    UILabel* detailTextLabel() const { return m_detailTextLabel.ptr(); }
    UIImageView* imageView() const { return m_imageView.ptr(); }

    UITableViewCellAccessoryType accessoryType() const { return m_accessoryType; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    UIView* accessoryView() const { return m_accessoryView.ptr(); }
    void setAccessoryView(UIView* view);
    UITableViewCellSelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(UITableViewCellSelectionStyle style);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected, bool animated = false);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted, bool animated = false);
    bool isEditing() const { return m_editing; }
    void setEditing(bool editing, bool animated = false);
    UIView* backgroundView() const { return m_backgroundView.ptr(); }
    void setBackgroundView(UIView* view);
    UIView* selectedBackgroundView() const { return m_selectedBackgroundView.ptr(); }
    void setSelectedBackgroundView(UIView* view);
    bool showsReorderControl() const { return m_showsReorderControl; }
    void setShowsReorderControl(bool on) { m_showsReorderControl = on; }
    NSInteger indentationLevel() const { return m_indentationLevel; }
    void setIndentationLevel(NSInteger level) { m_indentationLevel = level; }

    // Table side: what editing shows for this row, and the swipe's delete button.
    void configureEditing(UITableViewCellEditingStyle style, bool reorderable, bool indent);
    void showDeleteConfirmation(const std::string& title);
    void hideDeleteConfirmation();
    bool isShowingDeleteConfirmation() const { return m_deleteButton != nullptr; }
    UIButton* deleteConfirmationButton() const { return m_deleteButton.ptr(); }
    UIView* reorderControl() const { return m_reorderControl.ptr(); }
    UIView* editingControl() const { return m_editingControl.ptr(); }
    void setSeparatorInset(CGFloat left, bool visible);
    UITableView* tableView() const;

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods (the C++ senders above keep their names).
    objc::Ref<objc::Object> initWithFrameAsDefaultCell(CGRect frame);
    objc::Ref<objc::Object> initCell(NSInteger style, std::string reuseIdentifier);
    void resetForReuse();
    void applyAccessoryType(NSInteger type);
    void applySelectionStyle(NSInteger style);
    void applySelected(bool on, bool animated);
    void selectWithoutAnimation(bool on);
    void applyHighlighted(bool on, bool animated);
    void applyEditing(bool on, bool animated);
    void editWithoutAnimation(bool on);
    void editingControlTapped(objc::Object* sender);
    void deleteTapped(objc::Object* sender);
    // layoutSubviews
    void layoutCell();
    void updateAccessory();
    void updateSelectionBackground();

    UITableViewCellStyle m_style = UITableViewCellStyleDefault;
    std::string m_reuseIdentifier;
    objc::Ref<UIView> m_contentView;
    objc::Ref<UILabel> m_textLabel;
    objc::Ref<UILabel> m_detailTextLabel;
    objc::Ref<UIImageView> m_imageView;
    UITableViewCellAccessoryType m_accessoryType = UITableViewCellAccessoryNone;
    objc::Ref<UIView> m_accessoryView;
    objc::Ref<UIKitGlyphView> m_accessoryGlyph;
    UITableViewCellSelectionStyle m_selectionStyle = UITableViewCellSelectionStyleDefault;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_editing = false;
    objc::Ref<UIView> m_backgroundView;
    objc::Ref<UIView> m_selectedBackgroundView;
    objc::Ref<UIView> m_separator;
    bool m_showsReorderControl = false;
    NSInteger m_indentationLevel = 0;
    UITableViewCellEditingStyle m_editingStyle = UITableViewCellEditingStyleNone;
    bool m_indentWhileEditing = true;
    objc::Ref<UIView> m_reorderControl;
    objc::Ref<UIView> m_editingControl;
    objc::Ref<UIButton> m_deleteButton;
    CGFloat m_separatorInset = 15;
};
