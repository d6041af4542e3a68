#include "zarnekprefs/zarneklistselect/ZarnekListSelectLinkCell.h"

#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIFont.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"
#include "zarnekprefs/zarneklistselect/ZarnekListSelect.h"

using objc::Object;
using objc::Ref;

Ref<Object> ZarnekListSelectLinkCell::initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = objc::sendSuperOrZero(zarnek::sel::initWithStyleReuseIdentifierSpecifier, this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    m_valueLabel = UILabel::create(CGRectMake(0, 0, 100, 64));
    m_valueLabel->setFont(UIFont::systemFontOfSize(16));
    m_valueLabel->setTextColor(UIColor::grayColor());
    m_valueLabel->setTextAlignment(NSTextAlignmentRight);
    m_valueLabel->setNumberOfLines(1);
    contentView()->addSubview(m_valueLabel);
    return result;
}

void ZarnekListSelectLinkCell::loadValue()
{
    Ref<PSSpecifier> row = specifier();
    if (!row)
        return;
    Ref<NSDictionary> items = zarnek::propertyOfKind<NSDictionary>(row, "listItems");
    std::string domain = row->stringProperty("defaults");
    std::string enabledKey = row->stringProperty("enabledItemsKey");
    // The same reading as the list's own: a stored array counts as it is; a list read earlier
    // stays while nothing (or no array) is stored.
    if (Ref<NSMutableArray> stored = zarnek::storedList(zarnek::readStoredValue(domain, enabledKey).ptr()))
        m_enabledItems = stored;
    if (!m_enabledItems)
        m_enabledItems = zarnek::storedList(zarnek::propertyOfKind<NSArray>(row, "defaultEnabledItems").ptr());
    if (!m_enabledItems)
        m_enabledItems = NSMutableArray::make(NSArray::ofStrings(items ? items->keys() : std::vector<std::string>())->items());
}

void ZarnekListSelectLinkCell::layoutCellContents()
{
    objc::sendSuperOrZero(zarnek::sel::layoutSubviews, this);
    zarnek::sel::loadValueFromPrefs(this);
    if (!m_valueLabel)
        return;
    std::size_t count = m_enabledItems ? m_enabledItems->count() : 0;
    m_valueLabel->setText(count > 0 ? std::to_string(count) + " enabled" : "Disabled");
    CGSize content = contentView()->bounds().size;
    CGSize own = m_valueLabel->bounds().size;
    m_valueLabel->setFrame(CGRectMake(content.width - own.width - 4, (content.height - own.height) / 2, own.width, own.height));
}

void ZarnekListSelectLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekListSelectLinkCell;
    objc::ClassBuilder<Self>(rt, "PSTableCell")
        .method(zarnek::sel::initWithStyleReuseIdentifierSpecifier, &Self::initCell)
        .method(zarnek::sel::layoutSubviews, &Self::layoutCellContents)
        .method(zarnek::sel::loadValueFromPrefs, &Self::loadValue)
        .buildSystemClass();
}
