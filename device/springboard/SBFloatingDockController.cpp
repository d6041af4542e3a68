#include "device/springboard/SBFloatingDockController.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

using objc::Ref;

bool SBFloatingDockController::isFloatingDockSupported() { return springboard::profile().floatingDock; }

Ref<objc::Object> SBFloatingDockController::sharedInstance() { return Ref<objc::Object>(springboard::state().floatingDockController); }

// The dock's controller presents from the home screen's own controller.
Ref<UIViewController> SBFloatingDockController::viewController()
{
    auto* controller = springboard::iconController();
    return Ref<UIViewController>(controller ? controller->rootViewController() : nullptr);
}

void SBFloatingDockController::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SBFloatingDockController>(rt, "NSObject")
        .classMethod(sel::isFloatingDockSupported, &SBFloatingDockController::isFloatingDockSupported)
        .classMethod(sel::sharedInstance, &SBFloatingDockController::sharedInstance)
        .method(sel::viewController, &SBFloatingDockController::viewController)
        .build();
}
