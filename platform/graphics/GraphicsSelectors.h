#pragma once

// Selectors of the drawing classes (UIImage, UIColor, UIBezierPath), declared once with their
// signatures. NSObject's own (isEqual:, description) are in platform/runtime/NSObjectSelectors.h.

#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/runtime/Sel.h"

#include <string>

namespace graphics::sel {

using objc::Ref;
using objc::Sel;

// UIImage
inline constinit Sel<Ref<UIImage>(std::string)> imageWithContentsOfFile { "imageWithContentsOfFile:" };
inline constinit Sel<Ref<UIImage>(CGImage*)> imageWithCGImage { "imageWithCGImage:" };
inline constinit Sel<Ref<UIImage>(CGImage*, CGFloat, UIImageOrientation)> imageWithCGImageScaleOrientation { "imageWithCGImage:scale:orientation:" };
inline constinit Sel<Ref<UIImage>(CGImage*, CGFloat, UIImageOrientation)> initWithCGImageScaleOrientation { "initWithCGImage:scale:orientation:" };
inline constinit Sel<Ref<UIImage>(CGImage*)> initWithCGImage { "initWithCGImage:" };
// NOTE: the same selector as NSData's and the collections' (CoreFoundationSelectors.h), which
// this layer does not see.
inline constinit Sel<Ref<UIImage>(std::string)> initWithContentsOfFile { "initWithContentsOfFile:" };
inline constinit Sel<CGSize()> size { "size" };
inline constinit Sel<long()> renderingMode { "renderingMode" };
inline constinit Sel<Ref<UIImage>(long)> imageWithRenderingMode { "imageWithRenderingMode:" };
inline constinit Sel<CGFloat()> scale { "scale" };
inline constinit Sel<Ref<CGImage>()> CGImage { "CGImage" };
inline constinit Sel<UIImageOrientation()> imageOrientation { "imageOrientation" };
inline constinit Sel<void(CGRect)> drawInRect { "drawInRect:" };
inline constinit Sel<void(CGRect, CGBlendMode, CGFloat)> drawInRectBlendModeAlpha { "drawInRect:blendMode:alpha:" };
inline constinit Sel<void(CGPoint)> drawAtPoint { "drawAtPoint:" };
inline constinit Sel<void(CGPoint, CGBlendMode, CGFloat)> drawAtPointBlendModeAlpha { "drawAtPoint:blendMode:alpha:" };

// UIColor
inline constinit Sel<Ref<UIColor>(CGFloat, CGFloat, CGFloat, CGFloat)> colorWithRedGreenBlueAlpha { "colorWithRed:green:blue:alpha:" };
inline constinit Sel<Ref<UIColor>(CGFloat, CGFloat)> colorWithWhiteAlpha { "colorWithWhite:alpha:" };
inline constinit Sel<Ref<UIColor>(CGFloat, CGFloat, CGFloat, CGFloat)> colorWithHueSaturationBrightnessAlpha { "colorWithHue:saturation:brightness:alpha:" };
inline constinit Sel<Ref<UIColor>(CGColor*)> colorWithCGColor { "colorWithCGColor:" };
inline constinit Sel<Ref<UIColor>()> blackColor { "blackColor" };
inline constinit Sel<Ref<UIColor>()> darkGrayColor { "darkGrayColor" };
inline constinit Sel<Ref<UIColor>()> lightGrayColor { "lightGrayColor" };
inline constinit Sel<Ref<UIColor>()> whiteColor { "whiteColor" };
inline constinit Sel<Ref<UIColor>()> grayColor { "grayColor" };
inline constinit Sel<Ref<UIColor>()> redColor { "redColor" };
inline constinit Sel<Ref<UIColor>()> greenColor { "greenColor" };
inline constinit Sel<Ref<UIColor>()> blueColor { "blueColor" };
inline constinit Sel<Ref<UIColor>()> cyanColor { "cyanColor" };
inline constinit Sel<Ref<UIColor>()> yellowColor { "yellowColor" };
inline constinit Sel<Ref<UIColor>()> magentaColor { "magentaColor" };
inline constinit Sel<Ref<UIColor>()> orangeColor { "orangeColor" };
inline constinit Sel<Ref<UIColor>()> purpleColor { "purpleColor" };
inline constinit Sel<Ref<UIColor>()> brownColor { "brownColor" };
inline constinit Sel<Ref<UIColor>()> clearColor { "clearColor" };
inline constinit Sel<Ref<UIColor>()> lightTextColor { "lightTextColor" };
inline constinit Sel<Ref<UIColor>()> darkTextColor { "darkTextColor" };
inline constinit Sel<Ref<UIColor>()> groupTableViewBackgroundColor { "groupTableViewBackgroundColor" };
inline constinit Sel<Ref<UIColor>()> systemBlueColor { "systemBlueColor" };
inline constinit Sel<Ref<UIColor>(CGFloat, CGFloat, CGFloat, CGFloat)> initWithRedGreenBlueAlpha { "initWithRed:green:blue:alpha:" };
inline constinit Sel<Ref<UIColor>(CGFloat, CGFloat)> initWithWhiteAlpha { "initWithWhite:alpha:" };
inline constinit Sel<bool(CGFloat*, CGFloat*, CGFloat*, CGFloat*)> getRedGreenBlueAlpha { "getRed:green:blue:alpha:" };
inline constinit Sel<bool(CGFloat*, CGFloat*, CGFloat*, CGFloat*)> getHueSaturationBrightnessAlpha { "getHue:saturation:brightness:alpha:" };
inline constinit Sel<bool(CGFloat*, CGFloat*)> getWhiteAlpha { "getWhite:alpha:" };
inline constinit Sel<Ref<UIColor>(CGFloat)> colorWithAlphaComponent { "colorWithAlphaComponent:" };
inline constinit Sel<Ref<CGColor>()> CGColor { "CGColor" };
inline constinit Sel<void()> setFill { "setFill" };
inline constinit Sel<void()> setStroke { "setStroke" };
inline constinit Sel<void()> set { "set" };

// UIBezierPath
inline constinit Sel<Ref<UIBezierPath>()> bezierPath { "bezierPath" };
inline constinit Sel<Ref<UIBezierPath>(CGRect)> bezierPathWithRect { "bezierPathWithRect:" };
inline constinit Sel<Ref<UIBezierPath>(CGRect, CGFloat)> bezierPathWithRoundedRectCornerRadius { "bezierPathWithRoundedRect:cornerRadius:" };
inline constinit Sel<Ref<UIBezierPath>(CGRect)> bezierPathWithOvalInRect { "bezierPathWithOvalInRect:" };
inline constinit Sel<void(CGPoint)> moveToPoint { "moveToPoint:" };
inline constinit Sel<void(CGPoint)> addLineToPoint { "addLineToPoint:" };
inline constinit Sel<void(CGPoint, CGPoint, CGPoint)> addCurveToPointControlPoint1ControlPoint2 { "addCurveToPoint:controlPoint1:controlPoint2:" };
inline constinit Sel<void()> closePath { "closePath" };
inline constinit Sel<void(UIBezierPath*)> appendPath { "appendPath:" };
inline constinit Sel<CGRect()> bounds { "bounds" };
inline constinit Sel<bool(CGPoint)> containsPoint { "containsPoint:" };
inline constinit Sel<CGFloat()> lineWidth { "lineWidth" };
inline constinit Sel<void(CGFloat)> setLineWidth { "setLineWidth:" };
inline constinit Sel<void()> fill { "fill" };
inline constinit Sel<void()> stroke { "stroke" };
inline constinit Sel<void()> addClip { "addClip" };

} // namespace graphics::sel
