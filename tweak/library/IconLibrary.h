#pragma once

// The icon library on disk: numbered pictures directly in its root and named backup folders below
// it, beside the custom icon store. Every list is read fresh from the disk; a folder that cannot
// be read lists as empty. Paths are device paths; names are single path components.
//
// Only regular files are ever read, copied or listed as pictures to copy: a symbolic link, a FIFO
// or a folder where a picture is expected is passed over, so that no copy, delete or picture load
// leaves the library or the store, or blocks on a special file.

#include <string>
#include <vector>

namespace ovrimo::library {

inline constexpr const char* kLibraryRoot = "/var/mobile/Documents/Ovrimo/IconLibrary/";

// The first free numbered name "<root><n>.png" for n = 1 ... 49,999 (creating the root first);
// after that a random number above 50,000 that names no existing file, or "" when none was found.
std::string getNextAvailableFileName();

// Full paths of the non-folder entries of the custom icon store and of the library root, and the
// names of the library's folders.
std::vector<std::string> getCustomIconPaths();
std::vector<std::string> getIconLibraryIconPaths();
std::vector<std::string> getIconLibrarySubDirsList();

// Full paths of every entry of a library folder (whatever each is), and how many there are.
std::string subDirPath(const std::string& name);
std::vector<std::string> subDirEntryPaths(const std::string& name);

enum class EntryKind { Missing, File, Folder, Other };
// What is at `path`; give a folder's path without its trailing "/", else a link to a
// folder reads as the folder (a symbolic link itself is Other, never followed).
EntryKind entryKind(const std::string& path);

// Whether a typed backup name can name a folder directly in the library: not blank, no "/", not
// "." or "..", no control characters. Spaces count as typed.
bool isUsableFolderName(const std::string& name);
// The name with spaces and tabs trimmed from both ends.
std::string trimmedName(const std::string& name);

// Copies every custom icon (regular files only) into a new library folder `name`. The copy is
// built under a temporary name that is never listed and renamed to `name` only when complete, so
// a backup cut short is never offered; on failure nothing is left and false is answered.
bool backUpCustomIcons(const std::string& name);

// Replaces the custom icon store by the regular files of library folder `name`. The new store is
// built beside the old one and swapped in only when every copy succeeded; on failure the old
// store is left as it was and false is answered. A restore cut short between its renames is
// finished at the next start-up (RecoverInterruptedChanges).
bool restoreCustomIcons(const std::string& name);

// Whether `name` is an entry of our own making that is not yet (or no longer) one of the user's:
// a temporary of a file or folder being written. Such entries are never listed or copied.
bool isWorkInProgress(const std::string& name);

// At start-up: finishes or rolls back any change to the store or the library that a stopped
// process left half-done (a restore, an upload, an emptying), so that each holds its old contents
// or its new ones, and removes the temporaries of writers that are gone.
void RecoverInterruptedChanges();

// Removes library folder `name` with everything in it (symbolic links are removed, never
// followed). True when it is gone.
bool deleteLibraryFolder(const std::string& name);

} // namespace ovrimo::library
