#pragma once

#include "platform/graphics/CGGeometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace device {

enum class Idiom { Phone, Pad, Unspecified };

struct InstalledApp {
    std::string bundleIdentifier;
    std::string displayName;
    // The URL schemes (without ":") the app declares; canOpenURL: answers yes for them. Empty
    // means the platform's well-known schemes of the app, else the last part of its identifier.
    std::vector<std::string> urlSchemes = {};

    // The declared schemes, or the ones the app gets when it declares none.
    std::vector<std::string> schemes() const;
};

// What a simulated device is: the hardware it pretends to be and the system it runs. The device
// profile decides the screen, the versions every version gate reads, and which classes exist.
struct DeviceProfile {
    std::string name;
    std::string model;
    Idiom idiom = Idiom::Phone;
    CGSize screenSize;  // points, portrait
    double scale = 2;
    std::string systemVersion;
    double coreFoundationVersion = 0;
    bool floatingDock = false;
    std::vector<InstalledApp> apps;
    // What UIDevice reports, when it is not the system whose classes the phone has (only test
    // profiles differ).
    std::string reportedSystemVersion;

    // The system version read as a number, as `[[UIDevice currentDevice].systemVersion floatValue]`.
    double systemVersionNumber() const;
    std::string describe() const;
};

const std::vector<DeviceProfile>& allProfiles();
// Profiles no real device has, for tests of the version gates: a system's classes with a version
// test that fails. Not listed by allProfiles(), but found by name.
const std::vector<DeviceProfile>& testProfiles();
// Null when no profile has that name.
const DeviceProfile* findProfile(std::string_view name);
inline constexpr std::string_view kDefaultProfile = "iphone8-ios12";

std::string_view idiomName(Idiom);

} // namespace device
