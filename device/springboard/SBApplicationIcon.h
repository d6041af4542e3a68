#pragma once

// The icon of an installed application. Adds to SBIcon's runtime methods: application and
// applicationBundleID answer the app.

#include "device/springboard/SBApplication.h"
#include "device/springboard/SBIcon.h"

class SBApplicationIcon : public SBIcon {
    OBJC_CLASS(SBApplicationIcon)
public:
    SBApplicationIcon() = default;
    explicit SBApplicationIcon(SBApplication* app)
        : m_application(app)
    {
    }
    SBApplication* application() const { return m_application.ptr(); }

    objc::Ref<UIImage> drawIconAtSide(double side) override;
    std::string defaultDisplayName() const override { return m_application ? m_application->displayName() : std::string(); }
    std::string identifier() const override { return m_application ? m_application->bundleIdentifier() : std::string(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBApplication> m_application;
};
