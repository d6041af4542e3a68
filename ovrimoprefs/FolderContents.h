#pragma once

// Counting, sizing and emptying the two icon folders, through the platform's file manager.
// Folder paths end in "/". Nothing here follows a symbolic link: links are counted and removed
// as themselves, and a folder that is itself a link is never emptied.

#include <cstdint>
#include <string>
#include <vector>

namespace ovrimoprefs {

// The number of entries directly inside `folder` (files, hidden files and subfolders alike);
// 0 when it is missing or cannot be listed.
int CountEntries(const std::string& folder);
// The number of non-directory entries at any depth below `folder` (an entry that is gone by the
// time it is looked at still counts).
int CountFilesBelow(const std::string& folder);
// The sum of the reported sizes of every entry at any depth below `folder`, folders included.
std::int64_t TotalSizeBelow(const std::string& folder);
// TotalSizeBelow as the platform's file-style byte count ("Zero KB", "12 KB").
std::string SizeText(const std::string& folder);

// What an emptying left behind: the names still inside the folder (empty when it is empty), or
// why nothing was attempted.
struct EmptyingResult {
    std::vector<std::string> leftOver;
    std::string refused;
    bool succeeded() const { return leftOver.empty() && refused.empty(); }
};
// Removes each entry listed directly inside `folder` (a subfolder with its contents).
EmptyingResult RemoveEntries(const std::string& folder);
// Removes every path listed at any depth below `folder`, in listing order (entries of a folder
// already removed simply fail).
EmptyingResult RemoveSubpaths(const std::string& folder);

} // namespace ovrimoprefs
