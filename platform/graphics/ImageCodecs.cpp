#include "platform/graphics/ImageCodecs.h"

#include "platform/graphics/GraphicsInternal.h"

#include <cairo.h>
#include <csetjmp>
#include <cstdio>
#include <cstring>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <libexif/exif-data.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <cmath>

using namespace graphics::internal;

namespace graphics {

namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// Deflate cannot shrink data by much more than 1032:1; a PNG declaring more pixels than that
// allows for its size is lying about its size.
constexpr double kMaxDeflateRatio = 1040;
constexpr double kMaxJPEGPixelsPerByte = 2048;
constexpr long kMaxJPEGWorkingMemory = 512L << 20;

// EXIF orientation (1…8) to UIImageOrientation, and back.
int orientationFromExif(int exif)
{
    switch (exif) {
    case 3: return 1; // Down
    case 8: return 2; // Left
    case 6: return 3; // Right
    case 2: return 4; // UpMirrored
    case 4: return 5; // DownMirrored
    case 5: return 6; // LeftMirrored
    case 7: return 7; // RightMirrored
    default: return 0;
    }
}

int exifFromOrientation(int orientation)
{
    static const int table[8] = { 1, 3, 8, 6, 2, 4, 5, 7 };
    return orientation >= 0 && orientation < 8 ? table[orientation] : 1;
}

int orientationFromExifData(ExifData* exif)
{
    if (!exif)
        return 0;
    int result = 0;
    if (ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION)) {
        if (entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 && entry->size >= 2)
            result = orientationFromExif(exif_get_short(entry->data, exif_data_get_byte_order(exif)));
    }
    exif_data_unref(exif);
    return result;
}

// The size a picture of `width` × `height` is decoded to when neither side may exceed
// `largestSide` (0: any size).
void fitWithin(size_t width, size_t height, size_t largestSide, size_t& fitWidth, size_t& fitHeight)
{
    fitWidth = width, fitHeight = height;
    if (!largestSide || (width <= largestSide && height <= largestSide))
        return;
    double factor = double(largestSide) / double(std::max(width, height));
    fitWidth = std::clamp<size_t>(size_t(std::lround(double(width) * factor)), 1, largestSide);
    fitHeight = std::clamp<size_t>(size_t(std::lround(double(height) * factor)), 1, largestSide);
}

// A new surface of `width` × `height` holding `source` averaged down (cairo's box filter). Null
// when out of memory.
cairo_surface_t* reducedCopy(cairo_surface_t* source, size_t width, size_t height)
{
    cairo_surface_t* out = createSurface(cairo_image_surface_get_format(source), width, height);
    if (!out)
        return nullptr;
    cairo_t* cr = cairo_create(out);
    cairo_scale(cr, double(width) / cairo_image_surface_get_width(source), double(height) / cairo_image_surface_get_height(source));
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(out);
    if (!ok) {
        cairo_surface_destroy(out);
        return nullptr;
    }
    return out;
}

// MARK: - PNG decoding

struct PNGReadState {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 8;
    cairo_surface_t* surface = nullptr;
    png_bytep* rows = nullptr;
    bool opaque = false;
    DecodeLimits limits;
    size_t storedWidth = 0, storedHeight = 0;
    // Reading into a reduced picture: one decoded row, and per reduced pixel its premultiplied
    // channel sums and how many pixels of the row band fell into it.
    png_bytep row = nullptr;
    std::vector<uint64_t> sums;
    std::vector<uint32_t> columnOf;
    std::vector<uint32_t> columnCount;
    // The surface holds cairo's premultiplied native words already.
    bool native = false;
    // Reduced after decoding at full size (interlaced pictures deliver rows out of order).
    bool reduceAfterwards = false;
};

void pngError(png_structp png, png_const_charp)
{
    longjmp(png_jmpbuf(png), 1);
}

void pngWarning(png_structp, png_const_charp) { }

void pngRead(png_structp png, png_bytep out, png_size_t length)
{
    auto* state = static_cast<PNGReadState*>(png_get_io_ptr(png));
    if (length > state->size - state->position)
        png_error(png, "truncated");
    std::memcpy(out, state->data + state->position, length);
    state->position += length;
}

// Called from readPNG's setjmp frame once the transformations are set: each decoded row is
// premultiplied and added into its band of the reduced picture, which is written out whenever
// its band is complete.
bool readPNGReduced(png_structp png, PNGReadState* state, size_t fitWidth, size_t fitHeight)
{
    size_t width = state->storedWidth, height = state->storedHeight;
    state->surface = createSurface(state->opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, fitWidth, fitHeight);
    if (!state->surface)
        return false;
    uint8_t* base = cairo_image_surface_get_data(state->surface);
    int stride = cairo_image_surface_get_stride(state->surface);
    state->row = static_cast<png_bytep>(png_malloc(png, width * 4));
    state->sums.assign(fitWidth * 4, 0);
    state->columnOf.resize(width);
    state->columnCount.assign(fitWidth, 0);
    for (size_t x = 0; x < width; ++x) {
        state->columnOf[x] = uint32_t(x * fitWidth / width);
        ++state->columnCount[state->columnOf[x]];
    }
    size_t bandRows = 0;
    auto writeBand = [&](size_t outY) {
        auto* out = reinterpret_cast<uint32_t*>(base + outY * size_t(stride));
        for (size_t x = 0; x < fitWidth; ++x) {
            uint64_t n = uint64_t(state->columnCount[x]) * bandRows;
            const uint64_t* sum = &state->sums[x * 4];
            out[x] = packPixel(state->opaque ? 255 : uint8_t((sum[0] + n / 2) / n), uint8_t((sum[1] + n / 2) / n), uint8_t((sum[2] + n / 2) / n),
                uint8_t((sum[3] + n / 2) / n));
        }
        std::fill(state->sums.begin(), state->sums.end(), 0);
        bandRows = 0;
    };
    for (size_t y = 0; y < height; ++y) {
        png_read_row(png, state->row, nullptr);
        const uint8_t* p = state->row;
        for (size_t x = 0; x < width; ++x, p += 4) {
            unsigned r = p[kLittleEndian ? 2 : 0], g = p[1], b = p[kLittleEndian ? 0 : 2], a = state->opaque ? 255 : p[3];
            if (a != 255)
                r = premultiply(uint8_t(r), uint8_t(a)), g = premultiply(uint8_t(g), uint8_t(a)), b = premultiply(uint8_t(b), uint8_t(a));
            uint64_t* sum = &state->sums[size_t(state->columnOf[x]) * 4];
            sum[0] += a, sum[1] += r, sum[2] += g, sum[3] += b;
        }
        ++bandRows;
        size_t outY = y * fitHeight / height;
        if (y + 1 == height || (y + 1) * fitHeight / height != outY)
            writeBand(outY);
    }
    cairo_surface_mark_dirty(state->surface);
    state->native = true;
    return true;
}

// Runs libpng under setjmp; nothing in this frame needs a destructor. All results live in `state`.
bool readPNG(png_structp png, png_infop info, PNGReadState* state)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, state, pngRead);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, 32767, 32767);
    png_set_chunk_malloc_max(png, 16u << 20);
    // Text chunks are never used here, and on reading libpng only warns about one that is over
    // the limit above, after allocating what it claims (up to 2 GiB). They are skipped unread, so
    // a chunk claiming more than the file holds ends the decode at once.
    static const png_byte textChunks[] = { 't', 'E', 'X', 't', '\0', 'z', 'T', 'X', 't', '\0', 'i', 'T', 'X', 't', '\0' };
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, textChunks, 3);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    double maximumPixels = state->limits.maximumPixels;
    if (!sizeAcceptable(width, height) || (maximumPixels > 0 && double(width) * height > maximumPixels))
        return false;
    state->storedWidth = width, state->storedHeight = height;
    int channels = png_get_channels(png, info);
    double rawBytes = (double(width) * channels * bitDepth / 8 + 1) * height;
    if (rawBytes > double(state->size) * kMaxDeflateRatio + 4096)
        return false;

    bool hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS);
    state->opaque = !(colorType & PNG_COLOR_MASK_ALPHA) && !hasTransparency;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if (state->opaque || !(colorType & PNG_COLOR_MASK_ALPHA))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    // B, G, R, A bytes are cairo's native words on a little-endian machine.
    if (kLittleEndian)
        png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4)
        return false;

    size_t fitWidth = 0, fitHeight = 0;
    fitWithin(width, height, state->limits.largestSide, fitWidth, fitHeight);
    if (fitWidth != width || fitHeight != height) {
        if (interlace == PNG_INTERLACE_NONE)
            return readPNGReduced(png, state, fitWidth, fitHeight);
        state->reduceAfterwards = true;
    }
    state->surface = createSurface(state->opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height);
    if (!state->surface)
        return false;
    uint8_t* base = cairo_image_surface_get_data(state->surface);
    int stride = cairo_image_surface_get_stride(state->surface);
    state->rows = static_cast<png_bytep*>(png_malloc(png, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y)
        state->rows[y] = base + size_t(y) * stride;
    png_read_image(png, state->rows);
    return true;
}

// RGBA (BGRA on little-endian machines) bytes in place to cairo's premultiplied native words.
void rgbaToNative(cairo_surface_t* surface, bool opaque)
{
    if (kLittleEndian && opaque) {
        cairo_surface_mark_dirty(surface);
        return;
    }
    uint8_t* base = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = base + size_t(y) * stride;
        auto* out = reinterpret_cast<uint32_t*>(p);
        for (int x = 0; x < w; ++x, p += 4) {
            uint8_t r = p[kLittleEndian ? 2 : 0], g = p[1], b = p[kLittleEndian ? 0 : 2], a = opaque ? 255 : p[3];
            if (a != 255)
                r = premultiply(r, a), g = premultiply(g, a), b = premultiply(b, a);
            out[x] = packPixel(a, r, g, b);
        }
    }
    cairo_surface_mark_dirty(surface);
}

// MARK: - JPEG decoding

struct JPEGErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
};

void jpegErrorExit(j_common_ptr cinfo)
{
    longjmp(reinterpret_cast<JPEGErrorManager*>(cinfo->err)->jump, 1);
}

void jpegEmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    // Truncated or corrupt entropy-coded data: libjpeg would go on with grey blocks; we refuse.
    int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HUFF_BAD_CODE || code == JWRN_BOGUS_PROGRESSION)
        longjmp(reinterpret_cast<JPEGErrorManager*>(cinfo->err)->jump, 1);
}

void jpegSilence(j_common_ptr) { }

// Called as libjpeg takes in the data of a picture with several scans: a decode stops as soon
// as the scans arriving ask for more work than the bounds allow.
struct JPEGProgress {
    jpeg_progress_mgr pub {};
    JPEGErrorManager* errors = nullptr;
    double pixels = 0;
};

void jpegProgress(j_common_ptr common)
{
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    auto* progress = reinterpret_cast<JPEGProgress*>(common->progress);
    int scans = cinfo->input_scan_number;
    if (scans > kMaxJPEGScans || double(scans) * progress->pixels > kMaxJPEGScanPixels)
        longjmp(progress->errors->jump, 1);
}

struct JPEGReadState {
    const uint8_t* data = nullptr;
    size_t size = 0;
    cairo_surface_t* surface = nullptr;
    uint8_t* cmykRow = nullptr;
    int orientation = 0;
    DecodeLimits limits;
    JPEGProgress progress;
    size_t storedWidth = 0, storedHeight = 0;
};

bool readJPEG(jpeg_decompress_struct* cinfo, JPEGErrorManager* errors, JPEGReadState* state)
{
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(cinfo);
    // Progressive pictures keep all their coefficients in memory; without a backing store libjpeg
    // fails cleanly when this is exceeded.
    cinfo->mem->max_memory_to_use = kMaxJPEGWorkingMemory;
    jpeg_mem_src(cinfo, state->data, static_cast<unsigned long>(state->size));
    jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!sizeAcceptable(cinfo->image_width, cinfo->image_height))
        return false;
    double pixels = double(cinfo->image_width) * cinfo->image_height;
    if (state->limits.maximumPixels > 0 && pixels > state->limits.maximumPixels)
        return false;
    state->storedWidth = cinfo->image_width, state->storedHeight = cinfo->image_height;
    // Sequential Huffman-coded data spends at least a bit on every 8 x 8 block it holds.
    if (!cinfo->progressive_mode && !cinfo->arith_code && double(cinfo->image_width) * cinfo->image_height > double(state->size) * kMaxJPEGPixelsPerByte)
        return false;
    for (jpeg_saved_marker_ptr marker = cinfo->marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length > 6 && std::memcmp(marker->data, "Exif\0\0", 6) == 0) {
            state->orientation = orientationFromExifData(exif_data_new_from_data(marker->data, marker->data_length));
            break;
        }
    }
    bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : (kLittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB);
    // The codec's own reduction: the largest of 1/8, 1/4 and 1/2 that still gives at least the
    // size asked for (the rest is averaged down afterwards).
    size_t fitWidth = 0, fitHeight = 0;
    fitWithin(cinfo->image_width, cinfo->image_height, state->limits.largestSide, fitWidth, fitHeight);
    for (unsigned denominator : { 8u, 4u, 2u }) {
        if (fitWidth == cinfo->image_width && fitHeight == cinfo->image_height)
            break;
        if ((cinfo->image_width + denominator - 1) / denominator >= fitWidth && (cinfo->image_height + denominator - 1) / denominator >= fitHeight) {
            cinfo->scale_num = 1;
            cinfo->scale_denom = denominator;
            break;
        }
    }
    state->progress.pixels = pixels;
    state->progress.pub.progress_monitor = jpegProgress;
    cinfo->progress = &state->progress.pub;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 4)
        return false;
    state->surface = createSurface(CAIRO_FORMAT_RGB24, cinfo->output_width, cinfo->output_height);
    if (!state->surface)
        return false;
    uint8_t* base = cairo_image_surface_get_data(state->surface);
    int stride = cairo_image_surface_get_stride(state->surface);
    if (cmyk)
        state->cmykRow = static_cast<uint8_t*>(std::malloc(size_t(cinfo->output_width) * 4));
    if (cmyk && !state->cmykRow)
        return false;
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* row = base + size_t(cinfo->output_scanline) * stride;
        JSAMPROW target = cmyk ? state->cmykRow : row;
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1)
            return false;
        if (cmyk) {
            // Adobe writes CMYK inverted: each stored value is 255 minus the ink.
            auto* out = reinterpret_cast<uint32_t*>(row);
            for (JDIMENSION x = 0; x < cinfo->output_width; ++x) {
                const uint8_t* p = state->cmykRow + x * 4;
                unsigned k = p[3];
                out[x] = packPixel(255, uint8_t(p[0] * k / 255), uint8_t(p[1] * k / 255), uint8_t(p[2] * k / 255));
            }
        }
    }
    jpeg_finish_decompress(cinfo);
    cairo_surface_mark_dirty(state->surface);
    return true;
}

// MARK: - PNG encoding

struct PNGWriteState {
    std::vector<uint8_t>* out;
    PixelRows pixels;
    bool grey;
    bool alpha;
    int level;
    uint8_t* row = nullptr;
};

void pngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* state = static_cast<PNGWriteState*>(png_get_io_ptr(png));
    state->out->insert(state->out->end(), data, data + length);
}

void pngFlush(png_structp) { }

PixelRows rowsOf(const CGImage* image) { return { image->data(), image->width(), image->height(), image->bytesPerRow() }; }

bool isOpaqueEverywhere(const PixelRows& rows)
{
    for (size_t y = 0; y < rows.height; ++y) {
        auto* pixels = reinterpret_cast<const uint32_t*>(rows.data + y * rows.stride);
        uint32_t all = 0xFF000000u;
        for (size_t x = 0; x < rows.width; ++x)
            all &= pixels[x];
        if ((all >> 24) != 0xFF)
            return false;
    }
    return true;
}

bool writePNG(png_structp png, png_infop info, PNGWriteState* state)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    size_t w = state->pixels.width, h = state->pixels.height;
    bool grey = state->grey, alpha = state->alpha;
    int channels = grey ? 1 : alpha ? 4 : 3;
    png_set_write_fn(png, state, pngWrite, pngFlush);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, grey ? PNG_COLOR_TYPE_GRAY : alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, state->level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB | PNG_FILTER_UP);
    png_write_info(png, info);
    state->row = static_cast<uint8_t*>(png_malloc(png, w * channels));
    for (size_t y = 0; y < h; ++y) {
        const uint8_t* in = state->pixels.data + y * state->pixels.stride;
        if (grey) {
            std::memcpy(state->row, in, w);
        } else {
            auto* pixels = reinterpret_cast<const uint32_t*>(in);
            uint8_t* out = state->row;
            for (size_t x = 0; x < w; ++x) {
                uint32_t p = pixels[x];
                uint8_t a = alpha ? uint8_t(p >> 24) : 255;
                uint8_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                if (a != 255)
                    r = unpremultiply(r, a), g = unpremultiply(g, a), b = unpremultiply(b, a);
                *out++ = r;
                *out++ = g;
                *out++ = b;
                if (alpha)
                    *out++ = a;
            }
        }
        png_write_row(png, state->row);
    }
    png_write_end(png, info);
    return true;
}

// MARK: - JPEG encoding

struct JPEGWriteState {
    PixelRows pixels;
    bool grey;
    int quality;
    int orientation;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    unsigned char* exif = nullptr;
    unsigned int exifSize = 0;
};

bool writeJPEG(jpeg_compress_struct* cinfo, JPEGErrorManager* errors, JPEGWriteState* state)
{
    if (setjmp(errors->jump))
        return false;
    bool grey = state->grey;
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &state->buffer, &state->size);
    cinfo->image_width = JDIMENSION(state->pixels.width);
    cinfo->image_height = JDIMENSION(state->pixels.height);
    cinfo->input_components = grey ? 1 : 4;
    // The colour bytes of premultiplied pixels: transparent areas come out black.
    cinfo->in_color_space = grey ? JCS_GRAYSCALE : (kLittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB);
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, state->quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    if (state->exif)
        jpeg_write_marker(cinfo, JPEG_APP0 + 1, state->exif, state->exifSize);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(state->pixels.data + size_t(cinfo->next_scanline) * state->pixels.stride);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

} // namespace

bool looksLikePNG(const uint8_t* data, size_t size)
{
    return data && size >= 8 && png_sig_cmp(const_cast<png_bytep>(data), 0, 8) == 0;
}

bool looksLikeJPEG(const uint8_t* data, size_t size)
{
    return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

namespace {

DecodedImage decodePNGWithin(const uint8_t* data, size_t size, DecodeLimits limits)
{
    if (!looksLikePNG(data, size))
        return {};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return {};
    }
    PNGReadState state;
    state.data = data;
    state.size = size;
    state.limits = limits;
    bool ok = readPNG(png, info, &state);
    if (state.rows)
        png_free(png, state.rows);
    if (state.row)
        png_free(png, state.row);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        if (state.surface)
            cairo_surface_destroy(state.surface);
        return {};
    }
    if (!state.native)
        rgbaToNative(state.surface, state.opaque);
    if (state.reduceAfterwards) {
        size_t fitWidth = 0, fitHeight = 0;
        fitWithin(state.storedWidth, state.storedHeight, limits.largestSide, fitWidth, fitHeight);
        cairo_surface_t* reduced = reducedCopy(state.surface, fitWidth, fitHeight);
        cairo_surface_destroy(state.surface);
        if (!reduced)
            return {};
        state.surface = reduced;
    }
    return { CGImageRef::adopt(new CGImage(state.surface, CGImage::Kind::Color)), 0, state.storedWidth, state.storedHeight };
}

DecodedImage decodeJPEGWithin(const uint8_t* data, size_t size, DecodeLimits limits)
{
    if (!looksLikeJPEG(data, size))
        return {};
    jpeg_decompress_struct cinfo;
    JPEGErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jpegErrorExit;
    errors.pub.emit_message = jpegEmitMessage;
    errors.pub.output_message = jpegSilence;
    JPEGReadState state;
    state.data = data;
    state.size = size;
    state.limits = limits;
    state.progress.errors = &errors;
    bool ok = readJPEG(&cinfo, &errors, &state);
    jpeg_destroy_decompress(&cinfo);
    std::free(state.cmykRow);
    if (!ok) {
        if (state.surface)
            cairo_surface_destroy(state.surface);
        return {};
    }
    size_t fitWidth = 0, fitHeight = 0;
    fitWithin(state.storedWidth, state.storedHeight, limits.largestSide, fitWidth, fitHeight);
    if (size_t(cairo_image_surface_get_width(state.surface)) > fitWidth || size_t(cairo_image_surface_get_height(state.surface)) > fitHeight) {
        cairo_surface_t* reduced = reducedCopy(state.surface, fitWidth, fitHeight);
        cairo_surface_destroy(state.surface);
        if (!reduced)
            return {};
        state.surface = reduced;
    }
    return { CGImageRef::adopt(new CGImage(state.surface, CGImage::Kind::Color)), state.orientation, state.storedWidth, state.storedHeight };
}

} // namespace

CGImageRef decodePNG(const uint8_t* data, size_t size, double maximumPixels)
{
    return decodePNGWithin(data, size, { maximumPixels, 0 }).image;
}

DecodedImage decodeJPEG(const uint8_t* data, size_t size, double maximumPixels) { return decodeJPEGWithin(data, size, { maximumPixels, 0 }); }

DecodedImage decodeImage(const uint8_t* data, size_t size, double maximumPixels) { return decodeImage(data, size, DecodeLimits { maximumPixels, 0 }); }

DecodedImage decodeImage(const uint8_t* data, size_t size, DecodeLimits limits)
{
    if (looksLikePNG(data, size))
        return decodePNGWithin(data, size, limits);
    if (looksLikeJPEG(data, size))
        return decodeJPEGWithin(data, size, limits);
    return {};
}

namespace {

std::optional<std::vector<uint8_t>> encodePNGRows(const PixelRows& pixels, bool grey, bool alpha, int level)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return std::nullopt;
    }
    std::vector<uint8_t> out;
    out.reserve(pixels.width * pixels.height + 1024);
    PNGWriteState state { &out, pixels, grey, alpha, std::clamp(level, 0, 9) };
    bool ok = writePNG(png, info, &state);
    if (state.row)
        png_free(png, state.row);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<std::vector<uint8_t>> encodePNG(const CGImage* image)
{
    if (!image)
        return std::nullopt;
    bool grey = image->kind() != CGImage::Kind::Color;
    // A picture with an alpha channel that is opaque everywhere is written without it: the same
    // pixels, a quarter fewer bytes to compress. Level 3 with the cheap filters: a quarter of the
    // time of the defaults for a few per cent more bytes, and files that decode faster (they are
    // decoded on every icon draw).
    return encodePNGRows(rowsOf(image), grey, !grey && image->hasAlpha() && !isOpaqueEverywhere(rowsOf(image)), 3);
}

std::optional<std::vector<uint8_t>> encodePNG(const PixelRows& pixels, int zlibLevel)
{
    if (!pixels.data || pixels.width == 0 || pixels.height == 0 || pixels.stride < pixels.width * 4)
        return std::nullopt;
    return encodePNGRows(pixels, false, !isOpaqueEverywhere(pixels), zlibLevel);
}

namespace {

// Compresses `state`'s pixels and frees what the state holds.
std::optional<std::vector<uint8_t>> compressJPEG(JPEGWriteState& state)
{
    jpeg_compress_struct cinfo;
    JPEGErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jpegErrorExit;
    errors.pub.output_message = jpegSilence;
    bool ok = writeJPEG(&cinfo, &errors, &state);
    jpeg_destroy_compress(&cinfo);
    std::optional<std::vector<uint8_t>> result;
    if (ok && state.buffer)
        result = std::vector<uint8_t>(state.buffer, state.buffer + state.size);
    std::free(state.buffer);
    std::free(state.exif);
    return result;
}

} // namespace

std::optional<std::vector<uint8_t>> encodeJPEG(const CGImage* image, double quality, int orientation)
{
    if (!image)
        return std::nullopt;
    if (!std::isfinite(quality))
        quality = 1;
    JPEGWriteState state { rowsOf(image), image->kind() != CGImage::Kind::Color, std::clamp(int(std::lround(quality * 100)), 1, 100), orientation };
    if (orientation > 0 && orientation < 8) {
        ExifData* exif = exif_data_new();
        if (exif) {
            exif_data_set_byte_order(exif, EXIF_BYTE_ORDER_INTEL);
            if (ExifEntry* entry = exif_entry_new()) {
                exif_content_add_entry(exif->ifd[EXIF_IFD_0], entry);
                exif_entry_initialize(entry, EXIF_TAG_ORIENTATION);
                exif_set_short(entry->data, EXIF_BYTE_ORDER_INTEL, ExifShort(exifFromOrientation(orientation)));
                exif_entry_unref(entry);
            }
            exif_data_save_data(exif, &state.exif, &state.exifSize);
            exif_data_unref(exif);
        }
    }
    return compressJPEG(state);
}

std::optional<std::vector<uint8_t>> encodeJPEG(const PixelRows& pixels, int quality)
{
    if (!pixels.data || pixels.width == 0 || pixels.height == 0 || pixels.stride < pixels.width * 4)
        return std::nullopt;
    JPEGWriteState state { pixels, false, std::clamp(quality, 1, 100), 0 };
    return compressJPEG(state);
}

int jpegOrientation(const uint8_t* data, size_t size)
{
    if (!looksLikeJPEG(data, size) || size > (1u << 30))
        return 0;
    return orientationFromExifData(exif_data_new_from_data(data, static_cast<unsigned int>(size)));
}

} // namespace graphics
