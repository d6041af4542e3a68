#pragma once

// A web page beside a script's screenshots: each row shows the screen before and after a change,
// side by side, with a line of caption. Everything the page needs is in it (inline style) or
// beside it (the pictures, by relative paths), so the folder can be opened, moved or copied as it
// is.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct GalleryRow {
    std::string caption;
    // Picture files relative to the gallery's folder.
    std::string before;
    std::string after;
};

// Whether `name` may name a picture of the gallery: a relative path that stays inside its folder.
bool isGalleryFileName(const std::string& name);

// The whole page for these rows.
std::string galleryPage(const std::vector<GalleryRow>& rows);

class Gallery {
public:
    static constexpr const char* kPageName = "index.html";

    explicit Gallery(std::filesystem::path folder);

    // Adds a row and writes the page again, whole (so that it always matches the rows so far).
    // Throws std::runtime_error, adding nothing, when a picture is not in the folder or the page
    // cannot be written.
    void add(const GalleryRow& row);

    const std::vector<GalleryRow>& rows() const { return m_rows; }
    std::filesystem::path pagePath() const { return m_folder / kPageName; }

private:
    std::filesystem::path m_folder;
    std::vector<GalleryRow> m_rows;
};

// Two screenshots (PNG or JPEG) as one PNG: both at half size, side by side, with an arrow from
// the first to the second. Nothing when either does not decode.
std::optional<std::vector<std::uint8_t>> sideBySidePicture(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after);

} // namespace sim
