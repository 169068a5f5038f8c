#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "support/calc_process.h"
#include "support/files.h"

namespace {

using kalvix::test::runCalc;
using nlohmann::json;
using test_support::readFile;

json run(const std::vector<std::string>& args) {
    auto r = runCalc(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.exitCode == 0 ? json::parse(r.out) : json::object();
}

TEST(SimulationCli, OpensAsTheWindowDoes) {
    const json j = run({"人物模拟加点系统"});
    EXPECT_EQ(j["门派"], "大唐官府");
    EXPECT_EQ(j["潜力"], "15");
    EXPECT_EQ(j["气血"], "150");
    EXPECT_EQ(j["灵力"], "16");
    EXPECT_EQ(j["活力"], "50");
    EXPECT_EQ(j["法力防御"], "0");
    EXPECT_TRUE(j["messages"].empty());
}

TEST(SimulationCli, RaceSchoolLevelAndPoints) {
    const json j = run({"人物模拟加点系统", "仙族=1", "五庄观=1", "级别=10", "体质.+5", "体质.+1",
                        "灵力技能=#20"});
    EXPECT_EQ(j["门派"], "五庄观");
    EXPECT_EQ(j["体质"], std::to_string(12 + 10 + 6));
    EXPECT_EQ(j["潜力"], std::to_string(5 * 11 + 10 - 6));
    // A school of another race is not offered.
    auto r = runCalc({"人物模拟加点系统", "仙族=1", "方寸山=1"});
    EXPECT_EQ(r.exitCode, 2);
}

TEST(SimulationCli, SkillButtonsAndDisabledRows) {
    const json j = run({"人物模拟加点系统", "女儿村=1"});
    EXPECT_EQ(j["速度技能.按钮"], "*清歌妙舞");
    EXPECT_EQ(j["躲避技能.按钮"], "");
    EXPECT_EQ(runCalc({"人物模拟加点系统", "女儿村=1", "躲避技能=#3"}).exitCode, 2);
}

TEST(SimulationCli, OverspentPotentialQuestion) {
    std::vector<std::string> args = {"人物模拟加点系统", "额外潜能=10"};
    for (int i = 0; i < 5; ++i)
        args.push_back("耐力.+5");
    args.push_back("@answer=cancel");
    args.push_back("额外潜能=0");
    const json j = run(args);
    EXPECT_EQ(j["潜力"], "-10");
    args.push_back("体质.+1");
    EXPECT_EQ(runCalc(args).exitCode, 2);
    args.pop_back();
    args[args.size() - 2] = "@answer=ok";
    EXPECT_EQ(run(args)["潜力"], "15");
}

TEST(SimulationCli, QuickAllocationMessages) {
    const json j = run({"人物模拟加点系统", "快速加点.体质=10", "快速加点.敏捷=6", "数值"});
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["where"], "status");
    EXPECT_EQ(j["messages"][0]["text"], "剩余潜能点(15)小于待分配分配潜能(16)！");
    const json k = run({"人物模拟加点系统", "快速加点.体质=1", "快速加点.魔力=2", "比例"});
    EXPECT_EQ(k["messages"][0]["text"], "快速加点成功！");
    EXPECT_EQ(k["体质"], "15");
    EXPECT_EQ(k["魔力"], "20");
}

TEST(SimulationCli, SaveAndLoadFiles) {
    const test_support::TempDir dir;
    const std::string file = dir.file("a.PSF");
    const json saved = run({"人物模拟加点系统", "--save=" + file, "魔族=1", "盘丝洞=1", "级别=89",
                            "敏捷.+5", "角色=小蜘蛛"});
    const std::string text = readFile(file);
    EXPECT_EQ(text.size(), 2000u);
    const json loaded = run({"人物模拟加点系统", "--load=" + file});
    for (const char* field : {"门派", "体质", "敏捷", "潜力", "气血", "速度"})
        EXPECT_EQ(loaded[field], saved[field]) << field;
    // The option may also come before the page.
    const json again = run({"--load=" + file, "人物模拟加点系统", "重置点数"});
    EXPECT_EQ(again["潜力"], std::to_string(5 * 90 + 10));
    // The same line as a build code.
    const json copied = run({"人物模拟加点系统", "--load=" + file, "复制代码"});
    EXPECT_EQ(copied["剪贴板"], text);
}

TEST(SimulationCli, FileFailures) {
    const test_support::TempDir dir;
    const std::string missing = dir.file("missing.PSF");
    const json j = run({"人物模拟加点系统", "--load=" + missing});
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["where"], "box");
    EXPECT_EQ(j["messages"][0]["text"], "Open " + missing + " failed!\n");

    const std::string bad = dir.file("no/such/dir.PSF");
    auto r = runCalc({"人物模拟加点系统", "--save=" + bad});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.out.find("failed!"), std::string::npos);

    EXPECT_EQ(runCalc({"人物", "--load=" + missing}).exitCode, 2);
    EXPECT_EQ(runCalc({"人物模拟加点系统", "--load="}).exitCode, 2);

    const json damaged =
        run({"人物模拟加点系统", "--load=" KALVIX_TEST_DATA "/simulator/damaged_values.PSF"});
    EXPECT_TRUE(damaged["messages"].empty());
}

TEST(SimulationCli, PastedTextThatIsNoCode) {
    const json j = run({"人物模拟加点系统", "级别=20", "剪贴板=hello", "粘贴代码"});
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["text"], "剪贴板中的文字不是人物模拟代码！");
    EXPECT_EQ(j["潜力"], std::to_string(5 * 21 + 10));
}

TEST(MountCli, GrowthAndAttributes) {
    const json j = run({"坐骑", "成长=1.2", "体质=300", "确认"});
    EXPECT_EQ(j["结果"], "确认");
    EXPECT_EQ(j["属性加成.体质"], "12");
    const json refused = run({"坐骑", "确认"});
    ASSERT_EQ(refused["messages"].size(), 1u);
    EXPECT_EQ(refused["messages"][0]["where"], "status");
    EXPECT_EQ(refused["messages"][0]["text"], "请输入正确的成长！");
    EXPECT_EQ(refused["结果"], "");
    // The carried values are shown but cannot be chosen.
    EXPECT_EQ(runCalc({"坐骑", "好感=50"}).exitCode, 2);
}

}  // namespace
