#pragma once

// The icon of a folder, drawn as a plate with its first page's grid cells. Adds folder;
// isFolderIcon answers yes.

#include "device/springboard/SBFolder.h"
#include "device/springboard/SBIcon.h"

class SBFolderIcon : public SBIcon {
    OBJC_CLASS(SBFolderIcon)
public:
    SBFolderIcon() = default;
    explicit SBFolderIcon(SBFolder* folder)
        : m_folder(folder)
    {
    }
    SBFolder* folder() const { return m_folder.ptr(); }

    objc::Ref<UIImage> drawIconAtSide(double side) override;
    std::string defaultDisplayName() const override { return m_folder ? m_folder->displayName() : std::string(); }
    std::string identifier() const override { return m_folder ? "folder:" + m_folder->displayName() : std::string(); }

    static void registerClass(objc::Runtime&);

private:
    objc::Ref<SBFolder> m_folder;
};
