#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "content_test_helpers.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace {

using content_test::cat;
using content_test::onlyBreakTags;
using kalvix::Catalogue;
using kalvix::RuneCombination;
using kalvix::RuneStone;

int comboSlot(const char* name) {
    for (int s = 1; s < kalvix::kRuneCombinationSlots; ++s)
        if (cat().runeCombinations[s].name == name)
            return s;
    return -2;
}

int stoneSlot(const char* name) {
    for (int s = 1; s < kalvix::kRuneStoneSlots; ++s)
        if (cat().runeStones[s].name == name)
            return s;
    return -2;
}

TEST(RuneStones, TableStructure) {
    const RuneStone& empty = cat().runeStones[0];
    EXPECT_EQ(empty.id, 0);
    EXPECT_TRUE(empty.name.empty());
    EXPECT_EQ(empty.colour + empty.level + empty.basicAttribute + empty.statusAttribute, 0);

    // The usual status amount of a stone above level 1, by status attribute.
    const std::map<int, float> statusAmount = {{1, 10.0f}, {2, 6.0f},  {3, 4.0f}, {4, 1.5f},
                                               {5, 3.0f},  {6, 1.5f},  {7, 3.0f}, {8, 1.5f},
                                               {9, 2.0f},  {10, 2.0f}, {11, 2.0f}};
    std::map<int, int> perColour;
    std::set<std::string> names;
    int previousColour = 0;
    for (int s = 1; s < kalvix::kRuneStoneSlots; ++s) {
        const RuneStone& st = cat().runeStones[s];
        EXPECT_GE(st.colour, previousColour) << s;
        previousColour = st.colour;
        // Ids count 0, 1, 2 ... within each colour.
        EXPECT_EQ(st.id, 10000 + 100 * st.colour + perColour[st.colour]++) << s;
        EXPECT_EQ(cat().FindRuneStone(st.id), s);
        EXPECT_LE(common::gbkLength(st.name), kalvix::kRuneStoneNameBytes) << s;
        EXPECT_TRUE(st.name.ends_with("符石")) << s;
        EXPECT_TRUE(names.insert(st.name).second) << s;
        EXPECT_GE(st.level, 1);
        EXPECT_LE(st.level, 3);
        // Level 3 stones carry both bonuses, the others one.
        const int bonuses = (st.basicAttribute != 0) + (st.statusAttribute != 0);
        EXPECT_EQ(bonuses, st.level == 3 ? 2 : 1) << s;
        if (st.basicAttribute != 0) {
            EXPECT_LE(st.basicAttribute, 5);
            EXPECT_EQ(st.basicValue, 1.0f) << s;
        } else {
            EXPECT_EQ(st.basicValue, 0.0f) << s;
        }
        if (st.statusAttribute != 0) {
            ASSERT_TRUE(statusAmount.count(st.statusAttribute)) << s;
            EXPECT_EQ(st.statusValue, st.level == 1 ? 1.0f : statusAmount.at(st.statusAttribute))
                << s;
        } else {
            EXPECT_EQ(st.statusValue, 0.0f) << s;
        }
    }
    EXPECT_EQ(perColour,
              (std::map<int, int>{{0, 6}, {1, 3}, {2, 4}, {3, 22}, {4, 10}, {5, 9}, {6, 9}}));
}

TEST(RuneStones, Find) {
    struct Case {
        int id, slot;
    } cases[] = {{0, -1},    {-1, -1},    {-10000, -1}, {10000, 1},  {10005, 6}, {10006, -1},
                 {10100, 7}, {10321, 35}, {10608, 63},  {10609, -1}, {9999, -1}, {1, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(cat().FindRuneStone(c.id), c.slot) << c.id;
}

TEST(RuneStones, EffectText) {
    struct Case {
        const char* stone;
        const char* text;
    } cases[] = {
        {"冰符石", "体质 +1.0"},
        {"飘渺符石", "灵力 +1.5"},
        {"乾坤符石", "耐力 +1.0,气血 +10.0"},
        {"逍遥符石", "躲闪 +3.0"},
        {"电符石", "魔法防御 +1.0"},
        {"雪月符石", "体质 +1.0,魔法防御 +2.0"},
        {"银光符石", "体质 +1.0,躲闪 +3.0"},
        {"火符石", "法力伤害 +1.0"},
        {"七情符石", "敏捷 +1.0,固定伤害 +2.0"},
        {"天神符石", "伤害 +1.5"},
    };
    for (const Case& c : cases) {
        const int s = stoneSlot(c.stone);
        ASSERT_GT(s, 0) << c.stone;
        EXPECT_EQ(cat().RuneStoneEffectText(cat().runeStones[s]), c.text) << c.stone;
    }
    EXPECT_EQ(cat().RuneStoneEffectText(cat().runeStones[0]), "");
    RuneStone odd;
    odd.statusAttribute = 12;  // no such attribute: no text rather than a bare number
    odd.statusValue = 5.0f;
    EXPECT_EQ(cat().RuneStoneEffectText(odd), "");
    odd.basicAttribute = 3;
    odd.basicValue = -2.25f;
    EXPECT_EQ(cat().RuneStoneEffectText(odd), "力量 +-2.2");
}

TEST(RuneCombinations, TableStructure) {
    const auto& table = cat().runeCombinations;
    for (int s : {0, 115, 116, 117, 118, 119}) {
        EXPECT_EQ(table[s].id, 0) << s;
        EXPECT_EQ(table[s].levelMask, 0) << s;
        EXPECT_TRUE(table[s].name.empty() && table[s].text.empty()) << s;
        EXPECT_EQ(table[s].colourCount(), 0);
    }
    const std::set<std::string> threeColoured = {"破浪诀符石", "宁气决符石", "护法金刚符石",
                                                 "五行学说符石"};
    int previousId = 0;
    std::set<std::string> names;
    for (int s = 1; s <= 114; ++s) {
        const RuneCombination& c = table[s];
        EXPECT_GT(c.id, previousId) << s;
        previousId = c.id;
        EXPECT_EQ(cat().FindRuneCombination(c.id), s);
        EXPECT_TRUE(names.insert(c.name).second) << s;
        // Ids by group: general 1..25, then 1026.., 2057.., 3085.. with the running number
        // continuing across the groups.
        if (s <= 25) {
            EXPECT_EQ(c.id, s);
            EXPECT_EQ(c.school, -1) << s;
        } else {
            EXPECT_EQ(c.id % 1000, s) << s;
            EXPECT_EQ(c.id / 1000, c.school / 10) << s;
            EXPECT_FALSE(cat().enumName(kalvix::kEnumSchool, c.school).empty()) << s;
        }
        // 2 to 5 colours, then -1 to the end.
        const int n = c.colourCount();
        EXPECT_GE(n, 2) << s;
        for (int h = 0; h < kalvix::kRuneHoles; ++h) {
            if (h < n) {
                EXPECT_TRUE(c.colours[h] >= 0 && c.colours[h] <= 6) << s;
            } else {
                EXPECT_EQ(c.colours[h], -1) << s;
            }
        }
        // Level bits 1..4 only; a level needs one hole more than its number, except for the
        // four three-coloured school skill combinations that only ever form level 2.
        EXPECT_NE(c.levelMask, 0) << s;
        EXPECT_EQ(c.levelMask & ~0x1e, 0) << s;
        bool hasSecondNumber = false;
        for (int level = 1; level <= 4; ++level) {
            const auto& v = c.values[level - 1];
            if (c.hasLevel(level)) {
                EXPECT_NE(v[0], 0.0f) << s << " level " << level;
                if (!threeColoured.count(c.name)) {
                    EXPECT_LE(level + 1, n) << s;
                }
            } else {
                EXPECT_EQ(v[0], 0.0f) << s << " level " << level;
                EXPECT_EQ(v[1], 0.0f) << s << " level " << level;
            }
            hasSecondNumber = hasSecondNumber || v[1] != 0.0f;
        }
        if (threeColoured.count(c.name)) {
            EXPECT_EQ(n, 3);
        }
        // 无心插柳 is the one text without a number in it.
        EXPECT_EQ(c.text.find("#1") != std::string::npos, c.id != 25) << s;
        EXPECT_EQ(c.text.find("#2") != std::string::npos, hasSecondNumber) << s;
        EXPECT_TRUE(onlyBreakTags(c.text)) << s;
        EXPECT_EQ(c.basicAttribute, 0) << s;
        if (c.slot != -1) {
            EXPECT_FALSE(cat().enumName(kalvix::kEnumEquipSlot, c.slot).empty());
        }
    }
    EXPECT_EQ(table[25].name, "无心插柳");
    EXPECT_EQ(table[26].id, 1026);
    EXPECT_EQ(table[56].id, 1056);
    EXPECT_EQ(table[57].id, 2057);
    EXPECT_EQ(table[84].id, 2084);
    EXPECT_EQ(table[85].id, 3085);
    EXPECT_EQ(table[114].id, 3114);
}

TEST(RuneCombinations, GeneralMasksAndStatusTexts) {
    struct Case {
        const char* name;
        int mask;
    } masks[] = {{"真元护体", 14}, {"风卷残云", 30}, {"飞檐走壁", 28}, {"暗渡陈仓", 16},
                 {"降妖伏魔", 12}, {"无懈可击", 2},  {"化敌为友", 16}, {"高山流水", 28},
                 {"无心插柳", 14}, {"百无禁忌", 28}};
    for (const Case& c : masks)
        EXPECT_EQ(cat().runeCombinations[comboSlot(c.name)].levelMask, c.mask) << c.name;
    EXPECT_EQ(cat().runeCombinations[comboSlot("百无禁忌")].slot, 6);
    // The four two-coloured general combinations raise the status their text names.
    int withStatus = 0;
    for (const RuneCombination& c : cat().runeCombinations) {
        if (c.statusAttribute == 0)
            continue;
        ++withStatus;
        EXPECT_EQ(c.school, -1);
        EXPECT_EQ(c.text, "提升自身#1点" + cat().enumName(kalvix::kEnumStatus, c.statusAttribute));
    }
    EXPECT_EQ(withStatus, 4);
}

TEST(RuneCombinations, SchoolCombinations) {
    int battle = 0;
    int skill = 0;
    for (int s = 26; s <= 114; ++s) {
        const RuneCombination& c = cat().runeCombinations[s];
        if (c.schoolSkill == 0) {
            // School battle combinations.
            ++battle;
            EXPECT_EQ(c.levelMask, 14) << s;
            EXPECT_EQ(c.slot, -1) << s;
            EXPECT_EQ(c.values[0], (std::array<float, 2>{2.0f, 5.0f})) << s;
            EXPECT_EQ(c.values[1], (std::array<float, 2>{1.0f, 5.0f})) << s;
            EXPECT_EQ(c.values[2], (std::array<float, 2>{1.0f, 5.0f})) << s;
            EXPECT_TRUE(c.text.starts_with("使用")) << s;
            EXPECT_TRUE(c.text.ends_with("<br>仅对NPC使用时有效")) << s;
            continue;
        }
        ++skill;
        EXPECT_EQ(c.levelMask, 28) << s;
        EXPECT_NE(c.slot, -1) << s;
        EXPECT_EQ(c.statusAttribute, 0) << s;
        EXPECT_LE(c.schoolSkill, 8) << s;
        EXPECT_EQ(c.values[1][0], 2.0f);
        EXPECT_EQ(c.values[2][0], 4.0f);
        EXPECT_EQ(c.values[3][0], 6.0f);
        // The text follows from the name; 2066..2084 leave out "等级".
        std::string skillName = c.name;
        if (skillName.ends_with("符石"))
            skillName.resize(skillName.size() - 6);
        if (c.id == 3106)
            skillName = "魔兽反噬";
        const bool withoutGrade = c.id >= 2066 && c.id <= 2084;
        EXPECT_EQ(c.text, "增加门派技能" + skillName + (withoutGrade ? "" : "等级") + "#1级") << s;
        // The named skill is the school's skill at that slot of the school skill table, up to
        // the spacing and the variant characters the combination names use.
        const int race = c.school / 10;
        const int school = c.school % 10;
        std::string tableName = cat().schoolSkill(race - 1, school - 1, c.schoolSkill)->name;
        for (std::size_t p; (p = tableName.find("\u3000")) != std::string::npos;)
            tableName.erase(p, 3);
        const std::map<int, std::string> variants = {
            {1045, "歧黄之术"}, {2068, "宁气诀"}, {3098, "阴阳二气"}};
        const std::string expected = variants.count(c.id) ? variants.at(c.id) : skillName;
        EXPECT_EQ(tableName, expected) << c.id << " " << c.name;
    }
    EXPECT_EQ(battle, 8);
    EXPECT_EQ(skill, 81);
    EXPECT_EQ(cat().runeCombinations[comboSlot("为官之道符石")].text,
              "增加门派技能为官之道等级#1级");
    EXPECT_EQ(cat().runeCombinations[comboSlot("呼风唤雨")].text, "增加门派技能呼风唤雨等级#1级");
    EXPECT_EQ(cat().runeCombinations[comboSlot("天罡气符石")].text, "增加门派技能天罡气#1级");
}

TEST(RuneCombinations, Find) {
    struct Case {
        int id, slot;
    } cases[] = {{-1, -1},   {0, -1},    {1, 1},      {25, 25},    {26, -1},    {1026, 26},
                 {1056, 56}, {2057, 57}, {3112, 112}, {3113, 113}, {3114, 114}, {3115, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(cat().FindRuneCombination(c.id), c.slot) << c.id;
}

TEST(RuneCombinations, EffectText) {
    struct Case {
        const char* name;
        int level;
        const char* text;
    } cases[] = {
        {"百步穿杨", 2, "物理类攻击时有20%的几率给目标额外造成45点伤害"},
        {"百步穿杨", 1, "物理类攻击时有20%的几率给目标额外造成25点伤害"},
        {"高山流水", 3, "对召唤兽增加 人物等级/2+30 的法术伤害<br>(该组合全身只有一件装备起效)"},
        {"真元护体", 0, "增加x点暗器防御能力"},
        {"真元护体", -1, "增加x点暗器防御能力"},
        {"真元护体", 4, "增加0点暗器防御能力"},  // a level it lacks reads its zero numbers
        {"真元护体", 5, "增加x点暗器防御能力"},
        {"百步穿杨", 0, "物理类攻击时有x%的几率给目标额外造成y点伤害"},
        {"风卷残云", 2, "击倒鬼魂目标时有10%几率打飞出场"},
        {"石破天惊", 1,
         "使用落雷符时增加人物等级/2的伤害，装备该组合时降低5%防御，<br>仅对NPC使用时有效"},
        {"天罡气符石", 4, "增加门派技能天罡气6级"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Catalogue::RuneCombinationEffectText(cat().runeCombinations[comboSlot(c.name)],
                                                       c.level),
                  c.text)
            << c.name << " " << c.level;

    RuneCombination own;
    own.text = "#1-#1-#2#3##";
    own.values[0] = {2.5f, 10.75f};
    own.values[1] = {-3.0f, 1e9f};
    EXPECT_EQ(Catalogue::RuneCombinationEffectText(own, 1), "2.5-2.5-10.8#3##");
    EXPECT_EQ(Catalogue::RuneCombinationEffectText(own, 2), "-3--3-1000000000#3##");
    EXPECT_EQ(Catalogue::RuneCombinationEffectText(own, 0), "x-x-y#3##");
    EXPECT_EQ(Catalogue::RuneCombinationEffectText(cat().runeCombinations[0], 1), "");
}

std::vector<std::int32_t> colours(const std::string& spelled) {
    static const std::map<std::string, int> names = {{"红", 0}, {"黄", 1}, {"绿", 2}, {"蓝", 3},
                                                     {"白", 4}, {"黑", 5}, {"紫", 6}, {"无", -1}};
    std::vector<std::int32_t> out;
    for (std::size_t i = 0; i < spelled.size(); i += 3)
        out.push_back(names.at(spelled.substr(i, 3)));
    return out;
}

TEST(RuneCombinations, Match) {
    struct Case {
        const char* holes;
        const char* name;  // nullptr for no match
        int level;
    } cases[] = {
        {"蓝白", "望穿秋水", 1},
        {"蓝白黑", "降妖伏魔", 2},
        {"蓝白黑黄", "降妖伏魔", 3},
        {"黄白", nullptr, 0},
        {"黄白紫", "飞檐走壁", 2},
        {"红蓝", "真元护体", 1},
        {"红蓝黑", "为官之道符石", 2},
        {"红蓝黑紫黑", "为官之道符石", 4},
        {"红蓝绿白", "真元护体", 3},
        {"红黄黑白蓝", "风卷残云", 4},
        {"白红蓝", "破浪诀符石", 2},
        {"白红蓝紫紫", "破浪诀符石", 2},
        {"白蓝红黄黄", "宁气决符石", 2},
        {"绿紫蓝", "护法金刚符石", 2},
        {"黄白蓝", "五行学说符石", 2},
        {"蓝红", "无懈可击", 1},
        {"蓝红紫", "金刚伏魔符石", 2},
        {"蓝红紫黑", "金刚伏魔符石", 3},
        {"蓝无白", nullptr, 0},  // the coloured run ends at the first hole without colour
        {"无蓝白", nullptr, 0},
        {"蓝", nullptr, 0},
        {"", nullptr, 0},
        {"红紫无蓝蓝", "日落西山", 1},
    };
    for (const Case& c : cases) {
        const std::vector<std::int32_t> holes = colours(c.holes);
        const kalvix::RuneMatch m = cat().matchRuneCombinationLevel(holes);
        EXPECT_EQ(m.slot, c.name ? comboSlot(c.name) : -1) << c.holes;
        EXPECT_EQ(m.level, c.level) << c.holes;
        EXPECT_EQ(cat().MatchRuneCombination(holes), m.slot) << c.holes;
    }
    // Only holes 1..5 count, and values outside the colours are holes without colour.
    const std::vector<std::int32_t> six = {0, 1, 5, 4, 3, 0};
    EXPECT_EQ(cat().MatchRuneCombination(six), comboSlot("风卷残云"));
    const std::vector<std::int32_t> odd = {3, 4, 7, 5};
    EXPECT_EQ(cat().MatchRuneCombination(odd), comboSlot("望穿秋水"));
    const std::vector<std::int32_t> huge = {3, 4, 2147483647, -2147483647 - 1};
    EXPECT_EQ(cat().MatchRuneCombination(huge), comboSlot("望穿秋水"));
}

TEST(RuneCombinations, EveryCombinationIsFoundByItsOwnColours) {
    // Holes spelling a combination's first L + 1 colours form some combination at level L
    // (the lowest slot among equals) with those colours.
    for (int s = 1; s <= 114; ++s) {
        const RuneCombination& c = cat().runeCombinations[s];
        for (int level = 1; level <= 4; ++level) {
            if (!c.hasLevel(level) || level + 1 > c.colourCount())
                continue;
            const std::vector<std::int32_t> holes(c.colours.begin(), c.colours.begin() + level + 1);
            const kalvix::RuneMatch m = cat().matchRuneCombinationLevel(holes);
            ASSERT_GE(m.slot, 1) << s;
            EXPECT_LE(m.slot, s) << s;
            EXPECT_EQ(m.level, level) << s;
            for (int h = 0; h <= level; ++h)
                EXPECT_EQ(cat().runeCombinations[m.slot].colours[h], holes[h]);
        }
    }
}

}  // namespace
