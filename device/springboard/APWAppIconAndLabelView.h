#pragma once

// An app suggestion in search (systems 10 and later): its icon on a button, its name below.
// Runtime methods: bundleIdentifier, setBundleIdentifier:; ivar _iconButton.

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"

#include <string>

class APWAppIconAndLabelView : public UIView {
    OBJC_CLASS(APWAppIconAndLabelView)
public:
    UIButton* iconButton() const { return m_iconButton.ptr(); }

    static void registerClass(objc::Runtime& rt);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    const std::string& bundleIdentifier() const { return m_bundleIdentifier; }
    void setBundleIdentifier(const std::string& bundleIdentifier);

    objc::Ref<UIButton> m_iconButton;
    objc::Ref<UILabel> m_label;
    std::string m_bundleIdentifier;
};
