#pragma once

// How the editing workflow talks to the image cropper: the cropper's creation, its delegate and
// the delegate protocol. The workflow finds the class by name ("VPImageCropperViewController")
// and its class object is the delegate, so these are the only names the two share.

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Protocol.h"
#include "platform/uikit/UIKitSelectors.h"

#include <cstdint>
#include <string>

namespace ovrimo::cropper {

using objc::Object;
using objc::Ref;
using objc::Sel;

// Sent to a freshly allocated cropper: picture, crop rectangle (root-view points), zoom limit
// relative to the fitted size, instruction text.
inline constinit Sel<Ref<Object>(UIImage*, CGRect, std::int64_t, std::string)> initWithImageCropFrameLimitScaleRatioTitle {
    "initWithImage:cropFrame:limitScaleRatio:title:"
};
using uikit::sel::setDelegate;
using uikit::sel::delegate;

// The delegate protocol: Save hands over the part of the picture under the hole; Cancel hands
// over nothing. The cropper never dismisses itself.
inline constinit Sel<void(Object*, UIImage*)> imageCropperDidFinished { "imageCropper:didFinished:" };
inline constinit Sel<void(Object*)> imageCropperDidCancel { "imageCropperDidCancel:" };

inline const objc::Protocol VPImageCropperDelegate { "VPImageCropperDelegate",
    { objc::required(imageCropperDidFinished), objc::required(imageCropperDidCancel) } };

} // namespace ovrimo::cropper
