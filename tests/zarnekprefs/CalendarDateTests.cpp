// The colour picker on a booted phone with the tweak installed: choosing a colour for
// "calendardate" in Settings prints the calendar's date in that colour on the home screen at once.

#include "tests/tweak/ScenarioFixture.h"

#include "platform/preferences/PSListController.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UITableView.h"
#include "zarnekprefs/ZarnekPrefs.h"
#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPicker.h"

namespace {

using namespace scenario;

class CalendarDateFromSettings : public ScenarioTest {
protected:
    // A settings pane of our own, with the row the settings bundle gives "calendardate".
    void installPane()
    {
        auto write = [&](const std::string& devicePath, const std::string& body) {
            auto host = root().host(devicePath);
            std::filesystem::create_directories(host.parent_path());
            std::ofstream(host) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" << body << "</plist>\n";
        };
        write("/Library/PreferenceLoader/Preferences/datepane.plist",
            "<dict><key>entry</key><dict><key>cell</key><string>PSLinkCell</string><key>bundle</key><string>datepane</string>"
            "<key>label</key><string>Date pane</string><key>isController</key><true/></dict></dict>");
        write("/Library/PreferenceBundles/datepane.bundle/Info.plist",
            "<dict><key>CFBundleIdentifier</key><string>com.demo.datepane</string><key>NSPrincipalClass</key><string>DatePaneListController</string></dict>");
        write("/Library/PreferenceBundles/datepane.bundle/Date.plist",
            "<dict><key>items</key><array><dict><key>cell</key><string>PSGroupCell</string></dict>"
            "<dict><key>cell</key><string>PSLinkCell</string><key>id</key><string>calendardate</string><key>label</key><string>Calendar date</string>"
            "<key>detail</key><string>ZarnekColorPicker</string><key>cellClass</key><string>ZarnekColorPickerLinkCell</string>"
            "<key>key</key><string>calendardate</string><key>defaults</key><string>com.zarnek.ovrimo</string><key>default</key><string>none</string>"
            "<key>PostNotification</key><string>com.zarnek.ovrimo.prefs</string><key>allowAutomatic</key><false/></dict></array></dict>");
        objc::Runtime& runtime = objc::Runtime::current();
        zarnek::RegisterZarnekPrefsClasses(runtime);
        objc::Class* pane = runtime.registerClass("DatePaneListController", runtime.requireClass("PSListController"));
        pane->addMethod("specifiers", [](PSListController* self, objc::SEL) {
            if (!self->storedSpecifiers())
                self->setStoredSpecifiers(self->loadSpecifiersFromPlistName("Date", self));
            return Ref<NSArray>(self->storedSpecifiers());
        });
    }

    UINavigationController* settingsApp() { return dynamic_cast<UINavigationController*>(icons()->rootViewController()->presentedViewController()); }

    void tapCell(UITableView* table, NSIndexPath* path)
    {
        table->scrollToRowAtIndexPath(path, false);
        dev().window()->layoutIfNeeded();
        UITableViewCell* cell = table->cellForRowAtIndexPath(path);
        ASSERT_NE(cell, nullptr);
        CGRect frame = cell->convertRectToView(cell->bounds(), nullptr);
        touch.tap(CGPointMake(frame.origin.x + 40, CGRectGetMidY(frame)));
        settle(600);
    }
    void tapRowWithID(PSListController* list, const std::string& id)
    {
        auto path = msgSend<Ref<NSIndexPath>>(list, "indexPathForSpecifier:", list->specifierForID(id).ptr());
        ASSERT_TRUE(path) << id;
        tapCell(list->table(), path);
    }
    // Pixels of the calendar icon's image near pure red, and green ones.
    std::pair<int, int> printPixels()
    {
        UIImage* image = shownImage(kCalendar);
        int red = 0, green = 0;
        if (!image)
            return { -1, -1 };
        CGImage* cg = image->CGImage().ptr();
        for (size_t y = 0; y < cg->height(); ++y)
            for (size_t x = 0; x < cg->width(); ++x) {
                Pixel p = pixelAt(image, x, y);
                red += isNearRed(p, 90) && p.a > 200;
                green += isGreen(p);
            }
        return { red, green };
    }

    uikit::TouchDriver touch;
};

} // namespace

TEST_F(CalendarDateFromSettings, ChoosingAColourPrintsTheDateInItAtOnce)
{
    pref("firstrun", false);
    customPicture(kCalendar, kGreen);
    boot("iphone8-ios12");
    installPane();
    auto [red, green] = printPixels();
    EXPECT_EQ(red, 0) << "no date print while \"calendardate\" is absent";
    EXPECT_GT(green, 1000);

    device::settings::registerSettingsApp();
    ASSERT_TRUE(dev().launch(device::settings::kBundleIdentifier));
    settle(1000);
    UINavigationController* app = settingsApp();
    ASSERT_NE(app, nullptr);
    auto* root = dynamic_cast<PSListController*>(app->topViewController());
    ASSERT_NE(root, nullptr);
    tapRowWithID(root, "datepane");
    auto* pane = dynamic_cast<PSListController*>(app->topViewController());
    ASSERT_NE(pane, nullptr);
    ASSERT_NE(pane, root);
    tapRowWithID(pane, "calendardate");
    auto* picker = dynamic_cast<ZarnekColorPicker*>(app->topViewController());
    ASSERT_NE(picker, nullptr);

    // Crayons, "Marascino": pure red.
    tapCell(dynamic_cast<UITableView*>(picker->view().ptr()), NSIndexPath::indexPathForRow(12, 2));
    Ref<NSDictionary> stored = storedPreferences();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->stringForKey("calendardate").value_or(""), "#FF0000") << "exactly the form the tweak reads";
    std::tie(red, green) = printPixels();
    EXPECT_GT(red, 200) << "the home screen's calendar prints its date in red at once";
    EXPECT_GT(green, red);

    // Back to "None": the print goes away again.
    tapCell(dynamic_cast<UITableView*>(picker->view().ptr()), NSIndexPath::indexPathForRow(0, 0));
    EXPECT_EQ(storedPreferences()->stringForKey("calendardate").value_or(""), "none");
    std::tie(red, green) = printPixels();
    EXPECT_EQ(red, 0);

    // Red again, then home: the icon on the screen carries the red print.
    tapCell(dynamic_cast<UITableView*>(picker->view().ptr()), NSIndexPath::indexPathForRow(12, 2));
    dev().pressHome();
    settle(1000);
    Ref<UIImage> home = shot("calendar-date-from-settings");
    ASSERT_TRUE(home);
    CGRect icon = iconView(kCalendar)->convertRectToView(iconView(kCalendar)->bounds(), nullptr);
    int onScreen = 0;
    for (double y = icon.origin.y; y < icon.origin.y + springboard::iconImageSide(2); y += 0.5)
        for (double x = icon.origin.x; x < CGRectGetMaxX(icon); x += 0.5)
            onScreen += isNearRed(screenPixel(home, CGPointMake(x, y)), 90);
    EXPECT_GT(onScreen, 50);
}
