#include "device/springboard/SBClockApplicationIconImageView.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardState.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/dispatch/RunLoop.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UIWindow.h"

SBClockApplicationIconImageView::~SBClockApplicationIconImageView() { stopTicking(); }

void SBClockApplicationIconImageView::startTicking()
{
    if (m_timer)
        return;
    objc::WeakRef<SBClockApplicationIconImageView> weak(this);
    m_timer = dispatch::RunLoop::main().addTimer(1'000'000'000, true, [weak] {
        if (auto* view = weak.ptr())
            springboard::sel::updateImageAnimated(view, false);
    }, "common");
}

void SBClockApplicationIconImageView::stopTicking()
{
    if (m_timer)
        dispatch::RunLoop::main().cancelTimer(m_timer);
    m_timer = 0;
}

// The original: the clock face showing the device's time, at the home screen icon size.
objc::Ref<UIImage> SBClockApplicationIconImageView::clockFaceImage()
{
    return springboard::drawClockIcon(springboard::iconImageSide(SBIcon::FormatHome), springboard::deviceLocalTime());
}

void SBClockApplicationIconImageView::didMoveToWindow()
{
    uikit::sel::didMoveToWindow.sendSuper(objc::classOf<SBClockApplicationIconImageView>(), this);
    if (window())
        startTicking();
    else
        stopTicking();
}

void SBClockApplicationIconImageView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBClockApplicationIconImageView>(rt, "SBIconImageView")
        .method(springboard::sel::contentsImage, &SBClockApplicationIconImageView::clockFaceImage)
        .method(uikit::sel::didMoveToWindow, &SBClockApplicationIconImageView::didMoveToWindow)
        .build();
}
