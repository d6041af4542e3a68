#pragma once

// The steps of the script language as records: each step's name, how it is written, what it does,
// how its arguments are checked and how it runs. A new step is one record in sim/Steps.cpp, with
// its two functions beside it; the parser, the runner, --help and the README's step table all read
// the same records.

#include "sim/Script.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class StepParser;
class StepRun;

struct StepType {
    // As written at the start of a line: one word ("tap") or two ("expect alert").
    std::string_view name;
    // Its forms, separated by " | ": "tap \"LABEL\" | tap X Y".
    std::string_view usage;
    // What it does, one sentence; `code` in backquotes, as the README shows it.
    std::string_view description;
    // Checks the arguments and stores them in the step; throws ScriptError.
    void (*parse)(StepParser&);
    // Does the step on the device; throws (StepFailure or any std::exception) when it cannot.
    void (*run)(StepRun&, const Step&);
    // A step that boots the device (`profile`): only as the first step, and run before any
    // device is there.
    bool bootsDevice = false;
};

// Every step, in the order --help and the README list them.
std::span<const StepType> stepTypes();

// The step written as `name` (one word or two), if any.
const StepType* findStepType(std::string_view name);

// The arguments of one line being parsed into a step of a known type. Each accessor checks one
// argument and stores it in the step; a mistake throws ScriptError naming the line, with the
// step's usage.
class StepParser {
public:
    // `name` is the step's first word as written, for messages ("expect").
    StepParser(Step& step, std::string name, std::vector<Token> arguments);

    Step& step() { return m_step; }
    std::size_t size() const { return m_arguments.size(); }
    // The argument as written, unchecked.
    const Token& argument(std::size_t index) const { return m_arguments.at(index); }

    // Refuses fewer than `least` or more than `most` arguments ("tap takes 1 to 2 arguments").
    void count(std::size_t least, std::size_t most) const;
    // Refuses any count but `exactly`, saying what it takes in words ("one device path").
    void countIs(std::size_t exactly, const std::string& what) const;
    // A text that must not be empty (`what` names it: "LABEL"), stored in the step's texts.
    const std::string& text(std::size_t index, const char* what);
    // A text that may be empty, stored in the step's texts.
    const std::string& anyText(std::size_t index);
    // A finite number, stored in the step's numbers.
    double number(std::size_t index, const char* what);
    // SECONDS: more than 0 and at most an hour, stored as the step's seconds.
    void seconds(std::size_t index);

    // A mistake in the arguments: `what`, then the step's usage.
    [[noreturn]] void refuse(const std::string& what) const;
    // A mistake told as it is.
    [[noreturn]] void fail(const std::string& reason) const;

private:
    Step& m_step;
    std::string m_name;
    std::vector<Token> m_arguments;
};

// The usage of every step written with this first word, " | " between them, for messages.
std::string usageOfSteps(std::string_view firstWord);

} // namespace sim
