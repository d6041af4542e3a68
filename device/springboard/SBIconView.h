#pragma once

// The views that draw an icon. Every drawing step goes through a runtime method, so a replacement
// installed with MSHookMessageEx changes what the screen shows:
//   SBIconView               icon, isEditing, setEditing:animated:, _applyEditingStateAnimated:,
//                            iconImageDidUpdate:, iconAccessoriesDidUpdate:, _handleLongPress:;
//                            ivars _icon, _iconImageView, _folderIconImageView, _labelView
//   SBIconImageView          icon, setIcon:, contentsImage, updateImageAnimated:, displayedImage,
//                            darkeningOverlayImage
//   SBClockApplicationIconImageView   contentsImage (the clock face at the device time)
//   SBFolderIconImageView    folderIcon, backgroundView, iconGridImageAlpha,
//                            setIconGridImageAlpha:, updateImageAnimated:, darkeningOverlayImage,
//                            layoutSubviews; ivar _folderIcon
//   _SBIconGridWrapperView   image, setImage:, element, layoutSubviews, reposition
//   SBIconImageCrossfadeView _updateCornerMask

#include "device/springboard/SBIcon.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

class SBFolderIconImageView;

class SBIconImageView : public UIView {
    OBJC_CLASS(SBIconImageView)
public:
    SBIcon* icon() const { return m_icon.ptr(); }
    // What the view shows (the last contentsImage it fetched).
    UIImage* displayedImage() const { return m_contents ? m_contents->image() : nullptr; }
    UIImageView* contentsView() const { return m_contents.ptr(); }

    static void registerClass(objc::Runtime&);

protected:
    objc::Ref<SBIcon> m_icon;
    objc::Ref<UIImageView> m_contents;
};

class SBClockApplicationIconImageView : public SBIconImageView {
    OBJC_CLASS(SBClockApplicationIconImageView)
public:
    ~SBClockApplicationIconImageView() override;
    static void registerClass(objc::Runtime&);

private:
    void startTicking();
    void stopTicking();
    std::uint64_t m_timer = 0;
};

class _SBIconGridWrapperView : public UIImageView {
    OBJC_CLASS(_SBIconGridWrapperView)
public:
    SBFolderIconImageView* element() const;
    void setElement(SBFolderIconImageView* element);

    static void registerClass(objc::Runtime&);

private:
    objc::WeakRef<UIView> m_element;
};

class SBFolderIconImageView : public SBIconImageView {
    OBJC_CLASS(SBFolderIconImageView)
public:
    SBFolderIcon* folderIcon() const { return m_folderIcon.ptr(); }
    UIImageView* backgroundView() const { return m_backgroundView.ptr(); }
    _SBIconGridWrapperView* gridWrapper() const { return m_grid.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBFolderIcon> m_folderIcon;
    objc::Ref<UIImageView> m_backgroundView;
    objc::Ref<_SBIconGridWrapperView> m_grid;
};

class SBIconImageCrossfadeView : public UIView {
    OBJC_CLASS(SBIconImageCrossfadeView)
public:
    static void registerClass(objc::Runtime&);
};

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

    static void registerClass(objc::Runtime&);

private:
    void updateBadge();

    objc::Ref<SBIcon> m_icon;
    Location m_location = Location::HomeScreen;
    bool m_editing = false;
    bool m_touchInside = false;
    objc::Ref<SBIconImageView> m_iconImageView;
    objc::Ref<SBFolderIconImageView> m_folderIconImageView;
    objc::Ref<UILabel> m_label;
    objc::Ref<UIView> m_badge;
    objc::Ref<UIView> m_closeBox;
};

namespace springboard {

// [[T alloc] initWithFrame:frame] for a view class written in C++.
template<class T>
objc::Ref<T> makeView(CGRect frame)
{
    auto view = objc::make<T>();
    objc::msgSend<objc::Ref<objc::Object>>(view, "initWithFrame:", frame);
    return view;
}

// Every live icon view (for editing mode and the icon view map), oldest first.
std::vector<objc::Ref<SBIconView>> liveIconViews();

} // namespace springboard
