#include "platform/preferences/PSViewController.h"

#include "platform/foundation/NSBundle.h"
#include "platform/uikit/UINavigationController.h"

using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

Ref<PSSpecifier> PSViewController::specifier() { return msgSend<Ref<PSSpecifier>>(this, "specifier"); }
void PSViewController::setSpecifier(PSSpecifier* specifier) { msgSend(this, "setSpecifier:", specifier); }
Ref<NSBundle> PSViewController::bundle() { return msgSend<Ref<NSBundle>>(this, "bundle"); }
void PSViewController::setBundle(NSBundle* bundle) { msgSend(this, "setBundle:", bundle); }
void PSViewController::pushController(UIViewController* controller) { msgSend(this, "pushController:animate:", controller, true); }

void PSViewController::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<PSViewController>("UIViewController");
    c->addMethod("specifier", [](PSViewController* self, SEL) { return self->m_specifier; });
    c->addMethod("setSpecifier:", [](PSViewController* self, SEL, PSSpecifier* specifier) {
        self->m_specifier = specifier;
        if (specifier && self->UIViewController::title().empty())
            self->UIViewController::setTitle(specifier->name());
    });
    c->addMethod("parentController", [](PSViewController* self, SEL) { return Ref<UIViewController>(self->m_parentController.ptr()); });
    c->addMethod("setParentController:", [](PSViewController* self, SEL, UIViewController* parent) { self->m_parentController = parent; });
    c->addMethod("rootController", [](PSViewController* self, SEL) {
        if (UIViewController* root = self->m_rootController.ptr())
            return Ref<UIViewController>(root);
        return Ref<UIViewController>(self->navigationController());
    });
    c->addMethod("setRootController:", [](PSViewController* self, SEL, UIViewController* root) { self->m_rootController = root; });
    // A controller opened from another one shares its bundle unless it was given its own.
    c->addMethod("bundle", [](PSViewController* self, SEL) {
        if (self->m_bundle)
            return self->m_bundle;
        if (auto* parent = dynamic_cast<PSViewController*>(self->m_parentController.ptr()))
            return parent->bundle();
        return Ref<NSBundle>();
    });
    c->addMethod("setBundle:", [](PSViewController* self, SEL, NSBundle* bundle) { self->m_bundle = bundle; });
    c->addMethod("pushController:", [](PSViewController* self, SEL, UIViewController* controller) { msgSend(self, "pushController:animate:", controller, true); });
    c->addMethod("pushController:animate:", [](PSViewController* self, SEL, UIViewController* controller, bool animated) {
        if (!controller)
            return;
        if (auto* ps = dynamic_cast<PSViewController*>(controller)) {
            if (!ps->parentController())
                msgSend(ps, "setParentController:", self);
            msgSend(ps, "setRootController:", msgSend<Ref<UIViewController>>(self, "rootController"));
        }
        if (UINavigationController* navigation = self->navigationController())
            navigation->pushViewController(controller, animated);
        else
            self->presentViewController(controller, animated);
    });
}
