#include "device/springboard/SBFolderController.h"

#include "device/springboard/SBIconController.h"
#include "device/springboard/SpringBoardLabels.h"
#include "device/springboard/SpringBoardSelectors.h"
#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/MakeView.h"

#include <algorithm>

using objc::Ref;

Ref<SBFolderController> SBFolderController::makeRoot(SBFolder* folder, UIView* contentView)
{
    auto controller = objc::make<SBFolderController>();
    controller->m_folder = folder;
    controller->m_contentView = contentView;
    controller->m_root = true;
    return controller;
}

Ref<SBFolderController> SBFolderController::makeForFolder(SBFolder* folder, const springboard::HomeScreenGeometry& g)
{
    auto controller = objc::make<SBFolderController>();
    controller->m_folder = folder;
    auto content = UIView::create(CGRectMake(0, 0, g.screen.width, g.screen.height));
    content->setOpaque(false);
    CGRect panelFrame = g.folderPanelFrame();
    content->addSubview(springboard::makeLabel(CGRectMake(0, panelFrame.origin.y - 56, g.screen.width, 40), folder->displayName(), 30, true, UIColor::whiteColor().ptr(), NSTextAlignmentCenter));
    auto panel = UIView::create(panelFrame);
    panel->setBackgroundColor(UIColor::colorWithWhite(0.9, 0.92).ptr());
    panel->layer()->setCornerRadius(panelFrame.size.width * 0.12);
    content->addSubview(panel);
    auto list = uikit::makeView<SBFolderIconListView>(CGRectMake(0, 0, panelFrame.size.width, panelFrame.size.height));
    list->setIcons(folder->lists().empty() ? std::vector<Ref<SBIcon>> {} : folder->lists().front(), SBIconView::Location::Folder);
    panel->addSubview(list);
    controller->m_lists.push_back(list);
    controller->m_contentView = content;
    return controller;
}

Ref<SBIconListView> SBFolderController::currentIconListView() const
{
    return m_lists.empty() ? Ref<SBIconListView>() : Ref<SBIconListView>(m_lists.front().ptr());
}

// The original: the root folder shows a Done button while editing.
void SBFolderController::setEditingAnimated(bool editing, bool)
{
    m_editing = editing;
    if (!m_root || !m_contentView)
        return;
    if (editing && !m_doneButton) {
        const auto& g = springboard::iconController()->geometry();
        auto button = UIButton::buttonWithType(UIButtonTypeCustom);
        // In the status bar's band, left of the battery, where it covers no icon or close box.
        button->setFrame(CGRectMake(g.screen.width - 104, std::max(0.0, g.statusBarHeight - 22), 60, 20));
        button->setTitle("Done", UIControlStateNormal);
        button->setTitleColor(UIColor::whiteColor().ptr(), UIControlStateNormal);
        button->setBackgroundColor(UIColor::colorWithWhite(1, 0.3).ptr());
        button->layer()->setCornerRadius(10);
        button->titleLabel()->setFont(UIFont::boldSystemFontOfSize(13).ptr());
        button->setAccessibilityLabel("Done");
        button->addTarget(springboard::iconController(), springboard::sel::_handleDoneButton.name(), UIControlEventTouchUpInside);
        m_contentView->addSubview(button);
        m_doneButton = button;
    } else if (!editing && m_doneButton) {
        m_doneButton->removeFromSuperview();
        m_doneButton = nullptr;
    }
}

void SBFolderController::registerClass(objc::Runtime& rt)
{
    namespace sel = springboard::sel;
    objc::ClassBuilder<SBFolderController>(rt, "NSObject")
        .method(sel::folder, &SBFolderController::folder)
        .method(sel::contentView, &SBFolderController::contentView)
        .method(sel::isEditing, &SBFolderController::isEditing)
        .method(sel::currentIconListView, &SBFolderController::currentIconListView)
        .method(sel::setEditingAnimated, &SBFolderController::setEditingAnimated)
        .build();
}
