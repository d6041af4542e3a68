#pragma once

// How the file layer words a failed system call for its callers' optional error strings.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace filesystem::detail {

// Stores `text` where the caller asked for an error, if it asked.
inline void setError(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
}

// "WHAT PATH: the system's reason", from errno as the failed call left it.
inline std::string describeErrno(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

} // namespace filesystem::detail
