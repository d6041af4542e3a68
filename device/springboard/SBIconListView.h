#pragma once

// A page of icons. Class methods give the page's capacity; a list lays its icon views out from
// the profile's geometry.
//   SBIconListView        +maxVisibleIcons, +iconColumnsForInterfaceOrientation:,
//                         +iconRowsForInterfaceOrientation:, icons, iconViews, layoutSubviews
//   SBFolderIconListView  a page of an open folder: 9 icons in 3 columns
//   SBDockIconListView    the dock's row
//   SBIconViewMap         mappedIconViewForIcon: (+homescreenMap on systems before 9.3)

#include "device/springboard/SBIconView.h"

#include <vector>

class SBIconListView : public UIView {
    OBJC_CLASS(SBIconListView)
public:
    // Makes the list's icon views (an empty list for none).
    void setIcons(const std::vector<objc::Ref<SBIcon>>& icons, SBIconView::Location location);
    const std::vector<objc::Ref<SBIcon>>& icons() const { return m_icons; }
    const std::vector<objc::Ref<SBIconView>>& iconViews() const { return m_iconViews; }
    SBIconView* iconViewForIcon(const SBIcon* icon) const;

    // Where the icon view at `index` sits (bounds centre and size), in the list's coordinates.
    virtual CGRect frameForIconAtIndex(int index) const;

    static void registerClass(objc::Runtime&);

protected:
    std::vector<objc::Ref<SBIcon>> m_icons;
    std::vector<objc::Ref<SBIconView>> m_iconViews;
};

class SBFolderIconListView : public SBIconListView {
    OBJC_CLASS(SBFolderIconListView)
public:
    CGRect frameForIconAtIndex(int index) const override;
    static void registerClass(objc::Runtime&);
};

class SBDockIconListView : public SBIconListView {
    OBJC_CLASS(SBDockIconListView)
public:
    CGRect frameForIconAtIndex(int index) const override;
    static void registerClass(objc::Runtime&);
};

class SBIconViewMap : public objc::NSObject {
    OBJC_CLASS(SBIconViewMap)
public:
    // The icon view of `icon` on the home screen: in the dock, on a page or in the open folder.
    SBIconView* mappedIconViewForIcon(const SBIcon* icon) const;

    static void registerClass(objc::Runtime&, bool withHomescreenMap);
};
