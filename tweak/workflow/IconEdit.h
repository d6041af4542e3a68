#pragma once

// What one edit is about: the icon whose sheet was opened, or every icon of a page. An edit is a
// value made when its sheet opens and handed along the flow: each step gets it as an argument,
// and the steps that continue later (alert answers, delayed work) keep a copy. Touched on the
// main thread only.

#include "platform/runtime/Object.h"
#include "tweak/IconStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovrimo {

// One icon of an edit with its key and its custom icon path, fixed when the edit begins.
struct IconSlot {
    // Kept for the edit's length, as a page's icons always were: the answer that comes later
    // works on the icon the sheet was opened for.
    objc::Ref<objc::Object> icon;
    IconKey key;
    std::string path;
};

struct IconEdit {
    // One slot for a single icon; a page's icons in the order its icon list gives them.
    std::vector<IconSlot> slots;
    // The single icon's display name.
    std::optional<std::string> displayName;
    // A whole page: a picture goes to the page editor and is cut across every slot.
    bool page = false;
    // The page is the visible page of an open folder.
    bool inFolder = false;
    // Tells this edit from a later one of the same icons: only the flow that opened an edit ends
    // it. 0 for no edit.
    std::uint64_t number = 0;

    // The edited icon of a single-icon edit; null for a page or no edit.
    const IconSlot* single() const { return !page && !slots.empty() ? &slots.front() : nullptr; }
    // The icon's name in questions and messages: an icon without a display name is named by its
    // key, so the text still says which.
    std::string name() const;
    // The store files of the slots that exist, in slot order. Only a key that names a file inside
    // the store has one, so a key such as "../x" never leads a move or a delete out of it.
    std::vector<std::string> existingCustomFiles() const;
};

// A new edit of one icon (its name, key and path read now).
IconEdit EditOfIcon(objc::Object* icon);
// A new edit of a page's icons (keys and paths read now, aligned with the icons).
IconEdit EditOfPage(const std::vector<objc::Ref<objc::Object>>& icons, bool inFolder);

// Which edit is open. Only the class methods whose selectors leave no room for the edit read it:
// the delegates of the picker, the cropper and the library browser, the editors' entry points, the
// web address alert and cleanupOnDimiss. Null when none is.
const IconEdit* OpenEdit();
// The open edit, or no edit (no slots) when none is.
IconEdit OpenEditOrNone();
// `edit` becomes the open one (its sheet is on screen).
void BeginEdit(const IconEdit& edit);
// The flow of `edit` ends: it is no longer open. An edit opened since is left alone.
void EndEdit(const IconEdit& edit);
// Whatever edit is open ends (the body of +[OvrimoHelper cleanupOnDimiss]).
void EndOpenEdit();

} // namespace ovrimo
