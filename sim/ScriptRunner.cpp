#include "sim/ScriptRunner.h"

#include "sim/FolderServer.h"
#include "sim/Gallery.h"
#include "sim/StepRun.h"
#include "sim/StepType.h"

#include "device/Device.h"
#include "device/settings/SettingsApp.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"

#include <ctime>
#include <ostream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace sim {

void writeFileAtomically(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (fs::is_directory(path))
        throw std::runtime_error(path.string() + " is a folder");
    std::string error;
    if (!filesystem::writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &error))
        throw std::runtime_error("cannot write " + path.string() + ": " + error);
}

void installPackage(const fs::path& package, const fs::path& root)
{
    std::error_code ec;
    if (!fs::is_directory(package, ec))
        throw std::runtime_error("no tweak package at " + package.string() + " (build the tweak first, or use --no-tweak)");
    fs::create_directories(root, ec);
    if (ec || !fs::is_directory(root))
        throw std::runtime_error("cannot use " + root.string() + " as a device root");
    filesystem::DeviceRoot::set(fs::canonical(root));
    for (auto it = fs::recursive_directory_iterator(package, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        std::string devicePath = "/" + fs::relative(it->path(), package).generic_string();
        auto target = filesystem::DeviceRoot::resolve(devicePath);
        if (!target)
            throw std::runtime_error("the package file " + devicePath + " would land outside the device root");
        // An unchanged file (same size, same time of change: the copy takes the package file's
        // time) is left alone without reading it; a newer build replaces the old one.
        std::error_code statError;
        auto built = fs::last_write_time(it->path(), statError);
        if (fs::is_regular_file(*target) && fs::file_size(*target, statError) == it->file_size() && fs::last_write_time(*target, statError) == built)
            continue;
        writeFileAtomically(*target, readFile(it->path()));
        fs::last_write_time(*target, built, statError);
    }
    if (ec)
        throw std::runtime_error("cannot read the tweak package at " + package.string() + ": " + ec.message());
}

ScriptRunner::ScriptRunner(RunnerOptions options)
    : m_options(std::move(options))
{
}

ScriptRunner::~ScriptRunner() = default;

std::optional<fs::path> ScriptRunner::galleryPage() const
{
    if (!m_gallery)
        return std::nullopt;
    return m_gallery->pagePath();
}

void ScriptRunner::attach(device::Device& device)
{
    m_owned.reset();
    m_device = &device;
}

fs::path ScriptRunner::outputPath(const std::string& file) const
{
    fs::path p(file);
    return p.is_absolute() ? p : m_options.outputFolder / p;
}

fs::path ScriptRunner::inputPath(const std::string& file) const
{
    fs::path p(file);
    return p.is_absolute() ? p : m_options.inputFolder / p;
}

std::chrono::system_clock::time_point scriptWallClock()
{
    std::tm local {};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 5;
    local.tm_mday = 10;
    local.tm_hour = 10;
    local.tm_min = 30;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

void ScriptRunner::boot(const std::string& profile)
{
    if (m_device) {
        if (m_device->profile().name == profile)
            return;
        throw StepFailure("the device in use is " + m_device->profile().name + ", not " + profile);
    }
    if (!m_options.deviceRootFor)
        throw StepFailure("no device root to boot " + profile + " into");
    fs::path root = m_options.deviceRootFor(profile);
    if (m_options.log)
        *m_options.log << "booting " << profile << " in " << root.string() << "\n";
    // Settings opens for "com.apple.Preferences" (process-wide; idempotent).
    device::settings::registerSettingsApp();
    if (!m_options.packageFolder.empty())
        installPackage(m_options.packageFolder, root);
    try {
        m_owned = device::Device::boot(profile, root, m_options.wallClock);
    } catch (const std::exception& e) {
        throw StepFailure(std::string("cannot boot ") + profile + ": " + e.what());
    }
    m_device = m_owned.get();
    // Let the home screen appear and settle.
    m_device->runUntilIdle();
    m_device->advance(2 * kSettleMilliseconds);
}

void ScriptRunner::run(const Script& script)
{
    if (!m_device && !script.profile()) {
        try {
            boot(m_options.defaultProfile);
        } catch (const StepFailure& e) {
            throw ScriptError(0, e.what());
        }
    }
    for (const Step& step : script.steps)
        execute(step);
}

void ScriptRunner::execute(const Step& step)
{
    if (m_options.log && step.line > 0)
        *m_options.log << "  " << step.line << ": " << step.source << "\n";
    try {
        // The step that boots the device names its profile.
        if (step.type->bootsDevice) {
            boot(step.texts.at(0));
            return;
        }
        if (!m_device)
            boot(m_options.defaultProfile);
        runStep(step);
    } catch (const ScriptError&) {
        throw;
    } catch (const std::exception& e) {
        throw ScriptError(step.line, step.name() + ": " + e.what());
    }
}

void ScriptRunner::runStep(const Step& step)
{
    StepRun run(*this, *m_device);
    // Every step acts on a phone that shows its screen.
    run.window();
    step.type->run(run, step);
}

void ScriptRunner::noteScreenshot(const fs::path& path, bool announce)
{
    m_screenshots.push_back(path);
    if (announce && m_options.log)
        *m_options.log << "     wrote " << path.string() << "\n";
}

void ScriptRunner::keepServer(std::unique_ptr<FolderServer> server) { m_servers.push_back(std::move(server)); }

Gallery& ScriptRunner::gallery()
{
    if (!m_gallery)
        m_gallery = std::make_unique<Gallery>(m_options.outputFolder);
    return *m_gallery;
}

} // namespace sim
