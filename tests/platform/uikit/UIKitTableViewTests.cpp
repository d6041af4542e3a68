#include "tests/platform/uikit/UIKitTestSupport.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/TextLayout.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/ViewSearch.h"

#include <cmath>
#include <set>

using objc::Ref;

// Tables as apps use them: what the data source and delegate are asked and when, cell reuse,
// headers and footers, row heights, selection, editing, and data sources that misbehave.

namespace {

// A configurable data source and delegate over rows of strings that records what it is asked.
class RowsSource : public objc::NSObject {
    OBJC_CLASS(RowsTableSource)
public:
    std::vector<std::vector<std::string>> sections;
    std::vector<std::string> headers, footers;
    std::vector<std::string> log;
    std::set<UITableViewCell*> cellsHandedOut;
    std::map<std::pair<NSInteger, NSInteger>, CGFloat> heights;
    int cellRequests = 0, countRequests = 0;
    bool nilForSecondRow = false;
    bool deselectOnSelect = false;
    NSInteger refuseSelectingRow = -1;
    UITableViewCellEditingStyle editingStyle = UITableViewCellEditingStyleDelete;

    static void registerClass(objc::Runtime& rt)
    {
        objc::ClassBuilder<RowsSource>(rt, "NSObject")
            .method(uikit::sel::numberOfSectionsInTableView, &RowsSource::numberOfSections)
            .method(uikit::sel::tableViewNumberOfRowsInSection, &RowsSource::numberOfRows)
            .method(uikit::sel::tableViewTitleForHeaderInSection, &RowsSource::titleForHeader)
            .method(uikit::sel::tableViewTitleForFooterInSection, &RowsSource::titleForFooter)
            .method(uikit::sel::tableViewCellForRowAtIndexPath, &RowsSource::cellForRow)
            .method(uikit::sel::tableViewHeightForRowAtIndexPath, &RowsSource::heightForRow)
            .method(uikit::sel::tableViewWillSelectRowAtIndexPath, &RowsSource::willSelectRow)
            .method(uikit::sel::tableViewDidSelectRowAtIndexPath, &RowsSource::didSelectRow)
            .method(uikit::sel::tableViewDidDeselectRowAtIndexPath, &RowsSource::didDeselectRow)
            .method(uikit::sel::tableViewEditingStyleForRowAtIndexPath, &RowsSource::editingStyleForRow)
            .method(uikit::sel::tableViewCommitEditingStyleForRowAtIndexPath, &RowsSource::commitEditingStyle)
            .conformsTo(uikit::UITableViewDataSource)
            .conformsTo(uikit::UITableViewDelegate)
            .build();
    }

private:
    NSInteger numberOfSections(UITableView*)
    {
        ++countRequests;
        return static_cast<NSInteger>(sections.size());
    }
    NSInteger numberOfRows(UITableView*, NSInteger s)
    {
        ++countRequests;
        return static_cast<NSInteger>(sections[static_cast<size_t>(s)].size());
    }
    std::string titleForHeader(UITableView*, NSInteger s)
    {
        return static_cast<size_t>(s) < headers.size() ? headers[static_cast<size_t>(s)] : std::string();
    }
    std::string titleForFooter(UITableView*, NSInteger s)
    {
        return static_cast<size_t>(s) < footers.size() ? footers[static_cast<size_t>(s)] : std::string();
    }
    Ref<UITableViewCell> cellForRow(UITableView* table, NSIndexPath* path)
    {
        ++cellRequests;
        if (nilForSecondRow && path->row() == 1)
            return nullptr;
        auto cell = table->dequeueReusableCellWithIdentifier("Row");
        if (!cell)
            cell = UITableViewCell::create(UITableViewCellStyleDefault, "Row");
        cellsHandedOut.insert(cell.ptr());
        cell->textLabel()->setText(sections[static_cast<size_t>(path->section())][static_cast<size_t>(path->row())]);
        return cell;
    }
    double heightForRow(UITableView* table, NSIndexPath* path)
    {
        auto it = heights.find({ path->section(), path->row() });
        return it == heights.end() ? table->rowHeight() : it->second;
    }
    Ref<NSIndexPath> willSelectRow(UITableView*, NSIndexPath* path)
    {
        if (path->row() == refuseSelectingRow)
            return nullptr;
        return Ref<NSIndexPath>(path);
    }
    void didSelectRow(UITableView* table, NSIndexPath* path)
    {
        log.push_back("select " + std::to_string(path->row()));
        if (deselectOnSelect)
            table->deselectRowAtIndexPath(path, true);
    }
    void didDeselectRow(UITableView*, NSIndexPath* path)
    {
        log.push_back("deselect " + std::to_string(path->row()));
    }
    NSInteger editingStyleForRow(UITableView*, NSIndexPath*)
    {
        return static_cast<NSInteger>(editingStyle);
    }
    void commitEditingStyle(UITableView* table, NSInteger style, NSIndexPath* path)
    {
        log.push_back("commit " + std::to_string(style) + " " + std::to_string(path->row()));
        auto& rows = sections[static_cast<size_t>(path->section())];
        if (style == UITableViewCellEditingStyleDelete) {
            rows.erase(rows.begin() + path->row());
            table->deleteRowsAtIndexPaths({ Ref<NSIndexPath>(path) }, UITableViewRowAnimationAutomatic);
        } else {
            rows.insert(rows.begin() + path->row(), "new");
            table->insertRowsAtIndexPaths({ Ref<NSIndexPath>(path) }, UITableViewRowAnimationAutomatic);
        }
    }
};

class UIKitTableViewTest : public UIKitTest {
protected:
    UIKitTableViewTest()
    {
        RowsSource::registerClass(env.runtime());
        source = objc::make<RowsSource>();
    }

    Ref<UITableView> show(UITableViewStyle style = UITableViewStylePlain)
    {
        showWindow();
        auto table = UITableView::create(root->view()->bounds(), style);
        table->setDataSource(source);
        table->setDelegate(source);
        root->view()->addSubview(table);
        table->layoutIfNeeded();
        return table;
    }

    static CGPoint rowCentre(UITableView* table, NSInteger row, NSInteger section = 0)
    {
        CGRect r = table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
        return table->convertPointToView(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)), nullptr);
    }

    static std::vector<std::string> rows(const std::string& prefix, int n)
    {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i)
            out.push_back(prefix + std::to_string(i));
        return out;
    }

    Ref<RowsSource> source;
};

} // namespace

TEST_F(UIKitTableViewTest, CountsComeFromTheDataSourceAndOnlyVisibleRowsAreAskedFor)
{
    source->sections = { rows("a", 3), rows("b", 200) };
    auto table = show();
    EXPECT_GT(source->countRequests, 0);
    EXPECT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(1), 200);
    EXPECT_EQ(table->numberOfRowsInSection(2), 0) << "a section that does not exist has no rows";
    EXPECT_EQ(table->numberOfRowsInSection(-1), 0);
    EXPECT_LT(source->cellRequests, 20) << "not 203 cells";
    // Counts are cached until the table is told to reload.
    int asked = source->countRequests;
    table->numberOfRowsInSection(1);
    table->setContentOffset(CGPointMake(0, 500));
    table->layoutIfNeeded();
    EXPECT_EQ(source->countRequests, asked);
    source->sections[1].resize(10);
    EXPECT_EQ(table->numberOfRowsInSection(1), 200) << "the table has not been told yet";
    table->reloadData();
    EXPECT_EQ(table->numberOfRowsInSection(1), 10);
    EXPECT_GT(source->countRequests, asked);
}

TEST_F(UIKitTableViewTest, ScrollingAwayAndBackReusesTheSameCells)
{
    source->sections = { rows("row ", 300) };
    auto table = show();
    std::set<UITableViewCell*> first = source->cellsHandedOut;
    ASSERT_FALSE(first.empty());
    for (double y : { 700.0, 1400.0, 5000.0, 0.0 }) {
        table->setContentOffset(CGPointMake(0, y));
        table->layoutIfNeeded();
        for (auto& cell : table->visibleCells()) {
            Ref<NSIndexPath> path = table->indexPathForCell(cell);
            ASSERT_TRUE(path);
            EXPECT_EQ(cell->textLabel()->text(), "row " + std::to_string(path->row())) << "a reused cell shows its new row";
            EXPECT_TRUE(cell->superview() == table.ptr());
        }
    }
    EXPECT_LE(source->cellsHandedOut.size(), first.size() + 1) << "the same few cells all along";
    // Cells scrolled away are out of the view tree, not just hidden.
    size_t cellsInTree = 0;
    for (auto& sub : table->subviews())
        cellsInTree += dynamic_cast<UITableViewCell*>(sub.ptr()) != nullptr;
    EXPECT_EQ(cellsInTree, table->visibleCells().size());
}

TEST_F(UIKitTableViewTest, HeadersAndFootersShowTheirTitlesByStyle)
{
    source->sections = { rows("x", 2), rows("y", 2) };
    source->headers = { "General", "" };
    source->footers = { "", "Changes apply after a respring." };
    auto plain = show();
    EXPECT_TRUE(uikit::findViewWithLabel(window, "General")) << "plain headers keep their case";
    EXPECT_EQ(plain->rectForHeaderInSection(0).size.height, 28);
    EXPECT_EQ(plain->rectForHeaderInSection(1).size.height, 0) << "no title, no plain header";
    EXPECT_TRUE(uikit::findViewWithLabel(window, "Changes apply after a respring."));
    plain->removeFromSuperview();

    auto grouped = show(UITableViewStyleGrouped);
    EXPECT_TRUE(uikit::findViewWithLabel(window, "GENERAL")) << "grouped headers are upper case";
    EXPECT_FALSE(uikit::findViewWithLabel(window, "General"));
    EXPECT_GT(grouped->rectForHeaderInSection(1).size.height, 0) << "grouped sections keep a gap";
    // Rows sit below their header, and sections follow one another.
    CGRect header0 = grouped->rectForHeaderInSection(0);
    CGRect row0 = grouped->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0));
    EXPECT_EQ(row0.origin.y, CGRectGetMaxY(header0));
    EXPECT_GE(grouped->rectForSection(1).origin.y, CGRectGetMaxY(grouped->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0))));
    EXPECT_EQ(grouped->contentSize().height, CGRectGetMaxY(grouped->rectForSection(1)));
}

TEST_F(UIKitTableViewTest, FooterTitlesTakeTheHeightOfTheirWrappedText)
{
    // The footer font is made only for measuring; a table laid out after it was gone measured
    // with whatever had taken its place (AddressSanitizer reports the read).
    source->sections = { rows("x", 1), rows("y", 1) };
    source->footers = { "Short.", "A footer long enough to wrap onto several lines, as the Settings panes' explanations under their groups do." };
    auto table = show();
    CGFloat line = std::ceil(UIFont::systemFontOfSize(13)->lineHeight());
    EXPECT_EQ(table->rectForSection(0).size.height, 44 + line + 16) << "one line of 13-point text and its margins";
    EXPECT_GE(table->rectForSection(1).size.height, 44 + 2 * line + 16) << "the long footer wraps";
}

TEST_F(UIKitTableViewTest, ATextStyleKeepsTheFontItWasMadeFrom)
{
    uikit::TextStyle style { UIFont::boldSystemFontOfSize(40), NSTextAlignmentLeft, 1, NSLineBreakByClipping };
    // Fonts made afterwards would take the memory of a font the style did not keep.
    std::vector<Ref<UIFont>> others;
    for (int i = 0; i < 8; ++i)
        others.push_back(UIFont::systemFontOfSize(8));
    auto big = UIFont::boldSystemFontOfSize(40);
    uikit::TextStyle same { big, NSTextAlignmentLeft, 1, NSLineBreakByClipping };
    EXPECT_EQ(uikit::measureText("Xg", style, 0), uikit::measureText("Xg", same, 0));
    EXPECT_GE(uikit::measureText("Xg", style, 0).height, 40);
}

TEST_F(UIKitTableViewTest, RowHeightsFromTheDelegatePlaceRowsAndHits)
{
    source->sections = { rows("r", 5) };
    source->heights = { { { 0, 1 }, 100 }, { { 0, 3 }, 10 } };
    auto table = show();
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0)), CGRectMake(0, 44 + 100, 375, 44));
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(4, 0)).origin.y, 44 + 100 + 44 + 10);
    EXPECT_EQ(table->contentSize().height, 44 * 3 + 100 + 10);
    EXPECT_EQ(table->indexPathForRowAtPoint(CGPointMake(10, 143))->row(), 1);
    EXPECT_EQ(table->indexPathForRowAtPoint(CGPointMake(10, 144))->row(), 2);
    EXPECT_FALSE(table->indexPathForRowAtPoint(CGPointMake(10, 1000))) << "below the last row";
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0))->frame().size.height, 100);
    // The table's own row height applies where the delegate defers to it.
    table->setRowHeight(60);
    table->layoutIfNeeded();
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0)).size.height, 60);
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0)).size.height, 100);
}

TEST_F(UIKitTableViewTest, SelectionMovesBetweenRowsAndCanBeUndone)
{
    source->sections = { rows("r", 6) };
    auto table = show();
    uikit::TouchDriver driver;
    driver.tap(rowCentre(table, 1));
    driver.wait(1);
    driver.tap(rowCentre(table, 3));
    EXPECT_EQ(source->log, (std::vector<std::string> { "select 1", "deselect 1", "select 3" }));
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0))->isSelected());
    EXPECT_TRUE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(3, 0))->isSelected());
    EXPECT_EQ(table->indexPathsForSelectedRows().size(), 1u);

    // A delegate that deselects at once leaves nothing selected.
    source->deselectOnSelect = true;
    source->log.clear();
    driver.wait(1);
    driver.tap(rowCentre(table, 4));
    EXPECT_FALSE(table->indexPathForSelectedRow());
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(4, 0))->isSelected());
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(4, 0))->isHighlighted());

    // willSelect may refuse; a table that does not allow selection ignores taps.
    source->refuseSelectingRow = 2;
    source->log.clear();
    driver.wait(1);
    driver.tap(rowCentre(table, 2));
    EXPECT_TRUE(source->log.empty());
    table->setAllowsSelection(false);
    driver.wait(1);
    driver.tap(rowCentre(table, 5));
    EXPECT_TRUE(source->log.empty());

    // Selected from code, a row scrolled away and back keeps showing its selection.
    source->sections = { rows("r", 100) };
    table->reloadData();
    table->selectRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0), false);
    table->setContentOffset(CGPointMake(0, 3000));
    table->layoutIfNeeded();
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0)), nullptr);
    table->setContentOffset(CGPointZero);
    table->layoutIfNeeded();
    ASSERT_TRUE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0)));
    EXPECT_TRUE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0))->isSelected());
    for (NSInteger r : { 0, 1, 3 })
        EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(r, 0))->isSelected()) << "reused cells do not carry a selection";
}

TEST_F(UIKitTableViewTest, ReloadDataShowsNewContentAndDropsTheSelection)
{
    source->sections = { { "one", "two", "three" } };
    auto table = show();
    table->selectRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0), false);
    source->sections = { { "uno", "dos" } };
    table->reloadData();
    table->layoutIfNeeded();
    EXPECT_EQ(table->visibleCells().size(), 2u);
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0))->textLabel()->text(), "uno");
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0)), nullptr);
    EXPECT_FALSE(table->indexPathForSelectedRow());
    EXPECT_FALSE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0))->isSelected());
    // Asking for geometry right after a reload answers for the new data, before any layout.
    source->sections = { rows("n", 50) };
    table->reloadData();
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(40, 0)).origin.y, 40 * 44);
    table->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(40, 0), false);
    EXPECT_EQ(table->contentOffset().y, 41 * 44 - table->bounds().size.height);
}

TEST_F(UIKitTableViewTest, ANilCellIsSkippedWithAComplaint)
{
    source->sections = { { "zero", "one", "two" } };
    source->nilForSecondRow = true;
    auto table = show();
    EXPECT_EQ(table->visibleCells().size(), 2u);
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0)), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0))->textLabel()->text(), "two");
    EXPECT_FALSE(uikit::state().diagnostics.empty());
    // Taps on the empty row still reach the delegate; the table survives a relayout.
    uikit::TouchDriver().tap(rowCentre(table, 1));
    EXPECT_EQ(source->log, (std::vector<std::string> { "select 1" }));
    table->reloadData();
    table->layoutIfNeeded();
    EXPECT_EQ(table->visibleCells().size(), 2u);
}

TEST_F(UIKitTableViewTest, EditingControlsDeleteAndInsertThroughTheDataSource)
{
    source->sections = { { "a", "b", "c" } };
    auto table = show();
    table->setEditing(true, false);
    table->layoutIfNeeded();
    UITableViewCell* cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0));
    ASSERT_TRUE(cell && cell->editingControl());
    uikit::TouchDriver driver;
    // The red circle asks for confirmation first; the Delete button commits.
    driver.tap(cell->editingControl()->convertPointToView(CGPointMake(cell->editingControl()->bounds().size.width / 2, cell->editingControl()->bounds().size.height / 2), nullptr));
    EXPECT_TRUE(source->log.empty());
    ASSERT_TRUE(cell->isShowingDeleteConfirmation());
    table->layoutIfNeeded();
    UIButton* del = cell->deleteConfirmationButton();
    ASSERT_TRUE(del);
    EXPECT_EQ(del->currentTitle(), "Delete");
    driver.wait(1);
    driver.tap(del->convertPointToView(CGPointMake(del->bounds().size.width / 2, del->bounds().size.height / 2), nullptr));
    EXPECT_EQ(source->log, (std::vector<std::string> { "commit 1 2" }));
    table->layoutIfNeeded();
    EXPECT_EQ(table->numberOfRowsInSection(0), 2);
    EXPECT_FALSE(table->deleteConfirmationIndexPath());

    // Rows with the insert style commit an insert at once.
    source->editingStyle = UITableViewCellEditingStyleInsert;
    table->reloadData();
    table->layoutIfNeeded();
    cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0));
    ASSERT_TRUE(cell && cell->editingControl());
    driver.wait(1);
    driver.tap(cell->editingControl()->convertPointToView(CGPointMake(cell->editingControl()->bounds().size.width / 2, cell->editingControl()->bounds().size.height / 2), nullptr));
    EXPECT_EQ(source->log.back(), "commit 2 0");
    table->layoutIfNeeded();
    EXPECT_EQ(table->numberOfRowsInSection(0), 3);
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0))->textLabel()->text(), "new");

    // Leaving editing mode takes the controls away.
    table->setEditing(false, false);
    table->layoutIfNeeded();
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0))->editingControl(), nullptr);
}

TEST_F(UIKitTableViewTest, RegisteredCellClassesAreMadeOnDemand)
{
    auto& rt = env.runtime();
    objc::Class* custom = rt.registerClass("BadgeCell", rt.getClass("UITableViewCell"));
    showWindow();
    auto table = UITableView::create(CGRectMake(0, 0, 320, 200), UITableViewStylePlain);
    table->registerClassForCellReuseIdentifier(custom, "Badge");
    auto first = table->dequeueReusableCellWithIdentifier("Badge");
    ASSERT_TRUE(first);
    EXPECT_TRUE(objc::isKindOfClass(first, "BadgeCell"));
    EXPECT_EQ(first->reuseIdentifier(), "Badge");
    EXPECT_FALSE(table->dequeueReusableCellWithIdentifier("Unknown")) << "nothing registered, nothing made";
    table->registerClassForCellReuseIdentifier(nullptr, "Badge");
    EXPECT_FALSE(table->dequeueReusableCellWithIdentifier("Badge"));
}
