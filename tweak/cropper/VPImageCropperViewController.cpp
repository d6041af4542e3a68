#include "tweak/cropper/VPImageCropperViewController.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/runtime/Diagnostics.h"
#include "platform/uikit/CAShapeLayer.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPanGestureRecognizer.h"
#include "platform/uikit/UIPinchGestureRecognizer.h"
#include "platform/uikit/UIScreen.h"
#include "tweak/cropper/CropGeometry.h"
#include "tweak/cropper/CropImages.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>

namespace ovrimo::cropper {

namespace {

inline constinit Sel<Ref<Object>()> init { "init" };

Ref<UIColor> rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

// The colour of the button with `tag`, or null for a view that is not one of the three.
Ref<UIColor> buttonColour(NSInteger tag)
{
    switch (tag) {
    case kCancelButtonTag:
        return rgb(241, 89, 74);
    case kSaveButtonTag:
        return rgb(171, 210, 94);
    case kRotateButtonTag:
        return rgb(184, 225, 242);
    default:
        return nullptr;
    }
}

// Small buttons on a phone whose screen is at most 568 points long; larger ones elsewhere.
CGSize buttonSize()
{
    UIUserInterfaceIdiom idiom = UIDevice::currentDevice()->userInterfaceIdiom();
    bool phone = idiom == UIUserInterfaceIdiomPhone || idiom == UIUserInterfaceIdiomUnspecified;
    CGSize screen = UIScreen::mainScreen()->bounds().size;
    if (phone && std::max(screen.width, screen.height) <= 568)
        return CGSizeMake(90, 40);
    return CGSizeMake(100, 50);
}

bool hasBothSides(CGSize size) { return size.width > 0 && size.height > 0; }

bool isDragging(UIGestureRecognizer* g) { return g->state() == UIGestureRecognizerStateBegan || g->state() == UIGestureRecognizerStateChanged; }

} // namespace

// Creation ---------------------------------------------------------------------------------------

Ref<Object> VPImageCropperViewController::initWith(UIImage* image, CGRect crop, std::int64_t limit, std::string title)
{
    objc::sendSuperOrZero(init, this);
    m_cropFrame = crop;
    // Below 1 the largest size would be smaller than the fitted one and every pinch would
    // shrink the picture off the hole: such a limit means no zoom beyond the fit.
    m_limitRatio = std::max(1.0, static_cast<double>(limit));
    m_originalImage = fixOrientation(image);
    m_titleString = std::move(title);
    return Ref<Object>(this);
}

bool VPImageCropperViewController::hasPicture() const
{
    return m_originalImage && m_originalImage->CGImage() && hasBothSides(m_originalImage->size()) && hasBothSides(m_cropFrame.size);
}

void VPImageCropperViewController::loaded()
{
    objc::sendSuperOrZero(croppersel::viewDidLoad, this);
    buildViews();
    buildButtons();
}

// Layout -----------------------------------------------------------------------------------------

void VPImageCropperViewController::fitToScreen()
{
    CGSize size = m_originalImage ? m_originalImage->size() : CGSizeZero;
    CGRect fitted = hasPicture() ? fitImageToCrop(size, m_cropFrame) : CGRectZero;
    m_oldFrame = fitted;
    m_latestFrame = fitted;
    m_largeFrame = CGRectMake(0, 0, m_limitRatio * fitted.size.width, m_limitRatio * fitted.size.height);
    if (m_showImgView)
        m_showImgView->setFrame(fitted);
}

void VPImageCropperViewController::buildViews()
{
    Ref<UIView> root = view();
    root->setBackgroundColor(UIColor::blackColor());

    m_showImgView = UIImageView::create();
    m_showImgView->setImage(m_originalImage);
    m_showImgView->setUserInteractionEnabled(true);
    m_showImgView->setMultipleTouchEnabled(true);
    fitToScreen();
    attachGestures();
    root->addSubview(m_showImgView);

    m_overlayView = UIView::create(root->bounds());
    m_overlayView->setBackgroundColor(UIColor::blackColor());
    m_overlayView->setAlpha(0.5);
    m_overlayView->setUserInteractionEnabled(false);
    m_overlayView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->addSubview(m_overlayView);

    m_ratioView = UIView::create(m_cropFrame);
    m_ratioView->setBackgroundColor(UIColor::clearColor());
    m_ratioView->setOpaque(false);
    m_ratioView->layer()->setBorderColor(rgb(248, 200, 48)->CGColor());
    m_ratioView->layer()->setBorderWidth(1);
    m_ratioView->setAutoresizingMask(UIViewAutoresizingNone);
    root->addSubview(m_ratioView);

    clipOverlay();
}

// The overlay shows only outside the hole: its mask is the union of the four bands around it.
void VPImageCropperViewController::clipOverlay()
{
    CGRect f = m_ratioView->frame();
    CGSize o = m_overlayView->frame().size;
    Ref<UIBezierPath> bands = UIBezierPath::bezierPath();
    bands->appendPath(UIBezierPath::bezierPathWithRect(CGRectMake(0, 0, f.origin.x, o.height)));
    bands->appendPath(UIBezierPath::bezierPathWithRect(CGRectMake(CGRectGetMaxX(f), 0, o.width - CGRectGetMaxX(f), o.height)));
    bands->appendPath(UIBezierPath::bezierPathWithRect(CGRectMake(0, 0, o.width, f.origin.y)));
    bands->appendPath(UIBezierPath::bezierPathWithRect(CGRectMake(0, CGRectGetMaxY(f), o.width, o.height - CGRectGetMaxY(f))));
    Ref<CAShapeLayer> mask = objc::make<CAShapeLayer>();
    mask->setPath(bands);
    mask->setFillColor(UIColor::blackColor()->CGColor());
    m_overlayView->layer()->setMask(mask);
}

void VPImageCropperViewController::attachGestures()
{
    Ref<UIView> root = view();
    root->addGestureRecognizer(UIGestureRecognizer::create<UIPinchGestureRecognizer>(this, croppersel::pinchView.name()));
    root->addGestureRecognizer(UIGestureRecognizer::create<UIPanGestureRecognizer>(this, croppersel::panView.name()));
}

void VPImageCropperViewController::buildButtons()
{
    Ref<UIView> root = view();
    CGSize area = root->frame().size;
    CGSize b = buttonSize();
    double y = area.height - 10 - b.height;
    struct ButtonPlace {
        const char* title;
        NSInteger tag;
        double x;
        const char* action;
    };
    const ButtonPlace places[] = {
        { "Cancel", kCancelButtonTag, 10, croppersel::cancel.name() },
        { "Save", kSaveButtonTag, area.width - 10 - b.width, croppersel::confirm.name() },
        { "Rotate", kRotateButtonTag, area.width / 2 - b.width / 2, croppersel::rotate.name() },
    };
    for (const ButtonPlace& s : places) {
        Ref<UIColor> colour = buttonColour(s.tag);
        Ref<UIButton> button = UIButton::buttonWithType(UIButtonTypeCustom);
        button->setFrame(CGRectMake(s.x, y, b.width, b.height));
        button->setTag(s.tag);
        button->setTitle(s.title, UIControlStateNormal);
        button->setTitleColor(colour, UIControlStateNormal);
        button->setTitleColor(UIColor::whiteColor(), UIControlStateHighlighted);
        UILabel* label = button->titleLabel();
        label->setFont(UIFont::boldSystemFontOfSize(18));
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setLineBreakMode(NSLineBreakByWordWrapping);
        label->setNumberOfLines(0);
        button->setTitleEdgeInsets(UIEdgeInsetsMake(5, 5, 5, 5));
        button->layer()->setCornerRadius(3);
        button->layer()->setBorderWidth(1);
        button->layer()->setBorderColor(colour->CGColor());
        button->setBackgroundColor(UIColor::clearColor());
        button->addTarget(this, s.action, UIControlEventTouchUpInside);
        button->addTarget(this, croppersel::buttonHighlight.name(), UIControlEventTouchDown);
        // A finger that drags off a button is taken over by the picture's pan, which cancels the
        // button's touch: the colour goes then too, or the button would stay lit.
        button->addTarget(this, croppersel::buttonNormal.name(), UIControlEventTouchUpInside | UIControlEventTouchUpOutside | UIControlEventTouchCancel);
        root->addSubview(button);
    }

    Ref<UILabel> title = UILabel::create(CGRectMake(area.width / 2 - 125, 60 - 40, 250, 80));
    title->setFont(UIFont::systemFontOfSize(13));
    title->setTextColor(UIColor::whiteColor());
    title->setTextAlignment(NSTextAlignmentCenter);
    title->setLineBreakMode(NSLineBreakByWordWrapping);
    title->setNumberOfLines(0);
    title->setBackgroundColor(UIColor::clearColor());
    title->setUserInteractionEnabled(false);
    title->setText(m_titleString);
    root->addSubview(title);
}

// Buttons ----------------------------------------------------------------------------------------

void VPImageCropperViewController::highlight(Object* sender)
{
    if (auto* button = dynamic_cast<UIView*>(sender))
        if (Ref<UIColor> colour = buttonColour(button->tag()))
            button->setBackgroundColor(colour);
}

void VPImageCropperViewController::unhighlight(Object* sender)
{
    if (auto* button = dynamic_cast<UIView*>(sender))
        button->setBackgroundColor(UIColor::clearColor());
}

// The delegate, when it is set and takes both messages of the protocol (a class object or an
// instance alike).
static Ref<Object> conformingDelegate(const objc::WeakRef<Object>& delegate)
{
    Ref<Object> d = delegate.strong();
    if (!d || !d->isa() || !VPImageCropperDelegate.conformanceProblem(d->isa()).empty())
        return nullptr;
    return d;
}

void VPImageCropperViewController::confirmTapped(Object*)
{
    Ref<VPImageCropperViewController> keep(this); // the delegate usually dismisses and drops us
    if (Ref<Object> d = conformingDelegate(m_delegate)) {
        Ref<UIImage> result = cutSubImage();
        imageCropperDidFinished.orZero(d, this, result.ptr());
    }
}

void VPImageCropperViewController::cancelTapped(Object*)
{
    Ref<VPImageCropperViewController> keep(this);
    if (Ref<Object> d = conformingDelegate(m_delegate))
        imageCropperDidCancel.orZero(d, this);
}

void VPImageCropperViewController::rotateTapped(Object*)
{
    if (!hasPicture() || !m_showImgView)
        return;
    Ref<UIImage> turned = rotated(90, m_originalImage);
    if (!turned)
        return;
    // The view keeps the picture it shows and turns with it; the working picture is redrawn
    // turned, so the fit and the crop see the new shape.
    Ref<UIImageView> view = m_showImgView;
    CGAffineTransform quarter = CGAffineTransformRotate(view->transform(), std::numbers::pi / 2);
    UIView::animateWithDuration(kSettleSeconds, [view, quarter] { view->setTransform(quarter); });
    m_originalImage = turned;
    fitToScreen();
}

// Gestures ---------------------------------------------------------------------------------------

void VPImageCropperViewController::settle(CGRect frame)
{
    Ref<UIImageView> view = m_showImgView;
    UIView::animateWithDuration(kSettleSeconds, [view, frame] { view->setFrame(frame); });
    m_latestFrame = frame;
}

void VPImageCropperViewController::pinched(Object* sender)
{
    auto* pinch = dynamic_cast<UIPinchGestureRecognizer*>(sender);
    if (!pinch || !hasPicture() || !m_showImgView)
        return;
    UIImageView* view = m_showImgView.ptr();
    if (isDragging(pinch)) {
        CGFloat s = pinch->scale();
        view->setTransform(CGAffineTransformScale(view->transform(), s, s));
        pinch->setScale(1);
    } else if (pinch->state() == UIGestureRecognizerStateEnded) {
        settle(borderOverflow(scaleOverflow(view->frame())));
    }
}

void VPImageCropperViewController::panned(Object* sender)
{
    auto* pan = dynamic_cast<UIPanGestureRecognizer*>(sender);
    if (!pan || !hasPicture() || !m_showImgView)
        return;
    UIImageView* view = m_showImgView.ptr();
    if (isDragging(pan)) {
        CGFloat cx = m_cropFrame.origin.x + m_cropFrame.size.width / 2;
        CGFloat cy = m_cropFrame.origin.y + m_cropFrame.size.height / 2;
        CGFloat scaleRatio = view->frame().size.width / m_cropFrame.size.width;
        CGPoint centre = view->center();
        // The further the picture's centre is from the hole's, the slower it follows.
        auto damping = [scaleRatio](CGFloat hole, CGFloat picture) {
            CGFloat reach = scaleRatio * hole;
            return reach != 0 ? 1 - std::fabs(hole - picture) / reach : 1;
        };
        CGFloat ax = damping(cx, centre.x), ay = damping(cy, centre.y);
        CGPoint t = pan->translationInView(view->superview());
        view->setCenter(CGPointMake(centre.x + t.x * ax, centre.y + t.y * ay));
        pan->setTranslation(CGPointZero, view->superview());
    } else if (pan->state() == UIGestureRecognizerStateEnded) {
        settle(borderOverflow(view->frame()));
    }
}

CGRect VPImageCropperViewController::scaleOverflow(CGRect rect) { return clampScale(rect, m_oldFrame, m_largeFrame); }

CGRect VPImageCropperViewController::borderOverflow(CGRect rect)
{
    CGRect now = m_showImgView ? m_showImgView->frame() : rect;
    return clampBorder(rect, m_cropFrame, now.size.width > now.size.height);
}

// Pictures ---------------------------------------------------------------------------------------

// The crop is computed against the bitmap's own pixels, so a picture drawn at a scale above 1
// (left as it is when already upright) is cut where it is seen.
Ref<UIImage> VPImageCropperViewController::cutSubImage()
{
    if (!hasPicture())
        return nullptr;
    CGImage* bitmap = m_originalImage->CGImage();
    CGSize pixels = CGSizeMake(double(bitmap->width()), double(bitmap->height()));
    return subImage(m_originalImage, subImageRect(m_latestFrame, m_cropFrame, pixels));
}

Ref<UIImage> VPImageCropperViewController::upright(UIImage* image) { return fixOrientation(image); }

Ref<UIImage> VPImageCropperViewController::rotated(double degrees, UIImage* image) { return imageRotatedByDegrees(degrees, image); }

// Registration -----------------------------------------------------------------------------------

void VPImageCropperViewController::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<VPImageCropperViewController>(rt, "UIViewController")
        .method(initWithImageCropFrameLimitScaleRatioTitle, &VPImageCropperViewController::initWith)
        .method(setDelegate, &VPImageCropperViewController::setDelegateValue)
        .method(delegate, &VPImageCropperViewController::delegateRef)
        .method(croppersel::viewDidLoad, &VPImageCropperViewController::loaded)
        .method(croppersel::shouldAutorotateToInterfaceOrientation, &VPImageCropperViewController::autorotates)
        .method(croppersel::cancel, &VPImageCropperViewController::cancelTapped)
        .method(croppersel::confirm, &VPImageCropperViewController::confirmTapped)
        .method(croppersel::rotate, &VPImageCropperViewController::rotateTapped)
        .method(croppersel::buttonHighlight, &VPImageCropperViewController::highlight)
        .method(croppersel::buttonNormal, &VPImageCropperViewController::unhighlight)
        .method(croppersel::pinchView, &VPImageCropperViewController::pinched)
        .method(croppersel::panView, &VPImageCropperViewController::panned)
        .method(croppersel::scaleToFitScreen, &VPImageCropperViewController::fitToScreen)
        .method(croppersel::initView, &VPImageCropperViewController::buildViews)
        .method(croppersel::initControlBtn, &VPImageCropperViewController::buildButtons)
        .method(croppersel::overlayClipping, &VPImageCropperViewController::clipOverlay)
        .method(croppersel::addGestureRecognizers, &VPImageCropperViewController::attachGestures)
        .method(croppersel::handleScaleOverflow, &VPImageCropperViewController::scaleOverflow)
        .method(croppersel::handleBorderOverflow, &VPImageCropperViewController::borderOverflow)
        .method(croppersel::getSubImage, &VPImageCropperViewController::cutSubImage)
        .method(croppersel::fixOrientation, &VPImageCropperViewController::upright)
        .method(croppersel::imageRotatedByDegreesImage, &VPImageCropperViewController::rotated)
        .method(croppersel::tag, &VPImageCropperViewController::tagValue)
        .method(croppersel::setTag, &VPImageCropperViewController::setTagValue)
        .method(croppersel::originalImage, &VPImageCropperViewController::originalImageRef)
        .method(croppersel::showImgView, &VPImageCropperViewController::showImgViewRef)
        .method(croppersel::overlayView, &VPImageCropperViewController::overlayViewRef)
        .method(croppersel::ratioView, &VPImageCropperViewController::ratioViewRef)
        .method(croppersel::cropFrame, &VPImageCropperViewController::cropFrameValue)
        .method(croppersel::oldFrame, &VPImageCropperViewController::oldFrameValue)
        .method(croppersel::largeFrame, &VPImageCropperViewController::largeFrameValue)
        .method(croppersel::latestFrame, &VPImageCropperViewController::latestFrameValue)
        .method(croppersel::limitRatio, &VPImageCropperViewController::limitRatioValue)
        .method(croppersel::titleString, &VPImageCropperViewController::titleStringValue)
        .buildSystemClass();
}

bool RegisterImageCropperClass(objc::Runtime& rt)
{
    if (!rt.getClass("VPImageCropperViewController") && rt.getClass("UIViewController"))
        VPImageCropperViewController::registerClass(rt);
    return rt.getClass("VPImageCropperViewController") != nullptr;
}

} // namespace ovrimo::cropper
