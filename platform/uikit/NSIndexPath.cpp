#include "platform/uikit/NSIndexPath.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;
namespace sel = uikit::sel;

Ref<NSIndexPath> NSIndexPath::indexPathForRow(NSInteger row, NSInteger section)
{
    auto path = objc::make<NSIndexPath>();
    path->m_row = row;
    path->m_section = section;
    return path;
}

int NSIndexPath::compare(const NSIndexPath* other) const
{
    if (!other)
        return 1;
    if (m_section != other->m_section)
        return m_section < other->m_section ? -1 : 1;
    if (m_row != other->m_row)
        return m_row < other->m_row ? -1 : 1;
    return 0;
}

std::string NSIndexPath::description() const { return "<NSIndexPath {" + std::to_string(m_section) + ", " + std::to_string(m_row) + "}>"; }

void NSIndexPath::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<NSIndexPath>(rt, "NSObject")
        .classMethod(sel::indexPathForRowInSection, &NSIndexPath::indexPathForRow)
        .classMethod(sel::indexPathForItemInSection, &NSIndexPath::indexPathForRow)
        .method(sel::section, &NSIndexPath::section)
        .method(sel::row, &NSIndexPath::row)
        .method(sel::item, &NSIndexPath::item)
        .method(sel::isEqual, &NSIndexPath::isEqualToObject)
        .method(sel::compare, &NSIndexPath::compareTo)
        .method(sel::description, &NSIndexPath::description)
        .build();
}
