#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

class UIImage;

// A button of a navigation bar: a title or an image, and a target and action fired with the
// item as sender when the bar's button for it is tapped.
class UIBarButtonItem : public objc::NSObject {
    OBJC_CLASS(UIBarButtonItem)
public:
    static objc::Ref<UIBarButtonItem> createWithTitle(const std::string& title, UIBarButtonItemStyle style, objc::Object* target, objc::SEL action);
    static objc::Ref<UIBarButtonItem> createWithSystemItem(UIBarButtonSystemItem item, objc::Object* target, objc::SEL action);
    static objc::Ref<UIBarButtonItem> createWithImage(UIImage* image, UIBarButtonItemStyle style, objc::Object* target, objc::SEL action);

    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    UIImage* image() const;
    void setImage(UIImage* image);
    UIBarButtonItemStyle style() const { return m_style; }
    objc::Object* target() const { return m_target.ptr(); }
    void setTarget(objc::Object* target) { m_target = target; }
    objc::SEL action() const { return m_action; }
    void setAction(objc::SEL action) { m_action = action; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    NSInteger tag() const { return m_tag; }
    void setTag(NSInteger tag) { m_tag = tag; }
    bool isSystemItem() const { return m_systemItem >= 0; }
    UIBarButtonSystemItem systemItem() const { return static_cast<UIBarButtonSystemItem>(m_systemItem); }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the initializers.
    objc::Ref<objc::Object> initWithTitleStyleTargetAction(std::string title, NSInteger style, objc::Object* target, objc::SEL action);
    objc::Ref<objc::Object> initWithBarButtonSystemItemTargetAction(NSInteger item, objc::Object* target, objc::SEL action);
    objc::Ref<objc::Object> initWithImageStyleTargetAction(UIImage* image, NSInteger style, objc::Object* target, objc::SEL action);

    std::string m_title;
    objc::Ref<objc::Object> m_image;
    UIBarButtonItemStyle m_style = UIBarButtonItemStylePlain;
    objc::WeakRef<objc::Object> m_target;
    objc::SEL m_action = nullptr;
    bool m_enabled = true;
    NSInteger m_tag = 0;
    NSInteger m_systemItem = -1;
};
