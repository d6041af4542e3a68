#include "device/springboard/SBIconListView.h"

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SpringBoard.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/uikit/UIWindow.h"

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {

springboard::HomeScreenGeometry geometry() { return springboard::HomeScreenGeometry::forProfile(springboard::profile()); }

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

CGRect SBIconListView::frameForIconAtIndex(int index) const { return geometry().iconFrameInList(index); }
CGRect SBFolderIconListView::frameForIconAtIndex(int index) const { return geometry().iconFrameInFolder(index); }
CGRect SBDockIconListView::frameForIconAtIndex(int index) const { return geometry().iconFrameInDock(index, static_cast<int>(m_icons.size())); }

void SBIconListView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBIconListView>("UIView");
    c->addClassMethod("maxVisibleIcons", [](objc::Object*, SEL) -> std::int64_t { return geometry().iconsPerPage(); });
    c->addClassMethod("iconColumnsForInterfaceOrientation:", [](objc::Object*, SEL, std::int64_t) -> std::int64_t { return geometry().columns; });
    c->addClassMethod("iconRowsForInterfaceOrientation:", [](objc::Object*, SEL, std::int64_t) -> std::int64_t { return geometry().rows; });
    c->addMethod("initWithFrame:", [c](SBIconListView* self, SEL, CGRect frame) {
        objc::msgSendSuper<Ref<objc::Object>>(c, self, "initWithFrame:", frame);
        self->setOpaque(false);
        return Ref<objc::Object>(self);
    });
    c->addMethod("icons", [](SBIconListView* self, SEL) {
        std::vector<Ref<objc::Object>> items(self->icons().begin(), self->icons().end());
        return NSArray::make(std::move(items));
    });
    c->addMethod("iconViews", [](SBIconListView* self, SEL) {
        std::vector<Ref<objc::Object>> items(self->iconViews().begin(), self->iconViews().end());
        return NSArray::make(std::move(items));
    });
    c->addMethod("layoutSubviews", [](SBIconListView* self, SEL) {
        for (size_t i = 0; i < self->m_iconViews.size(); ++i)
            placeIconView(self->m_iconViews[i], self->frameForIconAtIndex(static_cast<int>(i)));
    });
}

void SBFolderIconListView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBFolderIconListView>("SBIconListView");
    c->addClassMethod("maxVisibleIcons", [](objc::Object*, SEL) -> std::int64_t { return 9; });
    c->addClassMethod("iconColumnsForInterfaceOrientation:", [](objc::Object*, SEL, std::int64_t) -> std::int64_t { return 3; });
    c->addClassMethod("iconRowsForInterfaceOrientation:", [](objc::Object*, SEL, std::int64_t) -> std::int64_t { return 3; });
}

void SBDockIconListView::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBDockIconListView>("SBIconListView");
    c->addClassMethod("maxVisibleIcons", [](objc::Object*, SEL) -> std::int64_t { return springboard::profile().floatingDock ? 6 : 4; });
    c->addClassMethod("iconColumnsForInterfaceOrientation:", [](objc::Object*, SEL, std::int64_t) -> std::int64_t { return springboard::profile().floatingDock ? 6 : 4; });
    c->addClassMethod("iconRowsForInterfaceOrientation:", [](objc::Object*, SEL, std::int64_t) -> std::int64_t { return 1; });
}

SBIconView* SBIconViewMap::mappedIconViewForIcon(const SBIcon* icon) const
{
    // Prefer a view that is on screen; a folder's icons only have views while it is open.
    SBIconView* fallback = nullptr;
    for (auto& view : springboard::liveIconViews()) {
        if (view->icon() != icon)
            continue;
        if (view->window())
            return view.ptr();
        if (!fallback && view->superview())
            fallback = view.ptr();
    }
    return fallback;
}

void SBIconViewMap::registerClass(objc::Runtime& rt, bool withHomescreenMap)
{
    objc::Class* c = rt.registerClass<SBIconViewMap>("NSObject");
    c->addMethod("mappedIconViewForIcon:", [](SBIconViewMap* self, SEL, SBIcon* icon) { return Ref<SBIconView>(self->mappedIconViewForIcon(icon)); });
    if (withHomescreenMap)
        c->addClassMethod("homescreenMap", [](objc::Object*, SEL) { return Ref<objc::Object>(springboard::state().viewMap); });
}
