#include "platform/foundation/Foundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>

using objc::msgSend;
using objc::Ref;

namespace {

class FormatterTest : public ::testing::Test {
protected:
    void SetUp() override { registerFoundationClasses(env.runtime()); }
    testing_support::TestEnvironment env;
};

TEST_F(FormatterTest, ByteCountsInTheFileStyle)
{
    struct Case {
        std::int64_t bytes;
        const char* text;
    };
    for (auto c : { Case { 0, "Zero KB" }, Case { 1, "1 byte" }, Case { 12, "12 bytes" }, Case { 999, "999 bytes" }, Case { 1000, "1 KB" },
             Case { 1499, "1 KB" }, Case { 1500, "2 KB" }, Case { 4000, "4 KB" }, Case { 999'499, "999 KB" }, Case { 999'999, "1 MB" },
             Case { 1'500'000, "1.5 MB" }, Case { 2'000'000, "2 MB" }, Case { 2'050'000, "2.1 MB" }, Case { 1'230'000'000, "1.23 GB" },
             Case { 1'000'000'000, "1 GB" }, Case { 1'205'000'000, "1.21 GB" }, Case { 3'500'000'000'000, "3.5 TB" }, Case { -4000, "-4 KB" } }) {
        EXPECT_EQ(msgSend<std::string>(objc::objc_getClass("NSByteCountFormatter"), "stringFromByteCount:countStyle:", c.bytes, NSByteCountFormatterCountStyleFile), c.text) << c.bytes;
    }
    EXPECT_EQ(msgSend<std::string>(objc::objc_getClass("NSByteCountFormatter"), "stringFromByteCount:", 4000), "4 KB");
    EXPECT_EQ(NSByteCountFormatter::stringFromByteCount(2048, NSByteCountFormatterCountStyleBinary), "2 KB");
}

TEST_F(FormatterTest, ScanningHexColours)
{
    struct Case {
        const char* text;
        std::size_t from;
        bool found;
        unsigned value;
    };
    for (auto c : { Case { "#FF0000", 1, true, 0xFF0000 }, Case { "FF0000", 1, true, 0xF0000 }, Case { "#zz", 1, false, 0 }, Case { "#0x1a", 1, true, 0x1a },
             Case { "#0xg", 1, true, 0 }, Case { "#  7f!", 1, true, 0x7f }, Case { "#FFFFFFFFFF", 1, true, UINT_MAX }, Case { "#", 1, false, 0 } }) {
        auto scanner = msgSend<Ref<NSScanner>>(objc::objc_getClass("NSScanner"), "scannerWithString:", c.text);
        msgSend(scanner, "setScanLocation:", c.from);
        unsigned value = 12345;
        EXPECT_EQ(msgSend<bool>(scanner, "scanHexInt:", &value), c.found) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    auto scanner = NSScanner::scannerWithString("#zz");
    scanner->setScanLocation(1);
    scanner->scanHexInt(nullptr);
    EXPECT_EQ(scanner->scanLocation(), 1u) << "a failed scan leaves the location";
}

TEST_F(FormatterTest, ShortTimeFollowsTheDeviceLocale)
{
    // 2019-09-10 09:41:05 UTC, a Tuesday; and 21:41:05 the same day.
    auto morning = NSDate::withTimeIntervalSince1970(1568108465);
    auto evening = NSDate::withTimeIntervalSince1970(1568108465 + 12 * 3600);
    auto formatter = msgSend<Ref<NSDateFormatter>>(objc::objc_getClass("NSDateFormatter"), "new");
    msgSend(formatter, "setTimeStyle:", NSDateFormatterShortStyle);
    EXPECT_EQ(msgSend<std::string>(formatter, "stringFromDate:", morning), "9:41 AM");
    EXPECT_EQ(msgSend<std::string>(formatter, "stringFromDate:", evening), "9:41 PM");
    for (const char* locale : { "en_GB", "de_DE" }) {
        foundation::setCurrentLocaleIdentifier(locale);
        auto local = msgSend<Ref<NSDateFormatter>>(objc::objc_getClass("NSDateFormatter"), "new");
        msgSend(local, "setLocale:", NSLocale::currentLocale());
        msgSend(local, "setTimeStyle:", NSDateFormatterShortStyle);
        EXPECT_EQ(msgSend<std::string>(local, "stringFromDate:", morning), "09:41") << locale;
        EXPECT_EQ(msgSend<std::string>(local, "stringFromDate:", evening), "21:41") << locale;
    }
    foundation::setTimeZoneOffset(2 * 3600);
    EXPECT_EQ(msgSend<std::string>(formatter, "stringFromDate:", morning), "11:41 AM") << "the device's time zone applies";
}

TEST_F(FormatterTest, PatternsAndDateStyles)
{
    auto date = NSDate::withTimeIntervalSince1970(1568108465);
    auto formatter = foundation::create<NSDateFormatter>();
    formatter->setDateFormat("EEEE");
    EXPECT_EQ(formatter->stringFromDate(*date), "Tuesday");
    formatter->setDateFormat("d");
    EXPECT_EQ(formatter->stringFromDate(*date), "10");
    formatter->setDateFormat("HH:mm 'at' yyyy-MM-dd");
    EXPECT_EQ(formatter->stringFromDate(*date), "09:41 at 2019-09-10");
    formatter->setDateFormat("");
    formatter->setDateStyle(NSDateFormatterMediumStyle);
    EXPECT_EQ(formatter->stringFromDate(*date), "Sep 10, 2019");
    formatter->setLocale(NSLocale::withIdentifier("de_DE"));
    formatter->setDateStyle(NSDateFormatterFullStyle);
    EXPECT_EQ(formatter->stringFromDate(*date), "Dienstag, 10. September 2019");
    EXPECT_EQ(NSDateFormatter::format(-1, "yyyy-MM-dd HH:mm:ss", "en_US", 0), "1969-12-31 23:59:59") << "dates before 1970";
}

} // namespace
