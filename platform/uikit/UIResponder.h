#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"
#include "platform/uikit/UITouch.h"

#include <vector>

// The touches of one event phase, as the platform hands them to touchesBegan:withEvent: and its
// siblings (an NSSet there; a list here, in the order the touches began).
using UITouchSet = std::vector<objc::Ref<UITouch>>;

// The base of views and view controllers: the responder chain. The touch methods are runtime
// methods; by default each passes the touches on to the next responder.
class UIResponder : public objc::NSObject {
    OBJC_CLASS(UIResponder)
public:
    // The next responder (a view's controller or superview, a controller's view's superview).
    objc::Ref<UIResponder> nextResponder();

    void touchesBegan(const UITouchSet& touches, UIEvent* event);
    void touchesMoved(const UITouchSet& touches, UIEvent* event);
    void touchesEnded(const UITouchSet& touches, UIEvent* event);
    void touchesCancelled(const UITouchSet& touches, UIEvent* event);

    bool becomeFirstResponder();
    bool resignFirstResponder();
    bool isFirstResponder() const;

    static void registerClass(objc::Runtime&);
};
