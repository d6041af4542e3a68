#pragma once

// A folder icon's image: the plate (backgroundView) with the mini grid on it. Runtime methods:
// folderIcon, backgroundView, iconGridImageAlpha, setIconGridImageAlpha:, updateImageAnimated:,
// darkeningOverlayImage, layoutSubviews; ivar _folderIcon.

#include "device/springboard/SBFolderIcon.h"
#include "device/springboard/SBIconImageView.h"
#include "device/springboard/_SBIconGridWrapperView.h"

class SBFolderIconImageView : public SBIconImageView {
    OBJC_CLASS(SBFolderIconImageView)
public:
    SBFolderIcon* folderIcon() const { return m_folderIcon.ptr(); }
    UIImageView* backgroundView() const { return m_backgroundView.ptr(); }
    _SBIconGridWrapperView* gridWrapper() const { return m_grid.ptr(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<objc::Object> initWithFrame(CGRect frame);
    void setIcon(SBIcon* icon);
    double iconGridImageAlpha() const;
    void setIconGridImageAlpha(double alpha);
    objc::Ref<UIImage> contentsImage();
    void updateImageAnimated(bool animated);
    void layOutPlateAndGrid();

    objc::Ref<SBFolderIcon> m_folderIcon;
    objc::Ref<UIImageView> m_backgroundView;
    objc::Ref<_SBIconGridWrapperView> m_grid;
};
