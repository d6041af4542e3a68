#pragma once

// A folder whose contents are replaced or emptied as a whole, so that a reader — and a process
// started after a crash — finds either the old contents or the new ones, never a mix.
//
// Beside folder "NAME" live, only while a change is under way:
//   ".NAME-restoring"  the new contents being built;
//   ".NAME-previous"   the old folder, between the two renames that swap the new one in;
//   ".NAME-deleting"   old contents set aside to be removed.
// The new contents are complete before the old folder is renamed away, so `recover` can always
// tell which way to finish: a process that died before the swap began left only a partial
// ".NAME-restoring" (dropped); one that died between the renames left the whole new set (moved in);
// one that died after them left only the old folder to remove.

#include <filesystem>
#include <string>
#include <system_error>

namespace filesystem {

class FolderSwap {
public:
    explicit FolderSwap(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return m_folder; }
    const std::filesystem::path& staged() const { return m_staged; }

    // Starts the new contents: an empty folder, or one holding a second name (a hard link) of
    // every file of the folder as it is, subfolders alike, for a change of a few files in a large
    // folder. Files are only ever replaced by renaming, so the old and new sets never share a
    // change. Our own temporaries are not carried over. Leftovers of an earlier change are
    // finished first.
    bool stageEmpty(std::error_code& ec);
    bool stageCopy(std::error_code& ec);
    // Puts the staged contents in place of the folder and removes the old ones. On failure (also
    // when something other than a folder stands in the folder's place) the folder is as it was
    // and the staged contents are dropped.
    bool commit(std::error_code& ec);
    // The same in two halves, for changes of several folders that must all go in or none:
    // `swapIn` renames (the old contents kept aside), `swapBack` undoes it, `finish` removes the
    // old contents. A stop after `swapIn` keeps the new contents.
    bool swapIn(std::error_code& ec);
    bool swapBack(std::error_code& ec);
    void finish();
    // Drops the staged contents.
    void abandon();

    // Empties the folder in one step: it is renamed aside, a new empty folder is made in its
    // place, and the old one is removed. False (nothing changed) when the folder is not a folder.
    bool discardContents(std::error_code& ec);

    // Finishes or rolls back what a change cut short left behind.
    void recover();

    // Whether `name` is one of the names above, for listings that must not show them.
    static bool isSwapName(const std::string& name);

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_staged;
    std::filesystem::path m_previous;
    std::filesystem::path m_discarded;
};

} // namespace filesystem
