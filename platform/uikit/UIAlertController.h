#pragma once

#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIViewController.h"

#include <vector>

class NSArray;
class UILabel;
class UIButton;

// An alert or action sheet, presented like any controller. Its view is built when it is
// presented, to look like the phone's: a rounded translucent panel with a bold title, the message,
// the text fields and the action rows separated by hairlines (two actions side by side in an
// alert); a sheet sits at the bottom with its cancel action in a panel of its own; on a pad a
// sheet is a popover at its source (a tap outside runs the cancel action). Tapping an action
// dismisses the controller and then runs the action's handler.
//
// Runtime methods: alertControllerWithTitle:message:preferredStyle: (class), addAction:,
// addTextFieldWithConfigurationHandler:, actions, textFields, title, message, preferredStyle.
class UIAlertController : public UIViewController {
    OBJC_CLASS(UIAlertController)
public:
    static objc::Ref<UIAlertController> alertControllerWithTitle(const std::string& title, const std::string& message, UIAlertControllerStyle style);

    const std::string& message() const { return m_message; }
    void setMessage(std::string message) { m_message = std::move(message); }
    UIAlertControllerStyle preferredStyle() const { return m_style; }
    const std::vector<objc::Ref<UIAlertAction>>& actions() const { return m_actions; }
    void addAction(UIAlertAction* action);
    const std::vector<objc::Ref<UITextField>>& textFields() const { return m_textFields; }
    void addTextFieldWithConfigurationHandler(UITextFieldConfigurationHandler handler);
    UIAlertAction* preferredAction() const { return m_preferredAction.ptr(); }
    void setPreferredAction(UIAlertAction* action) { m_preferredAction = action; }

    // The button shown for an action (once presented).
    UIButton* buttonForAction(const UIAlertAction* action) const;
    // The rounded panel holding the content (once presented).
    UIView* panelView() const { return m_panel.ptr(); }
    // Acts as a tap on `action`'s row.
    void tapAction(UIAlertAction* action);

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods (the C++ senders above keep their names).
    static objc::Ref<UIAlertController> makeAlertController(std::string title, std::string message, NSInteger style);
    void appendAction(UIAlertAction* action);
    void appendTextField(UITextFieldConfigurationHandler handler);
    objc::Ref<NSArray> actionsArray() const;
    objc::Ref<NSArray> textFieldsArray() const;
    void actionTapped(objc::Object* sender);
    // _prepareForPresentation and _layoutInPresentationContainer:window:
    void prepareAlertForPresentation();
    void layoutAlertInContainer(UIView* container, UIWindow* window);
    // _animateTransitionInContainer:appearing:
    void animateAlertTransition(UIView* container, bool appearing);
    bool isPadSheet() const;
    void buildView(CGFloat width, bool showCancelRow);
    objc::Ref<UIButton> makeRow(UIAlertAction* action, CGRect frame, CGFloat fontSize);

    std::string m_message;
    UIAlertControllerStyle m_style = UIAlertControllerStyleAlert;
    std::vector<objc::Ref<UIAlertAction>> m_actions;
    std::vector<objc::Ref<UITextField>> m_textFields;
    objc::Ref<UIAlertAction> m_preferredAction;
    objc::Ref<UIView> m_panel;
    std::vector<objc::Ref<UIView>> m_addedViews;
    objc::Ref<UIView> m_cancelPanel;
    std::vector<std::pair<objc::Ref<UIAlertAction>, objc::Ref<UIButton>>> m_buttons;
};
