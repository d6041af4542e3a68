#pragma once

// The home screen layout file, in the phone's own format:
//   /var/mobile/Library/SpringBoard/IconState.plist
//   { "buttonBar": [ bundle identifiers of the dock ],
//     "iconLists": [ [ item, ... ], ... ] }   one array per page
// where an item is a bundle identifier, a web clip identifier, or a folder
//   { "displayName": "Utilities", "listType": "folder", "iconLists": [ [ identifiers ], ... ] }.
// Web clips live in /var/mobile/Library/WebClips/IDENTIFIER.webclip/Info.plist ("Title", "URL").

#include "device/profiles/DeviceProfile.h"
#include "platform/runtime/Object.h"

#include <optional>
#include <string>
#include <vector>

namespace springboard {

inline constexpr const char* kIconStatePath = "/var/mobile/Library/SpringBoard/IconState.plist";
inline constexpr const char* kWebClipsFolder = "/var/mobile/Library/WebClips";
inline constexpr const char* kPhotosFolder = "/var/mobile/Media/DCIM/100APPLE";

struct LayoutFolder {
    std::string displayName;
    std::vector<std::vector<std::string>> pages;
};

struct LayoutItem {
    std::string identifier; // empty for a folder
    std::optional<LayoutFolder> folder;
};

struct IconLayout {
    std::vector<std::string> dock;
    std::vector<std::vector<LayoutItem>> pages;
};

struct WebClipInfo {
    std::string identifier;
    std::string title;
    std::string url;
};

// The layout a new phone of this profile starts with: two pages, a dock, one folder and one web
// clip (kDefaultWebClip), using only the profile's apps.
IconLayout defaultLayout(const device::DeviceProfile& profile);
inline constexpr const char* kDefaultWebClipIdentifier = "5F1C8B2E9A7D4C3B8E6F0A1D2C3B4A59";
WebClipInfo defaultWebClip();

// Reads the layout file. Nothing (with `problem` saying why) when it is missing or is not a
// layout at all; items of the wrong kind inside a good file are skipped and reported in
// `warnings`.
std::optional<IconLayout> readLayout(const std::string& devicePath, std::string* problem, std::vector<std::string>* warnings);
objc::Ref<objc::Object> layoutPropertyList(const IconLayout& layout);
// Writes the layout file atomically (folders made as needed). False with `error` on failure.
bool writeLayout(const IconLayout& layout, const std::string& devicePath, std::string* error);

// A web clip's Info.plist. Nothing (with `problem`) when the identifier is not a plain name, or
// the file is missing or damaged.
std::optional<WebClipInfo> readWebClip(const std::string& identifier, std::string* problem);
bool writeWebClip(const WebClipInfo& clip, std::string* error);
// A web clip identifier must be one plain file name: no "/", no "..", not empty.
bool isPlainName(const std::string& identifier);

} // namespace springboard
