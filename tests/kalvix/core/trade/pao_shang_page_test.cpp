#include "kalvix/core/trade/pao_shang_page.h"

#include <gtest/gtest.h>

#include "kalvix/build_config.h"
#include "support/page_driver.h"

namespace {

using calc_test::check;
using calc_test::choose;
using calc_test::press;
using calc_test::text;
using kalvix::MessageWhere;
using kalvix::PaoShangPage;
using kalvix::PeriodClock;

void ticks(PaoShangPage& page, int n) {
    calc_test::tick(page, n);
}

std::vector<std::string> sounds(PaoShangPage& page) {
    std::vector<std::string> out;
    for (const auto& m : page.takeMessages())
        if (m.where == MessageWhere::Sound)
            out.push_back(m.text);
    return out;
}

struct Page {
    kalvix::PageContext context;
    PaoShangPage page{context};
};

std::string countdown(int toPeriod, int toRefresh) {
    return "离下个时辰还有 " + std::to_string(toPeriod) + " 秒， 离下次刷价还有 " +
           std::to_string(toRefresh) + " 秒";
}

TEST(PaoShangPage, OpensStoppedAtZi) {
    Page p;
    PaoShangPage& page = p.page;
    EXPECT_EQ(text(page, "时辰"), "子");
    EXPECT_EQ(text(page, "进度"), "0");
    EXPECT_EQ(text(page, "箭头"), "17");
    EXPECT_EQ(page.find("当前：")->selected(), 0);
    EXPECT_TRUE(page.find("开始")->isEnabled());
    EXPECT_FALSE(page.find("暂停")->isEnabled());
    EXPECT_FALSE(page.find("刷新主板报警")->checked());
    // A stopped clock ignores timer events.
    ticks(page, 10);
    EXPECT_EQ(page.clock().counter(), 0);
    EXPECT_EQ(text(page, "倒计时"), "");
    const auto items = page.find("当前：")->items();
    ASSERT_EQ(items.size(), 12u);
    const char* order[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(items[static_cast<std::size_t>(i)], order[i]);
}

// Set to a period, deliver ticks, read what the page shows.
TEST(PaoShangPage, ClockAfterTicks) {
    struct Case {
        const char* name;
        int period;
        int ticks;
        const char* shownPeriod;
        int toPeriod, toRefresh, progress, arrow;
    } cases[] = {
        {"first tick in 辰 counts to 申", 4, 1, "辰", 149, 599, 1, 109},
        {"子 counts to 辰", 0, 0, "子", 150, 600, 0, 17},
        {"卯 at the alarm", 3, 145, "卯", 5, 5, 145, 86},
        {"卯 one before the wrap", 3, 150, "卯", 0, 0, 150, 86},
        {"卯 wraps into 辰; the bar stays full", 3, 151, "辰", 150, 600, 150, 109},
        {"亥 wraps to 子 and the arrow returns", 11, 151, "子", 150, 600, 150, 17},
        {"申 counts to the next day's 子", 8, 10, "申", 140, 590, 10, 201},
        {"亥 counts to 子", 11, 3, "亥", 147, 147, 3, 270},
        {"a whole day comes round", 5, 151 * 12, "巳", 150, 450, 150, 132},
        {"thousands of ticks", 0, 151 * 12 * 100 + 151 * 3 + 7, "卯", 143, 143, 7, 86},
    };
    for (const Case& c : cases) {
        Page p;
        choose(p.page, "当前：", c.period);
        press(p.page, "重置");
        ticks(p.page, c.ticks);
        if (c.ticks > 0) {
            EXPECT_EQ(text(p.page, "倒计时"), countdown(c.toPeriod, c.toRefresh)) << c.name;
        }
        EXPECT_EQ(p.page.clock().secondsToNextPeriod(), c.toPeriod) << c.name;
        EXPECT_EQ(p.page.clock().secondsToNextRefresh(), c.toRefresh) << c.name;
        EXPECT_EQ(text(p.page, "时辰"), c.shownPeriod) << c.name;
        EXPECT_EQ(text(p.page, "进度"), std::to_string(c.progress)) << c.name;
        EXPECT_EQ(text(p.page, "箭头"), std::to_string(c.arrow)) << c.name;
    }
}

TEST(PaoShangPage, AlarmBeforeEachRefresh) {
    struct Case {
        const char* name;
        int period;
        bool alarm;
        int ticks;
        std::vector<std::string> sounds;
    } cases[] = {
        {"卯 sounds at 145", 3, true, 145, {"还有 5 秒到辰时刷价"}},
        {"卯 not yet at 144", 3, true, 144, {}},
        {"未 warns of 申", 7, true, 151, {"还有 5 秒到申时刷价"}},
        {"亥 warns of 子", 11, true, 151, {"还有 5 秒到子时刷价"}},
        {"辰 has no alarm", 4, true, 151, {}},
        {"unticked: never", 0, false, 151 * 12, {}},
        {"one day from 子: three alarms",
         0,
         true,
         151 * 12,
         {"还有 5 秒到辰时刷价", "还有 5 秒到申时刷价", "还有 5 秒到子时刷价"}},
    };
    for (const Case& c : cases) {
        Page p;
        check(p.page, "刷新主板报警", c.alarm);
        choose(p.page, "当前：", c.period);
        press(p.page, "重置");
        ticks(p.page, c.ticks);
        EXPECT_EQ(sounds(p.page), c.sounds) << c.name;
    }
}

// 刷新主板报警 lasts between starts through the context's settings; a page opened on settings
// that have it on sounds the alarm without a click.
TEST(PaoShangPage, AlarmToggleLastsThroughTheSettings) {
    kalvix::MemorySettings settings;
    {
        kalvix::PageContext context;
        context.setSettings(&settings);
        PaoShangPage page(context);
        EXPECT_FALSE(page.find("刷新主板报警")->checked());
        check(page, "刷新主板报警", true);
    }
    EXPECT_EQ(settings.text(PaoShangPage::kAlarmKey), "true");
    kalvix::PageContext context;
    context.setSettings(&settings);
    PaoShangPage page(context);
    EXPECT_TRUE(page.find("刷新主板报警")->checked());
    choose(page, "当前：", 3);
    press(page, "重置");
    ticks(page, 145);
    EXPECT_EQ(sounds(page), std::vector<std::string>{"还有 5 秒到辰时刷价"});
    check(page, "刷新主板报警", false);
    EXPECT_EQ(settings.text(PaoShangPage::kAlarmKey), "false");
    // A page of its own context (kalvix-calc) starts from the default.
    Page fresh;
    EXPECT_FALSE(fresh.page.find("刷新主板报警")->checked());
}

TEST(PaoShangPage, StartPauseAndResetKeepTheClockConsistent) {
    Page p;
    PaoShangPage& page = p.page;
    choose(page, "当前：", 4);
    EXPECT_EQ(text(page, "时辰"), "子");  // choosing alone sets nothing
    press(page, "重置");
    EXPECT_FALSE(page.find("开始")->isEnabled());
    EXPECT_TRUE(page.find("暂停")->isEnabled());
    ticks(page, 30);
    press(page, "暂停");
    press(page, "暂停");  // disabled now: refused
    EXPECT_TRUE(page.find("开始")->isEnabled());
    ticks(page, 50);
    EXPECT_EQ(page.clock().counter(), 30);
    press(page, "开始");
    press(page, "开始");
    ticks(page, 1);
    EXPECT_EQ(page.clock().counter(), 31);
    EXPECT_EQ(text(page, "倒计时"), countdown(119, 569));
    // 重置 while running starts the chosen period again.
    choose(page, "当前：", 7);
    press(page, "重置");
    EXPECT_EQ(page.clock().counter(), 0);
    EXPECT_EQ(text(page, "时辰"), "未");
    EXPECT_EQ(text(page, "箭头"), "178");
    EXPECT_TRUE(page.clock().running());
    // The bar and the label keep what the last timer event wrote.
    EXPECT_EQ(text(page, "进度"), "31");
    EXPECT_EQ(text(page, "倒计时"), countdown(119, 569));
    // 重置 while paused starts the clock too.
    press(page, "暂停");
    press(page, "重置");
    EXPECT_TRUE(page.clock().running());
    EXPECT_FALSE(page.find("开始")->isEnabled());
}

TEST(PaoShangPage, ListenLinkAndTexts) {
    Page p;
    PaoShangPage& page = p.page;
    press(page, "试听");
    press(page, "跑商心得(包括物产)");
    const auto m = page.takeMessages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].where, MessageWhere::Sound);
    EXPECT_EQ(m[0].text, "试听");
    EXPECT_EQ(m[1].where, MessageWhere::Open);
    EXPECT_EQ(m[1].text,
              std::string(kalvix::config::kPortalHost) + "/topics/1142/200609/21/2464428,1.html");
    EXPECT_EQ(PaoShangPage::periodLabel(0), "| 子");
    EXPECT_EQ(PaoShangPage::periodLabel(11), "| 亥");
    EXPECT_EQ(text(page, "跑商说明").rfind("跑商说明：\r\n1、当游戏画面上", 0), 0u);
    const std::string guide = PaoShangPage::guideText();
    EXPECT_NE(guide.find("武器4000以下\r\n地府商品"), std::string::npos);
    EXPECT_NE(guide.find("1800以下\r\n\r\n特产价格↓\r\n\r\n长安特产"), std::string::npos);
    const std::string last =
        "80级以上商人，初始金额 42000，150000交票，得经验110500，帮贡40。\r\n"
        "(注：经验和帮贡 以帮派资金短缺时为准)";
    EXPECT_EQ(guide.substr(guide.size() - last.size()), last);
    std::size_t lines = 1;
    for (std::size_t at = guide.find("\r\n"); at != std::string::npos;
         at = guide.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 24u);
}

}  // namespace
