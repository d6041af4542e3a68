#pragma once

// What fetching a picture from a web address may cost. Anything beyond these ends in the
// download's failure alert, as a wrong address does.

#include <cstddef>

namespace ovrimo {

struct DownloadLimits {
    std::size_t maximumBytes = 50u * 1024 * 1024;
    // The whole transfer, connection included.
    long seconds = 60;
    // The decoded picture (about 160 MB of pixels).
    double maximumPixels = 40e6;
};

// The limits in force on the booted device (tests lower them).
DownloadLimits& PictureDownloadLimits();

} // namespace ovrimo
