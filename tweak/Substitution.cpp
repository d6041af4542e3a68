#include "tweak/Substitution.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/Messaging.h"
#include "tweak/Preferences.h"

#include <cstring>

namespace ovrimo {

using objc::Imp;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

namespace {

const char* const kCalendarKey = "com.apple.mobilecal";

// The previous implementations, as MSHookMessageEx hands them back.
Imp<Ref<UIImage>()> s_clockContentsImage;
Imp<Ref<UIImage>()> s_iconImageViewContentsImage;
Imp<Ref<UIImage>()> s_gridCellImage;
Imp<Ref<UIImage>(long long)> s_getIconImage;
Imp<void()> s_updateCornerMask;
Imp<void()> s_deckSwitcherLayout;
Imp<Ref<UIImage>(long long)> s_bulletinSectionIcon;
Imp<void(UIImage*)> s_settingsCellSetIcon;
Imp<void()> s_gridWrapperLayout;
Imp<void()> s_gridWrapperReposition;
Imp<void()> s_folderImageViewLayout;
Imp<void(Object*)> s_launchIcon;
Imp<Ref<UIImage>()> s_notificationIcon;
Imp<Ref<UIImage>()> s_widgetIcon;
Imp<Ref<UIImage>()> s_widgetSettingsIcon;
Imp<Ref<UIImage>(long long)> s_searchIcon;
Imp<void(const std::string&)> s_suggestionSetBundleIdentifier;
Imp<void()> s_fluidSwitcherLayout;
Imp<void()> s_fluidSwitcherUpdate;

bool s_folderLayoutSkip = false;

std::optional<IconKey> presentKey(std::string text)
{
    if (text.empty())
        return std::nullopt;
    return text;
}

// The calendar's print lifted off its original icon: every pixel that is not near-white, on a
// transparent ground, at the flattened picture's pixel size.
Ref<UIImage> CalendarDateLayer(UIImage* original)
{
    // The flattening goes through JPEG, which has no alpha. The icon's transparent corners are
    // laid on white first, so that they fall into the near-white range below instead of turning
    // black and being printed in the date colour around the icon.
    CGSize originalSize = original->size();
    UIGraphicsBeginImageContextWithOptions(originalSize, true, original->scale());
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), UIColor::whiteColor()->CGColor());
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, originalSize.width, originalSize.height));
    original->drawInRect(CGRectMake(0, 0, originalSize.width, originalSize.height));
    Ref<UIImage> onWhite = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    auto jpeg = UIImageJPEGRepresentation(onWhite ? onWhite.ptr() : original, 1.0);
    Ref<UIImage> flattened = jpeg ? UIImage::imageWithData(*jpeg) : nullptr;
    if (!flattened)
        return nullptr;
    CGSize size = flattened->size();
    UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
    CGContextRef context = UIGraphicsGetCurrentContext();
    const CGFloat nearWhite[6] = { 222, 255, 222, 255, 222, 255 };
    CGImageRef masked = CGImageCreateWithMaskingColors(flattened->CGImage(), nearWhite);
    CGContextTranslateCTM(context, 0, size.height);
    CGContextScaleCTM(context, 1, -1);
    CGContextDrawImage(context, CGRectMake(0, 0, size.width, size.height), masked);
    Ref<UIImage> layer = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return layer;
}

Ref<UIImage> calendarWithDate(Object* self, SEL cmd)
{
    Ref<UIImage> image = s_getIconImage(self, cmd, 2);
    if (!image || !SwitchIsOn("enabled"))
        return image;
    Ref<UIColor> colour = CalendarDateColor();
    if (!colour)
        return image;
    Ref<UIImage> tinted = TintImage(CalendarDateLayer(image), colour);
    Ref<UIImage> base = ScaledCustomImageForKey(image, std::string(kCalendarKey));
    return OverlayImage(base, tinted);
}

Ref<UIImage> getIconImage(Object* self, SEL cmd, long long format)
{
    if (format == 2 && CalendarDateColor() && IconKeyForIcon(self) == kCalendarKey)
        return calendarWithDate(self, cmd);
    Ref<UIImage> image = s_getIconImage(self, cmd, format);
    if (!SwitchIsOn("enabled") || !image)
        return image;
    Ref<UIImage> redrawn = RedrawImage(CustomImageForKey(image, IconKeyForIcon(self)), image->size());
    return redrawn ? redrawn : image;
}

// The image views of the switchers: an image taken from a subview, passed through the store and
// put back.
void replaceImageOf(UIImageView* imageView, const std::function<Ref<UIImage>(UIImage*)>& operation)
{
    if (!imageView)
        return;
    Ref<UIImage> current = imageView->image();
    imageView->setImage(operation(current));
}

void deckSwitcherLayout(Object* self, SEL cmd)
{
    s_deckSwitcherLayout(self, cmd);
    if (!SwitchIsOn("systemwide"))
        return;
    auto imageView = objc::checkedObjectCast<UIImageView>(ivarIfPresent(self, "_imageView").ptr());
    auto icon = sendIfAnswered<Ref<Object>>(self, "icon");
    if (!imageView || !objc::isKindOfClass(icon, objc::objc_getClass("SBIcon")))
        return;
    replaceImageOf(imageView, [&](UIImage* image) { return CustomImageForIcon(image, icon); });
}

void fluidSwitcherUpdate(Object* self, const Imp<void()>& previous, SEL cmd)
{
    previous(self, cmd);
    if (!SwitchIsOn("systemwide"))
        return;
    auto imageView = objc::checkedObjectCast<UIImageView>(sendIfAnswered<Ref<Object>>(self, "imageView").ptr());
    IconKey key = IconKeyForIcon(sendIfAnswered<Ref<Object>>(self, "icon"));
    replaceImageOf(imageView, [&](UIImage* image) { return ScaledCustomImageForKey(image, key); });
}

void settingsCellSetIcon(Object* self, SEL cmd, UIImage* icon)
{
    if (!SwitchIsOn("systemwide")) {
        s_settingsCellSetIcon(self, cmd, icon);
        return;
    }
    std::optional<IconKey> key = presentKey(sendIfAnswered<std::string>(self, "getLazyIconID"));
    if (!key) {
        auto specifier = sendIfAnswered<Ref<Object>>(self, "specifier");
        if (specifier) {
            auto restrictByID = sendIfAnswered<Ref<Object>>(specifier, "propertyForKey:", std::string("restrictByID"));
            if (restrictByID && objc::respondsToSelector(restrictByID, "UTF8String"))
                key = presentKey(msgSend<std::string>(restrictByID, "UTF8String"));
            if (!key) {
                if (const char* mapped = SettingsIdentifierKey(sendIfAnswered<std::string>(specifier, "identifier")))
                    key = mapped;
            }
        }
    }
    s_settingsCellSetIcon(self, cmd, ScaledCustomImageForKey(icon, key));
}

void gridWrapperUpdate(Object* self, const Imp<void()>& previous, SEL cmd)
{
    previous(self, cmd);
    auto mode = IntegerValue("folderoverlay");
    if (mode && *mode != 0)
        return;
    auto folderIcon = sendIfAnswered<Ref<Object>>(sendIfAnswered<Ref<Object>>(self, "element"), "folderIcon");
    auto current = sendIfAnswered<Ref<UIImage>>(self, "image");
    msgSend(self, "setImage:", CustomImageForFolder(current, folderIcon).ptr());
}

void setFolderChromeAlpha(Object* folderImageView, CGFloat alpha)
{
    if (auto background = sendIfAnswered<Ref<UIView>>(folderImageView, "backgroundView"))
        background->setAlpha(alpha);
    sendIfAnswered<void>(folderImageView, "setIconGridImageAlpha:", alpha);
}

void removeFolderOverlay(UIView* view)
{
    Ref<UIView> overlay = view->viewWithTag(kFolderOverlayTag);
    if (!overlay || overlay.ptr() == view)
        return;
    setFolderChromeAlpha(view, 1.0);
    overlay->removeFromSuperview();
}

Ref<UIImage> folderOverlayImage(Object* folderImageView)
{
    auto folder = ivarIfPresent(folderImageView, "_folderIcon");
    // Without an outline to shape with, the folder keeps its normal appearance.
    return StoredImageShapedLike(IconKeyForIcon(folder), FolderShapeImage(folder));
}

void folderOverlayLayout(Object* self, SEL cmd)
{
    s_folderImageViewLayout(self, cmd);
    auto* view = dynamic_cast<UIView*>(self);
    if (!view)
        return;
    if (!SwitchIsOn("enabled") || IntegerValue("folderoverlay") != 1) {
        removeFolderOverlay(view);
        return;
    }
    if (s_folderLayoutSkip) {
        s_folderLayoutSkip = false;
        return;
    }
    Ref<UIImage> overlayImage = folderOverlayImage(self);
    if (!overlayImage) {
        setFolderChromeAlpha(self, 1.0);
        if (Ref<UIView> overlay = view->viewWithTag(kFolderOverlayTag); overlay && overlay.ptr() != view)
            overlay->removeFromSuperview();
        return;
    }
    setFolderChromeAlpha(self, 0.0);
    Ref<UIView> existing = view->viewWithTag(kFolderOverlayTag);
    if (auto* imageView = dynamic_cast<UIImageView*>(existing.ptr()); imageView && existing.ptr() != view) {
        imageView->setImage(overlayImage);
        return;
    }
    CGRect frame = view->frame();
    auto imageView = UIImageView::create(CGRectMake(0, 0, frame.size.width, frame.size.height));
    imageView->setImage(overlayImage);
    imageView->setTag(kFolderOverlayTag);
    view->addSubview(imageView);
}

} // namespace

const char* SettingsIdentifierKey(const std::string& identifier)
{
    static const std::pair<std::vector<const char*>, const char*> table[] = {
        { { "FACETIME" }, "com.apple.facetime" },
        { { "CONTACTS", "com.apple.Dataclass.Contacts" }, "com.apple.MobileAddressBook" },
        { { "CALENDAR", "CALENDARS", "com.apple.Dataclass.Calendars" }, "com.apple.mobilecal" },
        { { "STORE" }, "com.apple.AppStore" },
        { { "REMINDERS", "com.apple.Dataclass.Reminders" }, "com.apple.reminders" },
        { { "HOMEKIT", "WILLOW", "com.apple.Dataclass.Home" }, "com.apple.Home" },
        { { "PHOTOS", "com.apple.Dataclass.MediaStream" }, "com.apple.mobileslideshow" },
        { { "CAMERA" }, "com.apple.camera" },
        { { "MEDIALIBRARY" }, "com.apple.Music" },
        { { "com.apple.Dataclass.Mail" }, "com.apple.mobilemail" },
        { { "com.apple.Dataclass.Bookmarks" }, "com.apple.mobilesafari" },
        { { "com.apple.Dataclass.Notes" }, "com.apple.mobilenotes" },
        { { "DEVICE_LOCATOR" }, "com.apple.mobileme.fmip1" },
    };
    for (const auto& [identifiers, key] : table)
        for (const char* candidate : identifiers)
            if (identifier == candidate)
                return key;
    return nullptr;
}

std::string WidgetKey(const std::string& widgetIdentifier)
{
    auto dot = widgetIdentifier.rfind('.');
    return dot == std::string::npos ? widgetIdentifier : widgetIdentifier.substr(0, dot);
}

bool& FolderLayoutSkip() { return s_folderLayoutSkip; }

void InstallClockContentsImage(objc::Class* cls)
{
    MSHookMessageEx(cls, "contentsImage", +[](Object* self, SEL cmd) {
        return CustomImageForIcon(s_clockContentsImage(self, cmd), sendIfAnswered<Ref<Object>>(self, "icon"));
    }, &s_clockContentsImage);
}

void InstallIconImageViewContentsImage(objc::Class* cls)
{
    MSHookMessageEx(cls, "contentsImage", +[](Object* self, SEL cmd) { return s_iconImageViewContentsImage(self, cmd); }, &s_iconImageViewContentsImage);
}

void InstallGridCellImage(objc::Class* cls)
{
    MSHookMessageEx(cls, "gridCellImage", +[](Object* self, SEL cmd) { return CustomImageForIcon(s_gridCellImage(self, cmd), self); }, &s_gridCellImage);
}

void InstallGetIconImage(objc::Class* cls) { MSHookMessageEx(cls, "getIconImage:", &getIconImage, &s_getIconImage); }

void InstallUpdateCornerMask(objc::Class* cls)
{
    MSHookMessageEx(cls, "_updateCornerMask", +[](Object* self, SEL cmd) {
        // While the tweak is enabled the crossfade view's corner mask is left alone.
        if (!SwitchIsOn("enabled"))
            s_updateCornerMask(self, cmd);
    }, &s_updateCornerMask);
}

void InstallDeckSwitcherLayout(objc::Class* cls) { MSHookMessageEx(cls, "layoutSubviews", &deckSwitcherLayout, &s_deckSwitcherLayout); }

void InstallBulletinSectionIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "sectionIconImageWithFormat:", +[](Object* self, SEL cmd, long long format) {
        Ref<UIImage> image = s_bulletinSectionIcon(self, cmd, format);
        if (!SwitchIsOn("systemwide"))
            return image;
        return CustomImageForKey(image, presentKey(sendIfAnswered<std::string>(self, "sectionID")));
    }, &s_bulletinSectionIcon);
}

void InstallSettingsCellSetIcon(objc::Class* cls) { MSHookMessageEx(cls, "setIcon:", &settingsCellSetIcon, &s_settingsCellSetIcon); }

void InstallGridWrapperLayout(objc::Class* cls)
{
    MSHookMessageEx(cls, "layoutSubviews", +[](Object* self, SEL cmd) { gridWrapperUpdate(self, s_gridWrapperLayout, cmd); }, &s_gridWrapperLayout);
}

void InstallGridWrapperReposition(objc::Class* cls)
{
    MSHookMessageEx(cls, "reposition", +[](Object* self, SEL cmd) { gridWrapperUpdate(self, s_gridWrapperReposition, cmd); }, &s_gridWrapperReposition);
}

void InstallFolderOverlayLayout(objc::Class* cls) { MSHookMessageEx(cls, "layoutSubviews", &folderOverlayLayout, &s_folderImageViewLayout); }

void InstallLaunchIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "_launchIcon:", +[](Object* self, SEL cmd, Object* icon) {
        if (SwitchIsOn("enabled") && IntegerValue("folderoverlay") == 1 && objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon")))
            s_folderLayoutSkip = true;
        s_launchIcon(self, cmd, icon);
    }, &s_launchIcon);
}

void InstallNotificationIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "icon", +[](Object* self, SEL cmd) {
        Ref<UIImage> image = s_notificationIcon(self, cmd);
        if (!SwitchIsOn("systemwide"))
            return image;
        std::string bundleIdentifier;
        if (self && self->isa() && self->isa()->findIvar("_appBundleIdentifer"))
            bundleIdentifier = objc::getIvar<std::string>(self, "_appBundleIdentifer");
        return ScaledCustomImageForKey(image, presentKey(bundleIdentifier));
    }, &s_notificationIcon);
}

static Ref<UIImage> widgetImage(Object* self, SEL cmd, const Imp<Ref<UIImage>()>& previous)
{
    Ref<UIImage> image = previous(self, cmd);
    if (!SwitchIsOn("systemwide"))
        return image;
    return ScaledCustomImageForKey(image, presentKey(WidgetKey(sendIfAnswered<std::string>(self, "widgetIdentifier"))));
}

void InstallWidgetIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "icon", +[](Object* self, SEL cmd) { return widgetImage(self, cmd, s_widgetIcon); }, &s_widgetIcon);
}

void InstallWidgetSettingsIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "settingsIcon", +[](Object* self, SEL cmd) { return widgetImage(self, cmd, s_widgetSettingsIcon); }, &s_widgetSettingsIcon);
}

void InstallSearchIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "generateImageWithFormat:", +[](Object* self, SEL cmd, long long format) {
        Ref<UIImage> image = s_searchIcon(self, cmd, format);
        if (!SwitchIsOn("systemwide"))
            return image;
        std::optional<IconKey> key;
        if (objc::respondsToSelector(self, "bundleID"))
            key = presentKey(msgSend<std::string>(self, "bundleID"));
        else if (objc::respondsToSelector(self, "bundleIdentifier"))
            key = presentKey(msgSend<std::string>(self, "bundleIdentifier"));
        return ScaledCustomImageForKey(image, key);
    }, &s_searchIcon);
}

void InstallSuggestionIcon(objc::Class* cls)
{
    MSHookMessageEx(cls, "setBundleIdentifier:", +[](Object* self, SEL cmd, const std::string& bundleIdentifier) {
        s_suggestionSetBundleIdentifier(self, cmd, bundleIdentifier);
        if (!SwitchIsOn("enabled") || !SwitchIsOn("systemwide"))
            return;
        auto* button = dynamic_cast<UIButton*>(ivarIfPresent(self, "_iconButton").ptr());
        if (!button)
            return;
        Ref<UIImage> current = button->imageForState(UIControlStateNormal);
        button->setImage(ScaledCustomImageForKey(current, presentKey(bundleIdentifier)), UIControlStateNormal);
    }, &s_suggestionSetBundleIdentifier);
}

void InstallFluidSwitcherLayout(objc::Class* cls)
{
    MSHookMessageEx(cls, "layoutSubviews", +[](Object* self, SEL cmd) { fluidSwitcherUpdate(self, s_fluidSwitcherLayout, cmd); }, &s_fluidSwitcherLayout);
}

void InstallFluidSwitcherUpdate(objc::Class* cls)
{
    MSHookMessageEx(cls, "updateIcon", +[](Object* self, SEL cmd) { fluidSwitcherUpdate(self, s_fluidSwitcherUpdate, cmd); }, &s_fluidSwitcherUpdate);
}

} // namespace ovrimo
