#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelectLinkCell.h"

#include "platform/corefoundation/NSDate.h"
#include "platform/corefoundation/NSString.h"
#include "platform/corefoundation/StringFormat.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIFont.h"
#include "zarnekprefs/ZarnekPrefsSupport.h"
#include "zarnekprefs/ZarnekSelectors.h"
#include "zarnekprefs/zarnektimerange/ZarnekTimeRangeSelect.h"

using objc::Object;
using objc::Ref;

Ref<Object> ZarnekTimeRangeSelectLinkCell::initCell(std::int64_t style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = objc::sendSuperOrZero(zarnek::sel::initWithStyleReuseIdentifierSpecifier, this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    m_valueLabel = UILabel::create(CGRectMake(0, 0, 100, 64));
    m_valueLabel->setFont(UIFont::systemFontOfSize(16));
    m_valueLabel->setTextColor(UIColor::colorWithRed(0, 122 / 255.0, 1.0, 1.0));
    m_valueLabel->setTextAlignment(NSTextAlignmentRight);
    m_valueLabel->setNumberOfLines(2);
    contentView()->addSubview(m_valueLabel);
    return result;
}

void ZarnekTimeRangeSelectLinkCell::loadValue()
{
    Ref<PSSpecifier> row = specifier();
    if (!row)
        return;
    if (Ref<NSMutableDictionary> stored = zarnek::validTimeRange(zarnek::readStoredValue(row->stringProperty("defaults"), row->stringProperty("key")).ptr()))
        m_selectedTimeRange = stored;
    if (!m_selectedTimeRange)
        m_selectedTimeRange = zarnek::validTimeRange(row->propertyForKey("defaultTime").ptr());
}

void ZarnekTimeRangeSelectLinkCell::layoutCellContents()
{
    objc::sendSuperOrZero(zarnek::sel::layoutSubviews, this);
    zarnek::sel::loadValueFromPrefs(this);
    if (!m_valueLabel)
        return;
    std::string text;
    if (m_selectedTimeRange) {
        Ref<NSDateFormatter> formatter = zarnek::shortTimeFormatter();
        auto* from = dynamic_cast<NSDate*>(m_selectedTimeRange->objectForKey("from"));
        auto* to = dynamic_cast<NSDate*>(m_selectedTimeRange->objectForKey("to"));
        if (from && to)
            text = corefoundation::stringWithFormat("%@ \n %@", NSString::make(formatter->stringFromDate(*from)).ptr(), NSString::make(formatter->stringFromDate(*to)).ptr());
    }
    m_valueLabel->setText(text);
    CGSize content = contentView()->bounds().size;
    CGSize own = m_valueLabel->bounds().size;
    m_valueLabel->setFrame(CGRectMake(content.width - own.width - 4, (content.height - own.height) / 2, own.width, own.height));
}

void ZarnekTimeRangeSelectLinkCell::registerClass(objc::Runtime& rt)
{
    using Self = ZarnekTimeRangeSelectLinkCell;
    objc::ClassBuilder<Self>(rt, "PSTableCell")
        .method(zarnek::sel::initWithStyleReuseIdentifierSpecifier, &Self::initCell)
        .method(zarnek::sel::layoutSubviews, &Self::layoutCellContents)
        .method(zarnek::sel::loadValueFromPrefs, &Self::loadValue)
        .buildSystemClass();
}
