#pragma once

#include "platform/dispatch/RunLoop.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestEnvironment.h"

#include "platform/graphics/UIImage.h"

#include <gtest/gtest.h>

#include <cstdlib>

using Pixel = testing_support::RGBA;
using testing_support::pixelAt;

inline bool isColour(Pixel p, int r, int g, int b, int tolerance = 3)
{
    return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance;
}

// The centre of a view in window coordinates: where a finger taps it.
inline CGPoint centreOf(UIView* v) { return v->convertPointToView(CGPointMake(v->bounds().size.width / 2, v->bounds().size.height / 2), nullptr); }

// A fresh device with UIKit, a 375 × 667 screen at scale 2, and a visible key window whose root
// controller's view is white.
class UIKitTest : public ::testing::Test {
protected:
    UIKitTest()
    {
        registerUIKitClasses(env.runtime());
        uikit::configureScreen(CGSizeMake(375, 667), 2);
    }

    UIWindow* showWindow()
    {
        if (!window) {
            window = UIWindow::create(UIScreen::mainScreen()->bounds());
            root = UIViewController::create();
            root->view()->setBackgroundColor(UIColor::whiteColor());
            window->setRootViewController(root);
            window->makeKeyAndVisible();
        }
        return window;
    }

    static void settle(double seconds = 1) { dispatch::RunLoop::main().advance(static_cast<dispatch::Nanoseconds>(seconds * 1e9)); }

    testing_support::TestEnvironment env;
    objc::Ref<UIWindow> window;
    objc::Ref<UIViewController> root;
};

// Records the actions it receives (a target for controls and recognizers).
class ActionRecorder : public objc::NSObject {
    OBJC_CLASS(ActionRecorder)
public:
    std::vector<std::string> calls;
    std::vector<objc::Ref<objc::Object>> senders;

    static objc::Ref<ActionRecorder> make()
    {
        auto& rt = objc::Runtime::current();
        if (!rt.getClass("ActionRecorder")) {
            objc::Class* c = rt.registerClass<ActionRecorder>("NSObject");
            for (const char* sel : { "fired:", "down:", "upInside:", "upOutside:", "changed:", "cancel:", "handle:" })
                c->addMethod(sel, [](ActionRecorder* self, objc::SEL cmd, objc::Object* sender) {
                    self->calls.emplace_back(objc::sel_getName(cmd));
                    self->senders.emplace_back(sender);
                });
        }
        return objc::make<ActionRecorder>();
    }
    size_t count(const std::string& sel) const { return std::count(calls.begin(), calls.end(), sel); }
};
