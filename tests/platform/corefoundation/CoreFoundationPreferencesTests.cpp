#include "platform/corefoundation/CoreFoundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <sstream>

using objc::Object;
using objc::Ref;

namespace {

const std::string domain = "com.zarnek.ovrimo";

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override { registerCoreFoundationClasses(env.runtime()); }

    std::filesystem::path domainFile() const { return env.hostPath("/var/mobile/Library/Preferences/" + domain + ".plist"); }
    std::vector<std::string> preferenceFolder() const
    {
        std::vector<std::string> names;
        for (auto& entry : std::filesystem::directory_iterator(domainFile().parent_path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void writeDomainFile(const std::string& bytes)
    {
        std::filesystem::create_directories(domainFile().parent_path());
        std::ofstream(domainFile(), std::ios::binary | std::ios::trunc) << bytes;
    }
    // Runs `fn` and returns what it wrote to standard error.
    template<class F>
    std::string stderrOf(F fn)
    {
        testing::internal::CaptureStderr();
        fn();
        return testing::internal::GetCapturedStderr();
    }

    testing_support::TestEnvironment env;
};

TEST_F(PreferencesTest, AnEmptyDomainHasNoKeys)
{
    auto keys = CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->count(), 0u);
    EXPECT_EQ(CFPreferencesCopyMultiple(nullptr, domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count(), 0u);
    EXPECT_FALSE(CFPreferencesCopyAppValue("enabled", domain));
    EXPECT_FALSE(std::filesystem::exists(domainFile())) << "reading creates nothing";
}

TEST_F(PreferencesTest, WhatOneAppWritesAnotherReadsFromDisk)
{
    // The settings app writes through its calls...
    CFPreferencesSetAppValue("enabled", NSNumber::withBool(false), domain);
    CFPreferencesSetAppValue("calendardate", NSString::make("#FF0000"), domain);
    EXPECT_TRUE(CFPreferencesAppSynchronize(domain));
    ASSERT_TRUE(std::filesystem::exists(domainFile()));
    auto onDisk = corefoundation::propertyListFromHostFile(domainFile());
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(static_cast<NSDictionary*>(onDisk.ptr())->stringForKey("calendardate"), "#FF0000");

    // ...and the tweak reads the snapshot the way its start-up does.
    auto keys = CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    auto snapshot = CFPreferencesCopyMultiple(keys, domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    EXPECT_EQ(snapshot->count(), 2u);
    EXPECT_EQ(snapshot->boolForKey("enabled"), false);
    EXPECT_TRUE(static_cast<NSNumber*>(snapshot->objectForKey("enabled"))->isBoolean());

    // A change made on disk by someone else is seen on the next read, without shared memory.
    auto replaced = NSDictionary::make({ { "enabled", NSNumber::withInteger(1) } });
    ASSERT_TRUE(corefoundation::writePropertyListToHostFile(replaced, domainFile()));
    EXPECT_EQ(CFPreferencesCopyMultiple(nullptr, domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count(), 1u);
    EXPECT_EQ(static_cast<NSNumber*>(CFPreferencesCopyAppValue("enabled", domain).ptr())->integerValue(), 1);
}

TEST_F(PreferencesTest, ValuesHandedOutAreCopies)
{
    auto range = NSMutableDictionary::make({ { "from", NSDate::withTimeIntervalSince1970(0) } });
    CFPreferencesSetAppValue("range", range, domain);
    range->setObject(NSString::make("changed"), "from");
    auto stored = CFPreferencesCopyAppValue("range", domain);
    auto* storedRange = dynamic_cast<NSDictionary*>(stored.ptr());
    ASSERT_NE(storedRange, nullptr);
    EXPECT_TRUE(objc::isKindOfClass(storedRange->objectForKey("from"), "NSDate")) << "a later change to the caller's dictionary is not stored";
}

TEST_F(PreferencesTest, SetMultipleSetsAndRemovesInOneWrite)
{
    CFPreferencesSetMultiple(NSDictionary::make({ { "a", NSNumber::withInteger(1) }, { "b", NSNumber::withInteger(2) }, { "c", NSNumber::withInteger(3) } }),
        nullptr, domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    CFPreferencesSetMultiple(NSDictionary::make({ { "d", NSString::make("four") } }), NSArray::ofStrings({ "a", "c", "missing" }),
        domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    auto keys = CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    EXPECT_EQ(keys->strings(), (std::vector<std::string> { "b", "d" }));
    auto some = CFPreferencesCopyMultiple(NSArray::ofStrings({ "d", "zzz" }), domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    EXPECT_EQ(some->keys(), std::vector<std::string> { "d" }) << "only keys that exist are returned";
}

TEST_F(PreferencesTest, ANullValueRemovesTheKey)
{
    CFPreferencesSetAppValue("firstrun", NSNumber::withBool(false), domain);
    CFPreferencesSetAppValue("firstrun", nullptr, domain);
    EXPECT_FALSE(CFPreferencesCopyAppValue("firstrun", domain));
    auto onDisk = corefoundation::propertyListFromHostFile(domainFile());
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(static_cast<NSDictionary*>(onDisk.ptr())->count(), 0u);
}

TEST_F(PreferencesTest, OtherUsersAndHostsAreEmptyAndIgnoreWrites)
{
    CFPreferencesSetAppValue("k", NSNumber::withInteger(1), domain);
    EXPECT_EQ(CFPreferencesCopyKeyList(domain, kCFPreferencesAnyUser, kCFPreferencesAnyHost)->count(), 0u);
    EXPECT_EQ(CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesCurrentHost)->count(), 0u);
    CFPreferencesSetMultiple(NSDictionary::make({ { "x", NSNumber::withInteger(2) } }), nullptr, domain, kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
    EXPECT_FALSE(CFPreferencesCopyAppValue("x", domain));
}

TEST_F(PreferencesTest, NonPropertyListValuesAreRefusedWithoutLosingTheDomain)
{
    CFPreferencesSetAppValue("keep", NSNumber::withInteger(7), domain);
    std::string complaint = stderrOf([&] { CFPreferencesSetAppValue("bad", objc::make<objc::NSObject>(), domain); });
    EXPECT_NE(complaint.find("bad"), std::string::npos);
    EXPECT_FALSE(CFPreferencesCopyAppValue("bad", domain));
    EXPECT_TRUE(CFPreferencesCopyAppValue("keep", domain));
    EXPECT_FALSE(CFPreferencesCopyAppValue("x", "../../escape"));
    CFPreferencesSetAppValue("x", NSNumber::withInteger(1), "../escape");
    EXPECT_FALSE(std::filesystem::exists(env.hostPath("/var/mobile/Library/escape.plist")));
}

TEST_F(PreferencesTest, ADamagedFileIsKeptAsideReportedOnceAndNeverOverwritten)
{
    // An earlier damaged copy already holds the first free name.
    writeDomainFile("first damage");
    std::string firstReport = stderrOf([&] { EXPECT_FALSE(CFPreferencesCopyAppValue("enabled", domain)); });
    EXPECT_NE(firstReport.find(domain + ".plist.damaged-1"), std::string::npos) << firstReport;

    writeDomainFile("<plist><dict><key>cut off");
    std::string reports = stderrOf([&] {
        EXPECT_EQ(CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count(), 0u);
        EXPECT_EQ(CFPreferencesCopyMultiple(nullptr, domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count(), 0u);
        EXPECT_FALSE(CFPreferencesCopyAppValue("enabled", domain));
    });
    std::size_t count = 0;
    for (std::size_t at = reports.find("CFPreferences"); at != std::string::npos; at = reports.find("CFPreferences", at + 1))
        ++count;
    EXPECT_EQ(count, 1u) << reports;
    EXPECT_EQ(preferenceFolder(), (std::vector<std::string> { domain + ".plist.damaged-1", domain + ".plist.damaged-2" }));
    std::ifstream first(domainFile().string() + ".damaged-1");
    std::stringstream text;
    text << first.rdbuf();
    EXPECT_EQ(text.str(), "first damage") << "the older damaged copy is untouched";

    // The domain works again as an empty one.
    CFPreferencesSetAppValue("enabled", NSNumber::withBool(true), domain);
    EXPECT_TRUE(CFPreferencesCopyAppValue("enabled", domain));
}

TEST_F(PreferencesTest, ATopLevelThatIsNotADictionaryIsDamageToo)
{
    writeDomainFile(R"(<?xml version="1.0"?><plist version="1.0"><array><string>x</string></array></plist>)");
    std::string report = stderrOf([&] { EXPECT_EQ(CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count(), 0u); });
    EXPECT_NE(report.find("not a dictionary"), std::string::npos) << report;
}

TEST_F(PreferencesTest, WritesLeaveNoTemporaryFiles)
{
    for (int i = 0; i < 5; ++i)
        CFPreferencesSetAppValue("n", NSNumber::withInteger(i), domain);
    EXPECT_EQ(preferenceFolder(), std::vector<std::string> { domain + ".plist" });
}

TEST_F(PreferencesTest, AFreshDeviceStartsFromItsOwnDisk)
{
    CFPreferencesSetAppValue("n", NSNumber::withInteger(1), domain);
    testing_support::TestEnvironment other;
    registerCoreFoundationClasses(other.runtime());
    EXPECT_FALSE(CFPreferencesCopyAppValue("n", domain)) << "nothing cached from the previous device";
}

TEST_F(PreferencesTest, ANulInAStringOrKeyIsDamageNotAnAbort)
{
    for (std::string name : { "plist-utf16-nul.bplist", "plist-utf16-nul-key.bplist" }) {
        std::ifstream in(std::string(OVRIMO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        ASSERT_FALSE(bytes.str().empty()) << name;
        std::filesystem::remove_all(domainFile().parent_path());
        writeDomainFile(bytes.str());
        std::string report = stderrOf([&] { EXPECT_EQ(CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count(), 0u); });
        EXPECT_NE(report.find("NUL character"), std::string::npos) << name << ": " << report;
        EXPECT_EQ(preferenceFolder(), std::vector<std::string> { domain + ".plist.damaged-1" }) << name;
        CFPreferencesSetAppValue("enabled", NSNumber::withBool(true), domain);
        EXPECT_TRUE(CFPreferencesCopyAppValue("enabled", domain)) << "the defaults are in use and the domain works";
    }
}

TEST_F(PreferencesTest, AFifoAtTheFileIsRefusedWithoutWaiting)
{
    std::filesystem::create_directories(domainFile().parent_path());
    ASSERT_EQ(mkfifo(domainFile().c_str(), 0644), 0);
    // Reading runs on its own thread so that a hang fails the test instead of stopping it.
    auto done = std::make_shared<std::promise<std::string>>();
    auto answer = done->get_future();
    std::thread([done] {
        testing::internal::CaptureStderr();
        std::size_t keys = CFPreferencesCopyKeyList(domain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost)->count();
        done->set_value(std::to_string(keys) + " " + testing::internal::GetCapturedStderr());
    }).detach();
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "reading a FIFO blocked";
    std::string result = answer.get();
    EXPECT_EQ(result.substr(0, 2), "0 ");
    EXPECT_NE(result.find("not a regular file"), std::string::npos) << result;
}

TEST_F(PreferencesTest, AFileThatLinksOutOfTheRootIsReportedAsSuch)
{
    auto outside = env.root().parent_path() / (env.root().filename().string() + "-outside.plist");
    std::ofstream(outside) << "<plist><dict/></plist>";
    std::filesystem::create_directories(domainFile().parent_path());
    std::filesystem::create_symlink(outside, domainFile());
    std::string report = stderrOf([&] { CFPreferencesSetAppValue("enabled", NSNumber::withBool(true), domain); });
    EXPECT_NE(report.find("com.zarnek.ovrimo.plist is a link that leaves the device root"), std::string::npos) << report;
    EXPECT_EQ(report.find("no device root"), std::string::npos) << report;
    std::ifstream in(outside);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "<plist><dict/></plist>") << "nothing outside the root is written";
    std::filesystem::remove(outside);
}

} // namespace
