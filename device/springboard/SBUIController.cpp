#include "device/springboard/SBUIController.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardLabels.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

using objc::Ref;

namespace {

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
        image->setImage(springboard::sel::getIconImage(icon, SBIcon::FormatHome));
    view->addSubview(image);
    view->addSubview(springboard::makeLabel(CGRectMake(0, height * 0.3 + side + 18, width, 36), title, 28, true, UIColor::colorWithWhite(0.1, 1).ptr(), NSTextAlignmentCenter));
    if (!detail.empty())
        view->addSubview(springboard::makeLabel(CGRectMake(16, height * 0.3 + side + 58, width - 32, 20), detail, 15, false, UIColor::colorWithWhite(0.25, 1).ptr(), NSTextAlignmentCenter));
    view->addSubview(springboard::makeLabel(CGRectMake(0, height - 60, width, 20), "Press Home to return", 13, false, UIColor::colorWithWhite(0.3, 1).ptr(), NSTextAlignmentCenter));
    view->setAccessibilityLabel(title);
    controller->setView(view);
    controller->setTitle(title);
    return controller;
}

} // namespace

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
        springboard::sel::restoreContent(this);
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

Ref<objc::Object> SBUIController::sharedInstance() { return Ref<objc::Object>(springboard::state().uiController); }

// The original: the home screen is shown and laid out again.
void SBUIController::restoreContent()
{
    ++m_restoreCount;
    auto* icons = springboard::iconController();
    if (!icons || !icons->container())
        return;
    icons->container()->setHidden(false);
    if (UIWindow* window = icons->container()->window())
        window->layoutIfNeeded();
}

// The home button.
void SBUIController::clickedMenuButton()
{
    namespace sel = springboard::sel;
    if (closeTopOverlay())
        return;
    if (!m_foregroundApp.empty()) {
        deactivateApplication();
        return;
    }
    auto* icons = springboard::iconController();
    if (!icons)
        return;
    if (icons->isEditing())
        sel::setIsEditing(icons, false);
    else if (icons->openFolderController())
        sel::closeFolderAnimated(icons, true);
    else if (icons->currentPage() != 0)
        sel::scrollToIconListAtIndexAnimated(icons, 0, true);
}

void SBUIController::handleLaunchTap(UIGestureRecognizer* recognizer)
{
    if (recognizer)
        springboard::launchApplication(launchTargetOf(recognizer->view()));
}

void SBUIController::handleLaunchButton(objc::Object* sender)
{
    // The sender is a button inside the view that carries the app.
    for (auto* view = dynamic_cast<UIView*>(sender); view; view = view->superview()) {
        std::string id = launchTargetOf(view);
        if (!id.empty()) {
            springboard::launchApplication(id);
            return;
        }
    }
}

bool SBUIController::isAppSwitcherShowing() const { return overlay("switcher") != nullptr; }

void SBUIController::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SBUIController>(rt, "NSObject")
        .classMethod(sel::sharedInstance, &SBUIController::sharedInstance)
        .method(sel::restoreContent, &SBUIController::restoreContent)
        .method(sel::clickedMenuButton, &SBUIController::clickedMenuButton)
        .method(sel::_handleLaunchTap, &SBUIController::handleLaunchTap)
        .method(sel::_handleLaunchButton, &SBUIController::handleLaunchButton)
        .method(sel::isAppSwitcherShowing, &SBUIController::isAppSwitcherShowing)
        .build();
}

namespace springboard {

SBUIController* uiController() { return dynamic_cast<SBUIController*>(state().uiController.ptr()); }

} // namespace springboard
