#include "platform/preferences/PSSegmentTableCell.h"

#include "platform/corefoundation/PropertyList.h"
#include "platform/uikit/UISegmentedControl.h"

using objc::Class;
using objc::msgSend;
using objc::Object;
using objc::Ref;
using objc::SEL;

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

void PSSegmentTableCell::registerClass(objc::Runtime& rt)
{
    Class* c = rt.registerClass<PSSegmentTableCell>("PSControlTableCell");
    c->addMethod("initWithStyle:reuseIdentifier:specifier:", [c](PSSegmentTableCell* self, SEL, NSInteger style, std::string reuseIdentifier, PSSpecifier* specifier) {
        Ref<Object> result = objc::msgSendSuper<Ref<Object>>(c, self, "initWithStyle:reuseIdentifier:specifier:", style, reuseIdentifier, specifier);
        if (!result)
            return result;
        std::vector<std::string> titles;
        if (specifier && specifier->values()) {
            NSArray* values = specifier->values();
            for (std::size_t i = 0; i < values->count(); ++i)
                titles.push_back(specifier->titleForValue(values->objectAtIndex(i)));
        }
        Ref<UISegmentedControl> segments = UISegmentedControl::createWithItems(titles);
        self->contentView()->addSubview(segments);
        msgSend(self, "setControl:", segments.ptr());
        self->setSelectionStyle(UITableViewCellSelectionStyleNone);
        return result;
    });
    c->addMethod("setValue:", [c](PSSegmentTableCell* self, SEL, Object* value) {
        objc::msgSendSuper(c, self, "setValue:", value);
        self->showValueInSegments(value);
    });
    // The title has no room beside the segments: the control spans the row.
    c->addMethod("layoutSubviews", [c](PSSegmentTableCell* self, SEL) {
        objc::msgSendSuper(c, self, "layoutSubviews");
        self->textLabel()->setHidden(true);
        if (UIControl* control = self->m_control.ptr()) {
            CGRect bounds = self->contentView()->bounds();
            double height = std::min(kControlHeight, bounds.size.height);
            control->setFrame(CGRectMake(kSideInset, (bounds.size.height - height) / 2, std::max(0.0, bounds.size.width - 2 * kSideInset), height));
        }
    });
    c->addMethod("controlValue", [](PSSegmentTableCell* self, SEL) {
        auto* segments = dynamic_cast<UISegmentedControl*>(self->m_control.ptr());
        Ref<PSSpecifier> row = self->specifier();
        NSArray* values = row ? row->values() : nullptr;
        NSInteger index = segments ? segments->selectedSegmentIndex() : -1;
        if (!values || index < 0 || static_cast<std::size_t>(index) >= values->count())
            return Ref<Object>();
        return Ref<Object>(values->objectAtIndex(static_cast<std::size_t>(index)));
    });
}
