#pragma once

// A folder: a name and pages of icons (at most nine a page). Runtime methods: displayName,
// setDisplayName:, icons, lists.

#include "platform/runtime/NSObject.h"

#include <string>
#include <vector>

class NSArray;
class SBIcon;

class SBFolder : public objc::NSObject {
    OBJC_CLASS(SBFolder)
public:
    using Page = std::vector<objc::Ref<SBIcon>>;

    const std::string& displayName() const { return m_displayName; }
    void setDisplayName(std::string name) { m_displayName = std::move(name); }
    const std::vector<Page>& lists() const { return m_lists; }
    std::vector<Page>& lists() { return m_lists; }
    // Every icon of every page, in order.
    std::vector<objc::Ref<SBIcon>> icons() const;

    static void registerClass(objc::Runtime&);

private:
    // The runtime's views of icons and lists: arrays, and an array of arrays a page.
    objc::Ref<NSArray> iconsArray() const;
    objc::Ref<NSArray> listsArray() const;

    std::string m_displayName;
    std::vector<Page> m_lists;
};
