#include "tweak/workflow/IconEdit.h"

#include "platform/foundation/NSFileManager.h"
#include "platform/runtime/Runtime.h"

namespace ovrimo {

// Kept with the booted device's runtime, so that it ends with the device and a new boot starts
// with no edit. A named type, not a local one: the runtime finds its state by type, and the
// library and its tests each have a copy of this code.
struct OpenEdits {
    std::optional<IconEdit> open;
    std::uint64_t made = 0;
};

namespace {

OpenEdits& edits() { return objc::Runtime::current().state<OpenEdits>(); }

IconSlot slotOf(objc::Object* icon)
{
    IconKey key = IconKeyForIcon(icon);
    std::string path = CustomIconPath(key);
    return IconSlot { icon, std::move(key), std::move(path) };
}

} // namespace

std::string IconEdit::name() const
{
    if (displayName)
        return *displayName;
    return slots.empty() ? std::string() : slots.front().key;
}

std::vector<std::string> IconEdit::existingCustomFiles() const
{
    std::vector<std::string> files;
    objc::Ref<NSFileManager> manager = NSFileManager::defaultManager();
    for (const IconSlot& slot : slots)
        if (std::optional<std::string> file = CustomIconFile(slot.key); file && manager->fileExistsAtPath(*file))
            files.push_back(*file);
    return files;
}

IconEdit EditOfIcon(objc::Object* icon)
{
    IconEdit edit;
    edit.displayName = DisplayNameForIcon(icon);
    edit.slots.push_back(slotOf(icon));
    edit.number = ++edits().made;
    return edit;
}

IconEdit EditOfPage(const std::vector<objc::Ref<objc::Object>>& icons, bool inFolder)
{
    IconEdit edit;
    edit.page = true;
    edit.inFolder = inFolder;
    for (const objc::Ref<objc::Object>& icon : icons)
        edit.slots.push_back(slotOf(icon));
    edit.number = ++edits().made;
    return edit;
}

const IconEdit* OpenEdit()
{
    const std::optional<IconEdit>& open = edits().open;
    return open ? &*open : nullptr;
}

IconEdit OpenEditOrNone()
{
    const IconEdit* open = OpenEdit();
    return open ? *open : IconEdit {};
}

void BeginEdit(const IconEdit& edit) { edits().open = edit; }

void EndEdit(const IconEdit& edit)
{
    std::optional<IconEdit>& open = edits().open;
    if (open && open->number == edit.number)
        open.reset();
}

void EndOpenEdit() { edits().open.reset(); }

} // namespace ovrimo
