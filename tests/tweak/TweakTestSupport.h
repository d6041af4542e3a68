#pragma once

// The tweak's unit tests run on the simulated phone's own SpringBoard: each test boots a device
// profile without the tweak's package (so nothing is injected), then calls the tweak's functions,
// or installs single replacements, on SpringBoard's real icons and views. Helpers write
// preferences and pictures into that device's root.

#include "device/Device.h"
#include "device/springboard/SBIcon.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoard.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIKit.h"
#include "tests/device/DeviceFixture.h"
#include "tweak/Preferences.h"

#include <filesystem>
#include <fstream>

namespace tweak_test {

using device_tests::Pixel;
using device_tests::pixelAt;
using objc::Ref;

// A booted phone for one test, in a temporary root of its own.
class TweakEnvironment {
public:
    explicit TweakEnvironment(const std::string& profile = "iphone8-ios12")
        : m_device(device::Device::boot(profile, m_root.path()))
    {
        // The tweak's globals outlive a device; start each test from this one's empty domain.
        ovrimo::ReplacePreferencesSnapshot(ovrimo::LoadPreferencesDomain());
    }

    device::Device& device() { return *m_device; }
    std::filesystem::path hostPath(const std::string& devicePath) const { return m_root.host(devicePath); }

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

private:
    device_tests::TempRoot m_root; // goes after the device
    std::unique_ptr<device::Device> m_device;
};

// SpringBoard's icon of an installed app (or web clip).
inline SBIcon* appIcon(const std::string& bundleIdentifier) { return springboard::iconController()->model()->iconForIdentifier(bundleIdentifier); }

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

} // namespace tweak_test
