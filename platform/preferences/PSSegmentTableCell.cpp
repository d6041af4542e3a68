#include "platform/preferences/PSSegmentTableCell.h"

#include "platform/corefoundation/PropertyList.h"
#include "platform/preferences/PreferencesSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/UISegmentedControl.h"

#include <algorithm>

using objc::Object;
using objc::Ref;

namespace sel = preferences::sel;

namespace {

constexpr double kSideInset = 15;
constexpr double kControlHeight = 29;

} // namespace

void PSSegmentTableCell::showValueInSegments(Object* value)
{
    auto* segments = dynamic_cast<UISegmentedControl*>(m_control.ptr());
    Ref<PSSpecifier> row = specifier();
    if (!segments || !row)
        return;
    NSInteger selected = -1;
    if (NSArray* values = row->values())
        for (std::size_t i = 0; i < values->count(); ++i)
            if (value && corefoundation::objectsEqual(values->objectAtIndex(i), value)) {
                selected = static_cast<NSInteger>(i);
                break;
            }
    segments->setSelectedSegmentIndex(selected);
    segments->setNeedsDisplay();
}

Ref<Object> PSSegmentTableCell::initWithStyleReuseIdentifierSpecifier(NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier)
{
    Ref<Object> result = sel::initWithStyleReuseIdentifierSpecifier.sendSuper(objc::classOf<PSSegmentTableCell>(), this, style, reuseIdentifier, specifier);
    if (!result)
        return result;
    std::vector<std::string> titles;
    if (specifier && specifier->values()) {
        NSArray* values = specifier->values();
        for (std::size_t i = 0; i < values->count(); ++i)
            titles.push_back(specifier->titleForValue(values->objectAtIndex(i)));
    }
    Ref<UISegmentedControl> segments = UISegmentedControl::createWithItems(titles);
    contentView()->addSubview(segments);
    sel::setControl(this, segments.ptr());
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    return result;
}

void PSSegmentTableCell::keepValueInSegments(Object* value)
{
    sel::setValue.sendSuper(objc::classOf<PSSegmentTableCell>(), this, value);
    showValueInSegments(value);
}

// The title has no room beside the segments: the control spans the row.
void PSSegmentTableCell::layOutSegments()
{
    uikit::sel::layoutSubviews.sendSuper(objc::classOf<PSSegmentTableCell>(), this);
    textLabel()->setHidden(true);
    if (UIControl* control = m_control.ptr()) {
        CGRect bounds = contentView()->bounds();
        double height = std::min(kControlHeight, bounds.size.height);
        control->setFrame(CGRectMake(kSideInset, (bounds.size.height - height) / 2, std::max(0.0, bounds.size.width - 2 * kSideInset), height));
    }
}

Ref<Object> PSSegmentTableCell::chosenValue()
{
    auto* segments = dynamic_cast<UISegmentedControl*>(m_control.ptr());
    Ref<PSSpecifier> row = specifier();
    NSArray* values = row ? row->values() : nullptr;
    NSInteger index = segments ? segments->selectedSegmentIndex() : -1;
    if (!values || index < 0 || static_cast<std::size_t>(index) >= values->count())
        return nullptr;
    return values->objectAtIndex(static_cast<std::size_t>(index));
}

void PSSegmentTableCell::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<PSSegmentTableCell>(rt, "PSControlTableCell")
        .method(sel::initWithStyleReuseIdentifierSpecifier, &PSSegmentTableCell::initWithStyleReuseIdentifierSpecifier)
        .method(sel::setValue, &PSSegmentTableCell::keepValueInSegments)
        .method(uikit::sel::layoutSubviews, &PSSegmentTableCell::layOutSegments)
        .method(sel::controlValue, &PSSegmentTableCell::chosenValue)
        .build();
}
