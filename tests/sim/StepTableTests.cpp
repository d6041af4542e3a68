#include "sim/StepType.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

using namespace sim;

TEST(StepTable, EachStepIsOneRecordWrittenAsItsUsageSays)
{
    std::set<std::string_view> names;
    for (const StepType& type : stepTypes()) {
        EXPECT_TRUE(names.insert(type.name).second) << "two records for " << type.name;
        EXPECT_EQ(findStepType(type.name), &type);
        ASSERT_NE(type.parse, nullptr) << type.name;
        // The runner boots the device for a step that boots it; every other step runs itself.
        EXPECT_EQ(type.run == nullptr, type.bootsDevice) << type.name;
        EXPECT_FALSE(type.description.empty()) << type.name;
        // Every form of the usage starts with the step's name, so --help and messages show it as
        // it is written.
        std::string usage(type.usage);
        for (size_t start = 0; start != std::string::npos;) {
            size_t bar = usage.find(" | ", start);
            std::string form = usage.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
            EXPECT_EQ(form.rfind(std::string(type.name), 0), 0u) << form;
            start = bar == std::string::npos ? bar : bar + 3;
        }
    }
    EXPECT_EQ(findStepType("expect"), nullptr);
    EXPECT_EQ(findStepType("fly"), nullptr);
}

TEST(StepTable, TwoWordStepsShareTheirFirstWordsUsageAndList)
{
    EXPECT_EQ(usageOfSteps("tap"), "tap \"LABEL\" | tap X Y");
    std::string expectUsage = usageOfSteps("expect");
    for (const char* form : { "expect exists PATH", "expect missing PATH", "expect alert \"TEXT\"", "expect pref KEY VALUE", "expect opened \"URL\"" })
        EXPECT_NE(expectUsage.find(form), std::string::npos) << form;
    // A step that only shares a prefix with another is not in its usage.
    EXPECT_EQ(usageOfSteps("segment"), "segment \"TITLE\"");

    try {
        parseScript("expect pref enabled");
        ADD_FAILURE() << "accepted";
    } catch (const ScriptError& e) {
        EXPECT_NE(e.reason().find("(usage: expect exists PATH |"), std::string::npos) << e.reason();
    }
}

TEST(StepTable, AStepMadeInCodeIsTheParsedOne)
{
    Step made = Step::make("screenshot", { "home.png" });
    Step parsed = parseScript("screenshot home.png").steps.at(0);
    EXPECT_EQ(made.type, parsed.type);
    EXPECT_EQ(made.texts, parsed.texts);
    EXPECT_EQ(made.source, parsed.source);
    EXPECT_EQ(made.line, 0);
    EXPECT_THROW(Step::make("fly", {}), ScriptError);
}

TEST(StepTable, HelpListsEveryFormAndTheReadmeTableIsTheRecords)
{
    std::string help = languageSummary();
    for (const StepType& type : stepTypes())
        EXPECT_NE(help.find(std::string(type.usage)), std::string::npos) << type.name;

    std::ifstream in(OVRIMO_README);
    ASSERT_TRUE(in) << OVRIMO_README;
    std::stringstream readme;
    readme << in.rdbuf();
    std::string text = readme.str();
    size_t start = text.find("| step | what it does |");
    ASSERT_NE(start, std::string::npos);
    size_t end = text.find("\n\n", start);
    EXPECT_EQ(text.substr(start, end + 1 - start), stepTableMarkdown()) << "the README's step table is not `ovrimo-sim steps`";
}
