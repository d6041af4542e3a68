#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSObject.h"
#include "platform/uikit/UIKitTypes.h"

#include <string>

namespace uikit {
// The font family every text is drawn in (fonts-inter).
inline constexpr const char* kSystemFaceFamily = "Inter";
} // namespace uikit

// A font: a name, a size in points, and the weight and slant read from the name. Every family is
// drawn with the device's system face (Inter, of about the phone's widths), bold or not.
class UIFont : public objc::NSObject {
    OBJC_CLASS(UIFont)
public:
    static objc::Ref<UIFont> systemFontOfSize(CGFloat size);
    static objc::Ref<UIFont> boldSystemFontOfSize(CGFloat size);
    static objc::Ref<UIFont> italicSystemFontOfSize(CGFloat size);
    // `weight` as the platform's UIFontWeight values (0 regular, 0.4 semibold and above count as bold).
    static objc::Ref<UIFont> systemFontOfSizeWeight(CGFloat size, CGFloat weight);
    // Names ending in "-Bold", "-Semibold", "-Heavy" or "-Black" are bold; "Italic"/"Oblique" slant.
    static objc::Ref<UIFont> fontWithName(const std::string& name, CGFloat size);
    objc::Ref<UIFont> fontWithSize(CGFloat size) const;
    static objc::Ref<UIFont> make(std::string name, CGFloat size, bool bold, bool italic);

    const std::string& fontName() const { return m_name; }
    std::string familyName() const;
    CGFloat pointSize() const { return m_size; }
    bool isBold() const { return m_bold; }
    bool isItalic() const { return m_italic; }
    // The height of one line of text, as pango lays it out.
    CGFloat lineHeight() const;

    // A pango font description ("Inter Semi-Bold 17px").
    std::string pangoDescription() const;

    static void registerClass(objc::Runtime&);

private:
    std::string m_name = ".SFUIText";
    CGFloat m_size = 17;
    bool m_bold = false;
    bool m_italic = false;
};
