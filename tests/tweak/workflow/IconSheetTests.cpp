// The icon sheet and what its actions do to the store and the library: restoring, saving to the
// library and its numbering, on phones with and without a floating dock.

#include "WorkflowFixture.h"

#include "tweak/workflow/IconLibraryFiles.h"

using namespace workflow_tests;

namespace {

class IconSheet : public WorkflowTest { };

const std::vector<std::string> kAppActions { "Restore original", "Replace from photo library", "Replace from URL", "Replace from icon library",
    "Save to icon library", "Cancel" };

} // namespace

TEST_F(IconSheet, OffersSixActionsForAnAppAndFiveForAFolderAsASheetOrAnAlert)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    UIAlertController* sheet = openSheet(kMail);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->preferredStyle(), UIAlertControllerStyleActionSheet);
    EXPECT_EQ(sheet->title(), "Ovrimo");
    EXPECT_EQ(sheet->message(), "What would you like to do with the icon image for Mail?");
    EXPECT_EQ(actionTitles(sheet), kAppActions);
    ASSERT_TRUE(openEdit() && openEdit()->single());
    EXPECT_EQ(openEdit()->single()->key, kMail);
    EXPECT_EQ(openEdit()->single()->path, storeFile(kMail));
    EXPECT_EQ(openEdit()->name(), "Mail");
    choose("Cancel");
    EXPECT_FALSE(openEdit()) << "the sheet's Cancel ends the edit";

    // A folder's picture cannot be saved: no "Save to icon library". Folders open their sheet
    // with the "+" button.
    changePref("activationmethodsingle", 1LL);
    dev().pressHome();
    settle();
    SBIconView* folder = folderView();
    ASSERT_TRUE(folder);
    dev().touch().longPress(iconCentre(folder), 1.0);
    settle();
    UIView* button = folder->viewWithTag(121345);
    ASSERT_TRUE(button);
    CGRect rect = uikit::visibleRectOf(button);
    dev().touch().tap(CGPointMake(CGRectGetMidX(rect), CGRectGetMidY(rect)));
    settle();
    auto titles = actionTitles(alertOnScreen());
    std::vector<std::string> folderActions = kAppActions;
    folderActions.erase(folderActions.begin() + 4);
    EXPECT_EQ(titles, folderActions);
}

TEST_F(IconSheet, ATapOnAFolderInEditingModeOpensItsSheetAndNotTheFolder)
{
    // The tap trigger takes the touch from the folder's icon view: the folder stays closed behind
    // the sheet and after it, and the page button then works on the home page.
    pref("firstrun", false);
    pref("activationmethodsingle", 4LL);
    pref("activationmethodmulti", 4LL);
    boot("iphone8-ios12");
    SBIconView* folder = folderView();
    ASSERT_TRUE(folder);
    dev().touch().longPress(iconCentre(folder), 1.0);
    settle();
    ASSERT_TRUE(icons()->isEditing());
    dev().touch().tap(iconCentre(folder));
    settle();
    UIAlertController* sheet = alertOnScreen();
    ASSERT_TRUE(sheet);
    EXPECT_NE(sheet->message().find("Utilities"), std::string::npos) << sheet->message();
    EXPECT_FALSE(icons()->openFolderController()) << "the folder opened behind its sheet";
    choose("Cancel");
    settle(1000);
    EXPECT_FALSE(icons()->openFolderController());
    EXPECT_TRUE(icons()->isEditing());

    // A tap on an app with the tap trigger: its sheet, no launch.
    dev().touch().tap(iconCentre(iconView(kMail)));
    settle();
    ASSERT_TRUE(alertOnScreen());
    EXPECT_EQ(dev().foregroundApp(), "");
    choose("Cancel");
}

TEST_F(IconSheet, AFloatingDockShowsTheChoicesAsAnAlert)
{
    pref("firstrun", false);
    boot("ipadpro-ios13");
    UIAlertController* sheet = openSheet(kMail);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->preferredStyle(), UIAlertControllerStyleAlert);
    EXPECT_EQ(actionTitles(sheet), kAppActions);
}

TEST_F(IconSheet, ASenderThatIsNoIconViewGetsError143AndLeavesTheEditAlone)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    beginEdit(kMail);
    ASSERT_TRUE(openEdit());
    std::uint64_t open = openEdit()->number;
    // A button lying on no icon view, as a stray trigger would be.
    Ref<UIButton> stray = UIButton::buttonWithType(UIButtonTypeCustom);
    dev().window()->addSubview(stray);
    msgSend(objc::objc_getClass("OvrimoHelper"), "showActionSheet:", stray.ptr());
    settle();
    EXPECT_EQ(alertMessage(), "Error 143! Something went wrong. Please try again, if the error continues then contact the developer!");
    ASSERT_TRUE(openEdit());
    EXPECT_EQ(openEdit()->number, open);
}

TEST_F(IconSheet, RestoreFollowsTheDefaultActions)
{
    pref("firstrun", false);
    customPicture(kMail, kGreen);
    boot("iphone8-ios12");
    ASSERT_TRUE(isGreen(centreOf(shownImage(kMail))));

    // Neither default set: the question, whose Cancel keeps the file.
    openSheet(kMail);
    choose("Restore original");
    EXPECT_EQ(alertMessage(), "Restoring orginal icon for the app Mail. What would you like to do with the custom icon?");
    EXPECT_EQ(actionTitles(alertOnScreen()), (std::vector<std::string> { "Remove permanently", "Move to icon library", "Cancel" }));
    choose("Cancel");
    EXPECT_TRUE(exists(storeFile(kMail)));
    EXPECT_FALSE(openEdit());

    // "Move to icon library": the picture goes to the first free number, the icon is SpringBoard's again.
    openSheet(kMail);
    choose("Restore original");
    choose("Move to icon library");
    EXPECT_FALSE(exists(storeFile(kMail)));
    ASSERT_TRUE(exists(libraryFile(1)));
    EXPECT_TRUE(isGreen(centreOf(picture(libraryFile(1)))));
    EXPECT_FALSE(isGreen(centreOf(shownImage(kMail)))) << "the icon is redrawn at once";

    // "defaultactionreplace" 2: kept in the library without a question.
    customPicture(kMail, kRed);
    writeSolidPNG(host(storeFile(kMail)), kRed, 120);
    changePref("defaultactionreplace", 2LL);
    openSheet(kMail);
    choose("Restore original");
    EXPECT_FALSE(alertOnScreen());
    EXPECT_FALSE(exists(storeFile(kMail)));
    EXPECT_TRUE(exists(libraryFile(2))) << "the next number, never over 1.png";
    EXPECT_TRUE(isGreen(centreOf(picture(libraryFile(1)))));

    // "defaultactionrestore" 1 wins over the replace key: removed, nothing kept.
    writeSolidPNG(host(storeFile(kMail)), kRed, 120);
    changePref("defaultactionrestore", 1LL);
    openSheet(kMail);
    choose("Restore original");
    EXPECT_FALSE(alertOnScreen());
    EXPECT_FALSE(exists(storeFile(kMail)));
    EXPECT_FALSE(exists(libraryFile(3)));

    // No custom file: nothing asked, nothing kept, the edit ends.
    openSheet(kMail);
    choose("Restore original");
    EXPECT_FALSE(alertOnScreen());
    EXPECT_FALSE(exists(libraryFile(3)));
    EXPECT_FALSE(openEdit());
}

TEST_F(IconSheet, SaveToLibraryWritesWhatTheIconShowsAndSaysDoneOnlyWhenItWasWritten)
{
    pref("firstrun", false);
    customPicture(kMail, kGreen);
    boot("iphone8-ios12");
    // A gap at 1.png is filled before 3.png.
    writeSolidPNG(host(libraryFile(2)), kRed, 8);
    openSheet(kMail);
    choose("Save to icon library");
    EXPECT_EQ(alertMessage(), "Done! The current icon image was successfully saved in the icon library!");
    ASSERT_TRUE(exists(libraryFile(1)));
    EXPECT_TRUE(isGreen(centreOf(picture(libraryFile(1)))));
    EXPECT_TRUE(exists(storeFile(kMail))) << "saving leaves the custom icon in use";
    choose("OK");
    EXPECT_EQ(editedKey(), kMail) << "saving does not end the edit";

    // A library that cannot be written: a numbered error, not "Done!".
    std::filesystem::remove_all(host(kLibrary));
    std::ofstream(host(std::string(kLibrary).substr(0, std::string(kLibrary).size() - 1))) << "a file where the folder should be";
    openSheet(kMail);
    choose("Save to icon library");
    EXPECT_EQ(alertMessage(), "Error 153! Something went wrong. Please try again, if the error continues then contact me!");
}

TEST_F(IconSheet, LibraryNumberingFillsGapsAndNeverOverwrites)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    EXPECT_EQ(ovrimo::NextIconLibraryPath(), libraryFile(1));
    EXPECT_TRUE(std::filesystem::is_directory(host(kLibrary))) << "the folder is made on the way";
    std::filesystem::create_directories(host(libraryFile(1)));
    std::ofstream(host(libraryFile(3))) << "x";
    EXPECT_EQ(ovrimo::NextIconLibraryPath(), libraryFile(2)) << "a folder named 1.png is taken too";

    // Every numbered name taken: a free random one, never an existing file.
    for (int n = 1; n <= ovrimo::kNumberedLibraryNames; ++n)
        std::ofstream(host(libraryFile(n))) << "x";
    for (int i = 0; i < 3; ++i) {
        auto path = ovrimo::NextIconLibraryPath();
        ASSERT_TRUE(path);
        EXPECT_FALSE(exists(*path)) << *path;
        EXPECT_EQ(path->rfind(kLibrary, 0), 0u);
        std::ofstream(host(*path)) << "taken now";
    }
}
