// What background work costs the live phone's thread (the browser's phone, PhoneHost):
//  - a touch (down and up on an icon, and what it runs) answered while a download is held by a
//    server that does not answer: the time from handing the touch to the phone's thread to its
//    end;
//  - an upload of 4,096 tiny pictures into the icon library (as /api/icons.zip takes it): the time
//    the phone's thread spends on it, all of it on that thread (arg 0, as before) or only putting
//    the checked and written files in place (arg 1, as now), and the wall time of the whole.

#include "device/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/FoundationSelectors.h"
#include "platform/foundation/NSURLSession.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIWindow.h"
#include "sim/IconArchive.h"
#include "sim/PhoneHost.h"
#include "sim/ViewFinder.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <zip.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <list>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// A booted phone on its own thread, as `ovrimo-sim serve` keeps it, in a device root of its own.
struct LivePhone {
    std::filesystem::path root;
    std::unique_ptr<sim::PhoneHost> host;
    std::thread thread;

    LivePhone()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ovrimo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        root = pattern;
        sim::PhoneOptions options;
        options.profile = "iphone8-ios12";
        options.deviceRoot = root;
        host = std::make_unique<sim::PhoneHost>(options);
        thread = std::thread([this] { host->run(); });
        host->waitUntilRunning(std::chrono::seconds(60));
    }
    ~LivePhone()
    {
        host->stop();
        thread.join();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

// A server whose one address answers only when it stops.
struct StalledServer {
    httplib::Server server;
    std::thread thread;
    std::atomic<bool> stopping { false };
    int port = 0;

    StalledServer()
    {
        server.Get("/held.png", [this](const httplib::Request&, httplib::Response& res) {
            while (!stopping)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            res.status = 503;
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~StalledServer()
    {
        stopping = true;
        server.stop();
        thread.join();
    }
};

void BM_TouchWhileADownloadIsHeld(benchmark::State& state)
{
    LivePhone live;
    StalledServer stalled;
    std::atomic<bool> finished { false };
    live.host->call([&](device::Device&) {
        auto url = NSURL::URLWithString("http://127.0.0.1:" + std::to_string(stalled.port) + "/held.png");
        auto task = NSURLSession::sharedSession()->dataTaskWithURL(url.ptr(), [&](NSData*, NSHTTPURLResponse*, NSError*) { finished = true; });
        foundation::sel::resume(task.ptr());
    });
    CGPoint icon = live.host->call([](device::Device& phone) { return sim::findView(phone.window(), "Notes").center; });
    for (auto _ : state) {
        live.host->call([&](device::Device& phone) {
            phone.touch().touchDown(icon);
            phone.touch().touchUp(icon);
            phone.runUntilIdle();
        });
    }
    state.counters["download_done"] = finished ? 1 : 0;
}
BENCHMARK(BM_TouchWhileADownloadIsHeld)->Unit(benchmark::kMillisecond)->UseRealTime();

// 4,096 pictures of 2 x 2 into the icon library, stored uncompressed.
std::vector<std::uint8_t> manyTinyPictures()
{
    std::string tiny;
    {
        auto png = graphics::encodePNG(graphics_test::fourCorners(2, 2));
        tiny.assign(png->begin(), png->end());
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (int i = 0; i < 4096; ++i) {
        std::string name = std::string(sim::kIconLibraryFolder).substr(1) + "/n" + std::to_string(i) + ".png";
        zip_source_t* file = zip_source_buffer(archive, tiny.data(), tiny.size(), 0);
        zip_int64_t index = zip_file_add(archive, name.c_str(), file, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(archive);
    zip_source_open(buffer);
    zip_stat_t info;
    zip_source_stat(buffer, &info);
    std::vector<std::uint8_t> out(info.size);
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

void BM_UploadOf4096Pictures(benchmark::State& state)
{
    bool offThePhonesThread = state.range(0) == 1;
    LivePhone live;
    std::vector<std::uint8_t> zip = manyTinyPictures();
    double phoneMs = 0, wallMs = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        double onPhone = 0;
        if (offThePhonesThread) {
            sim::PreparedUpload upload = sim::prepareIconArchive(zip);
            live.host->call([&](device::Device& phone) {
                auto begun = Clock::now();
                sim::applyIconArchive(upload);
                phone.runUntilIdle();
                onPhone = millisecondsSince(begun);
            });
        } else {
            live.host->call([&](device::Device& phone) {
                auto begun = Clock::now();
                sim::restoreIconArchive(zip);
                phone.runUntilIdle();
                onPhone = millisecondsSince(begun);
            });
        }
        phoneMs += onPhone;
        wallMs += millisecondsSince(start);
    }
    state.counters["phone_thread_ms"] = benchmark::Counter(phoneMs / static_cast<double>(state.iterations()));
    state.counters["wall_ms"] = benchmark::Counter(wallMs / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_UploadOf4096Pictures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
