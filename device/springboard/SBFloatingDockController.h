#pragma once

// The floating dock's controller (system 11 and later). Runtime methods: +isFloatingDockSupported
// (yes only on a floating-dock profile), +sharedInstance, viewController.

#include "platform/runtime/NSObject.h"

class UIViewController;

class SBFloatingDockController : public objc::NSObject {
    OBJC_CLASS(SBFloatingDockController)
public:
    static void registerClass(objc::Runtime&);

private:
    static bool isFloatingDockSupported();
    static objc::Ref<objc::Object> sharedInstance();
    objc::Ref<UIViewController> viewController();
};
