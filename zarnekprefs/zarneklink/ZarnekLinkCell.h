#pragma once

// A row that opens a web address ("url") or a person's social-network profile ("user") when
// tapped. A profile row shows the person's avatar, downloaded once in the background, in a
// circular badge at its right edge; with "initials" the badge shows those instead and nothing
// is downloaded. "big" makes a taller row with a multi-line subtitle and a 38-point badge.
//
// Runtime methods: initWithStyle:reuseIdentifier:specifier:, setSelectionStyle:,
// setSelected:animated:, _urlForUsername: (class), shouldShowAvatar:, loadAvatarIfNeeded,
// avatarImage, setAvatarImage:, isBig, avatarImageView. Instance variables: _user, _url,
// _isBig, _avatarImageView.

#include "platform/preferences/PSTableCell.h"

#include <cstddef>
#include <string>

class ZarnekLinkCell : public PSTableCell {
    OBJC_CLASS(ZarnekLinkCell)
public:
    // The avatar download: the largest picture accepted, and how long it may take.
    static constexpr std::size_t kMaximumAvatarBytes = 2u * 1024 * 1024;
    static constexpr double kAvatarTimeoutSeconds = 15;

    const std::string& user() const { return m_user; }
    const std::string& url() const { return m_url; }
    bool isBig() const { return m_isBig; }
    UIImageView* avatarImageView() const { return m_avatarImageView.ptr(); }
    // The badge (the accessory view), null for a plain link.
    UIView* badge() const { return m_badge.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier);
    void configure(PSSpecifier* specifier, bool big);
    void selected(bool on, bool animated);
    void loadAvatar();
    void showAvatar(UIImage* image);
    void openAddress();

    std::string m_user;
    std::string m_url;
    bool m_isBig = false;
    objc::Ref<UIImageView> m_avatarImageView;
    objc::Ref<UIView> m_badge;
    bool m_avatarRequested = false;
};

namespace zarnek {
// Where profile pages and profile pictures live: the social network's mobile web site and its
// web host, both as "scheme://host[:port]" without a trailing slash. Tests point them elsewhere.
struct SocialNetworkAddresses {
    std::string mobileWebBase = "https://mobile.twitter.com";
    std::string webBase = "https://twitter.com";
};
SocialNetworkAddresses& socialNetworkAddresses();
} // namespace zarnek
