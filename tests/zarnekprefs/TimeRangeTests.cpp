// The time range screen and its link cell in a settings pane, the picker turned with a finger.

#include "tests/zarnekprefs/ControlsFixture.h"

#include "platform/corefoundation/NSDate.h"
#include "platform/foundation/NSLocale.h"
#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelect.h"
#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelectLinkCell.h"

using namespace controls_test;

namespace {

constexpr const char* kQuietChanged = "com.demo.controls.quiet";
// 2026-12-08 22:00 and 2026-12-09 06:30, UTC.
constexpr double kTenPM = 1796767200;
constexpr double kHalfPastSix = kTenPM + 8.5 * 3600;

std::string rangeRow(const std::string& id, const std::string& extra)
{
    return "<dict><key>cell</key><string>PSLinkCell</string><key>id</key><string>" + id + "</string><key>label</key><string>Quiet hours</string>"
           "<key>detail</key><string>ZarnekTimeRangeSelect</string><key>cellClass</key><string>ZarnekTimeRangeSelectLinkCell</string>"
           "<key>key</key><string>" + id + "</string><key>defaults</key><string>com.demo.controls</string>"
           "<key>PostNotification</key><string>com.demo.controls.quiet</string>" + extra + "</dict>";
}

Ref<NSDictionary> range(double from, double to)
{
    return NSDictionary::make({ { "from", NSDate::withTimeIntervalSince1970(from) }, { "to", NSDate::withTimeIntervalSince1970(to) } });
}

class TimeRangeTest : public ControlsTest {
protected:
    void SetUp() override
    {
        installPane("<dict><key>cell</key><string>PSGroupCell</string></dict>"
            + rangeRow("quiet", "<key>defaultTime</key><dict><key>from</key><date>2026-12-08T22:00:00Z</date><key>to</key><date>2026-12-09T06:30:00Z</date></dict>")
            + rangeRow("bare", ""));
        observeDarwin();
    }

    ZarnekTimeRangeSelect* openRange(const std::string& id)
    {
        if (!pane)
            openPane();
        tapPaneRow(id);
        auto* screen = dynamic_cast<ZarnekTimeRangeSelect*>(navigation->topViewController());
        EXPECT_NE(screen, nullptr);
        return screen;
    }
    UITableViewCell* rowCell(ZarnekTimeRangeSelect* screen, NSInteger row)
    {
        window->layoutIfNeeded();
        return screen->tableView()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0));
    }
    // Taps one row below the middle of the hour (or minute) wheel: that wheel turns by one.
    void turn(ZarnekTimeRangeSelect* screen, bool hours)
    {
        UIDatePicker* picker = screen->timePicker();
        CGSize size = picker->bounds().size;
        CGPoint at = picker->convertPointToView(CGPointMake(size.width / 2 + (hours ? -40 : 40), size.height / 2 + 32), nullptr);
        touch.tap(at);
        settle();
    }
    double storedEnd(const std::string& key, const char* end)
    {
        // Kept for the whole lookup: the dictionary lives as long as this reference.
        auto value = stored(key);
        auto* dictionary = dynamic_cast<NSDictionary*>(value.ptr());
        auto* date = dictionary ? dynamic_cast<NSDate*>(dictionary->objectForKey(end)) : nullptr;
        return date ? date->timeIntervalSince1970() : -1;
    }
    std::string linkText(const std::string& id)
    {
        auto* cell = dynamic_cast<ZarnekTimeRangeSelectLinkCell*>(paneCell(id));
        EXPECT_NE(cell, nullptr);
        if (!cell)
            return {};
        cell->setNeedsLayout();
        cell->layoutIfNeeded();
        return cell->rangeLabel()->text();
    }
};

} // namespace

TEST_F(TimeRangeTest, OpensOnTheStartWithTheRangeInTheLocalesShortTime)
{
    store("quiet", range(kTenPM - 3600, kHalfPastSix));
    ZarnekTimeRangeSelect* screen = openRange("quiet");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->title(), "Quiet hours");
    EXPECT_EQ(screen->timePicker()->datePickerMode(), UIDatePickerModeTime);
    EXPECT_EQ(screen->timePicker()->frame().origin.y, 150);
    EXPECT_EQ(screen->timePicker()->date()->timeIntervalSince1970(), kTenPM - 3600) << "the picker shows the start";
    auto selected = screen->tableView()->indexPathForSelectedRow();
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->row(), 0);
    EXPECT_EQ(rowCell(screen, 0)->textLabel()->text(), "9:00 PM");
    EXPECT_EQ(rowCell(screen, 0)->detailTextLabel()->text(), "From");
    EXPECT_EQ(rowCell(screen, 1)->textLabel()->text(), "6:30 AM");
    EXPECT_EQ(rowCell(screen, 1)->detailTextLabel()->text(), "To");
    shot("time-range");
    navigation->popViewControllerAnimated(false);
    settle();
    EXPECT_EQ(linkText("quiet"), "9:00 PM \n 6:30 AM");

    // In a 24-hour locale the same range reads the other way.
    foundation::setCurrentLocaleIdentifier("de_DE");
    EXPECT_EQ(linkText("quiet"), "21:00 \n 06:30");
    shot("time-range-link-cell");
}

TEST_F(TimeRangeTest, TurningThePickerStoresTheWholeRangeEachTime)
{
    ZarnekTimeRangeSelect* screen = openRange("quiet");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(rowCell(screen, 0)->textLabel()->text(), "10:00 PM") << "nothing stored: the default range";
    tapView(rowCell(screen, 1));
    EXPECT_EQ(screen->timePicker()->date()->timeIntervalSince1970(), kHalfPastSix);
    turn(screen, true);
    EXPECT_EQ(storedEnd("quiet", "to"), kHalfPastSix + 3600);
    EXPECT_EQ(storedEnd("quiet", "from"), kTenPM) << "the start is written along, unchanged";
    EXPECT_EQ(postedCount(kQuietChanged), 1);
    EXPECT_EQ(rowCell(screen, 1)->textLabel()->text(), "7:30 AM");
    turn(screen, false);
    EXPECT_EQ(storedEnd("quiet", "to"), kHalfPastSix + 3660);
    EXPECT_EQ(postedCount(kQuietChanged), 2);

    tapView(rowCell(screen, 0));
    EXPECT_EQ(screen->timePicker()->date()->timeIntervalSince1970(), kTenPM);
    turn(screen, true);
    EXPECT_EQ(storedEnd("quiet", "from"), kTenPM + 3600) << "the hour wheel keeps the day";
    EXPECT_EQ(storedEnd("quiet", "to"), kHalfPastSix + 3660);
    navigation->popViewControllerAnimated(false);
    settle();
    EXPECT_EQ(linkText("quiet"), "11:00 PM \n 7:31 AM");
}

TEST_F(TimeRangeTest, WithoutARangeTheFirstTurnStartsOne)
{
    ZarnekTimeRangeSelect* screen = openRange("bare");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(rowCell(screen, 0)->textLabel()->text(), "Current time");
    EXPECT_EQ(rowCell(screen, 0)->detailTextLabel()->text(), "Time");
    EXPECT_FALSE(screen->tableView()->indexPathForSelectedRow());
    shot("time-range-empty");
    double before = screen->timePicker()->date()->timeIntervalSince1970();
    turn(screen, true);
    EXPECT_EQ(storedEnd("bare", "from"), storedEnd("bare", "to"));
    EXPECT_NEAR(storedEnd("bare", "from"), before + 3600, 24 * 3600);
    EXPECT_EQ(postedCount(kQuietChanged), 1);
    EXPECT_EQ(rowCell(screen, 0)->detailTextLabel()->text(), "From");
}

TEST_F(TimeRangeTest, AStoredValueThatIsNoRangeShowsTheDefaultUntilAChange)
{
    store("quiet", NSDictionary::make({ { "from", NSDate::withTimeIntervalSince1970(kTenPM) } }));
    openPane();
    EXPECT_EQ(linkText("quiet"), "10:00 PM \n 6:30 AM");
    ZarnekTimeRangeSelect* screen = openRange("quiet");
    EXPECT_EQ(rowCell(screen, 1)->textLabel()->text(), "6:30 AM");
    EXPECT_EQ(storedEnd("quiet", "to"), -1) << "looking is not changing";
    turn(screen, false);
    EXPECT_EQ(storedEnd("quiet", "from"), kTenPM + 60);
    EXPECT_EQ(storedEnd("quiet", "to"), kHalfPastSix);
}
