#pragma once

// How the editing workflow talks to the icon library browser: its creation, its delegate and
// the delegate protocol. The workflow finds the class by name ("ZarnekIconSelectorViewController")
// and its class object is the delegate, so these are the only names the two share.

#include "platform/corefoundation/NSString.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Protocol.h"
#include "platform/uikit/UIKitSelectors.h"

namespace ovrimo::library {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Sent to a freshly allocated browser. Choose mode: the app's display name and the full path of
// its custom icon file; manage mode: null for both.
inline constinit Sel<Ref<Object>(NSString*, NSString*)> initWithTitleAndSavePath { "initWithTitle:andSavePath:" };
using uikit::sel::setDelegate;
using uikit::sel::delegate;

// The delegate protocol: a chosen picture (the file loaded as a picture), or Cancel. The browser
// never dismisses itself.
inline constinit Sel<void(Object*, UIImage*)> iconSelectorDidFinished { "iconSelector:didFinished:" };
inline constinit Sel<void(Object*)> iconSelectorDidCancel { "iconSelectorDidCancel:" };

inline const objc::Protocol ZarnekIconSelectorDelegate { "ZarnekIconSelectorDelegate",
    { objc::required(iconSelectorDidFinished), objc::required(iconSelectorDidCancel) } };

} // namespace ovrimo::library
