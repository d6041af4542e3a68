#pragma once

// The view of one icon on a page, in the dock or in a folder: its image view (the clock's or a
// folder's where it applies), its label, badge and long press. Its image darkens while a finger
// rests on it.
//   Runtime methods: icon, isEditing, setEditing:animated:, _applyEditingStateAnimated:,
//   iconImageDidUpdate:, iconAccessoriesDidUpdate:, _handleLongPress:, and the touches that
//   launch the icon; ivars _icon, _iconImageView, _folderIconImageView, _labelView.
//
// Includes the headers of the other views that draw an icon, so that code that draws icons needs
// this one only.

#include "device/springboard/SBClockApplicationIconImageView.h"
#include "device/springboard/SBFolderIconImageView.h"
#include "device/springboard/SBIconImageCrossfadeView.h"
#include "device/springboard/SBIconImageView.h"
#include "platform/uikit/MakeView.h"
#include "platform/uikit/UILabel.h"

class UIGestureRecognizer;

class SBIconView : public UIView {
    OBJC_CLASS(SBIconView)
public:
    enum class Location { HomeScreen, Dock, Folder };

    // An icon view for `icon`, with its image view (the clock's or a folder's where it applies),
    // its label, badge and long press.
    static objc::Ref<SBIconView> create(SBIcon* icon, Location location);

    SBIcon* icon() const { return m_icon.ptr(); }
    Location location() const { return m_location; }
    bool isEditing() const { return m_editing; }
    SBIconImageView* iconImageView() const { return m_iconImageView.ptr(); }
    SBFolderIconImageView* folderIconImageView() const { return m_folderIconImageView.ptr(); }
    UILabel* labelView() const { return m_label.ptr(); }
    UIView* badgeView() const { return m_badge.ptr(); }
    UIView* closeBox() const { return m_closeBox.ptr(); }
    bool isHighlighted() const { return m_highlight && !m_highlight->isHidden(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void setEditingAnimated(bool editing, bool animated);
    void applyEditingStateAnimated(bool animated);
    void iconImageDidUpdate(SBIcon* icon);
    void iconAccessoriesDidUpdate(SBIcon* icon);
    void handleLongPress(UIGestureRecognizer* recognizer);
    void touchesBeganWithEvent(const UITouchSet& touches, UIEvent* event);
    void touchesMovedWithEvent(const UITouchSet& touches, UIEvent* event);
    void touchesCancelledWithEvent(const UITouchSet& touches, UIEvent* event);
    void touchesEndedWithEvent(const UITouchSet& touches, UIEvent* event);
    void updateBadge();
    void setTouchInside(bool inside);

    objc::Ref<SBIcon> m_icon;
    Location m_location = Location::HomeScreen;
    bool m_editing = false;
    bool m_touchInside = false;
    objc::Ref<SBIconImageView> m_iconImageView;
    objc::Ref<SBFolderIconImageView> m_folderIconImageView;
    objc::Ref<UILabel> m_label;
    objc::Ref<UIView> m_badge;
    objc::Ref<UIView> m_closeBox;
    objc::Ref<UIImageView> m_highlight;
};

namespace springboard {

// SpringBoard's views are made with uikit's helper.
using uikit::makeView;

// Every live icon view (for editing mode and the icon view map), oldest first.
std::vector<objc::Ref<SBIconView>> liveIconViews();

} // namespace springboard
