#include "device/settings/SettingsApp.h"

#include "device/Device.h"
#include "device/springboard/IconArt.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/foundation/FoundationSelectors.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/preferences/PreferenceValues.h"
#include "platform/preferences/Preferences.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/substrate/Injector.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UINavigationController.h"

#include <algorithm>

using objc::Class;
using objc::Object;
using objc::Ref;

namespace device::settings {

namespace sel {
// The root list's action for a preference bundle's row.
constinit objc::Sel<void(PSSpecifier*)> openPreferenceBundle { "openPreferenceBundle:" };
} // namespace sel

namespace {

const char* kRootClass = "PrefsListController";
const char* kPlaceholderClass = "SettingsPlaceholderController";

// A bundle name is one folder name: no separators, nothing that climbs out of the folder.
bool isPlainBundleName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

Ref<UIImage> fitIcon(UIImage* image)
{
    if (!image)
        return nullptr;
    CGSize size = image->size();
    if (size.width == kIconSide && size.height == kIconSide)
        return image;
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(kIconSide, kIconSide), false, 0);
    image->drawInRect(CGRectMake(0, 0, kIconSide, kIconSide));
    Ref<UIImage> fitted = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return fitted ? fitted : Ref<UIImage>(image);
}

void showAlert(UIViewController* over, const std::string& message)
{
    if (!over)
        return;
    auto alert = UIAlertController::alertControllerWithTitle("Settings", message, UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyleCancel, nullptr));
    over->presentViewController(alert, true);
}

Ref<NSArray> rootSpecifiers(PSListController* self)
{
    auto rows = corefoundation::create<NSMutableArray>();
    rows->addObject(PSSpecifier::emptyGroupSpecifier());
    Class* placeholder = objc::objc_getClass(kPlaceholderClass);
    for (const SystemEntry& entry : systemEntries()) {
        if (entry.identifier.empty()) {
            rows->addObject(PSSpecifier::emptyGroupSpecifier());
            continue;
        }
        auto row = PSSpecifier::preferenceSpecifierNamed(entry.label, self, nullptr, nullptr, placeholder, PSLinkCell, nullptr);
        row->setIdentifier(entry.identifier);
        if (!entry.appBundleIdentifier.empty())
            row->setProperty(NSString::make(entry.appBundleIdentifier), entry.lazyIcon ? "appIDForLazyIcon" : "appIDForIcon");
        if (Ref<UIImage> icon = entryIcon(entry))
            row->setProperty(icon, "iconImage");
        rows->addObject(row);
    }

    std::vector<std::string> problems;
    auto entries = preferenceLoaderEntries(&problems);
    for (const auto& problem : problems)
        preferences::logProblem(problem);
    if (!entries.empty())
        rows->addObject(PSSpecifier::emptyGroupSpecifier());
    for (const LoaderEntry& entry : entries) {
        std::string label = entry.label.empty() ? entry.bundle : entry.label;
        auto row = PSSpecifier::preferenceSpecifierNamed(label, self, nullptr, nullptr, nullptr, PSLinkCell, nullptr);
        row->setIdentifier(entry.bundle.empty() ? label : entry.bundle);
        row->setButtonAction(sel::openPreferenceBundle);
        row->setProperty(NSString::make(entry.bundle), "bundle");
        row->setProperty(NSNumber::withBool(entry.isController), "isController");
        if (!entry.icon.empty() && isPlainBundleName(entry.bundle)) {
            std::string path = std::string(kPreferenceBundlesFolder) + "/" + entry.bundle + ".bundle/" + entry.icon;
            if (Ref<UIImage> icon = fitIcon(UIImage::imageWithContentsOfFile(path)))
                row->setProperty(icon, "iconImage");
        }
        rows->addObject(row);
    }
    return rows;
}

// Loads the row's preference bundle and pushes its principal class; an alert when it cannot.
void openPreferenceBundle(PSListController* self, PSSpecifier* row)
{
    std::string name = row ? row->stringProperty("bundle") : std::string();
    std::string label = row ? row->name() : std::string();
    if (!isPlainBundleName(name)) {
        preferences::logProblem("the entry " + label + " names no usable bundle");
        showAlert(self, "The settings of \"" + label + "\" could not be opened: the entry names no bundle.");
        return;
    }
    std::string path = std::string(kPreferenceBundlesFolder) + "/" + name + ".bundle";
    Ref<NSBundle> bundle = NSBundle::bundleWithPath(path);
    if (!bundle) {
        preferences::logProblem("no preference bundle at " + path);
        showAlert(self, "The settings of \"" + label + "\" could not be opened: " + path + " is missing.");
        return;
    }
    foundation::sel::load(bundle);
    std::string className = bundle->principalClassName();
    Class* cls = className.empty() ? nullptr : objc::objc_getClass(className);
    if (!cls) {
        preferences::logProblem(path + ": the principal class " + (className.empty() ? std::string("is not named") : className + " is not loaded"));
        showAlert(self, "The settings of \"" + label + "\" could not be opened: " + (className.empty() ? std::string("the bundle names no controller class.") : "the class " + className + " is not loaded."));
        return;
    }
    Ref<UIViewController> controller = preferences::makeController(cls);
    if (!controller) {
        showAlert(self, "The settings of \"" + label + "\" could not be opened: " + className + " is not a settings screen.");
        return;
    }
    if (auto* pane = dynamic_cast<PSViewController*>(controller.ptr())) {
        pane->setBundle(bundle);
        preferences::sel::setParentController(pane, self);
        preferences::sel::setRootController(pane, preferences::sel::rootController(self).ptr());
        preferences::sel::setSpecifier(pane, row);
    } else if (controller->title().empty()) {
        controller->setTitle(label);
    }
    preferences::sel::pushControllerAnimate(self, controller.ptr(), true);
}

} // namespace

const std::vector<SystemEntry>& systemEntries()
{
    static const std::vector<SystemEntry> entries {
        { "GENERAL", "General", "" },
        { "DISPLAY", "Display & Brightness", "" },
        { "", "", "" },
        { "FACETIME", "FaceTime", "com.apple.facetime" },
        { "SAFARI", "Safari", "com.apple.mobilesafari", true },
        { "CALENDAR", "Calendar", "com.apple.mobilecal" },
        { "CONTACTS", "Contacts", "com.apple.MobileAddressBook" },
        { "REMINDERS", "Reminders", "com.apple.reminders" },
        { "WILLOW", "Home", "com.apple.Home" },
        { "", "", "" },
        { "PHOTOS", "Photos", "com.apple.mobileslideshow" },
        { "CAMERA", "Camera", "com.apple.camera" },
        { "MEDIALIBRARY", "Music", "com.apple.Music" },
        { "STORE", "App Store", "com.apple.AppStore" },
    };
    return entries;
}

Ref<UIImage> entryIcon(const SystemEntry& entry)
{
    std::string art = entry.appBundleIdentifier.empty() ? "com.apple.Preferences." + entry.identifier : entry.appBundleIdentifier;
    return springboard::drawAppIcon(art, entry.label, kIconSide, springboard::deviceLocalTime());
}

std::vector<LoaderEntry> preferenceLoaderEntries(std::vector<std::string>* problems)
{
    auto report = [&](const std::string& text) {
        if (problems)
            problems->push_back(text);
    };
    std::vector<LoaderEntry> result;
    Ref<NSArray> names = NSFileManager::defaultManager()->contentsOfDirectoryAtPath(kPreferenceLoaderFolder);
    if (!names)
        return result;
    std::vector<std::string> files = names->strings();
    std::sort(files.begin(), files.end());
    for (const std::string& name : files) {
        if (name.size() <= 6 || name.compare(name.size() - 6, 6, ".plist") != 0)
            continue;
        std::string path = std::string(kPreferenceLoaderFolder) + "/" + name;
        std::string error;
        Ref<Object> root = corefoundation::propertyListFromDeviceFile(path, &error);
        auto* file = dynamic_cast<NSDictionary*>(root.ptr());
        auto* entry = file ? dynamic_cast<NSDictionary*>(file->objectForKey("entry")) : nullptr;
        if (!entry) {
            report(path + ": " + (file ? "no \"entry\" dictionary" : error.empty() ? "not a property list" : error));
            continue;
        }
        LoaderEntry loaded;
        loaded.file = path;
        loaded.bundle = entry->stringForKey("bundle").value_or("");
        loaded.label = entry->stringForKey("label").value_or("");
        loaded.icon = entry->stringForKey("icon").value_or("");
        loaded.isController = entry->boolForKey("isController").value_or(false);
        if (loaded.bundle.empty() && loaded.label.empty()) {
            report(path + ": the entry has neither a bundle nor a label");
            continue;
        }
        result.push_back(std::move(loaded));
    }
    return result;
}

namespace {

Ref<NSArray> rootListSpecifiers(PSListController* self)
{
    if (!self->storedSpecifiers())
        self->setStoredSpecifiers(rootSpecifiers(self));
    return Ref<NSArray>(self->storedSpecifiers());
}

Ref<NSArray> placeholderSpecifiers(PSListController* self)
{
    if (!self->storedSpecifiers()) {
        auto rows = corefoundation::create<NSMutableArray>();
        auto group = PSSpecifier::emptyGroupSpecifier();
        group->setProperty(NSString::make("This page has no settings on the simulated device."), "footerText");
        rows->addObject(group);
        Ref<PSSpecifier> owner = self->specifier();
        auto row = PSSpecifier::preferenceSpecifierNamed(owner ? owner->name() : std::string("Settings"), self, nullptr, nullptr, nullptr, PSStaticTextCell, nullptr);
        rows->addObject(row);
        self->setStoredSpecifiers(rows);
    }
    return Ref<NSArray>(self->storedSpecifiers());
}

} // namespace

void registerSettingsClasses(objc::Runtime& rt)
{
    registerPreferencesClasses(rt);
    if (!rt.beginRegistering("SettingsApp"))
        return;
    objc::ClassBuilder<PSListController>(rt, kRootClass, "PSListController")
        .method(preferences::sel::specifiers, &rootListSpecifiers)
        .method(sel::openPreferenceBundle, &openPreferenceBundle)
        .build();
    objc::ClassBuilder<PSListController>(rt, kPlaceholderClass, "PSListController").method(preferences::sel::specifiers, &placeholderSpecifiers).build();
}

Ref<UINavigationController> openSettings()
{
    objc::Runtime& rt = objc::Runtime::current();
    registerSettingsClasses(rt);
    // The frameworks come first, so that injected libraries find the classes they replace methods of.
    substrate::injectDynamicLibraries(kBundleIdentifier);
    Ref<UIViewController> root = preferences::makeController(rt.requireClass(kRootClass));
    root->setTitle("Settings");
    return UINavigationController::createWithRoot(root);
}

void registerSettingsApp()
{
    device::registerAppLauncher(kBundleIdentifier, []() -> Ref<UIViewController> { return openSettings(); });
}

namespace {
// Linking the Settings app into a program installs it.
[[maybe_unused]] const bool installed = (registerSettingsApp(), true);
} // namespace

} // namespace device::settings
