#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/ReadFile.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    std::vector<std::string> namesIn(const fs::path& folder)
    {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The id of a process that has ended (and been reaped), as a writer killed mid-write leaves.
    pid_t endedProcess()
    {
        pid_t child = fork();
        if (child == 0)
            _exit(0);
        int status = 0;
        waitpid(child, &status, 0);
        return child;
    }

    testing_support::TestEnvironment env;
};

TEST_F(AtomicFileTest, WritesLeaveNoTemporaryFiles)
{
    auto folder = env.root() / "w";
    ASSERT_TRUE(filesystem::writeFileAtomically(folder / "f.txt", "one"));
    ASSERT_TRUE(filesystem::writeFileAtomically(folder / "f.txt", "two"));
    fs::create_directories(folder / "dir");
    std::string error;
    EXPECT_FALSE(filesystem::writeFileAtomically(folder / "dir", "x", &error)) << "a folder is not replaced";
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(namesIn(folder), (std::vector<std::string> { "dir", "f.txt" }));
    EXPECT_EQ(*filesystem::readWholeFile(folder / "f.txt", 100), "two");
}

TEST_F(AtomicFileTest, TemporariesOfEndedWritersGoAtTheNextWriteIntoTheirFolder)
{
    auto folder = env.root() / "Preferences";
    fs::create_directories(folder);
    std::string dead = ".a.plist.ovrimo-tmp-" + std::to_string(endedProcess()) + "-Qx81Za";
    std::string deadCopy = ".Icons.ovrimo-tmp-" + std::to_string(endedProcess()) + "-copy0";
    std::string live = ".a.plist.ovrimo-tmp-" + std::to_string(getppid()) + "-Lm29Bd";
    std::string own = ".b.plist.ovrimo-tmp-" + std::to_string(getpid()) + "-Kp11Ws";
    std::string someoneElses = ".a.plist.tmp-123";
    for (const auto& name : { dead, live, own, someoneElses })
        std::ofstream(folder / name) << "half a file";
    fs::create_directories(folder / deadCopy / "inner");
    EXPECT_TRUE(filesystem::isAtomicWriteTemporary(dead));
    EXPECT_FALSE(filesystem::isAtomicWriteTemporary(someoneElses));
    EXPECT_FALSE(filesystem::isAtomicWriteTemporary("a.plist"));

    ASSERT_TRUE(filesystem::writeFileAtomically(folder / "a.plist", "whole"));
    std::vector<std::string> expected { live, own, someoneElses, "a.plist" };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(folder), expected) << "only the temporaries of ended writers are removed";
}

TEST_F(AtomicFileTest, CopyTemporariesAreOfTheSameNaming)
{
    auto target = env.root() / "Icons";
    auto temporary = filesystem::temporarySiblingFor(target);
    EXPECT_EQ(temporary.parent_path(), env.root());
    EXPECT_EQ(filesystem::temporaryWriterOf(temporary.filename().string()), getpid());
    EXPECT_NE(filesystem::temporarySiblingFor(target), temporary);
}

} // namespace
