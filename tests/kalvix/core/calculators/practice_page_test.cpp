#include "kalvix/core/calculators/practice_page.h"

#include <gtest/gtest.h>

#include "kalvix/core/calculators/classic_rand.h"
#include "kalvix/core/calculators/practice_formulas.h"
#include "kalvix/core/page/page_context.h"
#include "support/page_driver.h"

namespace {

// The page reads nothing from its window.
kalvix::PageContext& context() {
    static kalvix::PageContext c;
    return c;
}

using calc_test::check;
using calc_test::messages;
using calc_test::text;
using calc_test::type;
using kalvix::CultivationKind;
using kalvix::PracticePage;

class PracticePageTest : public ::testing::Test {
  protected:
    void SetUp() override { context().setClock(kalvix::Clock::fixedAt(1300000000)); }
    void TearDown() override { context().setClock(kalvix::Clock::system()); }
};

TEST_F(PracticePageTest, OpensWithStartValues) {
    PracticePage p(context());
    EXPECT_EQ(p.kind(), CultivationKind::Attack);
    EXPECT_EQ(text(p, "等级要求"), "");
    EXPECT_EQ(text(p, "耗费资财"), "0");
    EXPECT_EQ(text(p, "修炼等级"), "25");
    EXPECT_EQ(text(p, "结果伤害"), "0");
    EXPECT_EQ(text(p, "无修炼封印几率"), "");
    EXPECT_EQ(text(p, "成功"), "");
    EXPECT_TRUE(p.casts().empty());
    EXPECT_EQ(text(p, "基本伤害.label"), "基本伤害");
}

TEST_F(PracticePageTest, CultivationCost) {
    struct Case {
        const char* kind;
        const char* current;
        const char* target;
        const char* experience;
        const char* level;
        const char* money;
        const char* funds;
        const char* cap;
        const char* exp;
    } cases[] = {
        {"攻击修炼", "0", "1", "0", ">=25级", "45 万", "75", "150", "150"},
        {"防御修炼", "0", "1", "0", ">=25级", "30 万", "75", "150", "150"},
        {"人物修炼.法抗修炼", "0", "1", "0", ">=25级", "30 万", "75", "150", "150"},
        {"人物修炼.法术修炼", "0", "25", "0", ">=145级", "20325 万", "33875", "3750", "67750"},
        {"攻击修炼", "0", "25", "100", ">=145级", "20295 万", "33825", "3750", "67650"},
        {"攻击修炼", "0", "1", "99999", ">=25级", "0 万", "0", "150", "0"},
        {"攻击修炼", "5", "5", "0", "", "", "0", "0", "0"},
        {"猎术修炼", "19", "20", "0", ">=120级", "1413 万", "2355", "3000", "4710"},
    };
    for (const Case& c : cases) {
        PracticePage p(context());
        check(p, c.kind, true);
        type(p, "当前修炼经验", c.experience);
        type(p, "当前等级", c.current);
        type(p, "目标等级", c.target);
        const std::string at = std::string(c.kind) + " " + c.current + "->" + c.target;
        EXPECT_EQ(text(p, "等级要求"), c.level) << at;
        EXPECT_EQ(text(p, "耗费金钱"), c.money) << at;
        EXPECT_EQ(text(p, "耗费资财"), c.funds) << at;
        EXPECT_EQ(text(p, "需要帮贡上限"), c.cap) << at;
        EXPECT_EQ(text(p, "需要修炼经验"), c.exp) << at;
    }
}

TEST_F(PracticePageTest, HuntingLimitsLevelsToTwenty) {
    PracticePage p(context());
    type(p, "目标等级", "25");
    EXPECT_EQ(text(p, "等级要求"), ">=145级");
    check(p, "猎术修炼", true);
    EXPECT_EQ(text(p, "目标等级"), "20");
    EXPECT_EQ(text(p, "等级要求"), ">=120级");
    p.takeFieldRequests();
    type(p, "目标等级", "21");
    EXPECT_EQ(text(p, "目标等级"), "21");
    EXPECT_EQ(text(p, "等级要求"), ">=120级");  // refused, nothing recomputed
    const auto req = p.takeFieldRequests();
    ASSERT_EQ(req.size(), 1u);
    EXPECT_TRUE(req[0].selectAll);
    // A later reading takes the 21 as typed, which hunting cannot reach.
    type(p, "当前修炼经验", "0");
    EXPECT_EQ(text(p, "等级要求"), "");
    type(p, "当前等级", "3");
    EXPECT_EQ(text(p, "目标等级"), "21");
    type(p, "目标等级", "26");  // above 25 for the other kinds too
    check(p, "攻击修炼", true);
    EXPECT_EQ(text(p, "等级要求"), ">=145级");
    EXPECT_TRUE(messages(p).empty());
}

TEST_F(PracticePageTest, DigitsOnlyFieldsIgnoreOtherText) {
    PracticePage p(context());
    type(p, "基本伤害", "12a");
    EXPECT_EQ(text(p, "基本伤害"), "0");
    type(p, "基本伤害", "");
    EXPECT_EQ(messages(p), std::vector<std::string>{"box:请输入一个整数。"});
    EXPECT_EQ(text(p, "基本伤害"), "0");
}

TEST_F(PracticePageTest, DamageEffect) {
    struct Case {
        int mode;
        const char* damage;
        const char* level;
        const char* result;
        const char* advantage;
        const char* disadvantage;
    } cases[] = {
        {0, "1000", "25", "1801", "2161", "1441"},
        {1, "1000", "25", "504", "605", "403"},
        {1, "0", "25", "0", "0", "0"},
        {0, "1000", "0", "1000", "1200", "800"},
        {0, "1001", "0", "1001", "1201", "801"},
        {0, "0", "25", "160", "192", "128"},
    };
    for (const Case& c : cases) {
        PracticePage p(context());
        check(p, c.mode == 0 ? "攻击/法术" : "防御/法抗", true);
        type(p, "修炼等级", c.level);
        type(p, "基本伤害", c.damage);
        EXPECT_EQ(text(p, "结果伤害"), c.result) << c.mode << " " << c.damage << " " << c.level;
        EXPECT_EQ(text(p, "五行正克"), c.advantage);
        EXPECT_EQ(text(p, "五行被克"), c.disadvantage);
        EXPECT_EQ(text(p, "基本伤害.label"), c.mode == 0 ? "基本伤害" : "所受伤害");
    }
}

TEST_F(PracticePageTest, OutOfRangeLevelShowsRangeMessageAndStillComputes) {
    PracticePage p(context());
    type(p, "基本伤害", "1000");
    type(p, "修炼等级", "26");
    EXPECT_EQ(messages(p), std::vector<std::string>{"box:请输入一个 0 至 25 之间的整数。"});
    EXPECT_EQ(text(p, "修炼等级"), "26");
    EXPECT_EQ(text(p, "结果伤害"), std::to_string(kalvix::damageEffect(0, 1000, 26).result));
    // The seal fields typed meanwhile keep their values.
    type(p, "对方等级", "100");
    EXPECT_EQ(text(p, "对方等级"), "100");
    messages(p);
}

TEST_F(PracticePageTest, SealChances) {
    struct Case {
        const char* skill;
        const char* magic;
        const char* level;
        const char* resistance;
        const char* without;
        const char* with;
    } cases[] = {
        {"100", "0", "100", "0", "60.0000%", "60.0000%"},
        {"150", "20", "150", "0", "60.0000%", "89.1568%"},
        {"150", "0", "150", "20", "60.0000%", "40.0565%"},
        {"100", "0", "110", "0", "20.9207%", "20.9207%"},
        {"110", "0", "100", "0", "68.5051%", "68.5051%"},
        {"180", "25", "0", "0", "97.6261%", "100.0000%"},
    };
    for (const Case& c : cases) {
        PracticePage p(context());
        type(p, "自己技能等级", c.skill);
        type(p, "封印模拟.法术修炼", c.magic);
        type(p, "对方等级", c.level);
        type(p, "封印模拟.法抗修炼", c.resistance);
        EXPECT_EQ(text(p, "无修炼封印几率"), c.without) << c.skill << " " << c.level;
        EXPECT_EQ(text(p, "有修炼封印几率"), c.with) << c.skill << " " << c.level;
        EXPECT_TRUE(messages(p).empty());
    }
}

TEST_F(PracticePageTest, SimulationDrawsClassicRandSeededWithTheClock) {
    PracticePage p(context());
    type(p, "自己技能等级", "100");
    type(p, "对方等级", "100");  // p = 0.6
    ASSERT_EQ(p.casts().size(), 100u);
    kalvix::ClassicRand r(1300000000u);
    int won = 0;
    for (int i = 0; i < 100; ++i) {
        const bool ok = r.next() / 32768.0 < 0.6;
        won += ok;
        EXPECT_EQ(p.casts()[i], std::to_string(i + 1) + (ok ? ".成功" : ".失败"));
    }
    EXPECT_EQ(text(p, "成功"), std::to_string(won));
    EXPECT_EQ(text(p, "失败"), std::to_string(100 - won));
    // The same second draws the same casts; another second others.
    const auto first = p.casts();
    calc_test::press(p, "封印模拟");
    EXPECT_EQ(p.casts(), first);
    context().setClock(kalvix::Clock::fixedAt(1300000001));
    calc_test::press(p, "封印模拟");
    EXPECT_NE(p.casts(), first);
}

TEST_F(PracticePageTest, SimulationAtCertainChances) {
    PracticePage sure(context());
    type(sure, "自己技能等级", "180");
    type(sure, "封印模拟.法术修炼", "25");
    EXPECT_EQ(text(sure, "成功"), "100");
    EXPECT_EQ(text(sure, "失败"), "0");
    EXPECT_EQ(sure.casts().back(), "100.成功");
    PracticePage never(context());
    calc_test::press(never, "封印模拟");  // p = 0 before any seal input
    EXPECT_EQ(text(never, "成功"), "0");
    EXPECT_EQ(never.casts().front(), "1.失败");
}

TEST(ClassicRand, KnownSequence) {
    // The classic generator seeded with 1 starts 41, 18467, 6334, 26500, 19169.
    kalvix::ClassicRand r(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int v : expected)
        EXPECT_EQ(r.next(), v);
    kalvix::ClassicRand big(0xffffffffu);
    for (int i = 0; i < 1000; ++i) {
        const int v = big.next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

}  // namespace
