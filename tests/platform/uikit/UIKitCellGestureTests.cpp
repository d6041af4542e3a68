// What a list of folders with thumbnails needs from tables and navigation: subtitle cells whose
// image view is scaled by a transform, a cell's own long-press recogniser beside the table's taps,
// swipe to delete limited to the rows the data source lets be edited, and a bar's prompt.

#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/ViewSearch.h"

using objc::Ref;

namespace {

// Two sections of three rows; only the second section's rows can be edited. Each cell shows a
// 120-point picture scaled to 35 points and carries a long-press recogniser sending "held:".
class FolderListSource : public objc::NSObject {
    OBJC_CLASS(TestFolderListSource)
public:
    std::vector<std::string> log;
    Ref<UIImage> picture;

    static void registerWith(objc::Runtime& rt)
    {
        objc::ClassBuilder<FolderListSource>(rt, "NSObject")
            .method(uikit::sel::numberOfSectionsInTableView, &FolderListSource::numberOfSections)
            .method(uikit::sel::tableViewNumberOfRowsInSection, &FolderListSource::numberOfRows)
            .method(uikit::sel::tableViewCellForRowAtIndexPath, &FolderListSource::cellForRow)
            .method(uikit::sel::tableViewDidSelectRowAtIndexPath, &FolderListSource::didSelectRow)
            .method(uikit::sel::tableViewCanEditRowAtIndexPath, &FolderListSource::canEditRow)
            .method(uikit::sel::tableViewCommitEditingStyleForRowAtIndexPath, &FolderListSource::commitEditingStyle)
            .method(held, &FolderListSource::pressHeld)
            .conformsTo(uikit::UITableViewDataSource)
            .conformsTo(uikit::UITableViewDelegate)
            .build();
    }

private:
    static inline constinit objc::Sel<void(objc::Object*)> held { "held:" };

    NSInteger numberOfSections(UITableView*) { return 2; }
    NSInteger numberOfRows(UITableView*, NSInteger) { return 3; }
    Ref<UITableViewCell> cellForRow(UITableView* table, NSIndexPath* path)
    {
        Ref<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier("Cell");
        if (!cell) {
            cell = UITableViewCell::create(UITableViewCellStyleSubtitle, "Cell");
            cell->addGestureRecognizer(UIGestureRecognizer::create<UILongPressGestureRecognizer>(this, held.name()));
        }
        cell->textLabel()->setText("Row " + std::to_string(path->section()) + "." + std::to_string(path->row()));
        cell->detailTextLabel()->setText("3 icons");
        cell->imageView()->setImage(picture);
        cell->imageView()->setTransform(CGAffineTransformMakeScale(35.0 / 120, 35.0 / 120));
        return cell;
    }
    void didSelectRow(UITableView*, NSIndexPath* path) { log.push_back("select " + std::to_string(path->section()) + "." + std::to_string(path->row())); }
    bool canEditRow(UITableView*, NSIndexPath* path) { return path->section() == 1; }
    void commitEditingStyle(UITableView*, NSInteger, NSIndexPath* path) { log.push_back("delete " + std::to_string(path->section()) + "." + std::to_string(path->row())); }
    void pressHeld(UILongPressGestureRecognizer* press)
    {
        if (press->state() == UIGestureRecognizerStateBegan)
            log.push_back("held " + std::to_string(dynamic_cast<UITableViewCell*>(press->view())->textLabel()->text().size()));
    }
};

class UIKitCellGestureTest : public UIKitTest {
protected:
    UIKitCellGestureTest()
    {
        FolderListSource::registerWith(env.runtime());
        source = objc::make<FolderListSource>();
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(120, 120), false, 1);
        source->picture = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        showWindow();
        table = UITableView::create(root->view()->bounds(), UITableViewStylePlain);
        table->setDataSource(source);
        table->setDelegate(source);
        root->view()->addSubview(table);
        table->layoutIfNeeded();
    }
    UITableViewCell* cell(NSInteger section, NSInteger row) { return table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section)); }
    CGPoint centre(NSInteger section, NSInteger row)
    {
        CGRect r = table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
        return table->convertPointToView(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)), nullptr);
    }

    Ref<FolderListSource> source;
    Ref<UITableView> table;
    uikit::TouchDriver driver;
};

} // namespace

TEST_F(UIKitCellGestureTest, AScaledImageViewTakesItsShownSizeAndTheTextsFollowIt)
{
    UITableViewCell* first = cell(0, 0);
    ASSERT_TRUE(first);
    first->layoutIfNeeded();
    CGRect shown = first->imageView()->convertRectToView(first->imageView()->bounds(), first->contentView());
    EXPECT_NEAR(shown.size.width, 35, 1e-6);
    EXPECT_NEAR(shown.size.height, 35, 1e-6);
    EXPECT_NEAR(shown.origin.x, 15, 1e-6);
    EXPECT_NEAR(CGRectGetMidY(shown), first->bounds().size.height / 2, 1e-6);
    // Title above subtitle, both starting a margin after the picture as shown, not as large as it is.
    EXPECT_NEAR(first->textLabel()->frame().origin.x, 15 + 35 + 15, 1e-6);
    EXPECT_EQ(first->detailTextLabel()->frame().origin.x, first->textLabel()->frame().origin.x);
    EXPECT_GT(first->detailTextLabel()->frame().origin.y, first->textLabel()->frame().origin.y);
}

TEST_F(UIKitCellGestureTest, ACellsLongPressFiresOnceAndIsNoTap)
{
    driver.longPress(centre(0, 1), 1.5);
    EXPECT_EQ(source->log, (std::vector<std::string> { "held 7" }));
    // A reused cell keeps the one recogniser it was made with.
    table->reloadData();
    table->layoutIfNeeded();
    EXPECT_EQ(cell(0, 1)->gestureRecognizers().size(), 1u);
    source->log.clear();
    driver.tap(centre(0, 2));
    EXPECT_EQ(source->log, (std::vector<std::string> { "select 0.2" }));
}

TEST_F(UIKitCellGestureTest, OnlyEditableRowsCanBeSwipedToDelete)
{
    auto swipeLeft = [&](CGPoint p) { driver.swipe(p, CGPointMake(p.x - 150, p.y)); };
    swipeLeft(centre(0, 1));
    EXPECT_FALSE(table->deleteConfirmationIndexPath());
    EXPECT_FALSE(cell(0, 1)->isShowingDeleteConfirmation());
    swipeLeft(centre(1, 1));
    ASSERT_TRUE(cell(1, 1)->isShowingDeleteConfirmation());
    driver.tap(cell(1, 1)->deleteConfirmationButton()->convertPointToView(CGPointMake(10, 10), nullptr));
    EXPECT_EQ(source->log, (std::vector<std::string> { "delete 1.1" }));
}

TEST_F(UIKitCellGestureTest, APromptMakesTheBarTallerAndShowsAboveTheTitle)
{
    auto page = UIViewController::create();
    page->setTitle("Library");
    auto nav = UINavigationController::createWithRoot(page);
    root->presentViewController(nav, false);
    settle(0.5);
    CGFloat plain = nav->navigationBar()->contentHeight();
    page->navigationItem()->setPrompt("Tap and hold on a directory to edit it.");
    nav->navigationBar()->layoutIfNeeded();
    EXPECT_EQ(nav->navigationBar()->contentHeight(), plain + 30);
    auto prompt = uikit::findViewWithLabel(window, "Tap and hold on a directory to edit it.");
    auto title = uikit::findViewWithLabel(window, "Library");
    ASSERT_TRUE(prompt && title);
    EXPECT_LT(prompt->center.y, title->center.y);
    // The page's view starts below the taller bar.
    EXPECT_GE(page->view()->convertRectToView(page->view()->bounds(), nullptr).origin.y, nav->navigationBar()->convertRectToView(nav->navigationBar()->bounds(), nullptr).origin.y + plain + 30 - 1);
}
