#include "zarnekprefs/zarneklink/ZarnekLogoLinkCell.h"

#include "platform/runtime/ClassBuilder.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"

using objc::Object;
using objc::Ref;

Ref<Object> ZarnekLogoLinkCell::initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = zarnek::sel::initWithStyleReuseIdentifierSpecifier.sendSuper(objc::classOf<ZarnekLogoLinkCell>(), this, style, reuseIdentifier, specifier);
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

void ZarnekLogoLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekLogoLinkCell;
    namespace sel = zarnek::sel;
    objc::ClassBuilder<Self>(rt, "PSTableCell")
        .method(sel::initWithStyleReuseIdentifierSpecifier, &Self::initCell)
        .method(sel::initWithSpecifier, +[](Self* self, PSSpecifier* specifier) {
            return sel::initWithStyleReuseIdentifierSpecifier(self, static_cast<std::int64_t>(UITableViewCellStyleDefault), std::string(), specifier);
        })
        .method(sel::layoutSubviews, +[](Self* self) {
            sel::layoutSubviews.sendSuper(objc::classOf<Self>(), self);
            // The row's own icon, title and subtitle stay hidden whatever the list gave them.
            self->imageView()->setHidden(true);
            self->textLabel()->setHidden(true);
            if (self->detailTextLabel())
                self->detailTextLabel()->setHidden(true);
            // Borderless: no separator above or below the picture (where the cell draws them).
            for (const char* private_ : { "_setDrawsSeparatorAtTopOfSection:", "_setDrawsSeparatorAtBottomOfSection:" })
                if (objc::respondsToSelector(self, private_))
                    objc::msgSend(self, private_, false);
        })
        .method(sel::preferredHeightForWidth, +[](Self* self, double) -> double {
            UIImage* picture = self->m_bigImageView ? self->m_bigImageView->image() : nullptr;
            return picture ? picture->size().height : 0;
        })
        .ivar("_bigImageView", &Self::m_bigImageView)
        .build();
}
