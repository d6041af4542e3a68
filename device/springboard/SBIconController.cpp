#include "device/springboard/SBIconController.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardLabels.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/MakeView.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITapGestureRecognizer.h"

#include <algorithm>
#include <cstdio>

namespace {
// How long a folder takes to grow out of its icon.
constexpr double kFolderOpenSeconds = 0.35;
} // namespace

using objc::Ref;
namespace sel = springboard::sel;

namespace {

constexpr double kEditingEndSeconds = 600;

std::string clockText()
{
    std::tm now = springboard::deviceLocalTime();
    char text[8];
    std::snprintf(text, sizeof text, "%d:%02d", now.tm_hour, now.tm_min);
    return text;
}

Ref<UIView> makeStatusBar(const springboard::HomeScreenGeometry& g, Ref<UILabel>& clock)
{
    auto bar = UIView::create(CGRectMake(0, 0, g.screen.width, g.statusBarHeight));
    bar->setOpaque(false);
    bar->setUserInteractionEnabled(false);
    bool notch = g.statusBarHeight > 30;
    double textY = notch ? 14 : 2;
    clock = springboard::makeLabel(notch ? CGRectMake(20, textY, 70, 17) : CGRectMake(0, textY, g.screen.width, 17), clockText(), 13, true,
        UIColor::whiteColor().ptr(), notch ? NSTextAlignmentCenter : NSTextAlignmentCenter);
    bar->addSubview(clock);
    if (!notch)
        bar->addSubview(springboard::makeLabel(CGRectMake(8, textY, 80, 17), "Ovrimo", 12, false, UIColor::whiteColor().ptr(), NSTextAlignmentLeft));
    // The battery: an outline with a charge and a nub.
    double right = g.screen.width - (notch ? 20 : 8);
    auto battery = UIView::create(CGRectMake(right - 27, textY + 3, 24, 11));
    battery->setOpaque(false);
    battery->layer()->setBorderWidth(1);
    battery->layer()->setBorderColor(UIColor::colorWithWhite(1, 0.6)->CGColor());
    battery->layer()->setCornerRadius(3);
    auto charge = UIView::create(CGRectMake(2, 2, 16, 7));
    charge->setBackgroundColor(UIColor::whiteColor().ptr());
    charge->layer()->setCornerRadius(1.5);
    battery->addSubview(charge);
    bar->addSubview(battery);
    auto nub = UIView::create(CGRectMake(right - 2.5, textY + 6.5, 1.5, 4));
    nub->setBackgroundColor(UIColor::colorWithWhite(1, 0.6).ptr());
    bar->addSubview(nub);
    return bar;
}

} // namespace

Ref<UIWindow> SBIconController::buildHomeScreen(SBIconModel* model)
{
    m_model = model;
    m_geometry = springboard::HomeScreenGeometry::forProfile(springboard::profile());
    const auto& g = m_geometry;
    CGRect screen = CGRectMake(0, 0, g.screen.width, g.screen.height);

    m_window = UIWindow::create(screen);
    m_rootViewController = UIViewController::create();
    m_container = UIView::create(screen);
    m_container->setBackgroundColor(UIColor::blackColor().ptr());
    m_rootViewController->setView(m_container);

    m_container->addSubview(UIImageView::createWithImage(springboard::drawWallpaper(g.screen)));

    auto content = UIView::create(screen);
    content->setOpaque(false);
    m_container->addSubview(content);

    // The pages side by side in a paging scroll view: they follow the finger, and a release turns
    // to the page nearest (or the next one after a flick).
    m_scroller = UIScrollView::create(screen);
    m_scroller->setOpaque(false);
    m_scroller->setPagingEnabled(true);
    m_scroller->setDelaysContentTouches(false);
    m_scroller->setShowsHorizontalScrollIndicator(false);
    m_scroller->setContentSize(CGSizeMake(g.screen.width * static_cast<double>(model->pages().size()), g.screen.height));
    m_scroller->setDelegate(this);
    content->addSubview(m_scroller);
    for (size_t i = 0; i < model->pages().size(); ++i) {
        CGRect frame = g.listFrame();
        frame.origin.x = g.screen.width * static_cast<double>(i);
        auto list = uikit::makeView<SBIconListView>(frame);
        list->setIcons(model->pages()[i], SBIconView::Location::HomeScreen);
        m_scroller->addSubview(list);
        m_pages.push_back(list);
    }

    m_pageControl = UIView::create(g.pageControlFrame());
    m_pageControl->setOpaque(false);
    m_pageControl->setUserInteractionEnabled(false);
    content->addSubview(m_pageControl);
    updatePageControl();

    CGRect dockFrame = g.dockFrame(static_cast<int>(model->dock().size()));
    m_dockView = UIView::create(dockFrame);
    m_dockView->setBackgroundColor(UIColor::colorWithWhite(1, g.floatingDock ? 0.35 : 0.22).ptr());
    if (g.floatingDock)
        m_dockView->layer()->setCornerRadius(26);
    content->addSubview(m_dockView);
    m_dock = uikit::makeView<SBDockIconListView>(CGRectMake(0, 0, dockFrame.size.width, dockFrame.size.height));
    m_dock->setIcons(model->dock(), SBIconView::Location::Dock);
    m_dockView->addSubview(m_dock);

    m_container->addSubview(makeStatusBar(g, m_clock));

    auto root = objc::make<SBFolder>();
    root->setDisplayName("Root");
    root->lists() = model->pages();
    m_rootController = SBFolderController::makeRoot(root, content);

    objc::WeakRef<UILabel> clock(m_clock);
    m_clockTimer = dispatch::RunLoop::main().addTimer(30'000'000'000, true, [clock] {
        if (auto* label = clock.ptr())
            label->setText(clockText());
    }, "common");

    m_window->setRootViewController(m_rootViewController);
    m_window->makeKeyAndVisible();
    return m_window;
}

void SBIconController::updatePageControl()
{
    for (auto view : std::vector<Ref<UIView>>(m_pageControl->subviews()))
        view->removeFromSuperview();
    int count = static_cast<int>(m_pages.size());
    if (count < 2)
        return;
    double dot = 7, spacing = 9;
    double width = count * dot + (count - 1) * spacing;
    double x = (m_pageControl->bounds().size.width - width) / 2;
    double y = (m_pageControl->bounds().size.height - dot) / 2;
    for (int i = 0; i < count; ++i) {
        auto d = UIView::create(CGRectMake(x + i * (dot + spacing), y, dot, dot));
        d->setBackgroundColor(UIColor::colorWithWhite(1, i == m_currentPage ? 1.0 : 0.4).ptr());
        d->layer()->setCornerRadius(dot / 2);
        m_pageControl->addSubview(d);
    }
}

void SBIconController::scrollToPage(int page)
{
    page = std::clamp(page, 0, std::max(0, static_cast<int>(m_pages.size()) - 1));
    m_currentPage = page;
    m_scroller->setContentOffset(CGPointMake(m_geometry.screen.width * page, 0), true);
    updatePageControl();
}

void SBIconController::pagesDidScroll(objc::Object*)
{
    // The page more than half on screen is the current one, as the dots show while the finger moves.
    double width = m_geometry.screen.width;
    if (width <= 0 || m_pages.empty())
        return;
    int page = std::clamp(static_cast<int>(std::lround(m_scroller->contentOffset().x / width)), 0, static_cast<int>(m_pages.size()) - 1);
    if (page == m_currentPage)
        return;
    m_currentPage = page;
    updatePageControl();
}

std::vector<Ref<SBIconView>> SBIconController::visibleIconViews() const
{
    std::vector<Ref<SBIconView>> views;
    for (auto& page : m_pages)
        views.insert(views.end(), page->iconViews().begin(), page->iconViews().end());
    if (m_dock)
        views.insert(views.end(), m_dock->iconViews().begin(), m_dock->iconViews().end());
    if (m_openFolder)
        for (auto& list : m_openFolder->listViews())
            views.insert(views.end(), list->iconViews().begin(), list->iconViews().end());
    return views;
}

SBIconView* SBIconController::iconViewForIcon(const SBIcon* icon) const
{
    for (auto& view : visibleIconViews())
        if (view->icon() == icon)
            return view.ptr();
    return nullptr;
}

void SBIconController::openFolder(SBFolderIcon* icon)
{
    if (!icon || !icon->folder())
        return;
    if (m_openFolder)
        closeFolder(false);
    m_openFolderIcon = icon;
    // The folder icon lays out again as it opens.
    if (SBIconView* view = iconViewForIcon(icon))
        if (view->folderIconImageView())
            view->folderIconImageView()->setNeedsLayout();
    CGRect screen = CGRectMake(0, 0, m_geometry.screen.width, m_geometry.screen.height);
    m_folderBackdrop = UIView::create(screen);
    m_folderBackdrop->setBackgroundColor(UIColor::colorWithWhite(0.05, 0.75).ptr());
    m_folderBackdrop->addGestureRecognizer(UIGestureRecognizer::create<UITapGestureRecognizer>(this, sel::_handleBackdropTap.name()));
    m_container->addSubview(m_folderBackdrop);
    m_openFolder = SBFolderController::makeForFolder(icon->folder(), m_geometry);
    m_openFolder->contentView()->setUserInteractionEnabled(true);
    // The open folder's content gets a container of its own: what its controller adds to or
    // removes from its content view's superview must not touch the home screen's.
    m_folderContainer = UIView::create(screen);
    m_folderContainer->setOpaque(false);
    m_container->addSubview(m_folderContainer);
    m_folderContainer->addSubview(m_openFolder->contentView());
    m_openFolder->contentView()->addGestureRecognizer(UIGestureRecognizer::create<UITapGestureRecognizer>(this, sel::_handleBackdropTap.name()));
    if (m_editing) {
        for (auto& list : m_openFolder->listViews())
            for (auto& view : list->iconViews())
                sel::setEditingAnimated(view, true, false);
        sel::setEditingAnimated(m_openFolder, true, false);
    }
    growFolderOutOf(iconViewForIcon(icon));
}

std::optional<SBIconController::Shrink> SBIconController::shrinkIntoIcon(SBIconView* iconView) const
{
    if (!iconView || !iconView->window() || !m_openFolder || !m_folderContainer)
        return std::nullopt;
    CGRect panel = m_openFolder->contentView()->convertRectToView(m_openFolder->contentView()->bounds(), m_folderContainer);
    CGRect from = iconView->iconImageView()->convertRectToView(iconView->iconImageView()->bounds(), m_folderContainer);
    if (panel.size.width <= 0)
        return std::nullopt;
    // The scale is about the container's centre; the translation then carries the shrunken
    // panel's centre onto the icon's.
    double scale = from.size.width / panel.size.width;
    CGPoint centre = CGPointMake(CGRectGetMidX(m_folderContainer->bounds()), CGRectGetMidY(m_folderContainer->bounds()));
    CGPoint panelCentre = CGPointMake(centre.x + (CGRectGetMidX(panel) - centre.x) * scale, centre.y + (CGRectGetMidY(panel) - centre.y) * scale);
    return Shrink { scale, CGRectGetMidX(from) - panelCentre.x, CGRectGetMidY(from) - panelCentre.y };
}

// The open folder grows out of its icon's place while the backdrop darkens. Only what is shown
// moves: the folder's views are where they belong from the start, for touches and for layout.
void SBIconController::growFolderOutOf(SBIconView* iconView)
{
    using uikit::LayerAnimation;
    auto animation = [](LayerAnimation::Property property, double from, double to) {
        LayerAnimation a;
        a.property = property;
        a.from = from;
        a.to = to;
        a.duration = kFolderOpenSeconds;
        return a;
    };
    CALayer* folder = m_folderContainer->layer();
    folder->addAnimation(animation(LayerAnimation::Property::Opacity, 0, 1), "open.fade");
    m_folderBackdrop->layer()->addAnimation(animation(LayerAnimation::Property::Opacity, 0, 1), "open.fade");
    if (auto shrink = shrinkIntoIcon(iconView)) {
        folder->addAnimation(animation(LayerAnimation::Property::Scale, shrink->scale, 1), "open.scale");
        folder->addAnimation(animation(LayerAnimation::Property::TranslationX, shrink->dx, 0), "open.x");
        folder->addAnimation(animation(LayerAnimation::Property::TranslationY, shrink->dy, 0), "open.y");
    }
}

void SBIconController::closeFolder(bool animated)
{
    if (!m_openFolder)
        return;
    if (m_editing)
        sel::setEditingAnimated(m_openFolder, false, false);
    Ref<UIView> container = m_folderContainer, backdrop = m_folderBackdrop;
    auto shrink = animated ? shrinkIntoIcon(iconViewForIcon(m_openFolderIcon.ptr())) : std::nullopt;
    // Closed at once for everything but the eye: the home screen takes touches again, and what
    // is left of the folder only shrinks back into its icon and fades, then goes.
    m_openFolder = nullptr;
    m_openFolderIcon = nullptr;
    m_folderContainer = nullptr;
    m_folderBackdrop = nullptr;
    if (!animated) {
        container->removeFromSuperview();
        backdrop->removeFromSuperview();
        return;
    }
    container->setUserInteractionEnabled(false);
    backdrop->setUserInteractionEnabled(false);
    UIView::animateWithDuration(
        kFolderOpenSeconds, 0, 0,
        [container, backdrop, shrink] {
            container->setAlpha(0);
            backdrop->setAlpha(0);
            if (shrink)
                container->setTransform(CGAffineTransformMake(shrink->scale, 0, 0, shrink->scale, shrink->dx, shrink->dy));
        },
        [container, backdrop](bool) {
            container->removeFromSuperview();
            backdrop->removeFromSuperview();
        });
}

void SBIconController::finishLaunchAnimation()
{
    if (UIView* crossfade = m_crossfade.ptr())
        crossfade->removeFromSuperview();
    m_crossfade = nullptr;
}

void SBIconController::launch(SBIcon* icon)
{
    if (!icon)
        return;
    if (auto* folderIcon = dynamic_cast<SBFolderIcon*>(icon)) {
        openFolder(folderIcon);
        return;
    }
    // The icon grows into the app: a crossfade view from the icon's place to the whole screen.
    if (SBIconView* view = iconViewForIcon(icon); view && view->window()) {
        CGRect from = view->iconImageView()->convertRectToView(view->iconImageView()->bounds(), m_container);
        auto crossfade = uikit::makeView<SBIconImageCrossfadeView>(from);
        auto image = UIImageView::create(CGRectMake(0, 0, from.size.width, from.size.height));
        image->setImage(view->iconImageView()->displayedImage());
        image->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        crossfade->addSubview(image);
        finishLaunchAnimation();
        m_container->addSubview(crossfade);
        m_crossfade = crossfade.ptr();
        sel::_updateCornerMask(crossfade);
        CGRect screen = CGRectMake(0, 0, m_geometry.screen.width, m_geometry.screen.height);
        UIView::animateWithDuration(
            0.3, [crossfade, screen] {
                crossfade->setFrame(screen);
                sel::_updateCornerMask(crossfade);
            },
            [crossfade](bool) { crossfade->removeFromSuperview(); });
    }
    std::string id = springboard::iconIdentifier(icon);
    if (auto* bookmark = dynamic_cast<SBBookmarkIcon*>(icon)) {
        springboard::uiController()->activateApplication("com.apple.mobilesafari", bookmark->webClip()->title(), bookmark->webClip()->url());
        return;
    }
    springboard::uiController()->activateApplication(id, springboard::iconDisplayName(icon), "");
}

Ref<objc::Object> SBIconController::sharedInstance() { return Ref<objc::Object>(springboard::state().iconController); }

Ref<objc::Object> SBIconController::homescreenIconViewMap() const { return Ref<objc::Object>(springboard::state().viewMap); }

Ref<SBIconListView> SBIconController::currentRootIconList() const
{
    if (m_pages.empty())
        return Ref<SBIconListView>();
    return m_pages[static_cast<size_t>(std::clamp(m_currentPage, 0, static_cast<int>(m_pages.size()) - 1))];
}

Ref<SBFolderIconListView> SBIconController::currentFolderIconList() const
{
    if (!m_openFolder || m_openFolder->listViews().empty())
        return Ref<SBFolderIconListView>();
    return m_openFolder->listViews().front();
}

void SBIconController::setIsEditing(bool editing)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    for (auto& view : visibleIconViews())
        sel::setEditingAnimated(view, editing, true);
    sel::setEditingAnimated(m_rootController, editing, true);
    if (m_openFolder)
        sel::setEditingAnimated(m_openFolder, editing, true);
    if (editing && sel::_restartEditingEndTimer.isAnsweredBy(this))
        sel::_restartEditingEndTimer(this);
    if (!editing && m_editingEndTimer) {
        dispatch::RunLoop::main().cancelTimer(m_editingEndTimer);
        m_editingEndTimer = 0;
    }
}

void SBIconController::restartEditingEndTimer()
{
    if (m_editingEndTimer)
        dispatch::RunLoop::main().cancelTimer(m_editingEndTimer);
    objc::WeakRef<SBIconController> weak(this);
    m_editingEndTimer = dispatch::RunLoop::main().addTimer(static_cast<dispatch::Nanoseconds>(kEditingEndSeconds * 1e9), false, [weak] {
        if (auto* controller = weak.ptr()) {
            controller->m_editingEndTimer = 0;
            sel::setIsEditing(controller, false);
        }
    });
}

void SBIconController::openFolderIconAnimated(SBFolderIcon* icon, bool) { openFolder(icon); }

void SBIconController::closeFolderAnimated(bool animated) { closeFolder(animated); }

void SBIconController::scrollToIconListAtIndexAnimated(std::int64_t index, bool) { scrollToPage(static_cast<int>(index)); }


void SBIconController::handleBackdropTap(UIGestureRecognizer*) { closeFolder(); }

void SBIconController::handleDoneButton(objc::Object*) { sel::setIsEditing(this, false); }

void SBIconController::registerClass(objc::Runtime& rt, const device::DeviceProfile& profile)
{
    objc::ClassBuilder<SBIconController> builder(rt, "NSObject");
    builder.classMethod(sel::sharedInstance, &SBIconController::sharedInstance).method(sel::model, &SBIconController::model);
    if (profile.systemVersionNumber() >= 9.3 - 1e-9)
        builder.method(sel::homescreenIconViewMap, &SBIconController::homescreenIconViewMap);
    builder.method(sel::currentRootIconList, &SBIconController::currentRootIconList)
        .method(sel::currentFolderIconList, &SBIconController::currentFolderIconList)
        .method(sel::dockListView, &SBIconController::dockList)
        .method(sel::rootFolderController, &SBIconController::rootFolderController)
        .method(sel::openFolderController, &SBIconController::openFolderController)
        .method(sel::hasOpenFolder, &SBIconController::hasOpenFolder)
        .method(sel::isEditing, &SBIconController::isEditing)
        .method(sel::setIsEditing, &SBIconController::setIsEditing);
    if (profile.systemVersionNumber() >= 11.1 - 1e-9)
        builder.method(sel::_restartEditingEndTimer, &SBIconController::restartEditingEndTimer);
    // The original of _launchIcon:: a folder opens, an app launches.
    builder.method(sel::_launchIcon, &SBIconController::launch)
        .method(sel::openFolderIconAnimated, &SBIconController::openFolderIconAnimated)
        .method(sel::closeFolderAnimated, &SBIconController::closeFolderAnimated)
        .method(sel::scrollToIconListAtIndexAnimated, &SBIconController::scrollToIconListAtIndexAnimated)
        .method(sel::currentIconListIndex, &SBIconController::currentIconListIndex)
        .method(uikit::sel::scrollViewDidScroll, &SBIconController::pagesDidScroll)
        .method(sel::_handleBackdropTap, &SBIconController::handleBackdropTap)
        .method(sel::_handleDoneButton, &SBIconController::handleDoneButton)
        .build();
}

namespace springboard {

SBIconController* iconController() { return dynamic_cast<SBIconController*>(state().iconController.ptr()); }

void setAppScreenFactory(AppScreenFactory factory)
{
    if (!factory) {
        state().appScreenFactory = nullptr;
        return;
    }
    state().appScreenFactory = [factory](const std::string& id) { return Ref<objc::Object>(factory(id).ptr()); };
}

bool launchApplication(const std::string& bundleIdentifier)
{
    auto* icons = iconController();
    if (!icons || bundleIdentifier.empty())
        return false;
    SBIcon* icon = icons->model()->iconForIdentifier(bundleIdentifier);
    if (!icon)
        return false;
    // An icon without a view on screen (inside a closed folder) launches without the crossfade.
    sel::_launchIcon(icons, icon);
    return true;
}

Ref<UIWindow> launchSpringBoard()
{
    auto& s = state();
    auto icons = objc::make<SBIconController>();
    s.iconController = icons;
    s.uiController = objc::make<SBUIController>();
    s.viewMap = objc::make<SBIconViewMap>();
    if (objc::objc_getClass("SBFloatingDockController"))
        s.floatingDockController = objc::make<SBFloatingDockController>();
    auto model = loadIconModel();
    return icons->buildHomeScreen(model);
}

} // namespace springboard
