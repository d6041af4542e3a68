#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace filesystem {

// Replaces (or creates) `hostPath` with `bytes` so that a reader sees either the old file or the
// whole new one: the bytes go to a temporary file in the same folder, which is then renamed over
// the target. Missing folders are created. On failure no temporary file is left behind and
// `error` says why.
bool writeFileAtomically(const std::filesystem::path& hostPath, std::string_view bytes, std::string* error = nullptr);

// Renames `from` to `to` unless `to` exists (checked and renamed in one step where the file
// system allows it). Never replaces anything.
bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error = nullptr);

// Whether `name` is one of the temporary files writeFileAtomically makes.
bool isAtomicWriteTemporary(std::string_view name);

} // namespace filesystem
