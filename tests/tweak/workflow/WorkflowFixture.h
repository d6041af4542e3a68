#pragma once

// The editing workflow on booted phones: opening an icon's sheet as a person does, choosing its
// actions, and reading what the workflow left on screen, in the edit and on disk.

#include "tests/support/Pixels.h"
#include "tests/tweak/ScenarioFixture.h"
#include "tweak/workflow/IconEdit.h"

#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/ViewSearch.h"

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace workflow_tests {

using namespace scenario;
using objc::Ref;
using testing_support::RGBA;

inline constexpr const char* kLibrary = "/var/mobile/Documents/Ovrimo/IconLibrary/";
inline constexpr const char* kCameraRoll = "/var/mobile/Media/DCIM/100APPLE/";
inline constexpr const char* kMail = "com.apple.mobilemail";

// A picture of `w` x `h` pixels in four coloured quarters: red top left, green top right, blue
// bottom left, yellow bottom right; where each lands tells how the picture was drawn.
inline Ref<UIImage> quarters(int w, int h, UIImageOrientation orientation = UIImageOrientationUp)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(w, h), true, 1.0);
    auto fill = [](double r, double g, double b, CGRect rect) {
        CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), UIColor::colorWithRed(r, g, b, 1)->CGColor());
        CGContextFillRect(UIGraphicsGetCurrentContext(), rect);
    };
    fill(1, 0, 0, CGRectMake(0, 0, w / 2.0, h / 2.0));
    fill(0, 1, 0, CGRectMake(w / 2.0, 0, w / 2.0, h / 2.0));
    fill(0, 0, 1, CGRectMake(0, h / 2.0, w / 2.0, h / 2.0));
    fill(1, 1, 0, CGRectMake(w / 2.0, h / 2.0, w / 2.0, h / 2.0));
    Ref<UIImage> image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIImage::imageWithCGImage(image->CGImage(), 1, orientation);
}

enum class Colour { Red, Green, Blue, Yellow, Other };
inline Colour colourOf(RGBA p)
{
    auto hi = [](int c) { return c > 200; };
    auto lo = [](int c) { return c < 55; };
    if (p.a < 200)
        return Colour::Other;
    if (hi(p.r) && lo(p.g) && lo(p.b))
        return Colour::Red;
    if (lo(p.r) && hi(p.g) && lo(p.b))
        return Colour::Green;
    if (lo(p.r) && lo(p.g) && hi(p.b))
        return Colour::Blue;
    if (hi(p.r) && hi(p.g) && lo(p.b))
        return Colour::Yellow;
    return Colour::Other;
}

class WorkflowTest : public ScenarioTest {
protected:
    std::filesystem::path host(const std::string& devicePath) { return root().host(devicePath); }
    bool exists(const std::string& devicePath) { return std::filesystem::exists(host(devicePath)); }
    std::string storeFile(const std::string& key) { return std::string(kStore) + key + ".png"; }
    std::string libraryFile(int n) { return std::string(kLibrary) + std::to_string(n) + ".png"; }
    Ref<UIImage> picture(const std::string& devicePath) { return UIImage::imageWithContentsOfFile(devicePath); }
    // The edit open now, null when none is.
    const ovrimo::IconEdit* openEdit() { return ovrimo::OpenEdit(); }
    // The key of the open single-icon edit, nothing when no such edit is open.
    std::optional<std::string> editedKey()
    {
        const ovrimo::IconEdit* edit = openEdit();
        return edit && edit->single() ? std::optional<std::string>(edit->single()->key) : std::nullopt;
    }

    // Editing mode as a long press starts it, then a tap on the icon: its sheet.
    UIAlertController* openSheet(const std::string& identifier)
    {
        SBIconView* view = iconView(identifier);
        EXPECT_TRUE(view) << identifier;
        if (!view)
            return nullptr;
        if (!icons()->isEditing()) {
            dev().touch().longPress(iconCentre(view), 1.0);
            settle();
        }
        dev().touch().tap(iconCentre(view));
        settle();
        return alertOnScreen();
    }
    // An edit of `identifier` begun at its sheet, the sheet then put away without a choice: what
    // the workflow knows when a picture arrives from a source.
    void beginEdit(const std::string& identifier)
    {
        openSheet(identifier);
        dev().window()->rootViewController()->dismissViewControllerAnimated(false);
        settle();
    }
    std::vector<std::string> actionTitles(UIAlertController* alert)
    {
        std::vector<std::string> titles;
        if (alert)
            for (auto& action : alert->actions())
                titles.push_back(action->title());
        return titles;
    }
    // Taps the action's row as a finger would (a sheet's cancel in a popover has none).
    void choose(const std::string& title)
    {
        UIAlertController* alert = alertOnScreen();
        ASSERT_TRUE(alert) << "no alert on screen to choose " << title;
        for (auto& action : alert->actions()) {
            if (action->title() != title)
                continue;
            CGRect rect = uikit::visibleRectOf(alert->buttonForAction(action));
            if (!CGRectIsEmpty(rect))
                dev().touch().tap(CGPointMake(CGRectGetMidX(rect), CGRectGetMidY(rect)));
            else
                alert->tapAction(action);
            settle();
            return;
        }
        FAIL() << "the alert has no action " << title;
    }
    std::string alertMessage()
    {
        UIAlertController* alert = alertOnScreen();
        return alert ? alert->message() : std::string();
    }
    // The title of the progress overlay lying in the window (fading in or shown), empty when
    // there is none.
    std::string overlayTitle()
    {
        std::string title;
        std::function<void(UIView*)> walk = [&](UIView* view) {
            if (objc::isKindOfClass(view, "MBProgressHUD") && !view->isHidden())
                if (auto* label = dynamic_cast<UILabel*>(msgSend<Ref<objc::Object>>(view, "label").ptr()))
                    title = label->text();
            for (auto& subview : view->subviews())
                walk(subview);
        };
        if (dev().window())
            walk(dev().window());
        return title;
    }
    // Taps an action of the alert on screen and moves the clock on a millisecond at a time until
    // the progress overlay appears (at most a second): what the handler scheduled for later has
    // not run yet.
    void chooseUntilOverlay(const std::string& title)
    {
        UIAlertController* alert = alertOnScreen();
        ASSERT_TRUE(alert);
        for (auto& action : alert->actions())
            if (action->title() == title) {
                alert->tapAction(action);
                for (int ms = 0; ms < 1000 && overlayTitle().empty(); ++ms)
                    dev().advance(1);
                return;
            }
        FAIL() << "no action " << title;
    }
    void writePicture(const std::string& devicePath, UIImage* image)
    {
        auto png = UIImagePNGRepresentation(image);
        ASSERT_TRUE(png);
        std::filesystem::create_directories(host(devicePath).parent_path());
        std::ofstream(host(devicePath), std::ios::binary).write(reinterpret_cast<const char*>(png->data()), png->size());
    }
};

} // namespace workflow_tests
