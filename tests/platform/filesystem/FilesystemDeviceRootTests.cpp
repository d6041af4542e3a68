#include "platform/filesystem/DeviceRoot.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using filesystem::DeviceRoot;

class DeviceRootTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(env.hostPath("/Library/PreferenceBundles/ovrimoprefs.bundle"));
        std::ofstream(env.hostPath("/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png")) << "picture";
        fs::create_directories(env.hostPath("/var/mobile/Documents/Ovrimo/Icons"));
        fs::create_directories(outside);
        std::ofstream(outside / "secret.txt") << "secret";
    }
    void TearDown() override { fs::remove_all(outside); }

    std::string refusal(const std::string& devicePath)
    {
        std::string why;
        EXPECT_FALSE(DeviceRoot::resolve(devicePath, &why)) << devicePath;
        return why;
    }

    testing_support::TestEnvironment env;
    fs::path outside = env.root().parent_path() / (env.root().filename().string() + "-outside");
};

TEST_F(DeviceRootTest, DotDotIsTheParentOfAFolderThatExists)
{
    // A folder named with ".." in it: the folder "x" does not exist, so nothing is climbed.
    std::string icon = "/var/mobile/Documents/Ovrimo/Icons/com.ovrimo.folder.x/../../../../../../Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png";
    EXPECT_NE(refusal(icon).find("folder that does not exist"), std::string::npos);
    // With the folder there, ".." climbs from it as the file system would.
    fs::create_directories(env.hostPath("/var/mobile/Documents/Ovrimo/Icons/com.ovrimo.folder.x"));
    EXPECT_EQ(DeviceRoot::resolve(icon), env.hostPath("/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png"));
    EXPECT_NE(refusal("/var/../../secret.txt").find("leaves the device root"), std::string::npos);
    EXPECT_EQ(DeviceRoot::resolve("/"), env.root());
    EXPECT_EQ(DeviceRoot::resolve("/var/./mobile//Documents/"), env.hostPath("/var/mobile/Documents"));
    // Missing folders at the end may be created by the caller.
    EXPECT_EQ(DeviceRoot::resolve("/var/mobile/New/Deeper/file.txt"), env.hostPath("/var/mobile/New/Deeper/file.txt"));
    EXPECT_FALSE(refusal("relative/path").empty());
}

TEST_F(DeviceRootTest, LinksAreFollowedOnlyWhileTheyStayInside)
{
    fs::create_directory_symlink("../../Library", env.hostPath("/var/mobile/Lib"));
    fs::create_directory_symlink(env.hostPath("/Library/PreferenceBundles"), env.hostPath("/var/Bundles"));
    EXPECT_EQ(DeviceRoot::resolve("/var/mobile/Lib/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png"), env.hostPath("/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo.png"));
    EXPECT_EQ(DeviceRoot::resolve("/var/Bundles/ovrimoprefs.bundle"), env.hostPath("/Library/PreferenceBundles/ovrimoprefs.bundle"));

    fs::create_directory_symlink(outside, env.hostPath("/var/mobile/out"));
    fs::create_directory_symlink("../../../" + outside.filename().string(), env.hostPath("/var/mobile/up"));
    fs::create_symlink(outside / "secret.txt", env.hostPath("/var/mobile/secret.txt"));
    for (std::string path : { "/var/mobile/out/secret.txt", "/var/mobile/up/secret.txt", "/var/mobile/secret.txt" })
        EXPECT_NE(refusal(path).find("is a link that leaves the device root"), std::string::npos) << path;

    // A link in the last part that stays inside is kept as the link, for acting on it.
    EXPECT_EQ(DeviceRoot::resolve("/var/Bundles"), env.hostPath("/var/Bundles"));
    fs::create_symlink("loop", env.hostPath("/var/loop"));
    EXPECT_FALSE(refusal("/var/loop/x").empty());
}

} // namespace
