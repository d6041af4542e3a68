#include "DeviceRoot.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace filesystem {

namespace fs = std::filesystem;

namespace {

fs::path g_root;

// More links than this in one path is a loop, as the kernel's limit says.
constexpr int maximumLinks = 40;

bool isInside(const fs::path& path, const fs::path& root)
{
    auto [rootEnd, pathIt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

std::deque<std::string> componentsOf(std::string_view text)
{
    std::deque<std::string> parts;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('/', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string part(text.substr(at, end - at));
        if (!part.empty() && part != ".")
            parts.push_back(std::move(part));
        at = end + 1;
    }
    return parts;
}

std::optional<std::string> linkTarget(const fs::path& link)
{
    std::string target(4096, '\0');
    ssize_t length = readlink(link.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size())
        return std::nullopt;
    target.resize(static_cast<std::size_t>(length));
    return target;
}

// Walks `pending` from `current` (a real folder inside the root), following every link, and
// leaves in `current` where it ends. `keepLast` stops before following a link in the last part.
bool walk(fs::path& current, std::deque<std::string> pending, const std::string& devicePath, bool keepLast, std::string* why)
{
    auto refuse = [&](std::string text) {
        if (why)
            *why = std::move(text);
        return false;
    };
    int links = 0;
    bool throughLink = false; // a link's text is being walked: climbing out is the link's doing
    bool missing = false; // a part did not exist: what follows is only named, never looked at
    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == "..") {
            if (missing)
                return refuse(devicePath + " goes through a folder that does not exist");
            if (current == g_root)
                return refuse(devicePath + (throughLink ? " is a link that leaves the device root" : " leaves the device root"));
            current = current.parent_path();
            continue;
        }
        fs::path next = current / part;
        if (missing) {
            current = next;
            continue;
        }
        struct stat info {};
        if (lstat(next.c_str(), &info) != 0) {
            if (errno != ENOENT && errno != ENOTDIR)
                return refuse(devicePath + " cannot be looked up");
            missing = true;
            current = next;
            continue;
        }
        if (!S_ISLNK(info.st_mode) || (keepLast && pending.empty())) {
            if (!pending.empty() && !S_ISDIR(info.st_mode))
                return refuse(devicePath + " goes through " + part + ", which is not a folder");
            current = next;
            continue;
        }
        if (++links > maximumLinks)
            return refuse(devicePath + " has too many levels of symbolic links");
        auto target = linkTarget(next);
        if (!target || target->empty())
            return refuse(devicePath + " holds a link that cannot be read");
        // A link's own text is followed inside the root: an absolute target must name a place
        // in the root's host folder, a relative one climbs from the link's folder.
        std::deque<std::string> expanded;
        if (target->front() == '/') {
            fs::path absolute = fs::path(*target).lexically_normal();
            if (!isInside(absolute, g_root))
                return refuse(devicePath + " is a link that leaves the device root");
            current = g_root;
            expanded = componentsOf(absolute.lexically_relative(g_root).generic_string());
        } else {
            expanded = componentsOf(*target);
        }
        for (auto it = expanded.rbegin(); it != expanded.rend(); ++it)
            pending.push_front(*it);
        throughLink = true;
    }
    return true;
}

} // namespace

void DeviceRoot::set(const fs::path& hostFolder)
{
    std::error_code ec;
    fs::create_directories(hostFolder, ec);
    fs::path canonical = fs::weakly_canonical(hostFolder, ec);
    g_root = ec ? fs::absolute(hostFolder) : canonical;
}

const fs::path& DeviceRoot::host() { return g_root; }
bool DeviceRoot::isSet() { return !g_root.empty(); }

std::optional<fs::path> DeviceRoot::resolve(std::string_view devicePath, std::string* why)
{
    auto refuse = [&](std::string text) -> std::optional<fs::path> {
        if (why)
            *why = std::move(text);
        return std::nullopt;
    };
    if (g_root.empty())
        return refuse("no device root");
    if (devicePath.empty() || devicePath.front() != '/' || devicePath.find('\0') != std::string_view::npos)
        return refuse("\"" + std::string(devicePath.substr(0, devicePath.find('\0'))) + "\" is not an absolute device path");
    std::string path(devicePath);
    std::deque<std::string> parts = componentsOf(devicePath);
    fs::path current = g_root;
    if (!walk(current, parts, path, true, why))
        return std::nullopt;
    // A link in the last part is kept, but where it leads must be inside too.
    struct stat info {};
    if (current != g_root && lstat(current.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        fs::path followed = current.parent_path();
        if (!walk(followed, { current.filename().string() }, path, false, why))
            return std::nullopt;
    }
    return current;
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
