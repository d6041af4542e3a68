#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace filesystem {

namespace {

constexpr std::string_view temporaryMarker = ".ovrimo-tmp-";

void setError(std::string* error, std::string text)
{
    if (error)
        *error = std::move(text);
}

std::string describeErrno(const std::string& what, const fs::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

} // namespace

bool isAtomicWriteTemporary(std::string_view name) { return name.find(temporaryMarker) != std::string_view::npos; }

bool writeFileAtomically(const fs::path& hostPath, std::string_view bytes, std::string* error)
{
    if (hostPath.filename().empty()) {
        setError(error, "no file name in " + hostPath.string());
        return false;
    }
    std::error_code ec;
    fs::path folder = hostPath.parent_path();
    fs::create_directories(folder, ec);
    if (ec) {
        setError(error, "cannot create " + folder.string() + ": " + ec.message());
        return false;
    }
    std::string pattern = (folder / ("." + hostPath.filename().string() + std::string(temporaryMarker) + "XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        setError(error, describeErrno("cannot create a temporary file for", hostPath));
        return false;
    }
    auto fail = [&](const std::string& what) {
        setError(error, describeErrno(what, hostPath));
        if (fd >= 0)
            close(fd);
        unlink(pattern.c_str());
        return false;
    };
    fchmod(fd, 0644);
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
    if (rename(pattern.c_str(), hostPath.c_str()) != 0)
        return fail("cannot replace");
    return true;
}

bool renameWithoutReplacing(const fs::path& from, const fs::path& to, std::string* error)
{
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
