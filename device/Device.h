#pragma once

// A simulated phone: boots a device profile into a device root (a folder on the host), runs
// SpringBoard with the dynamic libraries injected into it, and lets tests, scripts and front ends
// use it as a person would: touches, the home button, the switcher, notifications, widgets and
// search, launching apps, pictures of the screen. One device per process at a time; shutting it
// down (destroying it) destroys its runtime, so that the next one starts clean.

#include "device/profiles/DeviceProfile.h"
#include "platform/graphics/UIImage.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace objc {
class Runtime;
}
namespace uikit {
class TouchDriver;
}
class UIWindow;
class UIViewController;

namespace device {

// Makes the screen of an app (the Settings app registers itself for "com.apple.Preferences").
// Called on the main thread of the booted device each time the app is launched.
using AppLauncher = std::function<objc::Ref<UIViewController>()>;
void registerAppLauncher(const std::string& bundleIdentifier, AppLauncher launcher);
void unregisterAppLauncher(const std::string& bundleIdentifier);

class Device {
public:
    // Boots `profileName` with `hostRoot` as the device's file system (created when missing).
    // Throws std::invalid_argument for an unknown profile or a root that cannot be made. The
    // phone's wall clock starts at `wallClock`, or at the host's time without one.
    static std::unique_ptr<Device> boot(const std::string& profileName, const std::filesystem::path& hostRoot,
        std::optional<std::chrono::system_clock::time_point> wallClock = std::nullopt);
    Device(const DeviceProfile& profile, const std::filesystem::path& hostRoot,
        std::optional<std::chrono::system_clock::time_point> wallClock = std::nullopt);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const DeviceProfile& profile() const { return m_profile; }
    const std::filesystem::path& root() const { return m_root; }
    objc::Runtime& runtime() { return *m_runtime; }
    // The key window (SpringBoard's, with any app presented in it).
    UIWindow* window() const;
    // The dynamic libraries injected into SpringBoard at boot.
    const std::vector<std::string>& injectedLibraries() const { return m_injected; }
    // What SpringBoard reported (layout problems, skipped identifiers).
    const std::vector<std::string>& messages() const;

    // The home button: closes the switcher, a banner, widgets or search, returns from an app,
    // leaves editing mode, closes a folder, or goes back to the first page, in that order.
    void pressHome();
    void showSwitcher();
    // A notification banner from an app (and a bulletin in the notification list).
    void postNotification(const std::string& bundleIdentifier, const std::string& title, const std::string& message);
    void showNotificationCenter();
    void showWidgets();
    void showSearch(const std::string& query);
    // Launches an app by bundle identifier through SpringBoard (its registered launcher, or a
    // placeholder screen). False when no such app is installed.
    bool launch(const std::string& bundleIdentifier);
    // The app on screen, or "" on the home screen.
    std::string foregroundApp() const;

    uikit::TouchDriver& touch();
    // A picture of the screen (the key window), at the screen's scale, or at `scale` pixels a
    // point when that is given.
    objc::Ref<UIImage> screenshot(double scale = 0);
    std::optional<std::vector<uint8_t>> screenshotPNG();
    // Moves the device clock on, running what falls due (animations, timers).
    void advance(std::int64_t milliseconds);
    // Runs what is due now.
    void runUntilIdle();

private:
    DeviceProfile m_profile;
    std::filesystem::path m_root;
    std::unique_ptr<objc::Runtime> m_runtime;
    std::unique_ptr<uikit::TouchDriver> m_touch;
    std::vector<std::string> m_injected;
};

} // namespace device
