#include "DeviceFixture.h"

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/IconLayout.h"
#include "platform/corefoundation/CoreFoundation.h"
#include "platform/runtime/Message.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIScreen.h"

#include <filesystem>

using namespace device_tests;
using objc::msgSend;
using objc::objc_getClass;
using objc::Ref;

namespace {

class BootTest : public DeviceTest { };

bool classAnswers(const char* cls, const char* sel) { return objc_getClass(cls) && objc::class_respondsToSelector(objc_getClass(cls)->metaClass(), objc::sel_registerName(sel)); }

} // namespace

TEST_F(BootTest, UnknownProfileIsRefused)
{
    EXPECT_THROW(device::Device::boot("iphone99-ios42", m_root.path()), std::invalid_argument);
}

TEST_F(BootTest, BootConfiguresTheFrameworksFromTheProfile)
{
    boot("iphone7-ios10");
    EXPECT_EQ(dev().profile().name, "iphone7-ios10");
    EXPECT_DOUBLE_EQ(kCFCoreFoundationVersionNumber, 1348.0);
    EXPECT_EQ(UIDevice::currentDevice()->systemVersion(), "10.0");
    EXPECT_EQ(UIScreen::mainScreen()->bounds().size, (CGSize { 375, 667 }));
    ASSERT_NE(dev().window(), nullptr);
    EXPECT_EQ(dev().window()->bounds().size, (CGSize { 375, 667 }));
    EXPECT_TRUE(UIApplication::sharedApplication()->canOpenURL("prefs:root=General"));
    // The first boot writes the layout, the web clip and sample photos.
    EXPECT_TRUE(std::filesystem::exists(m_root.host(springboard::kIconStatePath)));
    EXPECT_TRUE(std::filesystem::exists(m_root.host(std::string(springboard::kWebClipsFolder) + "/" + springboard::kDefaultWebClipIdentifier + ".webclip/Info.plist")));
    EXPECT_TRUE(std::filesystem::exists(m_root.host(std::string(springboard::kPhotosFolder) + "/IMG_0001.PNG")));
    // The home screen appeared and its content was restored once.
    EXPECT_EQ(ui()->restoreCount(), 1);
}

TEST_F(BootTest, ClassesFollowTheSystemVersion)
{
    struct Expect {
        const char* profile;
        bool fluid, deck, notificationProvider, widgets, viewMapMethod, homescreenMap, floatingDockClass, floatingDockSupported, restartTimer;
    };
    const Expect table[] = {
        { "iphone5-ios9", false, true, false, false, false, true, false, false, false },
        { "iphone7-ios10", false, true, true, true, true, false, false, false, false },
        { "iphone8-ios12", true, false, true, true, true, false, true, false, true },
        { "iphonex-ios13", true, false, true, true, true, false, true, false, true },
        { "ipadpro-ios13", true, false, true, true, true, false, true, true, true },
    };
    for (const Expect& e : table) {
        SCOPED_TRACE(e.profile);
        boot(e.profile);
        EXPECT_EQ(objc_getClass("SBFluidSwitcherIconImageContainerView") != nullptr, e.fluid);
        EXPECT_EQ(objc_getClass("SBDeckSwitcherIconImageContainerView") != nullptr, e.deck);
        EXPECT_EQ(objc_getClass("NCNotificationRequestContentProvider") != nullptr, e.notificationProvider);
        EXPECT_EQ(objc_getClass("WGWidgetInfo") != nullptr, e.widgets);
        EXPECT_EQ(objc_getClass("SearchUIAppIconImage") != nullptr, e.widgets);
        EXPECT_EQ(objc_getClass("APWAppIconAndLabelView") != nullptr, e.widgets);
        EXPECT_EQ(objc::class_respondsToSelector(objc_getClass("SBIconController"), objc::sel_registerName("homescreenIconViewMap")), e.viewMapMethod);
        EXPECT_EQ(classAnswers("SBIconViewMap", "homescreenMap"), e.homescreenMap);
        EXPECT_EQ(objc_getClass("SBFloatingDockController") != nullptr, e.floatingDockClass);
        objc::Class* dock = objc_getClass("SBFloatingDockController");
        bool supported = dock && msgSend<bool>(static_cast<objc::Object*>(dock), "isFloatingDockSupported");
        EXPECT_EQ(supported, e.floatingDockSupported);
        EXPECT_EQ(objc::class_respondsToSelector(objc_getClass("SBIconController"), objc::sel_registerName("_restartEditingEndTimer")), e.restartTimer);
        // Always there.
        for (const char* name : { "SBIcon", "SBApplicationIcon", "SBFolderIcon", "SBBookmarkIcon", "SBIconView", "SBIconImageView",
                 "SBClockApplicationIconImageView", "SBFolderIconImageView", "_SBIconGridWrapperView", "SBIconImageCrossfadeView",
                 "SBIconListView", "SBFolderIconListView", "SBFolderController", "SBUIController", "BBBulletin", "SBIconModel" })
            EXPECT_NE(objc_getClass(name), nullptr) << name;
    }
}

TEST_F(BootTest, TheIconViewMapFindsHomeScreenViewsOnEverySystem)
{
    for (const char* profile : { "iphone5-ios9", "iphone8-ios12" }) {
        SCOPED_TRACE(profile);
        boot(profile);
        Ref<objc::Object> controller = msgSend<Ref<objc::Object>>(objc_getClass("SBIconController"), "sharedInstance");
        Ref<objc::Object> map = objc::respondsToSelector(controller, "homescreenIconViewMap")
            ? msgSend<Ref<objc::Object>>(controller, "homescreenIconViewMap")
            : msgSend<Ref<objc::Object>>(objc_getClass("SBIconViewMap"), "homescreenMap");
        ASSERT_TRUE(map);
        SBIcon* mail = icons()->model()->iconForIdentifier("com.apple.mobilemail");
        auto view = msgSend<Ref<SBIconView>>(map, "mappedIconViewForIcon:", mail);
        ASSERT_TRUE(view);
        EXPECT_EQ(view->icon(), mail);
        EXPECT_NE(view->window(), nullptr);
    }
}

TEST_F(BootTest, PageGeometryOnA375By667Phone)
{
    boot("iphone8-ios12");
    auto* cls = objc_getClass("SBIconListView");
    EXPECT_EQ(msgSend<std::int64_t>(cls, "maxVisibleIcons"), 24);
    EXPECT_EQ(msgSend<std::int64_t>(cls, "iconColumnsForInterfaceOrientation:", 1), 4);
    auto* folderCls = objc_getClass("SBFolderIconListView");
    EXPECT_EQ(msgSend<std::int64_t>(folderCls, "maxVisibleIcons"), 9);
    EXPECT_EQ(msgSend<std::int64_t>(folderCls, "iconColumnsForInterfaceOrientation:", 1), 3);

    // The first page of the default layout: 19 icons, four to a row, rows evenly spaced.
    auto list = msgSend<Ref<SBIconListView>>(icons(), "currentRootIconList");
    ASSERT_TRUE(list);
    const auto& views = list->iconViews();
    ASSERT_EQ(views.size(), 19u);
    std::vector<CGPoint> origins;
    for (auto& v : views)
        origins.push_back(v->convertRectToView(v->bounds(), nullptr).origin);
    EXPECT_NEAR(origins[0].x, 26.6, 0.5);
    EXPECT_NEAR(origins[0].y, 34, 0.5);
    for (size_t i = 0; i < origins.size(); ++i) {
        EXPECT_NEAR(origins[i].x, origins[i % 4].x, 0.01) << i;
        EXPECT_NEAR(origins[i].y, origins[(i / 4) * 4].y, 0.01) << i;
        EXPECT_GE(origins[i].x, 0);
        EXPECT_LE(origins[i].x + 60, 375);
    }
    EXPECT_NEAR(origins[1].x - origins[0].x, 87.25, 0.01);
    EXPECT_NEAR(origins[4].y - origins[0].y, origins[8].y - origins[4].y, 0.01);
    // All 24 places fit above the page dots.
    springboard::HomeScreenGeometry g = icons()->geometry();
    CGRect last = g.iconFrameInList(23);
    EXPECT_LE(g.listFrame().origin.y + CGRectGetMaxY(last), g.pageControlFrame().origin.y + 0.01);
    // The dock: four icons in a row at the bottom.
    ASSERT_EQ(icons()->dockList()->iconViews().size(), 4u);
    CGRect dockIcon = icons()->dockList()->iconViews()[0]->convertRectToView(icons()->dockList()->iconViews()[0]->bounds(), nullptr);
    EXPECT_GT(dockIcon.origin.y, g.pageControlFrame().origin.y);
}

TEST_F(BootTest, GeometryPerProfile)
{
    struct Expect {
        const char* profile;
        int perPage, columns;
        double iconSide;
    };
    for (const Expect& e : { Expect { "iphone5-ios9", 20, 4, 60 }, Expect { "iphone8plus-ios12", 24, 4, 60 }, Expect { "ipadpro-ios13", 30, 6, 76 } }) {
        SCOPED_TRACE(e.profile);
        boot(e.profile);
        EXPECT_EQ(msgSend<std::int64_t>(objc_getClass("SBIconListView"), "maxVisibleIcons"), e.perPage);
        EXPECT_EQ(msgSend<std::int64_t>(objc_getClass("SBIconListView"), "iconColumnsForInterfaceOrientation:", 1), e.columns);
        auto image = msgSend<Ref<UIImage>>(icons()->model()->iconForIdentifier("com.apple.mobilemail"), "getIconImage:", 2);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->size(), (CGSize { e.iconSide, e.iconSide }));
    }
}

TEST_F(BootTest, IconImagesAreShapedAndTheCalendarShowsTheDate)
{
    boot("iphone8-ios12");
    auto cal = msgSend<Ref<UIImage>>(icons()->model()->iconForIdentifier("com.apple.mobilecal"), "getIconImage:", 2);
    ASSERT_TRUE(cal);
    // Transparent outside the rounded shape, pure white inside it away from the print.
    EXPECT_EQ(pixelAt(cal, 1, 1).a, 0);
    Pixel white = pixelAt(cal, 6, 60);
    EXPECT_EQ(white.r, 255);
    EXPECT_EQ(white.g, 255);
    EXPECT_EQ(white.b, 255);
    // Some red (the weekday) and some black (the day number) on it.
    int red = 0, black = 0;
    for (size_t y = 0; y < 120; ++y)
        for (size_t x = 0; x < 120; ++x) {
            Pixel p = pixelAt(cal, x, y);
            red += p.r > 200 && p.g < 100 && p.a == 255;
            black += p.r < 40 && p.g < 40 && p.b < 40 && p.a == 255;
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(black, 50);
    // The silhouette: opaque in the middle, transparent in the corner.
    auto view = iconView("com.apple.mobilemail");
    auto shape = msgSend<Ref<UIImage>>(view->iconImageView(), "darkeningOverlayImage");
    EXPECT_EQ(shape->size(), (CGSize { 60, 60 }));
    EXPECT_EQ(pixelAt(shape, 60, 60).a, 255);
    EXPECT_EQ(pixelAt(shape, 0, 0).a, 0);
}
