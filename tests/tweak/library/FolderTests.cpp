// The browser's folder operations, driven as a person would: long presses, swipes, the name alert,
// with the disk checked after each.

#include "LibraryFixture.h"

#include "platform/foundation/NSError.h"
#include "platform/substrate/Substrate.h"

using namespace library_tests;

namespace {

const std::string kCal = "com.apple.mobilecal.png";
const std::string kMail = "com.apple.mobilemail.png";

class Folders : public LibraryTest {
protected:
    // The name alert for a backup, reached from the custom icons row's menu.
    void startBackup()
    {
        longPress(cell(0, 0));
        ASSERT_EQ(alertMessage(), "What would you like to do with the directory Custom Icons (currently in use)?");
        choose("Backup");
        ASSERT_EQ(alertMessage(), "Enter backup folder name");
    }
    void backUpAs(const std::string& typed)
    {
        startBackup();
        dev().touch().typeText(typed);
        choose("OK");
    }
    // The row of a library folder by its name.
    UITableViewCell* folderRow(const std::string& name)
    {
        for (NSInteger row = 0; row < table()->numberOfRowsInSection(1); ++row)
            if (UITableViewCell* c = cell(1, row); c && c->textLabel()->text() == name)
                return c;
        return nullptr;
    }
    std::string lib(const std::string& rest) { return std::string(kLibrary) + rest; }
    std::string store(const std::string& rest) { return std::string(kStore) + rest; }
};

} // namespace

TEST_F(Folders, MenusDependOnTheRow)
{
    bootPhone();
    std::filesystem::create_directories(host(lib("Set A")));
    open();
    // "Icon Library": selected, but no menu.
    longPress(cell(0, 1));
    EXPECT_FALSE(alertOnScreen());
    ASSERT_TRUE(table()->indexPathForSelectedRow());
    EXPECT_EQ(table()->indexPathForSelectedRow()->row(), 1);
    // A long press is not a tap: the row's grid does not open.
    EXPECT_EQ(nav()->viewControllers().size(), 1u);

    longPress(cell(0, 0));
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "Backup", "Cancel" }));
    EXPECT_EQ(alertOnScreen()->title(), "Ovrimo");
    shot("library-backup-menu");
    choose("Cancel");

    longPress(folderRow("Set A"));
    EXPECT_EQ(alertMessage(), "What would you like to do with the directory Set A?");
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "Use as custom icons", "Delete", "Cancel" }));
    shot("library-folder-menu");
    choose("Cancel");
}

TEST_F(Folders, BackupCopiesTheStoreIntoAFolderNamedExactlyAsTyped)
{
    customPicture("com.apple.mobilecal", kRed);
    customPicture("com.apple.mobilemail", kGreen);
    bootPhone();
    open();
    startBackup();
    EXPECT_EQ(alertOnScreen()->textFields().size(), 1u);
    EXPECT_EQ(alertOnScreen()->textFields()[0]->keyboardType(), UIKeyboardTypeURL);
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "OK", "Cancel" }));
    dev().touch().typeText(" Set A ");
    shot("library-backup-name");
    choose("OK");
    expectPopup("Backup finished!");
    // Spaces kept; the store's files copied under their own names; the store untouched.
    EXPECT_EQ(namesIn(lib(" Set A ")), (std::vector<std::string> { kCal, kMail }));
    EXPECT_TRUE(isNearRed(fileCentre(lib(" Set A /") + kCal)));
    EXPECT_EQ(namesIn(kStore), (std::vector<std::string> { kCal, kMail }));
    ASSERT_TRUE(folderRow(" Set A "));
    EXPECT_EQ(folderRow(" Set A ")->detailTextLabel()->text(), "2 icons");

    // The same name again is refused with the name as typed.
    backUpAs(" Set A ");
    expectPopup("A directory with the name  Set A  already exists. Please use a different name.");
}

TEST_F(Folders, BackupRefusesNamesThatAreBlankOrLeaveTheLibrary)
{
    customPicture("com.apple.mobilecal", kRed);
    bootPhone();
    picture(lib("1.png"), kGreen);
    open();
    backUpAs(" \t ");
    expectPopup("Name cannot be empty. Please enter a correct name.");
    for (std::string bad : { "../Escaped", "a/b", ".", "..", "/" }) {
        backUpAs(bad);
        expectPopup("The name " + bad + " cannot be used for a directory. Please use a name without \"/\" that is not \".\" or \"..\".");
    }
    // A library picture's name is taken too.
    backUpAs("1.png");
    expectPopup("A directory with the name 1.png already exists. Please use a different name.");
    EXPECT_EQ(namesIn(kLibrary), std::vector<std::string> { "1.png" });
    EXPECT_EQ(namesIn("/var/mobile/Documents/Ovrimo"), (std::vector<std::string> { "IconLibrary", "Icons" }));
}

TEST_F(Folders, BackupWithoutCustomIconsSaysSo)
{
    bootPhone();
    open();
    longPress(cell(0, 0));
    choose("Backup");
    expectPopup("There are no custom icons to backup! Create custom icons first.");
    EXPECT_FALSE(exists(kLibrary));
}

TEST_F(Folders, RestoreReplacesTheStoreAndTheHomeScreenShowsTheSetAtOnce)
{
    customPicture("com.apple.mobilemail", kGreen);
    bootPhone();
    picture(lib("Set A/") + kCal, kRed);
    textFile(lib("Set A/notes.txt"));
    // Neither a link nor a nested folder is carried into the flat store.
    std::filesystem::create_directories(host(lib("Set A/nested")));
    std::filesystem::create_symlink(host(store(kMail)), host(lib("Set A/link.png")));
    EXPECT_FALSE(isNearRed(scenario::centreOf(shownImage(kCalendar))));
    open();

    longPress(folderRow("Set A"));
    choose("Use as custom icons");
    EXPECT_EQ(alertMessage(), "Warning! All your current custom icons will be deleted and replaced with the icons from the directory Set A. Make sure you "
                              "have a backup. Only the icons with matching bundle identifiers will work, random icons will have no effect. Do you want "
                              "to continue?");
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "Do it!", "Cancel" }));
    choose("Do it!");
    expectPopup("Restore finished!");
    EXPECT_EQ(namesIn(kStore), (std::vector<std::string> { kCal, "notes.txt" }));
    EXPECT_EQ(namesIn("/var/mobile/Documents/Ovrimo"), (std::vector<std::string> { "IconLibrary", "Icons" }));
    // The backup itself is unchanged.
    EXPECT_EQ(namesIn(lib("Set A")), (std::vector<std::string> { kCal, "link.png", "nested", "notes.txt" }));
    settle();
    EXPECT_TRUE(isNearRed(scenario::centreOf(shownImage(kCalendar))));
    EXPECT_EQ(cell(0, 0)->detailTextLabel()->text(), "2 icons");
}

TEST_F(Folders, ARestoreThatFailsMidwayKeepsEveryCustomIcon)
{
    customPicture("com.apple.mobilemail", kGreen);
    customPicture("com.apple.mobilecal", kGreen);
    bootPhone();
    picture(lib("Set A/a.png"), kRed);
    picture(lib("Set A/b.png"), kRed);
    picture(lib("Set A/c.png"), kRed);
    open();

    // The second copy fails, as a full disk would make it.
    static int copies = 0;
    copies = 0;
    static objc::Imp<bool(std::string, std::string, NSErrorPointer)> copy;
    MSHookMessageEx(objc::objc_getClass("NSFileManager"), "copyItemAtPath:toPath:error:",
        [](objc::Object* self, objc::SEL cmd, std::string from, std::string to, NSErrorPointer error) {
            if (++copies == 2)
                return false;
            return copy(self, cmd, from, to, error);
        },
        &copy);
    longPress(folderRow("Set A"));
    choose("Use as custom icons");
    choose("Do it!");
    expectPopup("Error 404! The restore failed. Your custom icons were left as they were. Please try again, if the error continues then contact the developer!");
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(namesIn(kStore), (std::vector<std::string> { kCal, kMail }));
    EXPECT_TRUE(isGreen(fileCentre(store(kCal))));
    EXPECT_EQ(namesIn("/var/mobile/Documents/Ovrimo"), (std::vector<std::string> { "IconLibrary", "Icons" }));
}

TEST_F(Folders, RestoreIntoAMissingStoreWorks)
{
    bootPhone();
    picture(lib("Set B/") + kCal, kRed);
    open();
    longPress(folderRow("Set B"));
    choose("Use as custom icons");
    choose("Do it!");
    expectPopup("Restore finished!");
    EXPECT_EQ(namesIn(kStore), std::vector<std::string> { kCal });
}

TEST_F(Folders, DeletingBySwipeRemovesTheFolderButNothingItsLinksPointTo)
{
    customPicture("com.apple.mobilemail", kGreen);
    bootPhone();
    picture(lib("Set A/a.png"), kRed);
    picture(lib("Set B/b.png"), kRed);
    std::filesystem::create_symlink(host(store(kMail)), host(lib("Set B/link.png")));
    std::filesystem::create_symlink(host(kStore), host(lib("Set B/store")));
    open();

    UITableViewCell* second = folderRow("Set B");
    ASSERT_TRUE(second);
    CGPoint middle = centreOf(second);
    dev().touch().swipe(middle, CGPointMake(middle.x - 150, middle.y));
    settle();
    ASSERT_TRUE(second->isShowingDeleteConfirmation());
    tap(second->deleteConfirmationButton());
    EXPECT_EQ(alertMessage(), "All the icons in the directory Set B will be permanently deleted, do you really want to continue?");
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "Delete", "Cancel" }));
    choose("Delete");
    expectPopup("The directory Set B was successfully deleted!");
    EXPECT_FALSE(exists(lib("Set B")));
    EXPECT_TRUE(exists(lib("Set A/a.png")));
    EXPECT_EQ(namesIn(kStore), std::vector<std::string> { kMail });
    EXPECT_EQ(table()->numberOfRowsInSection(1), 1);
    EXPECT_FALSE(folderRow("Set B"));

    // The fixed rows cannot be swiped.
    CGPoint top = centreOf(cell(0, 0));
    dev().touch().swipe(top, CGPointMake(top.x - 150, top.y));
    settle();
    EXPECT_FALSE(cell(0, 0)->isShowingDeleteConfirmation());
    EXPECT_EQ(nav()->viewControllers().size(), 1u) << "a swipe is no tap: no grid opens";
}

TEST_F(Folders, DeleteFromTheMenuAsksTheSameQuestion)
{
    bootPhone();
    picture(lib("Set A/a.png"), kRed);
    open();
    longPress(folderRow("Set A"));
    choose("Delete");
    EXPECT_EQ(alertMessage(), "All the icons in the directory Set A will be permanently deleted, do you really want to continue?");
    choose("Cancel");
    EXPECT_TRUE(exists(lib("Set A/a.png")));
}

TEST_F(Folders, NumberedNamesFillGapsAndNeverReuseATakenName)
{
    bootPhone();
    open();
    // The library root is made on first use.
    EXPECT_EQ(lib::sel::getNextAvailableFileName(browser), lib("1.png"));
    EXPECT_TRUE(exists(kLibrary));
    for (int n = 1; n <= 49'999; ++n)
        if (n != 7)
            std::ofstream(host(lib(std::to_string(n) + ".png")));
    EXPECT_EQ(lib::sel::getNextAvailableFileName(browser), lib("7.png"));
    std::ofstream(host(lib("7.png")));
    // Every numbered name taken: a free one above them.
    std::string fallback = lib::sel::getNextAvailableFileName(browser);
    ASSERT_EQ(fallback.rfind(kLibrary, 0), 0u);
    long number = std::stol(fallback.substr(std::string(kLibrary).size()));
    EXPECT_GT(number, 50'000);
    EXPECT_FALSE(exists(fallback));
}
