// The cost of writing one icon file from a picture, on the main thread: draw (square, or cut to
// the icon's shape), PNG encoding and the atomic write. The picture is decoded once beforehand,
// as the cropper hands it over decoded.

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "tests/support/TestEnvironment.h"
#include "tweak/IconStore.h"
#include "tweak/workflow/IconGeneration.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#ifndef OVRIMO_BENCH_INPUTS
#define OVRIMO_BENCH_INPUTS "../shared/bench-inputs"
#endif

namespace {

using objc::Ref;

Ref<UIImage> input(const char* name)
{
    std::string path = std::string(OVRIMO_BENCH_INPUTS) + "/" + name;
    auto bytes = std::vector<uint8_t>();
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return UIImage::imageWithData(bytes);
}

void generate(benchmark::State& state, bool preShaped)
{
    testing_support::TestEnvironment env;
    registerUIKitClasses(env.runtime());
    uikit::configureScreen(CGSizeMake(375, 667), 2);
    Ref<UIImage> photo = input("photo_1024.jpg");
    // The shape as SpringBoard's image view gives it: 60 points at scale 2.
    Ref<UIImage> reference = input("ref_120.png");
    Ref<UIImage> shape = reference ? UIImage::imageWithCGImage(reference->CGImage(), 2) : nullptr;
    if (!photo || !shape) {
        state.SkipWithError("bench inputs missing");
        return;
    }
    std::string path = ovrimo::CustomIconPath("com.apple.mobilecal");
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = ovrimo::WriteIconFile(photo, shape, preShaped, path);
    if (!bytes)
        state.SkipWithError("nothing written");
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_GenerateIconSquare(benchmark::State& state) { generate(state, false); }
void BM_GenerateIconPreShaped(benchmark::State& state) { generate(state, true); }

} // namespace

BENCHMARK(BM_GenerateIconSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateIconPreShaped)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
