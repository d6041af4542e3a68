#pragma once

// The app on screen and the surfaces laid over the home screen. Runtime methods: +sharedInstance,
// restoreContent, clickedMenuButton (the home button), isAppSwitcherShowing, and the launch
// actions of switcher cards and search results.

#include "platform/uikit/UIView.h"

#include <string>
#include <utility>
#include <vector>

class UIGestureRecognizer;

class SBUIController : public objc::NSObject {
    OBJC_CLASS(SBUIController)
public:
    // The app on screen ("" on the home screen) and the apps used, most recent first.
    const std::string& foregroundApp() const { return m_foregroundApp; }
    const std::vector<std::string>& recentApps() const { return m_recents; }
    int restoreCount() const { return m_restoreCount; }

    // Opens an app: its registered launcher's screen, or a placeholder with its name.
    void activateApplication(const std::string& bundleIdentifier, const std::string& title, const std::string& detail);
    // Closes the app on screen and (unless told otherwise) restores the home screen.
    void deactivateApplication(bool restore = true);

    // Views that launch an app when tapped (switcher cards, search results, suggestions).
    void setLaunchTarget(UIView* view, const std::string& bundleIdentifier);
    std::string launchTargetOf(const UIView* view) const;

    // Surfaces laid over the home screen (switcher, banner, widgets, search): the home button
    // closes the topmost first.
    void pushOverlay(UIView* view, std::string kind);
    bool closeTopOverlay();
    bool closeOverlay(const std::string& kind);
    UIView* overlay(const std::string& kind) const;

    static void registerClass(objc::Runtime&);

private:
    static objc::Ref<objc::Object> sharedInstance();
    void restoreContent();
    void clickedMenuButton();
    void handleLaunchTap(UIGestureRecognizer* recognizer);
    void handleLaunchButton(objc::Object* sender);
    bool isAppSwitcherShowing() const;

    struct Overlay {
        objc::Ref<UIView> view;
        std::string kind;
    };
    std::string m_foregroundApp;
    std::vector<std::string> m_recents;
    std::vector<Overlay> m_overlays;
    std::vector<std::pair<objc::WeakRef<UIView>, std::string>> m_launchTargets;
    int m_restoreCount = 0;
};

namespace springboard {

SBUIController* uiController();

} // namespace springboard
