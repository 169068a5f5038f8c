#include "kalvix/core/calculators/skill_page.h"

#include <gtest/gtest.h>

#include "kalvix/core/catalogue/catalogue.h"
#include "support/page_driver.h"

namespace {

using calc_test::messages;
using calc_test::text;
using calc_test::type;
using kalvix::SkillPage;

SkillPage make() {
    return SkillPage(kalvix::Catalogue::instance());
}

TEST(SkillPage, OpensWithStartValues) {
    SkillPage p = make();
    EXPECT_EQ(text(p, "师门技能.当前等级"), "0");
    EXPECT_EQ(text(p, "需要经验"), "0");
    EXPECT_EQ(text(p, "研究力"), "2000");
    EXPECT_EQ(text(p, "研究需时"), "");
    EXPECT_TRUE(p.guildMode());
    EXPECT_TRUE(p.find("耗费帮贡")->isVisible());
    EXPECT_FALSE(p.find("耗费人气")->isVisible());
    EXPECT_FALSE(p.find("综合计算")->isVisible());
    EXPECT_TRUE(p.takeMessages().empty());
}

TEST(SkillPage, SchoolSkillCosts) {
    struct Case {
        const char* current;
        const char* target;
        const char* exp;
        const char* money;
    } cases[] = {
        {"0", "1", "16", "6"},
        {"0", "180", "660382434", "212923391"},
        {"179", "180", "40842000", "12252600"},
        {"100", "50", "0", "0"},
    };
    for (const Case& c : cases) {
        SkillPage p = make();
        type(p, "师门技能.当前等级", c.current);  // raises the target to the current level
        type(p, "师门技能.目标等级", c.target);
        EXPECT_EQ(text(p, "需要经验"), c.exp) << c.current << "->" << c.target;
        EXPECT_EQ(text(p, "需要金钱"), c.money) << c.current << "->" << c.target;
    }
}

TEST(SkillPage, CurrentRaisesTargetAndRangeRefusalSelectsText) {
    SkillPage p = make();
    type(p, "师门技能.目标等级", "3");
    type(p, "师门技能.当前等级", "5");
    EXPECT_EQ(text(p, "师门技能.目标等级"), "5");
    EXPECT_EQ(text(p, "需要经验"), "0");
    type(p, "师门技能.目标等级", "10");
    const std::string exp = text(p, "需要经验");
    p.takeFieldRequests();
    type(p, "师门技能.当前等级", "181");
    EXPECT_EQ(text(p, "师门技能.当前等级"), "181");  // shown as typed
    EXPECT_EQ(p.school().current.value, 180);        // member at the upper bound
    EXPECT_EQ(text(p, "需要经验"), exp);             // nothing recomputed
    auto req = p.takeFieldRequests();
    ASSERT_EQ(req.size(), 1u);
    EXPECT_EQ(req[0].field, "师门技能.当前等级");
    EXPECT_TRUE(req[0].selectAll);
    // Another group's computation reads the field again and never reads past the table.
    type(p, "帮派技能研究.目标等级", "1");
    EXPECT_EQ(text(p, "师门技能.当前等级"), "180");
    type(p, "师门技能.当前等级", "-1");
    EXPECT_EQ(p.school().current.value, 180);
    EXPECT_TRUE(messages(p).empty());
}

TEST(SkillPage, NonIntegerTargetShowsTheFrameworkMessage) {
    SkillPage p = make();
    type(p, "师门技能.目标等级", "4");
    type(p, "师门技能.目标等级", "4x");
    EXPECT_EQ(messages(p), std::vector<std::string>{"box:请输入一个整数。"});
    EXPECT_EQ(text(p, "师门技能.目标等级"), "4");  // the last accepted value is written back
    EXPECT_EQ(text(p, "需要经验"), "175");
}

TEST(SkillPage, ResearchTime) {
    struct Case {
        const char* academy;
        const char* current;
        const char* target;
        const char* power;
        const char* time;
    } cases[] = {
        {"0", "0", "1", "2000", "约 2 小时"},        // S = 2016
        {"0", "100", "101", "2000", "约 404 小时"},  // S = 806216
        {"0", "101", "102", "2000", "约 166 小时"},  // S = 331680
        {"0", "5", "5", "2000", ""},
        {"28", "0", "1", "16000", "约 1 小时"},
    };
    for (const Case& c : cases) {
        SkillPage p = make();
        type(p, "帮派书院", c.academy);
        type(p, "帮派技能研究.目标等级", c.target);
        type(p, "帮派技能研究.当前等级", c.current);
        EXPECT_EQ(text(p, "研究力"), c.power);
        EXPECT_EQ(text(p, "研究需时"), c.time) << c.current << "->" << c.target;
    }
}

TEST(SkillPage, ResearchFromLevel150CountsNoPoints) {
    // From 150 (above 100) only the first run counts, and it stops at 149: S = 0, so
    // ceil(0 / R) = (R - 1) / R = 0 hours.
    SkillPage p = make();
    type(p, "帮派技能研究.目标等级", "160");
    type(p, "帮派技能研究.当前等级", "150");
    EXPECT_EQ(text(p, "研究需时"), "约 0 小时");
}

TEST(SkillPage, AcademyOutOfRange) {
    SkillPage p = make();
    type(p, "帮派书院", "29");
    EXPECT_EQ(text(p, "研究力"), "2000");  // refused: not recomputed
    EXPECT_EQ(p.takeFieldRequests().size(), 1u);
    EXPECT_TRUE(messages(p).empty());
    // Every later reading shows the range message, and the fields before it still count.
    type(p, "师门技能.目标等级", "1");
    EXPECT_EQ(messages(p), std::vector<std::string>{"box:请输入一个 0 至 28 之间的整数。"});
    EXPECT_EQ(text(p, "需要经验"), "16");
    EXPECT_EQ(text(p, "帮派书院"), "29");
    type(p, "帮派书院", "2");
    EXPECT_EQ(text(p, "研究力"), "3000");
    type(p, "师门技能.目标等级", "2");
    EXPECT_TRUE(messages(p).empty());
}

TEST(SkillPage, AuxiliarySkills) {
    struct Case {
        bool npc;
        const char* current;
        const char* target;
        const char* exp;
        const char* money;
        const char* contribution;
        const char* needed;
        const char* popularity;
    } cases[] = {
        {false, "0", "1", "16", nullptr, "1", "5", "0"},
        {false, "10", "20", nullptr, nullptr, "165", "245", "0"},
        {false, "0", "160", "197439674", "33470917", nullptr, nullptr, "0"},
        {true, "0", "40", "752400", "684400", "0", "0", "188"},
        {true, "0", "1", "2001", "301", "0", "0", "1"},
        {false, "20", "20", "0", "0", "0", "0", "0"},
    };
    for (const Case& c : cases) {
        SkillPage p = make();
        if (c.npc)
            calc_test::check(p, "向NPC学习", true);
        type(p, "辅助技能学习.目标等级", c.target);
        type(p, "辅助技能学习.当前等级", c.current);
        const std::string at = std::string(c.current) + "->" + c.target;
        if (c.exp) {
            EXPECT_EQ(text(p, "耗费经验"), c.exp) << at;
        }
        if (c.money) {
            EXPECT_EQ(text(p, "耗费金钱"), c.money) << at;
        }
        if (c.contribution) {
            EXPECT_EQ(text(p, "耗费帮贡"), c.contribution) << at;
        }
        if (c.needed) {
            EXPECT_EQ(text(p, "所需帮贡"), c.needed) << at;
        }
        EXPECT_EQ(text(p, "耗费人气"), c.popularity) << at;
    }
}

TEST(SkillPage, NpcModeLowersLevelsAndLimitsInput) {
    SkillPage p = make();
    type(p, "辅助技能学习.目标等级", "100");
    type(p, "辅助技能学习.当前等级", "50");
    EXPECT_NE(text(p, "耗费经验"), "0");
    calc_test::check(p, "向NPC学习", true);
    EXPECT_EQ(text(p, "辅助技能学习.当前等级"), "40");
    EXPECT_EQ(text(p, "辅助技能学习.目标等级"), "40");
    EXPECT_EQ(text(p, "耗费经验"), "0");
    EXPECT_FALSE(p.find("耗费帮贡")->isVisible());
    EXPECT_FALSE(p.find("所需帮贡.label")->isVisible());
    EXPECT_TRUE(p.find("耗费人气")->isVisible());
    p.takeFieldRequests();
    type(p, "辅助技能学习.目标等级", "41");
    EXPECT_EQ(p.takeFieldRequests().size(), 1u);
    calc_test::check(p, "在帮派学习", true);
    EXPECT_TRUE(p.find("耗费帮贡")->isVisible());
    type(p, "辅助技能学习.目标等级", "160");
    EXPECT_EQ(text(p, "耗费帮贡"), std::to_string((160 - 40 + 1) * (40 + 160) / 2));
}

TEST(SkillDetailPage, SevenIndependentGroupsAndAccept) {
    SkillPage page = make();
    kalvix::SkillDetailPage& d = page.detail();
    EXPECT_EQ(d.title(), "师门技能详细计算");
    type(d, "师门技能1.目标等级", "1");
    type(d, "师门技能7.目标等级", "180");
    EXPECT_EQ(text(d, "师门技能1.需要经验"), "16");
    EXPECT_EQ(text(d, "师门技能1.需要金钱"), "6");
    EXPECT_EQ(text(d, "师门技能7.需要经验"), "660382434");
    EXPECT_EQ(text(d, "师门技能4.需要经验"), "0");
    type(d, "师门技能7.当前等级", "200");
    EXPECT_EQ(text(d, "师门技能7.需要经验"), "660382434");
    EXPECT_TRUE(d.accept());
    type(d, "师门技能3.目标等级", "x");
    EXPECT_EQ(messages(d), std::vector<std::string>{"box:请输入一个整数。"});
    EXPECT_EQ(text(d, "师门技能3.目标等级"), "0");
    EXPECT_TRUE(d.accept());
    EXPECT_FALSE(d.find("确定")->isVisible());
    // The page keeps the dialog's state between openings.
    EXPECT_EQ(&page.detail(), &d);
    EXPECT_EQ(page.detail().group(0).target.value, 1);
}

}  // namespace
