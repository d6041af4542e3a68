#include "FolderSwap.h"

#include "AtomicFile.h"
#include "FileOperations.h"

#include <algorithm>
#include <vector>

namespace fs = std::filesystem;

namespace filesystem {

namespace {

constexpr const char* kStagedSuffix = "-restoring";
constexpr const char* kPreviousSuffix = "-previous";
constexpr const char* kDiscardedSuffix = "-deleting";

bool present(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool isFolder(const fs::path& path)
{
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(path, ec));
}

fs::path sibling(const fs::path& folder, const char* suffix)
{
    return folder.parent_path() / ("." + folder.filename().string() + suffix);
}

// Hard links of every regular file below `from` into `to` (made here), folders made alike; links
// are copied as links, our temporaries and anything else are left out.
bool linkTree(const fs::path& from, const fs::path& to, std::error_code& ec)
{
    if (!makeFolder(to, ec))
        return false;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    if (ec)
        return false;
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        if (isAtomicWriteTemporary(entry.filename().string()))
            continue;
        auto status = fs::symlink_status(entry, ec);
        if (ec)
            return false;
        fs::path target = to / entry.filename();
        bool ok = true;
        if (fs::is_directory(status))
            ok = linkTree(entry, target, ec);
        else if (fs::is_regular_file(status))
            ok = linkFile(entry, target, ec);
        else if (fs::is_symlink(status))
            ok = copyTree(entry, target, ec);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

FolderSwap::FolderSwap(fs::path folder)
    : m_folder(std::move(folder))
{
    while (m_folder.has_parent_path() && m_folder.filename().empty())
        m_folder = m_folder.parent_path(); // "…/Icons/" names the folder "Icons"
    m_staged = sibling(m_folder, kStagedSuffix);
    m_previous = sibling(m_folder, kPreviousSuffix);
    m_discarded = sibling(m_folder, kDiscardedSuffix);
}

bool FolderSwap::isSwapName(const std::string& name)
{
    if (name.size() < 2 || name.front() != '.')
        return false;
    for (const char* suffix : { kStagedSuffix, kPreviousSuffix, kDiscardedSuffix })
        if (name.ends_with(suffix) && name.size() > std::string(suffix).size() + 1)
            return true;
    return false;
}

bool FolderSwap::stageEmpty(std::error_code& ec)
{
    recover(); // also drops a staged folder left by a change cut short
    return makeFolder(m_staged, ec);
}

bool FolderSwap::stageCopy(std::error_code& ec)
{
    recover();
    if (present(m_folder) && !isFolder(m_folder)) {
        ec = std::make_error_code(std::errc::not_a_directory);
        return false;
    }
    if (!present(m_folder))
        return stageEmpty(ec);
    if (linkTree(m_folder, m_staged, ec))
        return true;
    std::error_code ignored;
    removeTree(m_staged, ignored);
    return false;
}

bool FolderSwap::commit(std::error_code& ec)
{
    if (!swapIn(ec))
        return false;
    finish();
    return true;
}

bool FolderSwap::swapIn(std::error_code& ec)
{
    bool hadFolder = present(m_folder);
    if (hadFolder && !isFolder(m_folder)) {
        // Whatever is there in the folder's place is not ours to replace.
        ec = std::make_error_code(std::errc::not_a_directory);
        abandon();
        return false;
    }
    if (hadFolder && !renameEntry(m_folder, m_previous, ec)) {
        abandon();
        return false;
    }
    if (!renameEntry(m_staged, m_folder, ec)) {
        std::error_code ignored;
        if (hadFolder)
            renameEntry(m_previous, m_folder, ignored);
        abandon();
        return false;
    }
    return true;
}

bool FolderSwap::swapBack(std::error_code& ec)
{
    // The new contents go back to being staged (then dropped), the old ones return.
    if (!renameEntry(m_folder, m_staged, ec))
        return false;
    if (present(m_previous) && !renameEntry(m_previous, m_folder, ec))
        return false;
    abandon();
    return true;
}

void FolderSwap::finish()
{
    // The new contents are in place: the old ones are only waste now, which `recover` also
    // removes should this be cut short.
    std::error_code ignored;
    removeTree(m_previous, ignored);
}

void FolderSwap::abandon()
{
    std::error_code ignored;
    removeTree(m_staged, ignored);
}

bool FolderSwap::discardContents(std::error_code& ec)
{
    recover();
    if (!present(m_folder))
        return true;
    if (!isFolder(m_folder)) {
        ec = std::make_error_code(std::errc::not_a_directory);
        return false;
    }
    if (!renameEntry(m_folder, m_discarded, ec))
        return false;
    std::error_code ignored;
    makeFolder(m_folder, ignored); // the folder itself stays; a later writer would make it too
    removeTree(m_discarded, ignored);
    return true;
}

void FolderSwap::recover()
{
    std::error_code ignored;
    if (present(m_previous)) {
        if (!present(m_folder))
            renameEntry(present(m_staged) ? m_staged : m_previous, m_folder, ignored);
        if (present(m_folder))
            removeTree(m_previous, ignored);
    }
    if (present(m_staged))
        removeTree(m_staged, ignored);
    if (present(m_discarded)) {
        if (!present(m_folder))
            makeFolder(m_folder, ignored);
        removeTree(m_discarded, ignored);
    }
}

} // namespace filesystem
