#include "platform/runtime/Runtime.h"
#include "platform/substrate/Injector.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

void installLibrary(testing_support::TestEnvironment& env, const std::string& name, const std::string& bundles)
{
    fs::path folder = env.hostPath(substrate::kDynamicLibrariesFolder);
    fs::create_directories(folder);
    fs::copy_file(INJECTED_LIBRARY_PATH, folder / (name + ".dylib"), fs::copy_options::overwrite_existing);
    std::ofstream(folder / (name + ".plist")) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>Filter</key><dict>"
                                              << "<key>Bundles</key><array>" << bundles << "</array></dict></dict></plist>\n";
}

TEST(Injector, LoadsLibrariesWhoseFilterNamesTheApp)
{
    testing_support::TestEnvironment env;
    installLibrary(env, "Marker", "<string>com.apple.springboard</string><string>com.apple.Preferences</string>");
    EXPECT_TRUE(substrate::injectDynamicLibraries("com.apple.mobilesafari").empty());
    EXPECT_EQ(objc::objc_getClass("InjectedFirst"), nullptr);

    auto loaded = substrate::injectDynamicLibraries("com.apple.springboard");
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0], "/Library/MobileSubstrate/DynamicLibraries/Marker.dylib");
    ASSERT_NE(objc::objc_getClass("InjectedSecond"), nullptr) << "initializers run in order";
    EXPECT_EQ(objc::objc_getClass("InjectedSecond")->superclass(), objc::objc_getClass("InjectedFirst"));

    // The Settings app of the same device shares the loaded library; it is not loaded twice.
    EXPECT_TRUE(substrate::injectDynamicLibraries("com.apple.Preferences").empty());
}

TEST(Injector, EveryDeviceGetsAFreshCopy)
{
    for (int boot = 0; boot < 2; ++boot) {
        testing_support::TestEnvironment env;
        installLibrary(env, "Marker", "<string>com.apple.springboard</string>");
        EXPECT_EQ(substrate::injectDynamicLibraries("com.apple.springboard").size(), 1u);
        EXPECT_NE(objc::objc_getClass("InjectedFirst"), nullptr) << "boot " << boot;
    }
}

TEST(Injector, TheSameRootBootedAgainLoadsItsLibraryAgain)
{
    // A reboot: the device's runtime goes, a new one comes up on the same root. The library of
    // that root runs its initializers again in the new runtime, with nothing left behind.
    testing_support::TestEnvironment env;
    installLibrary(env, "Marker", "<string>com.apple.springboard</string>");
    auto temporaries = [] {
        int n = 0;
        for (auto& entry : fs::directory_iterator(fs::temp_directory_path()))
            n += entry.path().filename().string().rfind("ovrimo-library-", 0) == 0;
        return n;
    };
    int before = temporaries();
    for (int boot = 0; boot < 3; ++boot) {
        objc::Runtime rebooted;
        EXPECT_EQ(objc::objc_getClass("InjectedFirst"), nullptr);
        EXPECT_EQ(substrate::injectDynamicLibraries("com.apple.springboard").size(), 1u) << "boot " << boot;
        EXPECT_NE(objc::objc_getClass("InjectedSecond"), nullptr) << "boot " << boot;
    }
    EXPECT_EQ(temporaries(), before) << "the copies loaded are not left in the temporary folder";
}

TEST(Injector, BrokenLibraryIsReportedAndSkipped)
{
    testing_support::TestEnvironment env;
    installLibrary(env, "Good", "<string>com.apple.springboard</string>");
    fs::path folder = env.hostPath(substrate::kDynamicLibrariesFolder);
    std::ofstream(folder / "Broken.dylib") << "not a library";
    std::ofstream(folder / "Broken.plist") << "<plist><dict><key>Filter</key><dict><key>Bundles</key><array><string>com.apple.springboard</string></array></dict></dict></plist>";
    std::ofstream(folder / "NoFilter.dylib") << "never read";

    testing::internal::CaptureStderr();
    auto loaded = substrate::injectDynamicLibraries("com.apple.springboard");
    std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0], "/Library/MobileSubstrate/DynamicLibraries/Good.dylib");
    EXPECT_NE(err.find("Broken.dylib"), std::string::npos) << err;
}

TEST(Injector, UnreadableFilterNamesNothing)
{
    testing_support::TestEnvironment env;
    fs::create_directories(env.hostPath(substrate::kDynamicLibrariesFolder));
    std::ofstream(env.hostPath("/Library/MobileSubstrate/DynamicLibraries/X.plist")) << "\x01\x02garbage";
    EXPECT_TRUE(substrate::filterBundles("/Library/MobileSubstrate/DynamicLibraries/X.plist").empty());
    EXPECT_TRUE(substrate::filterBundles("/../../etc/passwd").empty());
}

TEST(Injector, FilterThatIsAFIFOIsRefusedWithoutWaiting)
{
    // Nothing ever writes to the FIFO: a reader that opened it would wait for ever.
    testing_support::TestEnvironment env;
    installLibrary(env, "Good", "<string>com.apple.springboard</string>");
    fs::path folder = env.hostPath(substrate::kDynamicLibrariesFolder);
    fs::copy_file(INJECTED_LIBRARY_PATH, folder / "Stuck.dylib");
    ASSERT_EQ(mkfifo((folder / "Stuck.plist").c_str(), 0600), 0);

    testing::internal::CaptureStderr();
    auto loaded = substrate::injectDynamicLibraries("com.apple.springboard");
    std::string err = testing::internal::GetCapturedStderr();
    ASSERT_EQ(loaded.size(), 1u) << "the library behind the FIFO is not injected";
    EXPECT_EQ(loaded[0], "/Library/MobileSubstrate/DynamicLibraries/Good.dylib");
    EXPECT_NE(err.find("Stuck.plist"), std::string::npos) << err;
    EXPECT_NE(err.find("not injected"), std::string::npos) << err;
    EXPECT_TRUE(substrate::filterBundles("/Library/MobileSubstrate/DynamicLibraries/Stuck.plist").empty());
}

} // namespace
