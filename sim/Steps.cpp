// Every step of the script language: how its arguments are checked and what it does on the
// phone, then the table of records at the end of the file. A new step is a parse and a run
// function here and one record in kStepTypes.

#include "sim/StepType.h"

#include "sim/FolderServer.h"
#include "sim/Gallery.h"
#include "sim/ScriptRunner.h"
#include "sim/StepRun.h"

#include "device/Device.h"
#include "device/profiles/DeviceProfile.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/corefoundation/NSNumber.h"
#include "platform/corefoundation/NSString.h"
#include "platform/filesystem/DeviceRoot.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImagePickerController.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>

namespace fs = std::filesystem;

namespace sim {

namespace {

std::string screenSize(CGRect screen)
{
    return std::to_string(int(screen.size.width)) + " x " + std::to_string(int(screen.size.height)) + " points";
}

// Parsers shared by several steps.

void parseNothing(StepParser& p) { p.count(0, 0); }

void parseOneText(StepParser& p, const char* what)
{
    p.count(1, 1);
    p.text(0, what);
}

void parseLabel(StepParser& p) { parseOneText(p, "LABEL"); }
void parseTitle(StepParser& p) { parseOneText(p, "TITLE"); }
void parseBundleId(StepParser& p) { parseOneText(p, "BUNDLE ID"); }
void parseFile(StepParser& p) { parseOneText(p, "FILE"); }

// One text that may be empty (typing nothing only focuses the field).
void parseAnyText(StepParser& p)
{
    p.count(1, 1);
    p.anyText(0);
}

void parseDevicePath(StepParser& p)
{
    p.countIs(1, "one device path");
    const std::string& path = p.text(0, "PATH");
    if (path.front() != '/')
        p.refuse("PATH must be a device path starting with '/', not '" + path + "'");
}

void parseExpectedText(StepParser& p)
{
    p.countIs(1, "one text");
    p.text(0, "TEXT");
}

// --- Booting ---

void parseProfile(StepParser& p)
{
    p.count(1, 1);
    const std::string& name = p.text(0, "NAME");
    if (!device::findProfile(name))
        p.fail("no device profile named '" + name + "' (ovrimo-sim --help lists them)");
}

// --- Touches ---

void parseTap(StepParser& p)
{
    p.count(1, 2);
    if (p.size() == 1) {
        p.text(0, "LABEL");
    } else {
        p.number(0, "X");
        p.number(1, "Y");
    }
}

void runTap(StepRun& run, const Step& step)
{
    CGRect screen = run.screen();
    CGPoint point = step.texts.empty() ? CGPointMake(step.numbers.at(0), step.numbers.at(1)) : run.find(step.texts[0]).center;
    if (!CGRectContainsPoint(screen, point))
        throw StepFailure("the point is off the screen (" + screenSize(screen) + ")");
    run.device.touch().tap(point);
    run.settle();
}

void parseLongPress(StepParser& p)
{
    p.count(1, 2);
    p.text(0, "LABEL");
    if (p.size() == 2)
        p.seconds(1);
}

void runLongPress(StepRun& run, const Step& step)
{
    run.device.touch().longPress(run.find(step.texts[0]).center, step.seconds.value_or(kDefaultLongPressSeconds));
    run.settle();
}

void parseSwipe(StepParser& p)
{
    p.count(1, 2);
    const std::string& d = p.argument(0).text;
    Step& step = p.step();
    if (d == "up")
        step.direction = Direction::Up;
    else if (d == "down")
        step.direction = Direction::Down;
    else if (d == "left")
        step.direction = Direction::Left;
    else if (d == "right")
        step.direction = Direction::Right;
    else
        p.refuse("the direction must be up, down, left or right, not '" + d + "'");
    if (p.size() == 2)
        p.text(1, "LABEL");
}

void runSwipe(StepRun& run, const Step& step)
{
    CGRect area = step.texts.empty() ? run.screen() : visibleRectOf(run.find(step.texts[0]).view);
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
    run.device.touch().swipe(from, to, kSwipeSeconds);
    run.settle();
}

void parseDrag(StepParser& p)
{
    p.count(4, 5);
    p.number(0, "X1");
    p.number(1, "Y1");
    p.number(2, "X2");
    p.number(3, "Y2");
    if (p.size() == 5)
        p.seconds(4);
}

void runDrag(StepRun& run, const Step& step)
{
    CGRect screen = run.screen();
    CGPoint from { step.numbers[0], step.numbers[1] }, to { step.numbers[2], step.numbers[3] };
    if (!CGRectContainsPoint(screen, from) || !CGRectContainsPoint(screen, to))
        throw StepFailure("both points must be on the screen (" + screenSize(screen) + ")");
    run.device.touch().drag(from, to, step.seconds.value_or(kDefaultDragSeconds));
    run.settle();
}

void parsePinch(StepParser& p)
{
    p.count(3, 3);
    p.number(0, "X");
    p.number(1, "Y");
    double scale = p.number(2, "SCALE");
    if (scale <= 0.05 || scale > 20)
        p.refuse("SCALE must be more than 0.05 and at most 20, not '" + p.argument(2).text + "'");
}

void runPinch(StepRun& run, const Step& step)
{
    CGPoint center { step.numbers[0], step.numbers[1] };
    if (!CGRectContainsPoint(run.screen(), center))
        throw StepFailure("the centre must be on the screen");
    run.device.touch().pinch(center, step.numbers[2]);
    run.settle();
}

// --- Alerts ---

void runChoose(StepRun& run, const Step& step)
{
    UIAlertController* a = run.alert();
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
        run.device.touch().tap(middle(rect));
    else
        // A sheet's cancel action in a popover has no row: the finger taps outside instead.
        a->tapAction(action);
    run.settle();
}

void runType(StepRun& run, const Step& step)
{
    UIAlertController* a = run.alert();
    if (a->textFields().empty())
        throw StepFailure("the alert on screen has no text field");
    UITextField* field = a->textFields().front().ptr();
    CGRect rect = visibleRectOf(field);
    if (CGRectIsEmpty(rect))
        throw StepFailure("the alert's text field is not on screen");
    run.device.touch().tap(middle(rect));
    std::string before = field->text();
    run.device.touch().typeText(step.texts[0]);
    if (field->text() != before + step.texts[0])
        throw StepFailure("the text field did not take the typing (it shows " + quoted(field->text()) + ")");
    run.settle();
}

// --- The buttons, apps and surfaces ---

void runHome(StepRun& run, const Step&)
{
    run.device.pressHome();
    run.settle();
}

void runOpen(StepRun& run, const Step& step)
{
    if (!run.device.launch(step.texts[0]))
        throw StepFailure("no app with bundle identifier " + quoted(step.texts[0]) + " is installed on " + run.device.profile().name);
    run.settle();
}

void runSwitcher(StepRun& run, const Step&)
{
    run.device.showSwitcher();
    run.settle();
}

void parseNotify(StepParser& p)
{
    p.count(3, 3);
    p.text(0, "BUNDLE ID");
    p.anyText(1);
    p.anyText(2);
}

void runNotify(StepRun& run, const Step& step)
{
    run.device.postNotification(step.texts[0], step.texts[1], step.texts[2]);
    run.settle();
}

void runNotificationCenter(StepRun& run, const Step&)
{
    run.device.showNotificationCenter();
    run.settle();
}

void runWidgets(StepRun& run, const Step&)
{
    run.device.showWidgets();
    run.settle();
}

void runSearch(StepRun& run, const Step& step)
{
    run.device.showSearch(step.texts[0]);
    run.settle();
}

// --- Time, the pasteboard, photos, preferences ---

void parseWait(StepParser& p)
{
    p.count(1, 1);
    long long ms = 0;
    const std::string& t = p.argument(0).text;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), ms);
    if (p.argument(0).quoted || t.empty() || ec != std::errc() || ptr != t.data() + t.size() || ms < 0 || ms > 24LL * 3600 * 1000)
        p.refuse("MS must be a whole number of milliseconds from 0 to 86400000, not '" + t + "'");
    p.step().milliseconds = ms;
}

void runWait(StepRun& run, const Step& step)
{
    run.runUntilIdle();
    run.device.advance(step.milliseconds);
}

void runPause(StepRun& run, const Step& step)
{
    run.runner.setSettleMilliseconds(step.milliseconds);
    run.runUntilIdle();
}

void runClipboard(StepRun& run, const Step& step)
{
    UIPasteboard::generalPasteboard()->setString(step.texts[0]);
    run.runUntilIdle();
}

void runPhoto(StepRun& run, const Step& step)
{
    fs::path source = run.runner.inputPath(step.texts[0]);
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
    run.runUntilIdle();
}

void parseKeyAndValue(StepParser& p)
{
    p.text(0, "KEY");
    p.anyText(1);
}

void parsePref(StepParser& p)
{
    p.count(2, 2);
    parseKeyAndValue(p);
}

void runPref(StepRun& run, const Step& step)
{
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
    run.settle();
}

// --- Pictures of the screen ---

void runScreenshot(StepRun& run, const Step& step)
{
    run.runUntilIdle();
    auto png = run.device.screenshotPNG();
    if (!png)
        throw StepFailure("the device could not make a picture of its screen");
    fs::path path = run.runner.outputPath(step.texts[0]);
    writeFileAtomically(path, *png);
    run.runner.noteScreenshot(path);
}

void parseGallery(StepParser& p)
{
    p.count(3, 4);
    p.text(0, "CAPTION");
    for (size_t i = 1; i < p.size(); ++i) {
        const char* what = i == 1 ? "BEFORE" : i == 2 ? "AFTER" : "PAIR";
        const std::string& file = p.text(i, what);
        if (!isGalleryFileName(file))
            p.refuse(std::string(what) + " must be a file in the --out folder (a relative path without '..'), not '" + file + "'");
    }
}

void runGallery(StepRun& run, const Step& step)
{
    ScriptRunner& runner = run.runner;
    GalleryRow row { step.texts[0], step.texts[1], step.texts[2] };
    // The one picture of the pair is made before the row goes in, so that a failure adds nothing.
    std::optional<std::vector<std::uint8_t>> pair;
    std::error_code ec;
    if (step.texts.size() == 4 && fs::is_regular_file(runner.outputPath(row.before), ec) && fs::is_regular_file(runner.outputPath(row.after), ec)) {
        pair = sideBySidePicture(readFile(runner.outputPath(row.before)), readFile(runner.outputPath(row.after)));
        if (!pair)
            throw StepFailure(row.before + " and " + row.after + " must both be PNG or JPEG pictures");
    }
    Gallery& gallery = runner.gallery();
    gallery.add(row);
    if (pair) {
        writeFileAtomically(runner.outputPath(step.texts[3]), *pair);
        runner.noteScreenshot(runner.outputPath(step.texts[3]), false);
    }
    if (runner.log())
        *runner.log() << "     wrote " << gallery.pagePath().string() << "\n";
}

// --- Checks ---

// Whether the device path exists, once the device has done what it was doing.
bool existsOnDevice(StepRun& run, const std::string& path)
{
    run.runUntilIdle();
    auto host = filesystem::DeviceRoot::resolve(path);
    if (!host)
        throw StepFailure(quoted(path) + " is not a path inside the device");
    std::error_code ec;
    return fs::exists(*host, ec);
}

void runExpectExists(StepRun& run, const Step& step)
{
    if (!existsOnDevice(run, step.texts[0]))
        throw StepFailure(step.texts[0] + " does not exist");
}

void runExpectMissing(StepRun& run, const Step& step)
{
    if (existsOnDevice(run, step.texts[0]))
        throw StepFailure(step.texts[0] + " exists");
}

void runExpectAlert(StepRun& run, const Step& step)
{
    run.runUntilIdle();
    UIAlertController* a = run.alert();
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

void runExpectText(StepRun& run, const Step& step)
{
    run.runUntilIdle();
    for (const auto& t : visibleTexts(run.window()))
        if (t.find(step.texts[0]) != std::string::npos)
            return;
    throw StepFailure("no visible view shows " + quoted(step.texts[0]) + run.onScreenHint());
}

void parseExpectPref(StepParser& p)
{
    if (p.size() != 2)
        p.refuse("expect pref takes a key and a value, not " + std::to_string(p.size()) + " arguments");
    parseKeyAndValue(p);
}

// A stored preference as a script writes it: true, 42, "a text".
std::string shownPreference(objc::Object* stored)
{
    auto* number = dynamic_cast<NSNumber*>(stored);
    auto* string = dynamic_cast<NSString*>(stored);
    if (!stored)
        return "nothing";
    if (number)
        return number->isBoolean() ? std::string(number->boolValue() ? "true" : "false") : number->stringValue();
    return string ? quoted(string->value()) : std::string("another kind of value");
}

bool storesPreference(objc::Object* stored, const PreferenceValue& want)
{
    auto* number = dynamic_cast<NSNumber*>(stored);
    auto* string = dynamic_cast<NSString*>(stored);
    switch (want.kind) {
    case PreferenceValue::Kind::Boolean:
        return number && number->isBoolean() && number->boolValue() == want.boolean;
    case PreferenceValue::Kind::Integer:
        return number && !number->isBoolean() && number->integerValue() == want.integer;
    case PreferenceValue::Kind::String:
        return string && string->value() == want.string;
    }
    return false;
}

void runExpectPref(StepRun& run, const Step& step)
{
    run.runUntilIdle();
    CFPreferencesAppSynchronize(kPreferencesDomain);
    objc::Ref<objc::Object> stored = CFPreferencesCopyAppValue(step.texts[0], kPreferencesDomain);
    if (!storesPreference(stored.ptr(), parsePreferenceValue(step.texts[1])))
        throw StepFailure(std::string(kPreferencesDomain) + " stores " + shownPreference(stored.ptr()) + " under " + quoted(step.texts[0]) + ", not " + step.texts[1]);
}

void parseExpectOpened(StepParser& p)
{
    p.countIs(1, "one address");
    p.text(0, "URL");
}

void runExpectOpened(StepRun& run, const Step& step)
{
    run.runUntilIdle();
    const auto& opened = uikit::openedURLs();
    if (std::find(opened.begin(), opened.end(), step.texts[0]) != opened.end())
        return;
    std::string list;
    for (const auto& url : opened)
        list += (list.empty() ? "" : ", ") + quoted(url);
    throw StepFailure("the phone has not opened " + quoted(step.texts[0]) + " (it opened " + (list.empty() ? "nothing" : list) + ")");
}

// --- Settings ---

UITableViewCell* enclosingCell(UIView* view)
{
    for (UIView* v = view; v; v = v->superview())
        if (auto* cell = dynamic_cast<UITableViewCell*>(v))
            return cell;
    return nullptr;
}

void runToggle(StepRun& run, const Step& step)
{
    const std::string& label = step.texts[0];
    UIView* toggle = run.reveal([&](UIView* v) {
        UITableViewCell* cell = dynamic_cast<UISwitch*>(v) ? enclosingCell(v) : nullptr;
        return cell && cell->textLabel() && cell->textLabel()->text() == label;
    });
    if (!toggle)
        throw StepFailure("no settings row titled " + quoted(label) + " has a switch" + run.onScreenHint());
    run.device.touch().tap(middle(visibleRectOf(toggle)));
    run.settle();
}

NSInteger segmentTitled(UISegmentedControl* control, const std::string& title)
{
    for (NSUInteger i = 0; control && i < control->numberOfSegments(); ++i)
        if (control->titleForSegmentAtIndex(i) == title)
            return static_cast<NSInteger>(i);
    return -1;
}

void runSegment(StepRun& run, const Step& step)
{
    const std::string& title = step.texts[0];
    auto* control = dynamic_cast<UISegmentedControl*>(run.reveal([&](UIView* v) { return segmentTitled(dynamic_cast<UISegmentedControl*>(v), title) >= 0; }));
    if (!control)
        throw StepFailure("no segmented control on screen has a segment " + quoted(title) + run.onScreenHint());
    CGRect bounds = control->bounds();
    double width = bounds.size.width / static_cast<double>(control->numberOfSegments());
    CGRect segment = CGRectMake(bounds.origin.x + width * static_cast<double>(segmentTitled(control, title)), bounds.origin.y, width, bounds.size.height);
    run.device.touch().tap(middle(control->convertRectToView(segment, run.window())));
    run.settle();
}

// --- Serving files ---

void parseWebServer(StepParser& p)
{
    p.count(2, 4);
    p.text(0, "FOLDER");
    double port = p.number(1, "PORT");
    if (port < 1024 || port > 65535 || port != std::floor(port))
        p.refuse("PORT must be a whole number from 1024 to 65535, not '" + p.argument(1).text + "'");
    if (p.size() == 2)
        return;
    if (p.size() != 4 || p.argument(2).quoted || p.argument(2).text != "delay")
        p.refuse("after PORT comes only 'delay SECONDS'");
    p.seconds(3);
}

void runWebServer(StepRun& run, const Step& step)
{
    int port = static_cast<int>(step.numbers[0]);
    auto delay = static_cast<dispatch::Nanoseconds>(std::llround(step.seconds.value_or(0) * 1e9));
    try {
        run.runner.keepServer(std::make_unique<FolderServer>(run.runner.inputPath(step.texts[0]), port, delay));
    } catch (const std::exception& e) {
        throw StepFailure(e.what());
    }
}

// In the order --help and the README list them.
const StepType kStepTypes[] = {
    { "profile", "profile NAME", "boots that profile; only as the first step (else `--profile` is booted)", parseProfile, nullptr, true },
    { "tap", "tap \"LABEL\" | tap X Y",
        "taps the topmost visible view whose accessibility label, else title, else text is LABEL (home-screen icons by their name), or a point",
        parseTap, runTap },
    { "longpress", "longpress \"LABEL\" [SECONDS]", "holds a finger on that view (1 s by default)", parseLongPress, runLongPress },
    { "swipe", "swipe up|down|left|right [\"LABEL\"]", "a quick swipe across the screen, or across that view", parseSwipe, runSwipe },
    { "drag", "drag X1 Y1 X2 Y2 [SECONDS]", "drags a finger and holds it still before lifting", parseDrag, runDrag },
    { "pinch", "pinch X Y SCALE", "two fingers about a point spreading (above 1) or closing (below 1)", parsePinch, runPinch },
    { "choose", "choose \"TITLE\"", "taps the action with that title in the alert or sheet on screen", parseTitle, runChoose },
    { "type", "type \"TEXT\"", "types into the first text field of the alert on screen", parseAnyText, runType },
    { "home", "home", "presses the home button", parseNothing, runHome },
    { "open", "open \"BUNDLE ID\"", "launches an app (`com.apple.Preferences` is Settings)", parseBundleId, runOpen },
    { "wait", "wait MS", "lets MS milliseconds pass on the phone's clock", parseWait, runWait },
    { "pause", "pause MS", "sets the time let pass after each later step that touches the phone (400 by default; 0 to take pictures while something moves)",
        parseWait, runPause },
    { "clipboard", "clipboard \"TEXT\"", "puts TEXT on the pasteboard", parseAnyText, runClipboard },
    { "photo", "photo FILE", "copies a PNG or JPEG into the photo library (`/var/mobile/Media/DCIM/100APPLE/`), never over an existing one",
        parseFile, runPhoto },
    { "pref", "pref KEY VALUE",
        "stores a preference in `com.zarnek.ovrimo` as Settings would (`true`/`false` as booleans, whole numbers as integers, else a "
        "string) and posts `com.zarnek.ovrimo.prefs`",
        parsePref, runPref },
    { "screenshot", "screenshot FILE", "writes a PNG of the screen", parseFile, runScreenshot },
    { "expect exists", "expect exists PATH", "a device path exists", parseDevicePath, runExpectExists },
    { "expect missing", "expect missing PATH", "a device path does not exist", parseDevicePath, runExpectMissing },
    { "expect alert", "expect alert \"TEXT\"", "the alert or sheet on screen shows TEXT in its title, message or an action", parseExpectedText,
        runExpectAlert },
    { "expect text", "expect text \"TEXT\"", "some visible view shows TEXT", parseExpectedText, runExpectText },
    { "switcher", "switcher", "opens the app switcher", parseNothing, runSwitcher },
    { "notify", "notify \"BUNDLE ID\" \"TITLE\" \"MESSAGE\"", "posts a notification banner from an app", parseNotify, runNotify },
    { "notifications", "notifications", "pulls down the notification list", parseNothing, runNotificationCenter },
    { "widgets", "widgets", "shows the widgets page", parseNothing, runWidgets },
    { "search", "search \"QUERY\"", "opens search with QUERY typed", parseAnyText, runSearch },
    { "webserver", "webserver FOLDER PORT [delay SECONDS]",
        "serves the files of FOLDER (relative to the script) at `http://127.0.0.1:PORT/` until the script ends; with `delay`, each answer "
        "comes SECONDS after its request on the phone's clock (the download is held meanwhile)",
        parseWebServer, runWebServer },
    { "toggle", "toggle \"LABEL\"", "taps the switch of the settings row with that title, scrolling the list to it", parseLabel, runToggle },
    { "segment", "segment \"TITLE\"", "taps the segment with that title of a segmented control, scrolling the list to it", parseTitle, runSegment },
    { "expect pref", "expect pref KEY VALUE",
        "`com.zarnek.ovrimo` stores VALUE under KEY, with its type (`true`/`false`, a whole number, a text)", parseExpectPref, runExpectPref },
    { "expect opened", "expect opened \"URL\"", "the phone has opened that address (`canOpenURL:`/`openURL:`)", parseExpectOpened, runExpectOpened },
    { "gallery", "gallery \"CAPTION\" BEFORE AFTER [PAIR]",
        "adds a row to `index.html` in `--out`: two screenshots taken before, side by side, and the caption; with PAIR, also writes them as "
        "one picture",
        parseGallery, runGallery },
};

} // namespace

std::span<const StepType> stepTypes() { return kStepTypes; }

} // namespace sim
