#pragma once

// The icon of a web clip. Adds webClip; isBookmarkIcon answers yes.

#include "device/springboard/SBIcon.h"
#include "device/springboard/UIWebClip.h"

class SBBookmarkIcon : public SBIcon {
    OBJC_CLASS(SBBookmarkIcon)
public:
    SBBookmarkIcon() = default;
    explicit SBBookmarkIcon(UIWebClip* clip)
        : m_webClip(clip)
    {
    }
    UIWebClip* webClip() const { return m_webClip.ptr(); }

    objc::Ref<UIImage> drawIconAtSide(double side) override;
    std::string defaultDisplayName() const override { return m_webClip ? m_webClip->title() : std::string(); }
    std::string identifier() const override { return m_webClip ? m_webClip->identifier() : std::string(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<UIWebClip> m_webClip;
};
