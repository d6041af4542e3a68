#pragma once

// A page of icons. Class methods give the page's capacity; a list lays its icon views out from
// the profile's geometry. Runtime methods: +maxVisibleIcons, +iconColumnsForInterfaceOrientation:,
// +iconRowsForInterfaceOrientation:, icons, iconViews, layoutSubviews.

#include "device/springboard/SBIconView.h"

#include <cstdint>
#include <vector>

class NSArray;

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

private:
    static std::int64_t maxVisibleIcons();
    static std::int64_t iconColumnsForInterfaceOrientation(std::int64_t orientation);
    static std::int64_t iconRowsForInterfaceOrientation(std::int64_t orientation);
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    objc::Ref<NSArray> iconsArray() const;
    objc::Ref<NSArray> iconViewsArray() const;
    void placeIconViews();
};
