#include "kalvix/core/simulator/furniture_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/furniture_tips.h"
#include "support/page_driver.h"

namespace {

using calc_test::choose;
using calc_test::text;
using kalvix::FurniturePage;

using Materials = std::array<std::int32_t, 4>;

struct FurniturePageTest : ::testing::Test {
    kalvix::PageContext context{kalvix::Catalogue::instance()};
    FurniturePage page{context};

    std::string chosen() {
        const auto items = page.find("家具")->items();
        return items.at(static_cast<std::size_t>(page.find("家具")->selected()));
    }
    void chooseItem(std::int32_t id) {
        const auto& keys = page.keys();
        const auto it = std::find(keys.begin(), keys.end(), id);
        ASSERT_NE(it, keys.end()) << id;
        choose(page, "家具", static_cast<int>(it - keys.begin()));
    }
    void setMaterials(const Materials& m) {
        for (int i = 0; i < 4; ++i)
            if (page.materials()[i] != m[i])
                choose(page, FurniturePage::materialCaption(i), m[i]);
    }
};

TEST_F(FurniturePageTest, Opening) {
    const auto kinds = page.find("家具类别")->items();
    const std::vector<std::string> expected = {"所有", "窗帘", "桌子", "柜子", "地毯", "椅凳",
                                               "床",   "屏风", "杂物", "壁画", "地板"};
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(page.find("家具类别")->selected(), 0);
    ASSERT_EQ(page.keys().size(), 83u);
    EXPECT_EQ(page.keys()[0], 0);
    EXPECT_EQ(chosen(), " ");
    EXPECT_EQ(page.find("家具")->items()[1], "黑麻垂曼帘");
    EXPECT_EQ(page.find("家具")->items()[82], "海之蔚蓝石砖");
    for (int m = 0; m < 4; ++m) {
        const auto names = page.find(FurniturePage::materialCaption(m))->items();
        ASSERT_EQ(names.size(), 19u);
        EXPECT_EQ(names[0], "无");
        EXPECT_EQ(names[18], "贵重金属类");
        EXPECT_EQ(page.find(FurniturePage::materialCaption(m))->selected(), 0);
    }
    EXPECT_EQ(page.picture(), 5999);
    EXPECT_EQ(page.itemTip(), "");
}

TEST_F(FurniturePageTest, KindsFilterTheList) {
    struct Case {
        int kind;
        std::size_t items;  // blank included
        const char* first;
    } cases[] = {{1, 7, "黑麻垂曼帘"},
                 {6, 8, "榛木床"},
                 {8, 19, "文竹"},
                 {10, 5, "漆花地板"},
                 {0, 83, "黑麻垂曼帘"}};
    for (const Case& c : cases) {
        chooseItem(page.keys().back());  // an item is shown before the kind changes
        choose(page, "家具类别", c.kind);
        const auto items = page.find("家具")->items();
        ASSERT_EQ(items.size(), c.items) << c.kind;
        EXPECT_EQ(items[0], " ");
        EXPECT_EQ(items[1], c.first);
        EXPECT_EQ(chosen(), " ") << c.kind;
    }
}

TEST_F(FurniturePageTest, ChoosingAnItemShowsItsRecipe) {
    struct Case {
        std::int32_t id;
        Materials materials;
    } cases[] = {
        {5551, {1, 1, 1, 0}},    // 榛木床
        {5502, {2, 16, 17, 4}},  // 白鹤展翅帘, in recipe order
        {5504, {0, 0, 0, 0}},    // 黄缎锦边帘 has no recipe
        {5521, {1, 1, 9, 0}},    // 桦木立柜
        {15596, {0, 0, 0, 0}},   // 海之蔚蓝石砖, the last row
    };
    for (const Case& c : cases) {
        setMaterials({8, 8, 8, 8});  // whatever was set before is replaced
        chooseItem(c.id);
        EXPECT_EQ(page.materials(), c.materials) << c.id;
        EXPECT_EQ(page.picture(), c.id);
        EXPECT_EQ(text(page, "图片"), std::to_string(c.id));
    }
    // Choosing the blank item clears the materials and shows the blank picture.
    chooseItem(5551);
    choose(page, "家具", 0);
    EXPECT_EQ(page.materials(), (Materials{0, 0, 0, 0}));
    EXPECT_EQ(page.picture(), 5999);
    EXPECT_EQ(page.itemTip(), "");
}

TEST_F(FurniturePageTest, MaterialsFindTheirItem) {
    // Materials are set one list after the other, 材料1 first, starting from the kind 床: a
    // match switches to 所有 (an earlier step may have matched already), a miss keeps the kind.
    struct Case {
        Materials materials;
        std::int32_t id;  // 0: no match
        int kind;
    } cases[] = {
        {{1, 1, 1, 0}, 5551, 0}, {{0, 1, 1, 1}, 5551, 0},
        {{1, 0, 1, 1}, 5551, 0}, {{1, 9, 0, 0}, 5511, 0},
        {{0, 0, 9, 1}, 5511, 0}, {{9, 0, 1, 0}, 5511, 0},
        {{9, 1, 1, 0}, 5521, 0}, {{4, 17, 16, 2}, 5502, 0},
        {{1, 9, 9, 0}, 0, 0},  // each given index pairs once: not 5521
        {{1, 1, 1, 1}, 0, 0},    {{18, 18, 18, 18}, 0, 6},
    };
    for (const Case& c : cases) {
        FurniturePage p(context);
        choose(p, "家具类别", 6);
        for (int i = 0; i < 4; ++i)
            if (c.materials[i] != 0)
                choose(p, FurniturePage::materialCaption(i), c.materials[i]);
        const std::string name =
            std::to_string(c.materials[0]) + "," + std::to_string(c.materials[1]) + "," +
            std::to_string(c.materials[2]) + "," + std::to_string(c.materials[3]);
        EXPECT_EQ(p.chosenId(), c.id) << name;
        EXPECT_EQ(p.materials(), c.materials) << name;  // the materials stay as set
        EXPECT_EQ(p.picture(), c.id ? c.id : 5999) << name;
        EXPECT_EQ(p.find("家具类别")->selected(), c.kind) << name;
        EXPECT_EQ(p.itemTip().empty(), c.id == 0) << name;
    }
}

TEST_F(FurniturePageTest, AMatchThatIsLostShowsTheBlankItem) {
    setMaterials({1, 9, 0, 0});
    EXPECT_EQ(page.chosenId(), 5511);
    choose(page, "材料4", 7);
    EXPECT_EQ(page.chosenId(), 0);
    EXPECT_EQ(page.picture(), 5999);
    EXPECT_EQ(page.itemTip(), "");
    // Back to all four 无: nothing matches.
    setMaterials({0, 0, 0, 0});
    EXPECT_EQ(page.chosenId(), 0);
}

TEST_F(FurniturePageTest, ItemTip) {
    chooseItem(5505);
    EXPECT_EQ(page.itemTip(),
              "<table><tr><td valign=vcenter><icon idres=5505></td><td><h2>红杏闹春帘</h2><br>"
              "<hr color=green><br><font color=orange>上好苏绣制成的窗帘，质地精良，高雅名贵，尽"
              "<br>显无限春意，天下家具五珍之一</font><br><font color=blue>【类型】窗帘<br>"
              "【等级】四级</font></td></tr></table>");
    EXPECT_EQ(text(page, "家具.提示"), page.itemTip());
    const std::pair<std::int32_t, const char*> grades[] = {{5501, "【等级】一级"},
                                                           {5597, "【等级】二级"},
                                                           {5554, "【等级】三级"},
                                                           {15596, "【类型】地板"}};
    for (const auto& [id, part] : grades) {
        chooseItem(id);
        EXPECT_NE(page.itemTip().find(part), std::string::npos) << id;
    }
}

TEST(FurnitureTips, HouseRules) {
    const std::string& t = kalvix::houseRulesTip();
    EXPECT_EQ(t.rfind("<h3><font color=blue>房屋按照不同等级，可放置的家具数量也不同：</font></h3>"
                      "<br><br><table cellspacing=1 cellPadding=1 width=460 align=center "
                      "bgColor=#ffcc33 border=0>",
                      0),
              0u);
    // Header, then three rows of eleven cells.
    std::size_t rows = 0, pos = 0;
    while ((pos = t.find("<tr height=20>", pos)) != std::string::npos)
        ++rows, ++pos;
    EXPECT_EQ(rows, 4u);
    EXPECT_NE(t.find("<td bgColor=#99ccff><div align=center>豪宅</div></td><td bgColor=#ffffff>"
                     "<div align=center>6</div></td><td bgColor=#ffffff><div align=center>4</div>"),
              std::string::npos);
    EXPECT_NE(t.find("<div align=center>床</div></td><td bgColor=#99ccff><div align=center>屏风"),
              std::string::npos);
}

}  // namespace
