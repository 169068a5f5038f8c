#include "kalvix/core/simulator/mount_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/page_driver.h"

namespace kalvix {
namespace {

using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;

TEST(MountPage, LeadingDecimalStopsAtTheFirstCharacterThatDoesNotFit) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"1.2345", 1.2345}, {"10", 10.0},     {"1.2abc", 1.2}, {"abc", 0.0}, {"", 0.0},
        {"  \t2.5", 2.5},   {"+3", 3.0},      {"-1.5", -1.5},  {".5", 0.5},  {"5.", 5.0},
        {".", 0.0},         {"-", 0.0},       {"1e1", 10.0},   {"1e", 1.0},  {"1e+x", 1.0},
        {"2E-1z", 0.2},     {"0x10", 0.0},    {"inf", 0.0},    {"nan", 0.0}, {"1,5", 1.0},
        {"1 2", 1.0},       {"1e400", 1e308},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(MountPage::leadingDecimal(c.text), c.value) << c.text;
}

TEST(MountPage, OpensOnTheSessionsMount) {
    PageContext context;
    SimulatorSession session(context.catalogue());
    MountPage fresh(context, session);
    EXPECT_EQ(text(fresh, "成长"), "0.0000");
    for (const char* carried : {"好感", "饱食", "环境"}) {
        const Control* c = fresh.find(carried);
        ASSERT_NE(c, nullptr);
        EXPECT_FALSE(c->isEnabled());
        EXPECT_EQ(c->items().size(), 101u);
        EXPECT_EQ(c->selected(), 100);
    }
    EXPECT_EQ(fresh.find("敏捷")->items().size(), 1201u);

    MountRecord stored;
    stored.growth = 1.2345f;
    stored.carried = {50, 60, 70};
    stored.five = {1, 2, 3, 4, 1200};
    session.confirmMount(stored);
    MountPage again(context, session);
    EXPECT_EQ(text(again, "成长"), "1.2345");
    EXPECT_EQ(again.find("饱食")->selected(), 60);
    EXPECT_EQ(again.find("敏捷")->selected(), 1200);
}

TEST(MountPage, GrowthCheck) {
    struct Case {
        const char* typed;
        bool accepted;
        const char* shownNextTime;
    };
    const Case cases[] = {
        {"1.2345", true, "1.2345"}, {"10", true, "10.0000"}, {"10.0001", false, ""},
        {"0", false, ""},           {"abc", false, ""},      {"1.2abc", true, "1.2000"},
        {"-2", false, ""},          {"1e400", false, ""},    {"0.00001", true, "0.0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PageContext context;
        SimulatorSession session(context.catalogue());
        MountPage page(context, session);
        type(page, "成长", c.typed);
        choose(page, "体质", 300);
        press(page, "确认");
        if (!c.accepted) {
            EXPECT_EQ(messages(page), std::vector<std::string>{"status:请输入正确的成长！"});
            const auto requests = page.takeFieldRequests();
            ASSERT_EQ(requests.size(), 1u);
            EXPECT_EQ(requests[0].field, "成长");
            EXPECT_TRUE(requests[0].selectAll);
            EXPECT_TRUE(requests[0].focus);
            EXPECT_FALSE(page.takeCloseRequest());
            EXPECT_EQ(session.mount(), MountRecord{});
            continue;
        }
        EXPECT_EQ(page.takeCloseRequest(), std::optional<bool>(true));
        EXPECT_EQ(session.mount().five[0], 300);
        EXPECT_EQ(session.build().mount, session.mount());
        MountPage next(context, session);
        EXPECT_EQ(text(next, "成长"), c.shownNextTime);
    }
}

TEST(MountPage, NewBuildRefusesAnUntouchedGrowthAndCancelWritesNothing) {
    PageContext context;
    SimulatorSession session(context.catalogue());
    MountPage page(context, session);
    press(page, "确认");
    EXPECT_EQ(messages(page), std::vector<std::string>{"status:请输入正确的成长！"});
    choose(page, "魔力", 750);
    type(page, "成长", "2");
    press(page, "取消");
    EXPECT_EQ(page.takeCloseRequest(), std::optional<bool>(false));
    EXPECT_EQ(session.mount(), MountRecord{});
    EXPECT_EQ(session.mountRevision(), 0u);
}

TEST(MountPage, AttributesDoNotDependOnTheGrowth) {
    PageContext context;
    SimulatorSession session(context.catalogue());
    MountPage page(context, session);
    type(page, "成长", "1.2");
    for (int k = 0; k < 5; ++k)
        choose(page, std::vector<std::string>{"体质", "魔力", "力量", "耐力", "敏捷"}[k],
               100 * (k + 1));
    press(page, "确认");
    EXPECT_EQ(session.mount().five, (std::array<std::int32_t, 5>{100, 200, 300, 400, 500}));
    // trunc(trunc(100 ÷ 28.8) × 1.2) = 3, and so on with the other divisors.
    EXPECT_EQ(text(page, "属性加成.体质"), "3");
    EXPECT_EQ(text(page, "属性加成.魔力"), "6");
    EXPECT_EQ(text(page, "结果"), "确认");
}

}  // namespace
}  // namespace kalvix
