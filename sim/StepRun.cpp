#include "sim/StepRun.h"

#include "sim/ScriptRunner.h"

#include "device/Device.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace sim {

namespace {

bool onScreen(UIView* view) { return view && !CGRectIsEmpty(visibleRectOf(view)); }

// The topmost view on screen below `root` for which `match` holds.
UIView* findOnScreen(UIView* root, const std::function<bool(UIView*)>& match)
{
    if (!root || root->isHidden())
        return nullptr;
    const auto& children = root->subviews();
    for (auto child = children.rbegin(); child != children.rend(); ++child)
        if (UIView* found = findOnScreen(child->ptr(), match))
            return found;
    return match(root) && onScreen(root) ? root : nullptr;
}

void collectTables(UIView* root, std::vector<UITableView*>& tables)
{
    if (!root || root->isHidden())
        return;
    if (auto* table = dynamic_cast<UITableView*>(root); table && onScreen(table))
        tables.push_back(table);
    for (const auto& child : root->subviews())
        collectTables(child.ptr(), tables);
}

// Files the runner reads whole: photos and the package's libraries.
constexpr std::size_t kLargestFileRead = 512u << 20;

} // namespace

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

CGPoint middle(CGRect r) { return CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)); }

UIWindow* StepRun::window() const
{
    UIWindow* w = device.window();
    if (!w)
        throw StepFailure("the device has no window on screen");
    return w;
}

CGRect StepRun::screen() const { return window()->bounds(); }

FoundView StepRun::find(const std::string& label) const
{
    FoundView found = findView(window(), label);
    if (!found.view)
        throw StepFailure("nothing on screen has the label, title or text " + quoted(label) + onScreenHint());
    return found;
}

UIAlertController* StepRun::alert() const
{
    UIAlertController* a = alertOnScreen(window());
    if (!a)
        throw StepFailure("no alert or sheet is on screen" + onScreenHint());
    return a;
}

std::string StepRun::onScreenHint() const
{
    auto texts = visibleTexts(window());
    if (texts.empty())
        return " (no text is on screen)";
    std::string hint = " (on screen: ";
    size_t shown = 0;
    for (const auto& t : texts) {
        if (shown == 12) {
            hint += ", ...";
            break;
        }
        hint += (shown ? ", " : "") + quoted(t);
        ++shown;
    }
    return hint + ")";
}

UIView* StepRun::reveal(const std::function<bool(UIView*)>& match) const
{
    UIWindow* root = window();
    if (UIView* found = findOnScreen(root, match))
        return found;
    std::vector<UITableView*> tables;
    collectTables(root, tables);
    for (UITableView* table : tables) {
        double page = std::max(44.0, table->bounds().size.height * 0.6);
        double end = std::max(0.0, table->contentSize().height - table->bounds().size.height);
        for (double y = 0;; y = std::min(end, y + page)) {
            table->setContentOffset(CGPointMake(table->contentOffset().x, y), false);
            table->layoutIfNeeded();
            device.runUntilIdle();
            if (UIView* found = findOnScreen(root, match))
                return found;
            if (y >= end)
                break;
        }
    }
    return nullptr;
}

void StepRun::settle() const
{
    device.runUntilIdle();
    device.advance(runner.settleMilliseconds());
}

void StepRun::runUntilIdle() const { device.runUntilIdle(); }

bool isPicture(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char head[8] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (in.gcount() < 3)
        return false;
    static const unsigned char png[8] = { 0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a };
    bool isPng = in.gcount() == 8 && std::equal(head, head + 8, png);
    bool isJpeg = head[0] == 0xff && head[1] == 0xd8 && head[2] == 0xff;
    return isPng || isJpeg;
}

std::vector<std::uint8_t> readFile(const fs::path& path)
{
    std::string why;
    auto bytes = filesystem::readWholeFile(path, kLargestFileRead, &why);
    if (!bytes)
        throw StepFailure("cannot read " + path.string() + ": " + why);
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

} // namespace sim
