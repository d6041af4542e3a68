// The home screen's layout file: read, written back and read again. What the reader makes of a
// file must survive being written: the second reading equals the first.

#include "FuzzDevice.h"

#include "device/springboard/IconLayout.h"

// Beside the types, where the comparisons of vectors and optionals find them.
namespace springboard {

bool operator==(const LayoutFolder& a, const LayoutFolder& b) { return a.displayName == b.displayName && a.pages == b.pages; }
bool operator==(const LayoutItem& a, const LayoutItem& b) { return a.identifier == b.identifier && a.folder == b.folder; }
bool operator==(const IconLayout& a, const IconLayout& b) { return a.dock == b.dock && a.pages == b.pages; }

} // namespace springboard

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::device();
    fuzz::writeDeviceFile(springboard::kIconStatePath, data, size);
    std::string problem, error;
    std::vector<std::string> warnings;
    auto layout = springboard::readLayout(springboard::kIconStatePath, &problem, &warnings);
    if (!layout) {
        if (problem.empty())
            fuzz::fail("a layout file was refused without a reason");
        return 0;
    }
    if (!springboard::writeLayout(*layout, springboard::kIconStatePath, &error))
        fuzz::fail("a layout that was read cannot be written back");
    auto again = springboard::readLayout(springboard::kIconStatePath, &problem, &warnings);
    if (!again)
        fuzz::fail("the layout written back does not read");
    if (!(*layout == *again))
        fuzz::fail("the layout changed when it was written back");
    return 0;
}
