// The icon path on the fixed inputs of the benchmark folder (OVRIMO_BENCH_INPUTS): a stored
// 256 × 256 picture looked up and shaped like a 60-point icon at scale 2, with the file changed
// before every lookup (cold) and unchanged (warm); the reload of every icon of a booted phone with
// every icon custom; the PNG of a picture of the whole screen; and the peak memory of showing 500
// distinct custom icons once each. Every timed case reports its median and 99th percentile.

#include "device/Device.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/SBIconView.h"
#include "device/springboard/SpringBoard.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "tests/device/DeviceFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/IconViews.h"
#include "tweak/Preferences.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>

namespace {

using objc::Ref;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> input(const std::string& name)
{
    std::ifstream in(std::string(OVRIMO_BENCH_INPUTS) + "/" + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

void writeBytes(const std::filesystem::path& host, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The picture's bytes with a counter after its end: another file that shows the same picture.
std::vector<uint8_t> variant(std::vector<uint8_t> bytes, uint32_t counter)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(uint8_t(counter >> (8 * i)));
    return bytes;
}

// Times each iteration by hand (so that rewriting a file is left out) and reports p50 and p99.
class Samples {
public:
    explicit Samples(benchmark::State& state) : m_state(state) { }
    template <class F> void time(F&& f)
    {
        auto start = Clock::now();
        f();
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        m_state.SetIterationTime(seconds);
        m_samples.push_back(seconds);
    }
    ~Samples()
    {
        if (m_samples.empty())
            return;
        std::sort(m_samples.begin(), m_samples.end());
        auto at = [&](double q) { return m_samples[std::min(m_samples.size() - 1, size_t(q * double(m_samples.size())))] * 1e6; };
        m_state.counters["p50_us"] = at(0.50);
        m_state.counters["p99_us"] = at(0.99);
    }

private:
    benchmark::State& m_state;
    std::vector<double> m_samples;
};

// A device without SpringBoard: screen 375 × 667 at scale 2, SpringBoard's image being the
// reference picture at scale 2 (60 points).
struct StoreFixture {
    testing_support::TestEnvironment env;
    Ref<UIImage> reference;
    std::vector<uint8_t> picture;

    explicit StoreFixture(const std::string& pictureName)
    {
        registerUIKitClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        ovrimo::ReplacePreferencesSnapshot(ovrimo::LoadPreferencesDomain());
        reference = UIImage::imageWithData(input("ref_120.png"), 2);
        picture = input(pictureName);
    }
    std::filesystem::path file(const std::string& key) const { return env.hostPath(ovrimo::CustomIconPath(key)); }
};

void Lookup(benchmark::State& state, const std::string& pictureName, bool changeEveryTime)
{
    StoreFixture fixture(pictureName);
    const std::string key = "com.apple.mobilecal";
    writeBytes(fixture.file(key), fixture.picture);
    uint32_t counter = 0;
    {
        Samples samples(state);
        for (auto _ : state) {
            if (changeEveryTime)
                writeBytes(fixture.file(key), variant(fixture.picture, ++counter));
            samples.time([&] { benchmark::DoNotOptimize(ovrimo::CustomImageForKey(fixture.reference, key)); });
        }
    }
    state.counters["file_bytes"] = double(fixture.picture.size());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(Lookup, Cold_custom_256, "custom_256.png", true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, Cold_custom_256_photo, "custom_256_photo.png", true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, Warm_custom_256, "custom_256.png", false)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Lookup, Warm_custom_256_photo, "custom_256_photo.png", false)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A booted phone with the tweak's package injected and a custom picture for every icon on the
// home screen's first page and dock.
struct PhoneFixture {
    device_tests::TempRoot root;
    std::unique_ptr<device::Device> phone;
    std::vector<std::filesystem::path> files;
    std::vector<uint8_t> picture = input("custom_256.png");

    explicit PhoneFixture(bool customIcons)
    {
        std::filesystem::copy(OVRIMO_PACKAGE_DIR, root.path(), std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        phone = device::Device::boot("iphone8-ios12", root.path());
        settle();
        if (!customIcons)
            return;
        for (auto& view : springboard::iconController()->visibleIconViews()) {
            files.push_back(root.host(ovrimo::CustomIconPath(ovrimo::IconKeyForIcon(view->icon()))));
            writeBytes(files.back(), picture);
        }
        ovrimo::ReloadAllIconImages();
        settle();
    }
    void settle()
    {
        phone->runUntilIdle();
        phone->advance(800);
        phone->runUntilIdle();
    }
};

void ReloadAllIcons(benchmark::State& state, bool customIcons, bool changeEveryTime)
{
    PhoneFixture fixture(customIcons);
    uint32_t counter = 0;
    {
        Samples samples(state);
        for (auto _ : state) {
            if (changeEveryTime) {
                ++counter;
                for (auto& file : fixture.files)
                    writeBytes(file, variant(fixture.picture, counter));
            }
            samples.time([&] {
                ovrimo::ReloadAllIconImages();
                fixture.phone->runUntilIdle();
            });
        }
    }
    state.counters["custom_icons"] = double(fixture.files.size());
}
BENCHMARK_CAPTURE(ReloadAllIcons, NoCustomIcons, false, false)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReloadAllIcons, AllCustom_Unchanged, true, false)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReloadAllIcons, AllCustom_AllChanged, true, true)->UseManualTime()->Unit(benchmark::kMillisecond);

void ScreenshotPNG(benchmark::State& state)
{
    PhoneFixture fixture(true);
    Ref<UIImage> screen = fixture.phone->screenshot();
    size_t bytes = 0;
    {
        Samples samples(state);
        for (auto _ : state)
            samples.time([&] { bytes = UIImagePNGRepresentation(screen)->size(); });
    }
    state.counters["png_bytes"] = double(bytes);
}
BENCHMARK(ScreenshotPNG)->UseManualTime()->Unit(benchmark::kMillisecond);

// Run on its own (--benchmark_filter=PeakMemory) for a meaningful figure: peak RSS is the process's.
void PeakMemory_500DistinctIcons(benchmark::State& state)
{
    for (auto _ : state) {
        StoreFixture fixture("custom_256_photo.png");
        for (uint32_t i = 0; i < 500; ++i) {
            std::string key = "com.example.app" + std::to_string(i);
            writeBytes(fixture.file(key), variant(fixture.picture, i));
            benchmark::DoNotOptimize(ovrimo::CustomImageForKey(fixture.reference, key));
        }
    }
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(PeakMemory_500DistinctIcons)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
