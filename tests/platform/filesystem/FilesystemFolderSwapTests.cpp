#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/FaultInjection.h"
#include "platform/filesystem/FileOperations.h"
#include "platform/filesystem/FolderSwap.h"
#include "platform/filesystem/ReadFile.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

using Contents = std::map<std::string, std::string>;

class FolderSwapTest : public ::testing::Test {
protected:
    void TearDown() override { filesystem::disarmFaults(); }

    void write(const fs::path& path, const std::string& bytes)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Everything in the parent folder: the folder itself and anything beside it.
    Contents everything() const
    {
        Contents contents;
        for (auto& entry : fs::recursive_directory_iterator(env.root() / "Ovrimo")) {
            std::string name = fs::relative(entry.path(), env.root() / "Ovrimo").generic_string();
            contents[name] = entry.is_directory() ? "/" : *filesystem::readWholeFile(entry.path(), 1000);
        }
        return contents;
    }

    fs::path icons() const { return env.root() / "Ovrimo" / "Icons"; }

    // The old set, then a swap to a new one that keeps b.png, replaces a.png and adds c.png.
    void swapToNewSet()
    {
        filesystem::FolderSwap swap(icons());
        std::error_code ec;
        if (!swap.stageCopy(ec))
            return;
        // Replaced by renaming, as every writer does: the staged a.png is a second name of the old one.
        if (!filesystem::writeFileAtomically(swap.staged() / "a.png", "new a") || !filesystem::writeFileAtomically(swap.staged() / "c.png", "new c")) {
            swap.abandon();
            return;
        }
        swap.commit(ec);
    }

    testing_support::TestEnvironment env;
};

TEST_F(FolderSwapTest, ACopyKeepsTheFilesAsSecondNamesAndLeavesTheOldSetUntouchedUntilTheSwap)
{
    write(icons() / "a.png", "old a");
    write(icons() / "b.png", "old b");
    write(icons() / "Set" / "d.png", "old d");
    write(icons() / ".a.png.ovrimo-tmp-1-Xyz", "a temporary is never carried over");
    filesystem::FolderSwap swap(icons());
    std::error_code ec;
    ASSERT_TRUE(swap.stageCopy(ec)) << ec.message();
    struct stat original {}, copy {};
    stat((icons() / "b.png").c_str(), &original);
    stat((swap.staged() / "b.png").c_str(), &copy);
    EXPECT_EQ(original.st_ino, copy.st_ino) << "a second name of the same file, not a copy of its bytes";
    EXPECT_TRUE(fs::exists(swap.staged() / "Set" / "d.png"));
    EXPECT_FALSE(fs::exists(swap.staged() / ".a.png.ovrimo-tmp-1-Xyz"));
    // Files are replaced by renaming, so a change in the staged set never reaches the old one.
    fs::remove(swap.staged() / "a.png");
    std::ofstream(swap.staged() / "a.png") << "new a";
    EXPECT_EQ(*filesystem::readWholeFile(icons() / "a.png", 100), "old a");
    ASSERT_TRUE(swap.commit(ec));
    EXPECT_EQ(*filesystem::readWholeFile(icons() / "a.png", 100), "new a");
    EXPECT_EQ(*filesystem::readWholeFile(icons() / "b.png", 100), "old b");
    EXPECT_EQ(everything().count(".Icons-previous"), 0u);
    EXPECT_EQ(everything().count(".Icons-restoring"), 0u);
}

TEST_F(FolderSwapTest, RecoveryFinishesOrRollsBackWhereverAProcessDied)
{
    write(icons() / "a.png", "old a");
    write(icons() / "b.png", "old b");
    Contents old = everything();
    swapToNewSet();
    Contents made = everything();
    ASSERT_NE(old, made);

    // Every change of the swap in turn is where the process dies; recovery then gives one set.
    filesystem::disarmFaults();
    fs::remove_all(env.root() / "Ovrimo");
    write(icons() / "a.png", "old a");
    write(icons() / "b.png", "old b");
    swapToNewSet();
    long changes = filesystem::changesCounted();
    ASSERT_GT(changes, 5);
    for (long n = 1; n <= changes; ++n) {
        fs::remove_all(env.root() / "Ovrimo");
        write(icons() / "a.png", "old a");
        write(icons() / "b.png", "old b");
        filesystem::armFault(filesystem::FaultKind::DieAtChange, n);
        swapToNewSet();
        filesystem::disarmFaults();
        filesystem::FolderSwap(icons()).recover();
        Contents now = everything();
        EXPECT_TRUE(now == old || now == made) << "dying at change " << n;
    }
}

TEST_F(FolderSwapTest, AFailedChangeLeavesOneSetAndNothingBesideOnceRecovered)
{
    write(icons() / "a.png", "old a");
    Contents old = everything();
    swapToNewSet();
    Contents made = everything();
    long changes = filesystem::changesCounted();
    for (long n = 1; n <= changes; ++n) {
        fs::remove_all(env.root() / "Ovrimo");
        write(icons() / "a.png", "old a");
        filesystem::armFault(filesystem::FaultKind::FailOneChange, n);
        swapToNewSet();
        filesystem::disarmFaults();
        filesystem::FolderSwap(icons()).recover();
        Contents now = everything();
        EXPECT_TRUE(now == old || now == made) << "failing change " << n;
    }
}

TEST_F(FolderSwapTest, SomethingOtherThanAFolderInItsPlaceIsNeverReplaced)
{
    write(env.root() / "Ovrimo" / "Icons", "a plain file");
    filesystem::FolderSwap swap(icons());
    std::error_code ec;
    EXPECT_FALSE(swap.stageCopy(ec));
    ASSERT_TRUE(swap.stageEmpty(ec));
    EXPECT_FALSE(swap.commit(ec));
    EXPECT_FALSE(swap.discardContents(ec));
    EXPECT_EQ(*filesystem::readWholeFile(icons(), 100), "a plain file");
    EXPECT_EQ(everything().size(), 1u) << "nothing is left beside it";
}

TEST_F(FolderSwapTest, EmptyingIsOneStepAndAStopHalfWayIsFinishedByRecovery)
{
    for (int i = 0; i < 5; ++i)
        write(icons() / (std::to_string(i) + ".png"), "icon");
    filesystem::armFault(filesystem::FaultKind::DieAtChange, 4); // after the rename and the new folder
    std::error_code ec;
    filesystem::FolderSwap(icons()).discardContents(ec);
    filesystem::disarmFaults();
    EXPECT_TRUE(fs::is_empty(icons())) << "the folder reads empty at once";
    EXPECT_TRUE(fs::exists(env.root() / "Ovrimo" / ".Icons-deleting"));
    filesystem::FolderSwap(icons()).recover();
    EXPECT_EQ(everything(), (Contents { { "Icons", "/" } }));
}

TEST_F(FolderSwapTest, SwapNamesAreKnownForWhatTheyAre)
{
    EXPECT_TRUE(filesystem::FolderSwap::isSwapName(".Icons-restoring"));
    EXPECT_TRUE(filesystem::FolderSwap::isSwapName(".IconLibrary-previous"));
    EXPECT_TRUE(filesystem::FolderSwap::isSwapName(".Icons-deleting"));
    EXPECT_FALSE(filesystem::FolderSwap::isSwapName("Icons-restoring"));
    EXPECT_FALSE(filesystem::FolderSwap::isSwapName(".-previous"));
    EXPECT_FALSE(filesystem::FolderSwap::isSwapName("Set A"));
}

TEST_F(FolderSwapTest, RemovingATreeCountsEachEntryAndNeverFollowsALink)
{
    write(env.root() / "outside" / "keep.png", "not ours");
    write(icons() / "a.png", "a");
    write(icons() / "Set" / "b.png", "b");
    fs::create_directory_symlink(env.root() / "outside", icons() / "link");
    filesystem::disarmFaults();
    std::error_code ec;
    ASSERT_TRUE(filesystem::removeTree(icons(), ec)) << ec.message();
    EXPECT_EQ(filesystem::changesCounted(), 5) << "a.png, b.png, Set, link, Icons";
    EXPECT_TRUE(fs::exists(env.root() / "outside" / "keep.png"));
}

} // namespace
