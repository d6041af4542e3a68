#pragma once

// An app's icon in search results (systems 10 and later). Runtime methods: bundleIdentifier
// (and bundleID from system 12), generateImageWithFormat:.

#include "platform/graphics/UIImage.h"
#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <string>

class SearchUIAppIconImage : public objc::NSObject {
    OBJC_CLASS(SearchUIAppIconImage)
public:
    SearchUIAppIconImage() = default;
    explicit SearchUIAppIconImage(std::string bundleIdentifier)
        : m_bundleIdentifier(std::move(bundleIdentifier))
    {
    }

    static void registerClass(objc::Runtime& rt, bool withBundleID);

private:
    const std::string& bundleIdentifier() const { return m_bundleIdentifier; }
    objc::Ref<UIImage> generateImageWithFormat(std::int64_t format) const;

    std::string m_bundleIdentifier;
};
