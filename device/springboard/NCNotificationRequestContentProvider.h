#pragma once

// What a notification shows (systems 10 and later). Runtime methods: icon (a picture), title,
// message; ivar _appBundleIdentifer.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/NSObject.h"

#include <string>

class NCNotificationRequestContentProvider : public objc::NSObject {
    OBJC_CLASS(NCNotificationRequestContentProvider)
public:
    NCNotificationRequestContentProvider() = default;
    NCNotificationRequestContentProvider(std::string bundleIdentifier, std::string title, std::string message)
        : _appBundleIdentifer(std::move(bundleIdentifier))
        , m_title(std::move(title))
        , m_message(std::move(message))
    {
    }

    static void registerClass(objc::Runtime& rt);

private:
    const std::string& title() const { return m_title; }
    const std::string& message() const { return m_message; }
    objc::Ref<UIImage> icon() const;

    std::string _appBundleIdentifer;
    std::string m_title, m_message;
};
