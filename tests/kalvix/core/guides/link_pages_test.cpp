#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kalvix/core/guides/other_guides_page.h"
#include "kalvix/core/guides/query_page.h"
#include "kalvix/core/guides/raiders_page.h"
#include "kalvix/core/page/portal_hosts.h"
#include "support/page_driver.h"

namespace {

using calc_test::press;
using kalvix::MessageWhere;
using kalvix::PageContext;
using kalvix::PageModel;

// What pressing a button did: the addresses handed to the desktop, the windows opened, and
// anything else the page showed or asked for.
struct Pressed {
    std::vector<std::string> opened;
    std::vector<std::string> windows;
    std::size_t other = 0;
};

Pressed pressOn(PageModel& page, const std::string& caption) {
    Pressed p;
    page.opener = [&p](const std::string& window) { p.windows.push_back(window); };
    press(page, caption);
    for (const auto& m : page.takeMessages()) {
        if (m.where == MessageWhere::Open)
            p.opened.push_back(m.text);
        else
            ++p.other;
    }
    p.other += page.takeFieldRequests().size();
    return p;
}

struct Button {
    const char* caption;
    const char* path;    // on the portal, or null for a window
    const char* window;  // the window it opens, or null
    const char* host = kalvix::portal::kGameHost;
};

void expectButtons(PageModel& page, const std::string& prefix, const std::vector<Button>& buttons) {
    std::size_t declared = 0;
    for (const auto& c : page.controls())
        if (c.kind == kalvix::ControlKind::Button && c.caption.rfind(prefix, 0) == 0)
            ++declared;
    EXPECT_EQ(declared, buttons.size()) << page.title();
    for (const Button& b : buttons) {
        const Pressed p = pressOn(page, prefix + b.caption);
        if (b.path) {
            EXPECT_EQ(p.opened, std::vector<std::string>{std::string(b.host) + b.path})
                << b.caption;
            EXPECT_TRUE(p.windows.empty()) << b.caption;
        } else {
            EXPECT_TRUE(p.opened.empty()) << b.caption;
            EXPECT_EQ(p.windows, std::vector<std::string>{b.window}) << b.caption;
        }
        EXPECT_EQ(p.other, 0u) << b.caption;
    }
}

const std::vector<Button> kQueryButtons = {
    {"熔炼查询", "/content/2011-05-05/20110505094821199,1.shtml", nullptr},
    {"奇经八脉", "/xyq/sim/", nullptr, kalvix::portal::kSimulatorHost},
    {"法宝模拟", "/jsq/jsq11.htm", nullptr},
    {"符石模拟", nullptr, "符石模拟"},
    {"家具模拟", nullptr, "家具"},
    {"坐骑资料", "/player/newer57_1.html", nullptr},
    {"满经验级", "/player/newer18.htm", nullptr},
    {"技能花费", "/player/newer29.htm", nullptr},
    {"传说地点", "/player/newer08.htm", nullptr},
    {"转服在线查询", "/player/chaxun.html", nullptr},
    {"法宝吸收灵气场景查询", "/activity7/index,3.shtml", nullptr},
    {"捉鬼计算器", nullptr, "捉鬼计算器"},
};

const std::vector<Button> kOtherGuideButtons = {
    {"官职任务系统全攻略", "/player/newer28.htm", nullptr},
    {"开区时间查询", "/player/newer60_1.shtml", nullptr},
    {"孩子养育", "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html", nullptr,
     kalvix::portal::kForumHost},
    {"家具配方", "/player/newer16.htm", nullptr},
    {"精彩录像", "/movi/index.shtml", nullptr},
    {"牌艺攻略", "/topics/1142/200509/23/2304490,1.html", nullptr, kalvix::portal::kForumHost},
    {"跑商教程", "/player/newer14.htm", nullptr},
    {"帮派修炼", "/player/newer30.htm", nullptr},
    {"宝宝资质", "/player/newer13.htm", nullptr},
    {"裁缝炼金", "/player/newer22.htm", nullptr},
    {"强化装备", "/player/newer22_2.htm", nullptr},
    {"百环任务", "/player/newer15_2.htm", nullptr},
    {"师门攻略", "/player/newer12_3.htm", nullptr},
    {"人物属性", "/player/newer09.htm", nullptr},
    {"宝石合成", "/madown/madow17.htm", nullptr},
    {"炼妖综述", "/player/newer19.htm", nullptr},
};

TEST(LinkPages, QueryButtonsOpenExactlyTheirTargetsInOrder) {
    PageContext context;
    kalvix::QueryPage page(context);
    expectButtons(page, "", kQueryButtons);
    std::vector<std::string> order;
    for (const auto& c : page.controls())
        order.push_back(c.caption);
    ASSERT_EQ(order.size(), kQueryButtons.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i], kQueryButtons[i].caption);
}

TEST(LinkPages, OtherGuideButtonsOpenExactlyTheirAddresses) {
    PageContext context;
    kalvix::OtherGuidesPage page(context);
    expectButtons(page, "", kOtherGuideButtons);
}

TEST(LinkPages, OtherGuidesOpenFromTheGuidePageToo) {
    PageContext context;
    kalvix::RaidersPage page(context, kalvix::GuideFile("/nonexistent/xyq.ini"));
    expectButtons(page, "其他攻略.", kOtherGuideButtons);
}

}  // namespace
