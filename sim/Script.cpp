#include "sim/Script.h"

#include "device/profiles/DeviceProfile.h"
#include "sim/Gallery.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace sim {

ScriptError::ScriptError(int line, const std::string& reason)
    : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + reason : reason)
    , m_line(line)
    , m_reason(reason)
{
}

namespace {

struct StepSyntax {
    const char* name;
    const char* usage;
    const char* help;
};

// Every step of the language, in the order --help lists them.
const StepSyntax kSyntax[] = {
    { "profile", "profile NAME", "boot that device profile (only as the first step)" },
    { "tap", "tap \"LABEL\" | tap X Y", "tap the view with that label, title or text (icons by name), or a point" },
    { "longpress", "longpress \"LABEL\" [SECONDS]", "hold a finger on a view (1 second unless given)" },
    { "swipe", "swipe up|down|left|right [\"LABEL\"]", "swipe across the screen, or across that view" },
    { "drag", "drag X1 Y1 X2 Y2 [SECONDS]", "drag a finger between two points and hold before lifting" },
    { "pinch", "pinch X Y SCALE", "two fingers about a point, spread (> 1) or closed (< 1)" },
    { "choose", "choose \"TITLE\"", "the action with that title in the alert or sheet on screen" },
    { "type", "type \"TEXT\"", "type into the first text field of the alert on screen" },
    { "home", "home", "press the home button" },
    { "open", "open \"BUNDLE ID\"", "launch an app (\"com.apple.Preferences\" is Settings)" },
    { "wait", "wait MS", "let MS milliseconds pass on the device clock" },
    { "clipboard", "clipboard \"TEXT\"", "put TEXT on the pasteboard" },
    { "photo", "photo FILE", "add a picture to the photo library" },
    { "pref", "pref KEY VALUE", "store a preference of com.zarnek.ovrimo as Settings would, and tell the tweak" },
    { "screenshot", "screenshot FILE", "write a PNG of the screen" },
    { "expect", "expect exists PATH | expect missing PATH", "a device path exists, or does not" },
    { nullptr, "expect alert \"TEXT\"", "an alert or sheet on screen shows TEXT (title, message or action)" },
    { nullptr, "expect text \"TEXT\"", "some visible view shows TEXT" },
    { "switcher", "switcher", "open the app switcher" },
    { "notify", "notify \"BUNDLE ID\" \"TITLE\" \"MESSAGE\"", "post a notification banner from an app" },
    { "notifications", "notifications", "pull down the notification list" },
    { "widgets", "widgets", "show the widgets page" },
    { "search", "search \"QUERY\"", "open search with QUERY typed" },
    { "webserver", "webserver FOLDER PORT", "serve the files of FOLDER at http://127.0.0.1:PORT/ until the script ends" },
    { "toggle", "toggle \"LABEL\"", "tap the switch of the settings row with that title (scrolling the list to it)" },
    { "segment", "segment \"TITLE\"", "tap the segment with that title of a segmented control (scrolling the list to it)" },
    { nullptr, "expect pref KEY VALUE", "com.zarnek.ovrimo stores VALUE under KEY, with its type (true/false, a whole number, a text)" },
    { nullptr, "expect opened \"URL\"", "the phone has opened that address (canOpenURL:/openURL:)" },
    { "gallery", "gallery \"CAPTION\" BEFORE AFTER [PAIR]", "a row of index.html in --out: two screenshots side by side, captioned; PAIR also as one PNG" },
};

std::string usageOf(std::string_view name)
{
    std::string usage;
    bool inGroup = false;
    for (const auto& s : kSyntax) {
        if (s.name)
            inGroup = name == s.name;
        if (inGroup) {
            if (!usage.empty())
                usage += " | ";
            usage += s.usage;
        }
    }
    return usage;
}

[[noreturn]] void fail(int line, const std::string& reason) { throw ScriptError(line, reason); }

[[noreturn]] void usageError(int line, std::string_view name, const std::string& what)
{
    fail(line, what + " (usage: " + usageOf(name) + ")");
}

std::optional<double> toNumber(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double number(int line, std::string_view name, const Token& token, const char* what)
{
    auto value = token.quoted ? std::nullopt : toNumber(token.text);
    if (!value)
        usageError(line, name, std::string(what) + " must be a number, not '" + token.text + "'");
    return *value;
}

double seconds(int line, std::string_view name, const Token& token)
{
    double value = number(line, name, token, "SECONDS");
    if (value <= 0 || value > 3600)
        usageError(line, name, "SECONDS must be more than 0 and at most 3600, not '" + token.text + "'");
    return value;
}

void expectCount(int line, std::string_view name, const std::vector<Token>& args, size_t least, size_t most)
{
    if (args.size() >= least && args.size() <= most)
        return;
    std::string want = most == 0 ? "no arguments"
        : least == most          ? std::to_string(least) + (most == 1 ? " argument" : " arguments")
                                 : std::to_string(least) + " to " + std::to_string(most) + " arguments";
    usageError(line, name, std::string(name) + " takes " + want + ", not " + std::to_string(args.size()));
}

void expectNonEmpty(int line, std::string_view name, const Token& token, const char* what)
{
    if (token.text.empty())
        usageError(line, name, std::string(what) + " must not be empty");
}

} // namespace

std::string Step::name() const
{
    switch (kind) {
    case StepKind::Profile: return "profile";
    case StepKind::Tap: return "tap";
    case StepKind::LongPress: return "longpress";
    case StepKind::Swipe: return "swipe";
    case StepKind::Drag: return "drag";
    case StepKind::Pinch: return "pinch";
    case StepKind::Choose: return "choose";
    case StepKind::Type: return "type";
    case StepKind::Home: return "home";
    case StepKind::Open: return "open";
    case StepKind::Wait: return "wait";
    case StepKind::Clipboard: return "clipboard";
    case StepKind::Photo: return "photo";
    case StepKind::Pref: return "pref";
    case StepKind::Screenshot: return "screenshot";
    case StepKind::ExpectExists: return "expect exists";
    case StepKind::ExpectMissing: return "expect missing";
    case StepKind::ExpectAlert: return "expect alert";
    case StepKind::ExpectText: return "expect text";
    case StepKind::Switcher: return "switcher";
    case StepKind::Notify: return "notify";
    case StepKind::NotificationCenter: return "notifications";
    case StepKind::Widgets: return "widgets";
    case StepKind::Search: return "search";
    case StepKind::WebServer: return "webserver";
    case StepKind::Toggle: return "toggle";
    case StepKind::Segment: return "segment";
    case StepKind::ExpectPref: return "expect pref";
    case StepKind::ExpectOpened: return "expect opened";
    case StepKind::Gallery: return "gallery";
    }
    return "?";
}

std::optional<std::string> Script::profile() const
{
    if (!steps.empty() && steps.front().kind == StepKind::Profile)
        return steps.front().texts.at(0);
    return std::nullopt;
}

std::vector<Token> tokenizeLine(std::string_view line, int lineNumber)
{
    std::vector<Token> tokens;
    size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        if (isSpace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#')
            break;
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\') {
                    if (i >= line.size())
                        break;
                    char next = line[i++];
                    if (next != '"' && next != '\\')
                        fail(lineNumber, std::string("unknown escape '\\") + next + "' in quotes (only \\\" and \\\\)");
                    c = next;
                }
                token.text += c;
            }
            if (!closed)
                fail(lineNumber, "a double quote is not closed");
            if (i < line.size() && !isSpace(line[i]) && line[i] != '#')
                fail(lineNumber, "text follows a closing double quote without a space");
        } else {
            while (i < line.size() && !isSpace(line[i])) {
                if (line[i] == '"')
                    fail(lineNumber, "a double quote inside a word (quote the whole argument)");
                token.text += line[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::optional<Step> parseLine(std::string_view line, int lineNumber)
{
    auto tokens = tokenizeLine(line, lineNumber);
    if (tokens.empty())
        return std::nullopt;
    Step step;
    step.line = lineNumber;
    {
        // The line without its comment: tokens re-joined as written.
        std::string source;
        for (const auto& t : tokens) {
            if (!source.empty())
                source += ' ';
            source += t.quoted ? "\"" + t.text + "\"" : t.text;
        }
        step.source = std::move(source);
    }
    if (tokens[0].quoted)
        fail(lineNumber, "a step starts with its name, not a quoted text");
    const std::string name = tokens[0].text;
    std::vector<Token> args(tokens.begin() + 1, tokens.end());
    auto count = [&](size_t least, size_t most) { expectCount(lineNumber, name, args, least, most); };
    auto text = [&](size_t index, const char* what) {
        expectNonEmpty(lineNumber, name, args[index], what);
        step.texts.push_back(args[index].text);
    };
    auto num = [&](size_t index, const char* what) { step.numbers.push_back(number(lineNumber, name, args[index], what)); };

    if (name == "profile") {
        step.kind = StepKind::Profile;
        count(1, 1);
        text(0, "NAME");
        if (!device::findProfile(step.texts[0]))
            fail(lineNumber, "no device profile named '" + step.texts[0] + "' (ovrimo-sim --help lists them)");
    } else if (name == "tap") {
        step.kind = StepKind::Tap;
        count(1, 2);
        if (args.size() == 1) {
            text(0, "LABEL");
        } else {
            num(0, "X");
            num(1, "Y");
        }
    } else if (name == "longpress") {
        step.kind = StepKind::LongPress;
        count(1, 2);
        text(0, "LABEL");
        if (args.size() == 2)
            step.seconds = seconds(lineNumber, name, args[1]);
    } else if (name == "swipe") {
        step.kind = StepKind::Swipe;
        count(1, 2);
        const std::string& d = args[0].text;
        if (d == "up")
            step.direction = Direction::Up;
        else if (d == "down")
            step.direction = Direction::Down;
        else if (d == "left")
            step.direction = Direction::Left;
        else if (d == "right")
            step.direction = Direction::Right;
        else
            usageError(lineNumber, name, "the direction must be up, down, left or right, not '" + d + "'");
        if (args.size() == 2)
            text(1, "LABEL");
    } else if (name == "drag") {
        step.kind = StepKind::Drag;
        count(4, 5);
        num(0, "X1");
        num(1, "Y1");
        num(2, "X2");
        num(3, "Y2");
        if (args.size() == 5)
            step.seconds = seconds(lineNumber, name, args[4]);
    } else if (name == "pinch") {
        step.kind = StepKind::Pinch;
        count(3, 3);
        num(0, "X");
        num(1, "Y");
        num(2, "SCALE");
        if (step.numbers[2] <= 0.05 || step.numbers[2] > 20)
            usageError(lineNumber, name, "SCALE must be more than 0.05 and at most 20, not '" + args[2].text + "'");
    } else if (name == "choose" || name == "type" || name == "open" || name == "clipboard" || name == "photo" || name == "screenshot"
        || name == "search") {
        count(1, 1);
        if (name == "choose") {
            step.kind = StepKind::Choose;
            text(0, "TITLE");
        } else if (name == "type") {
            // Typing nothing is allowed: it only focuses the field.
            step.kind = StepKind::Type;
            step.texts.push_back(args[0].text);
        } else if (name == "open") {
            step.kind = StepKind::Open;
            text(0, "BUNDLE ID");
        } else if (name == "clipboard") {
            step.kind = StepKind::Clipboard;
            step.texts.push_back(args[0].text);
        } else if (name == "photo") {
            step.kind = StepKind::Photo;
            text(0, "FILE");
        } else if (name == "screenshot") {
            step.kind = StepKind::Screenshot;
            text(0, "FILE");
        } else {
            step.kind = StepKind::Search;
            step.texts.push_back(args[0].text);
        }
    } else if (name == "home" || name == "switcher" || name == "widgets" || name == "notifications") {
        step.kind = name == "home" ? StepKind::Home
            : name == "switcher"   ? StepKind::Switcher
            : name == "widgets"    ? StepKind::Widgets
                                   : StepKind::NotificationCenter;
        count(0, 0);
    } else if (name == "toggle" || name == "segment") {
        step.kind = name == "toggle" ? StepKind::Toggle : StepKind::Segment;
        count(1, 1);
        text(0, name == "toggle" ? "LABEL" : "TITLE");
    } else if (name == "webserver") {
        step.kind = StepKind::WebServer;
        count(2, 2);
        text(0, "FOLDER");
        num(1, "PORT");
        double port = step.numbers[0];
        if (port < 1024 || port > 65535 || port != std::floor(port))
            usageError(lineNumber, name, "PORT must be a whole number from 1024 to 65535, not '" + args[1].text + "'");
    } else if (name == "gallery") {
        step.kind = StepKind::Gallery;
        count(3, 4);
        text(0, "CAPTION");
        for (size_t i = 1; i < args.size(); ++i) {
            const char* what = i == 1 ? "BEFORE" : i == 2 ? "AFTER" : "PAIR";
            text(i, what);
            if (!isGalleryFileName(step.texts.back()))
                usageError(lineNumber, name, std::string(what) + " must be a file in the --out folder (a relative path without '..'), not '" + step.texts.back() + "'");
        }
    } else if (name == "wait") {
        step.kind = StepKind::Wait;
        count(1, 1);
        long long ms = 0;
        const std::string& t = args[0].text;
        auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), ms);
        if (args[0].quoted || t.empty() || ec != std::errc() || ptr != t.data() + t.size() || ms < 0 || ms > 24LL * 3600 * 1000)
            usageError(lineNumber, name, "MS must be a whole number of milliseconds from 0 to 86400000, not '" + t + "'");
        step.milliseconds = ms;
    } else if (name == "pref") {
        step.kind = StepKind::Pref;
        count(2, 2);
        text(0, "KEY");
        step.texts.push_back(args[1].text);
    } else if (name == "notify") {
        step.kind = StepKind::Notify;
        count(3, 3);
        text(0, "BUNDLE ID");
        step.texts.push_back(args[1].text);
        step.texts.push_back(args[2].text);
    } else if (name == "expect") {
        if (args.empty())
            usageError(lineNumber, name, "expect needs what to expect: exists, missing, alert, text, pref or opened");
        const std::string what = args[0].text;
        args.erase(args.begin());
        if (what == "exists" || what == "missing") {
            step.kind = what == "exists" ? StepKind::ExpectExists : StepKind::ExpectMissing;
            if (args.size() != 1)
                usageError(lineNumber, name, "expect " + what + " takes one device path, not " + std::to_string(args.size()));
            text(0, "PATH");
            if (step.texts[0].front() != '/')
                usageError(lineNumber, name, "PATH must be a device path starting with '/', not '" + step.texts[0] + "'");
        } else if (what == "alert" || what == "text") {
            step.kind = what == "alert" ? StepKind::ExpectAlert : StepKind::ExpectText;
            if (args.size() != 1)
                usageError(lineNumber, name, "expect " + what + " takes one text, not " + std::to_string(args.size()));
            text(0, "TEXT");
        } else if (what == "pref") {
            step.kind = StepKind::ExpectPref;
            if (args.size() != 2)
                usageError(lineNumber, name, "expect pref takes a key and a value, not " + std::to_string(args.size()) + " arguments");
            text(0, "KEY");
            step.texts.push_back(args[1].text);
        } else if (what == "opened") {
            step.kind = StepKind::ExpectOpened;
            if (args.size() != 1)
                usageError(lineNumber, name, "expect opened takes one address, not " + std::to_string(args.size()));
            text(0, "URL");
        } else {
            usageError(lineNumber, name, "expect exists, missing, alert, text, pref or opened, not '" + what + "'");
        }
    } else {
        fail(lineNumber, "unknown step '" + name + "' (ovrimo-sim --help lists the steps)");
    }
    return step;
}

Script parseScript(std::string_view text)
{
    Script script;
    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++lineNumber;
        std::string_view line = text.substr(start, end - start);
        if (line.find('\0') != std::string_view::npos)
            fail(lineNumber, "the script is not text (it has a zero byte)");
        if (auto step = parseLine(line, lineNumber)) {
            if (step->kind == StepKind::Profile && !script.steps.empty())
                fail(lineNumber, "profile must come first (line " + std::to_string(script.steps.front().line) + " is already a step)");
            script.steps.push_back(std::move(*step));
        }
        start = end + 1;
    }
    return script;
}

PreferenceValue parsePreferenceValue(const std::string& text)
{
    PreferenceValue value;
    if (text == "true" || text == "false") {
        value.kind = PreferenceValue::Kind::Boolean;
        value.boolean = text == "true";
        return value;
    }
    std::int64_t integer = 0;
    const char* begin = text.data();
    // A leading '+' is not part of a whole number as written here: "+1" stays a string.
    auto [ptr, ec] = std::from_chars(begin, begin + text.size(), integer);
    if (!text.empty() && ec == std::errc() && ptr == begin + text.size()) {
        value.kind = PreferenceValue::Kind::Integer;
        value.integer = integer;
        return value;
    }
    value.kind = PreferenceValue::Kind::String;
    value.string = text;
    return value;
}

std::string languageSummary()
{
    std::ostringstream out;
    for (const auto& s : kSyntax) {
        std::string usage = s.usage;
        out << "  " << usage;
        if (usage.size() < 42)
            out << std::string(42 - usage.size(), ' ');
        else
            out << "\n  " << std::string(42, ' ');
        out << s.help << "\n";
    }
    return out.str();
}

} // namespace sim
