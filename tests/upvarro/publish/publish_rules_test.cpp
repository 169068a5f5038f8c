// The rules file of upvarro-publish: what each line means, and which lines are refused where.
#include "upvarro/publish/publish_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace upvarro::publish {
namespace {

struct ParseCase {
    const char* label;
    std::string text;
    // Valid: the pattern and action of each rule. Refused: empty, with error below.
    std::vector<std::pair<std::string, FileAction>> rules;
    std::string error;  // "R:LINE: " followed by a part of the reason
};

void PrintTo(const ParseCase& row, std::ostream* os) {
    *os << row.label;
}

class RulesParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(RulesParse, ReadsOrRefusesWithLine) {
    const ParseCase& c = GetParam();
    std::string error;
    auto rules = PublishRules::parse(c.text, "R", &error);
    if (c.error.empty()) {
        ASSERT_TRUE(rules) << error;
        ASSERT_EQ(rules->rules().size(), c.rules.size());
        for (std::size_t i = 0; i < c.rules.size(); ++i) {
            EXPECT_EQ(rules->rules()[i].pattern, c.rules[i].first) << i;
            EXPECT_EQ(rules->rules()[i].action, c.rules[i].second) << i;
        }
    } else {
        ASSERT_FALSE(rules);
        std::string prefix = c.error.substr(0, c.error.find(' ') + 1);
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        EXPECT_NE(error.find(c.error.substr(prefix.size())), std::string::npos) << error;
    }
}

using A = FileAction;
INSTANTIATE_TEST_SUITE_P(
    Lines, RulesParse,
    ::testing::Values(
        ParseCase{"Empty", "", {}, ""},
        ParseCase{"CommentsAndBlanks", "# header\n\n   \n\t# indented\n", {}, ""},
        ParseCase{"EveryAction",
                  "*.so copy\nkalvix restart\nreg.dll register\nsetup run\nold/* delete\n",
                  {{"*.so", A::Copy},
                   {"kalvix", A::Restart},
                   {"reg.dll", A::Register},
                   {"setup", A::Run},
                   {"old/*", A::Delete}},
                  ""},
        ParseCase{"CopyCombines",
                  "a copy restart\nb restart copy\nc copy register\nd run copy",
                  {{"a", A::Restart}, {"b", A::Restart}, {"c", A::Register}, {"d", A::Run}},
                  ""},
        ParseCase{"TabsCrAndTrailingComment",
                  "a\tcopy\r\n  b   run   # start it\r\n",
                  {{"a", A::Copy}, {"b", A::Run}},
                  ""},
        ParseCase{"NoAction", "# x\na\n", {}, "R:2: 'a' has no action"},
        ParseCase{"OnlyComment", "a # copy\n", {}, "R:1: 'a' has no action"},
        ParseCase{"UnknownWord", "a copy\n\nb cpy\n", {}, "R:3: unknown action 'cpy'"},
        ParseCase{"CaseMatters", "a Copy", {}, "R:1: unknown action 'Copy'"},
        ParseCase{"TwoSpecial", "a restart run", {}, "R:1: restart, register and run exclude"},
        ParseCase{"RegisterRun", "a copy register run", {}, "R:1: restart, register and run"},
        ParseCase{"DeleteAndCopy", "a delete copy", {}, "R:1: delete cannot be combined"},
        ParseCase{"CopyDelete", "x copy\na copy delete", {}, "R:2: delete cannot be combined"},
        ParseCase{"Twice", "a run run", {}, "R:1: action 'run' given twice"},
        ParseCase{"Backslash", "old\\* delete", {}, "R:1: 'old\\*': folders are separated by /"},
        ParseCase{"LeadingSlash", "/kalvix restart", {}, "R:1: '/kalvix': patterns are relative"},
        ParseCase{"Control", "a\x01 copy", {}, "R:1: control character"},
        ParseCase{"Nul", std::string("a copy\nb\0 copy", 14), {}, "R:2: control character"}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(PublishRules, LastMatchingLineWinsAndStarCrossesFolders) {
    std::string error;
    auto rules = PublishRules::parse(
        "* copy\n*.so register\nlib/keep.so copy\nold/* delete\nold/keep.txt copy\n"
        "gone.txt delete\n[ab].cfg run\n??.txt run\n",
        "R", &error);
    ASSERT_TRUE(rules) << error;
    const std::vector<std::pair<const char*, FileAction>> cases = {
        {"kalvix", A::Copy},          {"lib/a.so", A::Register},
        {"lib/keep.so", A::Copy},     {"a.so.1", A::Copy},
        {"old/sub/x.bin", A::Delete}, {"old/keep.txt", A::Copy},
        {"olds/x", A::Copy},          {"b.cfg", A::Run},
        {"c.cfg", A::Copy},           {"ab.txt", A::Run},
        {"abc.txt", A::Copy},         {"gone.txt", A::Delete},
        {"sub/gone.txt", A::Copy},
    };
    for (const auto& [name, action] : cases)
        EXPECT_EQ(rules->actionFor(name), action) << name;

    auto named = rules->namedDeletes();
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0]->pattern, "gone.txt");
    EXPECT_EQ(named[0]->line, 6);
    EXPECT_EQ(rules->ruleFor("nothing-matches-but-star")->line, 1);
}

}  // namespace
}  // namespace upvarro::publish
