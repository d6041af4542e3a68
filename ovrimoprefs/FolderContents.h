#pragma once

// Counting, sizing and emptying the two icon folders, through the platform's file manager.
// Folder paths end in "/". Nothing here follows a symbolic link: links are counted and removed
// as themselves, and a folder that is itself a link is never emptied.

#include <cstdint>
#include <string>
#include <vector>

namespace ovrimoprefs {

// Temporaries of files being written (by this process or one that stopped) are not the user's:
// they are never counted, sized or listed as left over.

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
// Removes everything inside `folder` in one step: the folder is renamed aside, an empty one takes
// its place and the old one is removed, so a stop half-way leaves the old contents or none, never
// a part (the home screen's start-up removes what a stop left aside). A folder that is missing is
// already empty; one that is a link, or not a folder at all, is refused.
EmptyingResult EmptyFolder(const std::string& folder);

} // namespace ovrimoprefs
