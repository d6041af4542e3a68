#include "zarnekprefs/zarneklink/ZarnekLinkCell.h"

#include "platform/corefoundation/CFLog.h"
#include "platform/corefoundation/NSString.h"
#include "platform/dispatch/Queue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/FoundationSelectors.h"
#include "platform/foundation/NSCharacterSet.h"
#include "platform/foundation/NSURLSession.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIViewController.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"

using objc::Object;
using objc::Ref;

namespace zarnek {
SocialNetworkAddresses& socialNetworkAddresses()
{
    static SocialNetworkAddresses addresses;
    return addresses;
}
} // namespace zarnek

namespace {

constexpr const char* kSafariServicesPath = "/System/Library/Frameworks/SafariServices.framework";

struct ClientScheme {
    const char* tested;
    const char* prefix;
};
constexpr ClientScheme kClients[] = {
    { "aphelion://", "aphelion://profile/" },
    { "tweetbot://", "tweetbot:///user_profile/" },
    { "twitterrific://", "twitterrific:///profile?screen_name=" },
    { "tweetings://", "tweetings:///user?screen_name=" },
    { "twitter://", "twitter://user?screen_name=" },
};

std::string percentEncoded(const std::string& text)
{
    Ref<NSString> string = NSString::make(text);
    return foundation::sel::stringByAddingPercentEncodingWithAllowedCharacters.orZero(string, NSCharacterSet::URLQueryAllowedCharacterSet().ptr());
}

std::string urlForUsername(const std::string& user)
{
    std::string encoded = percentEncoded(user);
    Ref<UIApplication> application = UIApplication::sharedApplication();
    for (const ClientScheme& client : kClients)
        if (application && application->canOpenURL(client.tested))
            return client.prefix + encoded;
    return zarnek::socialNetworkAddresses().mobileWebBase + "/" + encoded;
}

// Whether the downloaded bytes start like a picture the platform decodes (PNG, JPEG, GIF).
bool looksLikePicture(const std::vector<std::uint8_t>& bytes)
{
    auto starts = [&](std::initializer_list<std::uint8_t> magic) { return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin()); };
    return starts({ 0x89, 'P', 'N', 'G' }) || starts({ 0xFF, 0xD8, 0xFF }) || starts({ 'G', 'I', 'F', '8' });
}

// A failed avatar transfer goes to the system log under the tag the bundle has always logged it
// with (those who read the log search for it); the tag is a fixed text, not this file's line.
constexpr const char* kAvatarErrorTag = "[ovrimoprefs: zarnekprefs/zarneklink/ZarnekLinkCell:212] ERROR: ";

void logAvatarError(const std::string& description)
{
    CFLog(kCFLogLevelError, "%s%@", kAvatarErrorTag, NSString::make("error loading twitter avatar: " + description).ptr());
}

} // namespace

Ref<Object> ZarnekLinkCell::initCell(std::int64_t, std::string reuseIdentifier, PSSpecifier* specifier)
{
    bool big = specifier && specifier->boolProperty("big", false);
    Ref<Object> result = objc::sendSuperOrZero(zarnek::sel::initWithStyleReuseIdentifierSpecifier, this,
        big ? UITableViewCellStyleSubtitle : UITableViewCellStyleValue1, reuseIdentifier, specifier);
    if (result)
        configure(specifier, big);
    return result;
}

// The subtitle, the address and the badge, from the row's specifier.
void ZarnekLinkCell::configure(PSSpecifier* specifier, bool big)
{
    m_isBig = big;
    setSelectionStyle(UITableViewCellSelectionStyleDefault);
    UILabel* subtitle = detailTextLabel();
    if (subtitle) {
        subtitle->setNumberOfLines(big ? 0 : 1);
        subtitle->setText(specifier ? specifier->stringProperty("subtitle") : std::string());
        subtitle->setTextColor(UIColor::colorWithWhite(142 / 255.0, 1));
    }
    m_user = specifier ? specifier->stringProperty("user") : std::string();
    if (!m_user.empty()) {
        m_url = zarnek::sel::urlForUsername(objc::objc_getClass("ZarnekLinkCell"), m_user);
        if (subtitle)
            subtitle->setText("@" + m_user);
    } else {
        m_url = specifier ? specifier->stringProperty("url") : std::string();
    }
    if (!zarnek::sel::shouldShowAvatar(this, specifier))
        return;
    double side = big ? 38 : 29;
    // The badge keeps its size when the cell is resized (a stretched badge is no circle);
    // what it holds follows it.
    m_badge = UIView::create(CGRectMake(0, 0, side, side));
    m_badge->setBackgroundColor(UIColor::colorWithWhite(0.9, 1));
    m_badge->layer()->setBorderColor(UIColor::colorWithWhite(0.5, 1)->CGColor());
    m_badge->layer()->setBorderWidth(1.5);
    m_badge->layer()->setCornerRadius(side / 2);
    m_badge->setClipsToBounds(true);
    m_badge->setUserInteractionEnabled(false);
    setAccessoryView(m_badge);
    std::string initials = specifier->stringProperty("initials");
    if (!initials.empty()) {
        m_badge->setBackgroundColor(UIColor::colorWithWhite(0.8, 1));
        Ref<UILabel> label = UILabel::create(m_badge->bounds());
        label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        label->setFont(UIFont::systemFontOfSize(13));
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setTextColor(UIColor::whiteColor());
        label->setText(initials);
        m_badge->addSubview(label);
        return;
    }
    m_avatarImageView = UIImageView::create(m_badge->bounds());
    m_avatarImageView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_avatarImageView->setAlpha(0);
    m_avatarImageView->setUserInteractionEnabled(false);
    m_badge->addSubview(m_avatarImageView);
    zarnek::sel::loadAvatarIfNeeded(this);
}

void ZarnekLinkCell::loadAvatar()
{
    if (!m_avatarImageView || m_avatarImageView->image() || m_user.empty() || m_avatarRequested)
        return;
    m_avatarRequested = true;
    std::string address = zarnek::socialNetworkAddresses().webBase + "/" + percentEncoded(m_user) + "/profile_image?size=bigger";
    Ref<NSURLRequest> request = NSURLRequest::requestWithURL(NSURL::URLWithString(address), kAvatarTimeoutSeconds);
    objc::WeakRef<ZarnekLinkCell> weakSelf(this);
    auto completion = [weakSelf](NSData* data, NSHTTPURLResponse* response, NSError* error) {
        // On the session's background queue: only the decoded picture crosses to the main queue.
        if (error) {
            logAvatarError(error->localizedDescription());
            return;
        }
        if (!data || (response && response->statusCode >= 400) || data->bytes().size() > kMaximumAvatarBytes || !looksLikePicture(data->bytes()))
            return;
        Ref<UIImage> image = UIImage::imageWithData(data->bytes());
        if (!image)
            return;
        dispatch_async(dispatch_get_main_queue(), [weakSelf, image] {
            if (Ref<ZarnekLinkCell> cell = weakSelf.strong())
                zarnek::sel::setAvatarImage.orZero(cell, image.ptr());
        });
    };
    Ref<NSURLSessionDataTask> task = foundation::sel::dataTaskWithRequestCompletionHandler.orZero(NSURLSession::sharedSession(), request.ptr(),
        NSURLSessionDataCompletion(completion));
    foundation::sel::resume.orZero(task);
}

void ZarnekLinkCell::showAvatar(UIImage* image)
{
    if (!m_avatarImageView)
        return;
    m_avatarImageView->setImage(image);
    if (m_avatarImageView->alpha() == 0) {
        Ref<UIImageView> view = m_avatarImageView;
        UIView::animateWithDuration(0.15, [view] { view->setAlpha(1.0); });
    }
}

void ZarnekLinkCell::openAddress()
{
    if (m_url.empty())
        return;
    Ref<NSURL> address = NSURL::URLWithString(m_url);
    if (!address)
        return;
    if (Ref<NSBundle> safari = NSBundle::bundleWithPath(kSafariServicesPath))
        foundation::sel::load.orZero(safari);
    objc::Class* browser = objc::NSClassFromString("SFSafariViewController");
    std::string scheme = address->scheme().value_or("");
    if (browser && (scheme == "http" || scheme == "https")) {
        Ref<Object> made = zarnek::sel::initWithURL.orZero(objc::sel::alloc.orZero(browser), address.ptr());
        auto* controller = dynamic_cast<UIViewController*>(made.ptr());
        if (UIViewController* presenter = zarnek::presentingController(); controller && presenter) {
            presenter->presentViewController(controller, true);
            return;
        }
    }
    if (Ref<UIApplication> application = UIApplication::sharedApplication())
        uikit::sel::openURLOptionsCompletionHandler.orZero(application, address.ptr(), NSDictionary::make().ptr(), std::function<void(bool)>());
}

void ZarnekLinkCell::selected(bool on, bool animated)
{
    if (!on) {
        objc::sendSuperOrZero(zarnek::sel::setSelectedAnimated, this, on, animated);
        return;
    }
    // The base class never hears of the selection, so the row does not stay highlighted.
    openAddress();
}

namespace {

// Whatever style is asked for, the row keeps the default highlight.
void keepDefaultSelectionStyle(ZarnekLinkCell* self, std::int64_t)
{
    objc::sendSuperOrZero(zarnek::sel::setSelectionStyle, self, static_cast<std::int64_t>(UITableViewCellSelectionStyleDefault));
}

bool showsAvatar(ZarnekLinkCell*, PSSpecifier* specifier)
{
    return specifier && (!specifier->stringProperty("user").empty() || !specifier->stringProperty("initials").empty());
}

Ref<UIImage> avatarImageOf(ZarnekLinkCell* self) { return self->avatarImageView() ? Ref<UIImage>(self->avatarImageView()->image()) : Ref<UIImage>(); }
bool isBigCell(ZarnekLinkCell* self) { return self->isBig(); }
Ref<UIImageView> avatarImageViewOf(ZarnekLinkCell* self) { return Ref<UIImageView>(self->avatarImageView()); }

} // namespace

void ZarnekLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekLinkCell;
    namespace sel = zarnek::sel;
    objc::ClassBuilder<Self>(rt, "PSTableCell")
        .method(sel::initWithStyleReuseIdentifierSpecifier, &Self::initCell)
        .method(sel::setSelectionStyle, &keepDefaultSelectionStyle)
        .method(sel::setSelectedAnimated, &Self::selected)
        .classMethod(sel::urlForUsername, &urlForUsername)
        .method(sel::shouldShowAvatar, &showsAvatar)
        .method(sel::loadAvatarIfNeeded, &Self::loadAvatar)
        .method(sel::avatarImage, &avatarImageOf)
        .method(sel::setAvatarImage, &Self::showAvatar)
        .method(sel::isBig, &isBigCell)
        .method(sel::avatarImageView, &avatarImageViewOf)
        .ivar("_user", &Self::m_user)
        .ivar("_url", &Self::m_url)
        .ivar("_isBig", &Self::m_isBig)
        .ivar("_avatarImageView", &Self::m_avatarImageView)
        .buildSystemClass();
}
