#pragma once

// A tiny stand-in for SpringBoard's icon classes (registered by name, as the tweak finds them),
// and helpers to write preferences and pictures into the test's device root.

#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/foundation/Foundation.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIScreen.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/Preferences.h"

#include <filesystem>
#include <fstream>

namespace tweak_test {

using objc::Ref;

class SBApplication : public objc::NSObject {
    OBJC_CLASS(SBApplication)
public:
    std::string bundleIdentifier, displayName;
};
class WebClip : public objc::NSObject {
    OBJC_CLASS(WebClip)
public:
    std::string identifier, title;
};
class SBFolder : public objc::NSObject {
    OBJC_CLASS(SBFolder)
public:
    std::string displayName;
};
class SBIcon : public objc::NSObject {
    OBJC_CLASS(SBIcon)
public:
    Ref<SBApplication> application;
    std::string applicationBundleID;
    int badge = 0;
    int reloads = 0;
    int badgeNotes = 0;
};
class SBApplicationIcon : public SBIcon {
    OBJC_CLASS(SBApplicationIcon)
};
class SBFolderIcon : public SBIcon {
    OBJC_CLASS(SBFolderIcon)
public:
    Ref<SBFolder> folder;
};
class SBBookmarkIcon : public SBIcon {
    OBJC_CLASS(SBBookmarkIcon)
public:
    Ref<WebClip> webClip;
};

// Registers the stand-in classes. Only SBIcon answers `application`; the folder its `folder`.
inline void registerIconClasses(objc::Runtime& runtime)
{
    auto* app = runtime.registerClass<SBApplication>("NSObject");
    app->addMethod("bundleIdentifier", [](SBApplication* self, objc::SEL) { return self->bundleIdentifier; });
    app->addMethod("displayName", [](SBApplication* self, objc::SEL) { return self->displayName; });
    auto* clip = runtime.registerClass<WebClip>("NSObject");
    clip->addMethod("identifier", [](WebClip* self, objc::SEL) { return self->identifier; });
    clip->addMethod("title", [](WebClip* self, objc::SEL) { return self->title; });
    auto* folder = runtime.registerClass<SBFolder>("NSObject");
    folder->addMethod("displayName", [](SBFolder* self, objc::SEL) { return self->displayName; });
    auto* icon = runtime.registerClass<SBIcon>("NSObject");
    icon->addMethod("application", [](SBIcon* self, objc::SEL) { return self->application; });
    icon->addMethod("applicationBundleID", [](SBIcon* self, objc::SEL) { return self->applicationBundleID; });
    icon->addMethod("reloadIconImage", [](SBIcon* self, objc::SEL) { ++self->reloads; });
    icon->addMethod("badgeValue", [](SBIcon* self, objc::SEL) { return self->badge; });
    icon->addMethod("badgeNumberOrString", [](SBIcon* self, objc::SEL) -> Ref<objc::Object> {
        return self->badge ? Ref<objc::Object>(NSNumber::withInteger(self->badge)) : nullptr;
    });
    icon->addMethod("noteBadgeDidChange", [](SBIcon* self, objc::SEL) { ++self->badgeNotes; });
    runtime.registerClass<SBApplicationIcon>(icon);
    runtime.registerClass<SBFolderIcon>(icon)->addMethod("folder", [](SBFolderIcon* self, objc::SEL) { return self->folder; });
    runtime.registerClass<SBBookmarkIcon>(icon)->addMethod("webClip", [](SBBookmarkIcon* self, objc::SEL) { return self->webClip; });
}

inline Ref<SBApplicationIcon> appIcon(const std::string& bundleIdentifier, const std::string& name = "App Name")
{
    auto icon = objc::make<SBApplicationIcon>();
    icon->application = objc::make<SBApplication>();
    icon->application->bundleIdentifier = bundleIdentifier;
    icon->application->displayName = name;
    return icon;
}

// A device with the frameworks and the stand-in icon classes.
class TweakEnvironment : public testing_support::TestEnvironment {
public:
    TweakEnvironment()
    {
        kCFCoreFoundationVersionNumber = 1575.17;
        registerUIKitClasses(runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        uikit::configureDevice("12.4", "iPhone", UIUserInterfaceIdiomPhone);
        registerIconClasses(runtime());
        // The tweak's globals outlive a test device; start each test from an empty domain.
        ovrimo::ReplacePreferencesSnapshot(ovrimo::LoadPreferencesDomain());
    }

    void setPreference(const std::string& key, objc::Object* value)
    {
        CFPreferencesSetAppValue(key, value, ovrimo::kPreferencesDomain);
        CFPreferencesAppSynchronize(ovrimo::kPreferencesDomain);
        ovrimo::ReplacePreferencesSnapshot(ovrimo::LoadPreferencesDomain());
    }

    void writeFile(const std::string& devicePath, const std::vector<uint8_t>& bytes)
    {
        auto host = hostPath(devicePath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

// A picture of `size` points at `scale`, filled with one colour; `cornerRadius` > 0 leaves the
// corners outside a rounded rectangle transparent.
inline Ref<UIImage> solidImage(CGSize size, double scale, double r, double g, double b, double a = 1.0, double cornerRadius = 0)
{
    UIGraphicsBeginImageContextWithOptions(size, false, scale);
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGContextSetRGBFillColor(context, r, g, b, a);
    if (cornerRadius > 0) {
        CGContextAddRoundedRect(context, CGRectMake(0, 0, size.width, size.height), cornerRadius);
        CGContextFillPath(context);
    } else {
        CGContextFillRect(context, CGRectMake(0, 0, size.width, size.height));
    }
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

struct Pixel {
    int r, g, b, a;
};

// The unpremultiplied pixel at (x, y) of the image's bitmap (top-left origin).
Pixel pixelAt(UIImage* image, size_t x, size_t y);

} // namespace tweak_test
