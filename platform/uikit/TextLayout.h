#pragma once

// Text measured and drawn with pango (through pangocairo) in the system font. Shared by label
// sizing and by the views' drawing, so that what is measured is what is painted.

#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

typedef struct _cairo cairo_t;

namespace uikit {

struct TextStyle {
    // Owned, so that a style made from a font just created (a table's footer font) keeps it alive.
    objc::Ref<const UIFont> font; // null: the system font of 17 points
    NSTextAlignment alignment = NSTextAlignmentNatural;
    NSInteger numberOfLines = 1; // 0: as many as fit
    NSLineBreakMode lineBreakMode = NSLineBreakByTruncatingTail;
};

// The size the text takes when laid out no wider than `maxWidth` (0 or less: unlimited).
CGSize measureText(const std::string& text, const TextStyle& style, CGFloat maxWidth);

// Draws the text in `rect` (user space of `cr`), vertically centred as a label draws it, in the
// current cairo source colour. Lines beyond the rectangle's height or the line limit are dropped,
// the last one shown truncated with an ellipsis when the line break mode truncates.
void drawText(cairo_t* cr, const std::string& text, const TextStyle& style, CGRect rect);

} // namespace uikit
