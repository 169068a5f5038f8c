#include "kalvix/core/guides/raiders_page.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "kalvix/core/guides/furniture_recipe_page.h"
#include "kalvix/core/guides/guide_text_page.h"
#include "support/page_driver.h"

namespace {

using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using kalvix::GuideFile;
using kalvix::PageContext;
using kalvix::RaidersPage;

GuideFile fixture() {
    return GuideFile(std::string(KALVIX_TEST_DATA) + "/guides/xyq.ini");
}

int position(const std::vector<std::string>& items, const std::string& item) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == item)
            return static_cast<int>(i);
    ADD_FAILURE() << "no item " << item;
    return -1;
}

TEST(RaidersPage, SubTabsInOrderFirstShown) {
    PageContext context;
    RaidersPage page(context, fixture());
    EXPECT_EQ(page.tabCaptions(),
              (std::vector<std::string>{"剧情攻略", "副本攻略", "家具配方", "帮派修炼",
                                        "老朋友回流计算", "其他攻略"}));
    EXPECT_EQ(page.current(), 0);
    EXPECT_TRUE(messages(page).empty());
}

TEST(RaidersPage, GuideListsOpenOnThePromptWithAnEmptyText) {
    PageContext context;
    RaidersPage page(context, fixture());
    const auto story = page.find("剧情攻略.剧情任务")->items();
    EXPECT_EQ(story.size(), 21u);
    EXPECT_EQ(story.front(), "请选择剧情任务");
    EXPECT_EQ(story.back(), "宝象国");
    const auto dungeon = page.find("副本攻略.副本任务")->items();
    EXPECT_EQ(dungeon.size(), 19u);
    EXPECT_EQ(dungeon.front(), "请选择副本任务");
    EXPECT_EQ(dungeon[16], "Tarvel副本攻略");
    EXPECT_EQ(page.find("剧情攻略.剧情任务")->selected(), 0);
    EXPECT_EQ(text(page, "剧情攻略.攻略"), "");
    EXPECT_EQ(text(page, "副本攻略.攻略"), "");
    // The list has the focus on its own page.
    EXPECT_EQ(page.subPage(RaidersPage::Story).focus(), "剧情任务");
}

TEST(RaidersPage, ChoosingAnEntryShowsItsGuide) {
    PageContext context;
    RaidersPage page(context, fixture());
    const auto items = kalvix::GuideTextPage::entries(kalvix::GuideTextPage::Story);
    choose(page, "剧情攻略.剧情任务", position(items, "商人的鬼魂"));
    EXPECT_EQ(text(page, "剧情攻略.攻略"), "第一行\r\n第二行");
    choose(page, "剧情攻略.剧情任务", position(items, "三打白骨精"));  // not in the file
    EXPECT_EQ(text(page, "剧情攻略.攻略"), "");
    choose(page, "剧情攻略.剧情任务", 0);  // the prompt is looked up like any entry
    EXPECT_EQ(text(page, "剧情攻略.攻略"), "提示项也有文字");
    choose(page, "副本攻略.副本任务", 16);
    EXPECT_EQ(text(page, "副本攻略.攻略"), "大小写不同的键");
    EXPECT_EQ(text(page, "剧情攻略.攻略"), "提示项也有文字");
}

TEST(RaidersPage, WithoutTheFileEveryChoiceEmptiesTheText) {
    PageContext context;
    RaidersPage page(context, GuideFile("/nonexistent/xyq.ini"));
    for (const char* list : {"剧情攻略.剧情任务", "副本攻略.副本任务"}) {
        const auto n = static_cast<int>(page.find(list)->items().size());
        for (int i = 0; i < n; ++i) {
            choose(page, list, i);
            EXPECT_EQ(text(page, std::string(list).substr(0, 12) + ".攻略"), "") << list << i;
        }
    }
    EXPECT_TRUE(messages(page).empty());
}

TEST(RaidersPage, SwitchingSubTabsKeepsEverySubPage) {
    PageContext context;
    RaidersPage page(context, fixture());
    choose(page, "剧情攻略.剧情任务", 1);
    type(page, "老朋友回流计算.被绑定人.人物等级", "60");
    press(page, "老朋友回流计算.被绑定人.计算");
    choose(page, "子页", RaidersPage::JuntoPractice);
    EXPECT_EQ(page.current(), RaidersPage::JuntoPractice);
    choose(page, "子页", RaidersPage::Story);
    EXPECT_EQ(page.find("剧情攻略.剧情任务")->selected(), 1);
    EXPECT_EQ(text(page, "剧情攻略.攻略"), "第一行\r\n第二行");
    EXPECT_EQ(text(page, "老朋友回流计算.被绑定人.经验"), "410000");
    choose(page, "子页", 6);  // no such tab
    EXPECT_EQ(page.current(), RaidersPage::Story);
}

TEST(RaidersPage, SubPageMessagesAreThePages) {
    PageContext context;
    RaidersPage page(context, fixture());
    type(page, "老朋友回流计算.绑定人.人物等级", "59");
    press(page, "老朋友回流计算.绑定人.计算");
    EXPECT_EQ(messages(page), (std::vector<std::string>{"box:最小等级为60", "box:最小等级为60"}));
    type(page, "老朋友回流计算.绑定人.人物等级", "abc");
    press(page, "老朋友回流计算.绑定人.计算");
    const auto shown = page.takeMessages();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().text, "请输入一个整数。");
    // The refused field is named as the guide page knows it, so the window can focus it.
    EXPECT_EQ(shown.front().field, "老朋友回流计算.绑定人.人物等级");
}

TEST(RaidersPage, GuildTableIsASubPage) {
    PageContext context;
    RaidersPage page(context, fixture());
    const auto rows = page.find("帮派修炼.列表")->rows();
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows[24],
              (std::vector<std::string>{"25", "7110", "1422W", "13550W", "2133W", "20325W"}));
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", pos);
        out.push_back(text.substr(pos, end == std::string::npos ? end : end - pos));
        if (end == std::string::npos)
            return out;
        pos = end + 2;
    }
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, '\t'))
        if (!f.empty())
            out.push_back(f);
    return out;
}

TEST(FurnitureRecipePage, FortyTwoLinesOfRecipes) {
    PageContext context;
    RaidersPage page(context, fixture());
    const std::string recipe = text(page, "家具配方.配方");
    EXPECT_EQ(recipe, kalvix::FurnitureRecipePage::recipeText());
    const auto l = lines(recipe);
    ASSERT_EQ(l.size(), 42u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(fields(l[1]), (std::vector<std::string>{"家具名称", "配方", "等级"}));
    EXPECT_EQ(l[2], "一级家具配方");
    EXPECT_EQ(fields(l[3]), (std::vector<std::string>{"黑麻垂曼帘", "普通木材类", "普通布料类",
                                                      "印染工艺", "10级"}));
    EXPECT_EQ(fields(l[4]),
              (std::vector<std::string>{"桦木圆桌", "普通木材类", "普通手艺", "10级"}));
    EXPECT_EQ(fields(l[18]), (std::vector<std::string>{"漆花地板", "普通木材类", "印花工艺",
                                                       "闲杂材料一", "45级"}));
    EXPECT_EQ(l[19], "二级家具配方");
    EXPECT_EQ(fields(l[25]), (std::vector<std::string>{"彩绘立柜", "珍稀木材类", "绘画工艺",
                                                       "通手艺", "闲杂材料三", "60级"}));
    EXPECT_EQ(fields(l[41]), (std::vector<std::string>{"桦木地板", "普通木材类", "灵巧手艺",
                                                       "闲杂材料二", "100级"}));
    // Every recipe line: a name, two to four ingredients, a level.
    for (std::size_t i = 3; i < l.size(); ++i) {
        if (i == 19)
            continue;
        const auto f = fields(l[i]);
        EXPECT_GE(f.size(), 4u) << i;
        EXPECT_LE(f.size(), 6u) << i;
        EXPECT_EQ(f.back().substr(f.back().size() - 3), "级") << i;
    }
}

}  // namespace
