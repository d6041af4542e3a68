// The icon library browser on the main thread: opening the grid of a library of 256 × 256 PNGs
// (every picture read and decoded again each time), and building the overview, whose counts list
// every folder and whose thumbnails decode the first picture of each row.

#include "platform/foundation/Foundation.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/hud/MBProgressHUD.h"
#include "tweak/library/IconLibrary.h"
#include "tweak/library/ZarnekIconSelectorViewController.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <fstream>

namespace {

using objc::Ref;
namespace lib = ovrimo::library;

// A phone-sized device with a key window, the overlay and browser classes, and `count` pictures
// in the library root (plus one backup folder holding the same number).
struct Fixture {
    testing_support::TestEnvironment env;
    Ref<UIWindow> window;

    explicit Fixture(int count)
    {
        registerUIKitClasses(env.runtime());
        registerFoundationClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        ovrimo::hud::RegisterHUDClasses(env.runtime());
        lib::RegisterIconLibraryClasses(env.runtime());
        window = UIWindow::create(UIScreen::mainScreen()->bounds());
        window->setRootViewController(UIViewController::create());
        window->makeKeyAndVisible();

        auto png = UIImagePNGRepresentation(stripes());
        for (const std::string folder : { "", "Set A/" }) {
            auto dir = env.hostPath(std::string(lib::kLibraryRoot) + folder);
            std::filesystem::create_directories(dir);
            for (int n = 1; n <= count; ++n)
                std::ofstream(dir / (std::to_string(n) + ".png"), std::ios::binary).write(reinterpret_cast<const char*>(png->data()), static_cast<std::streamsize>(png->size()));
        }
    }

    static Ref<UIImage> stripes()
    {
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(256, 256), false, 1);
        CGContextRef c = UIGraphicsGetCurrentContext();
        for (int i = 0; i < 16; ++i) {
            CGContextSetRGBFillColor(c, i / 16.0, 0.4, 1 - i / 16.0, 1);
            CGContextFillRect(c, CGRectMake(0, i * 16, 256, 16));
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
