#include "LoadedCode.h"

#include <dlfcn.h>
#include <mutex>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace filesystem {

namespace {

struct OpenedFiles {
    std::mutex mutex;
    std::set<std::string> paths;
    unsigned copies = 0;
};

OpenedFiles& openedFiles()
{
    static OpenedFiles opened;
    return opened;
}

} // namespace

void* openLibraryFresh(const fs::path& hostPath, std::string& error)
{
    OpenedFiles& opened = openedFiles();
    fs::path copy;
    {
        std::lock_guard lock(opened.mutex);
        if (!opened.paths.insert(hostPath.string()).second)
            copy = fs::temp_directory_path()
                / ("ovrimo-library-" + std::to_string(getpid()) + "-" + std::to_string(++opened.copies) + "-" + hostPath.filename().string());
    }
    if (!copy.empty()) {
        std::error_code ec;
        fs::copy_file(hostPath, copy, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            error = "cannot copy it to " + copy.string() + ": " + ec.message();
            return nullptr;
        }
    }
    void* handle = dlopen(copy.empty() ? hostPath.c_str() : copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : "unknown error";
    }
    if (!copy.empty()) {
        std::error_code ec;
        fs::remove(copy, ec);
    }
    return handle;
}

} // namespace filesystem
