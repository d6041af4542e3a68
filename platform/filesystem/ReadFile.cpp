#include "ReadFile.h"

#include "ErrorText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace filesystem {

using detail::describeErrno;
using detail::setError;

std::optional<std::string> readWholeFile(const fs::path& hostPath, std::size_t limit, std::string* error)
{
    // Opened without blocking, so that a FIFO or a device at the path is refused at once instead
    // of waiting for a writer; for a regular file the flag changes nothing.
    int fd = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        setError(error, describeErrno("cannot open", hostPath));
        return std::nullopt;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        setError(error, hostPath.string() + " is not a regular file");
        return std::nullopt;
    }
    if (static_cast<std::size_t>(info.st_size) > limit) {
        close(fd);
        setError(error, hostPath.string() + " is larger than " + std::to_string(limit) + " bytes");
        return std::nullopt;
    }
    // Read straight into a string of the file's size (one more byte shows a file that grew).
    std::string contents;
    contents.reserve(static_cast<std::size_t>(info.st_size) + 1);
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            setError(error, describeErrno("cannot read", hostPath));
            close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(got));
        if (contents.size() > limit) {
            setError(error, hostPath.string() + " is larger than " + std::to_string(limit) + " bytes");
            close(fd);
            return std::nullopt;
        }
    }
    close(fd);
    return contents;
}

} // namespace filesystem
