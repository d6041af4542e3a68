#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/corefoundation/NSDictionary.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/ViewSearch.h"

#include <cairo.h>
#include <filesystem>
#include <fstream>
#include <set>

using objc::Ref;

namespace {

// A data source and delegate over lists of strings, logging what it is asked.
class ListSource : public objc::NSObject {
    OBJC_CLASS(TestListSource)
public:
    std::vector<std::vector<std::string>> sections;
    std::vector<std::string> log;
    int cellsMade = 0;
    std::set<std::pair<NSInteger, NSInteger>> fixedRows;

    static void registerWith(objc::Runtime& rt, bool editable)
    {
        objc::ClassBuilder<ListSource> builder(rt, "NSObject");
        builder.method(uikit::sel::numberOfSectionsInTableView, &ListSource::numberOfSections)
            .method(uikit::sel::tableViewNumberOfRowsInSection, &ListSource::numberOfRows)
            .method(uikit::sel::tableViewTitleForHeaderInSection, &ListSource::titleForHeader)
            .method(uikit::sel::tableViewCellForRowAtIndexPath, &ListSource::cellForRow)
            .method(uikit::sel::tableViewDidSelectRowAtIndexPath, &ListSource::didSelectRow);
        if (editable)
            builder.method(uikit::sel::tableViewCanMoveRowAtIndexPath, &ListSource::canMoveRow)
                .method(uikit::sel::tableViewMoveRowAtIndexPathToIndexPath, &ListSource::moveRow)
                .method(uikit::sel::tableViewCommitEditingStyleForRowAtIndexPath, &ListSource::commitEditingStyle);
        builder.conformsTo(uikit::UITableViewDataSource).conformsTo(uikit::UITableViewDelegate).build();
    }

private:
    NSInteger numberOfSections(UITableView*) { return static_cast<NSInteger>(sections.size()); }
    NSInteger numberOfRows(UITableView*, NSInteger s) { return static_cast<NSInteger>(sections[static_cast<size_t>(s)].size()); }
    std::string titleForHeader(UITableView*, NSInteger s) { return s == 0 ? "ENABLED" : "DISABLED"; }
    Ref<UITableViewCell> cellForRow(UITableView* table, NSIndexPath* path)
    {
        auto cell = table->dequeueReusableCellWithIdentifier("Cell");
        if (!cell) {
            cell = UITableViewCell::create(UITableViewCellStyleSubtitle, "Cell");
            ++cellsMade;
        }
        cell->textLabel()->setText(sections[static_cast<size_t>(path->section())][static_cast<size_t>(path->row())]);
        return cell;
    }
    void didSelectRow(UITableView*, NSIndexPath* path) { log.push_back("select " + std::to_string(path->section()) + "." + std::to_string(path->row())); }
    bool canMoveRow(UITableView*, NSIndexPath* path) { return !fixedRows.count({ path->section(), path->row() }); }
    void moveRow(UITableView*, NSIndexPath* from, NSIndexPath* to)
    {
        log.push_back("move " + std::to_string(from->section()) + "." + std::to_string(from->row()) + " to " + std::to_string(to->section()) + "." + std::to_string(to->row()));
        auto& src = sections[static_cast<size_t>(from->section())];
        std::string item = src[static_cast<size_t>(from->row())];
        src.erase(src.begin() + from->row());
        auto& dst = sections[static_cast<size_t>(to->section())];
        dst.insert(dst.begin() + to->row(), item);
    }
    void commitEditingStyle(UITableView* table, NSInteger style, NSIndexPath* path)
    {
        log.push_back("commit " + std::to_string(style) + " " + std::to_string(path->section()) + "." + std::to_string(path->row()));
        auto& rows = sections[static_cast<size_t>(path->section())];
        rows.erase(rows.begin() + path->row());
        table->deleteRowsAtIndexPaths({ Ref<NSIndexPath>(path) }, UITableViewRowAnimationFade);
    }
};

Ref<UITableView> showTable(UIViewController* root, ListSource* source, UITableViewStyle style = UITableViewStylePlain)
{
    auto table = UITableView::create(root->view()->bounds(), style);
    table->setDataSource(source);
    table->setDelegate(source);
    root->view()->addSubview(table);
    table->layoutIfNeeded();
    return table;
}

CGPoint rowCentre(UITableView* table, NSInteger row, NSInteger section)
{
    CGRect r = table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
    return table->convertPointToView(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)), nullptr);
}

} // namespace

TEST_F(UIKitTest, TableAsksItsDataSourceAndReusesCellsWhileScrolling)
{
    ListSource::registerWith(env.runtime(), false);
    auto source = objc::make<ListSource>();
    std::vector<std::string> many;
    for (int i = 0; i < 100; ++i)
        many.push_back("Row " + std::to_string(i));
    source->sections = { many, { "last" } };
    showWindow();
    auto table = showTable(root, source);
    EXPECT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(0), 100);
    EXPECT_EQ(table->contentSize().height, 28 + 100 * 44 + 28 + 44);
    size_t visible = table->visibleCells().size();
    EXPECT_GE(visible, 15u);
    EXPECT_LE(visible, 17u) << "cells only for rows on screen";
    int madeAtFirst = source->cellsMade;
    table->setContentOffset(CGPointMake(0, 2000));
    table->layoutIfNeeded();
    EXPECT_LE(source->cellsMade, madeAtFirst + 1) << "rows scrolled in reuse the cells scrolled out";
    auto first = table->indexPathsForVisibleRows().front();
    EXPECT_EQ(first->row(), (2000 - 28) / 44);
    UITableViewCell* cell = table->cellForRowAtIndexPath(first);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->textLabel()->text(), "Row " + std::to_string(first->row()));
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)), nullptr);
    // Data changes show after reloadData.
    source->sections[1] = { "a", "b" };
    table->reloadData();
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
}

TEST_F(UIKitTest, TapSelectsARowAndDraggingScrollsInstead)
{
    ListSource::registerWith(env.runtime(), false);
    auto source = objc::make<ListSource>();
    std::vector<std::string> many(40, "x");
    source->sections = { many };
    showWindow();
    auto table = showTable(root, source);
    uikit::TouchDriver driver;
    driver.tap(rowCentre(table, 2, 0));
    EXPECT_EQ(source->log, (std::vector<std::string> { "select 0.2" }));
    EXPECT_EQ(table->indexPathForSelectedRow()->row(), 2);
    EXPECT_TRUE(table->cellForRowAtIndexPath(table->indexPathForSelectedRow())->isSelected());
    driver.drag(CGPointMake(100, 500), CGPointMake(100, 200));
    EXPECT_EQ(source->log.size(), 1u) << "a drag is no tap";
    EXPECT_NEAR(table->contentOffset().y, 300, 1);
    driver.drag(CGPointMake(100, 100), CGPointMake(100, 600));
    driver.wait(0.6);
    EXPECT_EQ(table->contentOffset().y, 0) << "no resting above the top";
}

TEST_F(UIKitTest, SwipeLeftOffersDeleteAndCommitsIt)
{
    ListSource::registerWith(env.runtime(), true);
    auto source = objc::make<ListSource>();
    source->sections = { { "one", "two", "three" } };
    showWindow();
    auto table = showTable(root, source);
    uikit::TouchDriver driver;
    driver.swipe(rowCentre(table, 1, 0), CGPointMake(rowCentre(table, 1, 0).x - 150, rowCentre(table, 1, 0).y));
    ASSERT_TRUE(table->deleteConfirmationIndexPath());
    EXPECT_EQ(table->deleteConfirmationIndexPath()->row(), 1);
    EXPECT_TRUE(source->log.empty()) << "the swipe neither selects nor deletes";
    auto found = uikit::findViewWithLabel(window, "Delete");
    ASSERT_TRUE(found);
    driver.tap(found->center);
    EXPECT_EQ(source->log, (std::vector<std::string> { "commit 1 0.1" }));
    table->layoutIfNeeded();
    EXPECT_EQ(table->numberOfRowsInSection(0), 2);
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0))->textLabel()->text(), "three");
}

TEST_F(UIKitTest, EditingModeReordersRowsByTheirGrips)
{
    ListSource::registerWith(env.runtime(), true);
    auto source = objc::make<ListSource>();
    source->sections = { { "Home", "Dock", "Folders" }, { "Search" } };
    showWindow();
    auto table = showTable(root, source, UITableViewStyleGrouped);
    table->setEditing(true, false);
    table->layoutIfNeeded();
    UITableViewCell* first = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0));
    ASSERT_TRUE(first && first->reorderControl());
    UIView* grip = first->reorderControl();
    CGPoint start = grip->convertPointToView(CGPointMake(20, 22), nullptr);
    uikit::TouchDriver driver;
    // Onto the third row of the same section.
    driver.drag(start, CGPointMake(start.x, rowCentre(table, 2, 0).y));
    ASSERT_EQ(source->log, (std::vector<std::string> { "move 0.0 to 0.2" }));
    EXPECT_EQ(source->sections[0], (std::vector<std::string> { "Dock", "Folders", "Home" }));
    EXPECT_EQ(table->contentOffset().y, 0) << "dragging a grip does not scroll";
    // Into the other section, below its last row.
    first = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0));
    start = first->reorderControl()->convertPointToView(CGPointMake(20, 22), nullptr);
    CGPoint below = rowCentre(table, 0, 1);
    driver.drag(start, CGPointMake(start.x, below.y + 30));
    EXPECT_EQ(source->log.back(), "move 0.0 to 1.1");
    EXPECT_EQ(source->sections[1], (std::vector<std::string> { "Search", "Dock" }));
    // A row that may not move has no grip; taps do not select while editing.
    source->fixedRows = { { 0, 0 } };
    table->reloadData();
    table->layoutIfNeeded();
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0))->reorderControl(), nullptr);
    driver.tap(rowCentre(table, 0, 0));
    EXPECT_EQ(source->log.size(), 2u);
}

TEST_F(UIKitTest, PagingScrollViewSettlesOnPagesAndTellsItsDelegate)
{
    struct Watcher : objc::NSObject {
        OBJC_CLASS(ScrollWatcher)
    };
    int scrolled = 0, ended = 0;
    objc::Class* cls = env.runtime().registerClass<Watcher>("NSObject");
    cls->addMethod("scrollViewDidScroll:", [&](objc::Object*, objc::SEL, UIScrollView*) { ++scrolled; });
    cls->addMethod("scrollViewDidEndDecelerating:", [&](objc::Object*, objc::SEL, UIScrollView*) { ++ended; });
    auto watcher = objc::make<Watcher>();
    showWindow();
    auto pages = UIScrollView::create(CGRectMake(0, 0, 375, 667));
    pages->setContentSize(CGSizeMake(375 * 3, 667));
    pages->setPagingEnabled(true);
    pages->setDelegate(watcher);
    root->view()->addSubview(pages);
    uikit::TouchDriver driver;
    driver.swipe(CGPointMake(300, 300), CGPointMake(100, 300), 0.3);
    driver.wait(0.5); // the page glides into place
    EXPECT_EQ(pages->contentOffset().x, 375);
    EXPECT_GT(scrolled, 1);
    EXPECT_EQ(ended, 1);
    driver.drag(CGPointMake(300, 300), CGPointMake(250, 300), 0.5, 10, 0.3);
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset().x, 375) << "a short slow drag falls back";
    driver.swipe(CGPointMake(100, 300), CGPointMake(300, 300), 0.3);
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset().x, 0);
    // A vertical drag does not move a horizontal pager.
    driver.swipe(CGPointMake(100, 500), CGPointMake(100, 200), 0.3);
    driver.wait(0.5);
    EXPECT_EQ(pages->contentOffset(), CGPointZero);
}

TEST_F(UIKitTest, ImagePickerShowsTheCameraRollAndHandsOverThePicture)
{
    auto folder = env.hostPath(uikit::kCameraRollFolder);
    std::filesystem::create_directories(folder);
    for (auto [name, w, h] : { std::tuple { "IMG_0002.PNG", 30, 20 }, { "IMG_0001.png", 10, 40 } }) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_surface_write_to_png(s, (folder / name).c_str());
        cairo_surface_destroy(s);
    }
    std::ofstream(folder / "notes.txt") << "not a picture";
    struct Delegate : objc::NSObject {
        OBJC_CLASS(PickerDelegate)
    };
    Ref<UIImage> picked;
    int cancels = 0;
    objc::Class* cls = env.runtime().registerClass<Delegate>("NSObject");
    cls->addMethod("imagePickerController:didFinishPickingMediaWithInfo:", [&](objc::Object*, objc::SEL, UIImagePickerController* picker, NSDictionary* info) {
        picked = Ref<UIImage>(dynamic_cast<UIImage*>(info->objectForKey("UIImagePickerControllerOriginalImage")));
        picker->dismissViewControllerAnimated(true);
    });
    cls->addMethod("imagePickerControllerDidCancel:", [&](objc::Object*, objc::SEL, UIImagePickerController* picker) {
        ++cancels;
        picker->dismissViewControllerAnimated(true);
    });
    auto delegate = objc::make<Delegate>();
    showWindow();
    auto picker = UIImagePickerController::create();
    picker->setSourceType(UIImagePickerControllerSourceTypePhotoLibrary);
    picker->setDelegate(delegate);
    root->presentViewController(picker, true);
    settle(0.5);
    ASSERT_EQ(picker->photoPaths().size(), 2u);
    EXPECT_EQ(picker->photoPaths()[0], "/var/mobile/Media/DCIM/100APPLE/IMG_0001.png");
    uikit::TouchDriver driver;
    UIView* second = picker->thumbnailAt(1);
    driver.tap(second->convertPointToView(CGPointMake(10, 10), nullptr));
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->size(), CGSizeMake(30, 20));
    settle(0.5);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    root->presentViewController(picker, false);
    settle(0.1);
    auto cancel = uikit::findViewWithLabel(window, "Cancel");
    ASSERT_TRUE(cancel);
    driver.tap(cancel->center);
    EXPECT_EQ(cancels, 1);
}
