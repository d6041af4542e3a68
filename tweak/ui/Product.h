#pragma once

// What every screen of the system says the same way.

#include <cstdint>

namespace ovrimo {

// The title of every alert and sheet.
inline constexpr const char* kProductName = "Ovrimo";
// The pause between showing the progress overlay and starting the blocking work, so that the
// overlay is drawn first.
inline constexpr std::int64_t kOverlayHeadStartNanoseconds = 10'000'000;

} // namespace ovrimo
