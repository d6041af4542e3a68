#pragma once

// UIKit image canvases and the current-context stack (one per thread). A canvas is a CGContext of
// kind Canvas: origin at the top left, y downwards, in points at the canvas's scale.

#include "platform/graphics/CGContext.h"

class UIImage;

void UIGraphicsBeginImageContext(CGSize size);
// `scale` 0 means the main screen's scale. An empty or too large size opens no canvas (the stack
// still gets an entry, so that the matching End stays balanced); drawing then does nothing and
// the image taken out is null.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
CGContextRef UIGraphicsGetCurrentContext();
// The current canvas as an image of the canvas's scale; null when the current context is not an
// image canvas.
objc::Ref<UIImage> UIGraphicsGetImageFromCurrentImageContext();
void UIGraphicsEndImageContext();
void UIGraphicsPushContext(CGContext* context);
void UIGraphicsPopContext();

void UIRectFill(CGRect rect);
void UIRectFillUsingBlendMode(CGRect rect, CGBlendMode mode);
void UIRectClip(CGRect rect);
