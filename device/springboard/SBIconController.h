#pragma once

// The home screen's controllers.
//   SBIconController         +sharedInstance, model, homescreenIconViewMap (9.3 and later),
//                            currentRootIconList, currentFolderIconList, rootFolderController,
//                            openFolderController, isEditing, setIsEditing:, _launchIcon:,
//                            openFolderIcon:animated:, closeFolderAnimated:,
//                            scrollToIconListAtIndex:animated:, _restartEditingEndTimer (11.1+)
//   SBFolderController       folder, contentView, isEditing, setEditing:animated:
//   SBFloatingDockController +isFloatingDockSupported, +sharedInstance, viewController (11+)
//   SBUIController           +sharedInstance, restoreContent, clickedMenuButton

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SBIconListView.h"
#include "device/springboard/SBIconModel.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <cstdint>
#include <string>
#include <vector>

class SBFolderController : public objc::NSObject {
    OBJC_CLASS(SBFolderController)
public:
    SBFolder* folder() const { return m_folder.ptr(); }
    UIView* contentView() const { return m_contentView.ptr(); }
    bool isEditing() const { return m_editing; }
    bool isRoot() const { return m_root; }
    // An open folder's pages.
    const std::vector<objc::Ref<SBFolderIconListView>>& listViews() const { return m_lists; }
    UIButton* doneButton() const { return m_doneButton.ptr(); }

    // The root folder's controller: the pages and the dock live in `contentView`.
    static objc::Ref<SBFolderController> makeRoot(SBFolder* folder, UIView* contentView);
    // An open folder: a panel with its name and its first page of icons.
    static objc::Ref<SBFolderController> makeForFolder(SBFolder* folder, const springboard::HomeScreenGeometry& geometry);

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBFolder> m_folder;
    objc::Ref<UIView> m_contentView;
    std::vector<objc::Ref<SBFolderIconListView>> m_lists;
    objc::Ref<UIButton> m_doneButton;
    bool m_editing = false;
    bool m_root = false;
};

class SBIconController : public objc::NSObject {
    OBJC_CLASS(SBIconController)
public:
    SBIconModel* model() const { return m_model.ptr(); }
    const std::vector<objc::Ref<SBIconListView>>& pages() const { return m_pages; }
    SBDockIconListView* dockList() const { return m_dock.ptr(); }
    int currentPage() const { return m_currentPage; }
    bool isEditing() const { return m_editing; }
    SBFolderController* rootFolderController() const { return m_rootController.ptr(); }
    SBFolderController* openFolderController() const { return m_openFolder.ptr(); }
    UIView* container() const { return m_container.ptr(); }
    UIViewController* rootViewController() const { return m_rootViewController.ptr(); }
    const springboard::HomeScreenGeometry& geometry() const { return m_geometry; }

    // Builds the home screen (wallpaper, status bar, pages, page dots, dock) for `model` in a new
    // key window.
    objc::Ref<UIWindow> buildHomeScreen(SBIconModel* model);
    // Every icon view on the home screen now: the pages, the dock and an open folder.
    std::vector<objc::Ref<SBIconView>> visibleIconViews() const;
    // The icon view of `icon` on screen, or null.
    SBIconView* iconViewForIcon(const SBIcon* icon) const;
    // Removes a launch crossfade that is still running (the app is leaving).
    void finishLaunchAnimation();

    static void registerClass(objc::Runtime&, const device::DeviceProfile&);

private:
    void scrollToPage(int page);
    void updatePageControl();
    void openFolder(SBFolderIcon* icon);
    void closeFolder();
    void launch(SBIcon* icon);

    springboard::HomeScreenGeometry m_geometry;
    objc::Ref<SBIconModel> m_model;
    objc::Ref<UIWindow> m_window;
    objc::Ref<UIViewController> m_rootViewController;
    objc::Ref<UIView> m_container;
    objc::Ref<UIView> m_scroller;
    objc::Ref<UIView> m_pageControl;
    objc::Ref<UIView> m_dockView;
    objc::Ref<SBDockIconListView> m_dock;
    std::vector<objc::Ref<SBIconListView>> m_pages;
    objc::Ref<SBFolderController> m_rootController;
    objc::Ref<SBFolderController> m_openFolder;
    objc::Ref<UIView> m_folderBackdrop;
    objc::Ref<UIView> m_folderContainer;
    objc::Ref<UILabel> m_clock;
    objc::WeakRef<UIView> m_crossfade;
    int m_currentPage = 0;
    bool m_editing = false;
    std::uint64_t m_editingEndTimer = 0;
    std::uint64_t m_clockTimer = 0;
};

class SBFloatingDockController : public objc::NSObject {
    OBJC_CLASS(SBFloatingDockController)
public:
    static void registerClass(objc::Runtime&);
};

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

SBIconController* iconController();
SBUIController* uiController();

// Makes the process's controllers and the home screen in a key window, for the model read from
// the layout file. Returns the window.
objc::Ref<UIWindow> launchSpringBoard();

// Launches an app by bundle identifier as a tap on its icon would (through _launchIcon: when it
// has an icon). False when no such app is installed.
bool launchApplication(const std::string& bundleIdentifier);

using AppScreenFactory = std::function<objc::Ref<UIViewController>(const std::string& bundleIdentifier)>;
// The device boot hands SpringBoard the apps' screens (registered launchers); null: placeholders.
void setAppScreenFactory(AppScreenFactory factory);

} // namespace springboard
