#include "platform/uikit/NSIndexPath.h"

using objc::Ref;
using objc::SEL;

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

void NSIndexPath::registerClass(objc::Runtime& rt)
{
    objc::Class* c = rt.registerClass<NSIndexPath>("NSObject");
    c->addClassMethod("indexPathForRow:inSection:", [](objc::Object*, SEL, NSInteger row, NSInteger section) { return indexPathForRow(row, section); });
    c->addClassMethod("indexPathForItem:inSection:", [](objc::Object*, SEL, NSInteger row, NSInteger section) { return indexPathForRow(row, section); });
    c->addMethod("section", [](NSIndexPath* self, SEL) { return self->section(); });
    c->addMethod("row", [](NSIndexPath* self, SEL) { return self->row(); });
    c->addMethod("item", [](NSIndexPath* self, SEL) { return self->item(); });
    c->addMethod("isEqual:", [](NSIndexPath* self, SEL, objc::Object* other) { return self->isEqual(dynamic_cast<NSIndexPath*>(other)); });
    c->addMethod("compare:", [](NSIndexPath* self, SEL, NSIndexPath* other) -> NSInteger { return self->compare(other); });
    c->addMethod("description", [](NSIndexPath* self, SEL) {
        return "<NSIndexPath {" + std::to_string(self->section()) + ", " + std::to_string(self->row()) + "}>";
    });
}
