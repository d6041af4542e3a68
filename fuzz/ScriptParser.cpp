// The simulator's script language: any text either parses or is refused with a ScriptError naming
// a line of the script; nothing else escapes. A tokenized line written back with every token
// quoted tokenizes to the same texts.

#include "FuzzDevice.h"

#include "sim/Script.h"

#include <algorithm>
#include <string_view>

namespace {

std::string inQuotes(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

void checkTokensSurviveQuoting(std::string_view line)
{
    std::vector<sim::Token> tokens;
    try {
        tokens = sim::tokenizeLine(line, 1);
    } catch (const sim::ScriptError&) {
        return;
    }
    std::string rewritten;
    for (auto& token : tokens)
        rewritten += inQuotes(token.text) + " ";
    auto again = sim::tokenizeLine(rewritten, 1);
    if (again.size() != tokens.size())
        fuzz::fail("quoting every token changed their number");
    for (size_t i = 0; i < tokens.size(); ++i)
        if (again[i].text != tokens[i].text || !again[i].quoted)
            fuzz::fail("quoting a token changed its text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    try {
        sim::Script script = sim::parseScript(text);
        for (auto& step : script.steps)
            if (step.line < 1 || step.line > lines)
                fuzz::fail("a step has a line number outside the script");
    } catch (const sim::ScriptError& error) {
        if (error.line() < 1 || error.line() > lines)
            fuzz::fail("a mistake is reported on a line outside the script");
    }
    size_t end = text.find('\n');
    checkTokensSurviveQuoting(text.substr(0, end));
    return 0;
}
