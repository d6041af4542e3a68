#pragma once

// The one edit in progress, shared by every step of the workflow: the icon (or page) being
// edited with its key and paths. Touched on the main thread only; reset when a flow ends.

#include "platform/corefoundation/NSArray.h"
#include "platform/runtime/Object.h"

#include <optional>
#include <string>

namespace ovrimo {

struct EditingState {
    // Not owned: SpringBoard keeps its icons.
    objc::WeakRef<objc::Object> currentIcon;
    std::optional<std::string> currentDisplayName;
    std::optional<std::string> currentIconKey;
    std::optional<std::string> currentIconPath;
    // True while a whole page is being edited: decides where a picture goes and what the
    // cropper's result means.
    bool multiMode = false;
    bool pageInFolder = false;
    objc::Ref<NSArray> pageIcons;
    objc::Ref<NSArray> pageIconKeys;
    objc::Ref<NSArray> pageIconPaths;
};

EditingState& Editing();
// Back to no edit (the body of +[OvrimoHelper cleanupOnDimiss]).
void ResetEditingState();

} // namespace ovrimo
