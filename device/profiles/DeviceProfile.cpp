#include "DeviceProfile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

namespace device {

std::vector<std::string> InstalledApp::schemes() const
{
    if (!urlSchemes.empty())
        return urlSchemes;
    static const std::map<std::string, std::vector<std::string>> known = {
        { "com.apple.Preferences", { "prefs", "app-prefs" } },
        { "com.apple.mobilesafari", { "x-web-search" } },
        { "com.apple.mobilemail", { "mailto", "message" } },
        { "com.apple.mobilephone", { "tel" } },
        { "com.apple.MobileSMS", { "sms" } },
        { "com.apple.facetime", { "facetime" } },
        { "com.apple.Music", { "music" } },
        { "com.apple.Maps", { "maps" } },
        { "com.apple.AppStore", { "itms-apps" } },
        { "com.apple.mobilecal", { "calshow" } },
        { "com.apple.mobileslideshow", { "photos-redirect" } },
    };
    std::vector<std::string> result;
    if (auto it = known.find(bundleIdentifier); it != known.end())
        result = it->second;
    std::string last = bundleIdentifier.substr(bundleIdentifier.rfind('.') + 1);
    std::transform(last.begin(), last.end(), last.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    result.push_back(last);
    return result;
}

static std::vector<InstalledApp> standardApps(bool pad)
{
    std::vector<InstalledApp> apps = {
        { "com.apple.mobilecal", "Calendar" },
        { "com.apple.mobiletimer", "Clock" },
        { "com.apple.mobileslideshow", "Photos" },
        { "com.apple.camera", "Camera" },
        { "com.apple.mobilemail", "Mail" },
        { "com.apple.mobilesafari", "Safari" },
        { "com.apple.Music", "Music" },
        { "com.apple.mobilenotes", "Notes" },
        { "com.apple.reminders", "Reminders" },
        { "com.apple.Home", "Home" },
        { "com.apple.facetime", "FaceTime" },
        { "com.apple.MobileAddressBook", "Contacts" },
        { "com.apple.AppStore", "App Store" },
        { "com.apple.Preferences", "Settings" },
        { "com.apple.weather", "Weather" },
        { "com.apple.Maps", "Maps" },
        { "com.apple.news", "News" },
        { "com.apple.podcasts", "Podcasts" },
        { "com.apple.calculator", "Calculator" },
        { "com.apple.compass", "Compass" },
        { "com.apple.VoiceMemos", "Voice Memos" },
        { "com.apple.stocks", "Stocks" },
        { "com.apple.tips", "Tips" },
        { "com.apple.Health", "Health" },
        { "com.apple.iBooks", "Books" },
        { "com.apple.Passbook", "Wallet" },
        { "com.apple.mobilephone", "Phone" },
        { "com.apple.MobileSMS", "Messages" },
    };
    if (pad) {
        // A pad has no phone, no wallet and no calculator.
        std::erase_if(apps, [](const InstalledApp& a) {
            return a.bundleIdentifier == "com.apple.mobilephone" || a.bundleIdentifier == "com.apple.Passbook" || a.bundleIdentifier == "com.apple.calculator";
        });
    }
    return apps;
}

const std::vector<DeviceProfile>& allProfiles()
{
    static const std::vector<DeviceProfile> profiles = {
        { "iphone5-ios9", "iPhone5,2", Idiom::Phone, { 320, 568 }, 2, "9.0", 1240.1, false, standardApps(false), "" },
        { "iphone7-ios10", "iPhone9,1", Idiom::Phone, { 375, 667 }, 2, "10.0", 1348.0, false, standardApps(false), "" },
        { "iphone8-ios12", "iPhone10,1", Idiom::Phone, { 375, 667 }, 2, "12.4", 1575.17, false, standardApps(false), "" },
        { "iphone8plus-ios12", "iPhone10,2", Idiom::Phone, { 414, 736 }, 3, "12.4", 1575.17, false, standardApps(false), "" },
        { "iphonex-ios13", "iPhone10,3", Idiom::Phone, { 375, 812 }, 3, "13.3", 1674.11, false, standardApps(false), "" },
        { "ipadpro-ios13", "iPad8,5", Idiom::Pad, { 1024, 1366 }, 2, "13.3", 1674.11, true, standardApps(true), "" },
    };
    return profiles;
}

// The standard apps and two social-network clients, which declare their own schemes.
static std::vector<InstalledApp> appsWithSocialClients()
{
    std::vector<InstalledApp> apps = standardApps(false);
    apps.push_back({ "com.example.twitterrific", "Twitterrific", { "twitterrific" } });
    apps.push_back({ "com.example.twitter", "Twitter", { "twitter" } });
    return apps;
}

const std::vector<DeviceProfile>& testProfiles()
{
    static const std::vector<DeviceProfile> profiles = {
        // The classes of 12.4 with a CoreFoundation below 1348.
        { "test-ios12-cf1300", "iPhone10,1", Idiom::Phone, { 375, 667 }, 2, "12.4", 1300.0, false, standardApps(false), "" },
        // The classes of 12.4 on a device that reports 10.3.
        { "test-ios12-reports10.3", "iPhone10,1", Idiom::Phone, { 375, 667 }, 2, "12.4", 1575.17, false, standardApps(false), "10.3" },
        // Exactly 11.0.
        { "test-ios11.0", "iPhone10,1", Idiom::Phone, { 375, 667 }, 2, "11.0", 1443.0, false, standardApps(false), "" },
        // 12.4 with two social-network clients installed.
        { "test-ios12-social", "iPhone10,1", Idiom::Phone, { 375, 667 }, 2, "12.4", 1575.17, false, appsWithSocialClients(), "" },
    };
    return profiles;
}

const DeviceProfile* findProfile(std::string_view name)
{
    for (const auto* list : { &allProfiles(), &testProfiles() })
        for (const auto& p : *list)
            if (p.name == name)
                return &p;
    return nullptr;
}

double DeviceProfile::systemVersionNumber() const { return std::strtod(systemVersion.c_str(), nullptr); }

std::string_view idiomName(Idiom idiom)
{
    switch (idiom) {
    case Idiom::Phone:
        return "phone";
    case Idiom::Pad:
        return "pad";
    case Idiom::Unspecified:
        return "none";
    }
    return "none";
}

std::string DeviceProfile::describe() const
{
    std::ostringstream out;
    out << name << ": " << model << ", " << idiomName(idiom) << ", " << screenSize.width << " x " << screenSize.height << " points at "
        << scale << "x, system " << systemVersion << ", CoreFoundation " << coreFoundationVersion << (floatingDock ? ", floating dock" : "")
        << ", " << apps.size() << " apps";
    return out.str();
}

} // namespace device
