#include "platform/corefoundation/CoreFoundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <limits>
#include <iterator>

using objc::msgSend;
using objc::Object;
using objc::Ref;

namespace {

class CoreFoundationTest : public ::testing::Test {
protected:
    void SetUp() override { registerCoreFoundationClasses(env.runtime()); }

    void writeHost(const std::string& devicePath, const std::string& bytes)
    {
        auto host = env.hostPath(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << bytes;
    }

    testing_support::TestEnvironment env;
};

TEST_F(CoreFoundationTest, StringsReadTheirLeadingPartLikeFoundation)
{
    struct Case {
        const char* text;
        bool boolValue;
        int intValue;
        double doubleValue;
    };
    for (auto c : { Case { "YES", true, 0, 0 }, Case { "true", true, 0, 0 }, Case { "  42abc", true, 42, 42 }, Case { "-7", true, -7, -7 },
             Case { "0", false, 0, 0 }, Case { "0009", true, 9, 9 }, Case { "no", false, 0, 0 }, Case { "", false, 0, 0 },
             Case { "1.5e2x", true, 1, 150 }, Case { "99999999999", true, 2147483647, 99999999999.0 } }) {
        auto s = NSString::make(c.text);
        EXPECT_EQ(msgSend<bool>(s, "boolValue"), c.boolValue) << c.text;
        EXPECT_EQ(msgSend<int>(s, "intValue"), c.intValue) << c.text;
        EXPECT_DOUBLE_EQ(msgSend<double>(s, "doubleValue"), c.doubleValue) << c.text;
    }
    EXPECT_EQ(msgSend<long>(NSString::make("Zürich"), "length"), 6) << "length counts characters, not bytes";
}

TEST_F(CoreFoundationTest, NumbersKeepTheirKindAndCompareByValue)
{
    auto yes = NSNumber::withBool(true);
    auto one = NSNumber::withInteger(1);
    auto half = NSNumber::withDouble(2.5);
    EXPECT_TRUE(yes->isBoolean());
    EXPECT_FALSE(one->isBoolean());
    EXPECT_EQ(msgSend<long>(yes, "integerValue"), 1);
    EXPECT_TRUE(msgSend<bool>(one, "boolValue"));
    EXPECT_FALSE(msgSend<bool>(NSNumber::withInteger(0), "boolValue"));
    EXPECT_EQ(msgSend<int>(half, "intValue"), 2);
    EXPECT_EQ(msgSend<std::string>(half, "stringValue"), "2.5");
    EXPECT_EQ(msgSend<std::string>(yes, "stringValue"), "1");
    EXPECT_TRUE(msgSend<bool>(yes, "isEqual:", one));
    EXPECT_FALSE(msgSend<bool>(one, "isEqual:", NSString::make("1")));
    auto fromClass = msgSend<Ref<NSNumber>>(objc::objc_getClass("NSNumber"), "numberWithBool:", false);
    ASSERT_TRUE(fromClass);
    EXPECT_TRUE(fromClass->isBoolean());
}

TEST_F(CoreFoundationTest, ContainersThroughTheirSelectors)
{
    auto dict = msgSend<Ref<NSMutableDictionary>>(objc::objc_getClass("NSMutableDictionary"), "dictionary");
    ASSERT_TRUE(dict);
    msgSend(dict, "setObject:forKey:", NSString::make("b"), "second");
    msgSend(dict, "setObject:forKey:", NSNumber::withInteger(1), "first");
    EXPECT_EQ(msgSend<long>(dict, "count"), 2);
    auto keys = msgSend<Ref<NSArray>>(dict, "allKeys");
    EXPECT_EQ(keys->strings(), (std::vector<std::string> { "first", "second" }));
    msgSend(dict, "setObject:forKey:", static_cast<Object*>(nullptr), "first");
    EXPECT_EQ(msgSend<Ref<Object>>(dict, "objectForKey:", "first"), nullptr) << "setting nil removes";
    msgSend(dict, "removeObjectForKey:", "second");
    EXPECT_EQ(dict->count(), 0u);

    auto array = msgSend<Ref<NSMutableArray>>(objc::objc_getClass("NSMutableArray"), "array");
    msgSend(array, "addObject:", NSString::make("x"));
    msgSend(array, "addObject:", static_cast<Object*>(nullptr));
    msgSend(array, "insertObject:atIndex:", NSString::make("w"), 0);
    EXPECT_EQ(array->strings(), (std::vector<std::string> { "w", "x" }));
    EXPECT_EQ(msgSend<Ref<Object>>(array, "objectAtIndex:", 5), nullptr) << "out of range reads nil";
    EXPECT_TRUE(msgSend<bool>(array, "containsObject:", NSString::make("x")));
    auto immutable = msgSend<Ref<NSArray>>(array, "copy");
    EXPECT_FALSE(objc::isKindOfClass(immutable, "NSMutableArray"));
    EXPECT_TRUE(msgSend<bool>(immutable, "isEqual:", array));
}

TEST_F(CoreFoundationTest, DeepCopySharesNoContainer)
{
    auto inner = NSMutableArray::make({ NSString::make("a") });
    auto outer = NSMutableDictionary::make({ { "list", inner } });
    auto copy = corefoundation::deepCopy(outer);
    inner->addObject(NSString::make("b"));
    auto* copiedList = dynamic_cast<NSArray*>(static_cast<NSDictionary*>(copy.ptr())->objectForKey("list"));
    ASSERT_NE(copiedList, nullptr);
    EXPECT_EQ(copiedList->count(), 1u);
    EXPECT_TRUE(dynamic_cast<NSMutableArray*>(copiedList)) << "mutability is kept";
    auto frozen = corefoundation::deepCopy(outer, corefoundation::Containers::Immutable);
    EXPECT_FALSE(objc::isKindOfClass(static_cast<NSDictionary*>(frozen.ptr())->objectForKey("list"), "NSMutableArray"));
}

TEST_F(CoreFoundationTest, PropertyListsRoundTripThroughXMLAndBinary)
{
    auto value = NSDictionary::make({
        { "enabled", NSNumber::withBool(false) },
        { "count", NSNumber::withInteger(-42) },
        { "ratio", NSNumber::withDouble(0.25) },
        // A stored NaN is the same value when read back (NaN equals NaN, as Foundation compares).
        { "notANumber", NSNumber::withDouble(std::numeric_limits<double>::quiet_NaN()) },
        { "huge", NSNumber::withDouble(-std::numeric_limits<double>::infinity()) },
        { "name", NSString::make("Größe <&>") },
        { "blob", NSData::make(std::string_view("\0\x01\xff", 3)) },
        { "when", NSDate::withTimeIntervalSince1970(1'600'000'000) },
        { "list", NSArray::make({ NSString::make("one"), NSDictionary::make({ { "deep", NSNumber::withBool(true) } }) }) },
    });
    for (auto format : { corefoundation::PropertyListFormat::XML, corefoundation::PropertyListFormat::Binary }) {
        auto bytes = corefoundation::propertyListBytes(value, format);
        ASSERT_TRUE(bytes);
        auto back = corefoundation::propertyListFromBytes(*bytes);
        ASSERT_TRUE(back);
        EXPECT_TRUE(corefoundation::objectsEqual(back, value)) << corefoundation::describe(back);
        auto* dict = static_cast<NSDictionary*>(back.ptr());
        EXPECT_TRUE(static_cast<NSNumber*>(dict->objectForKey("enabled"))->isBoolean()) << "booleans stay booleans";
        EXPECT_EQ(static_cast<NSNumber*>(dict->objectForKey("count"))->integerValue(), -42);
    }
    // A date without a time (NaN) has no text form, but the binary form keeps it as it was.
    auto never = NSDictionary::make({ { "never", NSDate::withTimeIntervalSinceReferenceDate(std::numeric_limits<double>::quiet_NaN()) } });
    auto bytes = corefoundation::propertyListBytes(never, corefoundation::PropertyListFormat::Binary);
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(corefoundation::objectsEqual(corefoundation::propertyListFromBytes(*bytes), never));
}

TEST_F(CoreFoundationTest, WritingBackKeepsEveryValueOrRefuses)
{
    using corefoundation::PropertyListFormat;
    auto secondsOf = [](Object* plist, const std::string& key) {
        return static_cast<NSDate*>(static_cast<NSDictionary*>(plist)->objectForKey(key))->timeIntervalSinceReferenceDate();
    };
    // 1900, 2100 and dates far beyond 32-bit seconds, with fractions, before and after 2001.
    std::vector<double> dates { -3187296000.0, 3124137600.0, -0.5, 1.0e10 + 0.123456789, -6.0e13, 6.0e13 + 0.25 };
    NSDictionary::Storage entries;
    for (std::size_t i = 0; i < dates.size(); ++i)
        entries.emplace("d" + std::to_string(i), NSDate::withTimeIntervalSinceReferenceDate(dates[i]));
    auto value = NSDictionary::make(std::move(entries));
    auto binary = corefoundation::propertyListFromBytes(*corefoundation::propertyListBytes(value, PropertyListFormat::Binary));
    ASSERT_TRUE(binary);
    for (std::size_t i = 0; i < dates.size(); ++i)
        EXPECT_EQ(secondsOf(binary, "d" + std::to_string(i)), dates[i]) << "binary keeps the date exactly";
    std::string error;
    EXPECT_FALSE(corefoundation::propertyListBytes(value, PropertyListFormat::XML, &error)) << "XML holds whole seconds only";
    EXPECT_NE(error.find("kept exactly"), std::string::npos) << error;
    // A file written back keeps them: in binary, since XML cannot.
    auto file = env.root() / "dates.plist";
    ASSERT_TRUE(corefoundation::writePropertyListToHostFile(value, file));
    EXPECT_TRUE(corefoundation::objectsEqual(corefoundation::propertyListFromHostFile(file), value));
    auto whole = NSDictionary::make({ { "d", NSDate::withTimeIntervalSinceReferenceDate(-3187296000.0) } });
    EXPECT_TRUE(corefoundation::objectsEqual(corefoundation::propertyListFromBytes(*corefoundation::propertyListBytes(whole, PropertyListFormat::XML)), whole)) << "1900 stays 1900";

    // A hostile file whose ASCII-typed key holds a byte that is not UTF-8 is damage, never read
    // and then written back as another key.
    std::ifstream in(std::string(OVRIMO_TEST_DATA_DIR) + "/plist-date-float-cast-ubsan.bplist", std::ios::binary);
    std::string hostile((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    error.clear();
    EXPECT_FALSE(corefoundation::propertyListFromBytes(hostile, &error));
    EXPECT_NE(error.find("not UTF-8"), std::string::npos) << error;

    // Integers: the whole signed range is kept; above it the file is refused, never read as -1.
    auto limits = NSDictionary::make({ { "max", NSNumber::withInteger(INT64_MAX) }, { "min", NSNumber::withInteger(INT64_MIN) } });
    for (auto format : { PropertyListFormat::XML, PropertyListFormat::Binary })
        EXPECT_TRUE(corefoundation::objectsEqual(corefoundation::propertyListFromBytes(*corefoundation::propertyListBytes(limits, format)), limits));
    EXPECT_FALSE(corefoundation::propertyListFromBytes("<plist><dict><key>big</key><integer>18446744073709551615</integer></dict></plist>", &error));
    EXPECT_NE(error.find("2^63-1"), std::string::npos) << error;

    // A string or key holding NUL is not written cut short.
    EXPECT_FALSE(corefoundation::propertyListBytes(NSArray::make({ NSString::make(std::string("a\0b", 3)) }), PropertyListFormat::XML, &error));
    EXPECT_NE(error.find("NUL"), std::string::npos) << error;
    EXPECT_FALSE(corefoundation::propertyListBytes(NSDictionary::make({ { std::string("a\0b", 3), NSNumber::withBool(true) } }), PropertyListFormat::Binary, &error));
}

TEST_F(CoreFoundationTest, TextTheBinaryFormWouldChangeIsDamage)
{
    using corefoundation::PropertyListFormat;
    // Binary, one dictionary: an ASCII-typed key (marker 0x5N) or string of the given bytes,
    // mapped to an empty ASCII string.
    auto binaryWith = [](std::string key, std::string value) {
        std::string body = "bplist00";
        std::vector<std::size_t> offsets;
        offsets.push_back(body.size());
        body += "\xd1\x01\x02";
        offsets.push_back(body.size());
        body += static_cast<char>(0x50 | key.size());
        body += key;
        offsets.push_back(body.size());
        body += static_cast<char>(0x50 | value.size());
        body += value;
        std::size_t table = body.size();
        for (auto offset : offsets)
            body += static_cast<char>(offset);
        std::string trailer(32, '\0');
        trailer[6] = 1; // offset size
        trailer[7] = 1; // object reference size
        trailer[15] = 3; // objects
        trailer[31] = static_cast<char>(table);
        return body + trailer;
    };
    std::string error;
    auto plain = corefoundation::propertyListFromBytes(binaryWith("systemwide", "on"), &error);
    ASSERT_TRUE(plain) << error << " (the hand-built file itself is sound)";
    EXPECT_TRUE(corefoundation::objectsEqual(static_cast<NSDictionary*>(plain.ptr())->objectForKey("systemwide"), NSString::make("on")));

    for (auto [key, value] : { std::pair<std::string, std::string>{ "s\xffstemwide", "on" }, { "systemwide", "o\xffn" }, { "s\xe2ig", "on" }, { "key", "o\x01n" }, { "k\x7f", "on" } }) {
        error.clear();
        EXPECT_FALSE(corefoundation::propertyListFromBytes(binaryWith(key, value), &error)) << key << " = " << value;
        EXPECT_NE(error.find("not UTF-8 or holds a control character"), std::string::npos) << error;
    }
    // The same text in XML is damage too.
    for (std::string xml : { "<plist><dict><key>a\xff" "b</key><string>x</string></dict></plist>", "<plist><dict><key>a</key><string>x\x02y</string></dict></plist>", "<plist><dict><key>a</key><string>\xed\xa0\x80</string></dict></plist>" }) {
        error.clear();
        EXPECT_FALSE(corefoundation::propertyListFromBytes(xml, &error)) << xml;
        EXPECT_FALSE(error.empty());
    }
    // UTF-8 beyond ASCII, tabs and line ends are kept exactly, through both forms.
    auto kept = NSDictionary::make({ { "cl\xc3\xa9", NSString::make("line\tone\nline two \xf0\x9f\x98\x80 \xe2\x82\xac") } });
    for (auto format : { PropertyListFormat::XML, PropertyListFormat::Binary }) {
        auto bytes = corefoundation::propertyListBytes(kept, format, &error);
        ASSERT_TRUE(bytes) << error;
        EXPECT_TRUE(corefoundation::objectsEqual(corefoundation::propertyListFromBytes(*bytes), kept));
    }
}

TEST_F(CoreFoundationTest, BadPropertyListsGiveNullAndAReason)
{
    std::string error;
    for (std::string bad : { std::string(""), std::string("garbage"), std::string("bplist00\x01\x02"), std::string("<plist><dict><key>a</key>") }) {
        error.clear();
        EXPECT_FALSE(corefoundation::propertyListFromBytes(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(corefoundation::propertyListFromDeviceFile("/var/missing.plist", &error));
    EXPECT_FALSE(corefoundation::propertyListFromDeviceFile("/../../etc/passwd", &error));
    auto widget = objc::make<objc::NSObject>();
    EXPECT_FALSE(corefoundation::propertyListBytes(NSArray::make({ widget }), corefoundation::PropertyListFormat::XML, &error));
    EXPECT_NE(error.find("NSObject"), std::string::npos) << error;
}

TEST_F(CoreFoundationTest, DictionariesReadAndWriteDevicePaths)
{
    writeHost("/Library/a.plist", R"(<?xml version="1.0"?><plist version="1.0"><dict><key>k</key><string>v</string></dict></plist>)");
    auto read = msgSend<Ref<NSMutableDictionary>>(objc::objc_getClass("NSMutableDictionary"), "dictionaryWithContentsOfFile:", "/Library/a.plist");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->stringForKey("k"), "v");
    read->setObject(NSNumber::withInteger(3), "n");
    EXPECT_TRUE(msgSend<bool>(read, "writeToFile:atomically:", "/Library/b.plist", true));
    auto again = corefoundation::propertyListFromDeviceFile("/Library/b.plist");
    EXPECT_TRUE(corefoundation::objectsEqual(again, read));
    EXPECT_FALSE(msgSend<Ref<Object>>(objc::objc_getClass("NSArray"), "arrayWithContentsOfFile:", "/Library/a.plist")) << "a dictionary is not an array";
}

} // namespace

namespace {

TEST_F(CoreFoundationTest, FormatsWithThePlatformDirectives)
{
    using corefoundation::stringWithFormat;
    EXPECT_EQ(stringWithFormat("[%s: %s:%d] %s: %@", "ovrimoprefs", "zarnekprefs/zarneklink/ZarnekLinkCell", 212, "ERROR", NSString::make("error loading twitter avatar: x")),
        "[ovrimoprefs: zarnekprefs/zarneklink/ZarnekLinkCell:212] ERROR: error loading twitter avatar: x");
    EXPECT_EQ(stringWithFormat("%@ / %@ / %@", NSNumber::withInteger(3), static_cast<objc::Object*>(nullptr), std::string("text")), "3 / (null) / text");
    EXPECT_EQ(stringWithFormat("%02ld:%.1f%% %X %lu", 7L, 99.44, 255u, 5ul), "07:99.4% FF 5");
    EXPECT_EQ(stringWithFormat("%@ and %@", std::string("one")), "one and ") << "a missing argument writes nothing";
}

TEST_F(CoreFoundationTest, CFLogKeepsTheDevicesLog)
{
    testing::internal::CaptureStderr();
    CFLog(kCFLogLevelError, "[%s] %@", "bundle", NSString::make("message"));
    std::string echoed = testing::internal::GetCapturedStderr();
    EXPECT_NE(echoed.find("[bundle] message"), std::string::npos);
    EXPECT_EQ(corefoundation::systemLogLines(), std::vector<std::string> { "[bundle] message" });
}

} // namespace
