#pragma once

// The kit as a third-party settings pane uses it: a PreferenceLoader entry and a bundle whose
// specifier list ("Controls") names the kit's cells and screens, opened in the simulated Settings
// app and driven with a finger through the touch driver.

#include "device/settings/SettingsApp.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSString.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UISlider.h"
#include "tests/platform/preferences/PreferencesTestSupport.h"
#include "zarnekprefs/ZarnekPrefs.h"

#include <cstdlib>

namespace controls_test {

using objc::msgSend;
using objc::Object;
using objc::Ref;

inline constexpr const char* kDomain = "com.demo.controls";
inline constexpr const char* kBundle = "controlsdemo";

class ControlsTest : public PreferencesTest {
protected:
    ControlsTest()
    {
        device::settings::registerSettingsClasses(env.runtime());
        zarnek::RegisterZarnekPrefsClasses(env.runtime());
    }

    // Installs the entry and the bundle with `rows` (the plist text of the list's "items").
    void installPane(const std::string& rows)
    {
        writePlist(std::string(device::settings::kPreferenceLoaderFolder) + "/" + kBundle + ".plist",
            std::string("<dict><key>entry</key><dict><key>cell</key><string>PSLinkCell</string><key>bundle</key><string>") + kBundle
                + "</string><key>label</key><string>Controls</string><key>isController</key><true/></dict></dict>");
        std::string folder = std::string(device::settings::kPreferenceBundlesFolder) + "/" + kBundle + ".bundle";
        writePlist(folder + "/Info.plist", "<dict><key>CFBundleIdentifier</key><string>com.demo.controls</string>"
                                           "<key>NSPrincipalClass</key><string>ControlsDemoListController</string></dict>");
        writePlist(folder + "/Controls.plist", "<dict><key>title</key><string>Controls</string><key>items</key><array>" + rows + "</array></dict>");
        objc::Class* pane = env.runtime().registerClass("ControlsDemoListController", env.runtime().requireClass("PSListController"));
        pane->addMethod("specifiers", [](PSListController* self, objc::SEL) {
            if (!self->storedSpecifiers())
                self->setStoredSpecifiers(self->loadSpecifiersFromPlistName("Controls", self));
            return Ref<NSArray>(self->storedSpecifiers());
        });
    }

    // A solid picture file inside the pane's bundle.
    void installPicture(const std::string& name, CGSize size, double r, double g, double b)
    {
        UIGraphicsBeginImageContextWithOptions(size, false, 1);
        CGContextSetRGBFillColor(UIGraphicsGetCurrentContext(), r, g, b, 1);
        UIRectFill(CGRectMake(0, 0, size.width, size.height));
        auto png = UIImagePNGRepresentation(UIGraphicsGetImageFromCurrentImageContext());
        UIGraphicsEndImageContext();
        writeDeviceFile(std::string(device::settings::kPreferenceBundlesFolder) + "/" + kBundle + ".bundle/" + name, std::string(png->begin(), png->end()));
    }

    // Opens Settings, then the pane.
    PSListController* openPane()
    {
        Ref<UINavigationController> app = device::settings::openSettings();
        showInNavigation(app->topViewController());
        auto* root = dynamic_cast<PSListController*>(navigation->topViewController());
        EXPECT_NE(root, nullptr);
        auto specifier = root->specifierForID(kBundle);
        auto path = msgSend<Ref<NSIndexPath>>(root, "indexPathForSpecifier:", specifier.ptr());
        EXPECT_TRUE(path);
        if (!path)
            return nullptr;
        root->table()->scrollToRowAtIndexPath(path, false);
        tapRow(root, path->section(), path->row());
        pane = dynamic_cast<PSListController*>(navigation->topViewController());
        EXPECT_NE(pane, root);
        return pane;
    }

    // The pane's cell for a row id.
    UITableViewCell* paneCell(const std::string& identifier)
    {
        auto path = msgSend<Ref<NSIndexPath>>(pane, "indexPathForSpecifier:", pane->specifierForID(identifier).ptr());
        EXPECT_TRUE(path) << identifier;
        if (!path)
            return nullptr;
        pane->table()->scrollToRowAtIndexPath(path, false);
        return cellAt(pane, path->section(), path->row());
    }
    void tapPaneRow(const std::string& identifier)
    {
        auto path = msgSend<Ref<NSIndexPath>>(pane, "indexPathForSpecifier:", pane->specifierForID(identifier).ptr());
        ASSERT_TRUE(path) << identifier;
        pane->table()->scrollToRowAtIndexPath(path, false);
        tapRow(pane, path->section(), path->row());
    }

    // Taps the middle of a view with a finger.
    void tapView(UIView* view)
    {
        ASSERT_NE(view, nullptr);
        CGRect frame = view->convertRectToView(view->bounds(), nullptr);
        touch.tap(CGPointMake(CGRectGetMidX(frame), CGRectGetMidY(frame)));
        settle();
    }
    // Taps a row of a plain table (a control's own screen), scrolling it into view first.
    void tapTableRow(UITableView* table, NSInteger section, NSInteger row)
    {
        auto path = NSIndexPath::indexPathForRow(row, section);
        table->scrollToRowAtIndexPath(path, false);
        window->layoutIfNeeded();
        tapView(table->cellForRowAtIndexPath(path));
    }

    Ref<Object> stored(const std::string& key, const std::string& domain = kDomain)
    {
        CFPreferencesAppSynchronize(domain);
        return CFPreferencesCopyAppValue(key, domain);
    }
    std::string storedString(const std::string& key, const std::string& domain = kDomain)
    {
        auto stringHeld = stored(key, domain);
        auto* string = dynamic_cast<NSString*>(stringHeld.ptr());
        return string ? string->value() : std::string("<none>");
    }
    void store(const std::string& key, Object* value, const std::string& domain = kDomain)
    {
        CFPreferencesSetAppValue(key, value, domain);
        ASSERT_TRUE(CFPreferencesAppSynchronize(domain));
    }
    int postedCount(const std::string& name) const { return static_cast<int>(std::count(posted.begin(), posted.end(), name)); }

    UIAlertController* shownAlert()
    {
        UIViewController* top = window->topmostViewController();
        return dynamic_cast<UIAlertController*>(top);
    }

    // The screen as a picture; written to docs/screens/controls/<name>.png when
    // OVRIMO_WRITE_SCREENS names a folder.
    Ref<UIImage> shot(const std::string& name)
    {
        window->layoutIfNeeded();
        Ref<UIImage> image = uikit::Renderer::renderView(window, 2);
        EXPECT_TRUE(image) << name;
        if (const char* folder = std::getenv("OVRIMO_WRITE_SCREENS"); folder && *folder && image) {
            std::filesystem::create_directories(folder);
            std::string error;
            EXPECT_TRUE(uikit::writePNG(image.ptr(), std::string(folder) + "/" + name + ".png", &error)) << error;
        }
        return image;
    }

    PSListController* pane = nullptr;
};

} // namespace controls_test
