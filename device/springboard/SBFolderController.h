#pragma once

// The controller of a folder's pages: the root folder (the home screen's pages and dock) or an
// open folder. Runtime methods: folder, contentView, isEditing, currentIconListView,
// setEditing:animated: (the root shows a Done button while editing).

#include "device/springboard/HomeScreenGeometry.h"
#include "device/springboard/SBFolderIconListView.h"
#include "platform/uikit/UIButton.h"

#include <vector>

class SBFolderController : public objc::NSObject {
    OBJC_CLASS(SBFolderController)
public:
    SBFolder* folder() const { return m_folder.ptr(); }
    UIView* contentView() const { return m_contentView.ptr(); }
    bool isEditing() const { return m_editing; }
    bool isRoot() const { return m_root; }
    // An open folder's pages.
    const std::vector<objc::Ref<SBFolderIconListView>>& listViews() const { return m_lists; }
    UIButton* doneButton() const { return m_doneButton.ptr(); }

    // The root folder's controller: the pages and the dock live in `contentView`.
    static objc::Ref<SBFolderController> makeRoot(SBFolder* folder, UIView* contentView);
    // An open folder: a panel with its name and its first page of icons.
    static objc::Ref<SBFolderController> makeForFolder(SBFolder* folder, const springboard::HomeScreenGeometry& geometry);

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBIconListView> currentIconListView() const;
    void setEditingAnimated(bool editing, bool animated);

    objc::Ref<SBFolder> m_folder;
    objc::Ref<UIView> m_contentView;
    std::vector<objc::Ref<SBFolderIconListView>> m_lists;
    objc::Ref<UIButton> m_doneButton;
    bool m_editing = false;
    bool m_root = false;
};
