#pragma once

// Pictures handed to the phone from outside (a file dropped on the page) land in its photo
// library, the camera roll folder that the photo picker lists. The picture is checked and written
// on the caller's thread; only telling the phone runs on its thread.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// The largest picture taken, in pixels (a 48-megapixel camera's, with room to spare).
inline constexpr double kLargestPhotoPixels = 64.0 * 1024 * 1024;

// Any thread: checks that `bytes` decode as a PNG or JPEG picture, then writes them into the
// camera roll under a name made from `suggestedName` (letters, digits, '-', '_' and '.' kept; the
// extension the picture's kind; never replacing a picture already there, also when two arrive at
// once). Answers the device path written. Throws RequestError: 415 for bytes that are no picture,
// 500 when the file cannot be written.
std::string addToPhotoLibrary(const std::vector<std::uint8_t>& bytes, const std::string& suggestedName);

// The phone's thread: tells an open photo picker to list the library again.
void announcePhotoLibraryChange();

} // namespace sim
