#include "platform/uikit/UIApplication.h"

#include "platform/corefoundation/CoreFoundationSelectors.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/foundation/FoundationSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIKitState.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cctype>

using objc::msgSend;
using objc::Ref;
using objc::SEL;
namespace sel = uikit::sel;

namespace {

struct ApplicationSingleton {
    Ref<UIApplication> application;
};

std::string schemeOf(const std::string& url)
{
    auto colon = url.find(':');
    if (colon == std::string::npos || colon == 0)
        return {};
    std::string scheme = url.substr(0, colon);
    for (char& ch : scheme)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return scheme;
}

} // namespace

Ref<UIApplication> UIApplication::sharedApplication()
{
    auto& slot = objc::Runtime::current().state<ApplicationSingleton>();
    if (!slot.application)
        slot.application = objc::make<UIApplication>();
    return slot.application;
}

UIWindow* UIApplication::keyWindow() const { return uikit::state().keyWindow.ptr(); }

std::vector<Ref<UIWindow>> UIApplication::windows() const
{
    std::vector<Ref<UIWindow>> result;
    for (auto& weak : uikit::state().windows)
        if (auto w = weak.strong())
            result.push_back(w);
    return result;
}

bool UIApplication::canOpenURL(const std::string& url) const
{
    std::string scheme = schemeOf(url);
    if (scheme.empty())
        return false;
    if (scheme == "http" || scheme == "https")
        return true;
    auto& schemes = uikit::state().installedURLSchemes;
    return std::find(schemes.begin(), schemes.end(), scheme) != schemes.end();
}

bool UIApplication::openURL(const std::string& url)
{
    if (!canOpenURL(url)) {
        uikit::warn("openURL: no installed app opens " + url);
        return false;
    }
    uikit::state().openedURLs.push_back(url);
    return true;
}

bool UIApplication::sendAction(SEL action, objc::Object* target, objc::Object* sender, UIEvent* event)
{
    if (!action)
        return false;
    Ref<objc::Object> receiver(target);
    if (!receiver) {
        // Along the responder chain from the sender.
        Ref<UIResponder> r(dynamic_cast<UIResponder*>(sender));
        while (r && !r->isa()->respondsTo(action))
            r = r->nextResponder();
        receiver = Ref<objc::Object>(r.ptr());
    }
    if (!receiver)
        return false;
    uikit::performAction(receiver, action, sender, event);
    return true;
}

Ref<NSArray> UIApplication::windowsArray() const
{
    auto list = windows();
    return NSArray::make(std::vector<Ref<objc::Object>>(list.begin(), list.end()));
}

bool UIApplication::canOpenURLObject(objc::Object* url) const { return canOpenURL(uikit::urlString(url)); }

bool UIApplication::openURLObject(objc::Object* url) { return openURL(uikit::urlString(url)); }

void UIApplication::openURLWithCompletion(objc::Object* url, objc::Object*, std::function<void(bool)> done)
{
    bool ok = openURL(uikit::urlString(url));
    if (done)
        done(ok);
}

void UIApplication::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<UIApplication>(rt, "UIResponder")
        .classMethod(sel::sharedApplication, &UIApplication::sharedApplication)
        .method(sel::keyWindow, &UIApplication::keyWindow)
        .method(sel::windows, &UIApplication::windowsArray)
        .method(sel::canOpenURL, &UIApplication::canOpenURLObject)
        .method(sel::openURL, &UIApplication::openURLObject)
        .method(sel::openURLOptionsCompletionHandler, &UIApplication::openURLWithCompletion)
        .method(sel::sendActionToFromForEvent, &UIApplication::sendAction)
        .method(sel::beginIgnoringInteractionEvents, &UIApplication::beginIgnoringInteractionEvents)
        .method(sel::endIgnoringInteractionEvents, &UIApplication::endIgnoringInteractionEvents)
        .method(sel::isIgnoringInteractionEvents, &UIApplication::isIgnoringInteractionEvents)
        .build();
}

namespace uikit {

void setInstalledURLSchemes(std::vector<std::string> schemes)
{
    for (auto& s : schemes) {
        if (!s.empty() && s.back() == ':')
            s.pop_back();
        for (char& ch : s)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    state().installedURLSchemes = std::move(schemes);
}

const std::vector<std::string>& openedURLs() { return state().openedURLs; }

std::string urlString(objc::Object* url)
{
    if (!url)
        return {};
    if (foundation::sel::absoluteString.isAnsweredBy(url))
        return foundation::sel::absoluteString(url);
    if (corefoundation::sel::UTF8String.isAnsweredBy(url))
        return corefoundation::sel::UTF8String(url);
    return objc::sel::description(url);
}

void performAction(objc::Object* target, SEL action, objc::Object* sender, UIEvent* event)
{
    if (!target || !action)
        return;
    std::string_view name = objc::sel_getName(action);
    auto colons = std::count(name.begin(), name.end(), ':');
    if (colons == 0)
        msgSend(target, action);
    else if (colons == 1)
        msgSend(target, action, sender);
    else
        msgSend(target, action, sender, event);
}

} // namespace uikit
