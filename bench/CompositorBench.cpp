// The cost of one frame of the iPhone 8's home screen at its screen scale: a commit of the window
// (layout, the views' drawing, the snapshot) and its composite into pixels, with every view drawn
// afresh and with the layers keeping what they drew; and the composite of a commit alone, which
// is what a render thread pays for each frame of an animation.

#include "device/Device.h"
#include "platform/uikit/Compositor.h"
#include "platform/uikit/LayerTree.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tests/device/DeviceFixture.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

struct HomeScreen {
    device_tests::TempRoot root;
    std::unique_ptr<device::Device> phone;

    HomeScreen()
    {
        std::filesystem::copy(OVRIMO_PACKAGE_DIR, root.path(), std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        phone = device::Device::boot("iphone8-ios12", root.path());
        phone->runUntilIdle();
        phone->advance(800);
        phone->runUntilIdle();
    }
};

void frames(benchmark::State& state, bool keepContents)
{
    HomeScreen home;
    uikit::setKeepsLayerContents(keepContents);
    double scale = UIScreen::mainScreen()->scale();
    uikit::PixelBuffer pixels;
    for (auto _ : state) {
        auto tree = uikit::commitWindow(home.phone->window());
        uikit::composite(*tree, dispatch::RunLoop::main().now(), scale, pixels);
        benchmark::DoNotOptimize(pixels.bytes.data());
    }
    uikit::setKeepsLayerContents(true);
}

void BM_HomeScreenFrameDrawnAfresh(benchmark::State& state) { frames(state, false); }
void BM_HomeScreenFrameKeepingContents(benchmark::State& state) { frames(state, true); }

void BM_HomeScreenCompositeOnly(benchmark::State& state)
{
    HomeScreen home;
    auto tree = uikit::commitWindow(home.phone->window());
    double scale = UIScreen::mainScreen()->scale();
    uikit::PixelBuffer pixels;
    for (auto _ : state) {
        uikit::composite(*tree, dispatch::RunLoop::main().now(), scale, pixels);
        benchmark::DoNotOptimize(pixels.bytes.data());
    }
}

BENCHMARK(BM_HomeScreenFrameDrawnAfresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HomeScreenFrameKeepingContents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HomeScreenCompositeOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
