#include "device/springboard/SBFolderIconImageView.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/MakeView.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
namespace sel = springboard::sel;

Ref<objc::Object> SBFolderIconImageView::initWithFrame(CGRect frame)
{
    uikit::sel::initWithFrame.sendSuper(objc::classOf<SBFolderIconImageView>(), this, frame);
    m_contents->setHidden(true);
    CGRect inner = CGRectMake(0, 0, frame.size.width, frame.size.height);
    m_backgroundView = UIImageView::create(inner);
    m_backgroundView->setImage(springboard::drawFolderIcon({}, frame.size.width > 0 ? frame.size.width : springboard::iconImageSide(SBIcon::FormatHome)));
    addSubview(m_backgroundView);
    m_grid = uikit::makeView<_SBIconGridWrapperView>(springboard::folderGridRect(inner.size.width));
    m_grid->setElement(this);
    addSubview(m_grid);
    return Ref<objc::Object>(this);
}

void SBFolderIconImageView::setIcon(SBIcon* icon)
{
    m_icon = icon;
    m_folderIcon = dynamic_cast<SBFolderIcon*>(icon);
    sel::updateImageAnimated(this, false);
}

double SBFolderIconImageView::iconGridImageAlpha() const { return m_grid ? m_grid->alpha() : 0.0; }

void SBFolderIconImageView::setIconGridImageAlpha(double alpha)
{
    if (m_grid)
        m_grid->setAlpha(alpha);
}

Ref<UIImage> SBFolderIconImageView::contentsImage() { return sel::getIconImage(folderIcon(), SBIcon::FormatHome); }

// Updating a folder icon repositions its grid and lays the view out again.
void SBFolderIconImageView::updateImageAnimated(bool)
{
    if (m_grid)
        sel::reposition(m_grid);
    setNeedsLayout();
}

void SBFolderIconImageView::layOutPlateAndGrid()
{
    CGRect inner = bounds();
    m_contents->setFrame(inner);
    m_backgroundView->setFrame(inner);
    m_grid->setFrame(springboard::folderGridRect(inner.size.width));
    uikit::sel::layoutSubviews(m_grid);
}

void SBFolderIconImageView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBFolderIconImageView>(rt, "SBIconImageView")
        .ivar("_folderIcon", &SBFolderIconImageView::m_folderIcon)
        .method(uikit::sel::initWithFrame, &SBFolderIconImageView::initWithFrame)
        .method(sel::setIcon, &SBFolderIconImageView::setIcon)
        .method(sel::folderIcon, &SBFolderIconImageView::folderIcon)
        .method(sel::backgroundView, &SBFolderIconImageView::backgroundView)
        .method(sel::iconGridImageAlpha, &SBFolderIconImageView::iconGridImageAlpha)
        .method(sel::setIconGridImageAlpha, &SBFolderIconImageView::setIconGridImageAlpha)
        .method(sel::contentsImage, &SBFolderIconImageView::contentsImage)
        .method(sel::updateImageAnimated, &SBFolderIconImageView::updateImageAnimated)
        .method(sel::darkeningOverlayImage, &SBFolderIconImageView::darkeningOverlayImage)
        .method(uikit::sel::layoutSubviews, &SBFolderIconImageView::layOutPlateAndGrid)
        .build();
}
