#include "AtomicFile.h"

#include "ErrorText.h"
#include "FaultInjection.h"
#include "FileOperations.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace filesystem {

using detail::describeErrno;
using detail::setError;

namespace {

constexpr std::string_view temporaryMarker = ".ovrimo-tmp-";

// ".NAME.ovrimo-tmp-PID-": what every temporary for `target` starts with in this process.
std::string temporaryPrefix(const fs::path& target)
{
    return "." + target.filename().string() + std::string(temporaryMarker) + std::to_string(getpid()) + "-";
}

bool processIsGone(long pid)
{
    return pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

long temporaryWriterOf(std::string_view name)
{
    std::size_t at = name.rfind(temporaryMarker);
    if (at == std::string_view::npos || name.empty() || name.front() != '.')
        return 0;
    std::string_view rest = name.substr(at + temporaryMarker.size());
    long pid = 0;
    auto [end, problem] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (problem != std::errc() || end == rest.data() || end == rest.data() + rest.size() || *end != '-')
        return 0;
    return pid;
}

bool isAtomicWriteTemporary(std::string_view name) { return temporaryWriterOf(name) > 0; }

void removeStaleTemporaries(const fs::path& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        long writer = temporaryWriterOf(name);
        if (writer == 0 || writer == getpid() || !processIsGone(writer))
            continue;
        std::error_code ignored;
        removeTree(it->path(), ignored); // a symbolic link is removed itself, never followed
    }
}

fs::path temporarySiblingFor(const fs::path& target)
{
    static std::atomic<unsigned long> counter { 0 };
    std::error_code ec;
    for (;;) {
        fs::path candidate = target.parent_path() / (temporaryPrefix(target) + "copy" + std::to_string(counter++));
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

bool writeFileAtomically(const fs::path& hostPath, std::string_view bytes, std::string* error)
{
    if (hostPath.filename().empty()) {
        setError(error, "no file name in " + hostPath.string());
        return false;
    }
    std::error_code ec;
    fs::path folder = hostPath.parent_path().empty() ? fs::path(".") : hostPath.parent_path();
    if (!makeFolders(folder, ec)) {
        setError(error, "cannot create " + folder.string() + ": " + ec.message());
        return false;
    }
    removeStaleTemporaries(folder);
    std::string pattern = (folder / (temporaryPrefix(hostPath) + "XXXXXX")).string();
    int fd = allowChange() ? mkstemp(pattern.data()) : -1;
    if (fd < 0) {
        setError(error, describeErrno("cannot create a temporary file for", hostPath));
        return false;
    }
    auto fail = [&](const std::string& what) {
        setError(error, describeErrno(what, hostPath));
        if (fd >= 0)
            close(fd);
        if (allowChange())
            unlink(pattern.c_str());
        return false;
    };
    fchmod(fd, 0644);
    if (!allowChange())
        return fail("cannot write");
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t written = write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail("cannot write");
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (fsync(fd) != 0)
        return fail("cannot flush");
    int closed = close(fd);
    fd = -1;
    if (closed != 0)
        return fail("cannot close");
    if (!allowChange() || rename(pattern.c_str(), hostPath.c_str()) != 0)
        return fail("cannot replace");
    return true;
}

bool renameWithoutReplacing(const fs::path& from, const fs::path& to, std::string* error)
{
    if (!allowChange()) {
        setError(error, describeErrno("cannot rename " + from.string() + " to", to));
        return false;
    }
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        setError(error, describeErrno("cannot rename " + from.string() + " to", to));
        return false;
    }
    // The file system cannot rename without replacing in one step: check, then rename.
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) {
        errno = EEXIST;
        setError(error, describeErrno("cannot rename " + from.string() + " to", to));
        return false;
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        setError(error, describeErrno("cannot rename " + from.string() + " to", to));
        return false;
    }
    return true;
}

} // namespace filesystem
