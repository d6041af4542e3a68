#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace filesystem {

// The device's file system is a folder on the host. Paths in the system are device paths
// ("/var/mobile/Documents/Ovrimo/Icons/"); this maps them under the root and refuses any path that
// would leave it, whether by ".." or by a symbolic link that points out.
class DeviceRoot {
public:
    static void set(const std::filesystem::path& hostFolder);
    static const std::filesystem::path& host();
    static bool isSet();

    // The host path for a device path, or nothing when the path is relative, empty, or leaves the
    // root; `why` then says which. The path is resolved one component at a time against the real
    // file system, as the kernel would: ".." is the parent of the folder reached so far (so
    // "missing/.." fails), and a symbolic link is followed only while it stays inside the root.
    // A link in the last component is checked but kept, so the caller can act on the link itself.
    static std::optional<std::filesystem::path> resolve(std::string_view devicePath, std::string* why = nullptr);
    // The device path of a host path inside the root ("/" for the root itself), or nothing.
    static std::optional<std::string> devicePathOf(const std::filesystem::path& hostPath);
};

} // namespace filesystem
