#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

#include <functional>
#include <string>
#include <vector>

class NSArray;
class UIWindow;
class UIEvent;

// The running application: its windows, the key window, and the opening of other apps by URL.
// Which URL schemes can be opened is set by the device boot from the apps installed; every URL
// opened is recorded for scripts and tests (uikit::openedURLs).
//
// Runtime methods: sharedApplication (class), keyWindow, windows, canOpenURL:, openURL:,
// openURL:options:completionHandler:, sendAction:to:from:forEvent:.
class UIApplication : public objc::NSObject {
    OBJC_CLASS(UIApplication)
public:
    static objc::Ref<UIApplication> sharedApplication();

    UIWindow* keyWindow() const;
    std::vector<objc::Ref<UIWindow>> windows() const;
    // `url` is the URL's absolute string ("tweetbot:", "https://example.com/").
    bool canOpenURL(const std::string& url) const;
    bool openURL(const std::string& url);
    // Sends `action` to `target` (or along the responder chain from `sender` when target is
    // null). Answers whether someone handled it.
    bool sendAction(objc::SEL action, objc::Object* target, objc::Object* sender, UIEvent* event);

    void beginIgnoringInteractionEvents() { ++m_ignoring; }
    void endIgnoringInteractionEvents() { m_ignoring = m_ignoring > 0 ? m_ignoring - 1 : 0; }
    bool isIgnoringInteractionEvents() const { return m_ignoring > 0; }

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods that take or answer objects.
    objc::Ref<NSArray> windowsArray() const;
    bool canOpenURLObject(objc::Object* url) const;
    bool openURLObject(objc::Object* url);
    void openURLWithCompletion(objc::Object* url, objc::Object* options, std::function<void(bool)> done);

    int m_ignoring = 0;
};

namespace uikit {
// The URL schemes (without ":") that installed apps handle. "http" and "https" always open.
void setInstalledURLSchemes(std::vector<std::string> schemes);
// Every URL opened so far, oldest first.
const std::vector<std::string>& openedURLs();
// The absolute string of an NSURL (or of a string object).
std::string urlString(objc::Object* url);
// Sends an action message with the sender (and the event) as the action's colons ask.
void performAction(objc::Object* target, objc::SEL action, objc::Object* sender, UIEvent* event);
} // namespace uikit
