#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/gbk.h"
#include "content_test_helpers.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace {

using kalvix::Catalogue;

using content_test::cat;
using content_test::onlyBreakTags;

TEST(Stunts, RowsAndKindsInTableOrder) {
    // Rows are grouped by kind: 15 recovery, 11 attack, 10 gain, 9 debuff, 12 special.
    const int firstOfKind[] = {1, 16, 27, 37, 46, 58};
    std::set<std::string> names;
    for (int i = 0; i < kalvix::kStuntSlots; ++i) {
        const kalvix::StuntInfo* s = cat().stunt(i);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->id, i);
        EXPECT_FALSE(s->name.empty()) << i;
        EXPECT_LE(common::gbkLength(s->name), kalvix::kStuntNameBytes) << i;
        EXPECT_TRUE(names.insert(s->name).second) << "duplicate name at " << i;
        EXPECT_TRUE(onlyBreakTags(s->description)) << i;
        int kind = -1;
        for (int k = 0; k < 5; ++k)
            if (i >= firstOfKind[k] && i < firstOfKind[k + 1])
                kind = k + 1;
        EXPECT_EQ(s->kind, kind) << i;
        if (i > 0) {
            EXPECT_FALSE(s->description.empty()) << i;
            EXPECT_GE(s->spCost, 30) << i;
            EXPECT_LE(s->spCost, 150) << i;
            EXPECT_EQ(s->spCost % 5, 0) << i;
            EXPECT_FALSE(cat().enumName(kalvix::kEnumStuntKind, s->kind).empty()) << i;
        }
    }
    EXPECT_EQ(cat().stunt(-1), nullptr);
    EXPECT_EQ(cat().stunt(58), nullptr);
}

TEST(Stunts, Examples) {
    struct Case {
        int index;
        const char* name;
        int sp;
    } cases[] = {{0, "无", 0},          {1, "气疗术", 30},    {24, "伽罗无双", 100},
                 {36, "心如明镜", 100}, {45, "绝幻魔音", 60}, {57, "菩提心佑", 150}};
    for (const Case& c : cases) {
        const kalvix::StuntInfo* s = cat().stunt(c.index);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->name, c.name);
        EXPECT_EQ(s->spCost, c.sp);
    }
    EXPECT_EQ(cat().stunt(0)->kind, -1);
    EXPECT_TRUE(cat().stunt(0)->description.empty());
    // The one description that ends in a blank keeps it.
    EXPECT_EQ(cat().stunt(24)->description,
              "减少对方全体一定量的HP及MP，效果受对方魔法属性影响<br>(打掉和对方魔力点/"
              "2一样多的HP及MP) ");
    EXPECT_EQ(cat().stunt(54)->description, "减少敌单体同等于自己“魔力”属性的HP及MP。");
    EXPECT_EQ(cat().stunt(16)->description, "减少敌方单人当前20%的HP (不可以对怪物BOSS使用)");
    for (int i = 0; i < kalvix::kStuntSlots; ++i) {
        const std::string& d = cat().stunt(i)->description;
        if (i != 24) {
            EXPECT_TRUE(d.empty() || d.back() != ' ') << i;
        }
    }
}

TEST(EquipEffects, PositionsSlotsAndIndexes) {
    const auto& table = cat().equipEffects;
    for (int p : {0, 19}) {
        EXPECT_TRUE(table[p].name.empty());
        EXPECT_EQ(table[p].slot, 0);
        EXPECT_EQ(table[p].indexInSlot, 0);
        EXPECT_EQ(cat().effect(p), nullptr);
    }
    // Positions 1..11 are part-specific with slots rising, 12..18 general; indexInSlot counts
    // 1, 2, ... within each slot value.
    int previousSlot = 1;
    int expectedIndex = 0;
    for (int p = 1; p <= 18; ++p) {
        const kalvix::EquipEffectInfo* e = cat().effect(p);
        ASSERT_NE(e, nullptr);
        EXPECT_FALSE(e->name.empty());
        EXPECT_FALSE(e->description.empty());
        EXPECT_LE(common::gbkLength(e->name), kalvix::kEquipEffectNameBytes) << p;
        EXPECT_TRUE(onlyBreakTags(e->description)) << p;
        if (p <= kalvix::kLastPartEffect) {
            EXPECT_GE(e->slot, previousSlot) << p;
            EXPECT_LE(e->slot, 6) << p;
        } else {
            EXPECT_EQ(e->slot, -1) << p;
        }
        expectedIndex = (p > 1 && e->slot == previousSlot) ? expectedIndex + 1 : 1;
        EXPECT_EQ(e->indexInSlot, expectedIndex) << p;
        EXPECT_EQ(cat().effectPosition(e->indexInSlot, e->slot), p);
        previousSlot = e->slot;
    }
    EXPECT_EQ(cat().effect(-1), nullptr);
    EXPECT_EQ(cat().effect(20), nullptr);
    EXPECT_EQ(cat().effect(3)->description,
              "普通物理攻击时有20%几率将当前气血小于攻击者等级×20的普通怪物直接击飞。<br>"
              "（只对NPC起效，若为鬼魂生物则直接击倒。）");
}

TEST(EquipEffects, PositionLookup) {
    struct Case {
        int indexInSlot, slot, position;
    } cases[] = {
        {1, -1, 12}, {2, 4, 7},  {3, 2, -1}, {1, 2, 4},  {7, -1, 18},
        {8, -1, -1}, {3, 1, 3},  {0, 1, -1}, {0, 0, -1}, {0, -1, -1},
        {-1, 1, -1}, {1, 0, -1}, {1, 7, -1}, {2, 6, 11}, {1, 3, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cat().effectPosition(c.indexInSlot, c.slot), c.position)
            << c.indexInSlot << "," << c.slot;
}

TEST(EquipEffects, MaskBitsAndCarriedEffects) {
    auto bitOf = [](const char* name) {
        for (int p = 1; p <= 18; ++p)
            if (cat().equipEffects[p].name == name)
                return Catalogue::effectMaskBit(cat().equipEffects[p].indexInSlot);
        return -1;
    };
    EXPECT_EQ(bitOf("神佑"), 2);
    EXPECT_EQ(bitOf("绝杀"), 8);
    EXPECT_EQ(bitOf("坚固"), 16);
    EXPECT_EQ(bitOf("珍宝"), 128);
    EXPECT_EQ(Catalogue::effectMaskBit(0), 0);
    EXPECT_EQ(Catalogue::effectMaskBit(31), 0);

    struct Case {
        int slot, partMask, generalMask;
        std::vector<int> positions;
    } cases[] = {
        {1, 1, 1, {}},                // bit 0 names no effect
        {1, 2 | 8, 0, {1, 3}},        // 神佑, 绝杀
        {1, 0, 16 | 2, {12, 15}},     // 简易, 坚固
        {4, 2 | 4, 128, {6, 7, 18}},  // 神农 and 专注 together, 珍宝
        {2, 4, 0, {}},                // clothing has one effect only
        {6, 0xfe, 0xfe, {10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {-1, 0xfe, 0, {}},   // a general effect is never part-specific
        {3, 2, 0x100, {5}},  // a bit beyond the last general effect
    };
    for (const Case& c : cases)
        EXPECT_EQ(cat().carriedEffects(c.slot, c.partMask, c.generalMask), c.positions)
            << c.slot << " " << c.partMask << " " << c.generalMask;
}

}  // namespace
