#include "FileOperations.h"

#include "FaultInjection.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace filesystem {

namespace {

bool refused(std::error_code& ec)
{
    ec = std::error_code(errno, std::generic_category());
    return false;
}

// The names in a folder, sorted, so that every run walks a tree in the same order.
std::vector<fs::path> sortedEntries(const fs::path& folder, std::error_code& ec)
{
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace

bool makeFolder(const fs::path& folder, std::error_code& ec)
{
    ec.clear();
    if (!allowChange())
        return refused(ec);
    if (!fs::create_directory(folder, ec) && !ec)
        ec = std::make_error_code(std::errc::file_exists);
    return !ec;
}

bool makeFolders(const fs::path& folder, std::error_code& ec)
{
    ec.clear();
    if (fs::is_directory(folder, ec))
        return true;
    fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !makeFolders(parent, ec))
        return false;
    if (makeFolder(folder, ec))
        return true;
    // Another writer may have made it meanwhile (two uploads at once): a folder is what was wanted.
    std::error_code again;
    if (fs::is_directory(folder, again) && ec == std::errc::file_exists) {
        ec.clear();
        return true;
    }
    return false;
}

bool renameEntry(const fs::path& from, const fs::path& to, std::error_code& ec)
{
    ec.clear();
    if (!allowChange())
        return refused(ec);
    fs::rename(from, to, ec);
    return !ec;
}

bool removeTree(const fs::path& path, std::error_code& ec)
{
    ec.clear();
    auto status = fs::symlink_status(path, ec);
    if (ec || !fs::exists(status)) {
        bool gone = !fs::exists(status);
        ec.clear();
        return gone;
    }
    if (fs::is_directory(status)) {
        for (const fs::path& entry : sortedEntries(path, ec))
            if (!removeTree(entry, ec))
                return false;
        if (ec)
            return false;
    }
    if (!allowChange())
        return refused(ec);
    fs::remove(path, ec);
    return !ec;
}

bool copyTree(const fs::path& from, const fs::path& to, std::error_code& ec)
{
    ec.clear();
    auto status = fs::symlink_status(from, ec);
    if (ec)
        return false;
    if (fs::is_directory(status)) {
        if (!makeFolder(to, ec))
            return false;
        for (const fs::path& entry : sortedEntries(from, ec))
            if (!copyTree(entry, to / entry.filename(), ec))
                return false;
        return !ec;
    }
    if (!fs::is_symlink(status) && !fs::is_regular_file(status)) {
        ec = std::make_error_code(std::errc::not_supported);
        return false;
    }
    if (!allowChange())
        return refused(ec);
    if (fs::is_symlink(status))
        fs::copy_symlink(from, to, ec);
    else
        fs::copy_file(from, to, fs::copy_options::none, ec);
    return !ec;
}

bool linkFile(const fs::path& from, const fs::path& to, std::error_code& ec)
{
    ec.clear();
    if (!allowChange())
        return refused(ec);
    if (link(from.c_str(), to.c_str()) != 0)
        return refused(ec);
    return true;
}

} // namespace filesystem
