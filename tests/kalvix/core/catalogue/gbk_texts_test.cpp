#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/gbk.h"
#include "content_test_helpers.h"

namespace {

using content_test::cat;

// The game's texts are GBK: every character of every content table must have a GBK form, or
// the build file, the summaries and the byte-counting layouts would show '?'.
TEST(ContentTexts, EveryTextHasAGbkForm) {
    std::vector<std::string> texts;
    for (const auto& s : cat().stunts)
        texts.insert(texts.end(), {s.name, s.description});
    for (const auto& e : cat().equipEffects)
        texts.insert(texts.end(), {e.name, e.description});
    for (const auto& s : cat().runeStones)
        texts.push_back(s.name);
    for (const auto& c : cat().runeCombinations)
        texts.insert(texts.end(), {c.name, c.text});
    for (const auto& s : cat().schoolSkills)
        texts.insert(texts.end(), {s.name, s.effect, s.techniques});
    for (const auto& f : cat().furniture)
        texts.insert(texts.end(), {f.name, f.description});
    for (const auto& m : cat().materialNames)
        texts.push_back(m);
    ASSERT_GT(texts.size(), 800u);
    for (const std::string& t : texts)
        EXPECT_TRUE(common::utf8ToGbkStrict(t).has_value()) << t;
}

}  // namespace
