#include "platform/uikit/UIResponder.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UITouch.h"

using objc::Ref;
namespace sel = uikit::sel;

Ref<UIResponder> UIResponder::nextResponder() { return sel::nextResponder(this); }

void UIResponder::touchesBegan(const UITouchSet& touches, UIEvent* event) { sel::touchesBeganWithEvent(this, touches, event); }
void UIResponder::touchesMoved(const UITouchSet& touches, UIEvent* event) { sel::touchesMovedWithEvent(this, touches, event); }
void UIResponder::touchesEnded(const UITouchSet& touches, UIEvent* event) { sel::touchesEndedWithEvent(this, touches, event); }
void UIResponder::touchesCancelled(const UITouchSet& touches, UIEvent* event) { sel::touchesCancelledWithEvent(this, touches, event); }

bool UIResponder::becomeFirstResponder() { return sel::becomeFirstResponder(this); }
bool UIResponder::resignFirstResponder() { return sel::resignFirstResponder(this); }
bool UIResponder::isFirstResponder() const { return uikit::state().firstResponder.ptr() == this; }

namespace {

Ref<UIResponder> noNextResponder(UIResponder*) { return nullptr; }

// Unhandled touches travel up the responder chain.
void passBeganOn(UIResponder* self, const UITouchSet& touches, UIEvent* event) { sel::touchesBeganWithEvent(self->nextResponder(), touches, event); }
void passMovedOn(UIResponder* self, const UITouchSet& touches, UIEvent* event) { sel::touchesMovedWithEvent(self->nextResponder(), touches, event); }
void passEndedOn(UIResponder* self, const UITouchSet& touches, UIEvent* event) { sel::touchesEndedWithEvent(self->nextResponder(), touches, event); }
void passCancelledOn(UIResponder* self, const UITouchSet& touches, UIEvent* event) { sel::touchesCancelledWithEvent(self->nextResponder(), touches, event); }

bool cannotBecomeFirstResponder(UIResponder*) { return false; }

bool takeFirstResponder(UIResponder* self)
{
    if (!sel::canBecomeFirstResponder(self))
        return false;
    auto& st = uikit::state();
    if (UIResponder* current = st.firstResponder.ptr(); current && current != self)
        sel::resignFirstResponder(current);
    st.firstResponder = self;
    return true;
}

bool giveUpFirstResponder(UIResponder* self)
{
    auto& st = uikit::state();
    if (st.firstResponder.ptr() == self)
        st.firstResponder = nullptr;
    return true;
}

} // namespace

void UIResponder::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIResponder>(rt, "NSObject")
        .method(sel::nextResponder, &noNextResponder)
        .method(sel::touchesBeganWithEvent, &passBeganOn)
        .method(sel::touchesMovedWithEvent, &passMovedOn)
        .method(sel::touchesEndedWithEvent, &passEndedOn)
        .method(sel::touchesCancelledWithEvent, &passCancelledOn)
        .method(sel::canBecomeFirstResponder, &cannotBecomeFirstResponder)
        .method(sel::becomeFirstResponder, &takeFirstResponder)
        .method(sel::resignFirstResponder, &giveUpFirstResponder)
        .method(sel::isFirstResponder, &UIResponder::isFirstResponder)
        .build();
}
