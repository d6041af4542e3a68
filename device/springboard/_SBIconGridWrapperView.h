#pragma once

// The mini grid of a folder icon: an image view whose layoutSubviews and reposition compose the
// folder's first page of grid cells. Runtime methods: element, layoutSubviews, reposition (and
// UIImageView's image, setImage:).

#include "platform/uikit/UIImageView.h"

class SBFolderIconImageView;

class _SBIconGridWrapperView : public UIImageView {
    OBJC_CLASS(_SBIconGridWrapperView)
public:
    SBFolderIconImageView* element() const;
    void setElement(SBFolderIconImageView* element);

    static void registerClass(objc::Runtime&);

private:
    void composeGrid();

    objc::WeakRef<UIView> m_element;
};
