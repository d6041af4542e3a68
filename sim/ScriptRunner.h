#pragma once

// Runs parsed scripts on a simulated device, step by step, on the device's virtual clock. Each
// step that touches or changes the device lets kSettleMilliseconds pass afterwards, as a person
// would before the next step, so that transitions have finished and their completions have run.

#include "sim/Script.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace device {
class Device;
}

namespace sim {

class FolderServer;
class Gallery;

inline constexpr std::int64_t kSettleMilliseconds = 400;
inline constexpr double kDefaultLongPressSeconds = 1.0;
inline constexpr double kDefaultDragSeconds = 0.5;
inline constexpr double kSwipeSeconds = 0.2;

// The preferences domain and Darwin notification that `pref` writes and posts.
inline constexpr const char* kPreferencesDomain = "com.zarnek.ovrimo";
inline constexpr const char* kPreferencesChangedNotification = "com.zarnek.ovrimo.prefs";
// Where `photo` puts pictures (a device path).
inline constexpr const char* kCameraRollFolder = "/var/mobile/Media/DCIM/100APPLE";

// 10:30 on Wednesday 10 June 2026, in the host's time zone: where a script's phone clock starts.
std::chrono::system_clock::time_point scriptWallClock();

struct RunnerOptions {
    // The profile booted when a script does not start with `profile`.
    std::string defaultProfile;
    // The device root (a host folder) for a profile.
    std::function<std::filesystem::path(const std::string& profile)> deviceRootFor;
    // What installing the tweak puts on a phone, laid out as in a device root; copied into the
    // device root before each boot (files that are already there and the same are left alone).
    // Empty for a phone without the tweak.
    std::filesystem::path packageFolder;
    // Relative `photo` files are read from here (the script's folder).
    std::filesystem::path inputFolder;
    // Relative `screenshot` files are written here (made when missing).
    std::filesystem::path outputFolder;
    // What happens, one line a step; null for silence.
    std::ostream* log = nullptr;
    // Where the phone's wall clock starts at each boot: by default a fixed local time, so that a
    // script sees the same status bar and Calendar icon (the same pictures) whenever it runs;
    // none for the host's time.
    std::optional<std::chrono::system_clock::time_point> wallClock = scriptWallClock();
};

class ScriptRunner {
public:
    explicit ScriptRunner(RunnerOptions options);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Uses a device booted elsewhere (not owned) instead of booting one.
    void attach(device::Device& device);
    device::Device* device() const { return m_device; }

    // Boots the script's profile (or the default one) unless a device is in use, then runs every
    // step. Throws ScriptError naming the line of the first step that fails and why.
    void run(const Script& script);
    // Runs one step on the device in use (booting the default profile first if none is). A
    // `profile` step checks that the device in use has that profile, or boots it when none is.
    void execute(const Step& step);

    // The gallery page written by `gallery` steps, if any ran.
    std::optional<std::filesystem::path> galleryPage() const;

    // The host paths of the screenshots written, in order.
    const std::vector<std::filesystem::path>& screenshots() const { return m_screenshots; }

    // Where `screenshot FILE` writes and where `photo FILE` reads.
    std::filesystem::path outputPath(const std::string& file) const;
    std::filesystem::path inputPath(const std::string& file) const;

    // For the steps (sim/Steps.cpp): what they made and what they keep until the runner goes.
    std::ostream* log() const { return m_options.log; }
    // A picture a step wrote; `announce` says so in the log.
    void noteScreenshot(const std::filesystem::path& path, bool announce = true);
    // A web server that serves until the runner goes.
    void keepServer(std::unique_ptr<FolderServer> server);
    // The page `gallery` steps add to, made by the first one.
    Gallery& gallery();
    // The pause after each step that touches the device (`pause MS` changes it, for pictures
    // taken while something still moves).
    std::int64_t settleMilliseconds() const { return m_settleMilliseconds; }
    void setSettleMilliseconds(std::int64_t ms) { m_settleMilliseconds = ms; }

private:
    void boot(const std::string& profile);
    void runStep(const Step& step);

    RunnerOptions m_options;
    std::unique_ptr<device::Device> m_owned;
    device::Device* m_device = nullptr;
    std::vector<std::filesystem::path> m_screenshots;
    std::int64_t m_settleMilliseconds = kSettleMilliseconds;
    // Started by `webserver` steps; stopped when the runner goes.
    std::vector<std::unique_ptr<FolderServer>> m_servers;
    // The page `gallery` steps add to, made by the first one.
    std::unique_ptr<Gallery> m_gallery;
};

// Copies every file of `package` into the device root `root` at the same device path.
void installPackage(const std::filesystem::path& package, const std::filesystem::path& root);

// Writes `bytes` to `path` through a temporary file in the same folder and a rename, so that a
// failure leaves nothing behind. Throws std::runtime_error.
void writeFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace sim
