#pragma once

// The icon library browser: an overview table of the custom icons, the library's pictures and
// its backup folders, and a grid of pictures for each. Choose mode (created with an app's display
// name and custom icon path) hands a tapped picture to the delegate; manage mode (created with
// neither) removes pictures and backs up, restores and deletes folders.
//
// Runtime methods: the creation, delegate and protocol selectors of IconSelectorInterface.h, the
// table's data source and delegate methods, the orientation answers and the selectors below.

#include "platform/corefoundation/NSArray.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UITableView.h"
#include "tweak/library/IconSelectorInterface.h"

#include <optional>
#include <string>
#include <vector>

namespace ovrimo::library {

namespace sel {
inline constinit Sel<void(std::int64_t)> setTag { "setTag:" };
inline constinit Sel<std::int64_t()> tag { "tag" };
inline constinit Sel<Ref<UITableView>()> tableView { "tableView" };
inline constinit Sel<Ref<UINavigationController>()> navController { "navController" };
inline constinit Sel<Ref<NSArray>()> selectedIconList { "selectedIconList" };
inline constinit Sel<Ref<NSArray>()> iconLibrarySubDirsList { "iconLibrarySubDirsList" };

// The library on disk.
inline constinit Sel<std::string()> getNextAvailableFileName { "getNextAvailableFileName" };
inline constinit Sel<Ref<NSArray>()> getCustomIconPaths { "getCustomIconPaths" };
inline constinit Sel<Ref<NSArray>()> getIconLibraryIconPaths { "getIconLibraryIconPaths" };
inline constinit Sel<Ref<NSArray>()> getIconLibrarySubDirsList { "getIconLibrarySubDirsList" };

// Pages.
using objc::sel::init;
using uikit::sel::viewDidLoad;
inline constinit Sel<void()> preapreTableDataAndDirList { "preapreTableDataAndDirList" };
inline constinit Sel<void()> initNavigationControllerWithOverview { "initNavigationControllerWithOverview" };
inline constinit Sel<void()> customIconSelected { "customIconSelected" };
inline constinit Sel<void()> imagesSelected { "imagesSelected" };
inline constinit Sel<void(std::int64_t)> subDirSelected { "subDirSelected:" };
inline constinit Sel<void(std::string)> addIconScrollViewWithTitle { "addIconScrollViewWithTitle:" };
inline constinit Sel<void(UIView*)> addIconImageButtonsToView { "addIconImageButtonsToView:" };
inline constinit Sel<void(Object*)> prepareImage { "prepareImage:" };
// A grid page once its overlay is up: its tiles, then the page pushed and the overlay hidden.
inline constinit Sel<void(UIViewController*, UIScrollView*, UIView*)> fillGridPageScrollViewOverlay { "fillGridPage:scrollView:overlay:" };
// The answers to a tapped picture's questions.
inline constinit Sel<void(std::string, UIButton*)> removePictureAtPathTile { "removePictureAtPath:tile:" };
inline constinit Sel<void(std::string)> keepCurrentIconThenChoose { "keepCurrentIconThenChoose:" };
// As the delegate of a grid's scroll view (and, from its superclass, of the overview table).
using ::uikit::sel::scrollViewDidScroll;

// Ending.
inline constinit Sel<void(Object*)> cancel { "cancel:" };
inline constinit Sel<void(UIImage*)> confirm { "confirm:" };

// Popups.
inline constinit Sel<Ref<UIView>(std::string, std::string)> showHUDWithTitleDetail { "showHUDWithTitle:detail:" };
inline constinit Sel<void(std::string)> showInfoPopupWithMessage { "showInfoPopupWithMessage:" };

// Folders.
inline constinit Sel<void(Object*)> handleLongPressOnCell { "handleLongPressOnCell:" };
inline constinit Sel<void(std::int64_t)> backupFolderWithIndex { "backupFolderWithIndex:" };
inline constinit Sel<void(std::int64_t)> restoreFolderWithIndex { "restoreFolderWithIndex:" };
inline constinit Sel<void(std::int64_t)> deleteFolderWithIndex { "deleteFolderWithIndex:" };
// What each folder operation does once it is asked for (and its overlay is up).
inline constinit Sel<void(std::string)> backupFolderNamed { "backupFolderNamed:" };
inline constinit Sel<void(std::string)> backUpCustomIconsAs { "backUpCustomIconsAs:" };
inline constinit Sel<void(std::string)> restoreCustomIconsFrom { "restoreCustomIconsFrom:" };
inline constinit Sel<void(std::string)> deleteFolderNamed { "deleteFolderNamed:" };

// Orientation.
using uikit::sel::shouldAutorotate;
using uikit::sel::shouldAutorotateToInterfaceOrientation;
using uikit::sel::supportedInterfaceOrientations;
using uikit::sel::preferredInterfaceOrientationForPresentation;

// The table's data source and delegate (the platform declares them; the names here are this code's).
using uikit::sel::numberOfSectionsInTableView;
inline constexpr const auto& numberOfRowsInSection = uikit::sel::tableViewNumberOfRowsInSection;
inline constexpr const auto& cellForRowAtIndexPath = uikit::sel::tableViewCellForRowAtIndexPath;
inline constexpr const auto& titleForHeaderInSection = uikit::sel::tableViewTitleForHeaderInSection;
inline constexpr const auto& heightForHeaderInSection = uikit::sel::tableViewHeightForHeaderInSection;
inline constexpr const auto& heightForRowAtIndexPath = uikit::sel::tableViewHeightForRowAtIndexPath;
inline constexpr const auto& didSelectRowAtIndexPath = uikit::sel::tableViewDidSelectRowAtIndexPath;
inline constexpr const auto& canEditRowAtIndexPath = uikit::sel::tableViewCanEditRowAtIndexPath;
inline constexpr const auto& commitEditingStyle = uikit::sel::tableViewCommitEditingStyleForRowAtIndexPath;
} // namespace sel

// The texts of the table's two fixed rows.
inline constexpr const char* kCustomIconsRow = "Custom Icons (currently in use)";
inline constexpr const char* kIconLibraryRow = "Icon Library";

class ZarnekIconSelectorViewController : public UIViewController {
    OBJC_CLASS(ZarnekIconSelectorViewController)
public:
    static void registerClass(objc::Runtime&);

private:
    bool isManageMode() const { return !m_titleString && !m_savePath; }

    // Creation and pages (ZarnekIconSelectorViewController.cpp).
    Ref<Object> initWithTitle(NSString* title, NSString* savePath);
    void viewLoaded();
    void prepareTableData();
    void buildOverview();
    void showCustomIcons();
    void showLibraryIcons();
    void showSubDir(std::int64_t row);
    void addGridPage(std::string title);
    void addTiles(UIView* scrollView);
    void gridScrolled(UIScrollView* scrollView);
    void showPicturesNearView(UIScrollView* scrollView);
    void tileTapped(Object* button);
    void chooseTappedPicture(const std::string& path);
    void offerRemoval(UIButton* button, const std::string& path);
    void removePicture(std::string path, UIButton* button);
    void keepCurrentIconThenChoose(std::string path);
    void fillGridPage(UIViewController* page, UIScrollView* scroll, UIView* overlay);
    void cancelTapped(Object* sender);
    void confirmChoice(UIImage* image);
    Ref<UIView> showHUD(std::string title, std::string detail);
    void showInfoPopup(std::string message);

    // Accessors and the disk, for the runtime.
    void setDelegateValue(Object* delegate) { m_delegate = delegate; }
    Ref<Object> delegateValue() { return m_delegate.strong(); }
    void setTagValue(std::int64_t tag) { m_tag = tag; }
    std::int64_t tagValue() { return m_tag; }
    Ref<UITableView> tableViewRef() { return m_tableView; }
    Ref<UINavigationController> navControllerRef() { return m_navController; }
    Ref<NSArray> selectedIconArray();
    Ref<NSArray> subDirArray();
    std::string nextLibraryFileName();
    Ref<NSArray> customIconArray();
    Ref<NSArray> libraryIconArray();
    Ref<NSArray> libraryFolderArray();

    // Portrait only.
    bool rotates() { return false; }
    bool rotatesTo(std::int64_t) { return false; }
    std::uint64_t portraitOnly() { return UIInterfaceOrientationMaskPortrait; }
    std::int64_t portrait() { return UIInterfaceOrientationPortrait; }

    // The table.
    std::int64_t sectionCount(UITableView*) { return 2; }
    std::int64_t rowCount(UITableView*, std::int64_t section);
    Ref<UITableViewCell> cellFor(UITableView* table, NSIndexPath* path);
    std::string headerTitle(UITableView*, std::int64_t section);
    double headerHeight(UITableView*, std::int64_t section);
    double rowHeight(UITableView*, NSIndexPath* path);
    void rowSelected(UITableView*, NSIndexPath* path);
    bool rowCanBeEdited(UITableView*, NSIndexPath* path);
    void commitEdit(UITableView*, std::int64_t style, NSIndexPath* path);

    // Folder operations (ZarnekIconSelectorFolders.cpp).
    void longPressOnCell(Object* recognizer);
    void backUpFolder(std::int64_t row);
    void askBackupName();
    void backUpNamed(std::string typed);
    void backUpNow(std::string name);
    void restoreFolder(std::int64_t row);
    void restoreNow(std::string name);
    void deleteFolder(std::int64_t row);
    void deleteNow(std::string name);
    void presentAlert(UIViewController* alert);

    std::int64_t m_tag = 0;
    objc::WeakRef<Object> m_delegate;
    std::optional<std::string> m_titleString;
    std::optional<std::string> m_savePath;
    std::vector<std::string> m_selectedIconList;
    std::vector<std::string> m_iconLibrarySubDirsList;
    std::vector<std::string> m_tableViewMainCells;
    Ref<UITableView> m_tableView;
    Ref<UINavigationController> m_navController;

    // The grid last built. Tiles on screen or within a screen of it are shown, with their
    // pictures decoded at the tile's size; tiles more than two screens away are hidden again and
    // let their pictures go.
    struct GridTile {
        objc::WeakRef<UIButton> button;
        bool shown = false;
        bool unreadable = false;
    };
    objc::WeakRef<UIScrollView> m_grid;
    std::vector<GridTile> m_gridTiles;
    double m_tileSide = 0;
    std::size_t m_tilesPerRow = 4;
    std::vector<std::size_t> m_tilesShowingPictures;
};

// Registers ZarnekIconSelectorViewController (once per runtime). False, with a diagnostic, when
// it could not be registered.
bool RegisterIconLibraryClasses(objc::Runtime& rt);

} // namespace ovrimo::library
