#include "device/Device.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoard.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "device/springboard/Surfaces.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/foundation/Foundation.h"
#include "platform/graphics/Graphics.h"
#include "platform/preferences/Preferences.h"
#include "platform/runtime/Runtime.h"
#include "platform/substrate/Injector.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <stdexcept>

namespace device {

namespace {

std::mutex& launcherMutex()
{
    static std::mutex m;
    return m;
}

std::map<std::string, AppLauncher>& launchers()
{
    static std::map<std::string, AppLauncher> table;
    return table;
}

AppLauncher launcherFor(const std::string& bundleIdentifier)
{
    std::lock_guard lock(launcherMutex());
    auto it = launchers().find(bundleIdentifier);
    return it == launchers().end() ? AppLauncher() : it->second;
}

// The URL schemes the profile's installed apps declare.
std::vector<std::string> urlSchemes(const DeviceProfile& profile)
{
    std::vector<std::string> schemes;
    for (auto& app : profile.apps) {
        auto declared = app.schemes();
        schemes.insert(schemes.end(), declared.begin(), declared.end());
    }
    return schemes;
}

UIUserInterfaceIdiom uikitIdiom(Idiom idiom)
{
    switch (idiom) {
    case Idiom::Phone:
        return UIUserInterfaceIdiomPhone;
    case Idiom::Pad:
        return UIUserInterfaceIdiomPad;
    default:
        return UIUserInterfaceIdiomUnspecified;
    }
}

} // namespace

void registerAppLauncher(const std::string& bundleIdentifier, AppLauncher launcher)
{
    std::lock_guard lock(launcherMutex());
    launchers()[bundleIdentifier] = std::move(launcher);
}

void unregisterAppLauncher(const std::string& bundleIdentifier)
{
    std::lock_guard lock(launcherMutex());
    launchers().erase(bundleIdentifier);
}

std::unique_ptr<Device> Device::boot(const std::string& profileName, const std::filesystem::path& hostRoot,
    std::optional<std::chrono::system_clock::time_point> wallClock)
{
    const DeviceProfile* profile = findProfile(profileName);
    if (!profile)
        throw std::invalid_argument("no device profile is called \"" + profileName + "\"");
    return std::make_unique<Device>(*profile, hostRoot, wallClock);
}

Device::Device(const DeviceProfile& profile, const std::filesystem::path& hostRoot, std::optional<std::chrono::system_clock::time_point> wallClock)
    : m_profile(profile)
    , m_root(hostRoot)
{
    std::error_code ec;
    std::filesystem::create_directories(m_root, ec);
    if (ec || !std::filesystem::is_directory(m_root, ec))
        throw std::invalid_argument("cannot use " + m_root.string() + " as a device root");
    m_root = std::filesystem::canonical(m_root);
    filesystem::DeviceRoot::set(m_root);
    dispatch::RunLoop::main().reset();
    if (wallClock)
        dispatch::RunLoop::main().setBootWallClock(*wallClock);
    m_runtime = std::make_unique<objc::Runtime>();

    // The frameworks, configured for this profile.
    registerCoreFoundationClasses(*m_runtime);
    registerFoundationClasses(*m_runtime);
    registerGraphicsClasses(*m_runtime);
    registerUIKitClasses(*m_runtime);
    // The Settings app shares this runtime: its framework is there before any library is
    // injected, so a library loaded once for SpringBoard also finds the classes it replaces
    // methods of in Settings (on a phone it is loaded again in the Settings process).
    registerPreferencesClasses(*m_runtime);
    kCFCoreFoundationVersionNumber = profile.coreFoundationVersion;
    graphics::setMainScreenScale(profile.scale);
    uikit::configureScreen(profile.screenSize, profile.scale);
    uikit::configureDevice(profile.reportedSystemVersion.empty() ? profile.systemVersion : profile.reportedSystemVersion, profile.model, uikitIdiom(profile.idiom));
    uikit::setInstalledURLSchemes(urlSchemes(profile));

    // SpringBoard: its classes, first-boot files, the injected libraries, then the home screen.
    springboard::registerSpringBoardClasses(*m_runtime, profile);
    springboard::writeDefaultFiles(profile);
    springboard::setAppScreenFactory([](const std::string& bundleIdentifier) -> objc::Ref<UIViewController> {
        AppLauncher launcher = launcherFor(bundleIdentifier);
        return launcher ? launcher() : nullptr;
    });
    m_injected = substrate::injectDynamicLibraries("com.apple.springboard");
    springboard::launchSpringBoard();
    dispatch::RunLoop::main().settle(2'000'000'000);
    springboard::sel::restoreContent(springboard::state().uiController);
    dispatch::RunLoop::main().runUntilIdle();
}

Device::~Device()
{
    m_touch.reset();
    dispatch::RunLoop::main().reset();
    m_runtime.reset();
    dispatch::RunLoop::main().reset();
}

UIWindow* Device::window() const { return UIApplication::sharedApplication()->keyWindow(); }

const std::vector<std::string>& Device::messages() const { return springboard::messages(); }

void Device::pressHome()
{
    springboard::sel::clickedMenuButton(springboard::state().uiController);
    runUntilIdle();
}

void Device::showSwitcher()
{
    springboard::showSwitcher();
    runUntilIdle();
}

void Device::postNotification(const std::string& bundleIdentifier, const std::string& title, const std::string& message)
{
    springboard::postNotification(bundleIdentifier, title, message);
    runUntilIdle();
}

void Device::showNotificationCenter()
{
    springboard::showNotificationCenter();
    runUntilIdle();
}

void Device::showWidgets()
{
    springboard::showWidgets();
    runUntilIdle();
}

void Device::showSearch(const std::string& query)
{
    springboard::showSearch(query);
    runUntilIdle();
}

bool Device::launch(const std::string& bundleIdentifier)
{
    bool launched = springboard::launchApplication(bundleIdentifier);
    runUntilIdle();
    return launched;
}

std::string Device::foregroundApp() const { return springboard::uiController()->foregroundApp(); }

uikit::TouchDriver& Device::touch()
{
    if (!m_touch)
        m_touch = std::make_unique<uikit::TouchDriver>();
    return *m_touch;
}

objc::Ref<UIImage> Device::screenshot(double scale)
{
    runUntilIdle();
    UIWindow* key = window();
    if (!key)
        return nullptr;
    key->layoutIfNeeded();
    // SpringBoard draws its own status bar; an app gets the platform's.
    uikit::RenderOptions options;
    options.statusBar = !foregroundApp().empty();
    options.scale = scale;
    return uikit::Renderer::renderWindow(key, options);
}

std::optional<std::vector<uint8_t>> Device::screenshotPNG()
{
    auto image = screenshot();
    if (!image)
        return std::nullopt;
    return UIImagePNGRepresentation(image.ptr());
}

void Device::advance(std::int64_t milliseconds) { dispatch::RunLoop::main().advanceMilliseconds(milliseconds); }

void Device::runUntilIdle() { dispatch::RunLoop::main().runUntilIdle(); }

} // namespace device
