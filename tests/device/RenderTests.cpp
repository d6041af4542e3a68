#include "DeviceFixture.h"

#include "device/springboard/IconLayout.h"
#include "device/springboard/Surfaces.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/Renderer.h"
#include "platform/uikit/TouchDriver.h"

#include <cstdlib>

using namespace device_tests;
using objc::msgSend;
using objc::objc_getClass;
using objc::Ref;
using objc::SEL;

namespace {

// Pictures of the screens; with OVRIMO_WRITE_SCREENS set to a folder they are also written there.
class RenderTest : public DeviceTest {
protected:
    Ref<UIImage> shot(const std::string& name)
    {
        auto image = dev().screenshot();
        EXPECT_TRUE(image) << name;
        if (const char* folder = std::getenv("OVRIMO_WRITE_SCREENS"); folder && image) {
            std::string error;
            EXPECT_TRUE(uikit::writePNG(image.ptr(), std::string(folder) + "/" + name + ".png", &error)) << error;
        }
        return image;
    }
    Pixel screenPixel(UIImage* image, CGPoint point)
    {
        double scale = image->scale();
        return pixelAt(image, static_cast<size_t>(point.x * scale), static_cast<size_t>(point.y * scale));
    }
};

} // namespace

TEST_F(RenderTest, TheHomeScreenShowsWhatGetIconImageReturns)
{
    boot("iphone8-ios12");
    auto before = shot("home-iphone8-ios12");
    ASSERT_TRUE(before);
    EXPECT_EQ(before->size(), (CGSize { 375, 667 }));
    CGPoint mail = centreOnScreen(iconView("com.apple.mobilemail"));
    EXPECT_FALSE(isRed(screenPixel(before, mail)));

    static objc::Imp<Ref<UIImage>(int)> previous;
    MSHookMessageEx(objc_getClass("SBIcon"), "getIconImage:", [](SBIcon* self, SEL cmd, int format) {
        auto original = previous(self, cmd, format);
        return self->identifier() == "com.apple.mobilemail" ? solidImage(UIColor::redColor().ptr(), original->size().width) : original;
    }, &previous);
    msgSend(icons()->model()->iconForIdentifier("com.apple.mobilemail"), "reloadIconImage");
    auto after = dev().screenshot();
    EXPECT_TRUE(isRed(screenPixel(after, mail)));
    // Its neighbour is untouched.
    EXPECT_FALSE(isRed(screenPixel(after, centreOnScreen(iconView("com.apple.mobiletimer")))));
}

TEST_F(RenderTest, ScreensOfEverySurface)
{
    boot("iphone8-ios12");
    icons()->model()->iconForIdentifier("com.apple.mobilemail")->setBadge(NSNumber::withInteger(3));
    msgSend(icons()->model()->iconForIdentifier("com.apple.mobilemail"), "noteBadgeDidChange");
    shot("home");
    msgSend(icons(), "setIsEditing:", true);
    auto editing = shot("editing");
    dev().pressHome();
    SBFolderIcon* folder = nullptr;
    for (auto& icon : icons()->model()->pages()[0])
        if (auto* f = dynamic_cast<SBFolderIcon*>(icon.ptr()))
            folder = f;
    dev().touch().tap(centreOnScreen(icons()->iconViewForIcon(folder)));
    dev().advance(500); // the folder grows out of its icon
    auto open = shot("folder");
    // The panel is lighter than the dimmed screen around it.
    Pixel panel = screenPixel(open, { 187, 240 }), outside = screenPixel(open, { 10, 120 });
    EXPECT_GT(panel.r + panel.g + panel.b, outside.r + outside.g + outside.b);
    dev().pressHome();
    dev().launch("com.apple.mobilenotes");
    shot("app");
    dev().launch("com.apple.mobilesafari");
    dev().showSwitcher();
    shot("switcher");
    dev().pressHome();
    dev().postNotification("com.apple.mobilecal", "Dentist", "Tomorrow at 9:00");
    auto banner = shot("notification");
    Pixel plate = screenPixel(banner, { 300, 60 });
    EXPECT_GT(plate.r, 220);
    dev().pressHome();
    dev().showWidgets();
    shot("widgets");
    dev().pressHome();
    dev().showSearch("ca");
    shot("search");
    dev().pressHome();
    dev().touch().swipe({ 300, 300 }, { 60, 300 }, 0.15);
    dev().advance(400);
    shot("home-page2");
}

TEST_F(RenderTest, OtherProfilesRender)
{
    for (const char* profile : { "iphone5-ios9", "iphonex-ios13", "ipadpro-ios13" }) {
        // Each starts from its own default layout.
        std::filesystem::remove(m_root.host(springboard::kIconStatePath));
        boot(profile);
        EXPECT_TRUE(dev().messages().empty()) << dev().messages().front();
        auto image = shot(std::string("home-") + profile);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->size(), dev().profile().screenSize);
    }
}
