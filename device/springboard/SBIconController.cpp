#include "device/springboard/SBIconController.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoard.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"

#include <algorithm>
#include <cstdio>

using objc::msgSend;
using objc::Ref;
using objc::SEL;

namespace {

constexpr double kEditingEndSeconds = 600;

std::string clockText()
{
    std::tm now = springboard::deviceLocalTime();
    char text[8];
    std::snprintf(text, sizeof text, "%d:%02d", now.tm_hour, now.tm_min);
    return text;
}

Ref<UILabel> makeLabel(CGRect frame, const std::string& text, double size, bool bold, UIColor* colour, NSTextAlignment alignment)
{
    auto label = UILabel::create(frame);
    label->setText(text);
    label->setFont((bold ? UIFont::boldSystemFontOfSize(size) : UIFont::systemFontOfSize(size)).ptr());
    label->setTextColor(colour);
    label->setTextAlignment(alignment);
    return label;
}

Ref<UIView> makeStatusBar(const springboard::HomeScreenGeometry& g, Ref<UILabel>& clock)
{
    auto bar = UIView::create(CGRectMake(0, 0, g.screen.width, g.statusBarHeight));
    bar->setOpaque(false);
    bar->setUserInteractionEnabled(false);
    bool notch = g.statusBarHeight > 30;
    double textY = notch ? 14 : 2;
    clock = makeLabel(notch ? CGRectMake(20, textY, 70, 17) : CGRectMake(0, textY, g.screen.width, 17), clockText(), 13, true,
        UIColor::whiteColor().ptr(), notch ? NSTextAlignmentCenter : NSTextAlignmentCenter);
    bar->addSubview(clock);
    if (!notch)
        bar->addSubview(makeLabel(CGRectMake(8, textY, 80, 17), "Ovrimo", 12, false, UIColor::whiteColor().ptr(), NSTextAlignmentLeft));
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

Ref<UIViewController> placeholderApp(const std::string& bundleIdentifier, const std::string& title, const std::string& detail, double width, double height)
{
    auto controller = UIViewController::create();
    auto view = UIView::create(CGRectMake(0, 0, width, height));
    springboard::RGB tint = springboard::iconColorFor(bundleIdentifier);
    view->setBackgroundColor(UIColor::colorWithRed(0.55 + tint.r * 0.45, 0.55 + tint.g * 0.45, 0.55 + tint.b * 0.45, 1).ptr());
    SBIcon* icon = springboard::iconController() ? springboard::iconController()->model()->iconForIdentifier(bundleIdentifier) : nullptr;
    double side = springboard::iconImageSide(SBIcon::FormatHome) * 1.5;
    auto image = UIImageView::create(CGRectMake((width - side) / 2, height * 0.3, side, side));
    if (icon)
        image->setImage(msgSend<Ref<UIImage>>(icon, "getIconImage:", static_cast<int>(SBIcon::FormatHome)));
    view->addSubview(image);
    view->addSubview(makeLabel(CGRectMake(0, height * 0.3 + side + 18, width, 36), title, 28, true, UIColor::colorWithWhite(0.1, 1).ptr(), NSTextAlignmentCenter));
    if (!detail.empty())
        view->addSubview(makeLabel(CGRectMake(16, height * 0.3 + side + 58, width - 32, 20), detail, 15, false, UIColor::colorWithWhite(0.25, 1).ptr(), NSTextAlignmentCenter));
    view->addSubview(makeLabel(CGRectMake(0, height - 60, width, 20), "Press Home to return", 13, false, UIColor::colorWithWhite(0.3, 1).ptr(), NSTextAlignmentCenter));
    view->setAccessibilityLabel(title);
    controller->setView(view);
    controller->setTitle(title);
    return controller;
}

} // namespace

// MARK: SBFolderController

Ref<SBFolderController> SBFolderController::makeRoot(SBFolder* folder, UIView* contentView)
{
    auto controller = objc::make<SBFolderController>();
    controller->m_folder = folder;
    controller->m_contentView = contentView;
    controller->m_root = true;
    return controller;
}

Ref<SBFolderController> SBFolderController::makeForFolder(SBFolder* folder, const springboard::HomeScreenGeometry& g)
{
    auto controller = objc::make<SBFolderController>();
    controller->m_folder = folder;
    auto content = UIView::create(CGRectMake(0, 0, g.screen.width, g.screen.height));
    content->setOpaque(false);
    CGRect panelFrame = g.folderPanelFrame();
    content->addSubview(makeLabel(CGRectMake(0, panelFrame.origin.y - 56, g.screen.width, 40), folder->displayName(), 30, true, UIColor::whiteColor().ptr(), NSTextAlignmentCenter));
    auto panel = UIView::create(panelFrame);
    panel->setBackgroundColor(UIColor::colorWithWhite(0.9, 0.92).ptr());
    panel->layer()->setCornerRadius(panelFrame.size.width * 0.12);
    content->addSubview(panel);
    auto list = springboard::makeView<SBFolderIconListView>(CGRectMake(0, 0, panelFrame.size.width, panelFrame.size.height));
    list->setIcons(folder->lists().empty() ? std::vector<Ref<SBIcon>> {} : folder->lists().front(), SBIconView::Location::Folder);
    panel->addSubview(list);
    controller->m_lists.push_back(list);
    controller->m_contentView = content;
    return controller;
}

void SBFolderController::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBFolderController>("NSObject");
    c->addMethod("folder", [](SBFolderController* self, SEL) { return Ref<SBFolder>(self->folder()); });
    c->addMethod("contentView", [](SBFolderController* self, SEL) { return Ref<UIView>(self->contentView()); });
    c->addMethod("isEditing", [](SBFolderController* self, SEL) { return self->isEditing(); });
    c->addMethod("currentIconListView", [](SBFolderController* self, SEL) {
        return self->m_lists.empty() ? Ref<SBIconListView>() : Ref<SBIconListView>(self->m_lists.front().ptr());
    });
    // The original: the root folder shows a Done button while editing.
    c->addMethod("setEditing:animated:", [](SBFolderController* self, SEL, bool editing, bool) {
        self->m_editing = editing;
        if (!self->m_root || !self->m_contentView)
            return;
        if (editing && !self->m_doneButton) {
            const auto& g = springboard::iconController()->geometry();
            auto button = UIButton::buttonWithType(UIButtonTypeCustom);
            // In the status bar's band, left of the battery, where it covers no icon or close box.
            button->setFrame(CGRectMake(g.screen.width - 104, std::max(0.0, g.statusBarHeight - 22), 60, 20));
            button->setTitle("Done", UIControlStateNormal);
            button->setTitleColor(UIColor::whiteColor().ptr(), UIControlStateNormal);
            button->setBackgroundColor(UIColor::colorWithWhite(1, 0.3).ptr());
            button->layer()->setCornerRadius(10);
            button->titleLabel()->setFont(UIFont::boldSystemFontOfSize(13).ptr());
            button->setAccessibilityLabel("Done");
            button->addTarget(springboard::iconController(), "_handleDoneButton:", UIControlEventTouchUpInside);
            self->m_contentView->addSubview(button);
            self->m_doneButton = button;
        } else if (!editing && self->m_doneButton) {
            self->m_doneButton->removeFromSuperview();
            self->m_doneButton = nullptr;
        }
    });
}

// MARK: SBIconController

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

    m_scroller = UIView::create(screen);
    m_scroller->setOpaque(false);
    content->addSubview(m_scroller);
    for (size_t i = 0; i < model->pages().size(); ++i) {
        CGRect frame = g.listFrame();
        frame.origin.x = g.screen.width * static_cast<double>(i);
        auto list = springboard::makeView<SBIconListView>(frame);
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
    m_dock = springboard::makeView<SBDockIconListView>(CGRectMake(0, 0, dockFrame.size.width, dockFrame.size.height));
    m_dock->setIcons(model->dock(), SBIconView::Location::Dock);
    m_dockView->addSubview(m_dock);

    m_container->addSubview(makeStatusBar(g, m_clock));

    auto root = objc::make<SBFolder>();
    root->setDisplayName("Root");
    root->lists() = model->pages();
    m_rootController = SBFolderController::makeRoot(root, content);

    auto left = UIGestureRecognizer::create<UISwipeGestureRecognizer>(this, "_handleSwipe:");
    left->setDirection(UISwipeGestureRecognizerDirectionLeft);
    content->addGestureRecognizer(left);
    auto right = UIGestureRecognizer::create<UISwipeGestureRecognizer>(this, "_handleSwipe:");
    right->setDirection(UISwipeGestureRecognizerDirectionRight);
    content->addGestureRecognizer(right);

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
    Ref<UIView> scroller = m_scroller;
    double x = m_geometry.screen.width * page;
    UIView::animateWithDuration(0.3, [scroller, x] {
        CGRect b = scroller->bounds();
        b.origin.x = x;
        scroller->setBounds(b);
    });
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
        closeFolder();
    // The folder icon lays out again as it opens.
    if (SBIconView* view = iconViewForIcon(icon))
        if (view->folderIconImageView())
            view->folderIconImageView()->setNeedsLayout();
    CGRect screen = CGRectMake(0, 0, m_geometry.screen.width, m_geometry.screen.height);
    m_folderBackdrop = UIView::create(screen);
    m_folderBackdrop->setBackgroundColor(UIColor::colorWithWhite(0.05, 0.75).ptr());
    m_folderBackdrop->addGestureRecognizer(UIGestureRecognizer::create<UITapGestureRecognizer>(this, "_handleBackdropTap:"));
    m_container->addSubview(m_folderBackdrop);
    m_openFolder = SBFolderController::makeForFolder(icon->folder(), m_geometry);
    m_openFolder->contentView()->setUserInteractionEnabled(true);
    // The open folder's content gets a container of its own: what its controller adds to or
    // removes from its content view's superview must not touch the home screen's.
    m_folderContainer = UIView::create(screen);
    m_folderContainer->setOpaque(false);
    m_container->addSubview(m_folderContainer);
    m_folderContainer->addSubview(m_openFolder->contentView());
    m_openFolder->contentView()->addGestureRecognizer(UIGestureRecognizer::create<UITapGestureRecognizer>(this, "_handleBackdropTap:"));
    if (m_editing) {
        for (auto& list : m_openFolder->listViews())
            for (auto& view : list->iconViews())
                msgSend(view, "setEditing:animated:", true, false);
        msgSend(m_openFolder, "setEditing:animated:", true, false);
    }
}

void SBIconController::closeFolder()
{
    if (!m_openFolder)
        return;
    if (m_editing)
        msgSend(m_openFolder, "setEditing:animated:", false, false);
    m_folderContainer->removeFromSuperview();
    m_folderBackdrop->removeFromSuperview();
    m_openFolder = nullptr;
    m_folderContainer = nullptr;
    m_folderBackdrop = nullptr;
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
        auto crossfade = springboard::makeView<SBIconImageCrossfadeView>(from);
        auto image = UIImageView::create(CGRectMake(0, 0, from.size.width, from.size.height));
        image->setImage(view->iconImageView()->displayedImage());
        image->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        crossfade->addSubview(image);
        finishLaunchAnimation();
        m_container->addSubview(crossfade);
        m_crossfade = crossfade.ptr();
        msgSend(crossfade, "_updateCornerMask");
        CGRect screen = CGRectMake(0, 0, m_geometry.screen.width, m_geometry.screen.height);
        UIView::animateWithDuration(
            0.3, [crossfade, screen] {
                crossfade->setFrame(screen);
                msgSend(crossfade, "_updateCornerMask");
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

void SBIconController::registerClass(objc::Runtime& rt, const device::DeviceProfile& profile)
{
    objc::Class* c = rt.registerClass<SBIconController>("NSObject");
    c->addClassMethod("sharedInstance", [](objc::Object*, SEL) { return Ref<objc::Object>(springboard::state().iconController); });
    c->addMethod("model", [](SBIconController* self, SEL) { return Ref<SBIconModel>(self->model()); });
    if (profile.systemVersionNumber() >= 9.3 - 1e-9)
        c->addMethod("homescreenIconViewMap", [](SBIconController*, SEL) { return Ref<objc::Object>(springboard::state().viewMap); });
    c->addMethod("currentRootIconList", [](SBIconController* self, SEL) {
        if (self->m_pages.empty())
            return Ref<SBIconListView>();
        return self->m_pages[static_cast<size_t>(std::clamp(self->m_currentPage, 0, static_cast<int>(self->m_pages.size()) - 1))];
    });
    c->addMethod("currentFolderIconList", [](SBIconController* self, SEL) {
        if (!self->m_openFolder || self->m_openFolder->listViews().empty())
            return Ref<SBFolderIconListView>();
        return self->m_openFolder->listViews().front();
    });
    c->addMethod("dockListView", [](SBIconController* self, SEL) { return Ref<SBDockIconListView>(self->dockList()); });
    c->addMethod("rootFolderController", [](SBIconController* self, SEL) { return Ref<SBFolderController>(self->rootFolderController()); });
    c->addMethod("openFolderController", [](SBIconController* self, SEL) { return Ref<SBFolderController>(self->openFolderController()); });
    c->addMethod("hasOpenFolder", [](SBIconController* self, SEL) { return self->m_openFolder != nullptr; });
    c->addMethod("isEditing", [](SBIconController* self, SEL) { return self->isEditing(); });
    c->addMethod("setIsEditing:", [](SBIconController* self, SEL, bool editing) {
        if (self->m_editing == editing)
            return;
        self->m_editing = editing;
        for (auto& view : self->visibleIconViews())
            msgSend(view, "setEditing:animated:", editing, true);
        msgSend(self->m_rootController, "setEditing:animated:", editing, true);
        if (self->m_openFolder)
            msgSend(self->m_openFolder, "setEditing:animated:", editing, true);
        if (editing && objc::respondsToSelector(self, "_restartEditingEndTimer"))
            msgSend(self, "_restartEditingEndTimer");
        if (!editing && self->m_editingEndTimer) {
            dispatch::RunLoop::main().cancelTimer(self->m_editingEndTimer);
            self->m_editingEndTimer = 0;
        }
    });
    if (profile.systemVersionNumber() >= 11.1 - 1e-9)
        c->addMethod("_restartEditingEndTimer", [](SBIconController* self, SEL) {
            if (self->m_editingEndTimer)
                dispatch::RunLoop::main().cancelTimer(self->m_editingEndTimer);
            objc::WeakRef<SBIconController> weak(self);
            self->m_editingEndTimer = dispatch::RunLoop::main().addTimer(static_cast<dispatch::Nanoseconds>(kEditingEndSeconds * 1e9), false, [weak] {
                if (auto* controller = weak.ptr()) {
                    controller->m_editingEndTimer = 0;
                    msgSend(controller, "setIsEditing:", false);
                }
            });
        });
    // The original: a folder opens, an app launches.
    c->addMethod("_launchIcon:", [](SBIconController* self, SEL, SBIcon* icon) { self->launch(icon); });
    c->addMethod("openFolderIcon:animated:", [](SBIconController* self, SEL, SBFolderIcon* icon, bool) { self->openFolder(icon); });
    c->addMethod("closeFolderAnimated:", [](SBIconController* self, SEL, bool) { self->closeFolder(); });
    c->addMethod("scrollToIconListAtIndex:animated:", [](SBIconController* self, SEL, std::int64_t index, bool) { self->scrollToPage(static_cast<int>(index)); });
    c->addMethod("currentIconListIndex", [](SBIconController* self, SEL) -> std::int64_t { return self->m_currentPage; });
    c->addMethod("_handleSwipe:", [](SBIconController* self, SEL, UIGestureRecognizer* recognizer) {
        auto* swipe = dynamic_cast<UISwipeGestureRecognizer*>(recognizer);
        if (!swipe || self->m_openFolder)
            return;
        self->scrollToPage(self->m_currentPage + (swipe->direction() == UISwipeGestureRecognizerDirectionLeft ? 1 : -1));
    });
    c->addMethod("_handleBackdropTap:", [](SBIconController* self, SEL, UIGestureRecognizer*) { self->closeFolder(); });
    c->addMethod("_handleDoneButton:", [](SBIconController* self, SEL, objc::Object*) { msgSend(self, "setIsEditing:", false); });
}

// MARK: SBFloatingDockController

void SBFloatingDockController::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBFloatingDockController>("NSObject");
    c->addClassMethod("isFloatingDockSupported", [](objc::Object*, SEL) { return springboard::profile().floatingDock; });
    c->addClassMethod("sharedInstance", [](objc::Object*, SEL) { return Ref<objc::Object>(springboard::state().floatingDockController); });
    // The dock's controller presents from the home screen's own controller.
    c->addMethod("viewController", [](SBFloatingDockController*, SEL) {
        auto* controller = springboard::iconController();
        return Ref<UIViewController>(controller ? controller->rootViewController() : nullptr);
    });
}

// MARK: SBUIController

void SBUIController::activateApplication(const std::string& bundleIdentifier, const std::string& title, const std::string& detail)
{
    auto* icons = springboard::iconController();
    UIViewController* root = icons->rootViewController();
    while (!m_overlays.empty())
        closeTopOverlay();
    if (root->presentedViewController())
        root->dismissViewControllerAnimated(false);
    Ref<UIViewController> screen;
    if (auto& factory = springboard::state().appScreenFactory)
        screen = Ref<UIViewController>(dynamic_cast<UIViewController*>(factory(bundleIdentifier).ptr()));
    if (!screen)
        screen = placeholderApp(bundleIdentifier, title, detail, icons->geometry().screen.width, icons->geometry().screen.height);
    screen->setModalPresentationStyle(UIModalPresentationFullScreen);
    root->presentViewController(screen, false);
    m_foregroundApp = bundleIdentifier;
    std::erase(m_recents, bundleIdentifier);
    m_recents.insert(m_recents.begin(), bundleIdentifier);
}

void SBUIController::deactivateApplication(bool restore)
{
    if (m_foregroundApp.empty())
        return;
    UIViewController* root = springboard::iconController()->rootViewController();
    if (root->presentedViewController())
        root->dismissViewControllerAnimated(false);
    m_foregroundApp.clear();
    springboard::iconController()->finishLaunchAnimation();
    if (restore)
        msgSend(this, "restoreContent");
}

void SBUIController::setLaunchTarget(UIView* view, const std::string& bundleIdentifier)
{
    std::erase_if(m_launchTargets, [](auto& entry) { return !entry.first; });
    m_launchTargets.emplace_back(view, bundleIdentifier);
}

std::string SBUIController::launchTargetOf(const UIView* view) const
{
    for (auto& [weak, id] : m_launchTargets)
        if (weak.ptr() == view)
            return id;
    return {};
}

void SBUIController::pushOverlay(UIView* view, std::string kind)
{
    closeOverlay(kind);
    UIWindow* window = springboard::iconController()->rootViewController()->view()->window();
    if (!window)
        return;
    window->addSubview(view);
    m_overlays.push_back({ view, std::move(kind) });
}

bool SBUIController::closeTopOverlay()
{
    if (m_overlays.empty())
        return false;
    m_overlays.back().view->removeFromSuperview();
    m_overlays.pop_back();
    return true;
}

bool SBUIController::closeOverlay(const std::string& kind)
{
    for (size_t i = 0; i < m_overlays.size(); ++i)
        if (m_overlays[i].kind == kind) {
            m_overlays[i].view->removeFromSuperview();
            m_overlays.erase(m_overlays.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
    return false;
}

UIView* SBUIController::overlay(const std::string& kind) const
{
    for (auto& o : m_overlays)
        if (o.kind == kind)
            return o.view.ptr();
    return nullptr;
}

void SBUIController::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<SBUIController>("NSObject");
    c->addClassMethod("sharedInstance", [](objc::Object*, SEL) { return Ref<objc::Object>(springboard::state().uiController); });
    // The original: the home screen is shown and laid out again.
    c->addMethod("restoreContent", [](SBUIController* self, SEL) {
        ++self->m_restoreCount;
        auto* icons = springboard::iconController();
        if (!icons || !icons->container())
            return;
        icons->container()->setHidden(false);
        if (UIWindow* window = icons->container()->window())
            window->layoutIfNeeded();
    });
    // The home button.
    c->addMethod("clickedMenuButton", [](SBUIController* self, SEL) {
        if (self->closeTopOverlay())
            return;
        if (!self->m_foregroundApp.empty()) {
            self->deactivateApplication();
            return;
        }
        auto* icons = springboard::iconController();
        if (!icons)
            return;
        if (icons->isEditing())
            msgSend(icons, "setIsEditing:", false);
        else if (icons->openFolderController())
            msgSend(icons, "closeFolderAnimated:", true);
        else if (icons->currentPage() != 0)
            msgSend(icons, "scrollToIconListAtIndex:animated:", 0, true);
    });
    c->addMethod("_handleLaunchTap:", [](SBUIController* self, SEL, UIGestureRecognizer* recognizer) {
        if (recognizer)
            springboard::launchApplication(self->launchTargetOf(recognizer->view()));
    });
    c->addMethod("_handleLaunchButton:", [](SBUIController* self, SEL, objc::Object* sender) {
        // The sender is a button inside the view that carries the app.
        for (auto* view = dynamic_cast<UIView*>(sender); view; view = view->superview()) {
            std::string id = self->launchTargetOf(view);
            if (!id.empty()) {
                springboard::launchApplication(id);
                return;
            }
        }
    });
    c->addMethod("isAppSwitcherShowing", [](SBUIController* self, SEL) { return self->overlay("switcher") != nullptr; });
}

namespace springboard {

SBIconController* iconController() { return dynamic_cast<SBIconController*>(state().iconController.ptr()); }
SBUIController* uiController() { return dynamic_cast<SBUIController*>(state().uiController.ptr()); }

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
    msgSend(icons, "_launchIcon:", icon);
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
