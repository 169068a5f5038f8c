#include "kalvix/core/calculators/pet_page.h"

#include <gtest/gtest.h>

#include "kalvix/core/calculators/pet_stats.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "support/page_driver.h"

namespace {

using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using kalvix::PetPage;

PetPage make() {
    return PetPage(kalvix::Catalogue::instance());
}

TEST(PetPage, OpeningState) {
    PetPage p = make();
    const auto m = messages(p);
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back(), "status:请输入正确的成长率！");
    EXPECT_EQ(text(p, "需要经验"), "0");
    EXPECT_EQ(text(p, "还需经验"), "0");
    EXPECT_EQ(text(p, "还需经验.text"), "人物70级\t\t\n需跑约0次100环");
    EXPECT_EQ(text(p, "成长率"), "0");
    EXPECT_EQ(text(p, "气血"), "");
    EXPECT_TRUE(p.find("比例加点")->checked());
    for (const char* b : {"体质.-1", "体质.+5", "敏捷.+1", "重置点数", "快速加点"})
        EXPECT_FALSE(p.isEnabled(b)) << b;
}

TEST(PetPage, ChaosChance) {
    struct Case {
        const char* own;
        const char* foe;
        const char* shown;
    } cases[] = {
        {"100", "100", "50.167%"}, {"100", "70", "0.000%"}, {"100", "69", "不会乱敏"},
        {"70", "100", "0.000%"},   {"5", "5", "53.333%"},   {"9999", "7000", "0.000%"},
    };
    for (const Case& c : cases) {
        PetPage p = make();
        type(p, "自己速度", c.own);
        type(p, "对方速度", c.foe);
        EXPECT_EQ(text(p, "乱敏机率"), c.shown) << c.own << " " << c.foe;
    }
    PetPage p = make();
    type(p, "自己速度", "100");
    type(p, "对方速度", "100");
    type(p, "自己速度", "4");  // outside 5..9999: keeps the previous text
    EXPECT_EQ(text(p, "乱敏机率"), "50.167%");
    p.takeFieldRequests();
    type(p, "自己速度", "10000");
    EXPECT_EQ(text(p, "乱敏机率"), "50.167%");
    const auto req = p.takeFieldRequests();
    ASSERT_EQ(req.size(), 1u);
    EXPECT_EQ(req[0].field, "自己速度");
    EXPECT_TRUE(req[0].selectAll && req[0].focus);
}

TEST(PetPage, PetExperienceLists) {
    PetPage p = make();
    choose(p, "召唤兽升级经验.到", 180);
    EXPECT_EQ(text(p, "需要经验"), "116347250");
    choose(p, "召唤兽升级经验.从", 3);
    EXPECT_EQ(p.find("召唤兽升级经验.到")->items().front(), "3");
    EXPECT_EQ(p.find("召唤兽升级经验.到")->selected(), 177);  // 180 kept
    EXPECT_EQ(text(p, "需要经验"), std::to_string(116347250 - 700));
    choose(p, "召唤兽升级经验.到", 0);
    choose(p, "召唤兽升级经验.从", 1);
    EXPECT_EQ(p.find("召唤兽升级经验.到")->selected(), 2);  // 3 kept
    EXPECT_EQ(text(p, "需要经验"), "650");
    choose(p, "召唤兽升级经验.从", 100);  // above 到: 到 follows
    EXPECT_EQ(p.find("召唤兽升级经验.到")->selected(), 0);
    EXPECT_EQ(text(p, "需要经验"), "0");
}

TEST(PetPage, PetCultivation) {
    struct Case {
        int from, to;
        const char* current;
        const char* remaining;
        const char* note;
    } cases[] = {
        {0, 25, "", "67750", "人物145级\t\t\n需跑约90次100环"},
        {0, 1, "", "150", "人物70级\t\t\n需跑约1次100环"},
        {0, 1, "149", "1", "人物70级\t\t\n需跑约1次100环"},
        {5, 5, "100", "-100", "人物70级\t\t\n需跑约0次100环"},
        {10, 11, "", "1650", "人物75级\t\t\n需跑约3次100环"},
        {25, 25, "", "0", "人物145级\t\t\n需跑约0次100环"},
    };
    for (const Case& c : cases) {
        PetPage p = make();
        choose(p, "召唤兽修炼(宝宝环).从", c.from);
        choose(p, "召唤兽修炼(宝宝环).到", c.to - c.from);
        type(p, "当前经验", c.current);
        EXPECT_EQ(text(p, "还需经验"), c.remaining) << c.from << ".." << c.to;
        EXPECT_EQ(text(p, "还需经验.text"), c.note) << c.from << ".." << c.to;
    }
}

TEST(PetPage, PetCultivationRefusesExperienceOfAFullStep) {
    for (int from : {3, 25}) {
        PetPage p = make();
        choose(p, "召唤兽修炼(宝宝环).从", from);
        messages(p);
        p.takeFieldRequests();
        type(p, "当前经验", from == 3 ? "390" : "1");
        EXPECT_EQ(text(p, "还需经验"), "");
        EXPECT_EQ(text(p, "还需经验.text"), "输入的当前经验有误,请确认");
        EXPECT_EQ(messages(p), std::vector<std::string>{"status:输入的当前经验有误,请确认"});
        const auto req = p.takeFieldRequests();
        ASSERT_EQ(req.size(), 1u);
        EXPECT_EQ(req[0].field, "当前经验");
        type(p, "当前经验", from == 3 ? "389" : "0");
        EXPECT_EQ(messages(p), std::vector<std::string>{"status:"});
    }
}

// Fills the allocation inputs through their fields.
void setUp(PetPage& p, int level, const char* growth,
           std::vector<std::pair<const char*, const char*>> fields) {
    choose(p, "召唤兽等级", level);
    type(p, "成长率", growth);
    for (auto& [caption, value] : fields)
        type(p, caption, value);
    p.moveFocus("清空");  // leave the last field
}

TEST(PetPage, AllocationResults) {
    struct Case {
        int level;
        const char* growth;
        std::vector<std::pair<const char*, const char*>> fields;
        const char* result;
        const char* expected;
    } cases[] = {
        {100, "1.2", {{"体力", "5000"}, {"属性.体质", "200"}}, "气血", "1940"},
        {0, "1.15", {{"体力", "1"}, {"属性.体质", "20"}}, "气血", "137"},
        {100, "1.25", {{"资质.攻击", "1500"}, {"属性.力量", "200"}}, "结果.攻击", "780"},
        {100, "1.25", {{"资质.防御", "1400"}, {"属性.耐力", "150"}}, "结果.防御", "573"},
        {100,
         "1.2",
         {{"资质.法力", "2500"},
          {"属性.法力", "100"},
          {"属性.力量", "50"},
          {"属性.体质", "80"},
          {"属性.耐力", "60"}},
         "灵力",
         "190"},
        {100, "1.2", {{"资质.法力", "2500"}, {"属性.法力", "100"}}, "魔法", "860"},
        {50, "0", {{"资质.速度", "1200"}, {"属性.敏捷", "150"}}, "结果.速度", "180"},
        {100, "1.2", {{"资质.法力", "2500"}, {"属性.法力", "100"}}, "灵力", ""},  // 力量 .. empty
        {100, "1.2", {{"属性.体质", "200"}}, "气血", ""},                         // no aptitude
        {100, "0", {{"体力", "5000"}, {"属性.体质", "200"}}, "气血", ""},  // growth not above 0
    };
    for (const Case& c : cases) {
        PetPage p = make();
        setUp(p, c.level, c.growth, c.fields);
        EXPECT_EQ(text(p, c.result), c.expected) << c.result << " at " << c.level;
    }
}

TEST(PetPage, GrowthCheck) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {{"0", false},  {"10.5", false}, {"10", true},    {"0.001", true},
                 {"-1", false}, {"abc", false},  {"1e40", false}, {"1.2x", true}};
    for (const Case& c : cases) {
        PetPage p = make();
        messages(p);
        type(p, "成长率", c.text);
        const auto m = messages(p);
        if (c.valid)
            EXPECT_TRUE(m.empty()) << c.text;
        else
            EXPECT_EQ(m, std::vector<std::string>{"status:请输入正确的成长率！"}) << c.text;
    }
    // An invalid growth leaves the results; later changes use it while the text reads above 0.
    PetPage p = make();
    setUp(p, 100, "1.2", {{"体力", "5000"}, {"属性.体质", "200"}});
    EXPECT_EQ(text(p, "气血"), "1940");
    type(p, "成长率", "20");
    EXPECT_EQ(text(p, "气血"), "1940");
    type(p, "属性.体质", "100");
    EXPECT_EQ(text(p, "气血"), std::to_string(static_cast<int>(100 * 20.0 * 6 + 500)));
}

TEST(PetPage, AttributeFieldsShowBaseWhileFocused) {
    PetPage p = make();
    type(p, "属性.体质", "20");
    type(p, "潜能", "10");
    press(p, "体质.+5");
    EXPECT_EQ(text(p, "属性.体质"), "25");
    EXPECT_EQ(text(p, "潜能"), "5");
    press(p, "体质.+1");
    EXPECT_EQ(p.added(PetPage::Con), 6);
    p.takeFieldRequests();
    p.moveFocus("属性.体质");
    EXPECT_EQ(text(p, "属性.体质"), "20");  // base alone
    const auto req = p.takeFieldRequests();
    ASSERT_EQ(req.size(), 1u);
    EXPECT_TRUE(req[0].caretToEnd);
    type(p, "属性.体质", "30");  // a new base
    p.moveFocus("清空");
    EXPECT_EQ(text(p, "属性.体质"), "36");
    p.moveFocus("潜能");
    EXPECT_EQ(text(p, "潜能"), "10");
    p.moveFocus("清空");
    EXPECT_EQ(text(p, "潜能"), "4");
}

TEST(PetPage, PotentialRefusesToLoseFocusBelowAllocated) {
    PetPage p = make();
    type(p, "属性.力量", "10");
    type(p, "潜能", "10");
    press(p, "力量.+5");
    press(p, "力量.+1");
    messages(p);
    type(p, "潜能", "5");
    p.takeFieldRequests();
    EXPECT_FALSE(p.moveFocus("属性.力量"));
    EXPECT_EQ(p.focus(), "潜能");
    EXPECT_EQ(messages(p), std::vector<std::string>{"status:初始潜能点小于已分配潜能(6)！"});
    const auto req = p.takeFieldRequests();
    ASSERT_FALSE(req.empty());
    EXPECT_TRUE(req[0].selectAll);
    type(p, "潜能", "6");
    EXPECT_TRUE(p.moveFocus("属性.力量"));
    EXPECT_EQ(messages(p), std::vector<std::string>{"status:"});
    p.moveFocus("清空");
    EXPECT_EQ(text(p, "潜能"), "0");
}

TEST(PetPage, StepButtonsAndTheirStates) {
    PetPage p = make();
    type(p, "潜能", "7");
    type(p, "属性.敏捷", "10");
    // The states follow the 潜能 text: the 敏捷 field was empty then.
    EXPECT_FALSE(p.isEnabled("敏捷.+1"));
    type(p, "潜能", "7");
    EXPECT_TRUE(p.isEnabled("敏捷.+1"));
    EXPECT_TRUE(p.isEnabled("敏捷.+5"));
    EXPECT_FALSE(p.isEnabled("敏捷.-1"));
    EXPECT_FALSE(p.isEnabled("体质.+1"));  // its field is empty
    press(p, "敏捷.+1");
    press(p, "敏捷.+1");
    press(p, "敏捷.+1");
    EXPECT_TRUE(p.isEnabled("敏捷.-1"));
    EXPECT_FALSE(p.isEnabled("敏捷.-5"));
    EXPECT_FALSE(p.isEnabled("敏捷.+5"));  // 4 left
    EXPECT_TRUE(p.isEnabled("重置点数"));
    p.step(PetPage::Agi, -5);  // 3 added: does nothing
    EXPECT_EQ(p.added(PetPage::Agi), 3);
    p.step(PetPage::Agi, 5);  // 4 left: does nothing
    EXPECT_EQ(p.added(PetPage::Agi), 3);
    press(p, "敏捷.-1");
    EXPECT_EQ(text(p, "属性.敏捷"), "12");
    EXPECT_EQ(text(p, "潜能"), "5");
    press(p, "重置点数");
    EXPECT_EQ(text(p, "属性.敏捷"), "10");
    EXPECT_EQ(text(p, "潜能"), "7");
    EXPECT_FALSE(p.isEnabled("重置点数"));
    EXPECT_EQ(p.added(PetPage::Agi), 0);
}

TEST(PetPage, QuickAllocation) {
    PetPage p = make();
    type(p, "潜能", "50");
    type(p, "属性.体质", "10");
    type(p, "属性.力量", "10");
    type(p, "剩余潜能快速加点.体质", "1");
    type(p, "剩余潜能快速加点.力量", "2");
    EXPECT_EQ(text(p, "合计"), "3");
    EXPECT_TRUE(p.isEnabled("快速加点"));
    messages(p);
    press(p, "快速加点");
    EXPECT_EQ(p.added(PetPage::Con), 16);
    EXPECT_EQ(p.added(PetPage::Str), 33);
    EXPECT_EQ(text(p, "属性.体质"), "26");
    EXPECT_EQ(text(p, "潜能"), "1");
    EXPECT_EQ(text(p, "剩余潜能快速加点.体质"), "");
    EXPECT_EQ(text(p, "合计"), "0");
    EXPECT_FALSE(p.isEnabled("快速加点"));
    EXPECT_EQ(messages(p), std::vector<std::string>{"status:快速加点成功！"});
}

TEST(PetPage, QuickAllocationRefusals) {
    PetPage p = make();
    type(p, "属性.体质", "10");
    type(p, "潜能", "10");
    calc_test::check(p, "数值加点", true);
    type(p, "剩余潜能快速加点.体质", "12");
    messages(p);
    press(p, "快速加点");
    EXPECT_EQ(messages(p),
              std::vector<std::string>{"status:剩余潜能点(10)小于待分配分配潜能(12)！"});
    EXPECT_EQ(p.added(PetPage::Con), 0);
    type(p, "剩余潜能快速加点.体质", "4");
    type(p, "剩余潜能快速加点.耐力", "3");
    p.takeFieldRequests();
    press(p, "快速加点");
    EXPECT_EQ(messages(p), std::vector<std::string>{"status:请输入初始耐力属性！"});
    EXPECT_EQ(p.added(PetPage::Con), 0);
    EXPECT_EQ(p.focus(), "属性.耐力");
    type(p, "属性.耐力", "5");
    press(p, "快速加点");
    EXPECT_EQ(p.added(PetPage::Con), 4);
    EXPECT_EQ(p.added(PetPage::End), 3);
    EXPECT_EQ(text(p, "潜能"), "3");
}

TEST(PetPage, ClearKeepsLevelGrowthAndAptitudes) {
    PetPage p = make();
    setUp(p, 100, "1.2",
          {{"体力", "5000"}, {"属性.体质", "200"}, {"潜能", "5"}, {"剩余潜能快速加点.体质", "1"}});
    press(p, "体质.+1");
    press(p, "清空");
    for (const char* c : {"属性.体质", "潜能", "剩余潜能快速加点.体质", "气血", "灵力"})
        EXPECT_EQ(text(p, c), "") << c;
    EXPECT_EQ(p.added(PetPage::Con), 0);
    EXPECT_EQ(p.remainingPotential(), 0);
    EXPECT_EQ(text(p, "体力"), "5000");
    EXPECT_EQ(text(p, "成长率"), "1.2");
    type(p, "属性.体质", "200");
    EXPECT_EQ(text(p, "气血"), "1940");
}

TEST(PetStats, GrowthIsAThirtyTwoBitFloat) {
    kalvix::PetInputs in;
    in.con = 20;
    in.growth = 1.15f;
    EXPECT_EQ(kalvix::petHp(in), 137);
    in.staminaApt = 2147483647;  // the 32-bit product wraps rather than trapping
    in.level = 180;
    EXPECT_EQ(kalvix::petHp(in), 137 + (static_cast<std::int32_t>(2147483647u * 180u)) / 1000);
    EXPECT_DOUBLE_EQ(kalvix::leadingReal(" 1.5e1x"), 15.0);
    EXPECT_DOUBLE_EQ(kalvix::leadingReal("inf"), 0.0);
    EXPECT_DOUBLE_EQ(kalvix::leadingReal(".5"), 0.5);
}

}  // namespace
