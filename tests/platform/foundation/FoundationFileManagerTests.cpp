#include "platform/foundation/Foundation.h"
#include "platform/runtime/Message.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>

using objc::msgSend;
using objc::Ref;

namespace {

class FileManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerFoundationClasses(env.runtime());
        fm = NSFileManager::defaultManager();
    }

    void writeHost(const std::string& devicePath, const std::string& bytes)
    {
        auto host = env.hostPath(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << bytes;
    }
    std::string readHost(const std::string& devicePath)
    {
        std::ifstream in(env.hostPath(devicePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    testing_support::TestEnvironment env;
    Ref<NSFileManager> fm;
};

TEST_F(FileManagerTest, DefaultManagerIsOnePerDevice)
{
    EXPECT_EQ(fm, msgSend<Ref<NSFileManager>>(objc::objc_getClass("NSFileManager"), "defaultManager"));
}

TEST_F(FileManagerTest, ExistenceAndListings)
{
    writeHost("/var/mobile/Documents/Ovrimo/Icons/b.png", "bb");
    writeHost("/var/mobile/Documents/Ovrimo/Icons/a.png", "a");
    writeHost("/var/mobile/Documents/Ovrimo/Icons/Set/c.png", "c");
    bool isDirectory = true;
    EXPECT_TRUE(fm->fileExistsAtPath("/var/mobile/Documents/Ovrimo/Icons/a.png", &isDirectory));
    EXPECT_FALSE(isDirectory);
    EXPECT_TRUE(msgSend<bool>(fm, "fileExistsAtPath:isDirectory:", "/var/mobile/Documents/Ovrimo/Icons", &isDirectory));
    EXPECT_TRUE(isDirectory);
    EXPECT_FALSE(msgSend<bool>(fm, "fileExistsAtPath:", "/var/mobile/nothing"));

    auto names = fm->contentsOfDirectoryAtPath("/var/mobile/Documents/Ovrimo/Icons");
    ASSERT_TRUE(names);
    EXPECT_EQ(names->strings(), (std::vector<std::string> { "Set", "a.png", "b.png" }));
    auto subpaths = msgSend<Ref<NSArray>>(fm, "subpathsOfDirectoryAtPath:error:", "/var/mobile/Documents/Ovrimo", NSErrorPointer(nullptr));
    ASSERT_TRUE(subpaths);
    EXPECT_EQ(subpaths->strings(), (std::vector<std::string> { "Icons", "Icons/Set", "Icons/Set/c.png", "Icons/a.png", "Icons/b.png" }))
        << "each folder before its contents";

    Ref<NSError> error;
    EXPECT_FALSE(fm->contentsOfDirectoryAtPath("/var/mobile/none", &error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain(), NSCocoaErrorDomain);
    EXPECT_EQ(error->code(), NSFileReadNoSuchFileError);
}

TEST_F(FileManagerTest, PathsLeavingTheDeviceAreRefused)
{
    auto outside = env.root().parent_path() / (env.root().filename().string() + "-outside");
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "secret.txt") << "secret";
    std::filesystem::create_directories(env.hostPath("/var/mobile"));
    std::filesystem::create_directory_symlink(outside, env.hostPath("/var/mobile/link"));

    for (std::string path : { "/../" + env.root().filename().string() + "-outside/secret.txt", std::string("/var/mobile/link/secret.txt"), std::string("relative/path") }) {
        EXPECT_FALSE(fm->fileExistsAtPath(path)) << path;
        Ref<NSError> error;
        EXPECT_FALSE(fm->contentsOfDirectoryAtPath(path, &error)) << path;
        ASSERT_TRUE(error) << path;
        EXPECT_EQ(error->code(), NSFileReadInvalidFileNameError);
        error = nullptr;
        EXPECT_FALSE(fm->removeItemAtPath(path, &error)) << path;
        EXPECT_TRUE(error);
        EXPECT_FALSE(fm->copyItemAtPath(path, "/var/copy.txt"));
        EXPECT_FALSE(msgSend<Ref<NSData>>(objc::objc_getClass("NSData"), "dataWithContentsOfFile:", path)) << path;
    }
    writeHost("/var/in.txt", "in");
    EXPECT_FALSE(fm->copyItemAtPath("/var/in.txt", "/var/mobile/link/stolen.txt"));
    EXPECT_FALSE(std::filesystem::exists(outside / "stolen.txt"));
    EXPECT_FALSE(fm->removeItemAtPath("/")) << "the device root itself cannot go";
    EXPECT_TRUE(std::filesystem::exists(outside / "secret.txt"));
    std::filesystem::remove_all(outside);
}

TEST_F(FileManagerTest, CopyRefusesAnExistingDestinationAndCopiesFolders)
{
    writeHost("/lib/Set/a.png", "A");
    writeHost("/lib/Set/deep/b.png", "B");
    writeHost("/icons/a.png", "old");
    Ref<NSError> error;
    EXPECT_FALSE(fm->copyItemAtPath("/lib/Set/a.png", "/icons/a.png", &error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), NSFileWriteFileExistsError);
    EXPECT_EQ(readHost("/icons/a.png"), "old") << "the destination is untouched";

    ASSERT_TRUE(fm->copyItemAtPath("/lib/Set", "/backup/Set2", &error) == false) << "the destination's folder must exist";
    ASSERT_TRUE(fm->createDirectoryAtPath("/backup", true));
    ASSERT_TRUE(fm->copyItemAtPath("/lib/Set", "/backup/Set2"));
    EXPECT_EQ(readHost("/backup/Set2/deep/b.png"), "B");
    EXPECT_EQ(readHost("/lib/Set/a.png"), "A") << "the source stays";
    EXPECT_FALSE(fm->copyItemAtPath("/lib/Set", "/lib/Set/deep/inside")) << "no copying a folder into itself";
    EXPECT_EQ(fm->contentsOfDirectoryAtPath("/backup")->strings(), std::vector<std::string> { "Set2" }) << "no temporary copies left";
}

TEST_F(FileManagerTest, MoveRemoveAndCreate)
{
    writeHost("/a/one.txt", "1");
    writeHost("/a/two.txt", "2");
    EXPECT_FALSE(fm->moveItemAtPath("/a/one.txt", "/a/two.txt")) << "moving onto an existing item fails";
    EXPECT_TRUE(fm->moveItemAtPath("/a/one.txt", "/a/three.txt"));
    EXPECT_EQ(readHost("/a/three.txt"), "1");
    EXPECT_FALSE(fm->fileExistsAtPath("/a/one.txt"));

    EXPECT_FALSE(fm->createDirectoryAtPath("/x/y/z", false)) << "no intermediate folders unless asked";
    EXPECT_TRUE(fm->createDirectoryAtPath("/x/y/z", true));
    EXPECT_TRUE(fm->createDirectoryAtPath("/x/y/z", true)) << "an existing folder is fine with intermediates";
    EXPECT_FALSE(fm->createDirectoryAtPath("/x/y/z", false));

    EXPECT_TRUE(fm->removeItemAtPath("/a"));
    EXPECT_FALSE(fm->fileExistsAtPath("/a/two.txt"));
    Ref<NSError> error;
    EXPECT_FALSE(fm->removeItemAtPath("/a", &error));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), NSFileNoSuchFileError);
}

TEST_F(FileManagerTest, AttributesGiveSizeTypeAndDate)
{
    writeHost("/f/file.bin", std::string(1234, 'x'));
    auto attributes = fm->attributesOfItemAtPath("/f/file.bin");
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->integerForKey(NSFileSize), 1234);
    EXPECT_EQ(attributes->stringForKey(NSFileType), NSFileTypeRegular);
    EXPECT_TRUE(objc::isKindOfClass(attributes->objectForKey(NSFileModificationDate), "NSDate"));
    EXPECT_EQ(fm->attributesOfItemAtPath("/f")->stringForKey(NSFileType), NSFileTypeDirectory);
    EXPECT_FALSE(fm->attributesOfItemAtPath("/f/none"));
}

TEST_F(FileManagerTest, DataWritesAreAtomicAndLeaveNothingBehindOnFailure)
{
    auto data = NSData::make(std::string_view("png bytes"));
    EXPECT_TRUE(fm->createFileAtPath("/d/new.png", data) == false) << "the folder must exist";
    ASSERT_TRUE(fm->createDirectoryAtPath("/d", true));
    EXPECT_TRUE(fm->createFileAtPath("/d/new.png", data));
    EXPECT_TRUE(msgSend<bool>(data, "writeToFile:atomically:", "/d/other.png", true));
    EXPECT_FALSE(msgSend<bool>(data, "writeToFile:atomically:", "/d", true)) << "a folder is not replaced";
    EXPECT_FALSE(msgSend<bool>(data, "writeToFile:atomically:", "/missing/x.png", true));
    auto back = msgSend<Ref<NSData>>(objc::objc_getClass("NSData"), "dataWithContentsOfFile:", "/d/other.png");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->view(), "png bytes");
    EXPECT_EQ(fm->contentsOfDirectoryAtPath("/d")->strings(), (std::vector<std::string> { "new.png", "other.png" }));
}

} // namespace
