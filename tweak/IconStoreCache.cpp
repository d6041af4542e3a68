#include "tweak/IconStoreCache.h"

#include <cstdio>
#include <cstring>

namespace ovrimo {

using objc::Ref;

namespace {

// What an entry costs besides its buffers: the list node, the index and the strings' headers.
constexpr std::size_t kEntryOverheadBytes = 256;

// The part of the reference that shaping reads: the alpha of a colour picture (opaque when it has
// none), every byte of any other kind of picture. Empty without a reference.
std::string referenceAlpha(UIImage* reference)
{
    CGImage* image = reference ? reference->CGImage().ptr() : nullptr;
    if (!image)
        return {};
    const uint8_t* data = image->data();
    size_t width = image->width(), height = image->height(), stride = image->bytesPerRow();
    if (image->kind() != CGImage::Kind::Color)
        return std::string(reinterpret_cast<const char*>(data), image->dataSize());
    std::string alpha(width * height, char(0xFF));
    if (!image->hasAlpha())
        return alpha;
    for (size_t y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        char* out = alpha.data() + y * width;
        for (size_t x = 0; x < width; ++x)
            out[x] = char(row[x] >> 24);
    }
    return alpha;
}

// Everything but the file's bytes and the reference's alpha, which are compared in full.
std::string descriptorOf(const ShownImageInputs& inputs)
{
    char text[256];
    if (CGImage* image = inputs.reference ? inputs.reference->CGImage().ptr() : nullptr) {
        std::snprintf(text, sizeof text, "|shaped %zux%zu kind %d scale %.17g orientation %d|file scale %.17g|screen %.17g", image->width(),
            image->height(), int(image->kind()), inputs.reference->scale(), int(inputs.reference->imageOrientation()), inputs.fileScale,
            inputs.screenScale);
    } else {
        std::snprintf(text, sizeof text, "|unchanged|file scale %.17g|screen %.17g", inputs.fileScale, inputs.screenScale);
    }
    return inputs.path + text;
}


} // namespace

ShownImageCache::ShownImageCache(std::size_t budgetBytes)
    : m_budget(budgetBytes)
{
}

std::optional<Ref<UIImage>> ShownImageCache::find(const ShownImageInputs& inputs)
{
    std::string descriptor = descriptorOf(inputs);
    std::lock_guard lock(m_mutex);
    auto found = m_byDescriptor.find(descriptor);
    if (found == m_byDescriptor.end())
        return std::nullopt;
    Entries::iterator entry = found->second;
    if (entry->fileBytes != inputs.fileBytes || entry->referenceAlpha != referenceAlpha(inputs.reference))
        return std::nullopt;
    m_entries.splice(m_entries.begin(), m_entries, entry);
    if (!entry->bitmap)
        return Ref<UIImage>();
    return UIImage::imageWithCGImage(entry->bitmap, entry->scale, entry->orientation);
}

void ShownImageCache::insert(const ShownImageInputs& inputs, Ref<UIImage> image)
{
    Entry entry;
    entry.descriptor = descriptorOf(inputs);
    entry.fileBytes = inputs.fileBytes;
    entry.referenceAlpha = referenceAlpha(inputs.reference);
    if (image && image->CGImage()) {
        entry.bitmap = image->CGImage();
        entry.scale = image->scale();
        entry.orientation = image->imageOrientation();
    }
    std::size_t bitmapBytes = entry.bitmap ? entry.bitmap->dataSize() : 0;
    entry.bytes = kEntryOverheadBytes + 2 * entry.descriptor.size() + entry.fileBytes.size() + entry.referenceAlpha.size() + bitmapBytes;

    std::lock_guard lock(m_mutex);
    // The entry these inputs replace (the file or the reference has changed) goes first.
    if (auto old = m_byDescriptor.find(entry.descriptor); old != m_byDescriptor.end())
        removeLocked(old->second);
    if (entry.bytes > m_budget)
        return;
    while (m_accounted + entry.bytes > m_budget && !m_entries.empty())
        removeLocked(std::prev(m_entries.end()));
    m_accounted += entry.bytes;
    m_entries.push_front(std::move(entry));
    m_byDescriptor.emplace(m_entries.front().descriptor, m_entries.begin());
}

void ShownImageCache::removeLocked(Entries::iterator entry)
{
    m_accounted -= entry->bytes;
    m_byDescriptor.erase(entry->descriptor);
    m_entries.erase(entry);
}

void ShownImageCache::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_byDescriptor.clear();
    m_accounted = 0;
}

std::size_t ShownImageCache::accountedBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_accounted;
}

std::size_t ShownImageCache::entryCount() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

ShownImageCache& SharedShownImageCache()
{
    static ShownImageCache cache;
    return cache;
}

} // namespace ovrimo
