#include "sim/ScriptRunner.h"

#include "sim/FolderServer.h"
#include "sim/Gallery.h"

#include "device/Device.h"
#include "device/settings/SettingsApp.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/filesystem/AtomicFile.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/filesystem/ReadFile.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UIWindow.h"
#include "sim/ViewFinder.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace sim {

namespace {

// A step that could not be done; turned into a ScriptError for the step's line.
struct StepFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

CGPoint middle(CGRect r) { return CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)); }

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

// A view for which `match` holds, scrolling the lists on screen a screenful at a time from their
// top, as a person looking for a row would, when none is on screen yet.
UIView* revealOnScreen(device::Device& dev, UIWindow* window, const std::function<bool(UIView*)>& match)
{
    if (UIView* found = findOnScreen(window, match))
        return found;
    std::vector<UITableView*> tables;
    collectTables(window, tables);
    for (UITableView* table : tables) {
        double page = std::max(44.0, table->bounds().size.height * 0.6);
        double end = std::max(0.0, table->contentSize().height - table->bounds().size.height);
        for (double y = 0;; y = std::min(end, y + page)) {
            table->setContentOffset(CGPointMake(table->contentOffset().x, y), false);
            table->layoutIfNeeded();
            dev.runUntilIdle();
            if (UIView* found = findOnScreen(window, match))
                return found;
            if (y >= end)
                break;
        }
    }
    return nullptr;
}

UITableViewCell* enclosingCell(UIView* view)
{
    for (UIView* v = view; v; v = v->superview())
        if (auto* cell = dynamic_cast<UITableViewCell*>(v))
            return cell;
    return nullptr;
}

// A short list of what is on screen, for a message about something that is not.
std::string onScreenHint(UIWindow* window)
{
    auto texts = visibleTexts(window);
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

// Files the runner reads whole: photos and the package's libraries.
constexpr std::size_t kLargestFileRead = 512u << 20;

std::vector<std::uint8_t> readFile(const fs::path& path)
{
    std::string why;
    auto bytes = filesystem::readWholeFile(path, kLargestFileRead, &why);
    if (!bytes)
        throw StepFailure("cannot read " + path.string() + ": " + why);
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

} // namespace

void writeFileAtomically(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (fs::is_directory(path))
        throw std::runtime_error(path.string() + " is a folder");
    std::string error;
    if (!filesystem::writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), &error))
        throw std::runtime_error("cannot write " + path.string() + ": " + error);
}

void installPackage(const fs::path& package, const fs::path& root)
{
    std::error_code ec;
    if (!fs::is_directory(package, ec))
        throw std::runtime_error("no tweak package at " + package.string() + " (build the tweak first, or use --no-tweak)");
    fs::create_directories(root, ec);
    if (ec || !fs::is_directory(root))
        throw std::runtime_error("cannot use " + root.string() + " as a device root");
    filesystem::DeviceRoot::set(fs::canonical(root));
    for (auto it = fs::recursive_directory_iterator(package, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        std::string devicePath = "/" + fs::relative(it->path(), package).generic_string();
        auto target = filesystem::DeviceRoot::resolve(devicePath);
        if (!target)
            throw std::runtime_error("the package file " + devicePath + " would land outside the device root");
        // An unchanged file (same size, same time of change: the copy takes the package file's
        // time) is left alone without reading it; a newer build replaces the old one.
        std::error_code statError;
        auto built = fs::last_write_time(it->path(), statError);
        if (fs::is_regular_file(*target) && fs::file_size(*target, statError) == it->file_size() && fs::last_write_time(*target, statError) == built)
            continue;
        writeFileAtomically(*target, readFile(it->path()));
        fs::last_write_time(*target, built, statError);
    }
    if (ec)
        throw std::runtime_error("cannot read the tweak package at " + package.string() + ": " + ec.message());
}

ScriptRunner::ScriptRunner(RunnerOptions options)
    : m_options(std::move(options))
{
}

ScriptRunner::~ScriptRunner() = default;

std::optional<fs::path> ScriptRunner::galleryPage() const
{
    if (!m_gallery)
        return std::nullopt;
    return m_gallery->pagePath();
}

void ScriptRunner::attach(device::Device& device)
{
    m_owned.reset();
    m_device = &device;
}

fs::path ScriptRunner::outputPath(const std::string& file) const
{
    fs::path p(file);
    return p.is_absolute() ? p : m_options.outputFolder / p;
}

fs::path ScriptRunner::inputPath(const std::string& file) const
{
    fs::path p(file);
    return p.is_absolute() ? p : m_options.inputFolder / p;
}

void ScriptRunner::boot(const std::string& profile)
{
    if (m_device) {
        if (m_device->profile().name == profile)
            return;
        throw StepFailure("the device in use is " + m_device->profile().name + ", not " + profile);
    }
    if (!m_options.deviceRootFor)
        throw StepFailure("no device root to boot " + profile + " into");
    fs::path root = m_options.deviceRootFor(profile);
    if (m_options.log)
        *m_options.log << "booting " << profile << " in " << root.string() << "\n";
    // Settings opens for "com.apple.Preferences" (process-wide; idempotent).
    device::settings::registerSettingsApp();
    if (!m_options.packageFolder.empty())
        installPackage(m_options.packageFolder, root);
    try {
        m_owned = device::Device::boot(profile, root);
    } catch (const std::exception& e) {
        throw StepFailure(std::string("cannot boot ") + profile + ": " + e.what());
    }
    m_device = m_owned.get();
    // Let the home screen appear and settle.
    m_device->runUntilIdle();
    m_device->advance(2 * kSettleMilliseconds);
}

void ScriptRunner::settle()
{
    m_device->runUntilIdle();
    m_device->advance(kSettleMilliseconds);
}

void ScriptRunner::run(const Script& script)
{
    if (!m_device && !script.profile()) {
        try {
            boot(m_options.defaultProfile);
        } catch (const StepFailure& e) {
            throw ScriptError(0, e.what());
        }
    }
    for (const Step& step : script.steps)
        execute(step);
}

void ScriptRunner::execute(const Step& step)
{
    if (m_options.log && step.line > 0)
        *m_options.log << "  " << step.line << ": " << step.source << "\n";
    try {
        if (step.kind == StepKind::Profile) {
            boot(step.texts.at(0));
            return;
        }
        if (!m_device)
            boot(m_options.defaultProfile);
        runStep(step);
    } catch (const ScriptError&) {
        throw;
    } catch (const std::exception& e) {
        throw ScriptError(step.line, step.name() + ": " + e.what());
    }
}

void ScriptRunner::runStep(const Step& step)
{
    device::Device& dev = *m_device;
    auto window = [&]() -> UIWindow* {
        UIWindow* w = dev.window();
        if (!w)
            throw StepFailure("the device has no window on screen");
        return w;
    };
    auto find = [&](const std::string& label) {
        FoundView found = findView(window(), label);
        if (!found.view)
            throw StepFailure("nothing on screen has the label, title or text " + quoted(label) + onScreenHint(window()));
        return found;
    };
    auto alert = [&]() {
        UIAlertController* a = alertOnScreen(window());
        if (!a)
            throw StepFailure("no alert or sheet is on screen" + onScreenHint(window()));
        return a;
    };
    CGRect screen = window()->bounds();

    switch (step.kind) {
    case StepKind::Profile:
        break;
    case StepKind::Tap: {
        CGPoint point = step.texts.empty() ? CGPointMake(step.numbers.at(0), step.numbers.at(1)) : find(step.texts[0]).center;
        if (!CGRectContainsPoint(screen, point))
            throw StepFailure("the point is off the screen (" + std::to_string(int(screen.size.width)) + " x " + std::to_string(int(screen.size.height)) + " points)");
        dev.touch().tap(point);
        settle();
        break;
    }
    case StepKind::LongPress:
        dev.touch().longPress(find(step.texts[0]).center, step.seconds.value_or(kDefaultLongPressSeconds));
        settle();
        break;
    case StepKind::Swipe: {
        CGRect area = step.texts.empty() ? screen : visibleRectOf(find(step.texts[0]).view);
        if (CGRectIsEmpty(area))
            throw StepFailure(quoted(step.texts[0]) + " is not on screen");
        CGFloat x0 = CGRectGetMinX(area), y0 = CGRectGetMinY(area), w = CGRectGetWidth(area), h = CGRectGetHeight(area);
        CGPoint c = middle(area);
        CGPoint from, to;
        switch (step.direction) {
        case Direction::Left:
            from = { x0 + w * 0.8, c.y }, to = { x0 + w * 0.2, c.y };
            break;
        case Direction::Right:
            from = { x0 + w * 0.2, c.y }, to = { x0 + w * 0.8, c.y };
            break;
        case Direction::Up:
            from = { c.x, y0 + h * 0.75 }, to = { c.x, y0 + h * 0.25 };
            break;
        case Direction::Down:
            from = { c.x, y0 + h * 0.25 }, to = { c.x, y0 + h * 0.75 };
            break;
        }
        dev.touch().swipe(from, to, kSwipeSeconds);
        settle();
        break;
    }
    case StepKind::Drag: {
        CGPoint from { step.numbers[0], step.numbers[1] }, to { step.numbers[2], step.numbers[3] };
        if (!CGRectContainsPoint(screen, from) || !CGRectContainsPoint(screen, to))
            throw StepFailure("both points must be on the screen (" + std::to_string(int(screen.size.width)) + " x "
                + std::to_string(int(screen.size.height)) + " points)");
        dev.touch().drag(from, to, step.seconds.value_or(kDefaultDragSeconds));
        settle();
        break;
    }
    case StepKind::Pinch: {
        CGPoint center { step.numbers[0], step.numbers[1] };
        if (!CGRectContainsPoint(screen, center))
            throw StepFailure("the centre must be on the screen");
        dev.touch().pinch(center, step.numbers[2]);
        settle();
        break;
    }
    case StepKind::Choose: {
        UIAlertController* a = alert();
        const std::string& title = step.texts[0];
        UIAlertAction* action = nullptr;
        std::string titles;
        for (const auto& candidate : a->actions()) {
            titles += (titles.empty() ? "" : ", ") + quoted(candidate->title());
            if (candidate->title() == title && !action)
                action = candidate.ptr();
        }
        if (!action)
            throw StepFailure("the alert on screen has no action " + quoted(title) + " (its actions: " + (titles.empty() ? "none" : titles) + ")");
        if (!action->isEnabled())
            throw StepFailure("the action " + quoted(title) + " is disabled");
        CGRect rect = visibleRectOf(a->buttonForAction(action));
        if (!CGRectIsEmpty(rect))
            dev.touch().tap(middle(rect));
        else
            // A sheet's cancel action in a popover has no row: the finger taps outside instead.
            a->tapAction(action);
        settle();
        break;
    }
    case StepKind::Type: {
        UIAlertController* a = alert();
        if (a->textFields().empty())
            throw StepFailure("the alert on screen has no text field");
        UITextField* field = a->textFields().front().ptr();
        CGRect rect = visibleRectOf(field);
        if (CGRectIsEmpty(rect))
            throw StepFailure("the alert's text field is not on screen");
        dev.touch().tap(middle(rect));
        std::string before = field->text();
        dev.touch().typeText(step.texts[0]);
        if (field->text() != before + step.texts[0])
            throw StepFailure("the text field did not take the typing (it shows " + quoted(field->text()) + ")");
        settle();
        break;
    }
    case StepKind::Home:
        dev.pressHome();
        settle();
        break;
    case StepKind::Open:
        if (!dev.launch(step.texts[0]))
            throw StepFailure("no app with bundle identifier " + quoted(step.texts[0]) + " is installed on " + dev.profile().name);
        settle();
        break;
    case StepKind::Wait:
        dev.runUntilIdle();
        dev.advance(step.milliseconds);
        break;
    case StepKind::Clipboard:
        UIPasteboard::generalPasteboard()->setString(step.texts[0]);
        dev.runUntilIdle();
        break;
    case StepKind::Photo: {
        fs::path source = inputPath(step.texts[0]);
        std::error_code ec;
        if (!fs::is_regular_file(source, ec))
            throw StepFailure("no picture file at " + source.string());
        if (!isPicture(source))
            throw StepFailure(source.string() + " is not a PNG or JPEG picture");
        auto folder = filesystem::DeviceRoot::resolve(kCameraRollFolder);
        if (!folder)
            throw StepFailure(std::string("the photo library folder ") + kCameraRollFolder + " is outside the device root");
        // Never replace a picture already in the library: the copy gets a free name.
        fs::path name = source.filename();
        fs::path target = *folder / name;
        for (int n = 2; fs::exists(target, ec); ++n)
            target = *folder / (name.stem().string() + "-" + std::to_string(n) + name.extension().string());
        writeFileAtomically(target, readFile(source));
        uikit::photoLibraryDidChange();
        dev.runUntilIdle();
        break;
    }
    case StepKind::Pref: {
        PreferenceValue v = parsePreferenceValue(step.texts[1]);
        objc::Ref<objc::Object> value;
        switch (v.kind) {
        case PreferenceValue::Kind::Boolean:
            value = NSNumber::withBool(v.boolean);
            break;
        case PreferenceValue::Kind::Integer:
            value = NSNumber::withInteger(v.integer);
            break;
        case PreferenceValue::Kind::String:
            value = NSString::make(v.string);
            break;
        }
        CFPreferencesSetAppValue(step.texts[0], value, kPreferencesDomain);
        if (!CFPreferencesAppSynchronize(kPreferencesDomain))
            throw StepFailure(std::string("the preferences of ") + kPreferencesDomain + " could not be written");
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kPreferencesChangedNotification, nullptr, nullptr, true);
        settle();
        break;
    }
    case StepKind::Screenshot: {
        dev.runUntilIdle();
        auto png = dev.screenshotPNG();
        if (!png)
            throw StepFailure("the device could not make a picture of its screen");
        fs::path path = outputPath(step.texts[0]);
        writeFileAtomically(path, *png);
        m_screenshots.push_back(path);
        if (m_options.log)
            *m_options.log << "     wrote " << path.string() << "\n";
        break;
    }
    case StepKind::ExpectExists:
    case StepKind::ExpectMissing: {
        dev.runUntilIdle();
        auto host = filesystem::DeviceRoot::resolve(step.texts[0]);
        if (!host)
            throw StepFailure(quoted(step.texts[0]) + " is not a path inside the device");
        std::error_code ec;
        bool exists = fs::exists(*host, ec);
        if (step.kind == StepKind::ExpectExists && !exists)
            throw StepFailure(step.texts[0] + " does not exist");
        if (step.kind == StepKind::ExpectMissing && exists)
            throw StepFailure(step.texts[0] + " exists");
        break;
    }
    case StepKind::ExpectAlert: {
        dev.runUntilIdle();
        UIAlertController* a = alert();
        const std::string& text = step.texts[0];
        std::vector<std::string> shown { a->title(), a->message() };
        for (const auto& action : a->actions())
            shown.push_back(action->title());
        std::string listed;
        for (const auto& s : shown) {
            if (!s.empty() && s.find(text) != std::string::npos)
                return;
            if (!s.empty())
                listed += (listed.empty() ? "" : ", ") + quoted(s);
        }
        throw StepFailure("the alert on screen does not show " + quoted(text) + " (it shows " + (listed.empty() ? "nothing" : listed) + ")");
    }
    case StepKind::ExpectText: {
        dev.runUntilIdle();
        for (const auto& t : visibleTexts(window()))
            if (t.find(step.texts[0]) != std::string::npos)
                return;
        throw StepFailure("no visible view shows " + quoted(step.texts[0]) + onScreenHint(window()));
    }
    case StepKind::Switcher:
        dev.showSwitcher();
        settle();
        break;
    case StepKind::Notify:
        dev.postNotification(step.texts[0], step.texts[1], step.texts[2]);
        settle();
        break;
    case StepKind::NotificationCenter:
        dev.showNotificationCenter();
        settle();
        break;
    case StepKind::Widgets:
        dev.showWidgets();
        settle();
        break;
    case StepKind::Search:
        dev.showSearch(step.texts[0]);
        settle();
        break;
    case StepKind::Toggle: {
        const std::string& label = step.texts[0];
        UIView* toggle = revealOnScreen(dev, window(), [&](UIView* v) {
            UITableViewCell* cell = dynamic_cast<UISwitch*>(v) ? enclosingCell(v) : nullptr;
            return cell && cell->textLabel() && cell->textLabel()->text() == label;
        });
        if (!toggle)
            throw StepFailure("no settings row titled " + quoted(label) + " has a switch" + onScreenHint(window()));
        dev.touch().tap(middle(visibleRectOf(toggle)));
        settle();
        break;
    }
    case StepKind::Segment: {
        const std::string& title = step.texts[0];
        auto indexIn = [&](UISegmentedControl* c) -> NSInteger {
            for (NSUInteger i = 0; c && i < c->numberOfSegments(); ++i)
                if (c->titleForSegmentAtIndex(i) == title)
                    return static_cast<NSInteger>(i);
            return -1;
        };
        auto* control = dynamic_cast<UISegmentedControl*>(revealOnScreen(dev, window(), [&](UIView* v) { return indexIn(dynamic_cast<UISegmentedControl*>(v)) >= 0; }));
        if (!control)
            throw StepFailure("no segmented control on screen has a segment " + quoted(title) + onScreenHint(window()));
        CGRect bounds = control->bounds();
        double width = bounds.size.width / static_cast<double>(control->numberOfSegments());
        CGRect segment = CGRectMake(bounds.origin.x + width * static_cast<double>(indexIn(control)), bounds.origin.y, width, bounds.size.height);
        dev.touch().tap(middle(control->convertRectToView(segment, window())));
        settle();
        break;
    }
    case StepKind::ExpectPref: {
        dev.runUntilIdle();
        CFPreferencesAppSynchronize(kPreferencesDomain);
        objc::Ref<objc::Object> stored = CFPreferencesCopyAppValue(step.texts[0], kPreferencesDomain);
        PreferenceValue want = parsePreferenceValue(step.texts[1]);
        auto* number = dynamic_cast<NSNumber*>(stored.ptr());
        auto* string = dynamic_cast<NSString*>(stored.ptr());
        std::string shown = !stored ? std::string("nothing") : number ? (number->isBoolean() ? std::string(number->boolValue() ? "true" : "false") : number->stringValue()) : string ? quoted(string->value()) : std::string("another kind of value");
        bool same = false;
        switch (want.kind) {
        case PreferenceValue::Kind::Boolean:
            same = number && number->isBoolean() && number->boolValue() == want.boolean;
            break;
        case PreferenceValue::Kind::Integer:
            same = number && !number->isBoolean() && number->integerValue() == want.integer;
            break;
        case PreferenceValue::Kind::String:
            same = string && string->value() == want.string;
            break;
        }
        if (!same)
            throw StepFailure(std::string(kPreferencesDomain) + " stores " + shown + " under " + quoted(step.texts[0]) + ", not " + step.texts[1]);
        break;
    }
    case StepKind::ExpectOpened: {
        dev.runUntilIdle();
        const auto& opened = uikit::openedURLs();
        if (std::find(opened.begin(), opened.end(), step.texts[0]) == opened.end()) {
            std::string list;
            for (const auto& url : opened)
                list += (list.empty() ? "" : ", ") + quoted(url);
            throw StepFailure("the phone has not opened " + quoted(step.texts[0]) + " (it opened " + (list.empty() ? "nothing" : list) + ")");
        }
        break;
    }
    case StepKind::Gallery: {
        if (!m_gallery)
            m_gallery = std::make_unique<Gallery>(m_options.outputFolder);
        GalleryRow row { step.texts[0], step.texts[1], step.texts[2] };
        // The one picture of the pair is made before the row goes in, so that a failure adds nothing.
        std::optional<std::vector<std::uint8_t>> pair;
        std::error_code ec;
        if (step.texts.size() == 4 && fs::is_regular_file(outputPath(row.before), ec) && fs::is_regular_file(outputPath(row.after), ec)) {
            pair = sideBySidePicture(readFile(outputPath(row.before)), readFile(outputPath(row.after)));
            if (!pair)
                throw StepFailure(row.before + " and " + row.after + " must both be PNG or JPEG pictures");
        }
        m_gallery->add(row);
        if (pair) {
            writeFileAtomically(outputPath(step.texts[3]), *pair);
            m_screenshots.push_back(outputPath(step.texts[3]));
        }
        if (m_options.log)
            *m_options.log << "     wrote " << m_gallery->pagePath().string() << "\n";
        break;
    }
    case StepKind::WebServer: {
        int port = static_cast<int>(step.numbers[0]);
        try {
            m_servers.push_back(std::make_unique<FolderServer>(inputPath(step.texts[0]), port));
        } catch (const std::exception& e) {
            throw StepFailure(e.what());
        }
        break;
    }
    }
}

} // namespace sim
