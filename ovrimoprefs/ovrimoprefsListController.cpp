#include "ovrimoprefs/ovrimoprefsListController.h"

#include "ovrimoprefs/OvrimoPrefs.h"
#include "ovrimoprefs/PaneSelectors.h"
#include "platform/foundation/NSURL.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/preferences/PSListController.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UISegmentedControl.h"

namespace ovrimoprefs {

namespace {

constexpr const char* kClassName = "ovrimoprefsListController";
constexpr const char* kListName = "ovrimoprefs";

Ref<NSArray> rootSpecifiers(PSListController* self)
{
    Ref<NSArray> list = SpecifiersOnce(self, kListName);
    // Every segmented control made from now on in this process takes the accent colour.
    if (objc::Class* segments = objc::objc_getClass("UISegmentedControl"))
        if (Ref<Object> proxy = uikit::sel::appearance.orZero(segments))
            uikit::sel::setTintColor.orZero(proxy, AccentColor().ptr());
    return list;
}

void rootViewDidLoad(PSListController* self)
{
    objc::sendSuperOrZero(sel::viewDidLoad, kClassName, self);
    Ref<UIImage> picture = UIImage::imageWithContentsOfFile(kFollowButtonImage);
    Ref<UIImage> original = picture ? picture->imageWithRenderingMode(1) : nullptr;
    auto button = UIBarButtonItem::createWithImage(original, UIBarButtonItemStylePlain, self, sel::followMe);
    self->navigationItem()->setRightBarButtonItem(button);
}

bool open(const std::string& address)
{
    auto url = NSURL::URLWithString(address);
    return uikit::sel::openURL.orZero(UIApplication::sharedApplication(), url.ptr());
}

void followMe(PSListController*, Object*)
{
    auto application = UIApplication::sharedApplication();
    for (const FollowTarget& target : FollowTargets()) {
        auto scheme = NSURL::URLWithString(target.scheme);
        if (uikit::sel::canOpenURL.orZero(application, scheme.ptr())) {
            open(target.address);
            return;
        }
    }
    open(WebProfileAddress());
}

void donate(PSListController*, Object*) { open(kDonationAddress); }

} // namespace

const std::vector<FollowTarget>& FollowTargets()
{
    static const std::vector<FollowTarget> targets {
        { "tweetbot:", std::string("tweetbot:///user_profile/") + kMakerHandle },
        { "twitterrific:", std::string("twitterrific:///profile?screen_name=") + kMakerHandle },
        { "tweetings:", std::string("tweetings:///user?screen_name=") + kMakerHandle },
        { "twitter:", std::string("twitter://user?screen_name=") + kMakerHandle },
    };
    return targets;
}

std::string WebProfileAddress() { return std::string("https://mobile.twitter.com/") + kMakerHandle; }

void RegisterRootListController(objc::Runtime& runtime)
{
    objc::ClassBuilder<PSListController>(runtime, kClassName, "PSListController")
        .method(sel::specifiers, &rootSpecifiers)
        .method(sel::viewDidLoad, &rootViewDidLoad)
        .method(sel::followMe, &followMe)
        .method(sel::donate, &donate)
        .buildSystemClass();
}

} // namespace ovrimoprefs
