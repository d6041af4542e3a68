#include "zarnekprefs/zarneklink/ZarnekLogoLinkCell.h"

#include "platform/runtime/ClassBuilder.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"

using objc::Object;
using objc::Ref;

Ref<Object> ZarnekLogoLinkCell::initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = objc::sendSuperOrZero(zarnek::sel::initWithStyleReuseIdentifierSpecifier, this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    setBackgroundColor(UIColor::clearColor());
    Ref<UIImage> picture = zarnek::propertyOfKind<UIImage>(specifier, "iconImage");
    CGRect area = contentView()->bounds();
    m_bigImageView = UIImageView::createWithImage(picture);
    // 15 points taller above and below than the row it sizes: the picture, fitted, is drawn that
    // much larger and reaches into the group's margins.
    m_bigImageView->setFrame(CGRectMake(area.origin.x, area.origin.y - 15, area.size.width, area.size.height + 30));
    m_bigImageView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    m_bigImageView->setContentMode(UIViewContentModeScaleAspectFit);
    contentView()->addSubview(m_bigImageView);
    imageView()->setHidden(true);
    textLabel()->setHidden(true);
    if (detailTextLabel())
        detailTextLabel()->setHidden(true);
    return result;
}

namespace {

Ref<Object> initWithSpecifier(ZarnekLogoLinkCell* self, PSSpecifier* specifier)
{
    return zarnek::sel::initWithStyleReuseIdentifierSpecifier(self, static_cast<std::int64_t>(UITableViewCellStyleDefault), std::string(), specifier);
}

void layOut(ZarnekLogoLinkCell* self)
{
    objc::sendSuperOrZero(zarnek::sel::layoutSubviews, self);
    // The row's own icon, title and subtitle stay hidden whatever the list gave them.
    self->imageView()->setHidden(true);
    self->textLabel()->setHidden(true);
    if (self->detailTextLabel())
        self->detailTextLabel()->setHidden(true);
    // Borderless: no separator above or below the picture (where the cell draws them).
    for (const char* private_ : { "_setDrawsSeparatorAtTopOfSection:", "_setDrawsSeparatorAtBottomOfSection:" })
        if (objc::respondsToSelector(self, private_))
            objc::msgSend(self, private_, false);
}

// As tall as the picture, whatever the width.
double pictureHeight(ZarnekLogoLinkCell* self, double)
{
    UIImage* picture = self->bigImageView() ? self->bigImageView()->image() : nullptr;
    return picture ? picture->size().height : 0;
}

} // namespace

void ZarnekLogoLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekLogoLinkCell;
    namespace sel = zarnek::sel;
    objc::ClassBuilder<Self>(rt, "PSTableCell")
        .method(sel::initWithStyleReuseIdentifierSpecifier, &Self::initCell)
        .method(sel::initWithSpecifier, &initWithSpecifier)
        .method(sel::layoutSubviews, &layOut)
        .method(sel::preferredHeightForWidth, &pictureHeight)
        .ivar("_bigImageView", &Self::m_bigImageView)
        .buildSystemClass();
}
