// ovrimo-sim: boots a simulated phone, runs scripts of person-like steps on it and takes pictures
// of its screen.

#include "device/Device.h"
#include "device/profiles/DeviceProfile.h"
#include "sim/PhoneHost.h"
#include "sim/Script.h"
#include "sim/ScriptRunner.h"
#include "sim/Server.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

#ifndef OVRIMO_SIM_SCRIPTS_DIR
#define OVRIMO_SIM_SCRIPTS_DIR "sim/scripts"
#endif
#ifndef OVRIMO_DEMO_OUT_DIR
#define OVRIMO_DEMO_OUT_DIR "ovrimo-sim-demo"
#endif
#ifndef OVRIMO_DEMO_ROOT_DIR
#define OVRIMO_DEMO_ROOT_DIR "ovrimo-sim-demo-phone"
#endif
#ifndef OVRIMO_PACKAGE_DIR
#define OVRIMO_PACKAGE_DIR "build/package"
#endif

namespace {

// Exit codes: a step failed, or the command line or script is wrong.
constexpr int kStepFailed = 1;
constexpr int kUsageError = 2;

// $XDG_DATA_HOME/ovrimo-sim, else ~/.local/share/ovrimo-sim.
std::optional<fs::path> dataFolder()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "ovrimo-sim";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "ovrimo-sim";
    return std::nullopt;
}

std::string helpFooter()
{
    std::ostringstream out;
    out << "\nDevice profiles (--profile; default " << device::kDefaultProfile << "):\n";
    for (const auto& p : device::allProfiles())
        out << "  " << p.describe() << "\n";
    out << "\nThe device root (--device-root) is the phone's file system, a folder on this computer. By default\n"
           "each profile has its own, made on first use: $XDG_DATA_HOME/ovrimo-sim/PROFILE, or\n"
           "~/.local/share/ovrimo-sim/PROFILE. The demo uses a fresh temporary one unless given one.\n"
           "\nScripts: one step a line, '#' starts a comment, arguments with spaces in double quotes\n"
           "(\\\" and \\\\ inside quotes). Points are screen points from the top left. A script that starts\n"
           "with `profile` boots that profile instead of --profile. Each step that touches the device lets\n"
           "0.4 s pass on the device clock afterwards. Relative `photo` files are read from the script's\n"
           "folder; relative `screenshot` files are written to --out (the current folder by default).\n"
           "`expect alert` and `expect text` accept TEXT as the whole text shown or a part of it.\n\n"
        << sim::languageSummary();
    return out.str();
}

struct Settings {
    std::string profile = std::string(device::kDefaultProfile);
    std::string deviceRoot;
    std::string out;
    std::string package;
    bool noTweak = false;
    bool quiet = false;
};

sim::RunnerOptions runnerOptions(const Settings& settings, const fs::path& inputFolder, const fs::path& outFolder)
{
    sim::RunnerOptions options;
    options.defaultProfile = settings.profile;
    options.inputFolder = inputFolder;
    options.outputFolder = outFolder;
    options.log = settings.quiet ? nullptr : &std::cout;
    if (!settings.noTweak) {
        std::error_code ec;
        if (!settings.package.empty())
            options.packageFolder = fs::absolute(settings.package);
        else if (fs::is_directory(OVRIMO_PACKAGE_DIR, ec))
            options.packageFolder = OVRIMO_PACKAGE_DIR;
        else
            std::cerr << "ovrimo-sim: no tweak package at " << OVRIMO_PACKAGE_DIR << " (build the tweak); the phone runs without Ovrimo\n";
    }
    std::string given = settings.deviceRoot;
    options.deviceRootFor = [given](const std::string& profile) -> fs::path {
        if (!given.empty())
            return fs::absolute(given);
        auto data = dataFolder();
        if (!data)
            throw std::runtime_error("neither XDG_DATA_HOME nor HOME is set: give a folder with --device-root");
        return *data / profile;
    };
    return options;
}

// Reads and parses a script; prints the mistake and answers nothing when it has one.
std::optional<sim::Script> loadScript(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        std::cerr << "ovrimo-sim: no script file at " << path.string() << "\n";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        std::cerr << "ovrimo-sim: cannot read " << path.string() << "\n";
        return std::nullopt;
    }
    try {
        return sim::parseScript(text.str());
    } catch (const sim::ScriptError& e) {
        std::cerr << path.string() << ":" << e.line() << ": " << e.reason() << "\n";
        return std::nullopt;
    }
}

int runScript(sim::ScriptRunner& runner, const sim::Script& script, const fs::path& scriptPath)
{
    try {
        runner.run(script);
    } catch (const sim::ScriptError& e) {
        if (e.line() > 0)
            std::cerr << scriptPath.string() << ":" << e.line() << ": " << e.reason() << "\n";
        else
            std::cerr << "ovrimo-sim: " << e.reason() << "\n";
        return kStepFailed;
    } catch (const std::exception& e) {
        std::cerr << "ovrimo-sim: " << e.what() << "\n";
        return kStepFailed;
    }
    return 0;
}

int runScript(const sim::Script& script, const fs::path& scriptPath, sim::RunnerOptions options)
{
    sim::ScriptRunner runner(std::move(options));
    return runScript(runner, script, scriptPath);
}

sim::PhoneHost* servedPhone = nullptr;

void stopServing(int)
{
    if (servedPhone)
        servedPhone->stop();
}

// Boots the phone and serves it to browsers until Ctrl-C.
int serve(const Settings& settings, const std::string& listen, int port)
{
    sim::RunnerOptions runner = runnerOptions(settings, fs::current_path(), fs::current_path());
    sim::PhoneOptions phone;
    phone.profile = settings.profile;
    phone.packageFolder = runner.packageFolder;
    phone.log = settings.quiet ? nullptr : &std::cout;
    try {
        phone.deviceRoot = runner.deviceRootFor(settings.profile);
        fs::create_directories(phone.deviceRoot);
    } catch (const std::exception& e) {
        std::cerr << "ovrimo-sim: " << e.what() << "\n";
        return kStepFailed;
    }
    sim::PhoneHost host(phone);
    sim::ServerOptions serverOptions;
    serverOptions.address = listen;
    serverOptions.port = port;
    sim::Server server(host, serverOptions);
    try {
        server.bind();
    } catch (const std::exception& e) {
        std::cerr << "ovrimo-sim: " << e.what() << "\n";
        return kStepFailed;
    }
    server.start();
    servedPhone = &host;
    std::signal(SIGINT, stopServing);
    std::signal(SIGTERM, stopServing);
    std::thread announce([&] {
        if (host.waitUntilRunning(std::chrono::minutes(10)))
            std::cout << "The phone is at " << server.address() << " (open it in a browser; Ctrl-C stops)" << std::endl;
    });
    int result = 0;
    try {
        host.run();
    } catch (const std::exception& e) {
        std::cerr << "ovrimo-sim: cannot boot " << settings.profile << ": " << e.what() << "\n";
        result = kStepFailed;
    }
    announce.join();
    servedPhone = nullptr;
    server.stop();
    return result;
}

// Runs the bundled demo on a fresh phone of its own (unless a device root is given) and says
// where its pictures and gallery are.
int runDemo(Settings settings, fs::path outFolder)
{
    fs::path path = fs::path(OVRIMO_SIM_SCRIPTS_DIR) / "demo.sim";
    auto script = loadScript(path);
    if (!script)
        return kUsageError;
    if (settings.out.empty())
        outFolder = fs::absolute(OVRIMO_DEMO_OUT_DIR);
    // The demo's own phone starts fresh each time and stays afterwards, so that it can be served.
    bool ownPhone = settings.deviceRoot.empty();
    if (ownPhone) {
        settings.deviceRoot = OVRIMO_DEMO_ROOT_DIR;
        std::error_code ec;
        fs::remove_all(settings.deviceRoot, ec);
        if (ec) {
            std::cerr << "ovrimo-sim: cannot empty the demo's phone at " << settings.deviceRoot << ": " << ec.message() << "\n";
            return kStepFailed;
        }
    }
    sim::RunnerOptions options = runnerOptions(settings, path.parent_path(), outFolder);
    sim::ScriptRunner runner(std::move(options));
    int result = runScript(runner, *script, path);
    if (result != 0)
        return result;
    std::cout << "The demo's screenshots are in " << outFolder.string() << "\n";
    if (auto page = runner.galleryPage())
        std::cout << "The gallery of what the demo did: " << page->string() << " (open it in a web browser)\n";
    if (ownPhone)
        std::cout << "The same phone in a web browser: bash scripts/demo.sh serve (or: ovrimo-sim --device-root "
                  << OVRIMO_DEMO_ROOT_DIR << " serve)\n";
    else
        std::cout << "The same phone in a web browser: ovrimo-sim --device-root " << fs::absolute(settings.deviceRoot).string() << " serve\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Each step's line appears as it runs, also when the output goes into a pipe or a file.
    std::cout << std::unitbuf;
    Settings settings;
    CLI::App app { "ovrimo-sim: a simulated phone with Ovrimo in it. Boots a device profile, runs scripts of\n"
                   "person-like steps on it and takes pictures of its screen.",
        "ovrimo-sim" };
    app.footer(helpFooter());
    app.require_subcommand(0, 1);
    app.fallthrough();

    std::vector<std::string> profileNames;
    for (const auto& p : device::allProfiles())
        profileNames.push_back(p.name);
    app.add_option("--profile", settings.profile, "the device profile to boot (see below)")
        ->check(CLI::IsMember(profileNames))
        ->option_text("NAME");
    app.add_option("--device-root", settings.deviceRoot, "the device's file system: a folder, made when missing")->option_text("DIR");
    app.add_option("--out", settings.out, "where relative screenshot files go (made when missing)")->option_text("DIR");
    app.add_option("--package", settings.package, "the tweak's package folder, installed into the device root at boot "
                                                  "(default: the one this build made)")
        ->option_text("DIR");
    app.add_flag("--no-tweak", settings.noTweak, "boot a phone without Ovrimo (installs nothing; a tweak installed before stays)");
    app.add_flag("-q,--quiet", settings.quiet, "print only failures");

    std::string scriptFile;
    CLI::App* run = app.add_subcommand("run", "run a script; stops with exit code 1 at the first failing step, naming its line");
    run->add_option("SCRIPT", scriptFile, "the script file")->required();

    std::string screenshotFile;
    CLI::App* shot = app.add_subcommand("screenshot", "boot, let the home screen settle and write a PNG of it");
    shot->add_option("FILE", screenshotFile, "the PNG file to write")->required();

    std::string listen = "127.0.0.1";
    int port = 8080;
    CLI::App* serveCommand = app.add_subcommand("serve", "boot the phone and serve it to a web browser: its screen live, the mouse or a finger as "
                                                         "the touch; runs until Ctrl-C");
    serveCommand->add_option("--port", port, "the port to listen on (0: any free one)")->check(CLI::Range(0, 65535))->capture_default_str();
    serveCommand->add_option("--listen", listen, "the address to listen on; only this computer reaches the default")
        ->option_text("ADDR")
        ->capture_default_str();

    CLI::App* steps = app.add_subcommand("steps", "print the steps of the script language as a markdown table (the README's)");

    app.add_subcommand("demo", "run the bundled demo script (also what no command does) on a fresh phone kept in "
                                                OVRIMO_DEMO_ROOT_DIR " unless --device-root is given; screenshots and the gallery "
                                                "page go to --out, by default " OVRIMO_DEMO_OUT_DIR);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? 0 : kUsageError;
    }

    fs::path outFolder = settings.out.empty() ? fs::current_path() : fs::absolute(settings.out);

    if (run->parsed()) {
        fs::path path = fs::absolute(scriptFile);
        auto script = loadScript(path);
        if (!script)
            return kUsageError;
        return runScript(*script, path, runnerOptions(settings, path.parent_path(), outFolder));
    }

    if (serveCommand->parsed())
        return serve(settings, listen, port);

    if (shot->parsed()) {
        sim::Script script;
        script.steps.push_back(sim::Step::make("screenshot", { screenshotFile }));
        return runScript(script, "screenshot", runnerOptions(settings, fs::current_path(), outFolder));
    }

    if (steps->parsed()) {
        std::cout << sim::stepTableMarkdown();
        return 0;
    }

    // The demo, asked for or by giving no command.
    return runDemo(settings, outFolder);
}
