// Where a new picture comes from: the photo library, a web address, or the icon library.

#include "tweak/workflow/OvrimoHelper.h"

#include "platform/dispatch/Queue.h"
#include "platform/foundation/NSURL.h"
#include "platform/foundation/URLFetch.h"
#include "platform/graphics/ImageCodecs.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UITextField.h"
#include "tweak/workflow/Downloads.h"
#include "tweak/hud/ProgressHUDInterface.h"
#include "tweak/library/IconSelectorInterface.h"
#include "tweak/workflow/IconGeneration.h"
#include "tweak/ui/Alerts.h"
#include "tweak/ui/NumberedErrors.h"
#include "tweak/ui/Presenting.h"
#include "tweak/ui/Product.h"
#include "tweak/ui/ProgressOverlay.h"

#include <algorithm>

namespace ovrimo {

using objc::Object;
using objc::Ref;

namespace {

constexpr const char* kDownloadFailed = "Download failed. Wrong URL or connection error!";
// The quality-of-service class of the download's queue: user-initiated.
constexpr long kUserInitiatedQueue = 25;


// An address the "From clipboard" choice may offer: one with a scheme and a host.
bool looksLikeWebAddress(const std::string& text)
{
    Ref<NSURL> url = NSURL::URLWithString(text);
    return url && url->scheme() && url->host();
}

// The picture at a web address, fetched and decoded on the calling (background) thread; nothing
// for anything but an http or https address answering a picture within the limits.
graphics::DecodedImage fetchPicture(const std::optional<NSURL::Parts>& parts, const DownloadLimits& allowed)
{
    if (!parts || !parts->scheme || !parts->host || (*parts->scheme != "http" && *parts->scheme != "https"))
        return {};
    NSURL url(*parts);
    foundation::FetchLimits limits;
    limits.maximumBytes = allowed.maximumBytes;
    limits.totalTimeoutSeconds = allowed.seconds;
    limits.connectTimeoutSeconds = std::min(limits.connectTimeoutSeconds, allowed.seconds);
    foundation::FetchResult result = foundation::fetchURL(url, limits);
    if (!result.body || result.statusCode < 200 || result.statusCode >= 300)
        return {};
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(result.body->data());
    return graphics::decodeImage(bytes, result.body->size(), allowed.maximumPixels);
}

} // namespace

DownloadLimits& PictureDownloadLimits()
{
    return objc::Runtime::current().state<DownloadLimits>();
}

void OvrimoHelper::editPicture(UIImage* picture)
{
    const IconEdit* edit = OpenEdit();
    const auto& editor = edit && edit->page ? helper::prepareMultiIconEditorWithImage : helper::prepareImageEditorWithImage;
    editor.orZero(HelperClass(), picture);
}

// The photo library -----------------------------------------------------------------------------

void OvrimoHelper::openPhotoLibrary()
{
    Ref<UIImagePickerController> picker = UIImagePickerController::create();
    picker->setSourceType(UIImagePickerControllerSourceTypePhotoLibrary);
    picker->setDelegate(HelperClass());
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(picker, true);
}

void OvrimoHelper::imagePickerDidFinish(Object* picker, NSDictionary* info)
{
    Ref<UIImage> picture(info ? dynamic_cast<UIImage*>(info->objectForKey("UIImagePickerControllerOriginalImage")) : nullptr);
    auto* controller = dynamic_cast<UIViewController*>(picker);
    if (!controller) {
        editPicture(picture);
        return;
    }
    controller->dismissViewControllerAnimated(false, [picture] { editPicture(picture); });
}

void OvrimoHelper::imagePickerDidCancel(Object* picker)
{
    EndOpenEdit();
    if (auto* controller = dynamic_cast<UIViewController*>(picker))
        controller->dismissViewControllerAnimated(true);
}

// A web address ---------------------------------------------------------------------------------

void OvrimoHelper::getImageFromURL()
{
    std::string ok = SystemButtonTitle("OK");
    std::string cancel = SystemButtonTitle("Cancel");
    auto alert = UIAlertController::alertControllerWithTitle(kProductName, "Enter the image URL", UIAlertControllerStyleAlert);
    alert->addTextFieldWithConfigurationHandler([](UITextField* field) { field->setKeyboardType(UIKeyboardTypeURL); });
    objc::WeakRef<UIAlertController> weakAlert(alert);
    alert->addAction(UIAlertAction::actionWithTitle(ok, UIAlertActionStyleDefault, [weakAlert](UIAlertAction*) {
        UIAlertController* shown = weakAlert.ptr();
        std::string text = shown && !shown->textFields().empty() ? shown->textFields().front()->text() : std::string();
        helper::downloadAndEditImageWithURLString.orZero(HelperClass(), text);
    }));
    if (looksLikeWebAddress(UIPasteboard::generalPasteboard()->string())) {
        alert->addAction(UIAlertAction::actionWithTitle("From clipboard", UIAlertActionStyleDefault, [](UIAlertAction*) {
            // Read at the tap: the clipboard may have changed since the alert opened.
            helper::downloadAndEditImageWithURLString.orZero(HelperClass(), UIPasteboard::generalPasteboard()->string());
        }));
    }
    alert->addAction(UIAlertAction::actionWithTitle(cancel, UIAlertActionStyleCancel, Sending(helper::endEdit, OpenEditOrNone())));
    if (UIViewController* presenter = PresentingController())
        presenter->presentViewController(alert, true);
}

void OvrimoHelper::downloadAndEditImage(const std::string& address)
{
    Ref<UIView> overlay = ShowProgressOverlay("Downloading image...", "", nullptr);
    DownloadLimits limits = PictureDownloadLimits();
    // The overlay only passes through the background block (moved, never copied or released
    // there): views are made and released on the main thread only.
    dispatch_async(dispatch_get_global_queue(kUserInitiatedQueue, 0), [address, overlay = std::move(overlay), limits]() mutable {
        graphics::DecodedImage decoded;
        try {
            decoded = fetchPicture(NSURL::parse(address), limits);
        } catch (...) {
            decoded = {};
        }
        dispatch_async(dispatch_get_main_queue(), [decoded, overlay = std::move(overlay)] {
            Ref<UIImage> picture = decoded.image ? UIImage::imageWithCGImage(decoded.image, 1, static_cast<UIImageOrientation>(decoded.orientation)) : nullptr;
            helper::editDownloadedImage.orZero(HelperClass(), picture);
            hud::hideAnimated.orZero(overlay, true);
        });
    });
}

void OvrimoHelper::editDownloadedImage(UIImage* picture)
{
    if (picture)
        editPicture(picture);
    else
        ShowMessageAlert(kDownloadFailed);
}

// The icon library ------------------------------------------------------------------------------

void OvrimoHelper::openIconLibrary(const IconEdit& edit)
{
    objc::Class* browserClass = objc::objc_getClass("ZarnekIconSelectorViewController");
    Ref<Object> allocated = browserClass ? browserClass->createInstance() : nullptr;
    // A single icon's name and path; none for a page, which opens the browser in its manage mode.
    const IconSlot* slot = edit.single();
    Ref<NSString> titleString = slot && edit.displayName ? NSString::make(*edit.displayName) : nullptr;
    Ref<NSString> pathString = slot ? NSString::make(slot->path) : nullptr;
    Ref<Object> browser = library::initWithTitleAndSavePath.orZero(allocated, titleString.ptr(), pathString.ptr());
    auto* controller = dynamic_cast<UIViewController*>(browser.ptr());
    UIViewController* presenter = PresentingController();
    if (!controller || !presenter) {
        ShowMessageAlert(ErrorMessage(ErrorNumber::NoIconLibrary));
        EndEdit(edit);
        return;
    }
    library::setDelegate.orZero(browser, HelperClass());
    presenter->presentViewController(controller, true);
}

void OvrimoHelper::iconSelectorDidFinished(Object* browser, UIImage* picture)
{
    auto* controller = dynamic_cast<UIViewController*>(browser);
    Ref<UIView> overlay = ShowProgressOverlay("Please wait! Saving icon image...", "This will take a moment.", controller);
    generateAfterOverlay(picture, controller, overlay, OpenEditOrNone());
}

void OvrimoHelper::iconSelectorDidCancel(Object* browser)
{
    EndOpenEdit();
    if (auto* controller = dynamic_cast<UIViewController*>(browser))
        controller->dismissViewControllerAnimated(true, [] { });
}

} // namespace ovrimo
