#include "kalvix/core/calculators/character_page.h"

#include <gtest/gtest.h>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/page_context.h"

namespace {

using kalvix::CharacterPage;

class CharacterPageTest : public ::testing::Test {
  protected:
    kalvix::PageContext context;
    CharacterPage make() { return CharacterPage(context); }
};

TEST_F(CharacterPageTest, OpensOnTheSharedLevel) {
    context.setSharedLevel(60);
    CharacterPage p(context);
    EXPECT_EQ(p.level(), 60);
    EXPECT_EQ(p.target(), 60);
    EXPECT_EQ(p.offlineExp(), 300000);
    EXPECT_EQ(p.experienceText(), "0");
    EXPECT_TRUE(p.takeMessages().empty());
}

TEST_F(CharacterPageTest, GeneralResultsByLevel) {
    struct Case {
        int level;
        const char* skillLimit;
        std::int64_t moneyCap;
        const char* pet;
        std::int64_t offline, bExp, bMoney;
    } cases[] = {
        {0, "", 10000, "", 0, 0, 0},
        {19, "", 732000, "", 0, 0, 0},
        {20, "6 级", 810000, "", 0, 0, 0},
        {29, "14 级", 1692000, "", 0, 0, 0},
        {30, "14 级", 1810000, "", 0, 54000, 9000},
        {40, "22 级", 3210000, "", 0, 96000, 16000},
        {41, "23 级", 3372000, "召唤兽最少需要 0 级", 0, 100860, 16810},
        {50, "30 级", 5010000, "召唤兽最少需要 6 级", 0, 150000, 25000},
        {59, "38 级", 6972000, "召唤兽最少需要 12 级", 0, 208860, 34810},
        {60, "38 级", 7210000, "召唤兽最少需要 13 级", 300000, 216000, 36000},
        {90, "62 级", 16210000, "召唤兽最少需要 33 级", 450000, 486000, 81000},
        {99, "70 级", 19612000, "召唤兽最少需要 40 级", 495000, 588060, 98010},
        {100, "70 级", 20000000, "召唤兽最少需要 41 级", 500000, 600000, 100000},
        {119, "86 级", 20000000, "召唤兽最少需要 54 级", 595000, 849660, 141610},
        {120, "", 20000000, "召唤兽最少需要 55 级", 600000, 864000, 144000},
        {170, "", 20000000, "召唤兽最少需要 89 级", 850000, 1734000, 289000},
        {175, "", 20000000, "召唤兽最少需要 93 级", 875000, 1837500, 306250},
    };
    CharacterPage p = make();
    for (const Case& c : cases) {
        p.chooseLevel(c.level);
        EXPECT_EQ(p.skillLimit(), c.skillLimit) << c.level;
        EXPECT_EQ(p.moneyCap(), c.moneyCap) << c.level;
        EXPECT_EQ(p.petTraining(), c.pet) << c.level;
        EXPECT_EQ(p.offlineExp(), c.offline) << c.level;
        EXPECT_EQ(p.birthdayExp(), c.bExp) << c.level;
        EXPECT_EQ(p.birthdayMoney(), c.bMoney) << c.level;
        EXPECT_EQ(context.sharedLevel(), c.level);
    }
}

TEST_F(CharacterPageTest, ExperienceToTargetLevel) {
    CharacterPage p = make();
    p.chooseTarget(1);
    EXPECT_EQ(p.neededExp(), 40);
    p.chooseTarget(175);
    EXPECT_EQ(p.neededExp(), 9208635591);
    p.chooseLevel(175);
    EXPECT_EQ(p.targetItems(), std::vector<std::string>{"175"});
    EXPECT_EQ(p.neededExp(), 0);
}

TEST_F(CharacterPageTest, TargetKeptOrFollowing) {
    struct Step {
        int level;
        int target;  // -1: leave the target alone
        int expectedTarget;
    };
    std::vector<std::vector<Step>> scripts = {
        {{10, 50, 50}, {20, -1, 50}},                // raised target stays
        {{10, 10, 10}, {20, -1, 20}},                // target that followed keeps following
        {{10, 50, 50}, {60, -1, 60}},                // target below the new level follows
        {{10, 50, 50}, {50, -1, 50}, {40, -1, 40}},  // a target equal to the old level follows
    };
    for (const auto& script : scripts) {
        CharacterPage p = make();
        for (const Step& s : script) {
            p.chooseLevel(s.level);
            if (s.target >= 0)
                p.chooseTarget(s.target - p.level());
            EXPECT_EQ(p.target(), s.expectedTarget) << s.level;
            EXPECT_EQ(p.targetItems().front(), std::to_string(s.level));
        }
    }
}

TEST_F(CharacterPageTest, ExperienceToReachableLevel) {
    struct Case {
        int level;
        const char* text;
        int reach;
        std::int64_t remaining;
        const char* shown;
        bool message;
    } cases[] = {
        {0, "39", 0, 39, "39", false},
        {0, "40", 1, 0, "40", false},
        {0, "150", 2, 0, "150", false},
        {0, "-5", 0, -5, "-5", false},
        {175, "123", 175, 123, "123", false},
        {0, "9208635591", 175, 0, "9208635591", false},
        {0, "9999999999999", 175, 9999999999999 - 9208635591, "9999999999999", false},
        {0, "abc", 0, 0, "0", true},
        {0, "", 0, 0, "0", true},
        {0, "-", 0, 0, "0", true},
        {0, "45x", 1, 5, "45", true},
        {0, "99999999999999999999", 175, INT64_MAX - 9208635591, "9223372036854775807", true},
        {100, "5000000", 101, 1429, "5000000", false},  // X[101] - X[100] = 4998571
    };
    for (const Case& c : cases) {
        CharacterPage p = make();
        p.chooseLevel(c.level);
        p.takeMessages();
        p.editExperience(c.text);
        EXPECT_EQ(p.reachLevel(), c.reach) << c.text;
        EXPECT_EQ(p.remainingExp(), c.remaining) << c.text;
        EXPECT_EQ(p.experienceText(), c.shown) << c.text;
        auto msgs = p.takeMessages();
        if (c.message) {
            ASSERT_EQ(msgs.size(), 1u) << c.text;
            EXPECT_EQ(msgs[0].where, kalvix::MessageWhere::Box);
            EXPECT_EQ(msgs[0].text, "请输入一个整数。");
            EXPECT_EQ(msgs[0].field, "当前经验");
        } else {
            EXPECT_TRUE(msgs.empty()) << c.text;
        }
    }
}

TEST_F(CharacterPageTest, HiddenControlsAndDialogs) {
    CharacterPage p = make();
    EXPECT_FALSE(p.find("家具")->isVisible());
    EXPECT_FALSE(p.find("等级-->经验.计算")->isVisible());
    EXPECT_FALSE(p.find("经验-->等级.计算")->isVisible());
    std::vector<std::string> opened;
    p.opener = [&](const std::string& w) { opened.push_back(w); };
    p.find("模拟加点")->press();
    p.find("符石模拟")->press();
    EXPECT_EQ(opened, (std::vector<std::string>{"人物模拟加点系统", "符石模拟"}));
}

}  // namespace
