#pragma once

// The clock app's icon image: contentsImage is the clock face at the device time, redrawn every
// second while the view is in a window (didMoveToWindow starts and stops the timer).

#include "device/springboard/SBIconImageView.h"

#include <cstdint>

class SBClockApplicationIconImageView : public SBIconImageView {
    OBJC_CLASS(SBClockApplicationIconImageView)
public:
    ~SBClockApplicationIconImageView() override;
    static void registerClass(objc::Runtime&);

private:
    objc::Ref<UIImage> clockFaceImage();
    void didMoveToWindow();
    void startTicking();
    void stopTicking();
    std::uint64_t m_timer = 0;
};
