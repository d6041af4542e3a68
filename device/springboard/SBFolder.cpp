#include "device/springboard/SBFolder.h"

#include "device/springboard/SBIcon.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/ClassBuilder.h"

using objc::Ref;

std::vector<Ref<SBIcon>> SBFolder::icons() const
{
    std::vector<Ref<SBIcon>> all;
    for (const Page& page : m_lists)
        all.insert(all.end(), page.begin(), page.end());
    return all;
}

Ref<NSArray> SBFolder::iconsArray() const
{
    std::vector<Ref<objc::Object>> items;
    for (auto& icon : icons())
        items.emplace_back(icon.ptr());
    return NSArray::make(std::move(items));
}

Ref<NSArray> SBFolder::listsArray() const
{
    std::vector<Ref<objc::Object>> pages;
    for (auto& page : m_lists) {
        std::vector<Ref<objc::Object>> items(page.begin(), page.end());
        pages.emplace_back(NSArray::make(std::move(items)).ptr());
    }
    return NSArray::make(std::move(pages));
}

void SBFolder::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBFolder>(rt, "NSObject")
        .method(springboard::sel::displayName, &SBFolder::displayName)
        .method(springboard::sel::setDisplayName, &SBFolder::setDisplayName)
        .method(springboard::sel::icons, &SBFolder::iconsArray)
        .method(springboard::sel::lists, &SBFolder::listsArray)
        .build();
}
