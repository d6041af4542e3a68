#pragma once

#include "platform/uikit/UIBarButtonItem.h"

#include <functional>

// What a navigation bar shows for one controller: title, prompt, bar button items and the back
// button that pages pushed above it show.
class UINavigationItem : public objc::NSObject {
    OBJC_CLASS(UINavigationItem)
public:
    const std::string& title() const { return m_title; }
    void setTitle(std::string title);
    const std::string& prompt() const { return m_prompt; }
    void setPrompt(std::string prompt);
    UIBarButtonItem* leftBarButtonItem() const { return m_left.ptr(); }
    void setLeftBarButtonItem(UIBarButtonItem* item);
    UIBarButtonItem* rightBarButtonItem() const { return m_right.ptr(); }
    void setRightBarButtonItem(UIBarButtonItem* item);
    UIBarButtonItem* backBarButtonItem() const { return m_back.ptr(); }
    void setBackBarButtonItem(UIBarButtonItem* item);
    bool hidesBackButton() const { return m_hidesBackButton; }
    void setHidesBackButton(bool on);

    // Told when something shown in a bar changes (set by the navigation controller).
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    static void registerClass(objc::Runtime&);

private:
    void changed()
    {
        if (m_changed)
            m_changed();
    }

    std::string m_title;
    std::string m_prompt;
    objc::Ref<UIBarButtonItem> m_left, m_right, m_back;
    bool m_hidesBackButton = false;
    std::function<void()> m_changed;
};
