#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;

TEST(KalvixCalcEquipment, PresetsStrengtheningAndEffects) {
    auto r = runCalc({"武器", "等级=100级", "强化=1", "永不磨损=1", "坚固=1", "神佑=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["伤害"], "378");
    EXPECT_EQ(j["命中"], "325");
    EXPECT_EQ(j["永不磨损"], "0");
    EXPECT_EQ(j["坚固"], "1");
    EXPECT_EQ(j["神佑"], "1");
    EXPECT_EQ(j["组合技能"], "");

    r = runCalc({"boot", "等级=150级", "强化=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["基本属性（含石头）.敏捷"], "52");  // trunc(50 × 1.05)
    EXPECT_EQ(j["基本属性（含石头）.防御"], "84");  // 80 × 1.05
}

TEST(KalvixCalcEquipment, RefusedArguments) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"铠甲/女衣", "等级=10级", "强化=1"},          // never shown on the armour
             {"武器", "等级=100级", "强化=1", "伤害=400"},  // preset lists lock while strengthened
             {"武器", "强化=1"},                            // no level chosen
             {"项链", "伤害=10"},
             {"头盔/发钗", "防御=5"},  // repeats on the helmet: needs its group
         }) {
        auto r = runCalc(args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << r.out;
    }
}

}  // namespace
