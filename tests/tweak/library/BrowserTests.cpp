// The icon library browser: the overview table, the grids, and what tapping a picture does in
// manage mode and in choose mode.

#include "LibraryFixture.h"

#include "platform/uikit/UIScrollView.h"

using namespace library_tests;

namespace {

bool isBlue(UIColor* colour)
{
    CGFloat r = 0, g = 0, b = 0, a = 0;
    return colour && colour->getRed(&r, &g, &b, &a) && r < 0.1 && g < 0.1 && b > 0.9;
}

} // namespace

TEST_F(LibraryTest, OverviewCountsEveryEntryAndShowsTheFirstPictureAt35Points)
{
    customPicture("com.apple.mobilemail", kRed, 120);
    customPicture("com.apple.mobilecal", kGreen, 120);
    bootPhone();
    picture(std::string(kLibrary) + "1.png", kGreen, 70);
    // A folder's count is every entry in it, pictures or not, folders included.
    picture(std::string(kLibrary) + "Set A/a.png", kRed, 200);
    textFile(std::string(kLibrary) + "Set A/readme.txt");
    std::filesystem::create_directories(host(std::string(kLibrary) + "Set A/nested"));
    std::filesystem::create_directories(host(std::string(kLibrary) + "Empty"));
    open();

    ASSERT_TRUE(table());
    EXPECT_EQ(table()->numberOfSections(), 2);
    EXPECT_EQ(table()->numberOfRowsInSection(0), 2);
    EXPECT_EQ(table()->numberOfRowsInSection(1), 2);
    EXPECT_EQ(page()->title(), "Ovrimo - Icon Library");
    EXPECT_EQ(page()->navigationItem()->prompt(), "Tap and hold on a directory to edit it. Swipe left to delete.");

    UITableViewCell* custom = cell(0, 0);
    ASSERT_TRUE(custom);
    EXPECT_EQ(custom->textLabel()->text(), "Custom Icons (currently in use)");
    EXPECT_EQ(custom->detailTextLabel()->text(), "2 icons");
    EXPECT_TRUE(isBlue(custom->textLabel()->textColor()));
    EXPECT_EQ(table()->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0)).size.height, 50);
    // The thumbnail's longer side shows as 35 points, whatever the picture's size.
    EXPECT_NEAR(custom->imageView()->transform().a, 35.0 / 120, 1e-6);
    UITableViewCell* libraryRow = cell(0, 1);
    EXPECT_EQ(libraryRow->textLabel()->text(), "Icon Library");
    EXPECT_EQ(libraryRow->detailTextLabel()->text(), "1 icons");
    EXPECT_NEAR(libraryRow->imageView()->transform().d, 35.0 / 70, 1e-6);

    UITableViewCell* empty = cell(1, 0);
    UITableViewCell* setA = cell(1, 1);
    ASSERT_TRUE(empty && setA);
    EXPECT_EQ(empty->textLabel()->text(), "Empty");
    EXPECT_EQ(empty->detailTextLabel()->text(), "0 icons");
    EXPECT_FALSE(empty->imageView()->image());
    EXPECT_EQ(setA->detailTextLabel()->text(), "3 icons");
    EXPECT_NEAR(setA->imageView()->transform().a, 35.0 / 200, 1e-6);
    EXPECT_FALSE(isBlue(setA->textLabel()->textColor()));
    EXPECT_EQ(table()->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 1)).size.height, 40);
    EXPECT_EQ(table()->rectForHeaderInSection(1).size.height, 30);
    EXPECT_EQ(table()->rectForHeaderInSection(0).size.height, 0);
    EXPECT_TRUE(uikit::findViewWithLabel(dev().window(), "Icon Library - subdirectories"));

    // Portrait only, whatever the device is turned to.
    EXPECT_FALSE(lib::sel::shouldAutorotate(browser));
    EXPECT_EQ(lib::sel::supportedInterfaceOrientations(browser), static_cast<std::uint64_t>(UIInterfaceOrientationMaskPortrait));
    shot("library-overview");

    // Cancel reports to the delegate and leaves the dismissal to it.
    tapLabel("Cancel");
    EXPECT_EQ(DelegateRecorder::cancels, 1);
    EXPECT_EQ(DelegateRecorder::lastBrowser.ptr(), browser.ptr());
    EXPECT_TRUE(browser->presentingViewController());
}

TEST_F(LibraryTest, ASpecialFileInTheLibraryNeitherHangsTheOverviewNorShowsAsAPicture)
{
    bootPhone();
    std::filesystem::create_directories(host(kLibrary));
    // Listed first: its thumbnail would be read before any other.
    ASSERT_EQ(mkfifo(host(std::string(kLibrary) + "0-fifo").c_str(), 0600), 0);
    picture(std::string(kLibrary) + "1.png", kGreen);
    open();
    UITableViewCell* libraryRow = cell(0, 1);
    ASSERT_TRUE(libraryRow);
    EXPECT_EQ(libraryRow->detailTextLabel()->text(), "2 icons");
    EXPECT_FALSE(libraryRow->imageView()->image());
}

TEST_F(LibraryTest, AGridShowsTheOverlayFirstThenFourTilesARowWithTheChequerboardBeneath)
{
    bootPhone();
    for (int n = 1; n <= 5; ++n)
        picture(std::string(kLibrary) + std::to_string(n) + ".png", n == 5 ? kRed : kGreen);
    // A transparent picture lets the chequerboard show through.
    std::filesystem::copy_file(host("/Library/PreferenceBundles/ovrimoprefs.bundle/ovrimo_popup.png"), host(std::string(kLibrary) + "6.png"));
    open();
    ASSERT_TRUE(cell(0, 1));
    dev().touch().tap(centreOf(cell(0, 1)));
    dev().runUntilIdle();
    // The overlay is up and the grid not yet pushed.
    EXPECT_TRUE(uikit::findViewWithLabel(dev().window(), "Loading icons..."));
    EXPECT_EQ(nav()->viewControllers().size(), 1u);
    settle();
    ASSERT_EQ(nav()->viewControllers().size(), 2u);
    EXPECT_FALSE(uikit::findViewWithLabel(dev().window(), "Loading icons..."));
    EXPECT_EQ(page()->title(), "Icon Library");
    EXPECT_EQ(page()->navigationItem()->prompt(), "Tap on a icon to remove it.");
    EXPECT_EQ(nav()->viewControllers()[0]->navigationItem()->backBarButtonItem()->title(), "Back");

    // 320 points wide: tiles of 55 with 20 between and around them, a new row after four.
    auto all = tiles();
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[0]->frame(), CGRectMake(20, 20, 55, 55));
    EXPECT_EQ(all[3]->frame(), CGRectMake(245, 20, 55, 55));
    EXPECT_EQ(all[4]->frame(), CGRectMake(20, 95, 55, 55));
    auto* scroll = dynamic_cast<UIScrollView*>(all[0]->superview());
    ASSERT_TRUE(scroll);
    EXPECT_EQ(scroll->contentSize(), CGSizeMake(300, 170));
    EXPECT_TRUE(all[0]->image());
    EXPECT_EQ(tileButton(4)->tag(), 4);
    EXPECT_TRUE(tileButton(4)->currentBackgroundImage());
    shot("library-grid");

    // Back to the overview, then the custom icons: in manage mode a tap there does nothing.
    tapLabel("Back");
    EXPECT_EQ(nav()->viewControllers().size(), 1u);
}

TEST_F(LibraryTest, ManageModeRemovesALibraryPictureButNeverACustomIcon)
{
    customPicture("com.apple.mobilemail", kRed);
    bootPhone();
    picture(std::string(kLibrary) + "1.png", kGreen);
    picture(std::string(kLibrary) + "2.png", kRed);
    open();

    tap(cell(0, 0));
    ASSERT_EQ(page()->title(), "Custom Icons");
    EXPECT_EQ(page()->navigationItem()->prompt(), "");
    tap(tileButton(0));
    EXPECT_FALSE(alertOnScreen());
    tapLabel("Back");

    tap(cell(0, 1));
    ASSERT_EQ(tiles().size(), 2u);
    CGRect secondPlace = tiles()[1]->frame();
    tap(tileButton(0));
    EXPECT_EQ(alertMessage(), "Are you sure that you want to remove this icon?");
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "Remove", "Cancel" }));
    shot("library-remove-sheet");
    choose("Cancel");
    EXPECT_TRUE(exists(std::string(kLibrary) + "1.png"));

    tap(tileButton(0));
    choose("Remove");
    expectPopup("The icon was successfully removed!");
    EXPECT_FALSE(exists(std::string(kLibrary) + "1.png"));
    EXPECT_TRUE(exists(kStore + std::string("com.apple.mobilemail.png")));
    // The other tile keeps its place; the overview's count follows.
    ASSERT_EQ(tiles().size(), 1u);
    EXPECT_EQ(tiles()[0]->frame(), secondPlace);
    tapLabel("Back");
    EXPECT_EQ(cell(0, 1)->detailTextLabel()->text(), "1 icons");
}

TEST_F(LibraryTest, ChooseModeHandsThePictureOverAtOnceWhenTheAppHasNoCustomIcon)
{
    bootPhone();
    picture(std::string(kLibrary) + "1.png", kRed);
    std::string savePath = kStore + std::string("com.apple.mobilecal.png");
    open("Calendar", savePath);
    EXPECT_EQ(page()->title(), "App - Calendar");
    EXPECT_EQ(page()->navigationItem()->prompt(), "Ovrimo - Icon Library");
    tap(cell(0, 1));
    EXPECT_EQ(page()->title(), "App - Calendar");
    EXPECT_EQ(page()->navigationItem()->prompt(), "Icon Library");
    tap(tileButton(0));
    EXPECT_FALSE(alertOnScreen());
    ASSERT_EQ(DelegateRecorder::chosen.size(), 1u);
    EXPECT_TRUE(isNearRed(scenario::centreOf(DelegateRecorder::chosen[0])));
    EXPECT_EQ(DelegateRecorder::lastBrowser.ptr(), browser.ptr());
}

TEST_F(LibraryTest, ChooseModeAsksAboutAnExistingIconAndKeepsItUnderTheLowestFreeNumber)
{
    customPicture("com.apple.mobilecal", kGreen);
    bootPhone();
    picture(std::string(kLibrary) + "1.png", kRed);
    picture(std::string(kLibrary) + "3.png", kRed);
    std::string savePath = kStore + std::string("com.apple.mobilecal.png");
    open("Calendar", savePath);
    EXPECT_EQ(lib::sel::getNextAvailableFileName(browser), std::string(kLibrary) + "2.png");
    tap(cell(0, 1));

    tap(tileButton(0));
    EXPECT_EQ(alertMessage(), "A custom icon for the app Calendar already exists. What do you want to do with it?");
    EXPECT_EQ(actionTitles(), (std::vector<std::string> { "Overwrite", "Move to icon library", "Cancel" }));
    shot("library-overwrite-question");
    choose("Cancel");
    EXPECT_TRUE(DelegateRecorder::chosen.empty());

    tap(tileButton(0));
    choose("Move to icon library");
    ASSERT_EQ(DelegateRecorder::chosen.size(), 1u);
    EXPECT_TRUE(isNearRed(scenario::centreOf(DelegateRecorder::chosen[0])));
    // The old icon now lives in the gap, 2.png; nothing was overwritten.
    EXPECT_TRUE(isGreen(fileCentre(std::string(kLibrary) + "2.png")));
    EXPECT_TRUE(isNearRed(fileCentre(std::string(kLibrary) + "3.png")));

    tap(tileButton(0));
    choose("Overwrite");
    EXPECT_EQ(DelegateRecorder::chosen.size(), 2u);
    EXPECT_EQ(namesIn(kLibrary), (std::vector<std::string> { "1.png", "2.png", "3.png" }));
}

TEST_F(LibraryTest, ADelegateThatDoesNotConformHearsNothing)
{
    bootPhone();
    picture(std::string(kLibrary) + "1.png", kRed);
    objc::Class* half = objc::Runtime::current().registerClass("HalfDelegate", objc::objc_getClass("NSObject"));
    static int heard = 0;
    heard = 0;
    half->addClassMethod("iconSelectorDidCancel:", [](objc::Object*, objc::SEL, objc::Object*) { ++heard; });
    open("Calendar", kStore + std::string("com.apple.mobilecal.png"), false);
    lib::setDelegate(browser, half);
    tapLabel("Cancel");
    EXPECT_EQ(heard, 0);
}
