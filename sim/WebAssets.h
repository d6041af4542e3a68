#pragma once

// The page's files (sim/web/), built into the program so that it serves them without a folder
// beside it. The table is generated at build time by sim/web/Embed.cmake.

#include <string_view>

namespace sim {

struct WebAsset {
    std::string_view path; // "/index.html"
    std::string_view contentType;
    std::string_view body;
};

// Null when no file has that path.
const WebAsset* findWebAsset(std::string_view path);

} // namespace sim
