#include "DeviceRoot.h"

#include <algorithm>
#include <system_error>

namespace filesystem {

namespace fs = std::filesystem;

namespace {
fs::path g_root;
}

void DeviceRoot::set(const fs::path& hostFolder)
{
    std::error_code ec;
    fs::create_directories(hostFolder, ec);
    fs::path canonical = fs::weakly_canonical(hostFolder, ec);
    g_root = ec ? fs::absolute(hostFolder) : canonical;
}

const fs::path& DeviceRoot::host() { return g_root; }
bool DeviceRoot::isSet() { return !g_root.empty(); }

static bool isInside(const fs::path& path, const fs::path& root)
{
    auto [rootEnd, pathIt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

std::optional<fs::path> DeviceRoot::resolve(std::string_view devicePath)
{
    if (g_root.empty() || devicePath.empty() || devicePath.front() != '/' || devicePath.find('\0') != std::string_view::npos)
        return std::nullopt;
    // Walk the components ourselves: ".." above the device's "/" is an escape, not a clamp.
    fs::path relative;
    int depth = 0;
    for (const auto& part : fs::path(devicePath).relative_path()) {
        if (part == "." || part.empty())
            continue;
        if (part == "..") {
            if (depth == 0)
                return std::nullopt;
            relative = relative.parent_path();
            --depth;
            continue;
        }
        relative /= part;
        ++depth;
    }
    fs::path host = relative.empty() ? g_root : g_root / relative;
    // Follow the symbolic links of the parts that exist; the result must still be inside.
    std::error_code ec;
    fs::path real = fs::weakly_canonical(host, ec);
    if (ec || !isInside(real, g_root))
        return std::nullopt;
    return host;
}

std::optional<std::string> DeviceRoot::devicePathOf(const fs::path& hostPath)
{
    if (g_root.empty())
        return std::nullopt;
    std::error_code ec;
    fs::path real = fs::weakly_canonical(hostPath, ec);
    if (ec || !isInside(real, g_root))
        return std::nullopt;
    fs::path rel = real.lexically_relative(g_root);
    std::string text = rel.generic_string();
    return text == "." || text.empty() ? "/" : "/" + text;
}

} // namespace filesystem
