#pragma once

#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UIViewController.h"

class NSBundle;

// A screen of the Settings app: a view controller that knows the specifier (the row) that opened
// it, the controller it was opened from, and the bundle its resources come from.
//
// Runtime methods: specifier, setSpecifier:, parentController, setParentController:,
// rootController, setRootController:, bundle, setBundle:, pushController:,
// pushController:animate:.
class PSViewController : public UIViewController {
    OBJC_CLASS(PSViewController)
public:
    // These send the runtime methods.
    objc::Ref<PSSpecifier> specifier();
    void setSpecifier(PSSpecifier* specifier);
    objc::Ref<NSBundle> bundle();
    void setBundle(NSBundle* bundle);
    void pushController(UIViewController* controller);

    UIViewController* parentController() const { return m_parentController.ptr(); }
    void setParentController(UIViewController* controller) { m_parentController = controller; }

    static void registerClass(objc::Runtime&);

private:
    // The runtime methods.
    objc::Ref<PSSpecifier> specifierObject() { return m_specifier; }
    void keepSpecifier(PSSpecifier* specifier);
    objc::Ref<UIViewController> parentControllerObject();
    objc::Ref<UIViewController> rootControllerObject();
    void keepRootController(UIViewController* root);
    objc::Ref<NSBundle> sharedBundle();
    void keepBundle(NSBundle* bundle);
    void pushControllerAnimated(UIViewController* controller);
    void pushControllerAnimate(UIViewController* controller, bool animated);

    objc::Ref<PSSpecifier> m_specifier;
    objc::WeakRef<UIViewController> m_parentController;
    objc::WeakRef<UIViewController> m_rootController;
    objc::Ref<NSBundle> m_bundle;
};
