#include "sim/IconArchive.h"

#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/PropertyList.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/FileOperations.h"
#include "platform/filesystem/FolderSwap.h"
#include "platform/graphics/ImageCodecs.h"
#include "sim/PhoneHost.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <optional>

namespace fs = std::filesystem;

namespace sim {

namespace {

std::string withoutLeadingSlash(const std::string& devicePath) { return devicePath.substr(1); }

std::optional<std::string> readHostFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// An archive being written into memory.
class ZipWriter {
public:
    ZipWriter()
    {
        zip_error_t error;
        zip_error_init(&error);
        m_source = zip_source_buffer_create(nullptr, 0, 0, &error);
        if (m_source)
            m_archive = zip_open_from_source(m_source, ZIP_TRUNCATE, &error);
        zip_error_fini(&error);
        if (!m_archive)
            throw RequestError(500, "cannot make an archive");
        // Kept past zip_close, which writes into it.
        zip_source_keep(m_source);
    }
    ~ZipWriter()
    {
        if (m_archive)
            zip_discard(m_archive);
        if (m_source)
            zip_source_free(m_source);
    }

    void add(const std::string& name, std::string bytes)
    {
        m_kept.push_back(std::move(bytes));
        const std::string& data = m_kept.back();
        zip_source_t* file = zip_source_buffer(m_archive, data.data(), data.size(), 0);
        if (!file || zip_file_add(m_archive, name.c_str(), file, ZIP_FL_ENC_UTF_8) < 0) {
            if (file)
                zip_source_free(file);
            throw RequestError(500, "cannot add " + name + " to the archive");
        }
    }

    std::vector<std::uint8_t> finish()
    {
        if (zip_close(m_archive) < 0)
            throw RequestError(500, "cannot write the archive");
        m_archive = nullptr;
        std::vector<std::uint8_t> bytes;
        zip_stat_t info;
        if (zip_source_stat(m_source, &info) < 0 || zip_source_open(m_source) < 0)
            throw RequestError(500, "cannot read the archive back");
        bytes.resize(info.size);
        zip_int64_t read = zip_source_read(m_source, bytes.data(), bytes.size());
        zip_source_close(m_source);
        if (read < 0 || std::uint64_t(read) != info.size)
            throw RequestError(500, "cannot read the archive back");
        return bytes;
    }

private:
    zip_source_t* m_source = nullptr;
    zip_t* m_archive = nullptr;
    // The bytes of each entry must live until zip_close.
    std::list<std::string> m_kept;
};

// An archive read from memory.
class ZipReader {
public:
    explicit ZipReader(const std::vector<std::uint8_t>& bytes)
    {
        // libzip reads no bytes at all as an empty archive; nobody sends one on purpose.
        if (bytes.empty())
            throw RequestError(400, "the upload is empty, not a .zip archive");
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source) {
            m_archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
            if (!m_archive)
                zip_source_free(source);
        }
        zip_error_fini(&error);
        if (!m_archive)
            throw RequestError(400, "that file is not a .zip archive (or a damaged one)");
    }
    ~ZipReader() { zip_discard(m_archive); }
    zip_t* get() const { return m_archive; }

private:
    zip_t* m_archive = nullptr;
};

// Whether one part of a path is an ordinary name.
bool isPlainName(const std::string& part)
{
    return !part.empty() && part != "." && part != ".." && part.front() != '.';
}

std::vector<std::string> split(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos)
            return parts;
        start = slash + 1;
    }
}

bool endsWith(const std::string& s, const std::string& tail) { return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0; }

enum class EntryKind { Folder, Picture, Preferences };

// What an entry's name says it is, or why it may not be in the archive.
EntryKind classify(const std::string& name)
{
    auto refuse = [&](const std::string& why) -> EntryKind { throw RequestError(400, "the archive entry \"" + name + "\" " + why); };
    if (name.empty() || name.size() > 1024)
        return refuse("has no usable name");
    if (name.front() == '/' || name.find('\\') != std::string::npos || name.find('\0') != std::string::npos)
        return refuse("is not a relative path with '/' between its parts");
    bool folder = name.back() == '/';
    std::string path = folder ? name.substr(0, name.size() - 1) : name;
    for (const auto& part : split(path))
        if (!isPlainName(part))
            return refuse(part == ".." ? "climbs out of its folder" : "has an empty or hidden part");

    if ("/" + path == kPreferencesFile && !folder)
        return EntryKind::Preferences;
    const std::string store = withoutLeadingSlash(kIconStoreFolder);
    const std::string library = withoutLeadingSlash(kIconLibraryFolder);
    auto under = [&](const std::string& top) -> std::optional<std::vector<std::string>> {
        if (path == top)
            return std::vector<std::string> {};
        if (path.rfind(top + "/", 0) != 0)
            return std::nullopt;
        return split(path.substr(top.size() + 1));
    };
    // Folders on the way to the three places are fine too (but no folder in the preference
    // file's place).
    for (const std::string& place : { store, library, withoutLeadingSlash(kPreferencesFile) })
        if (folder && path != place && (place + "/").rfind(path + "/", 0) == 0)
            return EntryKind::Folder;
    if (auto rest = under(store)) {
        if (folder && rest->empty())
            return EntryKind::Folder;
        if (!folder && rest->size() == 1 && endsWith(name, ".png"))
            return EntryKind::Picture;
        return refuse("is not a PNG file directly in the icon store");
    }
    if (auto rest = under(library)) {
        if (folder && rest->size() <= 1)
            return EntryKind::Folder;
        if (!folder && (rest->size() == 1 || rest->size() == 2) && endsWith(name, ".png"))
            return EntryKind::Picture;
        return refuse("is not a PNG file in the icon library or in one of its folders");
    }
    return refuse("is not in the icon store, the icon library or the preference file");
}


// The store and the library each change in one swap: their new contents are built beside them
// (second names of the files kept, the uploaded files written in), then swapped in together, so a
// failure leaves both as they were and a stop leaves each old or new, which the home screen's
// start-up finishes. The preference file is replaced last, in one atomic write.
void applyUpload(const std::vector<PreparedUpload::File>& files, const std::vector<std::string>& folders)
{
    struct Place {
        std::string devicePath;
        std::optional<filesystem::FolderSwap> swap;
    };
    std::vector<Place> places { { kIconStoreFolder, std::nullopt }, { kIconLibraryFolder, std::nullopt } };
    auto placeOf = [&](const std::string& devicePath) -> Place* {
        for (Place& place : places)
            if (devicePath == place.devicePath || devicePath.rfind(place.devicePath + "/", 0) == 0)
                return &place;
        return nullptr;
    };
    auto abandonAll = [&] {
        for (Place& place : places)
            if (place.swap)
                place.swap->abandon();
    };
    // The staged copy of a place, made on first use; the path of `devicePath` inside it.
    auto stagedPath = [&](const std::string& devicePath) -> fs::path {
        Place* place = placeOf(devicePath);
        if (!place)
            return {};
        if (!place->swap) {
            std::string why;
            auto host = filesystem::DeviceRoot::resolve(place->devicePath, &why);
            std::error_code ec;
            if (!host || !fs::is_directory(host->parent_path(), ec)) {
                if (!host || !filesystem::makeFolders(host->parent_path(), ec))
                    throw RequestError(500, "cannot make a place for " + place->devicePath + (why.empty() ? "" : ": " + why));
            }
            place->swap.emplace(*host);
            if (!place->swap->stageCopy(ec)) {
                place->swap.reset();
                throw RequestError(500, "cannot prepare " + place->devicePath + ": " + ec.message());
            }
        }
        return place->swap->staged() / fs::path(devicePath.substr(place->devicePath.size())).relative_path();
    };
    const PreparedUpload::File* preferences = nullptr;
    try {
        for (const auto& file : files) {
            fs::path target = stagedPath(file.devicePath);
            if (target.empty()) {
                preferences = &file;
                continue;
            }
            std::error_code ec;
            if (fs::is_directory(fs::symlink_status(target, ec)))
                throw RequestError(400, file.devicePath + " cannot be written: a folder has that name");
            // The file was written beside its place already: here it is only renamed in.
            if (!fs::is_directory(target.parent_path(), ec))
                filesystem::makeFolders(target.parent_path(), ec);
            if (!filesystem::renameEntry(file.written, target, ec))
                throw RequestError(500, "cannot write " + file.devicePath + ": " + ec.message());
        }
        // Empty folders (a backup folder with nothing in it yet) come back too.
        for (const auto& folder : folders) {
            std::error_code ec;
            fs::path target = stagedPath(folder);
            if (!target.empty())
                filesystem::makeFolders(target, ec);
        }
    } catch (...) {
        abandonAll();
        throw;
    }
    std::vector<filesystem::FolderSwap*> swapped;
    auto swapBackAll = [&] {
        std::error_code ignored;
        for (auto it = swapped.rbegin(); it != swapped.rend(); ++it)
            (*it)->swapBack(ignored);
        abandonAll();
    };
    for (Place& place : places) {
        std::error_code ec;
        if (!place.swap)
            continue;
        if (!place.swap->swapIn(ec)) {
            swapBackAll();
            throw RequestError(500, "cannot put the new " + place.devicePath + " in place: " + ec.message());
        }
        swapped.push_back(&*place.swap);
    }
    if (preferences) {
        std::string why;
        auto host = filesystem::DeviceRoot::resolve(preferences->devicePath, &why);
        if (!host || !filesystem::writeFileAtomically(*host, preferences->preferences, &why)) {
            swapBackAll();
            throw RequestError(500, "cannot write " + preferences->devicePath + ": " + why);
        }
    }
    for (filesystem::FolderSwap* swap : swapped)
        swap->finish();
}

} // namespace

std::vector<std::uint8_t> makeIconArchive()
{
    ZipWriter writer;
    for (const char* place : { kIconStoreFolder, kIconLibraryFolder }) {
        auto host = filesystem::DeviceRoot::resolve(place);
        std::error_code ec;
        if (!host || !fs::is_directory(*host, ec))
            continue;
        writer.add(withoutLeadingSlash(place) + "/", "");
        for (auto it = fs::recursive_directory_iterator(*host, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::string name = withoutLeadingSlash(place) + "/" + fs::relative(it->path(), *host).generic_string();
            if (filesystem::isAtomicWriteTemporary(it->path().filename().string()))
                continue;
            if (it->is_symlink(ec))
                continue;
            if (it->is_directory(ec)) {
                writer.add(name + "/", "");
            } else if (it->is_regular_file(ec)) {
                if (auto bytes = readHostFile(it->path()))
                    writer.add(name, std::move(*bytes));
            }
        }
    }
    if (auto host = filesystem::DeviceRoot::resolve(kPreferencesFile)) {
        std::error_code ec;
        if (fs::is_regular_file(fs::symlink_status(*host, ec)))
            if (auto bytes = readHostFile(*host))
                writer.add(withoutLeadingSlash(kPreferencesFile), std::move(*bytes));
    }
    return writer.finish();
}

namespace {

struct Checked {
    std::string devicePath;
    std::string bytes;
};

// Reads and checks every entry; throws RequestError for the first that may not be taken.
void checkEntries(const std::vector<std::uint8_t>& zip, const ArchiveLimits& limits, std::vector<Checked>& files, std::vector<std::string>& folders)
{
    ZipReader reader(zip);
    zip_int64_t count = zip_get_num_entries(reader.get(), 0);
    if (count < 0)
        throw RequestError(400, "that .zip archive cannot be read");
    if (std::uint64_t(count) > limits.entries)
        throw RequestError(413, "the archive holds " + std::to_string(count) + " entries; at most " + std::to_string(limits.entries) + " are taken");

    std::uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(reader.get(), i, ZIP_FL_ENC_GUESS, &info) < 0 || !(info.valid & ZIP_STAT_NAME) || !(info.valid & ZIP_STAT_SIZE))
            throw RequestError(400, "entry " + std::to_string(i + 1) + " of the archive cannot be read");
        std::string name = info.name;
        EntryKind kind = classify(name);
        if ((info.valid & ZIP_STAT_ENCRYPTION_METHOD) && info.encryption_method != ZIP_EM_NONE)
            throw RequestError(400, "the archive entry \"" + name + "\" is encrypted");
        if (kind == EntryKind::Folder) {
            folders.push_back("/" + name);
            continue;
        }
        if (info.size > limits.entryBytes)
            throw RequestError(413, "the archive entry \"" + name + "\" unpacks to " + std::to_string(info.size) + " bytes; at most "
                    + std::to_string(limits.entryBytes) + " are taken");
        total += info.size;
        if (total > limits.totalBytes)
            throw RequestError(413, "the archive unpacks to more than " + std::to_string(limits.totalBytes) + " bytes");

        // Never more than the size the entry claims (plus one byte, to see a lie) is read.
        std::string bytes(info.size + 1, '\0');
        zip_file_t* file = zip_fopen_index(reader.get(), i, 0);
        if (!file)
            throw RequestError(400, "the archive entry \"" + name + "\" cannot be unpacked");
        zip_int64_t got = 0;
        while (std::uint64_t(got) < bytes.size()) {
            zip_int64_t n = zip_fread(file, bytes.data() + got, bytes.size() - got);
            if (n <= 0) {
                if (n < 0)
                    got = -1;
                break;
            }
            got += n;
        }
        zip_fclose(file);
        if (got < 0 || std::uint64_t(got) != info.size)
            throw RequestError(400, "the archive entry \"" + name + "\" is damaged");
        bytes.resize(info.size);

        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        if (kind == EntryKind::Picture) {
            if (!graphics::looksLikePNG(data, bytes.size()) || !graphics::decodePNG(data, bytes.size(), limits.pixels))
                throw RequestError(400, "the archive entry \"" + name + "\" is not a PNG picture that can be read");
        } else {
            std::string why;
            auto list = corefoundation::propertyListFromBytes(bytes, &why);
            if (!list || !dynamic_cast<NSDictionary*>(list.ptr()))
                throw RequestError(400, "the archive's preference file is not a property-list dictionary" + (why.empty() ? std::string() : ": " + why));
        }
        files.push_back({ "/" + name, std::move(bytes) });
    }
}

// A folder of our own temporary naming beside the store and the library, for an upload's files
// until they are renamed into place: never listed, never inside a folder that a swap replaces,
// and removed by the next writer there when this process has stopped.
fs::path makeScratchFolder()
{
    std::string why;
    auto store = filesystem::DeviceRoot::resolve(kIconStoreFolder, &why);
    std::error_code ec;
    if (!store || (!fs::is_directory(store->parent_path(), ec) && !filesystem::makeFolders(store->parent_path(), ec)))
        throw RequestError(500, "cannot make a place for the upload: " + (why.empty() ? ec.message() : why));
    fs::path scratch = filesystem::temporarySiblingFor(*store);
    if (!filesystem::makeFolder(scratch, ec))
        throw RequestError(500, "cannot make a place for the upload: " + ec.message());
    return scratch;
}

} // namespace

PreparedUpload::~PreparedUpload()
{
    std::error_code ec;
    if (!m_scratch.empty())
        filesystem::removeTree(m_scratch, ec);
}

PreparedUpload prepareIconArchive(const std::vector<std::uint8_t>& zip, const ArchiveLimits& limits)
{
    // Everything is read and checked before anything is written.
    std::vector<Checked> checked;
    PreparedUpload upload;
    checkEntries(zip, limits, checked, upload.m_folders);
    for (Checked& entry : checked) {
        PreparedUpload::File file { entry.devicePath, {}, {} };
        if (entry.devicePath == kPreferencesFile) {
            file.preferences = std::move(entry.bytes);
        } else {
            if (upload.m_scratch.empty())
                upload.m_scratch = makeScratchFolder();
            file.written = upload.m_scratch / (std::to_string(upload.m_files.size()) + ".png");
            std::string why;
            if (!filesystem::writeFileAtomically(file.written, entry.bytes, &why))
                throw RequestError(500, "cannot write " + entry.devicePath + ": " + why);
            std::string().swap(entry.bytes);
        }
        upload.m_files.push_back(std::move(file));
    }
    return upload;
}

std::size_t applyIconArchive(PreparedUpload& upload)
{
    applyUpload(upload.m_files, upload.m_folders);
    return upload.m_files.size();
}

std::size_t restoreIconArchive(const std::vector<std::uint8_t>& zip, const ArchiveLimits& limits)
{
    PreparedUpload upload = prepareIconArchive(zip, limits);
    return applyIconArchive(upload);
}

} // namespace sim
