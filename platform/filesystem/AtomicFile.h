#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace filesystem {

// The one way this system replaces a file: the bytes go to a temporary file of our own naming in
// the same folder (".NAME.ovrimo-tmp-PID-XXXXXX"), are flushed to disk, and the temporary is
// renamed over `hostPath`, so a reader sees either the old file or the whole new one. Missing
// folders are created. On failure no temporary file is left behind and `error` says why. Before
// writing, temporaries left in that folder by writers that have died are removed.
bool writeFileAtomically(const std::filesystem::path& hostPath, std::string_view bytes, std::string* error = nullptr);

// A free name of our own temporary naming beside `target`, for something built in place and then
// renamed over it (a copied folder).
std::filesystem::path temporarySiblingFor(const std::filesystem::path& target);

// Removes the temporaries of our own naming directly in `folder` whose writing process is gone
// (a writer killed mid-write). Those of live processes, this one included, are left alone.
void removeStaleTemporaries(const std::filesystem::path& folder);

// Whether `name` is one of our temporaries, and the process that made it.
bool isAtomicWriteTemporary(std::string_view name);
long temporaryWriterOf(std::string_view name);

// Renames `from` to `to` unless `to` exists (checked and renamed in one step where the file
// system allows it). Never replaces anything.
bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error = nullptr);

} // namespace filesystem
