#include "sim/StepType.h"

#include <charconv>
#include <cmath>

namespace sim {

namespace {

std::optional<double> toNumber(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string_view firstWordOf(std::string_view name) { return name.substr(0, name.find(' ')); }

} // namespace

const StepType* findStepType(std::string_view name)
{
    for (const StepType& type : stepTypes())
        if (type.name == name)
            return &type;
    return nullptr;
}

std::string usageOfSteps(std::string_view firstWord)
{
    std::string usage;
    for (const StepType& type : stepTypes()) {
        if (firstWordOf(type.name) != firstWord)
            continue;
        if (!usage.empty())
            usage += " | ";
        usage += type.usage;
    }
    return usage;
}

StepParser::StepParser(Step& step, std::string name, std::vector<Token> arguments)
    : m_step(step)
    , m_name(std::move(name))
    , m_arguments(std::move(arguments))
{
}

void StepParser::fail(const std::string& reason) const { throw ScriptError(m_step.line, reason); }

void StepParser::refuse(const std::string& what) const { fail(what + " (usage: " + usageOfSteps(m_name) + ")"); }

void StepParser::count(std::size_t least, std::size_t most) const
{
    std::size_t given = m_arguments.size();
    if (given >= least && given <= most)
        return;
    std::string want = most == 0 ? "no arguments"
        : least == most          ? std::to_string(least) + (most == 1 ? " argument" : " arguments")
                                 : std::to_string(least) + " to " + std::to_string(most) + " arguments";
    refuse(m_name + " takes " + want + ", not " + std::to_string(given));
}

void StepParser::countIs(std::size_t exactly, const std::string& what) const
{
    if (m_arguments.size() != exactly)
        refuse(m_step.name() + " takes " + what + ", not " + std::to_string(m_arguments.size()));
}

const std::string& StepParser::text(std::size_t index, const char* what)
{
    if (argument(index).text.empty())
        refuse(std::string(what) + " must not be empty");
    return anyText(index);
}

const std::string& StepParser::anyText(std::size_t index)
{
    m_step.texts.push_back(argument(index).text);
    return m_step.texts.back();
}

double StepParser::number(std::size_t index, const char* what)
{
    const Token& token = argument(index);
    auto value = token.quoted ? std::nullopt : toNumber(token.text);
    if (!value)
        refuse(std::string(what) + " must be a number, not '" + token.text + "'");
    m_step.numbers.push_back(*value);
    return *value;
}

void StepParser::seconds(std::size_t index)
{
    const Token& token = argument(index);
    auto value = token.quoted ? std::nullopt : toNumber(token.text);
    if (!value)
        refuse("SECONDS must be a number, not '" + token.text + "'");
    if (*value <= 0 || *value > 3600)
        refuse("SECONDS must be more than 0 and at most 3600, not '" + token.text + "'");
    m_step.seconds = *value;
}

} // namespace sim
