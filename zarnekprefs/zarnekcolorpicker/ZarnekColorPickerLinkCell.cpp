#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPickerLinkCell.h"

#include "platform/corefoundation/NSString.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIFont.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"
#include "zarnekprefs/zarnekcolorpicker/UIColor+ZarnekHex.h"

using objc::Object;
using objc::Ref;

Ref<Object> ZarnekColorPickerLinkCell::initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = objc::sendSuperOrZero(zarnek::sel::initWithStyleReuseIdentifierSpecifier, this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    m_valueLabel = UILabel::create(CGRectMake(0, 0, 100, 32));
    m_valueLabel->setFont(UIFont::systemFontOfSize(12));
    m_valueLabel->setTextColor(UIColor::colorWithWhite(0.8, 1));
    m_valueLabel->setTextAlignment(NSTextAlignmentRight);
    m_valueLabel->setHidden(true);
    contentView()->addSubview(m_valueLabel);
    m_thumbnailView = UIImageView::create(CGRectMake(0, 0, 24, 24));
    m_thumbnailView->layer()->setBorderColor(UIColor::colorWithWhite(0.8, 1)->CGColor());
    m_thumbnailView->setHidden(true);
    contentView()->addSubview(m_thumbnailView);
    return result;
}

void ZarnekColorPickerLinkCell::loadColorValue()
{
    Ref<PSSpecifier> row = specifier();
    if (!row)
        return;
    std::string key = row->stringProperty("key");
    m_appID = row->stringProperty("defaults");
    // Only a string is a colour; anything else stored there leaves the last value (or the default).
    if (auto* stored = dynamic_cast<NSString*>(zarnek::readStoredValue(m_appID, key).ptr()))
        m_selectedColor = stored->value();
    if (m_selectedColor.empty())
        m_selectedColor = row->stringProperty("default");
}

void ZarnekColorPickerLinkCell::layoutCellContents()
{
    objc::sendSuperOrZero(zarnek::sel::layoutSubviews, this);
    zarnek::sel::loadColorValueFromPrefs(this);
    if (!m_thumbnailView || !m_valueLabel)
        return;
    if (!m_selectedColor.empty() && m_selectedColor[0] == '#') {
        m_valueLabel->setHidden(true);
        m_thumbnailView->setImage(zarnek::thumbnailWithSize(zarnek::colorFromHexString(m_selectedColor), m_thumbnailView->bounds().size));
        m_thumbnailView->setHidden(false);
        m_thumbnailView->layer()->setBorderWidth(m_selectedColor == "#FFFFFF" ? 1 : 0);
    } else {
        m_thumbnailView->setHidden(true);
        m_valueLabel->setHidden(false);
        m_valueLabel->setText(m_selectedColor);
    }
    CGSize content = contentView()->bounds().size;
    for (UIView* view : { static_cast<UIView*>(m_valueLabel.ptr()), static_cast<UIView*>(m_thumbnailView.ptr()) }) {
        CGSize own = view->bounds().size;
        view->setFrame(CGRectMake(content.width - own.width - 4, (content.height - own.height) / 2, own.width, own.height));
    }
}

namespace {

std::string linkCellSelectedColor(ZarnekColorPickerLinkCell* self) { return self->selectedColor(); }

} // namespace

void ZarnekColorPickerLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekColorPickerLinkCell;
    objc::ClassBuilder<Self>(rt, "PSTableCell")
        .method(zarnek::sel::initWithStyleReuseIdentifierSpecifier, &Self::initCell)
        .method(zarnek::sel::layoutSubviews, &Self::layoutCellContents)
        .method(zarnek::sel::loadColorValueFromPrefs, &Self::loadColorValue)
        .method(zarnek::sel::selectedColor, &linkCellSelectedColor)
        .buildSystemClass();
}
