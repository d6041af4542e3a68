#include "tweak/library/ZarnekIconSelectorViewController.h"

#include "platform/dispatch/Queue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/IconStore.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "tweak/library/IconLibrary.h"
#include "platform/corefoundation/StringFormat.h"
#include "tweak/library/BrowserSupport.h"
#include "tweak/ui/NumberedErrors.h"
#include "tweak/ui/Presenting.h"
#include "tweak/ui/ProgressOverlay.h"
#include "tweak/ui/Product.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>

namespace ovrimo::library {

namespace {

constexpr double kGutter = 20;
constexpr double kThumbnailSide = 35;
constexpr const char* kCellIdentifier = "Cell";
constexpr const char* kChequerboardPath = "/Library/PreferenceBundles/ovrimoprefs.bundle/chequerboard.png";
constexpr const char* kCustomIconsGrid = "Custom Icons";

Ref<NSArray> arrayOf(const std::vector<std::string>& strings) { return NSArray::ofStrings(strings); }

std::optional<std::string> optionalString(NSString* string)
{
    if (!string)
        return std::nullopt;
    return string->value();
}

} // namespace

// Creation -----------------------------------------------------------------------------------------

Ref<Object> ZarnekIconSelectorViewController::initWithTitle(NSString* title, NSString* savePath)
{
    objc::sendSuperOrZero(sel::init, this);
    m_titleString = optionalString(title);
    m_savePath = optionalString(savePath);
    m_selectedIconList = getCustomIconPaths();
    prepareTableData();
    return Ref<Object>(this);
}

void ZarnekIconSelectorViewController::prepareTableData()
{
    m_iconLibrarySubDirsList = getIconLibrarySubDirsList();
    m_tableViewMainCells = { kCustomIconsRow, kIconLibraryRow };
}

void ZarnekIconSelectorViewController::viewLoaded()
{
    objc::sendSuperOrZero(sel::viewDidLoad, this);
    sel::initNavigationControllerWithOverview.orZero(this);
}

// The overview page: the table under a bar with the mode's title and prompt and a Cancel button.
void ZarnekIconSelectorViewController::buildOverview()
{
    Ref<UIView> own = view();
    CGRect area = own->bounds();
    Ref<UIViewController> overview = UIViewController::create();
    overview->view()->setBackgroundColor(LibraryBackgroundColour());
    UINavigationItem* item = overview->navigationItem();
    if (isManageMode()) {
        overview->setTitle("Ovrimo - Icon Library");
        item->setPrompt("Tap and hold on a directory to edit it. Swipe left to delete.");
    } else {
        overview->setTitle(corefoundation::stringWithFormat("App - %@", m_titleString.value_or("")));
        item->setPrompt("Ovrimo - Icon Library");
    }
    item->setBackBarButtonItem(UIBarButtonItem::createWithTitle(SystemButtonTitle("Back"), UIBarButtonItemStylePlain, nullptr, nullptr));

    m_tableView = UITableView::create(area, UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_tableView->setAllowsMultipleSelectionDuringEditing(false);
    uikit::sel::setDelegate.orZero(m_tableView, this);
    m_tableView->setDataSource(this);
    overview->view()->addSubview(m_tableView);

    m_navController = UINavigationController::createWithRoot(overview);
    item->setRightBarButtonItem(UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItemCancel, this, sel::cancel));
    Ref<UIView> navigationView = m_navController->view();
    navigationView->setFrame(area);
    navigationView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    own->addSubview(navigationView);
}

// The table ---------------------------------------------------------------------------------------

std::int64_t ZarnekIconSelectorViewController::rowCount(UITableView*, std::int64_t section)
{
    return static_cast<std::int64_t>(section == 0 ? m_tableViewMainCells.size() : m_iconLibrarySubDirsList.size());
}

std::string ZarnekIconSelectorViewController::headerTitle(UITableView*, std::int64_t section)
{
    return section == 1 ? "Icon Library - subdirectories" : "";
}

double ZarnekIconSelectorViewController::headerHeight(UITableView*, std::int64_t section) { return section == 1 ? 30 : 0; }

double ZarnekIconSelectorViewController::rowHeight(UITableView*, NSIndexPath* path) { return path && path->section() == 0 ? 50 : 40; }

Ref<UITableViewCell> ZarnekIconSelectorViewController::cellFor(UITableView* table, NSIndexPath* path)
{
    Ref<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier(kCellIdentifier);
    if (!cell) {
        cell = UITableViewCell::create(UITableViewCellStyleSubtitle, kCellIdentifier);
        cell->setOpaque(true);
        // One recogniser per cell, kept when the cell is reused for another row.
        cell->addGestureRecognizer(UIGestureRecognizer::create<UILongPressGestureRecognizer>(this, "handleLongPressOnCell:"));
    }
    UILabel* title = cell->textLabel();
    UILabel* subtitle = cell->detailTextLabel();
    title->setText("");
    subtitle->setText("");
    cell->imageView()->setImage(nullptr);
    cell->imageView()->setTransform(CGAffineTransformIdentity);
    title->setEnabled(true);
    title->setFont(UIFont::systemFontOfSize(16));
    title->setTextColor(UIColor::blackColor());
    subtitle->setFont(UIFont::systemFontOfSize(10));
    subtitle->setTextColor(UIColor::colorWithWhite(0.75, 1));

    std::size_t row = static_cast<std::size_t>(path->row());
    std::vector<std::string> pictures;
    if (path->section() == 0 && row < m_tableViewMainCells.size()) {
        title->setText(m_tableViewMainCells[row]);
        title->setTextColor(UIColor::blueColor());
        pictures = row == 0 ? getCustomIconPaths() : getIconLibraryIconPaths();
    } else if (path->section() == 1 && row < m_iconLibrarySubDirsList.size()) {
        title->setText(m_iconLibrarySubDirsList[row]);
        pictures = subDirEntryPaths(m_iconLibrarySubDirsList[row]);
    }
    char count[32];
    std::snprintf(count, sizeof count, "%d icons", static_cast<int>(pictures.size()));
    subtitle->setText(count);
    // Decoded at the 35 points it is shown at (its size in points kept).
    std::size_t thumbnailPixels = static_cast<std::size_t>(std::ceil(kThumbnailSide * UIScreen::mainScreen()->scale()));
    if (Ref<UIImage> thumbnail = pictures.empty() ? nullptr : LoadLibraryPicture(pictures.front(), thumbnailPixels)) {
        CGSize size = thumbnail->size();
        float scale = static_cast<float>(kThumbnailSide) / static_cast<float>(std::max(size.width, size.height));
        cell->imageView()->setImage(thumbnail);
        cell->imageView()->setTransform(CGAffineTransformMakeScale(scale, scale));
    }
    cell->setNeedsLayout();
    return cell;
}

void ZarnekIconSelectorViewController::rowSelected(UITableView*, NSIndexPath* path)
{
    if (path->section() == 0 && path->row() == 0)
        sel::customIconSelected.orZero(this);
    else if (path->section() == 0 && path->row() == 1)
        sel::imagesSelected.orZero(this);
    else if (path->section() == 1)
        sel::subDirSelected.orZero(this, path->row());
}

bool ZarnekIconSelectorViewController::rowCanBeEdited(UITableView*, NSIndexPath* path) { return path && path->section() == 1; }

void ZarnekIconSelectorViewController::commitEdit(UITableView*, std::int64_t style, NSIndexPath* path)
{
    if (style == UITableViewCellEditingStyleDelete && path && path->section() == 1)
        sel::deleteFolderWithIndex.orZero(this, path->row());
}

// Grids -------------------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::showCustomIcons()
{
    m_selectedIconList = getCustomIconPaths();
    sel::addIconScrollViewWithTitle.orZero(this, kCustomIconsGrid);
}

void ZarnekIconSelectorViewController::showLibraryIcons()
{
    m_selectedIconList = getIconLibraryIconPaths();
    sel::addIconScrollViewWithTitle.orZero(this, "Icon Library");
}

void ZarnekIconSelectorViewController::showSubDir(std::int64_t row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_iconLibrarySubDirsList.size())
        return;
    const std::string name = m_iconLibrarySubDirsList[static_cast<std::size_t>(row)];
    m_selectedIconList = subDirEntryPaths(name);
    sel::addIconScrollViewWithTitle.orZero(this, name);
}

// The overlay goes up first; the tiles are made 10 ms later, once it has been drawn.
void ZarnekIconSelectorViewController::addGridPage(std::string title)
{
    Ref<UIView> overlay = sel::showHUDWithTitleDetail.orZero(this, "Loading icons...", "Please wait.");
    CGRect area = view()->bounds();
    Ref<UIViewController> page = UIViewController::create();
    UINavigationItem* item = page->navigationItem();
    if (isManageMode()) {
        page->setTitle(title);
        if (title != kCustomIconsGrid)
            item->setPrompt("Tap on a icon to remove it.");
    } else {
        page->setTitle(corefoundation::stringWithFormat("App - %@", m_titleString.value_or("")));
        item->setPrompt(title);
    }
    item->setRightBarButtonItem(UIBarButtonItem::createWithSystemItem(UIBarButtonSystemItemCancel, this, sel::cancel));

    // The page is placed below the navigation bar: the scroll view follows the page's size, so
    // that its last rows can be scrolled into view.
    page->view()->setFrame(area);
    Ref<UIScrollView> scroll = UIScrollView::create(area);
    scroll->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    scroll->setBackgroundColor(LibraryBackgroundColour());
    scroll->setShowsVerticalScrollIndicator(true);
    scroll->setShowsHorizontalScrollIndicator(false);
    scroll->setPagingEnabled(false);
    scroll->setCanCancelContentTouches(false);
    scroll->setAlwaysBounceVertical(true);
    scroll->setContentSize(area.size);
    page->view()->addSubview(scroll);

    Ref<ZarnekIconSelectorViewController> self(this);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 10 * NSEC_PER_MSEC), dispatch_get_main_queue(), [self, page, scroll, overlay] {
        sel::fillGridPageScrollViewOverlay.orZero(self, page, scroll, overlay);
    });
}

void ZarnekIconSelectorViewController::fillGridPage(UIViewController* page, UIScrollView* scroll, UIView* overlay)
{
    sel::addIconImageButtonsToView.orZero(this, scroll);
    hud::hideAnimated.orZero(overlay, true);
    // The union of the zero rectangle and every tile: from the origin to the far corner of the
    // last tile.
    CGSize reach = CGSizeZero;
    for (const Ref<UIView>& tile : scroll->subviews())
        if (dynamic_cast<UIImageView*>(tile.ptr())) {
            reach.width = std::max(reach.width, CGRectGetMaxX(tile->frame()));
            reach.height = std::max(reach.height, CGRectGetMaxY(tile->frame()));
        }
    scroll->setContentSize(CGSizeMake(reach.width, reach.height + kGutter));
    if (m_navController)
        m_navController->pushViewController(page, true);
    showPicturesNearView(scroll);
}

void ZarnekIconSelectorViewController::addTiles(UIView* scrollView)
{
    if (!scrollView)
        return;
    bool pad = UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiomPad;
    int perRow = pad ? 7 : 4;
    float width = static_cast<float>(view()->bounds().size.width);
    float side = (width - static_cast<float>(kGutter) * static_cast<float>(perRow + 1)) / static_cast<float>(perRow);
    Ref<UIImage> chequerboard = UIImage::imageWithContentsOfFile(kChequerboardPath);
    m_grid = dynamic_cast<UIScrollView*>(scrollView);
    m_gridTiles.assign(m_selectedIconList.size(), GridTile {});
    m_tilesShowingPictures.clear();
    m_tileSide = side;
    m_tilesPerRow = static_cast<std::size_t>(perRow);
    for (std::size_t i = 0; i < m_selectedIconList.size(); ++i) {
        double col = static_cast<double>(i % static_cast<std::size_t>(perRow));
        double row = static_cast<double>(i / static_cast<std::size_t>(perRow));
        CGRect frame = CGRectMake(side * col + kGutter * (col + 1), side * row + kGutter * row + kGutter, side, side);
        Ref<UIImageView> tile = UIImageView::create(frame);
        tile->setImage(chequerboard);
        tile->setBackgroundColor(LibraryBackgroundColour());
        tile->setUserInteractionEnabled(true);
        // Shown once it comes near the screen (below): a long grid draws only what is there.
        tile->setHidden(true);
        Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
        button->setFrame(CGRectMake(0, 0, side, side));
        button->setTag(static_cast<NSInteger>(i));
        // Named by its file, for a screen reader (and a script) to tell the pictures apart.
        button->setAccessibilityLabel(std::filesystem::path(m_selectedIconList[i]).filename().string());
        button->addTarget(this, sel::prepareImage, UIControlEventTouchUpInside);
        tile->addSubview(button);
        scrollView->addSubview(tile);
        m_gridTiles[i].button = button.ptr();
    }
    if (m_grid)
        m_grid->setDelegate(this);
    showPicturesNearView(m_grid.strong().ptr());
}

void ZarnekIconSelectorViewController::gridScrolled(UIScrollView* scrollView)
{
    if (scrollView && scrollView == m_grid.strong().ptr())
        showPicturesNearView(scrollView);
}

// Tiles within a screen of the visible part get their pictures, decoded at the tile's size in
// pixels; tiles more than two screens away let theirs go. Only the rows in question are visited.
void ZarnekIconSelectorViewController::showPicturesNearView(UIScrollView* scrollView)
{
    if (!scrollView || scrollView != m_grid.strong().ptr() || m_gridTiles.empty() || m_tileSide <= 0)
        return;
    CGRect visible = scrollView->bounds();
    double screen = std::max(visible.size.height, 1.0);
    double rowPitch = m_tileSide + kGutter;
    auto rowAt = [&](double y) { return static_cast<std::int64_t>(std::floor((y - kGutter) / rowPitch)); };
    std::int64_t rows = static_cast<std::int64_t>((m_gridTiles.size() + m_tilesPerRow - 1) / m_tilesPerRow);
    std::int64_t first = std::clamp<std::int64_t>(rowAt(CGRectGetMinY(visible) - screen), 0, rows);
    std::int64_t last = std::clamp<std::int64_t>(rowAt(CGRectGetMaxY(visible) + screen) + 1, 0, rows);
    std::int64_t keepFirst = rowAt(CGRectGetMinY(visible) - 2 * screen), keepLast = rowAt(CGRectGetMaxY(visible) + 2 * screen) + 1;

    std::vector<std::size_t> kept;
    for (std::size_t index : m_tilesShowingPictures) {
        std::int64_t row = static_cast<std::int64_t>(index / m_tilesPerRow);
        GridTile& tile = m_gridTiles[index];
        if (row >= keepFirst && row < keepLast) {
            kept.push_back(index);
            continue;
        }
        if (Ref<UIButton> button = tile.button.strong()) {
            button->setBackgroundImage(nullptr, UIControlStateNormal);
            if (UIView* tileView = button->superview())
                tileView->setHidden(true);
        }
        tile.shown = false;
    }
    m_tilesShowingPictures = std::move(kept);

    std::size_t largestSide = static_cast<std::size_t>(std::ceil(m_tileSide * UIScreen::mainScreen()->scale()));
    std::size_t end = std::min(m_gridTiles.size(), static_cast<std::size_t>(last) * m_tilesPerRow);
    for (std::size_t index = static_cast<std::size_t>(first) * m_tilesPerRow; index < end; ++index) {
        GridTile& tile = m_gridTiles[index];
        if (tile.shown)
            continue;
        Ref<UIButton> button = tile.button.strong();
        if (!button || !button->superview())
            continue;
        button->superview()->setHidden(false);
        tile.shown = true;
        m_tilesShowingPictures.push_back(index);
        if (tile.unreadable)
            continue;
        Ref<UIImage> picture = LoadLibraryPicture(m_selectedIconList[index], largestSide);
        if (picture)
            button->setBackgroundImage(picture, UIControlStateNormal);
        else
            tile.unreadable = true;
    }
}

// Tapping a picture -------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::tileTapped(Object* sender)
{
    auto* button = dynamic_cast<UIButton*>(sender);
    if (!button || button->tag() < 0 || static_cast<std::size_t>(button->tag()) >= m_selectedIconList.size())
        return;
    const std::string path = m_selectedIconList[static_cast<std::size_t>(button->tag())];
    if (isManageMode())
        offerRemoval(button, path);
    else
        chooseTappedPicture(path);
}

void ZarnekIconSelectorViewController::offerRemoval(UIButton* button, const std::string& path)
{
    UIViewController* visible = m_navController ? m_navController->visibleViewController() : nullptr;
    if (visible && visible->title() == kCustomIconsGrid)
        return;
    auto sheet = UIAlertController::alertControllerWithTitle(kProductName, "Are you sure that you want to remove this icon?", UIAlertControllerStyleActionSheet);
    objc::WeakRef<ZarnekIconSelectorViewController> weakSelf(this);
    objc::WeakRef<UIButton> weakButton(button);
    sheet->addAction(UIAlertAction::actionWithTitle("Remove", UIAlertActionStyleDestructive, [weakSelf, weakButton, path](UIAlertAction*) {
        sel::removePictureAtPathTile.orZero(weakSelf.strong(), path, weakButton.strong());
    }));
    sheet->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, nullptr));
    if (UIPopoverPresentationController* popover = sheet->popoverPresentationController()) {
        popover->setSourceView(button);
        popover->setSourceRect(button->bounds());
    }
    presentAlert(sheet);
}

void ZarnekIconSelectorViewController::removePicture(std::string path, UIButton* button)
{
    NSFileManager::defaultManager()->removeItemAtPath(path);
    if (entryKind(path) != EntryKind::Missing) {
        sel::showInfoPopupWithMessage.orZero(this, ErrorMessage(ErrorNumber::LibraryRemove));
        return;
    }
    if (UIView* tile = button ? button->superview() : nullptr)
        tile->removeFromSuperview();
    sel::showInfoPopupWithMessage.orZero(this, "The icon was successfully removed!");
    if (m_tableView)
        m_tableView->reloadData();
}

void ZarnekIconSelectorViewController::chooseTappedPicture(const std::string& path)
{
    if (!m_savePath || !NSFileManager::defaultManager()->fileExistsAtPath(*m_savePath)) {
        sel::confirm.orZero(this, LoadLibraryPicture(path));
        return;
    }
    std::string message = corefoundation::stringWithFormat("A custom icon for the app %@ already exists. What do you want to do with it?", m_titleString.value_or(""));
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, message, UIAlertControllerStyleAlert);
    objc::WeakRef<ZarnekIconSelectorViewController> weakSelf(this);
    alert->addAction(UIAlertAction::actionWithTitle("Overwrite", UIAlertActionStyleDefault, [weakSelf, path](UIAlertAction*) {
        if (Ref<ZarnekIconSelectorViewController> self = weakSelf.strong())
            sel::confirm.orZero(self, LoadLibraryPicture(path));
    }));
    alert->addAction(UIAlertAction::actionWithTitle("Move to icon library", UIAlertActionStyleDefault, [weakSelf, path](UIAlertAction*) {
        sel::keepCurrentIconThenChoose.orZero(weakSelf.strong(), path);
    }));
    alert->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("Cancel"), UIAlertActionStyleCancel, nullptr));
    presentAlert(alert);
}

// The old icon is kept in the library before the new one replaces it; when it cannot be, nothing
// is replaced.
void ZarnekIconSelectorViewController::keepCurrentIconThenChoose(std::string path)
{
    std::string target = getNextAvailableFileName();
    if (!m_savePath || target.empty() || !NSFileManager::defaultManager()->copyItemAtPath(*m_savePath, target)) {
        sel::showInfoPopupWithMessage.orZero(this, ErrorMessage(ErrorNumber::LibraryMove));
        return;
    }
    sel::confirm.orZero(this, LoadLibraryPicture(path));
}

// Ending ------------------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::cancelTapped(Object*)
{
    Ref<Object> delegate = m_delegate.strong();
    if (delegate && ZarnekIconSelectorDelegate.conformanceProblem(delegate->isa()).empty())
        iconSelectorDidCancel.orZero(delegate, this);
}

void ZarnekIconSelectorViewController::confirmChoice(UIImage* image)
{
    Ref<Object> delegate = m_delegate.strong();
    if (delegate && ZarnekIconSelectorDelegate.conformanceProblem(delegate->isa()).empty())
        iconSelectorDidFinished.orZero(delegate, this, image);
}

// Popups ------------------------------------------------------------------------------------------

Ref<UIView> ZarnekIconSelectorViewController::showHUD(std::string title, std::string detail)
{
    return ShowProgressOverlayOn(UIApplication::sharedApplication()->keyWindow(), title, detail);
}

void ZarnekIconSelectorViewController::showInfoPopup(std::string message)
{
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle(SystemButtonTitle("OK"), UIAlertActionStyleCancel, nullptr));
    presentAlert(alert);
}

void ZarnekIconSelectorViewController::presentAlert(UIViewController* alert) { presentViewController(alert, true); }

// Accessors and the disk, as runtime methods -------------------------------------------------------

Ref<NSArray> ZarnekIconSelectorViewController::selectedIconArray() { return arrayOf(m_selectedIconList); }
Ref<NSArray> ZarnekIconSelectorViewController::subDirArray() { return arrayOf(m_iconLibrarySubDirsList); }
std::string ZarnekIconSelectorViewController::nextLibraryFileName() { return getNextAvailableFileName(); }
Ref<NSArray> ZarnekIconSelectorViewController::customIconArray() { return arrayOf(getCustomIconPaths()); }
Ref<NSArray> ZarnekIconSelectorViewController::libraryIconArray() { return arrayOf(getIconLibraryIconPaths()); }
Ref<NSArray> ZarnekIconSelectorViewController::libraryFolderArray() { return arrayOf(getIconLibrarySubDirsList()); }

// Registration ------------------------------------------------------------------------------------

void ZarnekIconSelectorViewController::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekIconSelectorViewController;
    objc::ClassBuilder<Self>(rt, "UIViewController")
        .method(initWithTitleAndSavePath, &Self::initWithTitle)
        .method(setDelegate, &Self::setDelegateValue)
        .method(delegate, &Self::delegateValue)
        .method(sel::setTag, &Self::setTagValue)
        .method(sel::tag, &Self::tagValue)
        .method(sel::tableView, &Self::tableViewRef)
        .method(sel::navController, &Self::navControllerRef)
        .method(sel::selectedIconList, &Self::selectedIconArray)
        .method(sel::iconLibrarySubDirsList, &Self::subDirArray)
        .method(sel::getNextAvailableFileName, &Self::nextLibraryFileName)
        .method(sel::getCustomIconPaths, &Self::customIconArray)
        .method(sel::getIconLibraryIconPaths, &Self::libraryIconArray)
        .method(sel::getIconLibrarySubDirsList, &Self::libraryFolderArray)
        .method(sel::viewDidLoad, &Self::viewLoaded)
        .method(sel::preapreTableDataAndDirList, &Self::prepareTableData)
        .method(sel::initNavigationControllerWithOverview, &Self::buildOverview)
        .method(sel::customIconSelected, &Self::showCustomIcons)
        .method(sel::imagesSelected, &Self::showLibraryIcons)
        .method(sel::subDirSelected, &Self::showSubDir)
        .method(sel::addIconScrollViewWithTitle, &Self::addGridPage)
        .method(sel::addIconImageButtonsToView, &Self::addTiles)
        .method(sel::prepareImage, &Self::tileTapped)
        .method(sel::scrollViewDidScroll, &Self::gridScrolled)
        .method(sel::cancel, &Self::cancelTapped)
        .method(sel::confirm, &Self::confirmChoice)
        .method(sel::showHUDWithTitleDetail, &Self::showHUD)
        .method(sel::showInfoPopupWithMessage, &Self::showInfoPopup)
        .method(sel::handleLongPressOnCell, &Self::longPressOnCell)
        .method(sel::backupFolderWithIndex, &Self::backUpFolder)
        .method(sel::restoreFolderWithIndex, &Self::restoreFolder)
        .method(sel::deleteFolderWithIndex, &Self::deleteFolder)
        .method(sel::backupFolderNamed, &Self::backUpNamed)
        .method(sel::backUpCustomIconsAs, &Self::backUpNow)
        .method(sel::restoreCustomIconsFrom, &Self::restoreNow)
        .method(sel::deleteFolderNamed, &Self::deleteNow)
        .method(sel::fillGridPageScrollViewOverlay, &Self::fillGridPage)
        .method(sel::removePictureAtPathTile, &Self::removePicture)
        .method(sel::keepCurrentIconThenChoose, &Self::keepCurrentIconThenChoose)
        .method(sel::shouldAutorotate, &Self::rotates)
        .method(sel::shouldAutorotateToInterfaceOrientation, &Self::rotatesTo)
        .method(sel::supportedInterfaceOrientations, &Self::portraitOnly)
        .method(sel::preferredInterfaceOrientationForPresentation, &Self::portrait)
        .method(sel::numberOfSectionsInTableView, &Self::sectionCount)
        .method(sel::numberOfRowsInSection, &Self::rowCount)
        .method(sel::cellForRowAtIndexPath, &Self::cellFor)
        .method(sel::titleForHeaderInSection, &Self::headerTitle)
        .method(sel::heightForHeaderInSection, &Self::headerHeight)
        .method(sel::heightForRowAtIndexPath, &Self::rowHeight)
        .method(sel::didSelectRowAtIndexPath, &Self::rowSelected)
        .method(sel::canEditRowAtIndexPath, &Self::rowCanBeEdited)
        .method(sel::commitEditingStyle, &Self::commitEdit)
        .buildSystemClass();
}

bool RegisterIconLibraryClasses(objc::Runtime& rt)
{
    if (!rt.getClass(ZarnekIconSelectorViewController::className()))
        ZarnekIconSelectorViewController::registerClass(rt);
    return rt.getClass(ZarnekIconSelectorViewController::className()) != nullptr;
}

} // namespace ovrimo::library
