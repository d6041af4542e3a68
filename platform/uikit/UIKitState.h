#pragma once

// Per-device UIKit state, kept in the current runtime so that a freshly booted device starts
// clean. Internal to the UIKit layer.

#include "platform/runtime/Imp.h"
#include "platform/runtime/Runtime.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>
#include <vector>

class UIWindow;
class UIResponder;
class UIPasteboard;
class UIGestureRecognizer;
class UITouch;

namespace uikit {

struct ScreenConfig {
    CGSize size { 375, 667 };
    double scale = 2;
};

struct DeviceConfig {
    std::string systemVersion = "12.4";
    std::string model = "iPhone";
    std::string name = "iPhone";
    std::string systemName = "iOS";
    UIUserInterfaceIdiom idiom = UIUserInterfaceIdiomPhone;
};

struct UIKitState {
    ScreenConfig screen;
    DeviceConfig device;
    std::vector<objc::WeakRef<UIWindow>> windows;
    objc::Ref<UIWindow> keyWindow;
    objc::WeakRef<UIResponder> firstResponder;
    std::vector<std::string> installedURLSchemes;
    std::vector<std::string> openedURLs;
    objc::Ref<UIPasteboard> generalPasteboard;
    std::vector<std::string> diagnostics;
    bool layoutScheduled = false;
    // Recognizers taking part in the current touch sequence (and taps waiting for their next tap).
    std::vector<objc::Ref<UIGestureRecognizer>> gestureArena;
    // Touches whose beginning or end a recognizer keeps from their view for now.
    std::vector<objc::Ref<UITouch>> heldTouches;
    int touchesDown = 0;
    std::string statusBarTime;
    // The drawRect: implementations (as registered, before any replacement) whose classes mark
    // every change of what they draw: their layers keep what they drew between commits.
    std::vector<objc::ImpPtr> drawingsKeepingContents;
};

// The state of the current device (throws when no runtime is booted).
UIKitState& state();

// Records a complaint the phone would write to its log (a misuse it survives), and prints it.
void warn(std::string message);

} // namespace uikit
