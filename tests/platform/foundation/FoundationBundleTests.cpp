#include "platform/foundation/Foundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

using objc::msgSend;
using objc::Ref;

namespace {

class PrefsController : public objc::NSObject {
    OBJC_CLASS(PrefsController)
};

class BundleTest : public ::testing::Test {
protected:
    void SetUp() override { registerFoundationClasses(env.runtime()); }

    void writeHost(const std::string& devicePath, const std::string& bytes)
    {
        auto host = env.hostPath(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << bytes;
    }

    testing_support::TestEnvironment env;
    const std::string path = "/Library/PreferenceBundles/ovrimoprefs.bundle";
};

TEST_F(BundleTest, UIKitBundleHasTheStandardButtonTitles)
{
    auto uikit = msgSend<Ref<NSBundle>>(objc::objc_getClass("NSBundle"), "bundleWithIdentifier:", "com.apple.UIKit");
    ASSERT_TRUE(uikit);
    for (const char* key : { "OK", "Cancel", "Back" })
        EXPECT_EQ(msgSend<std::string>(uikit, "localizedStringForKey:value:table:", key, "", "Localizable"), key);
    EXPECT_EQ(msgSend<std::string>(uikit, "localizedStringForKey:value:table:", "Unknown", "", "Localizable"), "Unknown") << "an unknown key reads as itself";
    EXPECT_EQ(msgSend<std::string>(uikit, "localizedStringForKey:value:table:", "Unknown", "Fallback", "Localizable"), "Fallback");
    EXPECT_EQ(NSBundle::bundleWithIdentifier("com.apple.UIKit"), uikit);
}

TEST_F(BundleTest, InfoPlistResourcesAndStringTables)
{
    env.runtime().registerClass<PrefsController>("NSObject");
    writeHost(path + "/Info.plist", R"(<?xml version="1.0"?><plist version="1.0"><dict>
        <key>CFBundleIdentifier</key><string>com.zarnek.ovrimoprefs</string>
        <key>NSPrincipalClass</key><string>PrefsController</string></dict></plist>)");
    writeHost(path + "/ovrimo.png", "png");
    writeHost(path + "/en.lproj/Root.strings", "/* titles */\n\"Title\" = \"Ovrimo \\\"Settings\\\"\";\n\"Bye\" = \"Goodbye\";");
    writeHost(path + "/de.lproj/Root.strings", R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Title</key><string>Einstellungen</string></dict></plist>)");

    auto bundle = msgSend<Ref<NSBundle>>(objc::objc_getClass("NSBundle"), "bundleWithPath:", path + "/");
    ASSERT_TRUE(bundle);
    EXPECT_EQ(msgSend<std::string>(bundle, "bundlePath"), path);
    EXPECT_EQ(bundle->bundleIdentifier(), "com.zarnek.ovrimoprefs");
    EXPECT_EQ(msgSend<Ref<objc::Class>>(bundle, "principalClass"), objc::objc_getClass("PrefsController"));
    EXPECT_EQ(msgSend<std::string>(bundle, "pathForResource:ofType:", "ovrimo", "png"), path + "/ovrimo.png");
    EXPECT_EQ(msgSend<std::string>(bundle, "pathForResource:ofType:", "missing", "png"), "");
    EXPECT_EQ(msgSend<std::string>(bundle, "localizedStringForKey:value:table:", "Title", "", "Root"), "Ovrimo \"Settings\"");
    EXPECT_EQ(NSBundle::bundleWithIdentifier("com.zarnek.ovrimoprefs"), bundle) << "an opened bundle is found by identifier";
    EXPECT_FALSE(NSBundle::bundleWithPath("/Library/none.bundle"));

    // German first, English for what German lacks.
    foundation::setCurrentLocaleIdentifier("de_DE");
    auto german = NSBundle::bundleWithPath(path);
    testing_support::TestEnvironment fresh; // a new device, with no cached tables
    registerFoundationClasses(fresh.runtime());
    foundation::setCurrentLocaleIdentifier("de_DE");
    std::filesystem::copy(env.root() / "Library", fresh.root() / "Library", std::filesystem::copy_options::recursive);
    auto bundleDE = NSBundle::bundleWithPath(path);
    ASSERT_TRUE(bundleDE);
    EXPECT_EQ(bundleDE->localizedStringForKey("Title", "", "Root"), "Einstellungen");
    EXPECT_EQ(bundleDE->localizedStringForKey("Bye", "", "Root"), "Goodbye");
}

TEST_F(BundleTest, StringsTablesInTheClassicForm)
{
    auto table = foundation::parseStringsTable("// comment\n\"a\" = \"1\";\n/* block */ \"b\"=\"two\\nlines\" ; \"broken\" = ");
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table["a"], "1");
    EXPECT_EQ(table["b"], "two\nlines");
}

} // namespace
