#include "kalvix/core/calculators/mission_page.h"

#include <gtest/gtest.h>

#include "kalvix/core/page/page_context.h"
#include "support/page_driver.h"

namespace {

using calc_test::check;
using calc_test::choose;
using calc_test::messages;
using calc_test::text;
using calc_test::type;
using kalvix::MissionPage;

const std::string kExp = "师门任务(40以下可3倍).经验";
const std::string kMoney = "师门任务(40以下可3倍).金钱";
const std::string kTwo = "师门任务(40以下可3倍).两轮";

class MissionPageTest : public ::testing::Test {
  protected:
    kalvix::PageContext context;
};

TEST_F(MissionPageTest, OpensOnTheSharedLevel) {
    context.setSharedLevel(45);
    MissionPage p(context);
    EXPECT_EQ(p.level(), 45);
    EXPECT_FALSE(p.tripled());
    EXPECT_FALSE(p.find("三倍")->isEnabled());
    EXPECT_EQ(text(p, "从"), "1");
    EXPECT_EQ(text(p, "到"), "300");
    EXPECT_TRUE(p.find("双倍")->checked());
    EXPECT_TRUE(p.find("师徒任务.两轮")->checked());
    EXPECT_TRUE(p.takeMessages().empty());
}

TEST_F(MissionPageTest, SchoolMission) {
    struct Case {
        int level;
        bool two, dbl, triple;
        const char* exp;
        const char* money;
    } cases[] = {
        {0, true, true, true, "0", "0"},
        {10, true, true, true, "0", "0"},
        {19, true, true, true, "0", "0"},
        {20, true, true, true, "90300", "18400"},
        {39, true, true, true, "151860", "22200"},
        {30, false, false, true, "61350", "5100"},
        {40, true, true, false, "169600", "117000"},
        {60, false, false, false, "55600", "34750"},
        {100, true, true, false, "640000", "388000"},
        {155, false, false, false, "205375", "109100"},
        {156, false, false, false, "248440", "124360"},
        {175, true, true, false, "1069000", "529628"},
        {175, false, true, false, "534500", "264814"},
    };
    for (const Case& c : cases) {
        MissionPage p(context);
        choose(p, "当前等级", c.level);
        check(p, kTwo, c.two);
        check(p, "双倍", c.dbl);
        if (c.level < 40)
            check(p, "三倍", c.triple);
        EXPECT_EQ(p.tripled(), c.triple) << c.level;
        EXPECT_EQ(text(p, kExp), c.exp) << c.level;
        EXPECT_EQ(text(p, kMoney), c.money) << c.level;
    }
}

TEST_F(MissionPageTest, TripleFollowsTheLevel) {
    MissionPage p(context);
    choose(p, "当前等级", 30);
    check(p, "三倍", false);
    EXPECT_FALSE(p.tripled());
    choose(p, "当前等级", 35);
    EXPECT_TRUE(p.tripled());  // set again by the level change
    choose(p, "当前等级", 40);
    EXPECT_FALSE(p.tripled());
    EXPECT_FALSE(p.find("三倍")->isEnabled());
    choose(p, "当前等级", 39);
    EXPECT_TRUE(p.find("三倍")->isEnabled());
    EXPECT_EQ(context.sharedLevel(), 39);
}

TEST_F(MissionPageTest, MasterMission) {
    struct Case {
        int level;
        int apprentice;
        bool two;
        const char* master;
        const char* money;
        const char* exp;
    } cases[] = {
        {60, 15, true, "", "", ""},
        {61, 15, true, "54540", "34300", "65000"},
        {61, 15, false, "27270", "17150", "32500"},
        {100, 29, false, "35850", "20090", "47060"},
        {100, 30, false, "48500", "25400", "50370"},
        {100, 39, false, "48500", "28370", "90870"},
        {100, 40, false, "71000", "51200", "98000"},
        {175, 49, true, "191500", "108340", "221740"},
    };
    for (const Case& c : cases) {
        MissionPage p(context);
        choose(p, "当前等级", c.level);
        choose(p, "徒弟等级", c.apprentice - 15);
        check(p, "师徒任务.两轮", c.two);
        EXPECT_EQ(text(p, "师徒任务.可得金钱"), c.master) << c.level << " " << c.apprentice;
        EXPECT_EQ(text(p, "徒弟金钱"), c.money) << c.level << " " << c.apprentice;
        EXPECT_EQ(text(p, "徒弟经验"), c.exp) << c.level << " " << c.apprentice;
    }
}

TEST_F(MissionPageTest, LevelOnlyRewards) {
    MissionPage p(context);
    choose(p, "当前等级", 10);
    EXPECT_EQ(text(p, "科举考试.经验"), "32200");
    EXPECT_EQ(text(p, "10次经验"), "3000");
    for (const char* c : {"青龙堂", "玄武堂", "新玄武堂(1轮).经验", "帮贡", "资金", "可得经验",
                          "额外金钱", "节日礼物.经验", "任务链.经验"})
        EXPECT_EQ(text(p, c), "") << c;
    choose(p, "当前等级", 9);
    EXPECT_EQ(text(p, "科举考试.经验"), "");
    EXPECT_EQ(text(p, "10次经验"), "");
    choose(p, "当前等级", 11);
    EXPECT_EQ(text(p, "青龙堂"), "30115 / 21");
    EXPECT_EQ(text(p, "玄武堂"), "12185 / 21");
    EXPECT_EQ(text(p, "新玄武堂(1轮).经验"), "14960");
    EXPECT_EQ(text(p, "帮贡"), "31");
    EXPECT_EQ(text(p, "资金"), "80000");
    EXPECT_EQ(text(p, "可得经验"), "49600 / 33150");
    EXPECT_EQ(text(p, "社区 建设/巡逻 任务(每轮).可得金钱"), "7775 / 6630");
    EXPECT_EQ(text(p, "额外金钱"), "1650 / 1650");
    EXPECT_EQ(text(p, "节日礼物.经验"), "");
    choose(p, "当前等级", 30);
    EXPECT_EQ(text(p, "节日礼物.经验"), "54000");
    EXPECT_EQ(text(p, "节日礼物.金钱"), "9000");
    choose(p, "当前等级", 59);
    EXPECT_EQ(text(p, "任务链.经验"), "");
}

TEST_F(MissionPageTest, MissionChain) {
    struct Case {
        const char* from;
        const char* to;
        int bracket;
        const char* exp;
    } cases[] = {
        {"1", "1", 0, "2700"},      {"1", "10", 0, "87750"},    {"1", "300", 0, "8505000"},
        {"1", "300", 1, "6804000"}, {"1", "300", 2, "4252500"}, {"11", "11", 0, "4050"},
        {"20", "20", 0, "16200"},   {"300", "300", 0, "54000"},
    };
    const char* const brackets[] = {"总经验<15亿", "15亿>=总经验<25亿", "总经验>=25亿"};
    for (const Case& c : cases) {
        MissionPage p(context);
        choose(p, "当前等级", 60);
        type(p, "到", c.to);
        type(p, "从", c.from);
        check(p, brackets[c.bracket], true);
        EXPECT_EQ(text(p, "任务链.经验"), c.exp) << c.from << ".." << c.to << " " << c.bracket;
        EXPECT_TRUE(messages(p).empty());
    }
}

TEST_F(MissionPageTest, FromAboveToCopiesTheText) {
    MissionPage p(context);
    choose(p, "当前等级", 60);
    type(p, "到", "5");
    type(p, "从", "7");
    EXPECT_EQ(text(p, "到"), "7");
    EXPECT_EQ(text(p, "任务链.经验"), "10800");  // ring 7 alone: 4 b
}

TEST_F(MissionPageTest, RingsOutOfRange) {
    MissionPage p(context);
    choose(p, "当前等级", 60);
    type(p, "到", "301");
    EXPECT_EQ(messages(p), std::vector<std::string>{"box:请输入一个 1 至 300 之间的整数。"});
    EXPECT_EQ(text(p, "到"), "301");
    EXPECT_EQ(text(p, "任务链.经验"), "8505000");  // counted up to ring 300
    type(p, "到", "2147483647");                   // never loops over two billion rings
    EXPECT_EQ(text(p, "任务链.经验"), "8505000");
    type(p, "到", "");
    EXPECT_EQ(messages(p).back(), "box:请输入一个整数。");
    type(p, "到", "2");
    type(p, "从", "0");
    EXPECT_EQ(messages(p), (std::vector<std::string>{"box:请输入一个 1 至 300 之间的整数。"}));
    choose(p, "当前等级", 61);  // every reading repeats it
    EXPECT_FALSE(messages(p).empty());
}

}  // namespace
