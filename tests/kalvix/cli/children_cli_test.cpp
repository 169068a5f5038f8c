#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "kalvix/core/page/portal_hosts.h"
#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;

TEST(KalvixCalcChildren, PredictionRowsGiveMinAndMax) {
    auto r =
        runCalc({"孩子", "武学悟性=150", "法术悟性=50", "心态悟性=60", "体质悟性=80", "计算 ==>"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["速度资质.min"], "1450");
    EXPECT_EQ(j["速度资质.max"], "1490");
    EXPECT_EQ(j["躲闪资质.min"], "1370");
    EXPECT_EQ(j["躲闪资质.max"], "1530");
    EXPECT_EQ(j["防御资质.min"], "1278");
    EXPECT_EQ(j["防御资质.max"], "1330");
    EXPECT_EQ(j["成长资质.min"], "1.21667");
    EXPECT_EQ(j["成长资质.max"], "1.22777");
    EXPECT_EQ(j["攻击资质.max"], "1590");  // 150 was kept at 100
    EXPECT_TRUE(j["messages"].empty());
}

TEST(KalvixCalcChildren, ItemEffectAndMessages) {
    auto r = runCalc({"children", "孩子总属性=51", "当前物品=竹马"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["当前物品.效果"], "3");
    EXPECT_EQ(j["实际使用效果"], "+1");

    r = runCalc({"孩子", "孩子总属性=", "当前物品=#20", "武学悟性=abc"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["messages"].size(), 2u);
    EXPECT_EQ(j["messages"][0]["where"], "box");
    EXPECT_EQ(j["messages"][0]["text"], "请输入当前孩子总属性");
    EXPECT_EQ(j["messages"][1]["text"], "请输入一个整数。");  // 武学悟性; reading stops there
    EXPECT_EQ(j["当前物品.效果"], "");
    EXPECT_EQ(j["实际使用效果"], "");
}

TEST(KalvixCalcChildren, LinksPrintTheirAddresses) {
    auto r = runCalc({"孩子", "孩子养育计划", "孩子养育手册", "门派孩子养成法"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    const std::string host = kalvix::portal::kForumHost;
    ASSERT_EQ(j["messages"].size(), 3u);
    for (const auto& m : j["messages"])
        EXPECT_EQ(m["where"], "open");
    EXPECT_EQ(j["messages"][0]["text"], host + "/thread/58/128/20081204/4b4f40ff0fb1d9646-1.html");
    EXPECT_EQ(j["messages"][1]["text"], host + "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html");
    EXPECT_EQ(j["messages"][2]["text"], host + "/thread/58/128/20101123/4ceb3970714157a13-1.html");
}

TEST(KalvixCalcFurniture, RecipeBothWays) {
    auto r = runCalc({"家具", "家具类别=床", "家具=榛木床"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["材料1"], "普通木材类");
    EXPECT_EQ(j["材料2"], "普通木材类");
    EXPECT_EQ(j["材料3"], "普通木材类");
    EXPECT_EQ(j["材料4"], "无");
    EXPECT_EQ(j["图片"], "5551");

    r = runCalc({"家具", "家具类别=地板", "材料3=普通手艺", "材料1=普通木材类"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["家具类别"], "所有");
    EXPECT_EQ(j["家具"], "桦木圆桌");
    EXPECT_NE(j["家具.提示"].get<std::string>().find("【等级】一级"), std::string::npos);

    r = runCalc({"家具", "家具类别=地板", "材料1=宝石类"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["家具类别"], "地板");
    EXPECT_EQ(j["家具"], " ");
    EXPECT_EQ(j["图片"], "5999");
    EXPECT_EQ(j["家具.提示"], "");
}

}  // namespace
