#pragma once

// An installed application. Runtime methods: bundleIdentifier, displayName.

#include "platform/runtime/NSObject.h"

#include <string>

class SBApplication : public objc::NSObject {
    OBJC_CLASS(SBApplication)
public:
    SBApplication() = default;
    SBApplication(std::string bundleIdentifier, std::string displayName)
        : m_bundleIdentifier(std::move(bundleIdentifier))
        , m_displayName(std::move(displayName))
    {
    }
    const std::string& bundleIdentifier() const { return m_bundleIdentifier; }
    const std::string& displayName() const { return m_displayName; }

    static void registerClass(objc::Runtime&);

private:
    std::string m_bundleIdentifier;
    std::string m_displayName;
};
