#pragma once

// Scenarios of the tweak on booted simulated phones: the built package (Ovrimo.dylib, its filter
// and the settings bundle's artwork) is copied into a fresh device root, preferences and custom
// pictures are written before boot when a test asks for them, and the phone boots and settles.
// Every boot gets a root of its own, so the library is loaded anew and its initializers run again.

#include "device/settings/SettingsApp.h"
#include "device/springboard/Surfaces.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "tests/device/DeviceFixture.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <variant>

namespace scenario {

using device_tests::findViews;
using device_tests::isRed;
using device_tests::Pixel;
using device_tests::pixelAt;
using device_tests::TempRoot;
using objc::msgSend;
using objc::Ref;

inline constexpr const char* kDomain = "com.zarnek.ovrimo";
inline constexpr const char* kChanged = "com.zarnek.ovrimo.prefs";
inline constexpr const char* kStore = "/var/mobile/Documents/Ovrimo/Icons/";
inline constexpr const char* kCalendar = "com.apple.mobilecal";
inline constexpr const char* kFolderKey = "com.ovrimo.folder.Utilities";

using PrefValue = std::variant<bool, long long, std::string>;

struct RGB {
    int r, g, b;
};
inline constexpr RGB kRed { 255, 0, 0 };
inline constexpr RGB kGreen { 0, 200, 0 };

inline bool isGreen(Pixel p) { return p.g > 150 && p.r < 60 && p.b < 60 && p.a > 200; }
inline bool isNearRed(Pixel p, int tolerance = 40) { return p.r > 255 - tolerance && p.g < tolerance && p.b < tolerance; }

// The centre pixel of an image's bitmap.
inline Pixel centreOf(UIImage* image)
{
    if (!image || !image->CGImage())
        return {};
    return pixelAt(image, image->CGImage()->width() / 2, image->CGImage()->height() / 2);
}

// Records every message the tweak core's triggers send to the editing workflow's OvrimoHelper,
// with the sender, in place of the workflow's own answers (its methods are replaced).
struct HelperRecorder {
    struct Message {
        std::string selector;
        Ref<objc::Object> sender;
    };
    static inline std::vector<Message> received;

    static void install()
    {
        received.clear();
        objc::Class* helper = objc::objc_getClass("OvrimoHelper");
        if (!helper)
            helper = objc::Runtime::current().registerClass("OvrimoHelper", objc::objc_getClass("NSObject"));
        for (const char* selector : { "showActionSheet:", "showSBPageActionSheet:" })
            helper->addClassMethod(selector, [selector](objc::Object*, objc::SEL, objc::Object* sender) { received.push_back({ selector, sender }); });
        helper->addClassMethod("cleanupOnDimiss", [](objc::Object*, objc::SEL) { received.push_back({ "cleanupOnDimiss", nullptr }); });
    }
    static int count(const std::string& selector)
    {
        return static_cast<int>(std::count_if(received.begin(), received.end(), [&](const Message& m) { return m.selector == selector; }));
    }
};

class ScenarioTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        HelperRecorder::received.clear();
        m_device.reset();
        m_roots.clear();
    }

    // Before boot: a preference of the domain, written as the settings would leave it on disk.
    void pref(const std::string& key, PrefValue value) { m_prefs[key] = std::move(value); }
    // Before boot (or any time: the store is read on every lookup): a solid custom picture.
    void customPicture(const std::string& key, RGB colour, int side = 120) { m_pictures[key] = { colour, side }; }
    // Before boot: a file in the store that is not a picture.
    void brokenPicture(const std::string& key) { m_broken.push_back(key); }
    // Before boot: anything else the new device root should hold (run after the other steps).
    void beforeBoot(std::function<void(const TempRoot&)> step) { m_beforeBoot.push_back(std::move(step)); }

    device::Device& boot(const std::string& profile, bool withPackage = true)
    {
        m_device.reset();
        auto root = std::make_unique<TempRoot>();
        if (withPackage)
            copyPackage(root->path());
        writePreferences(*root);
        for (auto& [key, p] : m_pictures)
            writeSolidPNG(root->host(kStore + key + ".png"), p.first, p.second);
        for (auto& key : m_broken) {
            std::filesystem::create_directories(root->host(kStore));
            std::ofstream(root->host(kStore + key + ".png")) << "this is not a picture";
        }
        for (auto& step : m_beforeBoot)
            step(*root);
        m_device = device::Device::boot(profile, root->path());
        m_roots.push_back(std::move(root));
        settle(800);
        return *m_device;
    }

    device::Device& dev() { return *m_device; }
    const TempRoot& root() const { return *m_roots.back(); }
    SBIconController* icons() { return springboard::iconController(); }
    SBUIController* ui() { return springboard::uiController(); }

    void settle(std::int64_t ms = 400)
    {
        dev().runUntilIdle();
        dev().advance(ms);
        dev().runUntilIdle();
    }

    // At run time: writes a preference into the domain and posts the change notification, as the
    // settings bundle does, then lets the run loop deliver it.
    void changePref(const std::string& key, PrefValue value)
    {
        Ref<objc::Object> object;
        if (auto* b = std::get_if<bool>(&value))
            object = NSNumber::withBool(*b);
        else if (auto* i = std::get_if<long long>(&value))
            object = NSNumber::withInteger(*i);
        else
            object = NSString::make(std::get<std::string>(value));
        CFPreferencesSetAppValue(key, object.ptr(), kDomain);
        ASSERT_TRUE(CFPreferencesAppSynchronize(kDomain));
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kChanged, nullptr, nullptr, true);
        settle();
    }

    // What the domain holds on disk now.
    Ref<NSDictionary> storedPreferences()
    {
        auto keys = CFPreferencesCopyKeyList(kDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
        return CFPreferencesCopyMultiple(keys.ptr(), kDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    }

    SBIconView* iconView(const std::string& identifier)
    {
        SBIcon* icon = icons()->model()->iconForIdentifier(identifier);
        return icon ? icons()->iconViewForIcon(icon) : nullptr;
    }
    SBIconView* folderView()
    {
        for (auto& view : icons()->visibleIconViews())
            if (view->folderIconImageView())
                return view.ptr();
        return nullptr;
    }
    // The image an icon view shows.
    UIImage* shownImage(const std::string& identifier)
    {
        SBIconView* view = iconView(identifier);
        return view ? view->iconImageView()->displayedImage() : nullptr;
    }
    // An icon's image centre and a point just inside its top left corner, in screen points.
    CGPoint iconCentre(UIView* view)
    {
        CGRect r = view->convertRectToView(view->bounds(), nullptr);
        return { CGRectGetMidX(r), r.origin.y + springboard::iconImageSide(2) / 2 };
    }
    CGPoint iconCorner(UIView* view)
    {
        CGRect r = view->convertRectToView(view->bounds(), nullptr);
        double side = springboard::iconImageSide(2);
        return { CGRectGetMidX(r) - side / 2 + 1, r.origin.y + 1 };
    }
    Pixel screenPixel(UIImage* image, CGPoint point)
    {
        double scale = image->scale();
        return pixelAt(image, static_cast<size_t>(point.x * scale), static_cast<size_t>(point.y * scale));
    }

    // A picture of the screen; written to docs/screens/tweak/ (or wherever OVRIMO_WRITE_SCREENS
    // points) when that variable is set.
    Ref<UIImage> shot(const std::string& name)
    {
        auto image = dev().screenshot();
        EXPECT_TRUE(image) << name;
        if (const char* folder = std::getenv("OVRIMO_WRITE_SCREENS"); folder && *folder && image) {
            std::filesystem::create_directories(folder);
            // Written at one pixel per point, to keep the files small.
            UIGraphicsBeginImageContextWithOptions(image->size(), false, 1.0);
            image->drawInRect(CGRectMake(0, 0, image->size().width, image->size().height));
            auto small = UIGraphicsGetImageFromCurrentImageContext();
            UIGraphicsEndImageContext();
            std::string error;
            EXPECT_TRUE(uikit::writePNG(small.ptr(), std::string(folder) + "/" + name + ".png", &error)) << error;
        }
        return image;
    }

    // The alert or sheet on screen, if any.
    UIAlertController* alertOnScreen()
    {
        UIWindow* window = dev().window();
        if (!window)
            return nullptr;
        if (auto* alert = dynamic_cast<UIAlertController*>(window->topmostViewController()))
            return alert;
        return nullptr;
    }

    // SpringBoard's editing mode, as a long press starts it.
    void enterEditing()
    {
        msgSend(icons(), "setIsEditing:", true);
        settle();
    }

    static void writeSolidPNG(const std::filesystem::path& path, RGB colour, int side)
    {
        std::filesystem::create_directories(path.parent_path());
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_write_to_png(surface, path.c_str());
        cairo_surface_destroy(surface);
    }

private:
    static void copyPackage(const std::filesystem::path& root)
    {
        const std::filesystem::path package = OVRIMO_PACKAGE_DIR;
        ASSERT_TRUE(std::filesystem::is_regular_file(package / "Library/MobileSubstrate/DynamicLibraries/Ovrimo.dylib")) << "build the Ovrimo target first";
        std::filesystem::copy(package, root, std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    }

    void writePreferences(const TempRoot& root)
    {
        if (m_prefs.empty())
            return;
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n<dict>\n";
        for (auto& [key, value] : m_prefs) {
            xml += "\t<key>" + key + "</key>\n\t";
            if (auto* b = std::get_if<bool>(&value))
                xml += *b ? "<true/>" : "<false/>";
            else if (auto* i = std::get_if<long long>(&value))
                xml += "<integer>" + std::to_string(*i) + "</integer>";
            else
                xml += "<string>" + std::get<std::string>(value) + "</string>";
            xml += "\n";
        }
        xml += "</dict>\n</plist>\n";
        auto path = root.host(corefoundation::preferencesDevicePath(kDomain));
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << xml;
    }

    std::map<std::string, PrefValue> m_prefs;
    std::map<std::string, std::pair<RGB, int>> m_pictures;
    std::vector<std::string> m_broken;
    std::vector<std::function<void(const TempRoot&)>> m_beforeBoot;
    std::vector<std::unique_ptr<TempRoot>> m_roots;
    std::unique_ptr<device::Device> m_device;
};

} // namespace scenario
