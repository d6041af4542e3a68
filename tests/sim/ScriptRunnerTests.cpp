#include "tests/sim/SimTestSupport.h"

#include "device/springboard/SBIconView.h"
#include "device/springboard/Surfaces.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UIPinchGestureRecognizer.h"
#include "platform/uikit/UIWindow.h"
#include "sim/ViewFinder.h"

using namespace sim_testing;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

SBIconView* iconViewNamed(UIWindow* window, const std::string& name)
{
    return dynamic_cast<SBIconView*>(sim::findView(window, name).view);
}

} // namespace

TEST_F(SimulatorTest, TapsLongPressesSwipesAndTheHomeButtonWorkTheHomeScreen)
{
    boot("iphone8-ios12");
    // A label finds the icon by its name, and a tap opens the app.
    run("tap \"Settings\"");
    EXPECT_EQ(device->foregroundApp(), "com.apple.Preferences");
    run("home");
    EXPECT_EQ(device->foregroundApp(), "");
    run("open \"com.apple.Preferences\"");
    EXPECT_EQ(device->foregroundApp(), "com.apple.Preferences");
    run("home");

    // A tap at a point lands where a finger would.
    sim::FoundView clock = sim::findView(device->window(), "Clock");
    ASSERT_TRUE(clock.view);
    run("tap " + std::to_string(clock.center.x) + " " + std::to_string(clock.center.y));
    EXPECT_EQ(device->foregroundApp(), "com.apple.mobiletimer");
    run("home");

    // The second page's icons are off screen (clipped) until a swipe brings them in.
    EXPECT_EQ(failure("expect text \"Tips\"").line(), 1);
    run("swipe left\nexpect text \"Tips\"");
    EXPECT_FALSE(sim::findView(device->window(), "FaceTime").view);
    run("swipe right\nexpect text \"FaceTime\"");

    run("longpress \"Safari\"");
    SBIconView* safari = iconViewNamed(device->window(), "Safari");
    ASSERT_TRUE(safari);
    EXPECT_TRUE(safari->isEditing());
    run("home");
    EXPECT_FALSE(iconViewNamed(device->window(), "Safari")->isEditing());
}

TEST_F(SimulatorTest, FailuresNameTheLineAndTheReason)
{
    boot("iphone8-ios12");
    sim::ScriptError e = failure("home\n\ntap \"Nothing Here\"\nhome");
    EXPECT_EQ(e.line(), 3);
    EXPECT_TRUE(contains(e.reason(), "tap: nothing on screen has the label, title or text \"Nothing Here\"")) << e.reason();
    EXPECT_TRUE(contains(e.reason(), "\"Calendar\"")) << "the message says what is on screen: " << e.reason();

    e = failure("expect text \"Nowhere\"");
    EXPECT_EQ(e.line(), 1);
    EXPECT_TRUE(contains(e.reason(), "expect text: no visible view shows \"Nowhere\"")) << e.reason();
    EXPECT_STREQ(e.what(), ("line 1: " + e.reason()).c_str());

    EXPECT_TRUE(contains(failure("expect alert \"OK\"").reason(), "no alert or sheet is on screen"));
    EXPECT_TRUE(contains(failure("choose \"OK\"").reason(), "no alert or sheet is on screen"));
    EXPECT_TRUE(contains(failure("type \"x\"").reason(), "no alert or sheet is on screen"));
    EXPECT_TRUE(contains(failure("open \"com.example.none\"").reason(), "no app with bundle identifier \"com.example.none\" is installed"));
    EXPECT_TRUE(contains(failure("tap 5000 10").reason(), "off the screen"));
    EXPECT_TRUE(contains(failure("drag 10 10 10 9000").reason(), "on the screen"));
    EXPECT_TRUE(contains(failure("swipe up \"Nothing Here\"").reason(), "nothing on screen"));
    EXPECT_TRUE(contains(failure("profile iphone5-ios9").reason(), "the device in use is iphone8-ios12"));

    // An unknown step is refused before anything runs.
    EXPECT_THROW(run("home\nfly away"), sim::ScriptError);
}

TEST_F(SimulatorTest, AlertStepsReadTypeIntoAndChooseLikeAFinger)
{
    boot("iphone5-ios9");
    std::string chosen, typed;
    auto alert = UIAlertController::alertControllerWithTitle("Name this icon", "Give the picture a short name", UIAlertControllerStyleAlert);
    alert->addTextFieldWithConfigurationHandler(nullptr);
    objc::WeakRef<UIAlertController> weak(alert);
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyleCancel, [&](UIAlertAction*) { chosen = "Cancel"; }));
    alert->addAction(UIAlertAction::actionWithTitle("Save", UIAlertActionStyleDefault, [&, weak](UIAlertAction*) {
        chosen = "Save";
        typed = weak ? weak->textFields().front()->text() : "(gone)";
    }));
    device->window()->topmostViewController()->presentViewController(alert, false);
    device->runUntilIdle();

    run("expect alert \"Name this icon\"\nexpect alert \"short name\"\nexpect alert \"Save\"");
    sim::ScriptError e = failure("expect alert \"Delete\"");
    EXPECT_TRUE(contains(e.reason(), "does not show \"Delete\" (it shows \"Name this icon\", \"Give the picture a short name\", \"Cancel\", \"Save\")"))
        << e.reason();
    EXPECT_TRUE(contains(failure("choose \"Delete\"").reason(), "has no action \"Delete\" (its actions: \"Cancel\", \"Save\")"));

    run("type \"Blue \"\ntype \"sky\"");
    EXPECT_EQ(alert->textFields().front()->text(), "Blue sky");
    run("choose \"Save\"");
    EXPECT_EQ(chosen, "Save");
    EXPECT_EQ(typed, "Blue sky");
    EXPECT_EQ(sim::alertOnScreen(device->window()), nullptr) << "the alert is dismissed";
    EXPECT_TRUE(contains(failure("expect alert \"Save\"").reason(), "no alert or sheet"));
}

TEST_F(SimulatorTest, ClipboardPhotosAndPreferences)
{
    boot("iphone5-ios9");
    run("clipboard \"https://example.com/icon.png\"");
    EXPECT_EQ(UIPasteboard::generalPasteboard()->string(), "https://example.com/icon.png");

    // A picture is copied into the camera roll; one of the same name never replaces it.
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + "rest of a picture";
    writeFile(folder.path() / "in" / "sky.png", png);
    writeFile(folder.path() / "in" / "notes.txt", "not a picture");
    run("photo sky.png\nphoto sky.png");
    std::filesystem::path roll = hostPath(sim::kCameraRollFolder);
    EXPECT_TRUE(std::filesystem::exists(roll / "sky.png"));
    EXPECT_TRUE(std::filesystem::exists(roll / "sky-2.png"));
    EXPECT_EQ(std::filesystem::file_size(roll / "sky.png"), png.size());
    EXPECT_TRUE(contains(failure("photo notes.txt").reason(), "is not a PNG or JPEG picture"));
    EXPECT_TRUE(contains(failure("photo missing.png").reason(), "no picture file at"));
    EXPECT_FALSE(std::filesystem::exists(roll / "notes.txt"));

    // Preferences are stored typed, as Settings would, and the tweak is told.
    int posted = 0;
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), &posted,
        [](CFNotificationCenterRef, void* observer, const std::string&, const void*, NSDictionary*) { ++*static_cast<int*>(observer); },
        sim::kPreferencesChangedNotification, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    run("pref enabled false\npref iconSize 60\npref name \"My icons\"");
    EXPECT_EQ(posted, 3);
    auto enabled = dynamic_cast<NSNumber*>(CFPreferencesCopyAppValue("enabled", sim::kPreferencesDomain).ptr());
    ASSERT_TRUE(enabled);
    EXPECT_TRUE(enabled->isBoolean());
    EXPECT_FALSE(enabled->boolValue());
    auto size = dynamic_cast<NSNumber*>(CFPreferencesCopyAppValue("iconSize", sim::kPreferencesDomain).ptr());
    ASSERT_TRUE(size);
    EXPECT_EQ(size->kind(), NSNumber::Kind::Integer);
    EXPECT_EQ(size->integerValue(), 60);
    auto name = dynamic_cast<NSString*>(CFPreferencesCopyAppValue("name", sim::kPreferencesDomain).ptr());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->value(), "My icons");
    EXPECT_TRUE(std::filesystem::exists(hostPath("/var/mobile/Library/Preferences/com.zarnek.ovrimo.plist")));
}

TEST_F(SimulatorTest, DevicePathsStayInsideTheDevice)
{
    boot("iphone5-ios9");
    writeFile(hostPath("/var/mobile/Documents/here.txt"), "x");
    run("expect exists /var/mobile/Documents/here.txt\nexpect missing \"/var/mobile/Documents/not here.txt\"");
    EXPECT_TRUE(contains(failure("expect missing /var/mobile/Documents/here.txt").reason(), "/var/mobile/Documents/here.txt exists"));
    EXPECT_TRUE(contains(failure("expect exists /var/mobile/nothing").reason(), "does not exist"));
    EXPECT_TRUE(contains(failure("expect exists /../../../../etc/passwd").reason(), "is not a path inside the device"));
    std::filesystem::create_symlink("/etc", hostPath("/var/mobile/outside"));
    EXPECT_TRUE(contains(failure("expect exists /var/mobile/outside/passwd").reason(), "is not a path inside the device"));
}

TEST_F(SimulatorTest, WaitMovesTheDeviceClockExactly)
{
    boot("iphone5-ios9");
    auto before = dispatch::RunLoop::main().now();
    run("wait 2500");
    EXPECT_EQ(dispatch::RunLoop::main().now() - before, 2'500'000'000);
    run("wait 0");
    EXPECT_EQ(dispatch::RunLoop::main().now() - before, 2'500'000'000);

    // `pause` sets the time a step that touches the phone lets pass afterwards.
    auto tapTakes = [&] {
        auto start = dispatch::RunLoop::main().now();
        run("tap 5 300");
        return dispatch::RunLoop::main().now() - start;
    };
    auto settled = tapTakes();
    run("pause 0");
    auto paused = tapTakes();
    EXPECT_EQ(settled - paused, 400'000'000);
    run("pause 1000");
    EXPECT_EQ(tapTakes() - paused, 1'000'000'000);
}

TEST_F(SimulatorTest, AScriptsPhoneShowsTheSameTimeAndDayWheneverItRuns)
{
    boot("iphone8-ios12");
    // The status bar and the Calendar icon read the phone's wall clock: a fixed local moment, so
    // that a script's pictures do not change with the hour it runs at.
    run("expect text \"10:30\"");
    auto shown = std::chrono::system_clock::to_time_t(dispatch::RunLoop::main().wallClock());
    std::tm local {};
    localtime_r(&shown, &local);
    EXPECT_EQ(local.tm_year + 1900, 2026);
    EXPECT_EQ(local.tm_mon + 1, 6);
    EXPECT_EQ(local.tm_mday, 10);
    // It runs on with the phone's clock.
    run("wait 120000");
    run("expect text \"10:32\"");
}

namespace {

// Records what a pan and a pinch over the whole screen saw.
struct GestureLog : objc::NSObject {
    OBJC_CLASS(SimGestureLog)
    CGPoint translation;
    double scale = 0;
    bool panEnded = false, pinchEnded = false;
};

} // namespace

TEST_F(SimulatorTest, DragAndPinchReachGestureRecognizers)
{
    boot("iphone8-ios12");
    objc::Class* cls = device->runtime().registerClass<GestureLog>("NSObject");
    cls->addMethod("pan:", [](GestureLog* self, objc::SEL, UIPanGestureRecognizer* r) {
        self->translation = r->translationInView(nullptr);
        self->panEnded = r->state() == UIGestureRecognizerStateEnded;
    });
    cls->addMethod("pinch:", [](GestureLog* self, objc::SEL, UIPinchGestureRecognizer* r) {
        self->scale = r->scale();
        self->pinchEnded = r->state() == UIGestureRecognizerStateEnded;
    });
    auto log = objc::make<GestureLog>();
    auto pad = UIView::create(device->window()->bounds());
    pad->setBackgroundColor(UIColor::whiteColor());
    pad->addGestureRecognizer(UIGestureRecognizer::create<UIPanGestureRecognizer>(log, "pan:"));
    pad->addGestureRecognizer(UIGestureRecognizer::create<UIPinchGestureRecognizer>(log, "pinch:"));
    device->window()->addSubview(pad);

    run("drag 100 500 250 300 0.6");
    EXPECT_TRUE(log->panEnded);
    EXPECT_NEAR(log->translation.x, 150, 1e-6);
    EXPECT_NEAR(log->translation.y, -200, 1e-6);

    run("pinch 187 333 2.5");
    EXPECT_TRUE(log->pinchEnded);
    EXPECT_NEAR(log->scale, 2.5, 1e-6);
}

TEST_F(SimulatorTest, SurfacesOpenAndShowTheirTexts)
{
    boot("iphone8-ios12");
    run("notify \"com.apple.MobileSMS\" \"Anna\" \"See you at eight\"\nexpect text \"See you at eight\"");
    EXPECT_TRUE(springboard::surface("banner"));
    run("home\nnotifications");
    EXPECT_TRUE(springboard::surface("notifications"));
    run("home\nsearch \"cal\"\nexpect text \"Calendar\"");
    EXPECT_TRUE(springboard::surface("search"));
    run("home\nwidgets");
    EXPECT_TRUE(springboard::surface("widgets"));
    run("home\nswitcher");
    EXPECT_TRUE(springboard::surface("switcher"));
    run("home");
    EXPECT_FALSE(springboard::surface("switcher"));
}

TEST_F(SimulatorTest, GalleryStepsWriteThePageBesideTheScreenshots)
{
    boot("iphone8-ios12");
    EXPECT_FALSE(runner->galleryPage());
    run("screenshot home.png\nlongpress \"Safari\"\nscreenshot editing.png\ngallery \"Editing mode\" home.png editing.png pair.png");
    std::filesystem::path out = folder.path() / "out";
    ASSERT_EQ(runner->galleryPage(), out / "index.html");
    std::ifstream in(out / "index.html");
    std::string page((std::istreambuf_iterator<char>(in)), {});
    EXPECT_TRUE(contains(page, "src=\"home.png\"")) << page;
    EXPECT_TRUE(contains(page, "src=\"editing.png\""));
    EXPECT_TRUE(contains(page, "Editing mode"));

    // The pair as one picture: two 375 x 667 halves of the 750 x 1334 screen, margins and a gap.
    ASSERT_EQ(runner->screenshots().back(), out / "pair.png");
    std::ifstream pairFile(out / "pair.png", std::ios::binary);
    std::vector<std::uint8_t> pair((std::istreambuf_iterator<char>(pairFile)), {});
    CGImageRef image = graphics::decodePNG(pair.data(), pair.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(CGImageGetWidth(image), 24u + 375 + 88 + 375 + 24);
    EXPECT_EQ(CGImageGetHeight(image), 24u + 667 + 24);

    // A picture that was never taken: the step fails with its line, and the page stays as it was.
    sim::ScriptError e = failure("home\ngallery \"Later\" home.png later.png");
    EXPECT_EQ(e.line(), 2);
    EXPECT_TRUE(contains(e.reason(), "gallery: no picture later.png")) << e.reason();
    std::ifstream again(out / "index.html");
    EXPECT_FALSE(contains(std::string((std::istreambuf_iterator<char>(again)), {}), "Later"));

    // Screenshots that are not pictures cannot be paired.
    writeFile(out / "notes.png", "not a picture");
    EXPECT_TRUE(contains(failure("gallery \"x\" home.png notes.png both.png").reason(), "must both be PNG or JPEG pictures"));
    EXPECT_FALSE(std::filesystem::exists(out / "both.png"));
}
