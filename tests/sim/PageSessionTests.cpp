// The phone in the browser as people use it over a session: a reboot from the page, two pages
// open at once, a photo arriving while the picker is open, the status bar's clock over time, and
// an HTTP client that posts a picture the way a command-line tool does by default.

#include "device/Device.h"
#include "device/springboard/SBIconController.h"
#include "device/springboard/Surfaces.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIWindow.h"
#include "sim/PhoneHost.h"
#include "sim/Server.h"
#include "sim/ViewFinder.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/sim/SimTestSupport.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <thread>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using namespace std::chrono_literals;

class PageSession : public ::testing::Test {
protected:
    void start(const std::string& profile, bool withTweak)
    {
        sim::PhoneOptions options;
        options.profile = profile;
        options.deviceRoot = folder.path() / "root";
        if (withTweak)
            options.packageFolder = OVRIMO_PACKAGE_DIR;
        host = std::make_unique<sim::PhoneHost>(options);
        phoneThread = std::thread([this] {
            try {
                host->run();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "the phone did not boot: " << e.what();
            }
        });
        ASSERT_TRUE(host->waitUntilRunning(60s));
        sim::ServerOptions serverOptions;
        serverOptions.address = "127.0.0.1";
        serverOptions.port = 0;
        server = std::make_unique<sim::Server>(*host, serverOptions);
        port = server->bind();
        server->start();
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_read_timeout(30, 0);
    }

    void TearDown() override
    {
        client.reset();
        if (server)
            server->stop();
        if (host)
            host->stop();
        if (phoneThread.joinable())
            phoneThread.join();
    }

    // The status and the answer of a JSON action.
    std::pair<int, json> post(const std::string& path, const json& body)
    {
        auto res = client->Post(path.c_str(), body.dump(), "application/json");
        if (!res)
            return { -1, json() };
        return { res->status, json::parse(res->body, nullptr, false) };
    }
    int touch(const std::string& page, const char* phase, int finger, CGPoint p)
    {
        return post("/api/touch", { { "page", page }, { "phase", phase }, { "finger", finger }, { "x", p.x }, { "y", p.y } }).first;
    }

    // A PNG of w x h pixels: four coloured corners, or noise (which does not compress).
    std::string png(size_t w, size_t h, bool noise = false)
    {
        return host->call([&](device::Device&) {
            std::vector<uint8_t> pixels(w * h * 4, 255);
            std::uint32_t seed = 12345;
            for (size_t i = 0; noise && i < pixels.size(); ++i)
                if (i % 4 != 3)
                    pixels[i] = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
            auto bytes = *graphics::encodePNG(noise ? graphics_test::imageFromRGBA(w, h, pixels) : graphics_test::fourCorners(w, h));
            return std::string(bytes.begin(), bytes.end());
        });
    }

    sim_testing::TemporaryFolder folder;
    std::unique_ptr<sim::PhoneHost> host;
    std::thread phoneThread;
    std::unique_ptr<sim::Server> server;
    std::unique_ptr<httplib::Client> client;
    int port = 0;
};

TEST_F(PageSession, ARebootFromThePageComesBackWithTheTweakAsTheFirstBootDid)
{
    start("iphone8-ios12", true);
    auto tweakLoaded = [this] { return host->call([](device::Device&) { return objc::objc_getClass("OvrimoHelper") != nullptr; }); };
    ASSERT_TRUE(tweakLoaded());
    // Into the same profile, then another one and back: the same device root each time.
    for (const char* profile : { "iphone8-ios12", "iphone5-ios9", "iphone8-ios12" }) {
        SCOPED_TRACE(profile);
        auto [status, answer] = post("/api/profile", { { "name", profile } });
        ASSERT_EQ(status, 200) << answer.dump();
        EXPECT_TRUE(tweakLoaded()) << "the tweak is installed and loaded again";
        // Its welcome, shown once per fresh phone, is not shown again: the phone keeps its files.
        EXPECT_EQ(host->call([](device::Device& phone) { return sim::findView(phone.window(), "Welcome to Ovrimo!").view; }), nullptr);
    }
}

TEST_F(PageSession, TwoPagesOpenAtOnceHaveFingersOfTheirOwn)
{
    start("iphone8-ios12", false);
    CGPoint a = CGPointMake(100, 300), b = CGPointMake(250, 300);
    EXPECT_EQ(touch("page-one", "down", 0, a), 200);
    EXPECT_EQ(touch("page-two", "down", 0, b), 200) << "another page's finger 0 is another finger";
    EXPECT_EQ(touch("page-one", "down", 0, a), 409) << "the same page's finger 0 is down already";
    EXPECT_EQ(touch("page-one", "move", 0, CGPointMake(120, 320)), 200);
    EXPECT_EQ(touch("page-two", "move", 0, CGPointMake(230, 320)), 200);
    EXPECT_EQ(host->call([](device::Device& phone) {
        int down = 0;
        for (int finger = 0; finger < sim::PageFingers::kDriverFingers; ++finger)
            down += phone.touch().isDown(finger);
        return down;
    }), 2);
    // One page's cancel lets go of its own fingers only.
    EXPECT_EQ(post("/api/touch", { { "page", "page-one" }, { "phase", "cancel" } }).first, 200);
    EXPECT_EQ(touch("page-one", "move", 0, a), 409);
    EXPECT_EQ(touch("page-two", "up", 0, CGPointMake(230, 320)), 200);
    EXPECT_FALSE(host->call([](device::Device& phone) { return phone.touch().anyDown(); }));
    // A client that names no page has fingers of its own too.
    EXPECT_EQ(post("/api/touch", { { "phase", "down" }, { "x", 10 }, { "y", 300 } }).first, 200);
    EXPECT_EQ(post("/api/touch", { { "phase", "up" }, { "x", 10 }, { "y", 300 } }).first, 200);
}

TEST_F(PageSession, APhotoArrivingWhileThePickerIsOpenIsShownFirst)
{
    start("iphone8-ios12", false);
    ASSERT_EQ(client->Post("/api/photo?name=first.png", png(8, 8), "application/octet-stream")->status, 200);
    auto picker = host->call([](device::Device& phone) {
        auto shown = UIImagePickerController::create();
        phone.window()->rootViewController()->presentViewController(shown, false);
        phone.runUntilIdle();
        return shown;
    });
    auto shownBefore = host->call([&](device::Device&) { return picker->photoPaths(); });
    ASSERT_FALSE(shownBefore.empty());
    EXPECT_EQ(fs::path(shownBefore[0]).filename(), "first.png") << "newest first";
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(client->Post("/api/photo?name=second.png", png(8, 8), "application/octet-stream")->status, 200);
    auto paths = host->call([&](device::Device&) { return picker->photoPaths(); });
    ASSERT_EQ(paths.size(), shownBefore.size() + 1) << "the open picker shows the new photo";
    EXPECT_EQ(fs::path(paths[0]).filename(), "second.png") << "newest first";
    host->call([&](device::Device& phone) {
        picker->dismissViewControllerAnimated(false);
        phone.runUntilIdle();
        picker = nullptr;
    });
}

TEST_F(PageSession, TheStatusBarClockShowsTheHostsTimeOfDayAfterTheClockLostTime)
{
    start("iphone8-ios12", false);
    ASSERT_TRUE(host->frames().addWatcher(4)) << "a page is open";
    auto lag = [this] {
        return host->call([](device::Device&) {
            return std::chrono::duration<double>(std::chrono::system_clock::now() - dispatch::RunLoop::main().wallClock()).count();
        });
    };
    // A freeze: the phone's clock is ten minutes behind the host's.
    host->call([](device::Device&) {
        auto& loop = dispatch::RunLoop::main();
        loop.setBootWallClock(loop.wallClock() - std::chrono::nanoseconds(loop.now()) - std::chrono::minutes(10));
    });
    std::this_thread::sleep_for(300ms);
    EXPECT_LT(std::abs(lag()), 2) << "the phone shows the host's time of day again";
    host->frames().removeWatcher();
}

TEST_F(PageSession, APhotoPostedAsAFormIsRefusedWithWhatToSendInstead)
{
    start("iphone8-ios12", false);
    std::string picture = png(64, 64, true);
    ASSERT_GT(picture.size(), 8192u);
    auto res = client->Post("/api/photo?name=form.png", picture, "application/x-www-form-urlencoded");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 413);
    json answer = json::parse(res->body, nullptr, false);
    ASSERT_TRUE(answer.is_object());
    EXPECT_NE(answer.value("error", "").find("Content-Type application/octet-stream"), std::string::npos) << res->body;
    // The same bytes as a file are taken.
    EXPECT_EQ(client->Post("/api/photo?name=form.png", picture, "application/octet-stream")->status, 200);
}

} // namespace
