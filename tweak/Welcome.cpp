#include "tweak/Welcome.h"

#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIWindow.h"
#include "tweak/IconImages.h"
#include "tweak/Preferences.h"

namespace ovrimo {

using objc::Ref;

namespace {

const char* const kWelcomeMessage = "\n\n\n\n\n\nWelcome to %@! I asume that you want to replace some icon images. You can start right away, to begin "
                                    "just simply enter edit mode (wiggle mode) and single tap on an icon of your choice. Happy replacing!";

std::string welcomeMessage()
{
    std::string message = kWelcomeMessage;
    message.replace(message.find("%@"), 2, "Ovrimo");
    return message;
}

} // namespace

void ShowWelcomeAlert()
{
    auto alert = UIAlertController::alertControllerWithTitle("Ovrimo", welcomeMessage(), UIAlertControllerStyleAlert);

    // The picture sits in the room the message's leading line breaks leave, at half its size.
    Ref<UIImage> picture = UIImage::imageWithContentsOfFile(kWelcomePicturePath);
    Ref<UIImage> halved = picture ? RedrawImage(picture, CGSizeMake(picture->size().width / 2, picture->size().height / 2)) : nullptr;
    auto imageView = UIImageView::create(CGRectMake(0, 0, halved ? halved->size().width : 0, halved ? halved->size().height : 0));
    imageView->setImage(halved);
    imageView->setCenter(CGPointMake(135, 90));
    alert->view()->addSubview(imageView);

    alert->addAction(UIAlertAction::actionWithTitle("Don't show anymore", UIAlertActionStyleCancel, [](UIAlertAction*) { MarkFirstRunDone(); }));

    UIWindow* window = UIApplication::sharedApplication()->keyWindow();
    if (window && window->rootViewController())
        window->rootViewController()->presentViewController(alert, true);
}

void RestoreContent(objc::Object*, const substrate::Original<void()>& original)
{
    original();
    if (!SwitchIsOn("enabled") || !SwitchIsOn("firstrun"))
        return;
    ShowWelcomeAlert();
}

} // namespace ovrimo
