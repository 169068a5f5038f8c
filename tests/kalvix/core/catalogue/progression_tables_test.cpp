#include <gtest/gtest.h>
#include <map>

#include "common/gbk.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace {

const kalvix::Catalogue& cat() {
    return kalvix::Catalogue::instance();
}

TEST(Enumerations, NameLookup) {
    struct Case {
        std::int32_t category, key;
        const char* name;
    } cases[] = {
        {105, 24, "普陀寺"},  {102, -1, "不限"},  {101, 7, ""},    {0, 0, ""},
        {106, -1, "五"},      {106, 4, "减益无"}, {101, -1, "无"}, {108, 10, "十"},
        {104, 9, "法力防御"}, {107, 10, "地板"},  {105, 0, ""},    {103, 5, "敏捷"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cat().enumName(c.category, c.key), c.name);
}

TEST(Enumerations, SeventyThreeRowsThenEmptySlots) {
    int used = 0;
    for (int i = 0; i < kalvix::kEnumSlots; ++i) {
        const auto& r = cat().enums[i];
        if (i < 73) {
            EXPECT_NE(r.category, 0) << i;
            EXPECT_EQ(r.key, r.value) << i;
            EXPECT_LE(r.english.size(), 19u) << i;
            EXPECT_LE(common::gbkLength(r.chinese), 31u) << i;
            ++used;
        } else {
            EXPECT_EQ(r.category, 0) << i;
            EXPECT_TRUE(r.english.empty() && r.chinese.empty()) << i;
        }
    }
    EXPECT_EQ(used, 73);
    // Per-category member counts.
    std::map<int, int> counts;
    for (const auto& r : cat().enums)
        counts[r.category]++;
    EXPECT_EQ(counts[101], 8);
    EXPECT_EQ(counts[102], 7);
    EXPECT_EQ(counts[103], 6);
    EXPECT_EQ(counts[104], 12);
    EXPECT_EQ(counts[105], 13);
    EXPECT_EQ(counts[106], 6);
    EXPECT_EQ(counts[107], 10);
    EXPECT_EQ(counts[108], 11);
}

TEST(ProgressionTables, TellingValues) {
    const auto& x = cat().characterExp;
    EXPECT_EQ(x[0], 0);
    EXPECT_EQ(x[1], 40);
    EXPECT_EQ(x[2], 150);
    EXPECT_EQ(x[100], 122593725);
    EXPECT_EQ(x[175], 9208635591);
    const auto& c = cat().npcAuxCost;
    EXPECT_EQ(c[1].experience, 2001);
    EXPECT_EQ(c[1].money, 301);
    EXPECT_EQ(c[1].popularity, 1);
    EXPECT_EQ(c[2].experience, 4009);
    EXPECT_EQ(c[2].popularity, 2);
    EXPECT_EQ(c[10].experience, 23025);
    EXPECT_EQ(c[10].money, 6025);
    EXPECT_EQ(c[10].popularity, 17);
    EXPECT_EQ(c[40].experience, 752400);
    EXPECT_EQ(c[40].money, 684400);
    EXPECT_EQ(c[40].popularity, 188);
    const auto& p = cat().petExp;
    std::pair<int, std::int32_t> pets[] = {{1, 50},         {2, 250},        {3, 700},
                                           {150, 56813750}, {155, 68519250}, {160, 87243750},
                                           {161, 88539800}, {180, 116347250}};
    for (auto [n, v] : pets)
        EXPECT_EQ(p[n], v) << n;
    const auto& a = cat().schoolSkillCost;
    EXPECT_EQ(a[180].experience, 660382434);
    EXPECT_EQ(a[180].money, 212923391);
    EXPECT_EQ(a[1].money, 6);
    EXPECT_EQ(cat().guildAuxCost[160].money, 33470917);
}

TEST(ProgressionTables, ShapesOfTheCurves) {
    const auto& x = cat().characterExp;
    for (int n = 1; n < kalvix::kCharacterLevels; ++n)
        EXPECT_GT(x[n], x[n - 1]) << n;
    // The step to 146 is about twice the step to 145.
    double ratio = double(x[146] - x[145]) / double(x[145] - x[144]);
    EXPECT_GT(ratio, 1.9);
    EXPECT_LT(ratio, 2.2);
    for (int n = 0; n < kalvix::kGuildAuxLevels; ++n)
        EXPECT_EQ(cat().guildAuxCost[n].experience, cat().schoolSkillCost[n].experience) << n;
    for (int n = 1; n < kalvix::kSchoolSkillLevels; ++n) {
        EXPECT_GT(cat().schoolSkillCost[n].experience, cat().schoolSkillCost[n - 1].experience);
        EXPECT_GT(cat().schoolSkillCost[n].money, cat().schoolSkillCost[n - 1].money);
    }
    for (int n = 1; n < kalvix::kGuildAuxLevels; ++n)
        EXPECT_GT(cat().guildAuxCost[n].money, cat().guildAuxCost[n - 1].money) << n;
}

}  // namespace
