#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/page_context.h"
#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;

TEST(KalvixCalc, CharacterPageAgreesWithTheModel) {
    auto r = runCalc({"人物", "当前等级=60", "目标等级=80", "当前经验=1000"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    kalvix::PageContext context;
    kalvix::CharacterPage page(context);
    page.chooseLevel(60);
    page.chooseTarget(20);
    page.editExperience("1000");
    EXPECT_EQ(j["所需经验"], std::to_string(page.neededExp()));
    EXPECT_EQ(j["所需经验"], "34364505");
    EXPECT_EQ(j["携带金钱上限"], "7210000");
    EXPECT_EQ(j["在家训l练召唤兽等级"], "召唤兽最少需要 13 级");
    EXPECT_EQ(j["可升级到"], "60");
    EXPECT_EQ(j["剩余经验"], "1000");
    EXPECT_TRUE(j["messages"].empty());
}

TEST(KalvixCalc, MessagesAndPositions) {
    auto r = runCalc({"character", "当前等级=#100", "当前经验=abc"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["where"], "box");
    EXPECT_EQ(j["messages"][0]["text"], "请输入一个整数。");
    EXPECT_EQ(j["可升级到"], "100");
    EXPECT_EQ(j["每天离线经验"], "500000");
}

TEST(KalvixCalc, RefusesWhatAUserCannotDo) {
    struct Case {
        std::vector<std::string> args;
    } cases[] = {
        {{"不存在的页"}},
        {{"人物", "当前等级=176"}},  // no such item
        {{"人物", "目标等级=#200"}},
        {{"人物", "家具"}},              // hidden button
        {{"人物", "等级-->经验.计算"}},  // hidden button
        {{"人物", "所需经验=5"}},        // a result, not an input
        {{"人物", "nonsense"}},
        {{"catalogue", "no-such-table"}},
        {{"--time=abc", "人物"}},
    };
    for (const Case& c : cases) {
        auto r = runCalc(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.back();
        EXPECT_TRUE(r.out.empty()) << c.args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(KalvixCalc, CatalogueTablesListEverySlot) {
    auto r = runCalc({"catalogue", "enumerations"});
    ASSERT_EQ(r.exitCode, 0);
    auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j.size(), 256u);
    EXPECT_EQ(j[41]["chinese"], "普陀寺");
    EXPECT_EQ(j[41]["english"], "PTS");
    EXPECT_EQ(j[200]["category"], 0);
    auto x = nlohmann::json::parse(runCalc({"catalogue", "character-exp"}).out);
    ASSERT_EQ(x.size(), 176u);
    EXPECT_EQ(x[175]["experience"], 9208635591LL);
    auto names = nlohmann::json::parse(runCalc({"catalogue"}).out);
    for (const char* t : {"enumerations", "character-exp", "school-skill-cost", "guild-aux-cost",
                          "npc-aux-cost", "pet-exp"})
        EXPECT_NE(std::find(names.begin(), names.end(), t), names.end()) << t;
    EXPECT_EQ(nlohmann::json::parse(runCalc({"catalogue", "npc-aux-cost"}).out)[40]["popularity"],
              188);
    EXPECT_EQ(nlohmann::json::parse(runCalc({"catalogue", "pet-exp"}).out).size(), 181u);
    EXPECT_EQ(nlohmann::json::parse(runCalc({"catalogue", "guild-aux-cost"}).out).size(), 161u);
}

}  // namespace
