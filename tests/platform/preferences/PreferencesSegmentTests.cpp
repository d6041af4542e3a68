// Segment rows and rows that name classes a list does not have (a controls kit not installed).

#include "platform/preferences/PSSegmentTableCell.h"
#include "platform/preferences/PSSpecifierList.h"
#include "platform/uikit/UISegmentedControl.h"
#include "tests/platform/preferences/PreferencesTestSupport.h"

using objc::msgSend;
using objc::Object;
using objc::Ref;

namespace {

class SegmentRows : public PreferencesTest {
protected:
    PSListController* showList(const std::string& items)
    {
        writePlist("/tmp/List.plist", "<dict><key>items</key><array>" + items + "</array></dict>");
        m_list = preferences::makeController(objc::objc_getClass("PSListController"));
        auto paneHeld = m_list;
        auto* pane = dynamic_cast<PSListController*>(paneHeld.ptr());
        auto rows = corefoundation::create<NSMutableArray>();
        for (auto& row : preferences::loadSpecifierList("/tmp/List.plist", pane, nullptr).specifiers)
            rows->addObject(row);
        msgSend(pane, "setSpecifiers:", rows.ptr());
        showInNavigation(pane);
        return pane;
    }

    UISegmentedControl* segmentsAt(PSListController* pane, NSInteger row)
    {
        auto* cell = dynamic_cast<PSSegmentTableCell*>(cellAt(pane, 0, row));
        return cell ? dynamic_cast<UISegmentedControl*>(cell->control()) : nullptr;
    }

    void tapSegment(UISegmentedControl* control, NSUInteger index)
    {
        CGRect bounds = control->bounds();
        double width = bounds.size.width / static_cast<double>(control->numberOfSegments());
        CGRect frame = control->convertRectToView(CGRectMake(width * static_cast<double>(index), 0, width, bounds.size.height), nullptr);
        touch.tap(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
        settle();
    }

    Ref<Object> storedMode()
    {
        CFPreferencesAppSynchronize("com.demo");
        return CFPreferencesCopyAppValue("mode", "com.demo");
    }

    const std::string modeRow = R"(<dict><key>cell</key><string>PSSegmentCell</string><key>label</key><string>Mode</string>
        <key>defaults</key><string>com.demo</string><key>key</key><string>mode</string><key>default</key><integer>2</integer>
        <key>PostNotification</key><string>com.demo.changed</string>
        <key>validValues</key><array><integer>0</integer><integer>2</integer><integer>5</integer></array>
        <key>validTitles</key><array><string>Off</string><string>Top</string><string>Centre</string></array></dict>)";

private:
    Ref<UIViewController> m_list;
};

TEST_F(SegmentRows, ShowTheChoicesWithTheStoredOneSelectedAndStoreATappedOne)
{
    observeDarwin();
    PSListController* pane = showList(modeRow);
    UISegmentedControl* control = segmentsAt(pane, 0);
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(control->numberOfSegments(), 3u);
    EXPECT_EQ(control->titleForSegmentAtIndex(0), "Off");
    EXPECT_EQ(control->titleForSegmentAtIndex(2), "Centre");
    EXPECT_EQ(control->selectedSegmentIndex(), 1) << "nothing stored: the default 2 is the second choice";
    // The control spans the row.
    EXPECT_GT(control->bounds().size.width, 300);

    tapSegment(control, 2);
    auto storedHeld = storedMode();
    auto* stored = dynamic_cast<NSNumber*>(storedHeld.ptr());
    ASSERT_NE(stored, nullptr);
    EXPECT_FALSE(stored->isBoolean());
    EXPECT_EQ(stored->integerValue(), 5) << "the value of the segment, not its index";
    EXPECT_EQ(posted, (std::vector<std::string> { "com.demo.changed" }));
    // Tapping the selected segment again stores nothing new.
    tapSegment(control, 2);
    EXPECT_EQ(posted.size(), 1u);
}

TEST_F(SegmentRows, AStoredValueThatIsNoChoiceSelectsNoSegment)
{
    CFPreferencesSetAppValue("mode", NSNumber::withInteger(7), "com.demo");
    CFPreferencesAppSynchronize("com.demo");
    PSListController* pane = showList(modeRow);
    ASSERT_NE(segmentsAt(pane, 0), nullptr);
    EXPECT_EQ(segmentsAt(pane, 0)->selectedSegmentIndex(), -1);
}

TEST_F(SegmentRows, TakeTheAppearanceTintOfTheMomentTheyAreMade)
{
    UISegmentedControlAppearance::shared()->setTintColor(UIColor::purpleColor());
    PSListController* pane = showList(modeRow);
    ASSERT_NE(segmentsAt(pane, 0), nullptr);
    EXPECT_TRUE(CGColorEqualToColor(segmentsAt(pane, 0)->tintColor()->CGColor(), UIColor::purpleColor()->CGColor()));
}

TEST_F(SegmentRows, UnknownCellAndDetailClassesGiveAPlainRowThatDoesNothing)
{
    PSListController* pane = showList(R"(<dict><key>cell</key><string>PSLinkCell</string><key>label</key><string>Colour</string>
        <key>cellClass</key><string>MissingPickerCell</string><key>detail</key><string>MissingPicker</string>
        <key>defaults</key><string>com.demo</string><key>key</key><string>colour</string><key>default</key><string>none</string></dict>)");
    UITableViewCell* cell = cellAt(pane, 0, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->isa()->name(), "PSTableCell");
    EXPECT_EQ(cell->textLabel()->text(), "Colour");
    tapRow(pane, 0, 0);
    EXPECT_EQ(navigation->topViewController(), pane) << "nothing is pushed";
    EXPECT_FALSE(storedMode());
}

} // namespace
