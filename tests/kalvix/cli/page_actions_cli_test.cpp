// The action rules as kalvix-calc applies them to real pages.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "kalvix/build_config.h"
#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;

TEST(KalvixCalcActions, AClickOnTheSelectedRadioButtonRunsItsHandler) {
    // 攻击/法术 is selected when 修炼 opens; its click still computes the damage.
    auto r = runCalc({"修炼", "攻击/法术=1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["结果伤害"], "160");
    r = runCalc({"修炼"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["结果伤害"], "0");
    // No click clears a radio button.
    r = runCalc({"修炼", "攻击/法术=0"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST(KalvixCalcActions, RefusalsAreOneLineWithExitCodeTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"修炼", "没有这个=1"}, "kalvix-calc: unknown argument: 没有这个=1\n"},
        {{"任务", "徒弟等级=#99"}, "kalvix-calc: unknown value for 徒弟等级: #99\n"},
        {{"任务", "当前等级=10", "三倍=1", "当前等级=50", "三倍=0"},
         "kalvix-calc: unknown argument: 三倍=0\n"},  // disabled from level 40 on
        {{"修炼", "@focus=没有"}, "kalvix-calc: unknown control: 没有\n"},
        {{"修炼", "@tick=x"}, "kalvix-calc: bad tick count: @tick=x\n"},
        {{"没有的页"}, "kalvix-calc: unknown page: 没有的页\n"},
    };
    for (const Case& c : cases) {
        const auto r = runCalc(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.back();
        EXPECT_EQ(r.err, c.error) << c.args.back();
        EXPECT_TRUE(r.out.empty()) << c.args.back();
    }
}

}  // namespace

namespace {

TEST(KalvixCalcActions, ControlsShowWhatTheWindowShows) {
    // Before or after the page; the result keys stay as they are.
    for (const auto& args :
         {std::vector<std::string>{"--controls", "人物模拟加点系统", "魔族=1", "门派.4=1"},
          std::vector<std::string>{"人物模拟加点系统", "--controls", "魔族=1", "门派.4=1"}}) {
        const auto r = runCalc(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto out = nlohmann::json::parse(r.out);
        EXPECT_EQ(out["门派"], "盘丝洞");
        const auto& c = out["controls"];
        // The race stays chosen when a school is chosen; the school radios show its names.
        EXPECT_EQ(c["魔族"],
                  (nlohmann::json{
                      {"text", "魔族"}, {"checked", true}, {"enabled", true}, {"visible", true}}));
        EXPECT_EQ(c["门派.4"]["text"], "盘丝洞");
        EXPECT_TRUE(c["门派.4"]["checked"]);
        EXPECT_EQ(c["级别"]["items"].size(), 176u);  // "0" … "175" as it opens
        EXPECT_EQ(c["级别"]["current"], 0);
        EXPECT_EQ(c["级别"]["text"], "0");
        EXPECT_FALSE(c["名人榜>>"]["enabled"]);
        EXPECT_EQ(c["体质.+1"]["text"], "+1");
    }
    EXPECT_FALSE(nlohmann::json::parse(runCalc({"修炼"}).out).contains("controls"));
}

TEST(KalvixCalcVersion, PrintsTheProjectVersion) {
    const auto r = kalvix::test::runCalc({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, std::string("kalvix-calc ") + kalvix::config::kVersion + "\n");
}

}  // namespace
