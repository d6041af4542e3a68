// The cost of the custom icon lookup that runs on every icon draw, and of one home-screen redraw
// in which every icon has a custom picture.

#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/Preferences.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

using objc::Ref;

// A fresh device with a rounded 60-point icon at 2x as SpringBoard's image and, optionally, a
// 256 × 256 picture stored for "com.apple.mobilecal".
struct Fixture {
    testing_support::TestEnvironment env;
    Ref<UIImage> original;

    explicit Fixture(bool withFile, bool shaped = true)
    {
        registerUIKitClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
        if (!shaped)
            CFPreferencesSetAppValue("generatemethod", NSNumber::withInteger(1), ovrimo::kPreferencesDomain);
        ovrimo::ReplacePreferencesSnapshot(ovrimo::LoadPreferencesDomain());
        original = picture(CGSizeMake(60, 60), 2, 13);
        if (withFile) {
            auto png = UIImagePNGRepresentation(picture(CGSizeMake(256, 256), 1, 0));
            auto host = env.hostPath(ovrimo::CustomIconPath("com.apple.mobilecal"));
            std::filesystem::create_directories(host.parent_path());
            std::ofstream(host, std::ios::binary).write(reinterpret_cast<const char*>(png->data()), static_cast<std::streamsize>(png->size()));
        }
    }

    static Ref<UIImage> picture(CGSize size, double scale, double radius)
    {
        UIGraphicsBeginImageContextWithOptions(size, false, scale);
        CGContextRef c = UIGraphicsGetCurrentContext();
        // A gradient-like pattern of stripes, so that the PNG is not trivially small.
        for (int i = 0; i < 16; ++i) {
            CGContextSetRGBFillColor(c, i / 16.0, 0.4, 1 - i / 16.0, 1);
            CGContextFillRect(c, CGRectMake(0, i * size.height / 16, size.width, size.height / 16));
        }
        Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        if (radius <= 0)
            return image;
        UIGraphicsBeginImageContextWithOptions(size, false, scale);
        CGContextAddRoundedRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, size.width, size.height), radius);
        CGContextClip(UIGraphicsGetCurrentContext());
        image->drawInRect(CGRectMake(0, 0, size.width, size.height));
        Ref<UIImage> rounded = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return rounded;
    }
};

void BM_CustomImageForKey_NoFile(benchmark::State& state)
{
    Fixture fixture(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(ovrimo::CustomImageForKey(fixture.original, std::string("com.apple.mobilecal")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CustomImageForKey_NoFile)->Unit(benchmark::kMicrosecond);

void BM_CustomImageForKey_Shaped(benchmark::State& state)
{
    Fixture fixture(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ovrimo::CustomImageForKey(fixture.original, std::string("com.apple.mobilecal")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CustomImageForKey_Shaped)->Unit(benchmark::kMicrosecond);

void BM_CustomImageForKey_Unshaped(benchmark::State& state)
{
    Fixture fixture(true, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(ovrimo::CustomImageForKey(fixture.original, std::string("com.apple.mobilecal")));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CustomImageForKey_Unshaped)->Unit(benchmark::kMicrosecond);

// What the home-screen icon path does per icon (lookup, shaping, redraw at the original's size),
// for a page of 24 icons and a dock of 4, every one with a custom picture.
void BM_HomeScreenRedraw_28Icons(benchmark::State& state)
{
    Fixture fixture(true);
    for (auto _ : state) {
        for (int icon = 0; icon < 28; ++icon) {
            Ref<UIImage> custom = ovrimo::CustomImageForKey(fixture.original, std::string("com.apple.mobilecal"));
            benchmark::DoNotOptimize(ovrimo::RedrawImage(custom, fixture.original->size()));
        }
    }
    state.SetItemsProcessed(state.iterations() * 28);
}
BENCHMARK(BM_HomeScreenRedraw_28Icons)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
