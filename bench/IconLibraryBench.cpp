// The icon library browser on the main thread: opening the grid of a library of 256 × 256 PNGs
// (the pictures near the screen read and decoded again each time), a grid of 10,000 pictures of
// 180 × 180 opened and scrolled frame by frame, and building the overview, whose counts list
// every folder and whose thumbnails decode the first picture of each row.

#include "platform/foundation/Foundation.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/hud/MBProgressHUD.h"
#include "tweak/library/IconLibrary.h"
#include "tweak/library/ZarnekIconSelectorViewController.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <fstream>

namespace {

using objc::Ref;
namespace lib = ovrimo::library;

// A phone-sized device with a key window, the overlay and browser classes, and `count` pictures
// in the library root (plus one backup folder holding the same number).
struct Fixture {
    testing_support::TestEnvironment env;
    Ref<UIWindow> window;

    // `side`: the pictures' side in pixels; `withBackup`: a backup folder holding as many.
    explicit Fixture(int count, int side = 256, bool withBackup = true)
    {
        registerUIKitClasses(env.runtime());
        registerFoundationClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        ovrimo::hud::RegisterHUDClasses(env.runtime());
        lib::RegisterIconLibraryClasses(env.runtime());
        window = UIWindow::create(UIScreen::mainScreen()->bounds());
        window->setRootViewController(UIViewController::create());
        window->makeKeyAndVisible();

        auto png = UIImagePNGRepresentation(stripes(side));
        for (const std::string folder : { "", "Set A/" }) {
            if (!folder.empty() && !withBackup)
                continue;
            auto dir = env.hostPath(std::string(lib::kLibraryRoot) + folder);
            std::filesystem::create_directories(dir);
            for (int n = 1; n <= count; ++n)
                std::ofstream(dir / (std::to_string(n) + ".png"), std::ios::binary).write(reinterpret_cast<const char*>(png->data()), static_cast<std::streamsize>(png->size()));
        }
    }

    static Ref<UIImage> stripes(int side)
    {
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(side, side), false, 1);
        CGContextRef c = UIGraphicsGetCurrentContext();
        for (int i = 0; i < 16; ++i) {
            CGContextSetRGBFillColor(c, i / 16.0, 0.4, 1 - i / 16.0, 1);
            CGContextFillRect(c, CGRectMake(0, i * side / 16.0, side, side / 16.0));
        }
        Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return image;
    }

    // A manage-mode browser laid over the root controller's view, its overview table laid out.
    Ref<UIViewController> openBrowser()
    {
        objc::Class* cls = env.runtime().requireClass("ZarnekIconSelectorViewController");
        Ref<objc::Object> made = lib::initWithTitleAndSavePath(cls->createInstance(), nullptr, nullptr);
        Ref<UIViewController> browser(dynamic_cast<UIViewController*>(made.ptr()));
        window->rootViewController()->view()->addSubview(browser->view());
        lib::sel::tableView(browser)->layoutIfNeeded();
        return browser;
    }

    static void runFor(double seconds) { dispatch::RunLoop::main().advance(static_cast<dispatch::Nanoseconds>(seconds * 1e9)); }
};

long maxResidentKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Tapping "Icon Library": the overlay, then 10 ms later every tile with its picture decoded.
void BM_OpenLibraryGrid(benchmark::State& state)
{
    Fixture fixture(static_cast<int>(state.range(0)));
    Ref<UIViewController> browser = fixture.openBrowser();
    for (auto _ : state) {
        lib::sel::imagesSelected(browser);
        Fixture::runFor(0.02);
        state.PauseTiming();
        lib::sel::navController(browser)->popViewControllerAnimated(false);
        Fixture::runFor(1);
        state.ResumeTiming();
    }
    state.counters["maxRSS_MB"] = static_cast<double>(maxResidentKilobytes()) / 1024;
}
BENCHMARK(BM_OpenLibraryGrid)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond)->Iterations(5);

// A library of 10,000 pictures of 180 × 180: tapping "Icon Library" until the grid's first frame
// is drawn. Counters: the growth of the peak resident size over the fixture's, and the tiles.
void BM_OpenLargeLibraryGrid(benchmark::State& state)
{
    Fixture fixture(static_cast<int>(state.range(0)), 180, false);
    Ref<UIViewController> browser = fixture.openBrowser();
    long before = maxResidentKilobytes();
    std::size_t tiles = 0;
    for (auto _ : state) {
        lib::sel::imagesSelected(browser);
        Fixture::runFor(0.02);
        benchmark::DoNotOptimize(uikit::Renderer::renderWindow(fixture.window).ptr());
        state.PauseTiming();
        tiles = lib::sel::selectedIconList(browser)->count();
        lib::sel::navController(browser)->popViewControllerAnimated(false);
        Fixture::runFor(1);
        state.ResumeTiming();
    }
    state.counters["peak_growth_MB"] = static_cast<double>(maxResidentKilobytes() - before) / 1024;
    state.counters["tiles"] = static_cast<double>(tiles);
}
BENCHMARK(BM_OpenLargeLibraryGrid)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Scrolling that grid: each step moves half a screen down (from the end back to the top) and
// draws the frame. Counters: the slowest frame, and the peak growth over the open grid's.
void BM_ScrollLargeLibraryGrid(benchmark::State& state)
{
    Fixture fixture(static_cast<int>(state.range(0)), 180, false);
    Ref<UIViewController> browser = fixture.openBrowser();
    lib::sel::imagesSelected(browser);
    Fixture::runFor(1);
    auto* scroll = dynamic_cast<UIScrollView*>(lib::sel::navController(browser)->topViewController()->view()->subviews().front().ptr());
    if (!scroll) {
        state.SkipWithError("the grid has no scroll view");
        return;
    }
    long before = maxResidentKilobytes();
    double slowest = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        CGPoint offset = scroll->contentOffset();
        offset.y += scroll->bounds().size.height / 2;
        if (offset.y > scroll->maximumContentOffset().y)
            offset.y = 0;
        scroll->setContentOffset(offset);
        benchmark::DoNotOptimize(uikit::Renderer::renderWindow(fixture.window).ptr());
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["slowest_ms"] = slowest;
    state.counters["peak_growth_MB"] = static_cast<double>(maxResidentKilobytes() - before) / 1024;
}
BENCHMARK(BM_ScrollLargeLibraryGrid)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(200);

// For comparison with the grid's frames: a frame of the overview page alone.
void BM_OverviewFrame(benchmark::State& state)
{
    Fixture fixture(1, 180, false);
    Ref<UIViewController> browser = fixture.openBrowser();
    for (auto _ : state)
        benchmark::DoNotOptimize(uikit::Renderer::renderWindow(fixture.window).ptr());
}
BENCHMARK(BM_OverviewFrame)->Unit(benchmark::kMillisecond)->Iterations(50);

// Creating the browser and laying out its overview: the three counts and thumbnails.
void BM_Overview(benchmark::State& state)
{
    Fixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Ref<UIViewController> browser = fixture.openBrowser();
        benchmark::DoNotOptimize(browser.ptr());
        state.PauseTiming();
        browser->view()->removeFromSuperview();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Overview)->Arg(200)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
