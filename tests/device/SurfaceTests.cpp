#include "DeviceFixture.h"

#include "device/springboard/Surfaces.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIButton.h"

using namespace device_tests;
using objc::msgSend;
using objc::objc_getClass;
using objc::Ref;
using objc::SEL;

namespace {

class SurfaceTest : public DeviceTest {
protected:
    static Ref<UIImage> red(double side = 60) { return solidImage(UIColor::redColor().ptr(), side); }

    void reloadAllIcons()
    {
        auto all = msgSend<Ref<NSArray>>(msgSend<Ref<objc::Object>>(icons(), "model"), "leafIcons");
        for (auto& icon : all->items())
            msgSend(icon, "reloadIconImage");
        for (auto& view : icons()->visibleIconViews())
            if (view->folderIconImageView())
                msgSend(view->folderIconImageView(), "updateImageAnimated:", true);
        dev().runUntilIdle();
    }
    SBFolderIconImageView* folderImageView()
    {
        for (auto& view : icons()->visibleIconViews())
            if (view->folderIconImageView())
                return view->folderIconImageView();
        return nullptr;
    }
};

} // namespace

TEST_F(SurfaceTest, HomeScreenIconsDrawThroughGetIconImageAndContentsImage)
{
    boot("iphone8-ios12");
    SBIconView* mail = iconView("com.apple.mobilemail");
    EXPECT_FALSE(isRed(pixelAt(mail->iconImageView()->displayedImage(), 60, 60)));
    static objc::Imp<Ref<UIImage>(int)> previous;
    MSHookMessageEx(objc_getClass("SBIcon"), "getIconImage:", [](SBIcon*, SEL, int) { return red(); }, &previous);
    reloadAllIcons();
    EXPECT_TRUE(isRed(pixelAt(mail->iconImageView()->displayedImage(), 60, 60)));
    EXPECT_TRUE(isRed(pixelAt(icons()->dockList()->iconViews()[0]->iconImageView()->displayedImage(), 60, 60)));

    // The clock draws its own face through its contentsImage.
    SBIconView* clock = iconView("com.apple.mobiletimer");
    ASSERT_TRUE(objc::isKindOfClass(clock->iconImageView(), "SBClockApplicationIconImageView"));
    EXPECT_FALSE(isRed(pixelAt(clock->iconImageView()->displayedImage(), 60, 60)));
    static objc::Imp<Ref<UIImage>()> previousClock;
    MSHookMessageEx(objc_getClass("SBClockApplicationIconImageView"), "contentsImage", [](SBIconImageView*, SEL) { return red(); }, &previousClock);
    dev().advance(1100);
    EXPECT_TRUE(isRed(pixelAt(clock->iconImageView()->displayedImage(), 60, 60)));
}

TEST_F(SurfaceTest, FolderIconsDrawTheirGridThroughTheWrapperAndGridCellImages)
{
    boot("iphone8-ios12");
    SBFolderIconImageView* folder = folderImageView();
    ASSERT_NE(folder, nullptr);
    ASSERT_NE(folder->gridWrapper(), nullptr);
    EXPECT_EQ(msgSend<Ref<objc::Object>>(msgSend<Ref<objc::Object>>(folder->gridWrapper(), "element"), "folderIcon").ptr(), folder->folderIcon());
    // The first cell of the mini grid shows the first icon's grid cell image.
    static objc::Imp<Ref<UIImage>()> previousCell;
    MSHookMessageEx(objc_getClass("SBIcon"), "gridCellImage", [](SBIcon*, SEL) { return red(13); }, &previousCell);
    reloadAllIcons();
    UIImage* grid = folder->gridWrapper()->image();
    ASSERT_NE(grid, nullptr);
    // The grid sits inset in the folder's outline; its cell 0 spans 0…13 points, then a gap.
    EXPECT_LT(grid->size().width, folder->bounds().size.width);
    EXPECT_TRUE(isRed(pixelAt(grid, 12, 12)));
    EXPECT_EQ(pixelAt(grid, 30, 12).a, 0);

    static int folderLayouts;
    static objc::Imp<void()> previousFolderLayout, previousWrapperLayout;
    folderLayouts = 0;
    MSHookMessageEx(objc_getClass("SBFolderIconImageView"), "layoutSubviews", [](SBFolderIconImageView* self, SEL cmd) {
        ++folderLayouts;
        previousFolderLayout(self, cmd);
    }, &previousFolderLayout);
    MSHookMessageEx(objc_getClass("_SBIconGridWrapperView"), "layoutSubviews", [](_SBIconGridWrapperView* self, SEL cmd) {
        previousWrapperLayout(self, cmd);
        msgSend(self, "setImage:", solidImage(UIColor::blueColor().ptr(), 60));
    }, &previousWrapperLayout);
    msgSend(folder, "updateImageAnimated:", true);
    dev().runUntilIdle();
    EXPECT_GE(folderLayouts, 1);
    Pixel p = pixelAt(folder->gridWrapper()->image(), 60, 60);
    EXPECT_TRUE(p.b > 200 && p.r < 50);
    // The folder's background and grid alpha are the view's own.
    msgSend(folder, "setIconGridImageAlpha:", 0.0);
    EXPECT_EQ(msgSend<double>(folder, "iconGridImageAlpha"), 0.0);
    EXPECT_EQ(folder->gridWrapper()->alpha(), 0.0);
    EXPECT_NE(msgSend<Ref<UIView>>(folder, "backgroundView"), nullptr);
}

TEST_F(SurfaceTest, BannersUseTheBulletinOnNineAndTheContentProviderLater)
{
    boot("iphone5-ios9");
    static objc::Imp<Ref<UIImage>(std::int64_t)> previousSection;
    MSHookMessageEx(objc_getClass("BBBulletin"), "sectionIconImageWithFormat:", [](objc::Object*, SEL, std::int64_t) { return red(20); }, &previousSection);
    dev().postNotification("com.apple.mobilemail", "Lunch", "Shall we meet at noon?");
    ASSERT_NE(springboard::surface("banner"), nullptr);
    EXPECT_EQ(redImageViews(springboard::surface("banner")), 1);
    dev().advance(static_cast<std::int64_t>(springboard::kBannerSeconds * 1000) + 100);
    EXPECT_EQ(springboard::surface("banner"), nullptr);
    // The notification list draws each bulletin's section icon too.
    dev().showNotificationCenter();
    EXPECT_EQ(redImageViews(springboard::surface("notifications")), 1);
    dev().pressHome();
    EXPECT_EQ(springboard::surface("notifications"), nullptr);

    boot("iphone8-ios12");
    static objc::Imp<Ref<UIImage>()> previousIcon;
    MSHookMessageEx(objc_getClass("NCNotificationRequestContentProvider"), "icon", [](objc::Object* self, SEL cmd) {
        EXPECT_EQ(objc::getIvar<std::string>(self, "_appBundleIdentifer"), "com.apple.mobilecal");
        previousIcon(self, cmd);
        return red(29);
    }, &previousIcon);
    dev().postNotification("com.apple.mobilecal", "Dentist", "Tomorrow at 9:00");
    EXPECT_EQ(redImageViews(springboard::surface("banner")), 1);
}

TEST_F(SurfaceTest, WidgetsUseIconAndSettingsIcon)
{
    boot("iphone8-ios12");
    dev().showWidgets();
    UIView* page = springboard::surface("widgets");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(redImageViews(page), 0);
    dev().pressHome();
    static objc::Imp<Ref<UIImage>()> previousIcon, previousSettings;
    static std::vector<std::string> identifiers;
    MSHookMessageEx(objc_getClass("WGWidgetInfo"), "icon", [](objc::Object* self, SEL) {
        identifiers.push_back(msgSend<std::string>(self, "widgetIdentifier"));
        return red(20);
    }, &previousIcon);
    MSHookMessageEx(objc_getClass("WGWidgetInfo"), "settingsIcon", [](objc::Object*, SEL) { return red(29); }, &previousSettings);
    dev().showWidgets();
    page = springboard::surface("widgets");
    EXPECT_EQ(redImageViews(page), 2 * static_cast<int>(identifiers.size()));
    ASSERT_FALSE(identifiers.empty());
    EXPECT_EQ(identifiers.front(), "com.apple.mobilecal.CalendarWidget");
}

TEST_F(SurfaceTest, SearchResultsAndSuggestionsDrawThroughTheirMethods)
{
    boot("iphone8-ios12");
    static objc::Imp<Ref<UIImage>(std::int64_t)> previousGenerate;
    static objc::Imp<void(std::string)> previousSet;
    MSHookMessageEx(objc_getClass("SearchUIAppIconImage"), "generateImageWithFormat:", [](objc::Object* self, SEL, std::int64_t) {
        EXPECT_TRUE(objc::respondsToSelector(self, "bundleID"));
        return red(29);
    }, &previousGenerate);
    dev().showSearch("ca");
    UIView* page = springboard::surface("search");
    ASSERT_NE(page, nullptr);
    // Calendar, Camera, Calculator and Podcasts match; the suggestions stay original.
    EXPECT_EQ(redImageViews(page), 4);
    dev().pressHome();

    MSHookMessageEx(objc_getClass("APWAppIconAndLabelView"), "setBundleIdentifier:", [](UIView* self, SEL cmd, std::string id) {
        previousSet(self, cmd, id);
        auto button = objc::getIvar<Ref<UIButton>>(self, "_iconButton");
        button->setImage(red(60).ptr(), UIControlStateNormal);
    }, &previousSet);
    dev().showSearch("");
    page = springboard::surface("search");
    auto suggestions = findViews(page, [](UIView* v) { return objc::isKindOfClass(v, "APWAppIconAndLabelView"); });
    EXPECT_EQ(suggestions.size(), 4u);
    EXPECT_EQ(redImageViews(page), 4);
}

TEST_F(SurfaceTest, TheSwitcherDrawsThroughItsIconContainers)
{
    boot("iphone8-ios12");
    dev().launch("com.apple.mobilenotes");
    dev().launch("com.apple.mobilemail");
    static objc::Imp<void()> previousLayout;
    MSHookMessageEx(objc_getClass("SBFluidSwitcherIconImageContainerView"), "layoutSubviews", [](UIView* self, SEL cmd) {
        previousLayout(self, cmd);
        msgSend<Ref<UIImageView>>(self, "imageView")->setImage(red(60).ptr());
    }, &previousLayout);
    dev().showSwitcher();
    UIView* switcher = springboard::surface("switcher");
    ASSERT_NE(switcher, nullptr);
    EXPECT_EQ(dev().foregroundApp(), "");
    EXPECT_EQ(ui()->recentApps(), (std::vector<std::string> { "com.apple.mobilemail", "com.apple.mobilenotes" }));
    EXPECT_EQ(redImageViews(switcher), 2);
    dev().pressHome();
    EXPECT_EQ(springboard::surface("switcher"), nullptr);

    boot("iphone5-ios9");
    dev().launch("com.apple.mobilesafari");
    static objc::Imp<void()> previousDeck;
    MSHookMessageEx(objc_getClass("SBDeckSwitcherIconImageContainerView"), "layoutSubviews", [](UIView* self, SEL cmd) {
        previousDeck(self, cmd);
        objc::getIvar<Ref<UIImageView>>(self, "_imageView")->setImage(red(60).ptr());
    }, &previousDeck);
    dev().showSwitcher();
    EXPECT_EQ(redImageViews(springboard::surface("switcher")), 1);
    // A tap on a card opens its app again.
    auto cards = findViews(springboard::surface("switcher"), [](UIView* v) { return v->accessibilityLabel() == "Safari"; });
    ASSERT_FALSE(cards.empty());
    CGRect r = cards.front()->convertRectToView(cards.front()->bounds(), nullptr);
    dev().touch().tap({ CGRectGetMidX(r), CGRectGetMidY(r) });
    EXPECT_EQ(dev().foregroundApp(), "com.apple.mobilesafari");
}

TEST_F(SurfaceTest, ASecondDeviceStartsWithoutTheFirstOnesReplacements)
{
    boot("iphone8-ios12");
    objc::Imp<objc::Ref<UIImage>(int)> previous;
    MSHookMessageEx(objc_getClass("SBIcon"), "getIconImage:", [](SBIcon*, objc::SEL, int) { return solidImage(UIColor::redColor().ptr(), 60); }, &previous);
    boot("iphone5-ios9");
    auto image = msgSend<Ref<UIImage>>(icons()->model()->iconForIdentifier("com.apple.mobilemail"), "getIconImage:", 2);
    EXPECT_FALSE(isRed(pixelAt(image, 60, 60)));
    EXPECT_EQ(UIScreen::mainScreen()->bounds().size, (CGSize { 320, 568 }));
}
