#pragma once

// The home screen's controller. Runtime methods: +sharedInstance, model, homescreenIconViewMap
// (9.3 and later), currentRootIconList, currentFolderIconList, dockListView,
// rootFolderController, openFolderController, hasOpenFolder, isEditing, setIsEditing:,
// _launchIcon:, openFolderIcon:animated:, closeFolderAnimated:,
// scrollToIconListAtIndex:animated:, currentIconListIndex, _restartEditingEndTimer (11.1+).
//
// Includes the headers of the other controllers and of the icon lists, so that code that drives
// the home screen needs this one only.

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SBDockIconListView.h"
#include "device/springboard/SBFloatingDockController.h"
#include "device/springboard/SBFolderController.h"
#include "device/springboard/SBFolderIconListView.h"
#include "device/springboard/SBIconListView.h"
#include "device/springboard/SBIconModel.h"
#include "device/springboard/SBIconViewMap.h"
#include "device/springboard/SBUIController.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class UIGestureRecognizer;

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
    static objc::Ref<objc::Object> sharedInstance();
    objc::Ref<objc::Object> homescreenIconViewMap() const;
    objc::Ref<SBIconListView> currentRootIconList() const;
    objc::Ref<SBFolderIconListView> currentFolderIconList() const;
    bool hasOpenFolder() const { return m_openFolder != nullptr; }
    std::int64_t currentIconListIndex() const { return m_currentPage; }
    void setIsEditing(bool editing);
    void restartEditingEndTimer();
    void openFolderIconAnimated(SBFolderIcon* icon, bool animated);
    void closeFolderAnimated(bool animated);
    void scrollToIconListAtIndexAnimated(std::int64_t index, bool animated);
    // The pages' scroll view moved (its delegate's scrollViewDidScroll:).
    void pagesDidScroll(objc::Object* scrollView);
    void handleBackdropTap(UIGestureRecognizer* recognizer);
    void handleDoneButton(objc::Object* sender);

    void scrollToPage(int page);
    void updatePageControl();
    void openFolder(SBFolderIcon* icon);
    // Closes the open folder; animated, it shrinks back into its icon as it fades.
    void closeFolder(bool animated = true);
    // The open folder's panel drawn at its icon's place: a scale about the screen's centre, then
    // a move; none without the icon on screen.
    struct Shrink {
        double scale = 1, dx = 0, dy = 0;
    };
    std::optional<Shrink> shrinkIntoIcon(SBIconView* iconView) const;
    void growFolderOutOf(SBIconView* iconView);
    void launch(SBIcon* icon);

    springboard::HomeScreenGeometry m_geometry;
    objc::Ref<SBIconModel> m_model;
    objc::Ref<UIWindow> m_window;
    objc::Ref<UIViewController> m_rootViewController;
    objc::Ref<UIView> m_container;
    objc::Ref<UIScrollView> m_scroller;
    objc::Ref<UIView> m_pageControl;
    objc::Ref<UIView> m_dockView;
    objc::Ref<SBDockIconListView> m_dock;
    std::vector<objc::Ref<SBIconListView>> m_pages;
    objc::Ref<SBFolderController> m_rootController;
    objc::Ref<SBFolderController> m_openFolder;
    objc::WeakRef<SBFolderIcon> m_openFolderIcon;
    objc::Ref<UIView> m_folderBackdrop;
    objc::Ref<UIView> m_folderContainer;
    objc::Ref<UILabel> m_clock;
    objc::WeakRef<UIView> m_crossfade;
    int m_currentPage = 0;
    bool m_editing = false;
    std::uint64_t m_editingEndTimer = 0;
    std::uint64_t m_clockTimer = 0;
};

namespace springboard {

SBIconController* iconController();

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
