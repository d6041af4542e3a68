#pragma once

// A web page saved to the home screen (/var/mobile/Library/WebClips/IDENTIFIER.webclip).
// Runtime methods: identifier, title, pageURL.

#include "platform/runtime/NSObject.h"

#include <string>

class UIWebClip : public objc::NSObject {
    OBJC_CLASS(UIWebClip)
public:
    UIWebClip() = default;
    UIWebClip(std::string identifier, std::string title, std::string url)
        : m_identifier(std::move(identifier))
        , m_title(std::move(title))
        , m_url(std::move(url))
    {
    }
    const std::string& identifier() const { return m_identifier; }
    const std::string& title() const { return m_title; }
    const std::string& url() const { return m_url; }

    static void registerClass(objc::Runtime&);

private:
    std::string m_identifier;
    std::string m_title;
    std::string m_url;
};
