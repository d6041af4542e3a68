#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

// One button of an alert or action sheet: a title, a style and a handler that runs after the
// alert has been dismissed.
class UIAlertAction : public objc::NSObject {
    OBJC_CLASS(UIAlertAction)
public:
    // +[UIAlertAction actionWithTitle:style:handler:]
    static objc::Ref<UIAlertAction> actionWithTitle(const std::string& title, UIAlertActionStyle style, UIAlertActionHandler handler);

    const std::string& title() const { return m_title; }
    UIAlertActionStyle style() const { return m_style; }
    const UIAlertActionHandler& handler() const { return m_handler; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    static void registerClass(objc::Runtime&);

private:
    // +actionWithTitle:style:handler:
    static objc::Ref<UIAlertAction> makeAction(std::string title, NSInteger style, UIAlertActionHandler handler);

    std::string m_title;
    UIAlertActionStyle m_style = UIAlertActionStyleDefault;
    UIAlertActionHandler m_handler;
    bool m_enabled = true;
};
