#include <gtest/gtest.h>

#include <map>
#include <string>

#include "content_test_helpers.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/catalogue/school_skill_bonus.h"

namespace {

using content_test::cat;
using kalvix::SchoolSkillInfo;

TEST(SchoolSkills, EverySchoolHasEightSlots) {
    const std::map<int, std::string> effects = {
        {0, ""},
        {1, "按技能等级提高HP上限"},
        {2, "按技能等级提高MP上限"},
        {3, "按技能等级提高命中"},
        {4, "按技能等级提高伤害力"},
        {5, "按技能等级提高防御力"},
        {6, "按技能等级提高速度"},
        {7, "按技能等级提高躲避力"},
        {8, "按技能等级提高灵力"},
    };
    int raising = 0;
    int withoutTechniques = 0;
    for (int race = 0; race < kalvix::kRaces; ++race) {
        for (int school = 0; school < kalvix::kSchoolsPerRace; ++school) {
            const std::map<int, int> rows = cat().schoolSkillRows(race, school);
            ASSERT_EQ(rows.size(), 8u);
            int empty = 0;
            for (const auto& [slot, position] : rows) {
                EXPECT_EQ(position, (race * 4 + school) * 8 + slot - 1);
                const SchoolSkillInfo& row = cat().schoolSkills[position];
                EXPECT_EQ(&row, cat().schoolSkill(race, school, slot));
                EXPECT_EQ(row.slot, slot);
                // A skill raises nothing or the attribute its slot is named after.
                EXPECT_TRUE(row.attribute == 0 || row.attribute == slot) << position;
                EXPECT_EQ(row.effect, effects.at(row.attribute)) << position;
                raising += row.attribute != 0;
                if (row.name.empty()) {
                    ++empty;
                    EXPECT_EQ(row.attribute, 0);
                    EXPECT_TRUE(row.techniques.empty());
                    // Every school lacks a speed skill except 女儿村, which lacks a dodge one.
                    EXPECT_EQ(slot, race == 0 && school == 3 ? 7 : 6) << position;
                } else {
                    withoutTechniques += row.techniques.empty();
                    // Slots 4, 5, 7 and 8 always raise their attribute.
                    if (slot == 4 || slot == 5 || slot == 7 || slot == 8) {
                        EXPECT_EQ(row.attribute, slot) << position;
                    }
                }
            }
            EXPECT_EQ(empty, 1);
        }
    }
    EXPECT_EQ(raising, 52);
    EXPECT_EQ(withoutTechniques, 6);
    EXPECT_TRUE(cat().schoolSkillRows(3, 0).empty());
    EXPECT_TRUE(cat().schoolSkillRows(0, 4).empty());
    EXPECT_TRUE(cat().schoolSkillRows(-1, 0).empty());
    EXPECT_EQ(cat().schoolSkill(0, 0, 0), nullptr);
    EXPECT_EQ(cat().schoolSkill(0, 0, 9), nullptr);
    EXPECT_EQ(cat().schoolSkill(2, 4, 1), nullptr);
}

TEST(SchoolSkills, Examples) {
    struct Case {
        int race, school, slot;
        const char* name;
        int attribute;
        const char* techniques;
    } cases[] = {
        {0, 0, 1, "为官之道", 0, "杀气诀"},
        {0, 1, 3, "歧黄之术", 0,
         "化瘀,疗伤,推拿,针炙,正骨,活血,推气过宫,妙手回春,救死扶伤,解毒，舍生取义"},
        {0, 3, 1, "倾国倾城", 0, "红袖添香,楚楚可怜，一笑倾城"},
        {0, 3, 4, "毒\u3000经", 4, ""},
        {0, 3, 6, "清歌妙舞", 6, "移形换影,飞花摘叶"},
        {1, 0, 1, "傲世诀", 1, "天雷斩"},
        {1, 2, 2, "周易学", 2, "驱魔，驱尸"},
        {1, 3, 8, "灵\u3000性", 8, "自在心法"},
        {1, 3, 1, "金刚经", 0, "普渡众生，灵动九天、莲华妙法"},
        {2, 0, 5, "魔兽反噬", 5, "极度疯狂"},
        {2, 3, 3, "秋波暗送", 3, "勾魂，摄魄"},
        {2, 3, 8, "天外魔音", 8, ""},
    };
    for (const Case& c : cases) {
        const SchoolSkillInfo* row = cat().schoolSkill(c.race, c.school, c.slot);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->race, c.race + 1);
        EXPECT_EQ(row->school, c.school + 1);
        EXPECT_EQ(row->name, c.name);
        EXPECT_EQ(row->attribute, c.attribute) << c.name;
        EXPECT_EQ(row->techniques, c.techniques) << c.name;
    }
}

TEST(SchoolSkillBonus, RulesAtLevelZeroAndTheWrittenExamples) {
    using kalvix::schoolSkillBonus;
    for (int race = 0; race < 3; ++race) {
        for (int school = 0; school < 4; ++school) {
            for (int slot = 1; slot <= 8; ++slot) {
                const kalvix::SkillBonusInputs in{5000, 5000, 17};
                const bool seeded =
                    slot == 4 && ((race == 0 && school == 0) || (race == 2 && school == 3));
                const int seed = race == 0 ? 17 / 3 : 2;  // trunc(17 / 8.3) = 2
                EXPECT_EQ(schoolSkillBonus(race, school, slot, 0, in), seeded ? seed : 0)
                    << race << school << slot;
            }
        }
    }
    EXPECT_EQ(schoolSkillBonus(0, 0, 3, 1), 1);
    EXPECT_EQ(schoolSkillBonus(0, 0, 4, 1, {0, 0, 1}), 22);
    EXPECT_EQ(schoolSkillBonus(1, 1, 5, 10), 10);
    EXPECT_EQ(schoolSkillBonus(2, 2, 7, 150), 525);
    EXPECT_EQ(schoolSkillBonus(1, 0, 1, 100, {1000, 0, 0}), 300);
    // 女儿村 has no dodge skill, but extra levels from runes still earn the dodge bonus.
    EXPECT_TRUE(cat().schoolSkill(0, 3, 7)->name.empty());
    EXPECT_EQ(schoolSkillBonus(0, 3, 7, 6), 12);
    // Only the school a slot belongs to gains from slots 1, 2, 3 and 6.
    EXPECT_EQ(schoolSkillBonus(1, 1, 1, 100, {1000, 0, 0}), 0);
    EXPECT_EQ(schoolSkillBonus(1, 0, 2, 100, {0, 1000, 0}), 0);
    EXPECT_EQ(schoolSkillBonus(0, 1, 3, 100), 0);
    EXPECT_EQ(schoolSkillBonus(0, 0, 6, 100), 0);
    // Bad indexes and levels.
    EXPECT_EQ(schoolSkillBonus(3, 0, 7, 100), 0);
    EXPECT_EQ(schoolSkillBonus(0, -1, 7, 100), 0);
    EXPECT_EQ(schoolSkillBonus(0, 0, 9, 100), 0);
    EXPECT_EQ(schoolSkillBonus(0, 0, 0, 100), 0);
    EXPECT_EQ(schoolSkillBonus(0, 0, 7, -5), 0);
    EXPECT_EQ(schoolSkillBonus(2, 3, 3, 2147483647), 2147483647);
    EXPECT_EQ(schoolSkillBonus(2, 3, 8, 2147483647), 2147483647);
}

TEST(SchoolSkillBonus, RealArithmeticInTheWrittenOrder) {
    // Expected values from a separate evaluation of the rules in double precision. The first
    // four rows differ by one when the product is grouped another way.
    struct Case {
        int race, school, slot, level, extra, bonus;
    } cases[] = {
        {1, 0, 1, 25, 2760, 206}, {1, 0, 1, 100, 2760, 827}, {1, 2, 2, 25, 464, 57},
        {1, 2, 2, 100, 828, 413}, {0, 0, 3, 111, 0, 234},    {0, 0, 4, 148, 367, 663},
        {0, 0, 5, 185, 0, 422},   {0, 0, 7, 68, 0, 182},     {0, 0, 8, 105, 0, 101},
        {0, 1, 4, 62, 0, 174},    {0, 1, 5, 99, 0, 167},     {0, 1, 7, 173, 0, 645},
        {0, 1, 8, 19, 0, 11},     {0, 2, 4, 167, 0, 627},    {0, 2, 5, 13, 0, 14},
        {0, 2, 7, 87, 0, 249},    {0, 2, 8, 124, 0, 129},    {0, 3, 4, 81, 0, 220},
        {0, 3, 5, 118, 0, 214},   {0, 3, 6, 155, 0, 180},    {0, 3, 7, 1, 0, 2},
        {0, 3, 8, 38, 0, 25},     {1, 0, 1, 75, 2760, 621},  {1, 0, 4, 186, 0, 835},
        {1, 0, 5, 32, 0, 39},     {1, 0, 7, 106, 0, 324},    {1, 0, 8, 143, 0, 161},
        {1, 1, 4, 100, 0, 320},   {1, 1, 5, 137, 0, 267},    {1, 1, 7, 20, 0, 44},
        {1, 1, 8, 57, 0, 42},     {1, 2, 2, 131, 464, 303},  {1, 2, 4, 14, 0, 52},
        {1, 2, 5, 51, 0, 69},     {1, 2, 7, 125, 0, 406},    {1, 2, 8, 162, 0, 196},
        {1, 3, 4, 119, 0, 400},   {1, 3, 5, 156, 0, 324},    {1, 3, 7, 39, 0, 93},
        {1, 3, 8, 76, 0, 63},     {2, 0, 4, 33, 0, 102},     {2, 0, 5, 70, 0, 104},
        {2, 0, 7, 144, 0, 495},   {2, 0, 8, 181, 0, 235},    {2, 1, 4, 138, 0, 502},
        {2, 1, 5, 175, 0, 387},   {2, 1, 7, 58, 0, 149},     {2, 1, 8, 95, 0, 87},
        {2, 2, 4, 52, 0, 206},    {2, 2, 5, 89, 0, 144},     {2, 2, 7, 163, 0, 591},
        {2, 2, 8, 9, 0, 4},       {2, 3, 3, 120, 0, 360},    {2, 3, 4, 157, 471, 740},
        {2, 3, 5, 3, 0, 3},       {2, 3, 7, 77, 0, 213},     {2, 3, 8, 114, 0, 146},
    };
    for (const Case& c : cases) {
        kalvix::SkillBonusInputs in;
        if (c.slot == 1)
            in.baseHP = c.extra;
        if (c.slot == 2)
            in.baseMP = c.extra;
        if (c.slot == 4)
            in.hitBonus = c.extra;
        EXPECT_EQ(kalvix::schoolSkillBonus(c.race, c.school, c.slot, c.level, in), c.bonus)
            << c.race << " " << c.school << " slot " << c.slot << " level " << c.level;
    }
}

TEST(SchoolSkillBonus, AllSlotsFeedTheHitBonusIntoDamage) {
    const std::array<std::int32_t, 8> levels = {10, 20, 111, 148, 30, 40, 50, 60};
    const auto dt = kalvix::schoolSkillBonuses(0, 0, levels, 1000, 1000);
    EXPECT_EQ(dt[2], 234);
    EXPECT_EQ(dt[3], 619);
    EXPECT_EQ(kalvix::schoolSkillHitShare(0, 0, 234), 78);
    const auto psd = kalvix::schoolSkillBonuses(2, 3, levels, 1000, 1000);
    EXPECT_EQ(psd[2], 333);
    EXPECT_EQ(kalvix::schoolSkillHitShare(2, 3, 333), 40);
    EXPECT_EQ(psd[3], 680);
    const auto tg = kalvix::schoolSkillBonuses(1, 0, levels, 1000, 1000);
    EXPECT_EQ(tg[0], 30);  // trunc(10 × 3.0)
    EXPECT_EQ(kalvix::schoolSkillHitShare(1, 0, 234), 0);
}

}  // namespace
