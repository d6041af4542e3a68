#include "device/springboard/_SBIconGridWrapperView.h"

#include "device/springboard/IconArt.h"
#include "device/springboard/SBFolderIconImageView.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"

using objc::Ref;

SBFolderIconImageView* _SBIconGridWrapperView::element() const { return dynamic_cast<SBFolderIconImageView*>(m_element.ptr()); }
void _SBIconGridWrapperView::setElement(SBFolderIconImageView* element) { m_element = element; }

// The originals of layoutSubviews and reposition: the mini grid of the folder's first page.
void _SBIconGridWrapperView::composeGrid()
{
    Ref<SBFolderIcon> folderIcon = springboard::sel::folderIcon(element());
    std::vector<Ref<UIImage>> cells;
    SBFolder* folder = folderIcon ? folderIcon->folder() : nullptr;
    if (folder && !folder->lists().empty())
        for (auto& icon : folder->lists().front())
            cells.push_back(springboard::sel::gridCellImage(icon));
    uikit::sel::setImage(this, springboard::drawMiniGrid(cells, springboard::iconSideOf(this)));
}

void _SBIconGridWrapperView::registerClass(objc::Runtime& rt)
{
    objc::ClassBuilder<_SBIconGridWrapperView>(rt, "UIImageView")
        .method(springboard::sel::element, &_SBIconGridWrapperView::element)
        .method(uikit::sel::layoutSubviews, &_SBIconGridWrapperView::composeGrid)
        .method(springboard::sel::reposition, &_SBIconGridWrapperView::composeGrid)
        .build();
}
