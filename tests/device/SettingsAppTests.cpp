#include "device/settings/SettingsApp.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/preferences/PSListController.h"
#include "platform/substrate/Injector.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIAlertController.h"
#include "tests/device/DeviceFixture.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/platform/preferences/PreferencesTestSupport.h"

#include <map>

using graphics_test::kBlue;
using graphics_test::pixelAt;
using objc::Class;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace {

class SettingsTest : public PreferencesTest {
protected:
    SettingsTest() { device::settings::registerSettingsClasses(env.runtime()); }

    PSListController* open()
    {
        Ref<UINavigationController> app = device::settings::openSettings();
        showInNavigation(app->topViewController());
        root = dynamic_cast<PSListController*>(navigation->topViewController());
        return root;
    }

    // Where the root list shows the row with `identifier`.
    std::pair<NSInteger, NSInteger> rowOf(const std::string& identifier)
    {
        auto path = msgSend<Ref<NSIndexPath>>(root, "indexPathForSpecifier:", root->specifierForID(identifier).ptr());
        EXPECT_TRUE(path) << identifier << " is not in the list";
        return path ? std::make_pair(path->section(), path->row()) : std::make_pair<NSInteger, NSInteger>(-1, -1);
    }

    UITableViewCell* cellOf(const std::string& identifier)
    {
        auto [section, row] = rowOf(identifier);
        root->table()->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(row, section), false);
        return cellAt(root, section, row);
    }

    void tapEntry(const std::string& identifier)
    {
        auto [section, row] = rowOf(identifier);
        root->table()->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(row, section), false);
        tapRow(root, section, row);
    }

    // A PreferenceLoader entry file and, when `withBundle`, its bundle with an Info.plist naming
    // `principal` and a list file "Demo".
    void installEntry(const std::string& bundle, const std::string& label, const std::string& principal, bool withBundle)
    {
        writePlist(std::string(device::settings::kPreferenceLoaderFolder) + "/" + bundle + ".plist",
            "<dict><key>entry</key><dict><key>cell</key><string>PSLinkCell</string><key>bundle</key><string>" + bundle
                + "</string><key>label</key><string>" + label + "</string><key>icon</key><string>icon.png</string>"
                + "<key>isController</key><true/></dict></dict>");
        if (!withBundle)
            return;
        std::string folder = std::string(device::settings::kPreferenceBundlesFolder) + "/" + bundle + ".bundle";
        writePlist(folder + "/Info.plist", "<dict><key>CFBundleIdentifier</key><string>com.demo." + bundle
                + "</string><key>NSPrincipalClass</key><string>" + principal + "</string></dict>");
        writePlist(folder + "/Demo.plist", R"(<dict><key>title</key><string>Demo Pane</string><key>items</key><array>
            <dict><key>cell</key><string>PSGroupCell</string><key>label</key><string>Main</string></dict>
            <dict><key>cell</key><string>PSSwitchCell</string><key>label</key><string>Enabled</string>
                  <key>defaults</key><string>com.demo</string><key>key</key><string>enabled</string><key>default</key><true/></dict>
        </array></dict>)");
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(60, 60), false, 1);
        CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), 0, 1, 0, 1);
        UIRectFill(CGRectMake(0, 0, 60, 60));
        auto png = UIImagePNGRepresentation(UIGraphicsGetImageFromCurrentImageContext());
        UIGraphicsEndImageContext();
        writeDeviceFile(folder + "/icon.png", std::string(png->begin(), png->end()));
    }

    // The pane class a settings bundle's code registers: it loads "Demo" from its bundle.
    void registerDemoPane()
    {
        Class* pane = env.runtime().registerClass("DemoPrefsListController", env.runtime().requireClass("PSListController"));
        pane->addMethod("specifiers", [](PSListController* self, SEL) {
            if (!self->storedSpecifiers())
                self->setStoredSpecifiers(self->loadSpecifiersFromPlistName("Demo", self));
            return Ref<NSArray>(self->storedSpecifiers());
        });
    }

    UIAlertController* shownAlert() { return dynamic_cast<UIAlertController*>(navigation->presentedViewController()); }

    PSListController* root = nullptr;
};

Ref<UIImage> solid(double r, double g, double b)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(29, 29), false, 2);
    CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), r, g, b, 1);
    UIRectFill(CGRectMake(0, 0, 29, 29));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

} // namespace

TEST_F(SettingsTest, RootListShowsTheSystemEntriesWithTheirIcons)
{
    open();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->title(), "Settings");
    std::map<std::string, std::string> labels;
    for (const auto& entry : device::settings::systemEntries())
        if (!entry.identifier.empty())
            labels[entry.identifier] = entry.label;
    EXPECT_EQ(labels["WILLOW"], "Home");
    EXPECT_EQ(labels["MEDIALIBRARY"], "Music");
    for (const char* id : { "FACETIME", "CALENDAR", "PHOTOS", "WILLOW", "CAMERA", "MEDIALIBRARY", "CONTACTS", "REMINDERS", "STORE", "GENERAL", "DISPLAY" }) {
        UITableViewCell* cell = cellOf(id);
        ASSERT_NE(cell, nullptr) << id;
        EXPECT_EQ(cell->textLabel()->text(), labels[id]);
        ASSERT_NE(cell->imageView()->image(), nullptr) << id << " has its icon";
        EXPECT_EQ(cell->imageView()->image()->size().width, 29);
        EXPECT_EQ(cell->imageView()->image()->size().height, 29);
    }

    tapEntry("WILLOW");
    auto* pane = dynamic_cast<PSListController*>(navigation->topViewController());
    ASSERT_NE(pane, nullptr);
    EXPECT_NE(pane, root);
    EXPECT_EQ(pane->title(), "Home") << "a system entry opens a placeholder pane";
}

TEST_F(SettingsTest, AReplacedSetIconChangesTheRenderedCell)
{
    // What a tweak does: every icon a Settings cell is given passes through its replacement,
    // which finds the entry by its specifier's identifier.
    Ref<UIImage> blue = solid(0, 0, 1);
    std::vector<std::string> identifiers;
    objc::Imp<void(UIImage*)> previous;
    MSHookMessageEx(objc::objc_getClass("PSTableCell"), "setIcon:", [&](PSTableCell* self, SEL cmd, UIImage* icon) {
        auto specifier = msgSend<Ref<PSSpecifier>>(self, "specifier");
        std::string id = specifier ? msgSend<std::string>(specifier, "identifier") : std::string();
        identifiers.push_back(id);
        previous(self, cmd, id == "WILLOW" ? blue.ptr() : icon);
    }, &previous);
    open();

    UITableViewCell* home = cellOf("WILLOW");
    UITableViewCell* camera = cellOf("CAMERA");
    ASSERT_NE(home, nullptr);
    ASSERT_NE(camera, nullptr);
    EXPECT_NE(std::find(identifiers.begin(), identifiers.end(), "WILLOW"), identifiers.end());
    auto picture = uikit::Renderer::renderView(home, 2);
    ASSERT_TRUE(picture);
    CGRect icon = home->imageView()->convertRectToView(home->imageView()->bounds(), home);
    auto middle = pixelAt(picture->CGImage(), static_cast<size_t>((icon.origin.x + icon.size.width / 2) * 2), static_cast<size_t>((icon.origin.y + icon.size.height / 2) * 2));
    EXPECT_EQ(middle, kBlue) << "the replacement's picture is what the cell draws";
    auto other = uikit::Renderer::renderView(camera, 2);
    EXPECT_NE(pixelAt(other->CGImage(), static_cast<size_t>((icon.origin.x + icon.size.width / 2) * 2), static_cast<size_t>((icon.origin.y + icon.size.height / 2) * 2)), kBlue);
}

TEST_F(SettingsTest, PreferenceLoaderEntryOpensItsBundlesPrincipalClass)
{
    installEntry("demoprefs", "Demo", "DemoPrefsListController", true);
    registerDemoPane();
    open();
    UITableViewCell* cell = cellOf("demoprefs");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->textLabel()->text(), "Demo");
    ASSERT_NE(cell->imageView()->image(), nullptr);
    EXPECT_EQ(cell->imageView()->image()->size().width, 29) << "the bundle's icon is fitted to the list";
    auto [section, row] = rowOf("demoprefs");
    EXPECT_EQ(section, root->table()->numberOfSections() - 1) << "bundle entries come in the last group";

    tapEntry("demoprefs");
    auto* pane = dynamic_cast<PSListController*>(navigation->topViewController());
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(objc::classNameOf(pane), "DemoPrefsListController");
    EXPECT_EQ(pane->bundle()->bundlePath(), "/Library/PreferenceBundles/demoprefs.bundle");
    EXPECT_EQ(pane->title(), "Demo Pane");
    EXPECT_EQ(pane->specifiers()->count(), 2u);
    EXPECT_NE(dynamic_cast<PSSwitchTableCell*>(cellAt(pane, 0, 0)), nullptr);
}

TEST_F(SettingsTest, MissingBundleOrClassShowsAnAlertAndTheAppGoesOn)
{
    installEntry("gone", "Gone", "", false);
    installEntry("classless", "Classless", "NotLoadedController", true);
    installEntry("notapane", "Not a pane", "NSString", true);
    writePlist(std::string(device::settings::kPreferenceLoaderFolder) + "/escape.plist",
        "<dict><key>entry</key><dict><key>bundle</key><string>../../etc</string><key>label</key><string>Escape</string></dict></dict>");
    writeDeviceFile(std::string(device::settings::kPreferenceLoaderFolder) + "/broken.plist", "<plist><dict>");
    open();
    EXPECT_EQ(root->specifierForID("broken"), nullptr) << "an unreadable entry file is skipped";

    for (const char* id : { "gone", "classless", "notapane", "../../etc" }) {
        tapEntry(id);
        UIAlertController* alert = shownAlert();
        ASSERT_NE(alert, nullptr) << id;
        EXPECT_EQ(alert->title(), "Settings");
        EXPECT_FALSE(alert->message().empty());
        EXPECT_EQ(navigation->viewControllers().size(), 1u) << id << " pushed nothing";
        alert->tapAction(alert->actions().front());
        settle();
        EXPECT_EQ(navigation->presentedViewController(), nullptr);
    }
}

TEST_F(SettingsTest, StartingInjectsTheLibrariesForTheSettingsApp)
{
    auto folder = env.hostPath(substrate::kDynamicLibrariesFolder);
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(INJECTED_LIBRARY_PATH, folder / "Marker.dylib");
    writePlist(std::string(substrate::kDynamicLibrariesFolder) + "/Marker.plist",
        "<dict><key>Filter</key><dict><key>Bundles</key><array><string>com.apple.Preferences</string></array></dict></dict>");
    EXPECT_EQ(objc::objc_getClass("InjectedFirst"), nullptr);
    open();
    EXPECT_NE(objc::objc_getClass("InjectedFirst"), nullptr);
}

class SettingsOnDevice : public device_tests::DeviceTest { };

TEST_F(SettingsOnDevice, LaunchingPreferencesShowsSettingsAndHomeLeavesIt)
{
    device::settings::registerSettingsApp();
    boot();
    ASSERT_TRUE(dev().launch(device::settings::kBundleIdentifier));
    EXPECT_EQ(dev().foregroundApp(), device::settings::kBundleIdentifier);
    dev().advance(1000);
    auto* navigation = dynamic_cast<UINavigationController*>(icons()->rootViewController()->presentedViewController());
    ASSERT_NE(navigation, nullptr) << "the Settings app is on screen";
    EXPECT_EQ(objc::classNameOf(navigation->topViewController()), "PrefsListController");
    dev().pressHome();
    dev().advance(1000);
    EXPECT_EQ(dev().foregroundApp(), "");
}
