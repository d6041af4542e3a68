#include "device/springboard/SBIconListView.h"

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
namespace sel = springboard::sel;

namespace {

springboard::HomeScreenGeometry listGeometry() { return springboard::HomeScreenGeometry::forProfile(springboard::profile()); }

void placeIconView(UIView* view, CGRect frame)
{
    // Centre and bounds rather than frame, so that a wiggle's rotation stays as it is.
    view->setBounds(CGRectMake(0, 0, frame.size.width, frame.size.height));
    view->setCenter(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
}

} // namespace

void SBIconListView::setIcons(const std::vector<Ref<SBIcon>>& icons, SBIconView::Location location)
{
    for (auto& view : m_iconViews)
        view->removeFromSuperview();
    m_iconViews.clear();
    m_icons = icons;
    for (size_t i = 0; i < icons.size(); ++i) {
        auto view = SBIconView::create(icons[i], location);
        placeIconView(view, frameForIconAtIndex(static_cast<int>(i)));
        addSubview(view);
        m_iconViews.push_back(view);
    }
    setNeedsLayout();
}

SBIconView* SBIconListView::iconViewForIcon(const SBIcon* icon) const
{
    for (auto& view : m_iconViews)
        if (view->icon() == icon)
            return view.ptr();
    return nullptr;
}

CGRect SBIconListView::frameForIconAtIndex(int index) const { return listGeometry().iconFrameInList(index); }

std::int64_t SBIconListView::maxVisibleIcons() { return listGeometry().iconsPerPage(); }
std::int64_t SBIconListView::iconColumnsForInterfaceOrientation(std::int64_t) { return listGeometry().columns; }
std::int64_t SBIconListView::iconRowsForInterfaceOrientation(std::int64_t) { return listGeometry().rows; }

Ref<objc::Object> SBIconListView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<SBIconListView>(), this, frame);
    setOpaque(false);
    return Ref<objc::Object>(this);
}

Ref<NSArray> SBIconListView::iconsArray() const { return NSArray::make(std::vector<Ref<objc::Object>>(m_icons.begin(), m_icons.end())); }

Ref<NSArray> SBIconListView::iconViewsArray() const { return NSArray::make(std::vector<Ref<objc::Object>>(m_iconViews.begin(), m_iconViews.end())); }

void SBIconListView::placeIconViews()
{
    for (size_t i = 0; i < m_iconViews.size(); ++i)
        placeIconView(m_iconViews[i], frameForIconAtIndex(static_cast<int>(i)));
}

void SBIconListView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBIconListView>(rt, "UIView")
        .classMethod(sel::maxVisibleIcons, &SBIconListView::maxVisibleIcons)
        .classMethod(sel::iconColumnsForInterfaceOrientation, &SBIconListView::iconColumnsForInterfaceOrientation)
        .classMethod(sel::iconRowsForInterfaceOrientation, &SBIconListView::iconRowsForInterfaceOrientation)
        .method(uikit::sel::initWithFrame, &SBIconListView::initWithFrame)
        .method(sel::icons, &SBIconListView::iconsArray)
        .method(sel::iconViews, &SBIconListView::iconViewsArray)
        .method(uikit::sel::layoutSubviews, &SBIconListView::placeIconViews)
        .build();
}
