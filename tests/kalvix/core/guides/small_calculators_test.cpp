#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kalvix/core/guides/junto_practice_page.h"
#include "kalvix/core/guides/old_friend_page.h"
#include "kalvix/core/guides/zhuo_gui_page.h"
#include "support/page_driver.h"

namespace {

using calc_test::check;
using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using kalvix::PageContext;

TEST(JuntoPracticePage, TableRows) {
    PageContext context;
    kalvix::JuntoPracticePage page(context);
    const auto rows = page.find("列表")->rows();
    ASSERT_EQ(rows.size(), 25u);
    using Row = std::vector<std::string>;
    EXPECT_EQ(rows[0], (Row{"1", "150", "30W", "30W", "45W", "45W"}));
    EXPECT_EQ(rows[1], (Row{"2", "210", "42W", "72W", "63W", "108W"}));
    EXPECT_EQ(rows[2], (Row{"3", "290", "58W", "130W", "87W", "195W"}));
    EXPECT_EQ(rows[9], (Row{"10", "1410", "282W", "1320W", "423W", "1980W"}));
    EXPECT_EQ(rows[23], (Row{"24", "6590", "1318W", "12128W", "1977W", "18192W"}));
    EXPECT_EQ(rows[24], (Row{"25", "7110", "1422W", "13550W", "2133W", "20325W"}));
}

struct OldFriendCase {
    const char* group;
    const char* level;
    int count;  // position in 领取次数
    const char* exp;
    const char* money;
    const char* totalExp;
    const char* totalMoney;
};

TEST(OldFriendPage, Rewards) {
    const OldFriendCase cases[] = {
        {"被绑定人", "60", 0, "410000", "230000", "39818000", "9750000"},
        {"被绑定人", "60", 1, "312000", "160000", "39818000", "9750000"},
        {"被绑定人", "60", 5, "1512000", "480000", "39818000", "9750000"},
        {"被绑定人", "60", 14, "5832000", "1200000", "39818000", "9750000"},
        {"绑定人", "60", 0, "82000", "46000", "7963600", "1950000"},
        {"绑定人", "60", 4, "206400", "80000", "7963600", "1950000"},
        {"绑定人", "60", 14, "1166400", "240000", "7963600", "1950000"},
        // The top of the accepted range still fits 32 bits.
        {"被绑定人", "1000", 14, "116000000", "1200000", "1020050000", "59570000"},
        {"绑定人", "1000", 0, "20010000", "10010000", "204010000", "11914000"},
        {"被绑定人", " 175 ", 2, "2012500", "240000", "123687500", "11101250"},
    };
    for (const OldFriendCase& c : cases) {
        PageContext context;
        kalvix::OldFriendPage page(context);
        const std::string g = std::string(c.group) + ".";
        type(page, g + "人物等级", c.level);
        choose(page, g + "领取次数", c.count);
        press(page, g + "计算");
        EXPECT_TRUE(messages(page).empty()) << c.group << c.level;
        EXPECT_EQ(text(page, g + "经验"), c.exp) << c.group << c.level << " " << c.count;
        EXPECT_EQ(text(page, g + "储备金"), c.money) << c.group << c.level << " " << c.count;
        EXPECT_EQ(text(page, g + "奖励合计经验"), c.totalExp) << c.group << c.level;
        EXPECT_EQ(text(page, g + "奖励合计储备金"), c.totalMoney) << c.group << c.level;
        // The other group did not move.
        const std::string other = c.group == std::string("绑定人") ? "被绑定人." : "绑定人.";
        EXPECT_EQ(text(page, other + "经验"), "0");
    }
}

TEST(OldFriendPage, RefusedLevels) {
    const std::string tooLow = "box:最小等级为60";
    const std::string notInt = "box:请输入一个整数。";
    const std::string range = "box:请输入一个 0 至 1000 之间的整数。";
    struct Case {
        const char* level;
        std::vector<std::string> shown;
    } cases[] = {
        {"59", {tooLow, tooLow}},
        {"0", {tooLow, tooLow}},
        // The first computation goes on with the last accepted level (60) and writes it back,
        // so the second reads it without complaint.
        {"", {notInt}},
        {"abc", {notInt}},
        {"-1", {tooLow, tooLow}},
        {"-2147483648", {tooLow, tooLow}},
        {"1001", {range}},
        {"99999999999", {notInt}},
    };
    for (const Case& c : cases) {
        PageContext context;
        kalvix::OldFriendPage page(context);
        type(page, "绑定人.人物等级", "60");
        press(page, "绑定人.计算");
        type(page, "绑定人.人物等级", "61");
        type(page, "绑定人.人物等级", c.level);
        choose(page, "绑定人.领取次数", 1);
        press(page, "绑定人.计算");
        EXPECT_EQ(messages(page), c.shown) << c.level;
        const bool refused = c.shown.front() != tooLow;
        // Too low: nothing changes. Refused: computed with 60, as last accepted.
        EXPECT_EQ(text(page, "绑定人.经验"), refused ? "62400" : "82000") << c.level;
        EXPECT_EQ(text(page, "绑定人.奖励合计经验"), "7963600") << c.level;
    }
}

TEST(OldFriendPage, BadLevelInTheOtherGroupIsReportedAndSkipped) {
    PageContext context;
    kalvix::OldFriendPage page(context);
    type(page, "被绑定人.人物等级", "60");
    type(page, "绑定人.人物等级", "x");
    press(page, "被绑定人.计算");
    const auto shown = page.takeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].field, "绑定人.人物等级");
    EXPECT_EQ(text(page, "被绑定人.经验"), "410000");
    // Written back: the refused text gives way to the level in use.
    EXPECT_EQ(text(page, "绑定人.人物等级"), "0");
    EXPECT_NE(page.find("老玩家回流奖励详情")->text().find("第十五次需要72小时\r\n"),
              std::string::npos);
}

struct GhostCase {
    const char* level;
    int ring;
    bool doubled;
    const char* shownLevel;
    const char* leaderExp;
    const char* leaderCoins;
    const char* memberExp;
    const char* memberCoins;
    bool selected;  // the level was clamped and its text selected
};

TEST(ZhuoGuiPage, Rewards) {
    const GhostCase cases[] = {
        {"100", 0, true, "100", "65200", "9100", "59300", "7600", false},
        {"100", 0, false, "100", "32600", "9100", "29650", "7600", false},
        {"180", 9, true, "180", "118980", "18000", "108360", "15300", false},
        {"99", 3, false, "99", "32422", "9306", "29502", "7821", false},
        {"250", 0, true, "180", "117360", "16380", "106740", "13680", true},
        {"-5", 0, true, "180", "117360", "16380", "106740", "13680", true},
        {"9999999999", 0, true, "180", "117360", "16380", "106740", "13680", true},
        {"0", 5, true, "0", "0", "0", "0", "0", false},
    };
    for (const GhostCase& c : cases) {
        PageContext context;
        kalvix::ZhuoGuiPage page(context);
        choose(page, "环数", c.ring);
        check(page, "开双倍(默认开5门)", c.doubled);
        page.takeFieldRequests();
        type(page, "队伍平均等级", c.level);
        EXPECT_EQ(text(page, "队伍平均等级"), c.shownLevel) << c.level;
        EXPECT_EQ(text(page, "队长奖励经验"), c.leaderExp) << c.level;
        EXPECT_EQ(text(page, "队长奖励金币"), c.leaderCoins) << c.level;
        EXPECT_EQ(text(page, "队员奖励经验"), c.memberExp) << c.level;
        EXPECT_EQ(text(page, "队员奖励金币"), c.memberCoins) << c.level;
        const auto requests = page.takeFieldRequests();
        EXPECT_EQ(!requests.empty(), c.selected) << c.level;
        if (!requests.empty()) {
            EXPECT_EQ(requests[0].field, "队伍平均等级");
            EXPECT_TRUE(requests[0].selectAll);
        }
        EXPECT_TRUE(messages(page).empty()) << c.level;
    }
}

TEST(ZhuoGuiPage, OpensAtLevelZeroOnTheFirstRingDoubled) {
    PageContext context;
    kalvix::ZhuoGuiPage page(context);
    EXPECT_EQ(text(page, "队伍平均等级"), "0");
    EXPECT_EQ(page.find("环数")->selected(), 0);
    EXPECT_EQ(page.find("环数")->items().back(), "第十环");
    EXPECT_TRUE(page.find("开双倍(默认开5门)")->checked());
    EXPECT_EQ(page.focus(), "队伍平均等级");
    EXPECT_EQ(text(page, "队长奖励经验"), "0");
}

TEST(ZhuoGuiPage, NotANumberKeepsTheLastLevel) {
    for (const char* bad : {"", "abc", "12a", "-", "99999999999999999999"}) {
        PageContext context;
        kalvix::ZhuoGuiPage page(context);
        type(page, "队伍平均等级", "100");
        type(page, "队伍平均等级", bad);
        const auto shown = page.takeMessages();
        ASSERT_EQ(shown.size(), 1u) << bad;
        EXPECT_EQ(shown[0].text, "请输入一个整数。");
        EXPECT_EQ(shown[0].field, "队伍平均等级");
        EXPECT_EQ(text(page, "队伍平均等级"), "100") << bad;
        EXPECT_EQ(text(page, "队长奖励经验"), "65200") << bad;
        check(page, "开双倍(默认开5门)", false);
        EXPECT_EQ(text(page, "队长奖励经验"), "32600") << bad;
    }
}

}  // namespace
