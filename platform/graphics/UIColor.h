#pragma once

// UIColor: an immutable colour, red, green, blue and alpha in 0…1 (or a white level for colours
// made as grey). A runtime class; the selectors below are registered as runtime methods.

#include "platform/graphics/CGColor.h"
#include "platform/runtime/NSObject.h"

#include <string>

class UIColor : public objc::NSObject {
    OBJC_CLASS(UIColor)
public:
    UIColor() = default;
    UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    // A grey colour (made with colorWithWhite:alpha:), whose CGColor is in the grey colour space.
    UIColor(CGFloat white, CGFloat alpha);

    static objc::Ref<UIColor> colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    static objc::Ref<UIColor> colorWithWhite(CGFloat white, CGFloat alpha);
    // Hue, saturation and brightness in 0…1 (a hue of 1 is red again).
    static objc::Ref<UIColor> colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha);
    static objc::Ref<UIColor> colorWithCGColor(const CGColor* color);

    static objc::Ref<UIColor> blackColor();
    static objc::Ref<UIColor> darkGrayColor();
    static objc::Ref<UIColor> lightGrayColor();
    static objc::Ref<UIColor> whiteColor();
    static objc::Ref<UIColor> grayColor();
    static objc::Ref<UIColor> redColor();
    static objc::Ref<UIColor> greenColor();
    static objc::Ref<UIColor> blueColor();
    static objc::Ref<UIColor> cyanColor();
    static objc::Ref<UIColor> yellowColor();
    static objc::Ref<UIColor> magentaColor();
    static objc::Ref<UIColor> orangeColor();
    static objc::Ref<UIColor> purpleColor();
    static objc::Ref<UIColor> brownColor();
    static objc::Ref<UIColor> clearColor();
    static objc::Ref<UIColor> lightTextColor();
    static objc::Ref<UIColor> darkTextColor();
    static objc::Ref<UIColor> groupTableViewBackgroundColor();
    static objc::Ref<UIColor> systemBlueColor();

    CGFloat red() const { return m_red; }
    CGFloat green() const { return m_green; }
    CGFloat blue() const { return m_blue; }
    CGFloat alpha() const { return m_alpha; }
    bool isGrey() const { return m_grey; }

    // The platform's out-parameter accessors; any pointer may be null. Always true here (every
    // colour of this layer is RGB-compatible).
    bool getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
    bool getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const;
    bool getWhite(CGFloat* white, CGFloat* alpha) const;
    objc::Ref<UIColor> colorWithAlphaComponent(CGFloat alpha) const;
    CGColorRef CGColor() const;
    bool isEqual(const UIColor* other) const;
    std::string description() const;

    // Makes this the fill (or stroke) colour of the current graphics context.
    void setFill() const;
    void setStroke() const;
    void set() const;

    static void registerClass(objc::Runtime& runtime);

private:
    // The initialisers (runtime methods).
    objc::Ref<UIColor> initWithRedGreenBlueAlpha(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    objc::Ref<UIColor> initWithWhiteAlpha(CGFloat white, CGFloat alpha);

    CGFloat m_red = 0, m_green = 0, m_blue = 0, m_alpha = 0;
    bool m_grey = false;
};
