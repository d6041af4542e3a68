// The statistics-and-restore pane: what it counts and sums, restoring all icons and emptying the
// library through their confirmations, and what those never touch.

#include "ovrimoprefs/FolderContents.h"
#include "ovrimoprefs/OvrimoStatisticsRestoreListController.h"
#include "platform/foundation/NSByteCountFormatter.h"
#include "tests/ovrimoprefs/SettingsBundleFixture.h"

#include <unistd.h>
#include <sys/stat.h>

using namespace settings_tests;

namespace {

class StatisticsPane : public SettingsBundleTest {
protected:
    void SetUp() override { pref("firstrun", false); }

    bool exists(const std::string& devicePath) { return std::filesystem::exists(std::filesystem::symlink_status(root().host(devicePath))); }

    // A library holding a folder with two pictures and one loose picture.
    void fillLibrary()
    {
        writeFile(std::string(kLibrary) + "1.png", 300);
        writeFile(std::string(kLibrary) + "Backup/com.apple.mobilecal.png", 200);
        writeFile(std::string(kLibrary) + "Backup/com.apple.mobilesafari.png", 100);
    }
};

TEST_F(StatisticsPane, WithoutFoldersEverythingReadsZero)
{
    boot("iphone8-ios12");
    openPane("statistics");
    EXPECT_EQ(shownValue("customcount"), "0");
    EXPECT_EQ(shownValue("customsize"), NSByteCountFormatter::stringFromByteCount(0, NSByteCountFormatterCountStyleFile));
    EXPECT_EQ(shownValue("librarycount"), "0");
    EXPECT_EQ(shownValue("librarysize"), NSByteCountFormatter::stringFromByteCount(0, NSByteCountFormatterCountStyleFile));

    // Restoring with no icons folder still tells the tweak and reports success.
    countChanges();
    tapRow("restore");
    answer(ovrimoprefs::kRestoreQuestion, "Restore");
    EXPECT_EQ(changes, 1);
    answer(ovrimoprefs::kRestoreDone, "Ok");
}

TEST_F(StatisticsPane, CountsEntriesAndSumsEveryReportedSize)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    // A subfolder of the store counts as one icon; its contents count towards the size.
    writeFile(std::string(kStore) + "odd/inside.bin", 5000);
    writeFile(std::string(kStore) + ".hidden", 10);
    fillLibrary();
    EXPECT_EQ(ovrimoprefs::CountEntries(kStore), 3);
    EXPECT_EQ(ovrimoprefs::CountFilesBelow(kLibrary), 3);
    auto folderSize = static_cast<std::int64_t>(std::filesystem::file_size(root().host(std::string(kLibrary) + "1.png")));
    struct stat info {};
    ASSERT_EQ(::lstat(root().host(std::string(kLibrary) + "Backup").c_str(), &info), 0);
    EXPECT_EQ(ovrimoprefs::TotalSizeBelow(kLibrary), folderSize + 300 + info.st_size) << "the folder's own size counts besides the three files";
    EXPECT_GE(ovrimoprefs::TotalSizeBelow(kStore), 5010);

    openPane("statistics");
    EXPECT_EQ(shownValue("customcount"), "3");
    EXPECT_EQ(shownValue("librarycount"), "3");
    EXPECT_EQ(shownValue("librarysize"), NSByteCountFormatter::stringFromByteCount(ovrimoprefs::TotalSizeBelow(kLibrary), NSByteCountFormatterCountStyleFile));
}

TEST_F(StatisticsPane, CancelChangesNothingAndPostsNothing)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    fillLibrary();
    openPane("statistics");
    countChanges();
    tapRow("restore");
    answer(ovrimoprefs::kRestoreQuestion, "Cancel");
    tapRow("clean");
    answer(ovrimoprefs::kCleanQuestion, "Cancel");
    EXPECT_EQ(alertOnScreen(), nullptr);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(exists(std::string(kStore) + kCalendar + ".png"));
    EXPECT_EQ(ovrimoprefs::CountFilesBelow(kLibrary), 3);
}

TEST_F(StatisticsPane, RestoreRemovesEveryCustomIconAndTheHomeScreenFollowsAtOnce)
{
    customPicture(kCalendar, kRed);
    customPicture("com.apple.mobilesafari", kRed);
    boot("iphone8-ios12");
    writeFile(std::string(kStore) + "odd/inside.bin", 50);
    fillLibrary();
    ASSERT_TRUE(isRed(centreOf(shownImage(kCalendar))));
    openPane("statistics");
    EXPECT_EQ(shownValue("customcount"), "3");
    countChanges();
    tapRow("restore");
    answer(ovrimoprefs::kRestoreQuestion, "Restore");
    EXPECT_EQ(changes, 1);
    answer(ovrimoprefs::kRestoreDone, "Ok");
    EXPECT_EQ(ovrimoprefs::CountEntries(kStore), 0);
    EXPECT_TRUE(exists(kStore)) << "the icons folder itself stays";
    EXPECT_FALSE(isRed(centreOf(shownImage(kCalendar)))) << "the original is back without a restart";
    // The pane shows fresh values without being left.
    EXPECT_EQ(shownValue("customcount"), "0");
    // The library is not touched.
    EXPECT_EQ(ovrimoprefs::CountFilesBelow(kLibrary), 3);
}

TEST_F(StatisticsPane, EmptyingTheLibraryLeavesTheIconsAndPostsNothing)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    fillLibrary();
    openPane("statistics");
    EXPECT_EQ(shownValue("librarycount"), "3");
    countChanges();
    tapRow("clean");
    answer(ovrimoprefs::kCleanQuestion, "Delete");
    answer(ovrimoprefs::kCleanDone, "Ok");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ovrimoprefs::CountEntries(kLibrary), 0);
    EXPECT_TRUE(exists(kLibrary)) << "the library folder itself stays";
    EXPECT_TRUE(exists(std::string(kStore) + kCalendar + ".png"));
    EXPECT_EQ(shownValue("librarycount"), "0");
    EXPECT_TRUE(isRed(centreOf(shownImage(kCalendar))));
}

TEST_F(StatisticsPane, EmptyingNeverFollowsALinkOutOfItsFolder)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    fillLibrary();
    // A link inside the library to the icons folder: the link goes, the icons stay.
    std::filesystem::create_directory_symlink(root().host(kStore), root().host(std::string(kLibrary) + "linked"));
    auto result = ovrimoprefs::EmptyFolder(kLibrary);
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(exists(std::string(kStore) + kCalendar + ".png"));
    EXPECT_FALSE(exists(std::string(kLibrary) + "linked"));

    // The library folder itself a link to the icons folder: nothing is removed, and the pane
    // says so instead of reporting success.
    std::filesystem::remove_all(root().host(kLibrary));
    std::filesystem::create_directory_symlink(root().host(kStore), root().host(std::string(kLibrary).substr(0, std::string(kLibrary).size() - 1)));
    openPane("statistics");
    tapRow("clean");
    answer(ovrimoprefs::kCleanQuestion, "Delete");
    UIAlertController* alert = alertOnScreen();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->message().rfind("Error 602!", 0), 0u) << alert->message();
    EXPECT_NE(alert->message(), ovrimoprefs::kCleanDone);
    EXPECT_TRUE(exists(std::string(kStore) + kCalendar + ".png"));

    // Asked directly, the emptying refuses and says why.
    auto refused = ovrimoprefs::EmptyFolder(kLibrary);
    EXPECT_FALSE(refused.succeeded());
    EXPECT_FALSE(refused.refused.empty());
    EXPECT_TRUE(exists(std::string(kStore) + kCalendar + ".png"));
}

TEST(StatisticsMessages, WhatCouldNotBeRemovedIsNamed)
{
    EXPECT_EQ(ovrimoprefs::RestoreFailedMessage({ "a.png", "b.png" }, ""),
        "Error 601! Some of your custom icon images could not be deleted: a.png, b.png. Please try again, if the error continues then contact the developer!");
    EXPECT_EQ(ovrimoprefs::CleanFailedMessage({}, "/x is a link to another folder"),
        "Error 602! Nothing was deleted: /x is a link to another folder. Please try again, if the error continues then contact the developer!");
    std::vector<std::string> many { "1", "2", "3", "4", "5", "6", "7" };
    EXPECT_NE(ovrimoprefs::RestoreFailedMessage(many, "").find("1, 2, 3, 4, 5 and 2 more."), std::string::npos);
}

} // namespace

namespace {

TEST_F(StatisticsPane, RestoreRemovesALinkInTheStoreButNeverWhatItPointsTo)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    // A link in the store that points out of the device: the link itself goes with the store's
    // old contents; its target is never looked into.
    auto outside = std::filesystem::temp_directory_path() / ("ovrimo-outside-" + std::to_string(getpid()));
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "keep.png") << "not the device's";
    std::filesystem::create_directory_symlink(outside, root().host(std::string(kStore) + "escape"));
    openPane("statistics");
    countChanges();
    tapRow("restore");
    answer(ovrimoprefs::kRestoreQuestion, "Restore");
    answer(ovrimoprefs::kRestoreDone, "Ok");
    EXPECT_FALSE(exists(std::string(kStore) + kCalendar + ".png"));
    EXPECT_FALSE(std::filesystem::is_symlink(root().host(std::string(kStore) + "escape")));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(std::filesystem::exists(outside / "keep.png")) << "the link's target is untouched";
    std::filesystem::remove_all(outside);
}

TEST_F(StatisticsPane, EmptyingALibraryThatIsNotAFolderSaysNothingWasDeleted)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    std::string library = std::string(kLibrary).substr(0, std::string(kLibrary).size() - 1);
    std::filesystem::remove_all(root().host(library));
    std::ofstream(root().host(library)) << "a plain file where the library belongs";
    openPane("statistics");
    tapRow("clean");
    answer(ovrimoprefs::kCleanQuestion, "Delete");
    UIAlertController* alert = alertOnScreen();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->message(), ovrimoprefs::CleanFailedMessage({}, library + " is not a folder")) << alert->message();
    EXPECT_TRUE(std::filesystem::is_regular_file(root().host(library))) << "nothing was touched";
}

TEST_F(StatisticsPane, TemporariesOfWritesUnderWayAreNeitherCountedNorLeftOver)
{
    customPicture(kCalendar, kRed);
    boot("iphone8-ios12");
    fillLibrary();
    // A picture being written into each folder by this process (its temporary is live).
    std::string temporary = ".9.png.ovrimo-tmp-" + std::to_string(getpid()) + "-AbCdEf";
    std::ofstream(root().host(std::string(kStore) + temporary)) << "half a picture";
    std::ofstream(root().host(std::string(kLibrary) + temporary)) << "half a picture";
    EXPECT_EQ(ovrimoprefs::CountEntries(kStore), 1);
    EXPECT_EQ(ovrimoprefs::CountFilesBelow(kLibrary), 3);
    auto result = ovrimoprefs::EmptyFolder(kLibrary);
    EXPECT_TRUE(result.succeeded()) << result.leftOver.size();
}

} // namespace
