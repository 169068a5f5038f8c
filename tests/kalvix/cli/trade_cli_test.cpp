#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "kalvix/build_config.h"
#include "support/calc_process.h"

namespace {

using kalvix::test::runCalc;

std::string countdown(int toPeriod, int toRefresh) {
    return "离下个时辰还有 " + std::to_string(toPeriod) + " 秒， 离下次刷价还有 " +
           std::to_string(toRefresh) + " 秒";
}

TEST(KalvixCalcTrade, ClockAlarmAndMessages) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string countdown, period, progress, arrow;
        std::vector<std::pair<std::string, std::string>> messages;
    } cases[] = {
        {"卯 at the alarm, unticked",
         {"跑商助手", "当前：=卯", "重置", "@tick=145"},
         countdown(5, 5),
         "卯",
         "145",
         "86",
         {}},
        {"卯 at the alarm, ticked",
         {"trade", "刷新主板报警=1", "当前：=卯", "重置", "@tick=145"},
         countdown(5, 5),
         "卯",
         "145",
         "86",
         {{"sound", "还有 5 秒到辰时刷价"}}},
        {"into 辰",
         {"跑商助手", "刷新主板报警=1", "当前：=卯", "重置", "@tick=151"},
         countdown(150, 600),
         "辰",
         "150",
         "109",
         {{"sound", "还有 5 秒到辰时刷价"}}},
        {"paused clocks ignore ticks",
         {"跑商助手", "当前：=#4", "重置", "@tick=1", "暂停", "@tick=500", "开始", "@tick=1"},
         countdown(148, 598),
         "辰",
         "2",
         "109",
         {}},
        {"a day of alarms",
         {"跑商助手", "刷新主板报警=1", "开始", "@tick=1812"},
         countdown(150, 600),
         "子",
         "150",
         "17",
         {{"sound", "还有 5 秒到辰时刷价"},
          {"sound", "还有 5 秒到申时刷价"},
          {"sound", "还有 5 秒到子时刷价"}}},
        {"listen and the link",
         {"跑商助手", "试听", "跑商心得(包括物产)"},
         "",
         "子",
         "0",
         "17",
         {{"sound", "试听"},
          {"open",
           std::string(kalvix::config::kPortalHost) + "/topics/1142/200609/21/2464428,1.html"}}},
    };
    for (const Case& c : cases) {
        auto r = runCalc(c.args);
        ASSERT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
        auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["倒计时"], c.countdown) << c.name;
        EXPECT_EQ(j["时辰"], c.period) << c.name;
        EXPECT_EQ(j["进度"], c.progress) << c.name;
        EXPECT_EQ(j["箭头"], c.arrow) << c.name;
        ASSERT_EQ(j["messages"].size(), c.messages.size()) << c.name;
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(j["messages"][i]["where"], c.messages[i].first) << c.name;
            EXPECT_EQ(j["messages"][i]["text"], c.messages[i].second) << c.name;
        }
    }
}

TEST(KalvixCalcTrade, RefusesDisabledButtonsAndUnknownPeriods) {
    const std::vector<std::string> refused[] = {
        {"跑商助手", "暂停"},          // the clock stands
        {"跑商助手", "开始", "开始"},  // it runs already
        {"跑商助手", "当前：=午时"},   // no such item
        {"跑商助手", "当前：=#12"},
    };
    for (const auto& args : refused) {
        auto r = runCalc(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_FALSE(r.err.empty()) << args.back();
    }
}

}  // namespace
