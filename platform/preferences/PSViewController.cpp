#include "platform/preferences/PSViewController.h"

#include "platform/foundation/NSBundle.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UINavigationController.h"

using objc::Object;
using objc::Ref;

namespace sel = preferences::sel;

Ref<PSSpecifier> PSViewController::specifier() { return sel::specifier(this); }
void PSViewController::setSpecifier(PSSpecifier* specifier) { sel::setSpecifier(this, specifier); }
Ref<NSBundle> PSViewController::bundle() { return sel::bundle(this); }
void PSViewController::setBundle(NSBundle* bundle) { sel::setBundle(this, bundle); }
void PSViewController::pushController(UIViewController* controller) { sel::pushControllerAnimate(this, controller, true); }

void PSViewController::keepSpecifier(PSSpecifier* specifier)
{
    m_specifier = specifier;
    if (specifier && UIViewController::title().empty())
        UIViewController::setTitle(specifier->name());
}

Ref<UIViewController> PSViewController::parentControllerObject() { return m_parentController.ptr(); }

Ref<UIViewController> PSViewController::rootControllerObject()
{
    if (UIViewController* root = m_rootController.ptr())
        return root;
    return navigationController();
}

void PSViewController::keepRootController(UIViewController* root) { m_rootController = root; }

// A controller opened from another one shares its bundle unless it was given its own.
Ref<NSBundle> PSViewController::sharedBundle()
{
    if (m_bundle)
        return m_bundle;
    if (auto* parent = dynamic_cast<PSViewController*>(m_parentController.ptr()))
        return parent->bundle();
    return nullptr;
}

void PSViewController::keepBundle(NSBundle* bundle) { m_bundle = bundle; }

void PSViewController::pushControllerAnimated(UIViewController* controller) { sel::pushControllerAnimate(this, controller, true); }

void PSViewController::pushControllerAnimate(UIViewController* controller, bool animated)
{
    if (!controller)
        return;
    if (auto* ps = dynamic_cast<PSViewController*>(controller)) {
        if (!ps->parentController())
            sel::setParentController(ps, this);
        sel::setRootController(ps, sel::rootController(this).ptr());
    }
    if (UINavigationController* navigation = navigationController())
        navigation->pushViewController(controller, animated);
    else
        presentViewController(controller, animated);
}

void PSViewController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSViewController>(rt, "UIViewController")
        .method(sel::specifier, &PSViewController::specifierObject)
        .method(sel::setSpecifier, &PSViewController::keepSpecifier)
        .method(sel::parentController, &PSViewController::parentControllerObject)
        .method(sel::setParentController, &PSViewController::setParentController)
        .method(sel::rootController, &PSViewController::rootControllerObject)
        .method(sel::setRootController, &PSViewController::keepRootController)
        .method(sel::bundle, &PSViewController::sharedBundle)
        .method(sel::setBundle, &PSViewController::keepBundle)
        .method(sel::pushController, &PSViewController::pushControllerAnimated)
        .method(sel::pushControllerAnimate, &PSViewController::pushControllerAnimate)
        .build();
}
