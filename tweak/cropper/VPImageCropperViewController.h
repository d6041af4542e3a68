#pragma once

// The full-screen crop editor: the picture under a half-dark overlay with a clear hole (the crop
// frame, outlined in yellow); pinch to zoom and drag to move the picture under the hole, Rotate
// turns it by quarter turns, Save hands the part under the hole to the delegate, Cancel tells the
// delegate. It never dismisses itself and never writes files.
//
// All geometry is in the root view's points, origin top left. The picture's on-screen rectangle
// (the picture view's frame) rests at `latestFrame` between gestures; it may settle no smaller
// than the fitted rectangle `oldFrame` and no larger than `largeFrame` (the zoom limit times it).
//
// A zoom limit below 1 is taken as 1 (the picture may not settle smaller than it fits).
//
// Without a usable picture (null, or a picture or hole with an empty side) the screen shows the
// overlay and the buttons only: gestures and Rotate do nothing and Save still reports to the
// delegate, with a null image, so that its owner can tell the user.
//
// Runtime methods: the ones of ImageCropperInterface.h, viewDidLoad,
// shouldAutorotateToInterfaceOrientation:, the actions and steps declared below, and the
// property getters (tag and delegate have setters too).

#include "platform/uikit/UIGestureRecognizer.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIViewController.h"
#include "tweak/cropper/ImageCropperInterface.h"

namespace ovrimo::cropper {

namespace croppersel {
using uikit::sel::viewDidLoad;
using uikit::sel::shouldAutorotateToInterfaceOrientation;
// Button actions and feedback; gesture handlers. Each takes its sender.
inline constinit Sel<void(Object*)> cancel { "cancel:" };
inline constinit Sel<void(Object*)> confirm { "confirm:" };
inline constinit Sel<void(Object*)> rotate { "rotate:" };
inline constinit Sel<void(Object*)> buttonHighlight { "buttonHighlight:" };
inline constinit Sel<void(Object*)> buttonNormal { "buttonNormal:" };
inline constinit Sel<void(Object*)> pinchView { "pinchView:" };
inline constinit Sel<void(Object*)> panView { "panView:" };
// Steps.
inline constinit Sel<void()> scaleToFitScreen { "scaleToFitScreen" };
inline constinit Sel<void()> initView { "initView" };
inline constinit Sel<void()> initControlBtn { "initControlBtn" };
inline constinit Sel<void()> overlayClipping { "overlayClipping" };
inline constinit Sel<void()> addGestureRecognizers { "addGestureRecognizers" };
inline constinit Sel<CGRect(CGRect)> handleScaleOverflow { "handleScaleOverflow:" };
inline constinit Sel<CGRect(CGRect)> handleBorderOverflow { "handleBorderOverflow:" };
inline constinit Sel<Ref<UIImage>()> getSubImage { "getSubImage" };
inline constinit Sel<Ref<UIImage>(UIImage*)> fixOrientation { "fixOrientation:" };
inline constinit Sel<Ref<UIImage>(double, UIImage*)> imageRotatedByDegreesImage { "imageRotatedByDegrees:image:" };
// Properties.
inline constinit Sel<std::int64_t()> tag { "tag" };
inline constinit Sel<void(std::int64_t)> setTag { "setTag:" };
inline constinit Sel<Ref<UIImage>()> originalImage { "originalImage" };
inline constinit Sel<Ref<UIImageView>()> showImgView { "showImgView" };
inline constinit Sel<Ref<UIView>()> overlayView { "overlayView" };
inline constinit Sel<Ref<UIView>()> ratioView { "ratioView" };
inline constinit Sel<CGRect()> cropFrame { "cropFrame" };
inline constinit Sel<CGRect()> oldFrame { "oldFrame" };
inline constinit Sel<CGRect()> largeFrame { "largeFrame" };
inline constinit Sel<CGRect()> latestFrame { "latestFrame" };
inline constinit Sel<double()> limitRatio { "limitRatio" };
inline constinit Sel<std::string()> titleString { "titleString" };
} // namespace croppersel

// Button tags, and the time a settle or a quarter turn takes.
inline constexpr NSInteger kCancelButtonTag = 111;
inline constexpr NSInteger kSaveButtonTag = 222;
inline constexpr NSInteger kRotateButtonTag = 333;
inline constexpr double kSettleSeconds = 0.3;

class VPImageCropperViewController : public UIViewController {
    OBJC_CLASS(VPImageCropperViewController)
public:
    UIImage* workingImage() const { return m_originalImage.ptr(); }
    UIImageView* pictureView() const { return m_showImgView.ptr(); }
    UIView* overlay() const { return m_overlayView.ptr(); }
    UIView* outline() const { return m_ratioView.ptr(); }
    CGRect hole() const { return m_cropFrame; }
    CGRect fittedFrame() const { return m_oldFrame; }
    CGRect largestFrame() const { return m_largeFrame; }
    CGRect settledFrame() const { return m_latestFrame; }
    Object* delegateObject() const { return m_delegate.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    Ref<Object> initWith(UIImage* image, CGRect crop, std::int64_t limit, std::string title);
    void loaded();
    bool autorotates(std::int64_t) const { return false; }

    void cancelTapped(Object* sender);
    void confirmTapped(Object* sender);
    void rotateTapped(Object* sender);
    void highlight(Object* sender);
    void unhighlight(Object* sender);
    void pinched(Object* sender);
    void panned(Object* sender);

    void fitToScreen();
    void buildViews();
    void buildButtons();
    void clipOverlay();
    void attachGestures();
    CGRect scaleOverflow(CGRect rect);
    CGRect borderOverflow(CGRect rect);
    Ref<UIImage> cutSubImage();
    Ref<UIImage> upright(UIImage* image);
    Ref<UIImage> rotated(double degrees, UIImage* image);

    // A picture with both sides and a hole with both sides: the arithmetic has something to divide by.
    bool hasPicture() const;
    // Moves the picture view to `frame` over the settle time and remembers it as settled.
    void settle(CGRect frame);
    Ref<Object> delegateRef() { return m_delegate.strong(); }
    void setDelegateValue(Object* delegate) { m_delegate = delegate; }
    std::int64_t tagValue() const { return m_tag; }
    void setTagValue(std::int64_t tag) { m_tag = tag; }
    Ref<UIImage> originalImageRef() { return m_originalImage; }
    Ref<UIImageView> showImgViewRef() { return m_showImgView; }
    Ref<UIView> overlayViewRef() { return m_overlayView; }
    Ref<UIView> ratioViewRef() { return m_ratioView; }
    CGRect cropFrameValue() const { return m_cropFrame; }
    CGRect oldFrameValue() const { return m_oldFrame; }
    CGRect largeFrameValue() const { return m_largeFrame; }
    CGRect latestFrameValue() const { return m_latestFrame; }
    double limitRatioValue() const { return m_limitRatio; }
    std::string titleStringValue() const { return m_titleString; }

    std::int64_t m_tag = 0;
    objc::WeakRef<Object> m_delegate;
    Ref<UIImage> m_originalImage;
    Ref<UIImageView> m_showImgView;
    Ref<UIView> m_overlayView;
    Ref<UIView> m_ratioView;
    CGRect m_cropFrame {};
    CGRect m_oldFrame {};
    CGRect m_largeFrame {};
    CGRect m_latestFrame {};
    double m_limitRatio = 1;
    std::string m_titleString;
};

// Registers VPImageCropperViewController (once per runtime). False, with a diagnostic, when it
// could not be registered.
bool RegisterImageCropperClass(objc::Runtime& rt);

} // namespace ovrimo::cropper
