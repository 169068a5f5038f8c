#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;

TEST(KalvixCalcRune, ColoursSelectTheLongestCombination) {
    struct Case {
        std::vector<std::string> args;
        const char* combination;
    } cases[] = {
        {{"符石模拟", "符石1.颜色=蓝", "符石2.颜色=白"}, "望穿秋水"},
        {{"rune", "符石1.颜色=蓝", "符石2.颜色=白", "符石3.颜色=黑"}, "降妖伏魔"},
        {{"符石模拟", "开运孔数=1", "符石1.颜色=蓝"}, "无"},
        // A helmet's combination is not offered for a weapon: nothing is selected.
        {{"符石模拟", "装备位置=武器", "符石1.颜色=红", "符石2.颜色=蓝", "符石3.颜色=黑"}, ""},
        {{"符石模拟", "装备位置=头盔/发钗", "符石1.颜色=红", "符石2.颜色=蓝", "符石3.颜色=黑"},
         "为官之道符石"},
    };
    for (const Case& c : cases) {
        auto r = runCalc(c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["组合技能"], c.combination) << c.args.back();
        EXPECT_TRUE(j["messages"].empty());
    }
}

TEST(KalvixCalcRune, CombinationStonesAndLevel) {
    auto r = runCalc({"符石模拟", "组合技能=风卷残云", "符石1.符石=冰符石", "符石2.符石=风符石",
                      "符石3.符石=地炎符石"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["开运孔数"], "5");
    EXPECT_EQ(j["符石4.颜色"], "白");
    EXPECT_EQ(j["符石5.颜色"], "蓝");
    EXPECT_EQ(j["符石5.符石"], "");
    EXPECT_EQ(j["符石1.等级"], "1级");
    EXPECT_EQ(j["符石3.等级"], "3级");
    EXPECT_EQ(j["符石1.效果"], "体质 +1.0");
    EXPECT_EQ(j["符石3.效果"], "力量 +1.0,气血 +10.0");
    EXPECT_EQ(j["组合技能等级"], "2级");
    EXPECT_EQ(j["符石效果"], "击倒鬼魂目标时有10%几率打飞出场");

    r = runCalc({"符石模拟", "组合技能=风卷残云", "符石1.符石=冰符石", "组合技能=无"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["符石1.颜色"], "");
    EXPECT_EQ(j["符石1.符石"], "");
    EXPECT_EQ(j["组合技能等级"], "");
    EXPECT_EQ(j["符石效果"], "");
}

TEST(KalvixCalcRune, RefusedArguments) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"符石模拟", "开运孔数=2", "符石3.颜色=红"},         // a disabled row
             {"符石模拟", "组合技能等级=1级"},                    // always disabled
             {"符石模拟", "符石1.颜色=红", "符石1.符石=风符石"},  // not a red stone
             {"符石模拟", "符石1.颜色=橙"},
             {"符石模拟", "开运孔数=6"},
         }) {
        auto r = runCalc(args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << r.out;
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
