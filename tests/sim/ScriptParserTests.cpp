#include "sim/Script.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// The reason a script is refused, and on which line; fails the test when it is accepted.
std::pair<int, std::string> refusal(const std::string& text)
{
    try {
        parseScript(text);
    } catch (const ScriptError& e) {
        return { e.line(), e.reason() };
    }
    ADD_FAILURE() << "accepted: " << text;
    return { -1, "" };
}

} // namespace

TEST(ScriptTokens, QuotesKeepSpacesAndEscapesAndCommentsEndTheLine)
{
    auto tokens = tokenizeLine(R"(  tap "App Store"  # the blue one)", 1);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].text, "App Store");
    EXPECT_TRUE(tokens[1].quoted);
    EXPECT_FALSE(tokens[0].quoted);

    tokens = tokenizeLine(R"(type "say \"hi\" # not a comment \\ ok")", 1);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].text, R"(say "hi" # not a comment \ ok)");

    tokens = tokenizeLine("clipboard \"\"", 1);
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].text, "");
}

TEST(ScriptTokens, BadQuotingIsRefusedWithItsLine)
{
    auto [line, reason] = refusal("home\n\ntap \"Photos\n");
    EXPECT_EQ(line, 3);
    EXPECT_NE(reason.find("not closed"), std::string::npos) << reason;

    EXPECT_NE(refusal("tap \"Pho\"tos").second.find("closing double quote"), std::string::npos);
    EXPECT_NE(refusal("tap Pho\"tos\"").second.find("inside a word"), std::string::npos);
    EXPECT_NE(refusal("tap \"a\\nb\"").second.find("unknown escape"), std::string::npos);
    EXPECT_NE(refusal("tap \"ends in a backslash\\").second.find("not closed"), std::string::npos);
}

TEST(ScriptParse, EveryStepWithItsArguments)
{
    Script s = parseScript(R"(# a demo
profile iphone5-ios9
tap "Photos"
tap 160.5 284
longpress "Safari" 2.5
longpress Safari
swipe left
swipe up "Folder"
drag 10 20 30 40
drag 10 20 30 40 1.5
pinch 160 284 0.5
choose "Use as Icon"
type "My icon"
home
open "com.apple.Preferences"
wait 250
clipboard "https://example.com/a.png"
photo pictures/red.png
pref enabled true
screenshot out/home.png
expect exists /var/mobile/Documents
expect missing "/var/mobile/Nothing Here"
expect alert "Cancel"
expect text "Settings"
switcher
notify "com.apple.MobileSMS" "Anna" "See you at eight"
notifications
widgets
search "cal"
)");
    ASSERT_EQ(s.steps.size(), 28u);
    EXPECT_EQ(s.profile(), "iphone5-ios9");
    const Step& tapLabel = s.steps[1];
    EXPECT_EQ(tapLabel.name(), "tap");
    EXPECT_EQ(tapLabel.line, 3);
    EXPECT_EQ(tapLabel.texts, std::vector<std::string> { "Photos" });
    const Step& tapPoint = s.steps[2];
    EXPECT_TRUE(tapPoint.texts.empty());
    EXPECT_EQ(tapPoint.numbers, (std::vector<double> { 160.5, 284 }));
    EXPECT_EQ(s.steps[3].seconds, 2.5);
    EXPECT_FALSE(s.steps[4].seconds.has_value());
    EXPECT_EQ(s.steps[5].direction, Direction::Left);
    EXPECT_EQ(s.steps[6].direction, Direction::Up);
    EXPECT_EQ(s.steps[6].texts, std::vector<std::string> { "Folder" });
    EXPECT_EQ(s.steps[7].numbers.size(), 4u);
    EXPECT_EQ(s.steps[8].seconds, 1.5);
    EXPECT_EQ(s.steps[9].numbers[2], 0.5);
    EXPECT_EQ(s.steps[10].name(), "choose");
    EXPECT_EQ(s.steps[11].name(), "type");
    EXPECT_EQ(s.steps[12].name(), "home");
    EXPECT_EQ(s.steps[13].texts[0], "com.apple.Preferences");
    EXPECT_EQ(s.steps[14].milliseconds, 250);
    EXPECT_EQ(s.steps[16].texts[0], "pictures/red.png");
    EXPECT_EQ(s.steps[17].texts, (std::vector<std::string> { "enabled", "true" }));
    EXPECT_EQ(s.steps[19].name(), "expect exists");
    EXPECT_EQ(s.steps[20].name(), "expect missing");
    EXPECT_EQ(s.steps[20].texts[0], "/var/mobile/Nothing Here");
    EXPECT_EQ(s.steps[21].name(), "expect alert");
    EXPECT_EQ(s.steps[22].name(), "expect text");
    EXPECT_EQ(s.steps[24].texts.size(), 3u);
    EXPECT_EQ(s.steps[25].name(), "notifications");
    EXPECT_EQ(s.steps[27].texts[0], "cal");
}

TEST(ScriptParse, UnknownStepsAndWrongArgumentCountsNameTheLine)
{
    auto [line, reason] = refusal("home\n  # comment\nfly \"away\"\n");
    EXPECT_EQ(line, 3);
    EXPECT_EQ(reason, "unknown step 'fly' (ovrimo-sim --help lists the steps)");

    EXPECT_EQ(refusal("home now").second, "home takes no arguments, not 1 (usage: home)");
    EXPECT_NE(refusal("tap").second.find("usage: tap \"LABEL\" | tap X Y"), std::string::npos);
    EXPECT_NE(refusal("tap 1 2 3").second.find("tap takes 1 to 2 arguments, not 3"), std::string::npos);
    EXPECT_NE(refusal("notify \"com.apple.MobileSMS\" \"only a title\"").second.find("takes 3 arguments"), std::string::npos);
    EXPECT_NE(refusal("expect").second.find("exists, missing, alert, text, pref or opened"), std::string::npos);
    EXPECT_NE(refusal("expect visible \"x\"").second.find("not 'visible'"), std::string::npos);
    EXPECT_NE(refusal("expect text").second.find("takes one text, not 0"), std::string::npos);
    EXPECT_NE(refusal("expect exists var/mobile").second.find("starting with '/'"), std::string::npos);
    EXPECT_NE(refusal("\"tap\" x").second.find("starts with its name"), std::string::npos);
}

TEST(ScriptParse, NumbersDirectionsAndDurationsAreChecked)
{
    EXPECT_NE(refusal("tap 10 ten").second.find("Y must be a number, not 'ten'"), std::string::npos);
    EXPECT_NE(refusal("tap \"10\" \"20\"").second.find("X must be a number"), std::string::npos);
    EXPECT_NE(refusal("tap 10 nan").second.find("Y must be a number"), std::string::npos);
    EXPECT_NE(refusal("swipe sideways").second.find("up, down, left or right"), std::string::npos);
    EXPECT_NE(refusal("longpress \"Safari\" 0").second.find("SECONDS must be more than 0"), std::string::npos);
    EXPECT_NE(refusal("drag 1 2 3 4 -1").second.find("SECONDS"), std::string::npos);
    EXPECT_NE(refusal("pinch 1 2 0").second.find("SCALE"), std::string::npos);
    EXPECT_NE(refusal("wait 1.5").second.find("whole number of milliseconds"), std::string::npos);
    EXPECT_NE(refusal("wait -1").second.find("whole number"), std::string::npos);
    EXPECT_NE(refusal("tap \"\"").second.find("LABEL must not be empty"), std::string::npos);
    EXPECT_NE(refusal("screenshot \"\"").second.find("FILE must not be empty"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures 80").second.find("PORT must be a whole number from 1024 to 65535"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures 8080.5").second.find("PORT"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures").second.find("webserver takes 2 to 4 arguments"), std::string::npos);
    // A held answer: only `delay SECONDS`, as long presses take them.
    EXPECT_EQ(parseScript("webserver pictures 8080 delay 2.5").steps.at(0).seconds, 2.5);
    EXPECT_FALSE(parseScript("webserver pictures 8080").steps.at(0).seconds.has_value());
    EXPECT_NE(refusal("webserver pictures 8080 delay").second.find("only 'delay SECONDS'"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures 8080 wait 2").second.find("only 'delay SECONDS'"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures 8080 \"delay\" 2").second.find("only 'delay SECONDS'"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures 8080 delay 0").second.find("SECONDS must be more than 0"), std::string::npos);
    EXPECT_NE(refusal("webserver pictures 8080 delay 2s").second.find("SECONDS must be a number"), std::string::npos);
}

TEST(ScriptParse, ProfileMustComeFirstAndExist)
{
    EXPECT_EQ(parseScript("# first a comment\n\nprofile ipadpro-ios13\nhome").profile(), "ipadpro-ios13");
    EXPECT_FALSE(parseScript("home").profile().has_value());

    auto [line, reason] = refusal("home\nprofile iphone5-ios9\n");
    EXPECT_EQ(line, 2);
    EXPECT_NE(reason.find("profile must come first"), std::string::npos) << reason;
    EXPECT_EQ(refusal("profile iphone5-ios9\nprofile iphone5-ios9").first, 2);

    auto unknown = refusal("profile nokia-3310");
    EXPECT_EQ(unknown.first, 1);
    EXPECT_NE(unknown.second.find("no device profile named 'nokia-3310'"), std::string::npos);
}

TEST(ScriptParse, EmptyScriptsCommentsAndWindowsLineEndings)
{
    EXPECT_TRUE(parseScript("").steps.empty());
    EXPECT_TRUE(parseScript("# nothing\n   \n\t# still nothing").steps.empty());
    Script s = parseScript("home\r\nwait 10\r\n");
    ASSERT_EQ(s.steps.size(), 2u);
    EXPECT_EQ(s.steps[1].milliseconds, 10);
    EXPECT_EQ(refusal(std::string("home\nhome\0", 10)).first, 2);
}

TEST(ScriptErrors, MessageCarriesTheLine)
{
    ScriptError e(7, "nothing on screen");
    EXPECT_STREQ(e.what(), "line 7: nothing on screen");
    EXPECT_STREQ(ScriptError(0, "cannot boot").what(), "cannot boot");
}

TEST(ScriptPreferences, ValuesAreTypedAsSettingsWouldStoreThem)
{
    EXPECT_EQ(parsePreferenceValue("true").kind, PreferenceValue::Kind::Boolean);
    EXPECT_TRUE(parsePreferenceValue("true").boolean);
    EXPECT_FALSE(parsePreferenceValue("false").boolean);
    EXPECT_EQ(parsePreferenceValue("TRUE").kind, PreferenceValue::Kind::String);
    EXPECT_EQ(parsePreferenceValue("42").integer, 42);
    EXPECT_EQ(parsePreferenceValue("-7").integer, -7);
    EXPECT_EQ(parsePreferenceValue("1.5").kind, PreferenceValue::Kind::String);
    EXPECT_EQ(parsePreferenceValue("12abc").kind, PreferenceValue::Kind::String);
    EXPECT_EQ(parsePreferenceValue("").kind, PreferenceValue::Kind::String);
    EXPECT_EQ(parsePreferenceValue("99999999999999999999").kind, PreferenceValue::Kind::String);
}

TEST(ScriptParse, SettingsStepsAndTheirChecks)
{
    Script script = parseScript("toggle \"Systemwide\"\nsegment \"Overlay\"\nexpect pref folderoverlay 1\nexpect opened \"https://example.com/x\"\n");
    ASSERT_EQ(script.steps.size(), 4u);
    EXPECT_EQ(script.steps[0].name(), "toggle");
    EXPECT_EQ(script.steps[0].texts, (std::vector<std::string> { "Systemwide" }));
    EXPECT_EQ(script.steps[1].name(), "segment");
    EXPECT_EQ(script.steps[2].texts, (std::vector<std::string> { "folderoverlay", "1" }));
    EXPECT_EQ(script.steps[2].name(), "expect pref");
    EXPECT_EQ(script.steps[3].name(), "expect opened");

    EXPECT_EQ(refusal("toggle").first, 1);
    EXPECT_EQ(refusal("segment \"\"").first, 1);
    EXPECT_EQ(refusal("tap \"x\"\nexpect pref enabled").first, 2);
    EXPECT_EQ(refusal("expect opened").first, 1);
    EXPECT_NE(refusal("expect nothing").second.find("pref or opened"), std::string::npos);
}

TEST(ScriptParse, GalleryRowsNamePicturesInsideTheOutputFolder)
{
    Script script = parseScript("gallery \"Safari's new icon\" a.png shots/b.png\ngallery \"x\" a.png b.png pair.png\n");
    ASSERT_EQ(script.steps.size(), 2u);
    EXPECT_EQ(script.steps[0].name(), "gallery");
    EXPECT_EQ(script.steps[0].texts, (std::vector<std::string> { "Safari's new icon", "a.png", "shots/b.png" }));
    EXPECT_EQ(script.steps[1].texts.size(), 4u);

    EXPECT_NE(refusal("gallery \"only one\" a.png").second.find("gallery takes 3 to 4 arguments, not 2"), std::string::npos);
    EXPECT_NE(refusal("gallery \"\" a.png b.png").second.find("CAPTION must not be empty"), std::string::npos);
    // A page beside the pictures reaches them by relative paths: nothing absolute, nothing above.
    EXPECT_NE(refusal("gallery \"x\" /tmp/a.png b.png").second.find("BEFORE must be a file in the --out folder"), std::string::npos);
    EXPECT_NE(refusal("gallery \"x\" a.png ../b.png").second.find("AFTER must be a file"), std::string::npos);
    EXPECT_NE(refusal("gallery \"x\" a.png b.png shots/../../p.png").second.find("PAIR must be a file"), std::string::npos);
    EXPECT_NE(refusal("gallery \"x\" a.png shots/").second.find("AFTER must be a file"), std::string::npos);
}
