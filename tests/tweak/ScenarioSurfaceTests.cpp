// Custom pictures in the store reach every surface that shows an icon, behind the "enabled" and
// "systemwide" switches; folders in both modes; the calendar's date print; damaged files.

#include "ScenarioFixture.h"

#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"

using namespace scenario;

namespace {

// How many image views below `root` show an image whose centre is red.
int redPictures(UIView* root)
{
    int count = 0;
    for (UIView* v : findViews(root, [](UIView* v) { return dynamic_cast<UIImageView*>(v) != nullptr; }))
        count += isRed(centreOf(static_cast<UIImageView*>(v)->image()));
    return count;
}

class Surfaces : public ScenarioTest {
protected:
    // Red pictures for the calendar (notifications, widgets, search), the dock's Safari, the clock,
    // Notes (the switcher) and Home (the Settings entry "WILLOW"); green for the Utilities folder.
    void storeCustomPictures()
    {
        pref("firstrun", false);
        for (const char* key : { kCalendar, "com.apple.mobilesafari", "com.apple.mobiletimer", "com.apple.mobilenotes", "com.apple.Home" })
            customPicture(key, kRed);
        customPicture(kFolderKey, kGreen);
    }

    SBFolderIconImageView* folderImage() { return folderView() ? folderView()->folderIconImageView() : nullptr; }

    // The home-screen surfaces, custom or not.
    void expectHomeScreen(bool custom)
    {
        EXPECT_EQ(isRed(centreOf(shownImage(kCalendar))), custom) << "calendar";
        EXPECT_EQ(isRed(centreOf(shownImage("com.apple.mobiletimer"))), custom) << "clock";
        UIImage* dock = nullptr;
        for (auto& view : icons()->dockList()->iconViews())
            if (view->icon()->identifier() == "com.apple.mobilesafari")
                dock = view->iconImageView()->displayedImage();
        EXPECT_EQ(isRed(centreOf(dock)), custom) << "dock";
        ASSERT_NE(folderImage(), nullptr);
        EXPECT_EQ(isGreen(centreOf(folderImage()->gridWrapper()->image())), custom) << "folder";
        // Icons without a picture never change.
        EXPECT_FALSE(isRed(centreOf(shownImage("com.apple.mobilemail"))));
    }

    // The surfaces beyond the home screen, custom or not.
    void expectSystemwide(bool custom, const std::string& screens = "")
    {
        dev().postNotification(kCalendar, "Dentist", "Tomorrow at 9:00");
        EXPECT_EQ(redPictures(springboard::surface("banner")), custom ? 1 : 0) << "banner";
        if (!screens.empty())
            shot("notification");
        dev().pressHome();

        dev().showWidgets();
        // Up Next (the calendar's) and Notes, each with its icon and its settings icon.
        EXPECT_EQ(redPictures(springboard::surface("widgets")), custom ? 4 : 0) << "widgets";
        if (!screens.empty())
            shot("widgets");
        dev().pressHome();

        // Calendar, Camera, Calculator and Podcasts match; only the calendar has a picture, and
        // it is among the suggestions too.
        dev().showSearch("ca");
        EXPECT_EQ(redPictures(springboard::surface("search")), custom ? 2 : 0) << "search";
        if (!screens.empty())
            shot("search");
        dev().pressHome();

        ASSERT_TRUE(dev().launch("com.apple.mobilenotes"));
        ASSERT_TRUE(dev().launch("com.apple.mobilemail"));
        dev().showSwitcher();
        settle();
        EXPECT_EQ(redPictures(springboard::surface("switcher")), custom ? 1 : 0) << "switcher on " << dev().profile().name;
        if (!screens.empty())
            shot("switcher");
        dev().pressHome();

        device::settings::registerSettingsApp();
        ASSERT_TRUE(dev().launch("com.apple.Preferences"));
        settle();
        PSTableCell* home = nullptr;
        for (UIView* v : findViews(dev().window(), [](UIView* v) { return dynamic_cast<PSTableCell*>(v) != nullptr; })) {
            auto* cell = static_cast<PSTableCell*>(v);
            if (cell->specifier() && cell->specifier()->identifier() == "WILLOW")
                home = cell;
        }
        ASSERT_NE(home, nullptr) << "no WILLOW cell on screen";
        EXPECT_EQ(isRed(centreOf(home->imageView()->image())), custom) << "Settings";
        // Entries without a picture keep theirs (Notes, Calendar and Safari have one too).
        int red = 0;
        for (UIView* v : findViews(dev().window(), [](UIView* v) { return dynamic_cast<PSTableCell*>(v) != nullptr; }))
            red += isRed(centreOf(static_cast<PSTableCell*>(v)->imageView()->image()));
        if (custom)
            EXPECT_GE(red, 1);
        else
            EXPECT_EQ(red, 0);
        if (!screens.empty())
            shot("settings");
        dev().pressHome();
    }
};

} // namespace

TEST_F(Surfaces, OnePictureReachesEverySurface)
{
    storeCustomPictures();
    boot("iphone8-ios12");
    expectHomeScreen(true);
    // The shaped picture keeps the icon's rounded outline: its corners are transparent.
    EXPECT_EQ(pixelAt(shownImage(kCalendar), 1, 1).a, 0);
    auto home = shot("home");
    EXPECT_TRUE(isRed(screenPixel(home, iconCentre(iconView(kCalendar)))));
    EXPECT_FALSE(isRed(screenPixel(home, iconCorner(iconView(kCalendar)))));
    EXPECT_FALSE(isRed(screenPixel(home, iconCentre(iconView("com.apple.mobilemail")))));
    EXPECT_TRUE(isGreen(screenPixel(home, iconCentre(folderView()))));
    expectSystemwide(true, "screens");
}

TEST_F(Surfaces, DeckSwitcherBulletinsAndSuggestionsOnOlderSystems)
{
    storeCustomPictures();
    boot("iphone7-ios10");
    expectHomeScreen(true);
    expectSystemwide(true);

    // On 9 the banner draws the bulletin's section icon; the deck switcher is the same.
    boot("iphone5-ios9");
    expectHomeScreen(true);
    dev().postNotification(kCalendar, "Dentist", "Tomorrow at 9:00");
    EXPECT_EQ(redPictures(springboard::surface("banner")), 1);
    dev().pressHome();
    ASSERT_TRUE(dev().launch("com.apple.mobilenotes"));
    dev().showSwitcher();
    EXPECT_EQ(redPictures(springboard::surface("switcher")), 1);
}

TEST_F(Surfaces, SuggestionsShowTheirAppsPicture)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    dev().showSearch("");
    auto suggestions = findViews(springboard::surface("search"), [](UIView* v) { return objc::isKindOfClass(v, "APWAppIconAndLabelView"); });
    ASSERT_FALSE(suggestions.empty());
    EXPECT_EQ(redPictures(springboard::surface("search")), 0);
    std::string chosen = msgSend<std::string>(suggestions.front(), "bundleIdentifier");
    dev().pressHome();
    // The store is read on every lookup: a picture written now shows the next time.
    writeSolidPNG(root().host(std::string(kStore) + chosen + ".png"), kRed, 120);
    dev().showSearch("");
    suggestions = findViews(springboard::surface("search"), [](UIView* v) { return objc::isKindOfClass(v, "APWAppIconAndLabelView"); });
    int red = 0;
    for (UIView* s : suggestions) {
        auto* button = dynamic_cast<UIButton*>(objc::getIvar<Ref<UIButton>>(s, "_iconButton").ptr());
        ASSERT_NE(button, nullptr);
        bool isChosen = msgSend<std::string>(s, "bundleIdentifier") == chosen;
        EXPECT_EQ(isRed(centreOf(button->imageForState(UIControlStateNormal))), isChosen);
        red += isChosen;
    }
    EXPECT_EQ(red, 1);
    dev().pressHome();
    changePref("systemwide", false);
    dev().showSearch("");
    EXPECT_EQ(redPictures(springboard::surface("search")), 0);
}

TEST_F(Surfaces, SystemwideOffKeepsPicturesOnTheHomeScreenOnly)
{
    storeCustomPictures();
    pref("systemwide", false);
    boot("iphone8-ios12");
    expectHomeScreen(true);
    expectSystemwide(false);
}

TEST_F(Surfaces, SystemwideOffOnNineKeepsBulletinsAndSearchRowsOriginal)
{
    // Search on 9 has no image class of its own; its rows must still not show the picture that
    // the home screen's icons get. The bulletins' replacement is the only one beyond the home
    // screen on 9.
    storeCustomPictures();
    pref("systemwide", false);
    boot("iphone5-ios9");
    expectHomeScreen(true);
    // Bulletins draw the banner and the notification list on 9.
    dev().postNotification(kCalendar, "Dentist", "Tomorrow at 9:00");
    EXPECT_EQ(redPictures(springboard::surface("banner")), 0) << "banner";
    dev().pressHome();
    dev().showNotificationCenter();
    EXPECT_EQ(redPictures(springboard::surface("notifications")), 0) << "notification list";
    dev().pressHome();
    dev().showSearch("ca");
    ASSERT_NE(springboard::surface("search"), nullptr);
    auto rows = findViews(springboard::surface("search"), [](UIView* v) { return v->accessibilityLabel() == "Calendar"; });
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(redPictures(springboard::surface("search")), 0);
    auto screen = shot("search-nine-systemwide-off");
    CGRect row = rows.front()->convertRectToView(rows.front()->bounds(), nullptr);
    // The row's icon sits at its left, 29 points high.
    EXPECT_FALSE(isRed(screenPixel(screen, { row.origin.x + 24, row.origin.y + 24 })));
}

TEST_F(Surfaces, DisablingAtRunTimeRestoresEverySurface)
{
    storeCustomPictures();
    pref("folderoverlay", 1LL);
    boot("iphone8-ios12");
    ASSERT_TRUE(isRed(centreOf(shownImage(kCalendar))));
    ASSERT_NE(folderImage()->viewWithTag(12344312), nullptr);
    changePref("enabled", false);
    settle(1100);
    // The folder's cover is gone and its own background and grid are back.
    EXPECT_EQ(folderImage()->viewWithTag(12344312), nullptr);
    EXPECT_EQ(folderImage()->backgroundView()->alpha(), 1.0);
    EXPECT_EQ(msgSend<double>(folderImage(), "iconGridImageAlpha"), 1.0);
    changePref("folderoverlay", 0LL);
    expectHomeScreen(false);
    auto home = dev().screenshot();
    EXPECT_FALSE(isRed(screenPixel(home, iconCentre(iconView(kCalendar)))));
    expectSystemwide(false);

    // And back on: the pictures return without a reboot.
    changePref("enabled", true);
    settle(1100);
    expectHomeScreen(true);
}

TEST_F(Surfaces, FolderGridAndOverlayModes)
{
    storeCustomPictures();
    boot("iphone8-ios12");
    SBFolderIconImageView* folder = folderImage();
    ASSERT_NE(folder, nullptr);
    // Grid mode: the picture replaces the mini grid, clipped to the folder's outline; the folder's
    // own background stays.
    UIImage* grid = folder->gridWrapper()->image();
    EXPECT_TRUE(isGreen(centreOf(grid)));
    EXPECT_EQ(pixelAt(grid, 0, 0).a, 0);
    EXPECT_EQ(folder->backgroundView()->alpha(), 1.0);
    EXPECT_EQ(folder->viewWithTag(12344312), nullptr);
    auto home = shot("folder-grid");
    EXPECT_TRUE(isGreen(screenPixel(home, iconCentre(folderView()))));

    // Overlay mode: a cover of the folder's whole size; background and grid hidden.
    changePref("folderoverlay", 1LL);
    auto cover = dynamic_cast<UIImageView*>(folder->viewWithTag(12344312).ptr());
    ASSERT_NE(cover, nullptr);
    EXPECT_EQ(cover->superview(), folder);
    EXPECT_EQ(cover->frame(), CGRectMake(0, 0, folder->frame().size.width, folder->frame().size.height));
    EXPECT_TRUE(isGreen(centreOf(cover->image())));
    EXPECT_EQ(folder->backgroundView()->alpha(), 0.0);
    EXPECT_EQ(msgSend<double>(folder, "iconGridImageAlpha"), 0.0);
    home = shot("folder-overlay");
    EXPECT_TRUE(isGreen(screenPixel(home, iconCentre(folderView()))));
    // Only one cover however often the folder is laid out.
    msgSend(folder, "updateImageAnimated:", true);
    folder->setNeedsLayout();
    folder->layoutIfNeeded();
    EXPECT_EQ(findViews(folder, [](UIView* v) { return v->tag() == 12344312; }).size(), 1u);

    // Opening and closing the folder keeps its cover.
    dev().touch().tap(iconCentre(folderView()));
    settle();
    ASSERT_NE(icons()->openFolderController(), nullptr);
    dev().pressHome();
    settle();
    EXPECT_NE(folder->viewWithTag(12344312), nullptr);

    // Back to grid mode: the cover goes, background and grid come back.
    changePref("folderoverlay", 0LL);
    EXPECT_EQ(folder->viewWithTag(12344312), nullptr);
    EXPECT_EQ(folder->backgroundView()->alpha(), 1.0);
    EXPECT_EQ(msgSend<double>(folder, "iconGridImageAlpha"), 1.0);
    EXPECT_TRUE(isGreen(centreOf(folder->gridWrapper()->image())));
}

TEST_F(Surfaces, CalendarDatePrintedOverThePicture)
{
    auto printPixels = [&](UIImage* image, int& red, int& green) {
        red = green = 0;
        CGImage* cg = image->CGImage().ptr();
        for (size_t y = 0; y < cg->height(); ++y)
            for (size_t x = 0; x < cg->width(); ++x) {
                Pixel p = pixelAt(image, x, y);
                red += isNearRed(p, 90) && p.a > 200;
                green += isGreen(p);
            }
    };
    pref("firstrun", false);
    pref("calendardate", std::string("#FF0000"));
    customPicture(kCalendar, kGreen);
    boot("iphone8-ios12");
    UIImage* icon = shownImage(kCalendar);
    ASSERT_NE(icon, nullptr);
    int red = 0, green = 0;
    printPixels(icon, red, green);
    // The weekday and the day print in red over a mostly green picture, inside the outline.
    EXPECT_GT(red, 200);
    EXPECT_GT(green, red);
    shot("calendar-date");

    changePref("calendardate", std::string("none"));
    printPixels(shownImage(kCalendar), red, green);
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 1000);
}

TEST_F(Surfaces, AFileThatIsNotAPictureLeavesTheOriginal)
{
    pref("firstrun", false);
    boot("iphone8-ios12");
    Pixel original = centreOf(shownImage(kCalendar));
    Pixel originalCorner = pixelAt(shownImage(kCalendar), 20, 20);

    brokenPicture(kCalendar);
    brokenPicture(kFolderKey);
    pref("folderoverlay", 1LL);
    boot("iphone8-ios12");
    Pixel now = centreOf(shownImage(kCalendar));
    EXPECT_EQ(std::tie(now.r, now.g, now.b, now.a), std::tie(original.r, original.g, original.b, original.a));
    Pixel corner = pixelAt(shownImage(kCalendar), 20, 20);
    EXPECT_EQ(std::tie(corner.r, corner.g, corner.b), std::tie(originalCorner.r, originalCorner.g, originalCorner.b));
    // The folder keeps its normal look, and the other surfaces show the original too.
    EXPECT_EQ(folderImage()->viewWithTag(12344312), nullptr);
    EXPECT_EQ(folderImage()->backgroundView()->alpha(), 1.0);
    dev().postNotification(kCalendar, "Dentist", "Tomorrow at 9:00");
    EXPECT_EQ(redPictures(springboard::surface("banner")), 0);
    dev().pressHome();
    dev().showWidgets();
    EXPECT_NE(springboard::surface("widgets"), nullptr);
    dev().pressHome();
    dev().showSearch("cal");
    EXPECT_NE(springboard::surface("search"), nullptr);
}

TEST_F(Surfaces, VersionGatesDecideWhatReachesTheScreen)
{
    storeCustomPictures();
    // Pictures on the surfaces of the gated rows: banner, widgets, search, switcher.
    auto gatedSurfaces = [&] {
        std::map<std::string, int> red;
        dev().postNotification(kCalendar, "Dentist", "Tomorrow at 9:00");
        red["banner"] = redPictures(springboard::surface("banner"));
        dev().pressHome();
        dev().showWidgets();
        red["widgets"] = redPictures(springboard::surface("widgets"));
        dev().pressHome();
        dev().showSearch("ca");
        red["search"] = redPictures(springboard::surface("search"));
        dev().pressHome();
        EXPECT_TRUE(dev().launch("com.apple.mobilenotes"));
        dev().showSwitcher();
        settle();
        red["switcher"] = redPictures(springboard::surface("switcher"));
        dev().pressHome();
        return red;
    };
    using Counts = std::map<std::string, int>;

    // Every class of 12.4 is there, but CoreFoundation is below 1348: no replacement for
    // notifications, widgets, search or the fluid switcher, although the system is above 11.
    boot("test-ios12-cf1300");
    ASSERT_TRUE(objc::objc_getClass("SBFluidSwitcherIconImageContainerView") && objc::objc_getClass("WGWidgetInfo"));
    expectHomeScreen(true);
    EXPECT_EQ(gatedSurfaces(), (Counts { { "banner", 0 }, { "search", 0 }, { "switcher", 0 }, { "widgets", 0 } }));

    // The same classes on a device that reports 10.3: all of them but the fluid switcher's.
    boot("test-ios12-reports10.3");
    ASSERT_TRUE(objc::objc_getClass("SBFluidSwitcherIconImageContainerView"));
    EXPECT_EQ(gatedSurfaces(), (Counts { { "banner", 1 }, { "search", 2 }, { "switcher", 0 }, { "widgets", 4 } }));

    // Exactly 11.0 is new enough for the fluid switcher.
    boot("test-ios11.0");
    EXPECT_EQ(gatedSurfaces(), (Counts { { "banner", 1 }, { "search", 2 }, { "switcher", 1 }, { "widgets", 4 } }));
}

TEST_F(Surfaces, OpeningAFolderInOverlayModeSkipsOneLayout)
{
    storeCustomPictures();
    pref("folderoverlay", 1LL);
    boot("iphone8-ios12");
    SBFolderIconImageView* folder = folderImage();
    ASSERT_NE(folder, nullptr);
    auto cover = [&] { return dynamic_cast<UIImageView*>(folder->viewWithTag(12344312).ptr()); };
    ASSERT_NE(cover(), nullptr);
    ASSERT_TRUE(isGreen(centreOf(cover()->image())));

    // A new picture is stored, then the folder opens: the layout that comes with the opening
    // leaves the cover as it is.
    writeSolidPNG(root().host(std::string(kStore) + kFolderKey + ".png"), kRed, 120);
    dev().touch().tap(iconCentre(folderView()));
    ASSERT_NE(icons()->openFolderController(), nullptr);
    folder->layoutIfNeeded();
    settle();
    ASSERT_NE(cover(), nullptr);
    EXPECT_TRUE(isGreen(centreOf(cover()->image())));
    // The next one rebuilds it.
    folder->setNeedsLayout();
    folder->layoutIfNeeded();
    ASSERT_NE(cover(), nullptr);
    EXPECT_TRUE(isRed(centreOf(cover()->image())));
    dev().touch().tap({ 20, 150 });
    settle();
    ASSERT_EQ(icons()->openFolderController(), nullptr);
    EXPECT_TRUE(isRed(screenPixel(dev().screenshot(), iconCentre(folderView()))));

    // Opening an app marks nothing: the next folder layout rebuilds at once.
    writeSolidPNG(root().host(std::string(kStore) + kFolderKey + ".png"), kGreen, 120);
    ASSERT_TRUE(dev().launch("com.apple.mobilenotes"));
    dev().pressHome();
    settle();
    folder->setNeedsLayout();
    folder->layoutIfNeeded();
    EXPECT_TRUE(isGreen(centreOf(cover()->image())));
}

TEST_F(Surfaces, SettingsCellsTakeTheirKeyInOrder)
{
    // Red for Home (the "WILLOW" entry), green for Notes, blue for Safari.
    pref("firstrun", false);
    customPicture("com.apple.Home", kRed);
    customPicture("com.apple.mobilenotes", kGreen);
    customPicture("com.apple.mobilesafari", { 0, 0, 230 });
    boot("iphone8-ios12");
    auto isBlue = [](Pixel p) { return p.b > 180 && p.r < 60 && p.g < 60; };
    auto original = device_tests::solidImage(UIColor::whiteColor().ptr(), 29);
    // A cell given `original`, with the lazy icon identifier and the specifier's
    // identifier and "restrictByID" as asked; what it shows.
    auto shown = [&](const std::string& lazy, const char* identifier, const char* restrictByID) {
        Ref<PSSpecifier> specifier;
        if (identifier) {
            specifier = PSSpecifier::preferenceSpecifierNamed("Entry", nullptr, nullptr, nullptr, nullptr, PSLinkCell, nullptr);
            specifier->setIdentifier(identifier);
            if (restrictByID)
                specifier->setProperty(NSString::make(restrictByID), "restrictByID");
        }
        auto cell = PSTableCell::createWithClass(objc::objc_getClass("PSTableCell"), UITableViewCellStyleDefault, "entry", specifier);
        if (!lazy.empty())
            msgSend(cell, "setLazyIconID:", lazy);
        msgSend(cell, "setIcon:", original.ptr());
        return centreOf(cell->imageView()->image());
    };
    EXPECT_TRUE(isRed(shown("", "WILLOW", nullptr))) << "the identifier table";
    EXPECT_TRUE(isGreen(shown("", "WILLOW", "com.apple.mobilenotes"))) << "restrictByID before the table";
    EXPECT_TRUE(isBlue(shown("com.apple.mobilesafari", "WILLOW", "com.apple.mobilenotes"))) << "the lazy identifier first";
    EXPECT_TRUE(isBlue(shown("com.apple.mobilesafari", nullptr, nullptr))) << "the lazy identifier needs no specifier";
    Pixel plain = shown("", nullptr, nullptr);
    EXPECT_TRUE(plain.r > 230 && plain.g > 230 && plain.b > 230) << "no key: the icon it was given";
    plain = shown("", "NOT_IN_THE_TABLE", nullptr);
    EXPECT_TRUE(plain.r > 230 && plain.g > 230 && plain.b > 230);
}

TEST_F(Surfaces, TheLaunchCrossfadeKeepsItsCornersWhileEnabled)
{
    // Unshaped pictures ("generatemethod" 1) are square: only a corner mask would round them.
    pref("firstrun", false);
    pref("generatemethod", 1LL);
    customPicture("com.apple.mobilemail", kRed);
    boot("iphone8-ios12");
    // The crossfade an app launch grows out of the icon, drawn alone, as it is right away.
    auto crossfade = [&] {
        msgSend(icons(), "_launchIcon:", icons()->model()->iconForIdentifier("com.apple.mobilemail"));
        auto found = findViews(dev().window(), [](UIView* v) { return objc::isKindOfClass(v, "SBIconImageCrossfadeView"); });
        return found.empty() ? Ref<UIImage>() : uikit::Renderer::renderView(found.front());
    };
    auto picture = crossfade();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(isRed(centreOf(picture)));
    EXPECT_TRUE(isRed(pixelAt(picture, 3, 3))) << "its corner is masked off";
    dev().pressHome();
    settle();

    // Disabled, SpringBoard rounds it again.
    changePref("enabled", false);
    picture = crossfade();
    ASSERT_TRUE(picture);
    EXPECT_GT(centreOf(picture).a, 200);
    EXPECT_EQ(pixelAt(picture, 3, 3).a, 0);
}
