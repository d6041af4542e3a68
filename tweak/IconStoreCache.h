#pragma once

// A memo of stored pictures as they are shown, which can never hide a change of the store.
//
// The store's file is still opened and read on every lookup; what is saved is the decoding and the
// shaping. An entry remembers everything its image was made from, compared in full, never by a
// hash or a file time: the file's whole bytes, whether the picture is shown unchanged or shaped,
// the scale the file's name gives, the screen's scale and, for a shaped picture, the reference's
// size, scale, orientation and alpha (shaping uses nothing else of the reference). A lookup that
// differs in any of these finds nothing and the caller makes the image afresh. Entries are found
// again by a descriptor (the file's path and the sizes and modes), so a changed file replaces its
// old entry instead of leaving it behind.
//
// Memory is bounded: every entry is accounted with its file bytes, its copy of the reference's
// alpha and its image's pixels, and the least recently used entries are dropped to keep the total
// within the budget (32 MB for the process's own memo). An entry larger than the budget is not kept.
//
// Used on the main thread, where the icon lookups run; a mutex makes a stray call from another
// thread safe too. An entry keeps the image's bitmap (immutable, shared between lookups) and each
// hit wraps it in a new UIImage of the current runtime, so no object outlives the device it was
// made on.

#include "platform/graphics/UIImage.h"

#include <cstddef>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace ovrimo {

// What a shown image depends on. `reference` is null when the picture is shown unchanged.
struct ShownImageInputs {
    const std::string& path;
    const std::string& fileBytes;
    CGFloat fileScale;
    UIImage* reference;
    CGFloat screenScale;
};

class ShownImageCache {
public:
    static constexpr std::size_t kDefaultBudgetBytes = 32u << 20;

    explicit ShownImageCache(std::size_t budgetBytes = kDefaultBudgetBytes);
    ShownImageCache(const ShownImageCache&) = delete;
    ShownImageCache& operator=(const ShownImageCache&) = delete;

    // The image made from exactly these inputs before (null when the file was not a picture), or
    // nothing when there is none.
    std::optional<objc::Ref<UIImage>> find(const ShownImageInputs& inputs);
    // Remembers `image` (or null: not a picture) as made from `inputs`.
    void insert(const ShownImageInputs& inputs, objc::Ref<UIImage> image);
    void clear();

    std::size_t budgetBytes() const { return m_budget; }
    std::size_t accountedBytes() const;
    std::size_t entryCount() const;

private:
    struct Entry {
        std::string descriptor;
        std::string fileBytes;
        std::string referenceAlpha;
        CGImageRef bitmap; // null: the file is not a picture
        CGFloat scale = 1;
        UIImageOrientation orientation = UIImageOrientationUp;
        std::size_t bytes = 0;
    };
    using Entries = std::list<Entry>;

    void removeLocked(Entries::iterator entry);

    const std::size_t m_budget;
    mutable std::mutex m_mutex;
    Entries m_entries; // most recently used first
    std::unordered_map<std::string, Entries::iterator> m_byDescriptor;
    std::size_t m_accounted = 0;
};

// The process's memo of shown custom icons.
ShownImageCache& SharedShownImageCache();

} // namespace ovrimo
