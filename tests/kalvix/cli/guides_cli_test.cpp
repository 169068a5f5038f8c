#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "kalvix/core/guides/guide_file.h"
#include "kalvix/core/page/portal_hosts.h"
#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;
using nlohmann::json;

json run(const std::vector<std::string>& args) {
    auto r = runCalc(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? json::parse(r.out) : json::object();
}

json opened(const std::string& address) {
    return json::array({{{"where", "open"}, {"text", address}}});
}

TEST(KalvixCalcGuides, GuideTextOfAChosenEntryFromTheFileBesideTheProgram) {
    const json j = run({"常用攻略", "剧情攻略.剧情任务=商人的鬼魂", "副本攻略.副本任务=#8"});
    const kalvix::GuideFile sample(std::string(KALVIX_TEST_DATA) +
                                   "/../../resources/guides/xyq.ini");
    const std::string story = sample.guide("剧情任务", "商人的鬼魂");
    ASSERT_FALSE(story.empty());
    EXPECT_EQ(j["剧情攻略.攻略"], story);
    EXPECT_EQ(j["副本攻略.攻略"], sample.guide("副本攻略", "乌鸡国副本攻略"));
    EXPECT_EQ(j["帮派修炼.列表"].size(), 25u);
    EXPECT_EQ(j["家具配方.配方"].get<std::string>().substr(0, 2), "\r\n");
    EXPECT_TRUE(j["messages"].empty());
}

TEST(KalvixCalcGuides, SubPagesByTheirTabCaptions) {
    json j = run({"常用攻略", "老朋友回流计算.绑定人.人物等级=60", "老朋友回流计算.绑定人.计算"});
    EXPECT_EQ(j["老朋友回流计算.绑定人.经验"], "82000");
    EXPECT_EQ(j["老朋友回流计算.绑定人.奖励合计经验"], "7963600");
    EXPECT_EQ(j["老朋友回流计算.被绑定人.经验"], "0");
    j = run({"guides", "其他攻略.孩子养育"});
    EXPECT_EQ(j["messages"], opened(std::string(kalvix::portal::kForumHost) +
                                    "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html"));
}

TEST(KalvixCalcGuides, QueryButtonsPrintTheAddressesTheyOpen) {
    const json j = run({"常用查询", "熔炼查询", "奇经八脉", "捉鬼计算器", "家具模拟"});
    json expected = json::array();
    expected.push_back({{"where", "open"},
                        {"text", std::string(kalvix::portal::kGameHost) +
                                     "/content/2011-05-05/20110505094821199,1.shtml"}});
    expected.push_back(
        {{"where", "open"}, {"text", std::string(kalvix::portal::kSimulatorHost) + "/xyq/sim/"}});
    // The windows have no host here: only the addresses show.
    EXPECT_EQ(j["messages"], expected);
}

TEST(KalvixCalcGuides, SmallCalculatorsAsPagesOfTheirOwn) {
    json j = run({"捉鬼计算器", "队伍平均等级=100"});
    EXPECT_EQ(j["队长奖励经验"], "65200");
    EXPECT_EQ(j["队员奖励金币"], "7600");
    j = run({"捉鬼计算器", "开双倍(默认开5门)=0", "环数=第四环", "队伍平均等级=250"});
    EXPECT_EQ(j["队长奖励经验"], std::to_string(655 * 180 / 2));
    EXPECT_EQ(j["队长奖励金币"], std::to_string(94 * 180));
    j = run({"捉鬼计算器", "队伍平均等级=abc"});
    EXPECT_EQ(j["messages"], json::array({{{"where", "box"}, {"text", "请输入一个整数。"}}}));
    j = run({"老朋友回流计算", "被绑定人.人物等级=59", "被绑定人.计算"});
    EXPECT_EQ(j["messages"], json::array({{{"where", "box"}, {"text", "最小等级为60"}},
                                          {{"where", "box"}, {"text", "最小等级为60"}}}));
    EXPECT_EQ(j["被绑定人.经验"], "0");
    j = run({"帮派修炼"});
    ASSERT_EQ(j["列表"].size(), 25u);
    EXPECT_EQ(j["列表"][24], json({"25", "7110", "1422W", "13550W", "2133W", "20325W"}));
}

TEST(KalvixCalcGuides, RefusesWhatAUserCannotDo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"常用攻略", "剧情攻略.剧情任务=不存在的任务"},
             {"常用攻略", "剧情任务=商人的鬼魂"},  // the sub-page's caption needs its tab
             {"常用查询", "不存在的按钮"},
             {"捉鬼计算器", "环数=第十一环"},
             {"老朋友回流计算", "人物等级=60"},  // two groups: the caption needs its group
         }) {
        auto r = runCalc(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_FALSE(r.err.empty()) << args.back();
    }
}

}  // namespace
