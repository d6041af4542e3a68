#include "platform/uikit/UIResponder.h"

#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITouch.h"

using objc::msgSend;
using objc::Ref;
using objc::SEL;

Ref<UIResponder> UIResponder::nextResponder() { return msgSend<Ref<UIResponder>>(this, "nextResponder"); }

void UIResponder::touchesBegan(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesBegan:withEvent:", touches, event); }
void UIResponder::touchesMoved(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesMoved:withEvent:", touches, event); }
void UIResponder::touchesEnded(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesEnded:withEvent:", touches, event); }
void UIResponder::touchesCancelled(const UITouchSet& touches, UIEvent* event) { msgSend(this, "touchesCancelled:withEvent:", touches, event); }

bool UIResponder::becomeFirstResponder() { return msgSend<bool>(this, "becomeFirstResponder"); }
bool UIResponder::resignFirstResponder() { return msgSend<bool>(this, "resignFirstResponder"); }
bool UIResponder::isFirstResponder() const { return uikit::state().firstResponder.ptr() == this; }

void UIResponder::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<UIResponder>("NSObject");
    c->addMethod("nextResponder", [](UIResponder*, SEL) { return Ref<UIResponder>(); });
    // Unhandled touches travel up the responder chain.
    c->addMethod("touchesBegan:withEvent:", [](UIResponder* self, SEL, const UITouchSet& t, UIEvent* e) { msgSend(self->nextResponder(), "touchesBegan:withEvent:", t, e); });
    c->addMethod("touchesMoved:withEvent:", [](UIResponder* self, SEL, const UITouchSet& t, UIEvent* e) { msgSend(self->nextResponder(), "touchesMoved:withEvent:", t, e); });
    c->addMethod("touchesEnded:withEvent:", [](UIResponder* self, SEL, const UITouchSet& t, UIEvent* e) { msgSend(self->nextResponder(), "touchesEnded:withEvent:", t, e); });
    c->addMethod("touchesCancelled:withEvent:", [](UIResponder* self, SEL, const UITouchSet& t, UIEvent* e) { msgSend(self->nextResponder(), "touchesCancelled:withEvent:", t, e); });
    c->addMethod("canBecomeFirstResponder", [](UIResponder*, SEL) { return false; });
    c->addMethod("becomeFirstResponder", [](UIResponder* self, SEL) {
        if (!msgSend<bool>(self, "canBecomeFirstResponder"))
            return false;
        auto& st = uikit::state();
        if (UIResponder* current = st.firstResponder.ptr(); current && current != self)
            msgSend<bool>(current, "resignFirstResponder");
        st.firstResponder = self;
        return true;
    });
    c->addMethod("resignFirstResponder", [](UIResponder* self, SEL) {
        auto& st = uikit::state();
        if (st.firstResponder.ptr() == self)
            st.firstResponder = nullptr;
        return true;
    });
    c->addMethod("isFirstResponder", [](UIResponder* self, SEL) { return self->isFirstResponder(); });
}
