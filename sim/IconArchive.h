#pragma once

// The phone's icon store, icon library and preference file as one .zip, in the phone's own
// layout (entry names are device paths without the leading '/'), and such a .zip taken back.
// Taking one back is split so that the long part (unpacking, decoding every picture, writing the
// files) runs on the caller's thread, and only renames are left for the phone's thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace sim {

inline constexpr const char* kIconStoreFolder = "/var/mobile/Documents/Ovrimo/Icons";
inline constexpr const char* kIconLibraryFolder = "/var/mobile/Documents/Ovrimo/IconLibrary";
inline constexpr const char* kPreferencesFile = "/var/mobile/Library/Preferences/com.zarnek.ovrimo.plist";

struct ArchiveLimits {
    std::size_t entries = 4096;
    std::uint64_t entryBytes = 16u << 20;
    std::uint64_t totalBytes = 256u << 20;
    // Pixels of one picture.
    double pixels = 16.0 * 1024 * 1024;
};

// Every regular file of the three places (symbolic links and other files are left out).
// Throws RequestError 500 when the archive cannot be made.
std::vector<std::uint8_t> makeIconArchive();

// The files of an uploaded archive, checked and written into a folder of our own temporary naming
// beside the store and the library (never listed, never swapped away with either; a later writer
// there removes it if this process stops). What is not put in place is removed when the upload
// goes.
class PreparedUpload {
public:
    struct File {
        std::string devicePath;
        std::filesystem::path written; // the picture's file in the scratch folder
        std::string preferences;       // the preference file's bytes, written when applied
    };

    PreparedUpload() = default;
    PreparedUpload(PreparedUpload&& other) noexcept
        : m_files(std::move(other.m_files))
        , m_folders(std::move(other.m_folders))
        , m_scratch(std::exchange(other.m_scratch, {}))
    {
    }
    PreparedUpload& operator=(PreparedUpload&&) = delete;
    ~PreparedUpload();

    std::size_t files() const { return m_files.size(); }

private:
    friend PreparedUpload prepareIconArchive(const std::vector<std::uint8_t>&, const ArchiveLimits&);
    friend std::size_t applyIconArchive(PreparedUpload&);
    std::vector<File> m_files;
    std::vector<std::string> m_folders;
    std::filesystem::path m_scratch;
};

// Checks the whole archive first: each entry must be a PNG picture that decodes, in the icon
// store (flat) or the icon library (top level or one folder down), or the preference file as a
// property-list dictionary; names must not climb out (`..`, absolute paths, backslashes) and sizes
// must stay within `limits`. Only then writes the files (same-named files are replaced, others
// kept): the store and the library each get their new contents beside them and are swapped in
// together, so a failure changes nothing and a stop leaves each folder old or new. Answers
// the number of files written. Throws RequestError: 400 for an archive that is not one or holds
// something it may not, 413 for one that is too large.
std::size_t restoreIconArchive(const std::vector<std::uint8_t>& zip, const ArchiveLimits& limits = {});

// The two halves of restoreIconArchive. Any thread: checks the archive (refusals as above) and
// writes its pictures beside their places; the phone's thread: puts them in place (the swap
// above), with nothing left to decode or write but the preference file.
PreparedUpload prepareIconArchive(const std::vector<std::uint8_t>& zip, const ArchiveLimits& limits = {});
std::size_t applyIconArchive(PreparedUpload& upload);

} // namespace sim
