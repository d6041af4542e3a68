#include "zarnekprefs/zarnekcolorpicker/ZarnekColorPalettes.h"

#include "platform/corefoundation/NSDictionary.h"
#include "platform/corefoundation/NSString.h"
#include "zarnekprefs/zarnekcolorpicker/UIColor+ZarnekHex.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace zarnek::palettes {

namespace {

using Entries = std::vector<std::pair<const char*, const char*>>;

objc::Ref<NSArray> entriesOf(const Entries& entries)
{
    std::vector<objc::Ref<objc::Object>> items;
    for (const auto& [name, hex] : entries)
        items.push_back(NSDictionary::make({ { "name", NSString::make(name) }, { "hex", NSString::make(hex) } }));
    return NSArray::make(std::move(items));
}

const Entries kSpecial {
    { "None", "none" },
    { "Transparent", "transparent" },
    { "Automatic", "automatic" },
    { "Automatic - only dark colors", "automatic_dark" },
    { "Automatic - only bright colors", "automatic_bright" },
};

const Entries kIOS {
    { "Purple", "#5856D6" }, { "System Blue", "#007AFF" }, { "Marine Blue", "#34AADC" }, { "Light Blue", "#5AC8FA" },
    { "Pink", "#FF2D55" }, { "System Red", "#FF3B30" }, { "Orange", "#FF9500" }, { "Yellow", "#FFCC00" },
    { "System Green", "#4CD964" }, { "Gray", "#8E8E93" },
};

const Entries kCrayons {
    { "Snow", "#FFFFFF" }, { "Mercury", "#E6E6E6" }, { "Silver", "#CCCCCC" }, { "Magnesium", "#B3B3B3" },
    { "Aluminum", "#999999" }, { "Nickel", "#808080" }, { "Tin", "#7F7F7F" }, { "Steel", "#666666" },
    { "Iron", "#4C4C4C" }, { "Tungsten", "#333333" }, { "Lead", "#191919" }, { "Licorice", "#000000" },
    { "Marascino", "#FF0000" }, { "Cayenne", "#800000" }, { "Salmon", "#FF6666" }, { "Maroon", "#800040" },
    { "Strawberry", "#FF0080" }, { "Carnation", "#FF6FCF" }, { "Magenta", "#FF00FF" }, { "Plum", "#800080" },
    { "BubbleGum", "#FF66FF" }, { "Lavender", "#CC66FF" }, { "Grape", "#8000FF" }, { "Eggplant", "#400080" },
    { "Blueberry", "#0000FF" }, { "Midnight", "#000080" }, { "Orchid", "#6666FF" }, { "Ocean", "#004080" },
    { "Aqua", "#0080FF" }, { "Sky", "#66CCFF" }, { "Turquoise", "#00FFFF" }, { "Teal", "#008080" },
    { "Ice", "#66FFFF" }, { "Spindrift", "#66FFCC" }, { "Sea Foam", "#00FF80" }, { "Moss", "#008040" },
    { "Spring", "#00FF00" }, { "Clover", "#008000" }, { "Flora", "#66FF66" }, { "Fern", "#408000" },
    { "Lime", "#80FF00" }, { "Honeydew", "#CCFF66" }, { "Lemon", "#FFFF00" }, { "Asperagus", "#808000" },
    { "Banana", "#FFFF66" }, { "Cantaloupe", "#FFCC66" }, { "Tangerine", "#FF8000" }, { "Mocha", "#804000" },
};

const Entries kCustom { { "Custom", "custom" } };

std::string hexOf(objc::Object* entry)
{
    auto* dictionary = dynamic_cast<NSDictionary*>(entry);
    auto hex = dictionary ? dictionary->stringForKey("hex") : std::nullopt;
    return hex.value_or(std::string());
}

} // namespace

objc::Ref<NSArray> specialColors() { return entriesOf(kSpecial); }
objc::Ref<NSArray> iOSColors() { return entriesOf(kIOS); }
objc::Ref<NSArray> crayonColors() { return entriesOf(kCrayons); }
objc::Ref<NSArray> customColor() { return entriesOf(kCustom); }

objc::Ref<NSArray> allPalettes()
{
    auto palette = [](const char* title, objc::Ref<NSArray> colours) -> objc::Ref<objc::Object> {
        return NSDictionary::make({ { "title", NSString::make(title) }, { "colors", colours } });
    };
    return NSArray::make({ palette("Special", specialColors()), palette("iOS Palette", iOSColors()), palette("Crayons", crayonColors()),
        palette("Custom", customColor()) });
}

std::string specialSubtitle(const std::string& hex)
{
    if (hex == "none")
        return "*default color";
    if (hex == "transparent")
        return "*transparent - hide";
    if (hex == "automatic")
        return "*based on app icon";
    if (hex == "automatic_dark")
        return "*based on app icon - ignore all bright pixels";
    if (hex == "automatic_bright")
        return "*based on app icon - ignore all dark pixels";
    return {};
}

bool presetColorExists(const std::string& hex)
{
    for (const Entries* palette : { &kSpecial, &kIOS, &kCrayons, &kCustom })
        for (const auto& entry : *palette)
            if (hex == entry.second)
                return true;
    return false;
}

objc::Ref<NSArray> sortByHue(NSArray* entries)
{
    if (!entries)
        return NSArray::make();
    using Key = std::tuple<CGFloat, CGFloat, CGFloat>;
    std::vector<std::pair<Key, objc::Ref<objc::Object>>> keyed;
    for (const auto& item : entries->items()) {
        CGFloat hue = 0, saturation = 0, brightness = 0;
        colorFromHexString(hexOf(item.ptr()))->getHue(&hue, &saturation, &brightness, nullptr);
        keyed.push_back({ { hue, saturation, brightness }, item });
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<objc::Ref<objc::Object>> sorted;
    for (auto& [key, item] : keyed)
        sorted.push_back(item);
    return NSArray::make(std::move(sorted));
}

} // namespace zarnek::palettes
