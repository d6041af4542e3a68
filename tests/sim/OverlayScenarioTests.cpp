// The progress overlay while the work it stands for runs, seen as a script and a person see it:
// during a download that the script's web server holds, and between the overlay's show and its
// hide during icon generation. Found in the view tree and in the pixels of the screen.

#include "tests/sim/SimTestSupport.h"
#include "tests/support/Pixels.h"

#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/Message.h"
#include "platform/uikit/LayerTree.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/TouchDriver.h"
#include "sim/ViewFinder.h"

#include <cairo.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

using namespace sim_testing;
using objc::Ref;
using testing_support::pixelAt;
using testing_support::RGBA;

namespace {

constexpr const char* kCropperHint = "Crop and scale the image. The highlighted area will be used as the icon image.";

// A port on 127.0.0.1 nobody listens on right now (other test programs may run beside this one).
int freePort()
{
    int sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(sock);
    return port;
}

std::string fileBytes(const std::filesystem::path& path) { return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str(); }

UIView* bezelOf(UIView* overlay) { return dynamic_cast<UIView*>(objc::msgSend<Ref<objc::Object>>(overlay, "bezelView").ptr()); }

// A shown overlay: in the window, neither it nor its box hidden or transparent (a hidden one
// fades its box out and may stay in the tree).
UIView* shownOverlay(UIView* view)
{
    if (!view || view->isHidden() || view->alpha() <= 0)
        return nullptr;
    if (objc::isKindOfClass(view, "MBProgressHUD")) {
        UIView* bezel = bezelOf(view);
        return bezel && !bezel->isHidden() && bezel->alpha() > 0 ? view : nullptr;
    }
    for (const auto& child : view->subviews())
        if (UIView* found = shownOverlay(child.ptr()))
            return found;
    return nullptr;
}

std::string titleOf(UIView* overlay)
{
    auto* label = dynamic_cast<UILabel*>(objc::msgSend<Ref<objc::Object>>(overlay, "label").ptr());
    return label ? label->text() : "";
}

double brightness(RGBA c) { return (c.r + c.g + c.b) / 3.0; }

// A phone with the tweak, driven by scripts, with a picture to serve.
class OverlayScenario : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Made with cairo: no phone (and so no runtime) is booted yet.
        std::filesystem::create_directories(folder.path() / "in" / "pictures");
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 300, 300);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 0.9, 0.3, 0.1);
        cairo_paint(cr);
        cairo_destroy(cr);
        ASSERT_EQ(cairo_surface_write_to_png(surface, (folder.path() / "in" / "pictures" / "picture.png").c_str()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy(surface);
        port = freePort();
        ASSERT_NE(port, 0);
    }

    // A fresh phone with the tweak, past its welcome.
    void boot(const std::string& name)
    {
        runner.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder.path() / "root", ec);
        sim::RunnerOptions options;
        options.defaultProfile = "iphone8-ios12";
        options.packageFolder = OVRIMO_PACKAGE_DIR;
        options.deviceRootFor = [this](const std::string&) { return folder.path() / "root"; };
        options.inputFolder = folder.path() / "in";
        options.outputFolder = folder.path() / "out" / name;
        runner = std::make_unique<sim::ScriptRunner>(options);
        run("profile iphone8-ios12");
        // The time of day in the status bar and on the Clock icon, the same on every run.
        dispatch::RunLoop::main().setBootWallClock(std::chrono::system_clock::time_point(std::chrono::hours(24 * 365 * 50)));
        run("expect alert \"Welcome to Ovrimo!\"\nchoose \"Don't show anymore\"\nscreenshot home.png");
    }

    void run(const std::string& text) { runner->run(sim::parseScript(text)); }
    device::Device& phone() { return *runner->device(); }
    std::filesystem::path out(const std::string& run, const std::string& file) { return folder.path() / "out" / run / file; }

    // The overlay on screen, in the view tree and in the pixels: its box a light grey plate, the
    // screen around it dimmed against the home screen taken at boot. The pixels are those of the
    // window committed now, drawn `later` on (what the render server shows meanwhile: the fade in
    // of the overlay has ended by 0.3 s).
    void expectOverlayShown(const std::string& title, const std::string& run, dispatch::Nanoseconds later = 0)
    {
        UIView* overlay = shownOverlay(phone().window());
        ASSERT_TRUE(overlay) << "no overlay in the view tree";
        EXPECT_EQ(titleOf(overlay), title);
        UIView* bezel = bezelOf(overlay);
        CGRect box = bezel->convertRectToView(bezel->bounds(), phone().window());
        auto& loop = dispatch::RunLoop::main();
        Ref<UIImage> screen = uikit::Renderer::renderCommitted(*uikit::commitWindow(phone().window()), loop.now() + later);
        std::string homeBytes = fileBytes(out(run, "home.png"));
        Ref<UIImage> home = UIImage::imageWithData(reinterpret_cast<const uint8_t*>(homeBytes.data()), homeBytes.size(), screen ? screen->scale() : 1);
        ASSERT_TRUE(screen && home);
        RGBA plate = pixelAt(screen, CGPointMake(box.origin.x + 4, CGRectGetMidY(box)));
        EXPECT_GT(plate.r, 150) << plate;
        EXPECT_NEAR(plate.r, plate.b, 2) << plate;
        // Points in a band across the screen below the box, away from any one icon.
        double dimmed = 0, bright = 0;
        CGRect screenBounds = phone().window()->bounds();
        for (double x = 10; x < screenBounds.size.width; x += 20) {
            CGPoint p = CGPointMake(x, (CGRectGetMaxY(box) + screenBounds.size.height) / 2);
            dimmed += brightness(pixelAt(screen, p));
            bright += brightness(pixelAt(home, p));
        }
        EXPECT_LT(dimmed, 0.55 * bright) << "the screen behind the overlay is not dimmed";
    }

    // Up to the held download: the icon sheet, "Replace from URL", the address, OK.
    void startHeldDownload(const std::string& name)
    {
        boot(name);
        run("webserver pictures " + std::to_string(port) + " delay 3\n"
            "longpress \"Safari\"\ntap \"Safari\"\nchoose \"Replace from URL\"\n"
            "type \"http://127.0.0.1:" + std::to_string(port) + "/picture.png\"\nchoose \"OK\"\nwait 300\nscreenshot held.png");
    }

    TemporaryFolder folder;
    std::unique_ptr<sim::ScriptRunner> runner;
    int port = 0;
};

TEST_F(OverlayScenario, AHeldDownloadShowsTheOverlayWhileTheClockRunsAndEveryRunSeesTheSameFrames)
{
    for (std::string name : { "first", "second" }) {
        startHeldDownload(name);
        expectOverlayShown("Downloading image...", name);
        dispatch::Nanoseconds started = dispatch::RunLoop::main().now();
        run("wait 1500\nscreenshot still-held.png");
        EXPECT_EQ(dispatch::RunLoop::main().now() - started, 1'500'000'000) << "the clock moves while the download is held";
        expectOverlayShown("Downloading image...", name);
        EXPECT_THROW(run("expect text \"" + std::string(kCropperHint) + "\""), sim::ScriptError) << "the answer came before its time";

        run("wait 1500\nexpect text \"" + std::string(kCropperHint) + "\"\nscreenshot cropper.png");
        EXPECT_FALSE(shownOverlay(phone().window())) << "the overlay hides once the picture is there";
    }
    for (const char* shot : { "held.png", "still-held.png", "cropper.png" })
        EXPECT_TRUE(fileBytes(out("first", shot)) == fileBytes(out("second", shot))) << shot << " differs between two runs";
}

TEST_F(OverlayScenario, AScriptThatEndsWhileADownloadIsHeldEndsAtOnce)
{
    startHeldDownload("ended");
    expectOverlayShown("Downloading image...", "ended");
    auto before = std::chrono::steady_clock::now();
    runner.reset(); // the server sends the held request away; the phone then shuts down
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
}

// Generating an icon holds the phone's thread; the overlay is shown first and the work starts a
// moment later, so a frame drawn in between shows it.
TEST_F(OverlayScenario, IconGenerationShowsTheOverlayBetweenItsShowAndItsHide)
{
    boot("generation");
    run("photo pictures/picture.png\nlongpress \"Safari\"\ntap \"Safari\"\nchoose \"Replace from photo library\"\ntap \"picture.png\"\n"
        "expect text \"" + std::string(kCropperHint) + "\"");
    sim::FoundView save = sim::findView(phone().window(), "Save");
    ASSERT_TRUE(save.view);
    phone().touch().touchDown(save.center);
    phone().touch().touchUp(save.center);
    // The work has not started: the overlay is committed, and the render server goes on drawing
    // that commit, fading in, while the work holds the main thread.
    expectOverlayShown("Please wait! Generating icon image...", "generation", 400'000'000);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "root/var/mobile/Documents/Ovrimo/Icons/com.apple.mobilesafari.png")) << "the work ran before the overlay was seen";

    run("wait 1000");
    EXPECT_FALSE(shownOverlay(phone().window()));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "root/var/mobile/Documents/Ovrimo/Icons/com.apple.mobilesafari.png"));
}

} // namespace
