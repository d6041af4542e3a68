#include "sim/Script.h"

#include "sim/StepType.h"

#include <charconv>
#include <sstream>

namespace sim {

ScriptError::ScriptError(int line, const std::string& reason)
    : std::runtime_error(line > 0 ? "line " + std::to_string(line) + ": " + reason : reason)
    , m_line(line)
    , m_reason(reason)
{
}

namespace {

[[noreturn]] void fail(int line, const std::string& reason) { throw ScriptError(line, reason); }

// The line without its comment: tokens re-joined as written.
std::string sourceOf(const std::vector<Token>& tokens)
{
    std::string source;
    for (const auto& t : tokens) {
        if (!source.empty())
            source += ' ';
        source += t.quoted ? "\"" + t.text + "\"" : t.text;
    }
    return source;
}

// The second words of the steps written with this first word: "exists, missing or alert".
std::string secondWordsOf(std::string_view firstWord)
{
    std::vector<std::string_view> words;
    for (const StepType& type : stepTypes())
        if (type.name.size() > firstWord.size() && type.name.substr(0, firstWord.size() + 1) == std::string(firstWord) + " ")
            words.push_back(type.name.substr(firstWord.size() + 1));
    std::string list;
    for (size_t i = 0; i < words.size(); ++i)
        list += std::string(i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
    return list;
}

// The type of a step whose first word is `name`: a step of one word, or of two with the next
// token as the second (which is then taken off the arguments).
const StepType& typeOf(const std::string& name, std::vector<Token>& args, int lineNumber)
{
    if (const StepType* type = findStepType(name))
        return *type;
    std::string second = secondWordsOf(name);
    if (second.empty())
        fail(lineNumber, "unknown step '" + name + "' (ovrimo-sim --help lists the steps)");
    auto refuse = [&](const std::string& what) { fail(lineNumber, what + " (usage: " + usageOfSteps(name) + ")"); };
    if (args.empty())
        refuse(name + " needs what to " + name + ": " + second);
    const StepType* type = findStepType(name + " " + args[0].text);
    if (!type)
        refuse(name + " " + second + ", not '" + args[0].text + "'");
    args.erase(args.begin());
    return *type;
}

} // namespace

std::string Step::name() const { return type ? std::string(type->name) : "?"; }

Step Step::make(std::string_view name, std::vector<std::string> texts)
{
    Step step;
    step.type = findStepType(name);
    if (!step.type)
        throw ScriptError(0, "unknown step '" + std::string(name) + "'");
    step.source = std::string(name);
    for (const auto& text : texts)
        step.source += " " + text;
    step.texts = std::move(texts);
    return step;
}

std::optional<std::string> Script::profile() const
{
    if (!steps.empty() && steps.front().type->bootsDevice)
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
    step.source = sourceOf(tokens);
    if (tokens[0].quoted)
        fail(lineNumber, "a step starts with its name, not a quoted text");
    const std::string name = tokens[0].text;
    std::vector<Token> args(tokens.begin() + 1, tokens.end());
    step.type = &typeOf(name, args, lineNumber);
    StepParser parser(step, name, std::move(args));
    step.type->parse(parser);
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
            if (step->type->bootsDevice && !script.steps.empty())
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
    for (const StepType& type : stepTypes()) {
        std::string usage(type.usage);
        out << "  " << usage;
        if (usage.size() < 42)
            out << std::string(42 - usage.size(), ' ');
        else
            out << "\n  " << std::string(42, ' ');
        out << type.description << "\n";
    }
    return out.str();
}

std::string stepTableMarkdown()
{
    std::string table = "| step | what it does |\n| --- | --- |\n";
    for (const StepType& type : stepTypes()) {
        std::string forms;
        std::string_view usage = type.usage;
        while (!usage.empty()) {
            size_t end = usage.find(" | ");
            std::string form(usage.substr(0, end));
            usage = end == std::string_view::npos ? std::string_view() : usage.substr(end + 3);
            // A bar inside a form (up|down) would end the table's cell.
            for (size_t bar = form.find('|'); bar != std::string::npos; bar = form.find('|', bar + 2))
                form.replace(bar, 1, "\\|");
            forms += (forms.empty() ? "`" : ", `") + form + "`";
        }
        table += "| " + forms + " | " + std::string(type.description) + " |\n";
    }
    return table;
}

} // namespace sim
