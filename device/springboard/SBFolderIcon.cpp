#include "device/springboard/SBFolderIcon.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"

using objc::Ref;

namespace {
bool isAFolder(SBFolderIcon*) { return true; }
} // namespace

Ref<UIImage> SBFolderIcon::drawIconAtSide(double side)
{
    // The plate with the first page's grid cells, each asked of its icon.
    std::vector<Ref<UIImage>> cells;
    if (m_folder && !m_folder->lists().empty())
        for (const Ref<SBIcon>& icon : m_folder->lists().front())
            cells.push_back(springboard::sel::gridCellImage(icon));
    return springboard::drawFolderIcon(cells, side);
}

void SBFolderIcon::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<SBFolderIcon>(rt, "SBIcon")
        .method(springboard::sel::folder, &SBFolderIcon::folder)
        .method(springboard::sel::isFolderIcon, &isAFolder)
        .build();
}
