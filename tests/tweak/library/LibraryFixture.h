#pragma once

// The icon library browser on a booted phone with the tweak: pictures and folders written into the
// device's library and store, the browser opened as the workflow opens it (by class name, with a
// class object as its delegate) and driven through the touch driver.

#include "tests/tweak/ScenarioFixture.h"

#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/ViewSearch.h"
#include "tweak/library/ZarnekIconSelectorViewController.h"

#include <sys/stat.h>

namespace library_tests {

using namespace scenario;
namespace lib = ovrimo::library;

inline constexpr const char* kLibrary = "/var/mobile/Documents/Ovrimo/IconLibrary/";

// A class object standing in for the workflow: it records what the browser reports.
struct DelegateRecorder {
    static inline int cancels = 0;
    static inline std::vector<Ref<UIImage>> chosen;
    static inline Ref<objc::Object> lastBrowser;

    static objc::Class* install()
    {
        cancels = 0;
        chosen.clear();
        lastBrowser = nullptr;
        objc::Runtime& rt = objc::Runtime::current();
        if (objc::Class* existing = rt.getClass("LibraryTestDelegate"))
            return existing;
        objc::Class* cls = rt.registerClass("LibraryTestDelegate", objc::objc_getClass("NSObject"));
        cls->addClassMethod("iconSelector:didFinished:", [](objc::Object*, objc::SEL, objc::Object* browser, UIImage* image) {
            lastBrowser = browser;
            chosen.push_back(Ref<UIImage>(image));
        });
        cls->addClassMethod("iconSelectorDidCancel:", [](objc::Object*, objc::SEL, objc::Object* browser) {
            lastBrowser = browser;
            ++cancels;
        });
        return cls;
    }
};

class LibraryTest : public ScenarioTest {
protected:
    void TearDown() override
    {
        browser = nullptr;
        DelegateRecorder::lastBrowser = nullptr;
        DelegateRecorder::chosen.clear();
        ScenarioTest::TearDown();
    }

    void bootPhone(const std::string& profile = "iphone5-ios9")
    {
        pref("firstrun", false);
        boot(profile);
    }

    // Opens the browser: choose mode with a title and save path, manage mode with neither.
    void open(const std::optional<std::string>& title = std::nullopt, const std::optional<std::string>& savePath = std::nullopt,
        bool withDelegate = true)
    {
        objc::Class* cls = objc::objc_getClass("ZarnekIconSelectorViewController");
        ASSERT_TRUE(cls) << "the tweak registers the browser's class";
        Ref<NSString> titleString = title ? NSString::make(*title) : nullptr;
        Ref<NSString> pathString = savePath ? NSString::make(*savePath) : nullptr;
        Ref<objc::Object> made = lib::initWithTitleAndSavePath(msgSend<Ref<objc::Object>>(cls, "alloc"), titleString.ptr(), pathString.ptr());
        browser = Ref<UIViewController>(dynamic_cast<UIViewController*>(made.ptr()));
        ASSERT_TRUE(browser);
        if (withDelegate)
            lib::setDelegate(browser, DelegateRecorder::install());
        dev().window()->rootViewController()->presentViewController(browser, true);
        settle();
    }

    UITableView* table() { return lib::sel::tableView(browser).ptr(); }
    UINavigationController* nav() { return lib::sel::navController(browser).ptr(); }
    UIViewController* page() { return nav() ? nav()->topViewController() : nullptr; }
    UITableViewCell* cell(NSInteger section, NSInteger row)
    {
        table()->layoutIfNeeded();
        return table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section));
    }
    CGPoint centreOf(UIView* view)
    {
        CGRect r = view->convertRectToView(view->bounds(), nullptr);
        return { CGRectGetMidX(r), CGRectGetMidY(r) };
    }

    void tap(UIView* view)
    {
        ASSERT_TRUE(view);
        dev().touch().tap(centreOf(view));
        settle();
    }
    void tapLabel(const std::string& label)
    {
        auto found = uikit::findViewWithLabel(dev().window(), label);
        ASSERT_TRUE(found) << label;
        dev().touch().tap(found->center);
        settle();
    }
    void longPress(UIView* view)
    {
        ASSERT_TRUE(view);
        dev().touch().longPress(centreOf(view), 1.0);
        settle();
    }

    // The titles of the alert or sheet on screen, and a tap on one of its buttons.
    std::vector<std::string> actionTitles()
    {
        std::vector<std::string> titles;
        if (UIAlertController* alert = alertOnScreen())
            for (auto& action : alert->actions())
                titles.push_back(action->title());
        return titles;
    }
    std::string alertMessage()
    {
        UIAlertController* alert = alertOnScreen();
        return alert ? alert->message() : std::string("(no alert)");
    }
    void choose(const std::string& title)
    {
        UIAlertController* alert = alertOnScreen();
        ASSERT_TRUE(alert) << "no alert for " << title;
        for (auto& action : alert->actions())
            if (action->title() == title) {
                UIButton* button = alert->buttonForAction(action);
                ASSERT_TRUE(button) << title;
                tap(button);
                return;
            }
        FAIL() << "no action " << title << " in " << alert->message();
    }
    // Closes an info popup, checking its message.
    void expectPopup(const std::string& message)
    {
        EXPECT_EQ(alertMessage(), message);
        EXPECT_EQ(actionTitles(), std::vector<std::string> { "OK" });
        if (alertOnScreen())
            choose("OK");
    }

    // Files in the device root.
    std::filesystem::path host(const std::string& devicePath) { return root().host(devicePath); }
    bool exists(const std::string& devicePath)
    {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(host(devicePath), ec));
    }
    void picture(const std::string& devicePath, RGB colour, int side = 120) { writeSolidPNG(host(devicePath), colour, side); }
    void textFile(const std::string& devicePath, const std::string& text = "notes")
    {
        std::filesystem::create_directories(host(devicePath).parent_path());
        std::ofstream(host(devicePath)) << text;
    }
    std::vector<std::string> namesIn(const std::string& deviceFolder)
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (auto& entry : std::filesystem::directory_iterator(host(deviceFolder), ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The first pixel of a picture file's centre.
    Pixel fileCentre(const std::string& devicePath)
    {
        Ref<UIImage> image = UIImage::imageWithContentsOfFile(devicePath);
        return image ? scenario::centreOf(image.ptr()) : Pixel {};
    }

    // The grid's tiles (image views in the scroll view of the top page), in order.
    std::vector<UIImageView*> tiles()
    {
        std::vector<UIImageView*> result;
        if (!page())
            return result;
        for (UIView* v : findViews(page()->view(), [](UIView* v) { return dynamic_cast<UIImageView*>(v) && dynamic_cast<UIScrollView*>(v->superview()); }))
            result.push_back(static_cast<UIImageView*>(v));
        return result;
    }
    UIButton* tileButton(size_t index)
    {
        auto all = tiles();
        if (index >= all.size() || all[index]->subviews().empty())
            return nullptr;
        return dynamic_cast<UIButton*>(all[index]->subviews().front().ptr());
    }

    Ref<UIViewController> browser;
};

} // namespace library_tests
