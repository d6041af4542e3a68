// What a frame of the browser phone costs: the screen drawn from a commit, the tiles that changed
// found, and those rectangles encoded, on real frames of a booted phone with the tweak: the home
// screen (a whole frame), a page swipe, a folder opening and a photo dragged in the cropper, on the iPhone 8 and
// the iPad profiles, at the scale the browser gets. The encodings compared: PNG at zlib levels
// 1 to 3, JPEG at quality 80 and lossy WebP at quality 80. Each figure is per frame, with the
// bytes a frame sends.
//
// Run from the build folder: ./bench/frame_bench

#include "device/Device.h"
#include "device/profiles/DeviceProfile.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/TouchDriver.h"
#include "sim/Script.h"
#include "sim/ScriptRunner.h"
#include "sim/FrameEncoder.h"
#include "sim/ScreenCommit.h"
#include "sim/TileGrid.h"
#include "sim/ViewFinder.h"
#include "tests/device/DeviceFixture.h"

#include <benchmark/benchmark.h>
#include <webp/encode.h>

#include <map>
#include <memory>

#ifndef OVRIMO_BENCH_INPUTS
#define OVRIMO_BENCH_INPUTS "../shared/bench-inputs"
#endif

namespace {

using sim::PixelBuffer;

struct Scene {
    // The home screen's commit.
    std::shared_ptr<const sim::ScreenCommit> still;
    // Successive frames of the motion, the still frame before them first.
    std::vector<std::shared_ptr<PixelBuffer>> frames;
};

// The scale frames are sent at: the screen's own, halved while over 2.5 million pixels.
double frameScale(const device::Device& phone)
{
    double scale = phone.profile().scale;
    CGSize size = phone.profile().screenSize;
    while (scale > 1 && size.width * size.height * scale * scale > 2.5e6)
        scale -= 0.5;
    return scale;
}

std::shared_ptr<PixelBuffer> frameOf(device::Device& phone)
{
    auto frame = std::make_shared<PixelBuffer>();
    if (auto commit = sim::commitScreen(phone, frameScale(phone)))
        sim::compositeScreen(*commit, dispatch::RunLoop::main().now(), *frame);
    return frame;
}

// A finger dragged from `from` to `to` in `steps` moves a display frame apart, a frame after each.
void recordDrag(device::Device& phone, CGPoint from, CGPoint to, int steps, std::vector<std::shared_ptr<PixelBuffer>>& frames)
{
    frames.push_back(frameOf(phone));
    phone.touch().touchDown(from, 0);
    for (int i = 1; i <= steps; ++i) {
        phone.advance(16);
        phone.touch().touchMove(CGPointMake(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps), 0);
        frames.push_back(frameOf(phone));
    }
    phone.touch().touchUp(to, 0);
    for (int i = 0; i < 4; ++i) {
        phone.advance(16);
        frames.push_back(frameOf(phone));
    }
}

class Phones {
public:
    static Phones& shared()
    {
        static Phones phones;
        return phones;
    }
    const Scene& scene(const std::string& profile, const std::string& name)
    {
        auto key = profile + "/" + name;
        if (!m_scenes.count(key))
            record(profile);
        return m_scenes[key];
    }

private:
    void record(const std::string& profile)
    {
        device_tests::TempRoot root, out;
        sim::RunnerOptions options;
        options.defaultProfile = profile;
        options.deviceRootFor = [&](const std::string&) { return root.path(); };
        options.packageFolder = OVRIMO_PACKAGE_DIR;
        options.inputFolder = OVRIMO_BENCH_INPUTS;
        options.outputFolder = out.path();
        sim::ScriptRunner runner(options);
        runner.run(sim::parseScript("profile " + profile + "\nchoose \"Don't show anymore\"\nphoto photo_1024.jpg\n"));
        device::Device& phone = *runner.device();
        CGSize size = phone.profile().screenSize;

        Scene& home = m_scenes[profile + "/home"];
        home.frames.push_back(frameOf(phone));
        home.still = sim::commitScreen(phone, frameScale(phone));

        Scene& swipe = m_scenes[profile + "/swipe"];
        recordDrag(phone, CGPointMake(size.width * 0.8, size.height * 0.5), CGPointMake(size.width * 0.3, size.height * 0.5), 12, swipe.frames);
        phone.advance(1000);

        // The Utilities folder opening from the first page, a frame each display frame.
        phone.pressHome();
        phone.advance(1000);
        Scene& folder = m_scenes[profile + "/folder"];
        folder.frames.push_back(frameOf(phone));
        phone.touch().tap(sim::findView(phone.window(), "Utilities").center);
        for (int i = 0; i < 30; ++i) {
            phone.advance(16);
            folder.frames.push_back(frameOf(phone));
        }
        phone.pressHome();
        phone.advance(1000);

        runner.run(sim::parseScript("longpress \"Safari\"\ntap \"Safari\"\nchoose \"Replace from photo library\"\ntap \"photo_1024.jpg\"\n"));
        Scene& crop = m_scenes[profile + "/crop"];
        recordDrag(phone, CGPointMake(size.width * 0.45, size.height * 0.45), CGPointMake(size.width * 0.55, size.height * 0.55), 12, crop.frames);
    }

    std::map<std::string, Scene> m_scenes;
};

using Encode = std::optional<std::vector<std::uint8_t>> (*)(const graphics::PixelRows&);

std::optional<std::vector<std::uint8_t>> webp(const graphics::PixelRows& rows)
{
    std::uint8_t* out = nullptr;
    // cairo's ARGB32 on a little-endian machine is B, G, R, A in memory.
    std::size_t size = WebPEncodeBGRA(rows.data, int(rows.width), int(rows.height), int(rows.stride), 80, &out);
    if (!size)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(out, out + size);
    WebPFree(out);
    return bytes;
}

const std::map<std::string, Encode> kEncodings {
    { "png1", [](const graphics::PixelRows& r) { return graphics::encodePNG(r, 1); } },
    { "png2", [](const graphics::PixelRows& r) { return graphics::encodePNG(r, 2); } },
    { "png3", [](const graphics::PixelRows& r) { return graphics::encodePNG(r, 3); } },
    { "jpeg80", [](const graphics::PixelRows& r) { return graphics::encodeJPEG(r, 80); } },
    { "webp80", webp },
};

// The changed rectangles between each frame and the next (the whole frame for a lone frame),
// encoded; what the render thread does for a frame, the drawing aside.
void BM_Frame(benchmark::State& state, std::string profile, std::string scene, std::string encoding)
{
    const Scene& s = Phones::shared().scene(profile, scene);
    Encode encode = kEncodings.at(encoding);
    std::size_t bytes = 0, frames = 0, pixels = 0;
    for (auto _ : state) {
        for (std::size_t i = s.frames.size() == 1 ? 0 : 1; i < s.frames.size(); ++i) {
            const PixelBuffer& now = *s.frames[i];
            sim::TileGrid tiles(now.width, now.height, 32);
            if (i == 0)
                tiles.markAll();
            else
                tiles.markDifferences(*s.frames[i - 1], now);
            if (!tiles.any())
                continue;
            for (const auto& r : tiles.rectangles(8)) {
                graphics::PixelRows rows { now.bytes.data() + std::size_t(r.y * now.stride + r.x * 4), std::size_t(r.width), std::size_t(r.height), std::size_t(now.stride) };
                auto encoded = encode(rows);
                bytes += encoded ? encoded->size() : 0;
                pixels += std::size_t(r.area());
            }
            ++frames;
        }
    }
    state.SetItemsProcessed(std::int64_t(frames));
    state.counters["bytes/frame"] = frames ? double(bytes) / double(frames) : 0;
    state.counters["changed px/frame"] = frames ? double(pixels) / double(frames) : 0;
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

// What the render thread's encoder does with a moving scene's frames: the changed tiles found and
// sent as JPEG, the pictures whole or halved (as on a screen of 2 pixels a point), then the still
// screen refined as PNG.
void BM_MovingFrames(benchmark::State& state, std::string profile, std::string scene, bool halve)
{
    const Scene& s = Phones::shared().scene(profile, scene);
    std::size_t bytes = 0, frames = 0;
    for (auto _ : state) {
        sim::FrameEncoder encoder;
        encoder.encode(s.frames.front(), false);
        for (std::size_t i = 1; i < s.frames.size(); ++i) {
            for (const auto& r : encoder.encode(s.frames[i], true, halve))
                bytes += r.bytes.size();
            ++frames;
        }
        for (const auto& r : encoder.refine())
            bytes += r.bytes.size();
    }
    state.SetItemsProcessed(std::int64_t(frames));
    state.counters["bytes/frame"] = frames ? double(bytes) / double(frames) : 0;
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

// Drawing a commit into pixels on the render thread.
void BM_Composite(benchmark::State& state, std::string profile)
{
    auto commit = Phones::shared().scene(profile, "home").still;
    PixelBuffer out;
    for (auto _ : state)
        sim::compositeScreen(*commit, 0, out);
}

void registerAll()
{
    for (std::string profile : { "iphone8-ios12", "ipadpro-ios13" }) {
        benchmark::RegisterBenchmark(("Composite/" + profile).c_str(), BM_Composite, profile)->Unit(benchmark::kMillisecond);
        for (std::string scene : { "swipe", "folder", "crop" })
            for (bool halve : { false, true })
                benchmark::RegisterBenchmark(("Moving/" + profile + "/" + scene + (halve ? "/halved" : "/whole")).c_str(), BM_MovingFrames, profile, scene, halve)
                    ->Unit(benchmark::kMillisecond);
        for (std::string scene : { "home", "swipe", "folder", "crop" })
            for (const auto& [encoding, _] : kEncodings)
                benchmark::RegisterBenchmark(("Frame/" + profile + "/" + scene + "/" + encoding).c_str(), BM_Frame, profile, scene, encoding)
                    ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
