// The ordered list and its link cell in a settings pane, reordered by dragging the rows' grips.

#include "tests/zarnekprefs/ControlsFixture.h"

#include "platform/corefoundation/NSNumber.h"
#include "platform/uikit/UIKitGlyphView.h"
#include "zarnekprefs/zarneklistselect/ZarnekListSelect.h"
#include "zarnekprefs/zarneklistselect/ZarnekListSelectLinkCell.h"

using namespace controls_test;

namespace {

constexpr const char* kOrderChanged = "com.demo.controls.order";

std::string listRow(const std::string& id, const std::string& extra)
{
    return "<dict><key>cell</key><string>PSLinkCell</string><key>id</key><string>" + id + "</string><key>label</key><string>Shortcuts</string>"
           "<key>detail</key><string>ZarnekListSelect</string><key>cellClass</key><string>ZarnekListSelectLinkCell</string>"
           "<key>listItems</key><dict><key>a</key><string>Alarm</string><key>b</key><string>Bluetooth</string><key>c</key><string>Camera</string>"
           "<key>d</key><string>Do Not Disturb</string><key>e</key><string>Earpods</string></dict>"
           "<key>enabledItemsKey</key><string>" + id + "-on</string><key>disabledItemsKey</key><string>" + id + "-off</string>"
           "<key>defaults</key><string>com.demo.controls</string><key>PostNotification</key><string>com.demo.controls.order</string>"
           "<key>listIconPath</key><string>/Library/PreferenceBundles/controlsdemo.bundle/icon_</string>" + extra + "</dict>";
}

class ListSelectTest : public ControlsTest {
protected:
    void SetUp() override
    {
        installPane("<dict><key>cell</key><string>PSGroupCell</string></dict>" + listRow("all", "")
            + listRow("some", "<key>defaultEnabledItems</key><array><string>c</string><string>a</string></array>"));
        installPicture("icon_a.png", CGSizeMake(29, 29), 1, 0, 0);
        observeDarwin();
    }

    ZarnekListSelect* openList(const std::string& id)
    {
        if (!pane)
            openPane();
        tapPaneRow(id);
        auto* list = dynamic_cast<ZarnekListSelect*>(navigation->topViewController());
        EXPECT_NE(list, nullptr);
        if (list)
            list->tableView()->layoutIfNeeded();
        return list;
    }
    static std::vector<std::string> keys(NSArray* array) { return array ? array->strings() : std::vector<std::string> { "<none>" }; }
    std::vector<std::string> storedKeys(const std::string& key) { return keys(dynamic_cast<NSArray*>(stored(key).ptr())); }
    std::vector<std::string> titles(ZarnekListSelect* list, NSInteger section)
    {
        std::vector<std::string> shown;
        UITableView* table = list->tableView();
        for (NSInteger r = 0; r < table->numberOfRowsInSection(section); ++r) {
            UITableViewCell* cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(r, section));
            shown.push_back(cell ? cell->textLabel()->text() : "?");
        }
        return shown;
    }
    // Drags a row by its grip to a point of the table (in the table's own coordinates).
    void dragRow(ZarnekListSelect* list, NSInteger section, NSInteger row, double toY)
    {
        UITableView* table = list->tableView();
        UITableViewCell* cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
        ASSERT_TRUE(cell && cell->reorderControl()) << "row " << section << "." << row << " has its grip";
        UIView* grip = cell->reorderControl();
        CGPoint start = grip->convertPointToView(CGPointMake(grip->bounds().size.width / 2, grip->bounds().size.height / 2), nullptr);
        CGPoint end = table->convertPointToView(CGPointMake(0, toY), nullptr);
        touch.drag(start, CGPointMake(start.x, end.y));
        settle();
        table->layoutIfNeeded();
    }
    double rowMiddle(ZarnekListSelect* list, NSInteger section, NSInteger row)
    {
        return CGRectGetMidY(list->tableView()->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section)));
    }
    std::string linkText(const std::string& id)
    {
        auto* cell = dynamic_cast<ZarnekListSelectLinkCell*>(paneCell(id));
        EXPECT_NE(cell, nullptr);
        if (!cell)
            return {};
        cell->setNeedsLayout();
        cell->layoutIfNeeded();
        return cell->countLabel()->text();
    }
    void back()
    {
        navigation->popViewControllerAnimated(false);
        settle();
    }
};

} // namespace

TEST_F(ListSelectTest, NothingStoredEnablesEveryItemOrTheDefaults)
{
    openPane();
    EXPECT_EQ(linkText("all"), "5 enabled");
    EXPECT_EQ(linkText("some"), "2 enabled");

    ZarnekListSelect* list = openList("all");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->title(), "Shortcuts");
    EXPECT_TRUE(list->tableView()->isEditing());
    EXPECT_EQ(titles(list, 0), (std::vector<std::string> { "Alarm", "Bluetooth", "Camera", "Do Not Disturb", "Earpods" }));
    EXPECT_EQ(list->tableView()->numberOfRowsInSection(1), 0);
    EXPECT_EQ(msgSend<std::string>(list, "tableView:titleForHeaderInSection:", list->tableView(), NSInteger(1)), "DISABLED");
    UITableViewCell* alarm = list->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0));
    EXPECT_NE(alarm->imageView()->image(), nullptr) << "icon_a.png is the first item's icon";
    EXPECT_EQ(list->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0))->imageView()->image(), nullptr) << "no file, no icon";
    EXPECT_EQ(alarm->editingControl(), nullptr) << "no delete circles, only grips";
    auto* grip = dynamic_cast<UIKitGlyphView*>(alarm->reorderControl());
    ASSERT_NE(grip, nullptr);
    EXPECT_EQ(grip->glyph(), UIKitGlyphView::Glyph::Reorder) << "the grip draws its bars, not a checkmark";
    EXPECT_EQ(storedKeys("all-on"), (std::vector<std::string> { "<none>" })) << "opening writes nothing";
    back();

    list = openList("some");
    EXPECT_EQ(titles(list, 0), (std::vector<std::string> { "Camera", "Alarm" }));
    EXPECT_EQ(titles(list, 1), (std::vector<std::string> { "Bluetooth", "Do Not Disturb", "Earpods" }));
    shot("ordered-list");
}

TEST_F(ListSelectTest, EveryDragStoresBothArraysAndAnnouncesIt)
{
    ZarnekListSelect* list = openList("some");
    ASSERT_NE(list, nullptr);
    // Within the enabled section: the set is the same, both arrays are still written.
    dragRow(list, 0, 0, rowMiddle(list, 0, 1) + 10);
    EXPECT_EQ(storedKeys("some-on"), (std::vector<std::string> { "a", "c" }));
    EXPECT_EQ(storedKeys("some-off"), (std::vector<std::string> { "b", "d", "e" }));
    EXPECT_EQ(postedCount(kOrderChanged), 1);
    EXPECT_EQ(titles(list, 0), (std::vector<std::string> { "Alarm", "Camera" }));

    // From disabled to enabled, between the two.
    dragRow(list, 1, 2, rowMiddle(list, 0, 1) - 5);
    EXPECT_EQ(storedKeys("some-on"), (std::vector<std::string> { "a", "e", "c" }));
    EXPECT_EQ(storedKeys("some-off"), (std::vector<std::string> { "b", "d" }));
    EXPECT_EQ(postedCount(kOrderChanged), 2);
    back();
    EXPECT_EQ(linkText("some"), "3 enabled");
}

TEST_F(ListSelectTest, EmptyingASectionAndFillingItAgain)
{
    store("all-on", NSArray::ofStrings({ "b" }));
    store("all-off", NSArray::ofStrings({ "a", "c" }));
    ZarnekListSelect* list = openList("all");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(titles(list, 0), (std::vector<std::string> { "Bluetooth" })) << "the stored arrays, items missing from both stay out";
    // The last enabled item goes to the bottom of the disabled section.
    double belowAll = CGRectGetMaxY(list->tableView()->rectForSection(1)) - 2;
    dragRow(list, 0, 0, belowAll);
    EXPECT_EQ(storedKeys("all-on"), (std::vector<std::string> {}));
    EXPECT_EQ(storedKeys("all-off"), (std::vector<std::string> { "a", "c", "b" }));
    EXPECT_EQ(postedCount(kOrderChanged), 1);
    shot("ordered-list-empty-section");
    // Into the empty enabled section: row 0.
    CGRect empty = list->tableView()->rectForSection(0);
    dragRow(list, 1, 1, CGRectGetMidY(empty));
    EXPECT_EQ(storedKeys("all-on"), (std::vector<std::string> { "c" }));
    EXPECT_EQ(storedKeys("all-off"), (std::vector<std::string> { "a", "b" }));
    back();
    EXPECT_EQ(linkText("all"), "1 enabled");

    store("all-on", NSArray::make());
    EXPECT_EQ(linkText("all"), "Disabled");
}

TEST_F(ListSelectTest, StoredArraysAreShownAndKeptExactlyAsStoredUnknownItemsIncluded)
{
    // An item no longer in "listItems" is a row without a title, in its place; a move writes the
    // person's order back with it.
    store("some-on", NSArray::ofStrings({ "c", "zz", "a" }));
    store("some-off", NSArray::ofStrings({ "b", "gone" }));
    openPane();
    EXPECT_EQ(linkText("some"), "3 enabled");
    ZarnekListSelect* list = openList("some");
    EXPECT_EQ(titles(list, 0), (std::vector<std::string> { "Camera", "", "Alarm" }));
    EXPECT_EQ(titles(list, 1), (std::vector<std::string> { "Bluetooth", "" }));
    EXPECT_EQ(storedKeys("some-on"), (std::vector<std::string> { "c", "zz", "a" })) << "looking is not changing";
    dragRow(list, 1, 0, rowMiddle(list, 0, 0) - 10);
    EXPECT_EQ(storedKeys("some-on"), (std::vector<std::string> { "b", "c", "zz", "a" }));
    EXPECT_EQ(storedKeys("some-off"), (std::vector<std::string> { "gone" }));
    back();
    EXPECT_EQ(linkText("some"), "4 enabled");
}

TEST_F(ListSelectTest, AStoredValueThatIsNoArrayCountsAsNothingStoredAndStaysUntilAMove)
{
    // An array's items are kept whatever they are (a number is a row without a title); a string
    // where an array belongs leaves that list to the defaults.
    store("some-on", NSArray::make({ NSString::make("c"), NSNumber::withInteger(3) }));
    store("some-off", NSString::make("b,d"));
    openPane();
    EXPECT_EQ(linkText("some"), "2 enabled");
    ZarnekListSelect* list = openList("some");
    EXPECT_EQ(titles(list, 0), (std::vector<std::string> { "Camera", "" }));
    EXPECT_EQ(titles(list, 1), (std::vector<std::string> { "Alarm", "Bluetooth", "Do Not Disturb", "Earpods" }));
    EXPECT_NE(dynamic_cast<NSString*>(stored("some-off").ptr()), nullptr) << "looking is not changing";
    dragRow(list, 1, 0, rowMiddle(list, 0, 0) - 10);
    auto kept = stored("some-on"); // held: the cast below borrows from it
    auto* enabled = dynamic_cast<NSArray*>(kept.ptr());
    ASSERT_TRUE(enabled);
    ASSERT_EQ(enabled->count(), 3u);
    EXPECT_NE(dynamic_cast<NSNumber*>(enabled->objectAtIndex(2)), nullptr) << "the number is written back in its place";
    EXPECT_EQ(storedKeys("some-off"), (std::vector<std::string> { "b", "d", "e" }));
}
