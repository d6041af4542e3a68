#include "platform/uikit/UIFont.h"

#include "platform/runtime/ClassBuilder.h"
#include "platform/uikit/UIKitSelectors.h"
#include "platform/uikit/TextLayout.h"

#include <algorithm>
#include <cctype>

using objc::Ref;

Ref<UIFont> UIFont::make(std::string name, CGFloat size, bool bold, bool italic)
{
    auto font = objc::make<UIFont>();
    font->m_name = std::move(name);
    font->m_size = size > 0 ? size : 17;
    font->m_bold = bold;
    font->m_italic = italic;
    return font;
}

namespace {

bool contains(std::string haystack, std::string needle)
{
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    return lower(std::move(haystack)).find(lower(std::move(needle))) != std::string::npos;
}

} // namespace

Ref<UIFont> UIFont::systemFontOfSize(CGFloat size) { return make(".SFUIText", size, false, false); }
Ref<UIFont> UIFont::boldSystemFontOfSize(CGFloat size) { return make(".SFUIText-Semibold", size, true, false); }
Ref<UIFont> UIFont::italicSystemFontOfSize(CGFloat size) { return make(".SFUIText-Italic", size, false, true); }

Ref<UIFont> UIFont::systemFontOfSizeWeight(CGFloat size, CGFloat weight)
{
    return weight >= 0.3 ? boldSystemFontOfSize(size) : systemFontOfSize(size);
}

Ref<UIFont> UIFont::fontWithName(const std::string& name, CGFloat size)
{
    bool bold = contains(name, "bold") || contains(name, "semibold") || contains(name, "heavy") || contains(name, "black");
    bool italic = contains(name, "italic") || contains(name, "oblique");
    return make(name, size, bold, italic);
}

Ref<UIFont> UIFont::fontWithSize(CGFloat size) const { return make(m_name, size, m_bold, m_italic); }

std::string UIFont::familyName() const
{
    auto dash = m_name.find('-');
    return dash == std::string::npos ? m_name : m_name.substr(0, dash);
}

CGFloat UIFont::lineHeight() const
{
    uikit::TextStyle style;
    style.font = this;
    return uikit::measureText("Xg", style, 0).height;
}

std::string UIFont::pangoDescription() const
{
    // Inter stands in for the phone's system face: its letters are about as wide, so a text that
    // fits a line on the phone fits here too (DejaVu Sans is a sixth wider). The phone's bold
    // system font is a semibold.
    std::string desc = uikit::kSystemFaceFamily;
    if (m_bold)
        desc += " Semi-Bold";
    if (m_italic)
        desc += " Italic";
    // Sizes in points of the screen: pango's "px" unit is one user-space unit.
    desc += " " + std::to_string(static_cast<int>(std::lround(m_size * 100)) / 100.0) + "px";
    return desc;
}

void UIFont::registerClass(objc::Runtime& rt)
{
    namespace sel = uikit::sel;
    objc::ClassBuilder<UIFont>(rt, "NSObject")
        .classMethod(sel::systemFontOfSize, &UIFont::systemFontOfSize)
        .classMethod(sel::boldSystemFontOfSize, &UIFont::boldSystemFontOfSize)
        .classMethod(sel::italicSystemFontOfSize, &UIFont::italicSystemFontOfSize)
        .classMethod(sel::systemFontOfSizeWeight, &UIFont::systemFontOfSizeWeight)
        .classMethod(sel::fontWithNameSize, &UIFont::fontWithName)
        .method(sel::fontWithSize, &UIFont::fontWithSize)
        .method(sel::pointSize, &UIFont::pointSize)
        .method(sel::fontName, &UIFont::fontName)
        .method(sel::familyName, &UIFont::familyName)
        .method(sel::lineHeight, &UIFont::lineHeight)
        .build();
}
