#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace filesystem {

// The whole contents of a regular file, refusing files larger than `limit` bytes.
std::optional<std::string> readWholeFile(const std::filesystem::path& hostPath, std::size_t limit, std::string* error = nullptr);

} // namespace filesystem
