#pragma once

// PNG (libpng) and JPEG (libjpeg-turbo, orientation from EXIF with libexif) coding of CGImages.
// Corrupt, truncated, unsupported and oversized data decodes to null; nothing is allocated for a
// picture that is refused.

#include "platform/graphics/CGImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace graphics {

struct DecodedImage {
    CGImageRef image;
    // One of the eight UIImageOrientation values (from a JPEG's EXIF tag; Up otherwise).
    int orientation = 0;
};

bool looksLikePNG(const uint8_t* data, size_t size);
bool looksLikeJPEG(const uint8_t* data, size_t size);

// `maximumPixels` (when not 0) refuses a picture of more pixels, read from its header, before
// anything is allocated for it.
CGImageRef decodePNG(const uint8_t* data, size_t size, double maximumPixels = 0);
DecodedImage decodeJPEG(const uint8_t* data, size_t size, double maximumPixels = 0);
// PNG or JPEG, chosen by the data's signature.
DecodedImage decodeImage(const uint8_t* data, size_t size, double maximumPixels = 0);

std::optional<std::vector<uint8_t>> encodePNG(const CGImage* image);
// `quality` 0…1. `orientation` other than Up is written as an EXIF tag.
std::optional<std::vector<uint8_t>> encodeJPEG(const CGImage* image, double quality, int orientation = 0);

// The orientation (UIImageOrientation value) recorded in a JPEG's EXIF data, Up when there is none.
int jpegOrientation(const uint8_t* data, size_t size);

} // namespace graphics
