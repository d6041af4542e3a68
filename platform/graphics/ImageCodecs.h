#pragma once

// PNG (libpng) and JPEG (libjpeg-turbo, orientation from EXIF with libexif) coding of CGImages.
// Corrupt, truncated, unsupported and oversized data decodes to null; nothing is allocated for a
// picture that is refused. So does a progressive JPEG that asks for more decoding work than any
// honest picture needs: more than kMaxJPEGScans scans, or more than kMaxJPEGScanPixels pixels
// summed over its scans (a 16-megapixel photo may have 24 scans).

#include "platform/graphics/CGImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace graphics {

inline constexpr int kMaxJPEGScans = 100;
inline constexpr double kMaxJPEGScanPixels = 24.0 * 4096 * 4096;

struct DecodedImage {
    CGImageRef image;
    // One of the eight UIImageOrientation values (from a JPEG's EXIF tag; Up otherwise).
    int orientation = 0;
    // The stored picture's own size in pixels, which `image` is smaller than when it was reduced.
    size_t storedWidth = 0;
    size_t storedHeight = 0;
};

// What a decode may produce. `maximumPixels` (when not 0) refuses a picture of more pixels, read
// from its header, before anything is allocated for it. `largestSide` (when not 0) reduces a
// larger picture while it is decoded so that neither side of the result exceeds it, its shape
// kept: a JPEG is scaled by the codec (1/2 to 1/8) and then averaged down, a PNG's rows are
// averaged into the reduced picture as they are read, so the full-size picture is never held.
struct DecodeLimits {
    double maximumPixels = 0;
    size_t largestSide = 0;
};

bool looksLikePNG(const uint8_t* data, size_t size);
bool looksLikeJPEG(const uint8_t* data, size_t size);

CGImageRef decodePNG(const uint8_t* data, size_t size, double maximumPixels = 0);
DecodedImage decodeJPEG(const uint8_t* data, size_t size, double maximumPixels = 0);
// PNG or JPEG, chosen by the data's signature.
DecodedImage decodeImage(const uint8_t* data, size_t size, double maximumPixels = 0);
DecodedImage decodeImage(const uint8_t* data, size_t size, DecodeLimits limits);

std::optional<std::vector<uint8_t>> encodePNG(const CGImage* image);

// Premultiplied 32-bit pixels in the layout of a cairo ARGB32 surface (a part of a frame buffer,
// say), encoded without wrapping them in an image first. `stride` is the bytes from one row to
// the next. Null when the rows are empty.
struct PixelRows {
    const uint8_t* data = nullptr;
    size_t width = 0, height = 0, stride = 0;
};
// `zlibLevel` 0 (stored) to 9; rows opaque everywhere are written without alpha.
std::optional<std::vector<uint8_t>> encodePNG(const PixelRows& pixels, int zlibLevel);
// `quality` 1…100; transparent parts come out black.
std::optional<std::vector<uint8_t>> encodeJPEG(const PixelRows& pixels, int quality);
// `quality` 0…1. `orientation` other than Up is written as an EXIF tag.
std::optional<std::vector<uint8_t>> encodeJPEG(const CGImage* image, double quality, int orientation = 0);

// The orientation (UIImageOrientation value) recorded in a JPEG's EXIF data, Up when there is none.
int jpegOrientation(const uint8_t* data, size_t size);

} // namespace graphics
