// -[NSBundle load]: the executable Info.plist names is opened from the bundle folder, once; code
// that would come from anywhere else is refused.

#include "platform/foundation/Foundation.h"
#include "platform/foundation/NSBundle.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using objc::msgSend;
using objc::Ref;

namespace {

class BundleLoad : public ::testing::Test {
protected:
    void SetUp() override { registerFoundationClasses(env.runtime()); }

    // A bundle at `folder` whose Info.plist names `executable`; the test code is copied in as
    // `copyAs` when given.
    Ref<NSBundle> bundle(const std::string& folder, const std::string& executable, const std::string& copyAs = "")
    {
        auto host = env.hostPath(folder);
        std::filesystem::create_directories(host);
        std::ofstream(host / "Info.plist") << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleExecutable</key><string>" << executable
                                          << "</string></dict></plist>";
        if (!copyAs.empty())
            std::filesystem::copy_file(OVRIMO_LOADABLE_BUNDLE_CODE, host / copyAs, std::filesystem::copy_options::overwrite_existing);
        return NSBundle::bundleWithPath(folder);
    }

    bool load(NSBundle* b) { return msgSend<bool>(b, "load"); }

    testing_support::TestEnvironment env;
};

TEST_F(BundleLoad, LoadsTheNamedExecutableOnceAndItsInitializersRun)
{
    Ref<NSBundle> b = bundle("/Library/PreferenceBundles/demo.bundle", "demo", "demo");
    ASSERT_TRUE(b);
    EXPECT_FALSE(msgSend<bool>(b, "isLoaded"));
    EXPECT_EQ(objc::objc_getClass("LoadedBundleMarker"), nullptr);
    EXPECT_TRUE(load(b));
    EXPECT_TRUE(msgSend<bool>(b, "isLoaded"));
    EXPECT_NE(objc::objc_getClass("LoadedBundleMarker"), nullptr) << "the bundle's initializer ran";
    EXPECT_TRUE(load(b)) << "loading again is a success that does nothing";
}

TEST_F(BundleLoad, RefusesCodeFromOutsideTheBundle)
{
    // A name that climbs out, a link to a file elsewhere on the device, a missing file, a file
    // that is no code, and a bundle of resources only: nothing is loaded.
    EXPECT_FALSE(load(bundle("/Library/PreferenceBundles/climb.bundle", "../outside")));
    EXPECT_FALSE(load(bundle("/Library/PreferenceBundles/deep.bundle", "sub/code")));

    bundle("/var/mobile/elsewhere.bundle", "code", "code");
    Ref<NSBundle> linked = bundle("/Library/PreferenceBundles/linked.bundle", "code");
    std::filesystem::create_symlink(env.hostPath("/var/mobile/elsewhere.bundle/code"), env.hostPath("/Library/PreferenceBundles/linked.bundle/code"));
    EXPECT_FALSE(load(linked));

    EXPECT_FALSE(load(bundle("/Library/PreferenceBundles/missing.bundle", "gone")));
    Ref<NSBundle> text = bundle("/Library/PreferenceBundles/text.bundle", "code");
    std::ofstream(env.hostPath("/Library/PreferenceBundles/text.bundle/code")) << "not a library";
    EXPECT_FALSE(load(text));
    EXPECT_FALSE(load(bundle("/Library/PreferenceBundles/plain.bundle", "")));

    EXPECT_EQ(objc::objc_getClass("LoadedBundleMarker"), nullptr) << "none of them ran any code";
}

} // namespace
