#include "tweak/Substitution.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/runtime/Guarded.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "tweak/IconImages.h"
#include "tweak/IconStore.h"
#include "tweak/PrivateInterfaces.h"
#include "tweak/Preferences.h"

#include <cstring>

namespace ovrimo {

using objc::Object;
using objc::Ref;

namespace {

const char* const kCalendarKey = "com.apple.mobilecal";

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

Ref<UIImage> calendarWithDate(const ImageWithFormat& original)
{
    Ref<UIImage> image = original(2);
    if (!image || !SwitchIsOn("enabled"))
        return image;
    Ref<UIColor> colour = CalendarDateColor();
    if (!colour)
        return image;
    Ref<UIImage> tinted = TintImage(CalendarDateLayer(image), colour);
    Ref<UIImage> base = ScaledCustomImageForKey(image, std::string(kCalendarKey));
    return OverlayImage(base, tinted);
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

} // namespace

void DeckSwitcherLayout(Object* self, const Layout& original)
{
    original();
    if (!SwitchIsOn("systemwide"))
        return;
    auto imageView = objc::ivarIfPresent<UIImageView>(self, "_imageView");
    auto icon = sb::icon.ifAnswered(self);
    if (!imageView || !objc::isKindOfClass(icon, objc::objc_getClass("SBIcon")))
        return;
    replaceImageOf(imageView, [&](UIImage* image) { return CustomImageForIcon(image, icon); });
}

void FluidSwitcherUpdate(Object* self, const Layout& original)
{
    original();
    if (!SwitchIsOn("systemwide"))
        return;
    auto imageView = dynamic_cast<UIImageView*>(sb::imageView.ifAnswered(self).ptr());
    IconKey key = IconKeyForIcon(sb::icon.ifAnswered(self));
    replaceImageOf(imageView, [&](UIImage* image) { return ScaledCustomImageForKey(image, key); });
}

void SettingsCellSetIcon(Object* self, const Original<void(UIImage*)>& original, UIImage* icon)
{
    if (!SwitchIsOn("systemwide")) {
        original(icon);
        return;
    }
    std::optional<IconKey> key = presentKey(sb::getLazyIconID.ifAnswered(self));
    if (!key) {
        auto specifier = sb::specifier.ifAnswered(self);
        if (specifier) {
            auto restrictByID = sb::propertyForKey.ifAnswered(specifier, "restrictByID");
            key = presentKey(sb::UTF8String.ifAnswered(restrictByID));
            if (!key) {
                if (const char* mapped = SettingsIdentifierKey(sb::identifier.ifAnswered(specifier)))
                    key = mapped;
            }
        }
    }
    original(ScaledCustomImageForKey(icon, key));
}

void GridWrapperLayout(Object* self, const Layout& original)
{
    original();
    auto mode = IntegerValue("folderoverlay");
    if (mode && *mode != 0)
        return;
    auto folderIcon = sb::folderIcon.ifAnswered(sb::element.ifAnswered(self));
    auto current = uikit::sel::image.ifAnswered(self);
    uikit::sel::setImage.orZero(self, CustomImageForFolder(current, folderIcon));
}

namespace {

void setFolderChromeAlpha(Object* folderImageView, CGFloat alpha)
{
    if (auto background = sb::backgroundView.ifAnswered(folderImageView))
        background->setAlpha(alpha);
    sb::setIconGridImageAlpha.ifAnswered(folderImageView, alpha);
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
    auto folder = objc::ivarIfPresent<Object>(folderImageView, "_folderIcon");
    // Without an outline to shape with, the folder keeps its normal appearance.
    return StoredImageShapedLike(IconKeyForIcon(folder), FolderShapeImage(folder));
}

} // namespace

void FolderOverlayLayout(Object* self, const Layout& original)
{
    original();
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

Ref<UIImage> ClockContentsImage(Object* self, const ImageGetter& original)
{
    return CustomImageForIcon(original(), sb::icon.ifAnswered(self));
}

Ref<UIImage> IconImageViewContentsImage(Object*, const ImageGetter& original) { return original(); }

Ref<UIImage> GridCellImage(Object* self, const ImageGetter& original) { return CustomImageForIcon(original(), self); }

Ref<UIImage> GetIconImage(Object* self, const ImageWithFormat& original, long long format)
{
    if (format == 2 && CalendarDateColor() && IconKeyForIcon(self) == kCalendarKey)
        return calendarWithDate(original);
    Ref<UIImage> image = original(format);
    if (!SwitchIsOn("enabled") || !image)
        return image;
    Ref<UIImage> redrawn = RedrawImage(CustomImageForKey(image, IconKeyForIcon(self)), image->size());
    return redrawn ? redrawn : image;
}

void UpdateCornerMask(Object*, const Layout& original)
{
    // While the tweak is enabled the crossfade view's corner mask is left alone.
    if (!SwitchIsOn("enabled"))
        original();
}

Ref<UIImage> BulletinSectionIcon(Object* self, const ImageWithFormat& original, long long format)
{
    Ref<UIImage> image = original(format);
    if (!SwitchIsOn("systemwide"))
        return image;
    return CustomImageForKey(image, presentKey(sb::sectionID.ifAnswered(self)));
}

void LaunchIcon(Object*, const Original<void(Object*)>& original, Object* icon)
{
    if (SwitchIsOn("enabled") && IntegerValue("folderoverlay") == 1 && objc::isKindOfClass(icon, objc::objc_getClass("SBFolderIcon")))
        s_folderLayoutSkip = true;
    original(icon);
}

Ref<UIImage> NotificationIcon(Object* self, const ImageGetter& original)
{
    Ref<UIImage> image = original();
    if (!SwitchIsOn("systemwide"))
        return image;
    std::string bundleIdentifier = objc::ivarValueIfPresent<std::string>(self, "_appBundleIdentifer").value_or("");
    return ScaledCustomImageForKey(image, presentKey(bundleIdentifier));
}

Ref<UIImage> WidgetIcon(Object* self, const ImageGetter& original)
{
    Ref<UIImage> image = original();
    if (!SwitchIsOn("systemwide"))
        return image;
    return ScaledCustomImageForKey(image, presentKey(WidgetKey(sb::widgetIdentifier.ifAnswered(self))));
}

Ref<UIImage> SearchIcon(Object* self, const ImageWithFormat& original, long long format)
{
    Ref<UIImage> image = original(format);
    if (!SwitchIsOn("systemwide"))
        return image;
    std::optional<IconKey> key;
    if (sb::bundleID.isAnsweredBy(self))
        key = presentKey(sb::bundleID.orZero(self));
    else if (sb::bundleIdentifier.isAnsweredBy(self))
        key = presentKey(sb::bundleIdentifier.orZero(self));
    return ScaledCustomImageForKey(image, key);
}

void SuggestionSetBundleIdentifier(Object* self, const Original<void(const std::string&)>& original, const std::string& bundleIdentifier)
{
    original(bundleIdentifier);
    if (!SwitchIsOn("enabled") || !SwitchIsOn("systemwide"))
        return;
    auto button = objc::ivarIfPresent<UIButton>(self, "_iconButton");
    if (!button)
        return;
    Ref<UIImage> current = button->imageForState(UIControlStateNormal);
    button->setImage(ScaledCustomImageForKey(current, presentKey(bundleIdentifier)), UIControlStateNormal);
}

} // namespace ovrimo
