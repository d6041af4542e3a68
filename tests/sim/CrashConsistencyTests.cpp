// Crash consistency of everything that replaces or removes the user's icons, tested the way
// database engines test theirs: each operation runs on a booted phone with a fault injected at
// its Nth change to the files — that change failing (a full or read-only disk), or the process
// dying there — for every N until the operation runs through. A new phone then boots on the same
// device root, and the icon store and the library must hold exactly their old contents or exactly
// their new ones (names and bytes), with nothing listed that the user did not make.

#include "tests/sim/SimTestSupport.h"

#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/FaultInjection.h"
#include "sim/IconArchive.h"

#include <cairo.h>

#include <cctype>
#include <functional>
#include <map>
#include <sstream>

using namespace sim_testing;
namespace fs = std::filesystem;

namespace {

constexpr const char* kStore = "/var/mobile/Documents/Ovrimo/Icons";
constexpr const char* kLibrary = "/var/mobile/Documents/Ovrimo/IconLibrary";
constexpr const char* kPreferences = "/var/mobile/Library/Preferences/com.zarnek.ovrimo.plist";

// Every file below a folder by its path inside it, with its bytes. Temporaries of writes under
// way are left out: no listing of the phone shows them.
using Contents = std::map<std::string, std::string>;

Contents contentsOf(const fs::path& folder)
{
    Contents contents;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (filesystem::isAtomicWriteTemporary(it->path().filename().string())) {
            it.disable_recursion_pending();
            continue;
        }
        std::string name = fs::relative(it->path(), folder).generic_string();
        if (it->is_directory())
            contents[name + "/"] = "";
        else
            contents[name] = (std::ostringstream() << std::ifstream(it->path(), std::ios::binary).rdbuf()).str();
    }
    return contents;
}

struct PhoneFiles {
    Contents store, library;
    bool operator==(const PhoneFiles&) const = default;
};

std::string describe(const Contents& contents)
{
    std::string text;
    for (const auto& [name, bytes] : contents)
        text += " " + name + "(" + std::to_string(bytes.size()) + ")";
    return text.empty() ? " (nothing)" : text;
}

// A picture of one colour, so that each file of a set has bytes of its own.
std::string solidPNG(int r, int g, int b, int side = 60)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, side, side);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, r / 255.0, g / 255.0, b / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::string bytes;
    cairo_surface_write_to_png_stream(
        surface, [](void* out, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// What changes as one: everything the operation touches; the store and the library each on its
// own (an upload swaps one folder after the other; a move copies into the library, then removes
// from the store); or, in the store, each icon on its own (multi
// mode writes icon after icon: each may be old or new, never anything else or nothing).
enum class Unit { Everything, EachFolder, EachIcon };

// One operation of the sweep: the files the phone starts with, and what a person (or the browser
// page) does.
struct Operation {
    std::string name;
    std::function<void(const fs::path& root)> prepare;
    std::string steps;
    std::function<void()> direct; // instead of steps: a call on the booted phone's thread
    Unit unit = Unit::Everything;
};

class CrashConsistency : public ::testing::Test {
protected:
    fs::path root() const { return m_folder.path() / "root"; }
    fs::path host(const std::string& devicePath) const { return root() / fs::path(devicePath).relative_path(); }

    // A fresh copy of the prepared device root, then a booted phone on it with the tweak.
    void bootOnCopyOf(const fs::path& prepared)
    {
        m_runner.reset();
        std::error_code ec;
        fs::remove_all(root(), ec);
        // Second names of the prepared files: nothing on the phone writes into a file in place.
        fs::copy(prepared, root(), fs::copy_options::recursive | fs::copy_options::copy_symlinks | fs::copy_options::create_hard_links);
        bootAgain();
    }

    // A new phone on the same device root, as after a restart.
    void bootAgain()
    {
        m_runner.reset();
        sim::RunnerOptions options;
        options.defaultProfile = "iphone8-ios12";
        options.deviceRootFor = [this](const std::string&) { return root(); };
        options.packageFolder = OVRIMO_PACKAGE_DIR;
        options.inputFolder = m_folder.path() / "in";
        options.outputFolder = m_folder.path() / "out";
        m_runner = std::make_unique<sim::ScriptRunner>(options);
        m_runner->run(sim::parseScript("profile iphone8-ios12"));
    }

    PhoneFiles files() const { return { contentsOf(host(kStore)), contentsOf(host(kLibrary)) }; }

    // Runs the operation; a step that fails (an expected alert that a fault kept away) ends it,
    // as a person would stop there.
    void perform(const Operation& operation)
    {
        if (operation.direct) {
            try {
                operation.direct();
            } catch (const std::exception&) {
            }
            return;
        }
        std::istringstream lines(operation.steps);
        for (std::string line; std::getline(lines, line);) {
            try {
                m_runner->run(sim::parseScript(line));
            } catch (const sim::ScriptError&) {
            }
        }
    }

    // The prepared device root: preferences without the welcome, then the operation's files.
    fs::path prepare(const Operation& operation)
    {
        fs::path prepared = m_folder.path() / ("prepared-" + std::to_string(m_prepared++));
        writeFile(prepared / fs::path(kPreferences).relative_path(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
            "<key>firstrun</key><false/><key>activationmethodmulti</key><integer>4</integer></dict></plist>\n");
        fs::create_directories(m_folder.path() / "in");
        operation.prepare(prepared);
        sim::installPackage(OVRIMO_PACKAGE_DIR, prepared);
        return prepared;
    }

    void sweep(const Operation& operation, int* sweptPoints)
    {
        fs::path prepared = prepare(operation);

        // The operation run through once: how many changes it makes, and what it leaves.
        bootOnCopyOf(prepared);
        PhoneFiles before = files();
        filesystem::disarmFaults();
        perform(operation);
        long changes = filesystem::changesCounted();
        bootAgain();
        PhoneFiles after = files();
        ASSERT_NE(before, after) << operation.name << " changed nothing: the sweep would prove nothing";
        ASSERT_GT(changes, 0);

        for (auto kind : { filesystem::FaultKind::FailOneChange, filesystem::FaultKind::DieAtChange }) {
            const char* how = kind == filesystem::FaultKind::FailOneChange ? "failing" : "dying at";
            for (long n = 1; n <= changes; ++n) {
                bootOnCopyOf(prepared);
                filesystem::armFault(kind, n);
                perform(operation);
                filesystem::disarmFaults();
                ASSERT_NO_THROW(bootAgain()) << operation.name << ", " << how << " change " << n << ": the phone does not boot";
                PhoneFiles now = files();
                ++*sweptPoints;
                if (operation.unit == Unit::EachFolder) {
                    EXPECT_TRUE(now.store == before.store || now.store == after.store)
                        << operation.name << ", " << how << " change " << n << ": store" << describe(now.store);
                    EXPECT_TRUE(now.library == before.library || now.library == after.library)
                        << operation.name << ", " << how << " change " << n << ": library" << describe(now.library);
                } else if (operation.unit == Unit::EachIcon) {
                    EXPECT_TRUE(now.library == before.library || now.library == after.library)
                        << operation.name << ", " << how << " change " << n << ": library" << describe(now.library);
                    for (const auto& [name, bytes] : now.store) {
                        bool old = before.store.count(name) && before.store.at(name) == bytes;
                        bool made = after.store.count(name) && after.store.at(name) == bytes;
                        EXPECT_TRUE(old || made) << operation.name << ", " << how << " change " << n << ": icon " << name << " is neither";
                    }
                    for (const auto& [name, bytes] : before.store)
                        EXPECT_TRUE(now.store.count(name)) << operation.name << ", " << how << " change " << n << ": icon " << name << " lost";
                } else {
                    EXPECT_TRUE(now == before || now == after) << operation.name << ", " << how << " change " << n << ":\n  store" << describe(now.store)
                                                               << "\n  library" << describe(now.library) << "\n  old store" << describe(before.store)
                                                               << "\n  new store" << describe(after.store) << "\n  old library" << describe(before.library)
                                                               << "\n  new library" << describe(after.library);
                }
                if (HasFailure())
                    return;
            }
        }
    }

    void TearDown() override
    {
        filesystem::disarmFaults();
        m_runner.reset();
    }

    TemporaryFolder m_folder;
    std::unique_ptr<sim::ScriptRunner> m_runner;
    int m_prepared = 0;
};

// A store of three icons and a library of two pictures and a backup of two icons.
void typicalFiles(const fs::path& root)
{
    auto at = [&](const std::string& devicePath) { return root / fs::path(devicePath).relative_path(); };
    writeFile(at(std::string(kStore) + "/com.apple.mobilesafari.png"), solidPNG(200, 0, 0));
    writeFile(at(std::string(kStore) + "/com.apple.mobilemail.png"), solidPNG(0, 200, 0));
    writeFile(at(std::string(kStore) + "/com.apple.mobilecal.png"), solidPNG(0, 0, 200));
    writeFile(at(std::string(kLibrary) + "/1.png"), solidPNG(90, 90, 0));
    writeFile(at(std::string(kLibrary) + "/2.png"), solidPNG(0, 90, 90));
    writeFile(at(std::string(kLibrary) + "/Set A/com.apple.mobilesafari.png"), solidPNG(255, 128, 0));
    writeFile(at(std::string(kLibrary) + "/Set A/com.apple.Maps.png"), solidPNG(128, 0, 255));
}

// The upload: a store and a library as another phone has them.
const std::vector<std::uint8_t>& anotherPhonesIcons()
{
    static const std::vector<std::uint8_t> upload = [] {
        TemporaryFolder other;
        auto at = [&](const std::string& devicePath) { return other.path() / fs::path(devicePath).relative_path(); };
        writeFile(at(std::string(kStore) + "/com.apple.mobilesafari.png"), solidPNG(10, 20, 30));
        writeFile(at(std::string(kStore) + "/com.apple.Music.png"), solidPNG(30, 20, 10));
        writeFile(at(std::string(kLibrary) + "/2.png"), solidPNG(40, 40, 40));
        writeFile(at(std::string(kLibrary) + "/Set B/com.apple.camera.png"), solidPNG(50, 0, 50));
        filesystem::DeviceRoot::set(other.path());
        return sim::makeIconArchive();
    }();
    return upload;
}

const Operation kOperations[] = {
        { "restoring a backup", typicalFiles, R"S(longpress "Mail"
tap "Mail"
choose "Replace from icon library"
longpress "Set A"
choose "Use as custom icons"
choose "Do it!")S",
            nullptr },
        { "backing up", typicalFiles, R"S(longpress "Mail"
tap "Mail"
choose "Replace from icon library"
longpress "Custom Icons (currently in use)"
choose "Backup"
type "Set B"
choose "OK")S",
            nullptr },
        { "uploading icons",
        [](const fs::path& root) {
            anotherPhonesIcons(); // made before the phone boots: it uses a device root of its own
            typicalFiles(root);
        },
        "", [] { sim::restoreIconArchive(anotherPhonesIcons()); }, Unit::EachFolder },
        { "restoring all icons", typicalFiles, R"S(open "com.apple.Preferences"
swipe up
tap "Ovrimo"
tap "Statistics & Restore"
tap "Restore all icons"
choose "Restore")S",
            nullptr },
        { "emptying the library", typicalFiles, R"S(open "com.apple.Preferences"
swipe up
tap "Ovrimo"
tap "Statistics & Restore"
tap "Empty icon library"
choose "Delete")S",
            nullptr },
        { "moving an icon into the library", typicalFiles, R"S(longpress "Mail"
tap "Safari"
choose "Restore original"
choose "Move to icon library")S",
            nullptr, Unit::EachFolder },
};

void PrintTo(const Operation& operation, std::ostream* out) { *out << operation.name; }

class EachOperation : public CrashConsistency, public ::testing::WithParamInterface<Operation> { };

TEST_P(EachOperation, LeavesTheOldSetOrTheNewOne)
{
    int swept = 0;
    sweep(GetParam(), &swept);
    std::cout << "[ swept    ] " << GetParam().name << ": " << swept << " injection points\n";
}

INSTANTIATE_TEST_SUITE_P(Sweep, EachOperation, ::testing::ValuesIn(kOperations), [](const auto& info) {
    std::string name;
    for (char c : info.param.name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    return name;
});

TEST_F(CrashConsistency, MultiModeLeavesEachIconOldOrNewAndTheLibraryWhole)
{
    Operation page { "multi mode with the old icons moved to the library",
        [](const fs::path& root) {
            auto at = [&](const std::string& devicePath) { return root / fs::path(devicePath).relative_path(); };
            // The Utilities folder's page: its icons, one with a custom icon already.
            writeFile(at(std::string(kStore) + "/com.apple.MobileAddressBook.png"), solidPNG(200, 0, 0));
            writeFile(at(std::string(kLibrary) + "/1.png"), solidPNG(90, 90, 0));
            writeFile(at("/var/mobile/Media/DCIM/100APPLE/lake.png"), solidPNG(0, 120, 255, 300));
        },
        R"S(longpress "Mail"
tap "Utilities"
tap 187 283
choose "Replace from photo library"
tap "lake.png"
tap "Save"
choose "Move all to icon library"
wait 500)S",
        nullptr, Unit::EachIcon };
    int swept = 0;
    sweep(page, &swept);
    std::cout << "[ swept    ] " << page.name << ": " << swept << " injection points\n";
}

// The library cannot be written (a plain file stands where its folder belongs): every way that
// moves a custom icon into the library before replacing or removing it keeps the icon and says so.
TEST_F(CrashConsistency, WithTheLibraryUnwritableEveryMoveKeepsTheIconsAndSaysSo)
{
    Operation unwritable { "", [](const fs::path& root) {
        auto at = [&](const std::string& devicePath) { return root / fs::path(devicePath).relative_path(); };
        writeFile(at(std::string(kStore) + "/com.apple.mobilesafari.png"), solidPNG(200, 0, 0));
        writeFile(at(std::string(kStore) + "/com.apple.MobileAddressBook.png"), solidPNG(0, 200, 0));
        writeFile(at(kLibrary), "a plain file where the library belongs");
        writeFile(at("/var/mobile/Media/DCIM/100APPLE/lake.png"), solidPNG(0, 120, 255, 300));
    }, "", nullptr, Unit::Everything };
    fs::path prepared = prepare(unwritable);
    const char* kept = "could not be copied to the icon library, so";
    const std::vector<std::pair<const char*, std::string>> roads {
        { "restoring the original, asked", R"S(longpress "Mail"
tap "Safari"
choose "Restore original"
choose "Move to icon library")S" },
        { "restoring the original by default", R"S(pref defaultactionreplace 2
longpress "Mail"
tap "Safari"
choose "Restore original")S" },
        { "replacing, asked", R"S(longpress "Mail"
tap "Safari"
choose "Replace from photo library"
tap "lake.png"
tap "Save"
choose "Move to icon library")S" },
        { "replacing by default", R"S(pref defaultactionreplace 2
longpress "Mail"
tap "Safari"
choose "Replace from photo library"
tap "lake.png"
tap "Save")S" },
        { "replacing a page, asked", R"S(longpress "Mail"
tap "Utilities"
tap 187 283
choose "Replace from photo library"
tap "lake.png"
tap "Save"
choose "Move all to icon library"
wait 500)S" },
        { "restoring a page, asked", R"S(longpress "Mail"
tap "Utilities"
tap 187 283
choose "Restore original"
choose "Move all to icon library"
wait 500)S" },
    };
    for (const auto& [road, steps] : roads) {
        bootOnCopyOf(prepared);
        PhoneFiles before = files();
        ASSERT_NO_THROW(m_runner->run(sim::parseScript(steps + "\nexpect alert \"" + kept + "\""))) << road;
        EXPECT_EQ(files(), before) << road << ": the icons changed" << describe(files().store);
        EXPECT_TRUE(fs::is_regular_file(host(kLibrary))) << road;
    }
}

} // namespace
