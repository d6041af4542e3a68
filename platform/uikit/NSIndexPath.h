#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

// A row in a section of a table. Immutable; equal when section and row are.
class NSIndexPath : public objc::NSObject {
    OBJC_CLASS(NSIndexPath)
public:
    // +[NSIndexPath indexPathForRow:inSection:]
    static objc::Ref<NSIndexPath> indexPathForRow(NSInteger row, NSInteger section);

    NSInteger section() const { return m_section; }
    NSInteger row() const { return m_row; }
    NSInteger item() const { return m_row; }
    bool isEqual(const NSIndexPath* other) const { return other && other->m_section == m_section && other->m_row == m_row; }
    // -1, 0 or 1 (section first, then row).
    int compare(const NSIndexPath* other) const;

    static void registerClass(objc::Runtime&);

private:
    // The implementations of the runtime methods isEqual:, compare: and description.
    bool isEqualToObject(objc::Object* other) const { return isEqual(dynamic_cast<NSIndexPath*>(other)); }
    NSInteger compareTo(NSIndexPath* other) const { return compare(other); }
    std::string description() const;

    NSInteger m_section = 0;
    NSInteger m_row = 0;
};
