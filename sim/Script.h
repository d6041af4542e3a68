#pragma once

// The script language of the simulator: person-like steps, one a line. Parsing is separate from
// running, so that a script with a mistake in it is refused as a whole before any device boots.
//
//   # a comment                     (a '#' outside quotes starts a comment)
//   profile iphone5-ios9            (boots that profile; only as the first step)
//   tap "Photos"                    (arguments with spaces go in double quotes; \" and \\ inside)

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct StepType;

enum class Direction { Up, Down, Left, Right };

// One parsed step. Which fields are used depends on its type; the type's parser has checked that
// the ones it needs are there and well formed.
struct Step {
    // What the step is and does (sim/StepType.h); never null in a parsed step.
    const StepType* type = nullptr;
    int line = 0;
    // The line as written (without its comment), for messages.
    std::string source;
    // Labels, titles, texts, paths, names, in the order written.
    std::vector<std::string> texts;
    // Points and sizes in screen points, scales.
    std::vector<double> numbers;
    // Seconds a touch lasts (long press, drag), when given.
    std::optional<double> seconds;
    // Milliseconds to wait.
    long long milliseconds = 0;
    Direction direction = Direction::Up;

    // The step's name as written in a script ("tap", "expect alert").
    std::string name() const;

    // A step of the type named `name` with these texts, as if parsed from line 0; throws
    // ScriptError for a name that is no step.
    static Step make(std::string_view name, std::vector<std::string> texts);
};

struct Script {
    std::vector<Step> steps;
    // The profile the first step asks for, if it is one that boots a device (`profile`).
    std::optional<std::string> profile() const;
};

// A mistake in a script, or a step that failed: the line (1-based; 0 when not tied to a line) and
// why.
class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& reason);
    int line() const { return m_line; }
    const std::string& reason() const { return m_reason; }

private:
    int m_line;
    std::string m_reason;
};

// A token of a line: its text, and whether it was written in double quotes.
struct Token {
    std::string text;
    bool quoted = false;
};

// Splits a line into tokens, dropping a comment. Throws ScriptError for an unterminated quote, an
// unknown escape or a quote glued to other text.
std::vector<Token> tokenizeLine(std::string_view line, int lineNumber);

// Parses one line into a step; nothing for a blank or comment line. Throws ScriptError.
std::optional<Step> parseLine(std::string_view line, int lineNumber);

// Parses a whole script. Throws ScriptError at the first mistake (an unknown step, a wrong number
// of arguments, a number that is not one, `profile` anywhere but first, an unknown profile).
Script parseScript(std::string_view text);

// A preference value as `pref` stores it: "true"/"false" as booleans, a whole number as an
// integer, anything else as a string. Kept apart for tests.
struct PreferenceValue {
    enum class Kind { Boolean, Integer, String } kind = Kind::String;
    bool boolean = false;
    std::int64_t integer = 0;
    std::string string;
};
PreferenceValue parsePreferenceValue(const std::string& text);

// The steps and their arguments, one a line, for --help.
std::string languageSummary();

// The steps as the README's table in markdown: a row a step, its forms and what it does.
std::string stepTableMarkdown();

} // namespace sim
