#include "kalvix/core/simulator/rune_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/catalogue.h"
#include "support/page_driver.h"

namespace kalvix {
namespace {

using calc_test::choose;
using calc_test::press;
using calc_test::text;

const Catalogue& cat() {
    return Catalogue::instance();
}

std::vector<std::string> items(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    return c && c->items ? c->items() : std::vector<std::string>{};
}

std::string selectedText(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    if (!c || !c->selected)
        return "?";
    const auto list = items(page, caption);
    const int sel = c->selected();
    return sel >= 0 && sel < static_cast<int>(list.size()) ? list[sel] : "";
}

bool listed(const PageModel& page, const std::string& caption, const std::string& item) {
    const auto list = items(page, caption);
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Chooses the item with this text, as a user picking it from the list.
void pick(PageModel& page, const std::string& caption, const std::string& item) {
    const auto list = items(page, caption);
    auto it = std::find(list.begin(), list.end(), item);
    ASSERT_NE(it, list.end()) << caption << " has no " << item;
    choose(page, caption, static_cast<int>(it - list.begin()));
}

std::string row(int r, const char* role) {
    return "符石" + std::to_string(r) + "." + role;
}

std::int32_t stoneId(const std::string& name) {
    for (const RuneStone& s : cat().runeStones)
        if (s.name == name)
            return s.id;
    return -1;
}

std::int32_t comboId(const std::string& name) {
    for (const RuneCombination& c : cat().runeCombinations)
        if (c.name == name && c.levelMask != 0)
            return c.id;
    return -1;
}

struct Fixture {
    PageContext context;
    RuneSetting last;
    RunePage page{context, &last};
};

TEST(RunePage, StartUp) {
    Fixture f;
    RunePage& p = f.page;
    EXPECT_FALSE(p.editorMode());
    EXPECT_EQ(selectedText(p, "装备位置"), "不限");
    EXPECT_EQ(selectedText(p, "开运孔数"), "5");
    EXPECT_EQ(selectedText(p, "门派"), "不限");
    EXPECT_EQ(selectedText(p, "组合技能"), "无");
    EXPECT_EQ(items(p, "门派").size(), 13u);
    EXPECT_EQ(items(p, "门派")[8], "仙族-普陀山");
    for (int r = 0; r < RunePage::kRows; ++r) {
        EXPECT_TRUE(p.rowEnabled(r));
        EXPECT_EQ(p.rowColour(r), -1);
        EXPECT_TRUE(items(p, row(r + 1, "符石")).empty());
        EXPECT_EQ(p.iconId(r), kEmptyHoleIcon);
        EXPECT_EQ(p.tip(row(r + 1, "图标")), "未镶嵌");
    }
    EXPECT_EQ(p.tip("开运孔数"), RunePage::kHoleCostTip);
    EXPECT_FALSE(p.find("组合技能等级")->isEnabled());
    EXPECT_FALSE(p.find("符石1.等级")->isEnabled());
}

TEST(RunePage, CombinationListFollowsHoleCountSlotAndSchool) {
    struct Case {
        const char* holes;
        const char* slot;
        const char* school;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    } cases[] = {
        {"0", "不限", "不限", {"无"}, {"无懈可击", "真元护体"}},
        {"1", "不限", "不限", {"无"}, {"无懈可击"}},
        {"2", "不限", "不限", {"无懈可击", "真元护体", "望穿秋水"}, {"飞檐走壁", "降妖伏魔"}},
        {"3", "不限", "不限", {"飞檐走壁", "破浪诀符石", "为官之道符石"}, {"暗渡陈仓"}},
        {"5", "不限", "不限", {"暗渡陈仓", "为官之道符石", "石破天惊"}, {}},
        {"5", "武器", "不限", {"神兵鉴赏符石", "风卷残云"}, {"为官之道符石", "百无禁忌"}},
        {"5", "靴", "不限", {"百无禁忌", "疾风步符石"}, {"神兵鉴赏符石"}},
        {"5",
         "武器",
         "仙族-龙宫",
         {"破浪诀符石", "龙附符石", "真元护体"},
         {"神兵鉴赏符石", "为官之道符石", "石破天惊"}},
        {"5", "不限", "人族-方寸山", {"石破天惊", "黄庭经符石"}, {"凤舞九天", "龙附符石"}},
    };
    for (const Case& c : cases) {
        Fixture f;
        pick(f.page, "装备位置", c.slot);
        pick(f.page, "门派", c.school);
        pick(f.page, "开运孔数", c.holes);
        const std::string what = std::string(c.holes) + "/" + c.slot + "/" + c.school + ": ";
        EXPECT_EQ(items(f.page, "组合技能").front(), "无") << what;
        for (const char* name : c.present)
            EXPECT_TRUE(listed(f.page, "组合技能", name)) << what << name;
        for (const char* name : c.absent)
            EXPECT_FALSE(listed(f.page, "组合技能", name)) << what << name;
    }
}

TEST(RunePage, HoleCountEnablesRowsAndKeepsTheirSelections) {
    Fixture f;
    RunePage& p = f.page;
    pick(p, "组合技能", "风卷残云");
    pick(p, "符石4.符石", "醉魂符石");
    pick(p, "开运孔数", "3");
    for (int r = 0; r < RunePage::kRows; ++r)
        EXPECT_EQ(p.rowEnabled(r), r < 3) << r;
    EXPECT_FALSE(p.find("符石4.颜色")->isEnabled());
    EXPECT_FALSE(p.find("符石4.符石")->isEnabled());
    EXPECT_FALSE(p.find("符石4.效果")->isEnabled());
    EXPECT_FALSE(p.find("符石4")->isEnabled());
    EXPECT_EQ(selectedText(p, "组合技能"), "风卷残云");
    EXPECT_EQ(p.rowColour(3), kWhite);
    EXPECT_EQ(selectedText(p, "符石4.符石"), "醉魂符石");
    EXPECT_EQ(p.rowColour(4), kBlue);
    pick(p, "符石4.符石", "玄羽符石");  // refused: the row is disabled
    EXPECT_EQ(selectedText(p, "符石4.符石"), "醉魂符石");
    // 风卷残云 has no level that fits one hole: the list falls back to nothing chosen.
    pick(p, "开运孔数", "1");
    EXPECT_EQ(items(p, "组合技能"), std::vector<std::string>{"无"});
    EXPECT_EQ(p.combinationKey(), -1);
    EXPECT_EQ(p.rowColour(0), -1);
    // 装备位置 keeps the hole count.
    pick(p, "装备位置", "项链");
    EXPECT_EQ(selectedText(p, "开运孔数"), "1");
}

TEST(RunePage, ColourMatching) {
    struct Case {
        const char* holes;
        std::vector<const char*> colours;
        const char* selected;
    } cases[] = {
        {"5", {"蓝", "白"}, "望穿秋水"},
        {"5", {"蓝", "白", "黑"}, "降妖伏魔"},
        {"5", {"红", "蓝"}, "真元护体"},
        {"5", {"红", "蓝", "黑"}, "为官之道符石"},
        {"5", {"黄", "白"}, "无"},
        {"5", {"黄", "白", "紫"}, "飞檐走壁"},
        {"1", {"蓝"}, "无"},
        {"2", {"蓝", "白"}, "望穿秋水"},
    };
    for (const Case& c : cases) {
        Fixture f;
        pick(f.page, "开运孔数", c.holes);
        for (std::size_t i = 0; i < c.colours.size(); ++i)
            pick(f.page, row(static_cast<int>(i) + 1, "颜色"), c.colours[i]);
        EXPECT_EQ(selectedText(f.page, "组合技能"), c.selected) << c.colours.size();
    }
    // A match outside the filtered list leaves 组合技能 without a selection.
    Fixture f;
    pick(f.page, "装备位置", "武器");
    pick(f.page, "符石1.颜色", "红");
    pick(f.page, "符石2.颜色", "蓝");
    EXPECT_EQ(selectedText(f.page, "组合技能"), "真元护体");
    pick(f.page, "符石3.颜色", "黑");  // 为官之道符石 is a helmet's
    EXPECT_EQ(selectedText(f.page, "组合技能"), "");
    EXPECT_EQ(f.page.combinationKey(), -1);
    EXPECT_EQ(text(f.page, "符石效果"), "");
}

TEST(RunePage, RowsBeyondTheHoleCountNeverMatch) {
    // Colours beyond the hole count come from a preset whose stones sit in deeper holes.
    Fixture f;
    RuneSetting s;
    s.holeCount = 2;
    s.stoneIds = {stoneId("金光符石"), stoneId("醉魂符石"), stoneId("地炎符石"), -1, -1};
    f.page.SetPreset(-1, -1, s);
    EXPECT_EQ(f.page.rowColour(2), kBlack);
    pick(f.page, "符石2.颜色", "红");
    EXPECT_EQ(selectedText(f.page, "组合技能"), "无懈可击");
    pick(f.page, "符石2.颜色", "白");
    EXPECT_EQ(selectedText(f.page, "组合技能"), "望穿秋水");
}

TEST(RunePage, ChoosingACombinationColoursTheRows) {
    Fixture f;
    RunePage& p = f.page;
    pick(p, "组合技能", "风卷残云");
    const int colours[5] = {kRed, kYellow, kBlack, kWhite, kBlue};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(p.rowColour(r), colours[r]) << r;
        EXPECT_EQ(p.rowStoneKey(r), -1);
        const auto stones = items(p, row(r + 1, "符石"));
        ASSERT_FALSE(stones.empty());
        for (const auto& name : stones)
            EXPECT_EQ(cat().runeStones[cat().FindRuneStone(stoneId(name))].colour, colours[r]);
    }
    EXPECT_EQ(items(p, "符石1.符石").size(), 6u);
    EXPECT_EQ(selectedText(p, "组合技能等级"), "");
    EXPECT_EQ(text(p, "符石效果"), "击倒鬼魂目标时有x%几率打飞出场");
    pick(p, "符石1.符石", "冰符石");
    pick(p, "符石2.符石", "风符石");
    EXPECT_EQ(selectedText(p, "组合技能等级"), "1级");
    pick(p, "符石3.符石", "地炎符石");
    EXPECT_EQ(selectedText(p, "组合技能等级"), "2级");
    EXPECT_EQ(text(p, "符石效果"), "击倒鬼魂目标时有10%几率打飞出场");
    EXPECT_NE(p.tip("组合技能")
                  .find("技能等级：2级<br>技能效果：击倒鬼魂目标时有10%几率打飞出场"
                        "<br>门派限制：无<br>触发位置：不限"),
              std::string::npos);
    EXPECT_EQ(p.tip("组合技能"), p.tip("符石效果"));

    pick(p, "组合技能", "无");
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(p.rowColour(r), -1);
        EXPECT_EQ(p.rowStoneKey(r), -1);
        EXPECT_TRUE(items(p, row(r + 1, "符石")).empty());
        EXPECT_EQ(p.iconId(r), kEmptyHoleIcon);
    }
    EXPECT_EQ(text(p, "符石效果"), "");
    EXPECT_EQ(p.tip("组合技能"), "");
    EXPECT_EQ(selectedText(p, "组合技能等级"), "");
}

TEST(RunePage, LevelNeedsFilledRowsFromTheFirst) {
    Fixture f;
    RunePage& p = f.page;
    pick(p, "组合技能", "真元护体");
    pick(p, "符石2.符石", "金光符石");
    EXPECT_EQ(selectedText(p, "组合技能等级"), "");
    EXPECT_EQ(text(p, "符石效果"), "增加x点暗器防御能力");
    EXPECT_NE(p.tip("组合技能").find("技能等级：-1级"), std::string::npos);
    // A real multi-line effect keeps its line breaks as line feeds.
    pick(p, "组合技能", "柳暗花明");
    pick(p, "符石1.符石", "冰符石");
    pick(p, "符石2.符石", "飘渺符石");
    EXPECT_EQ(text(p, "符石效果"), "中毒时降低10%的气血及魔法损失\n(该组合全身只有一件装备起效)");
    EXPECT_NE(p.tip("符石效果").find("损失<br>(该组合"), std::string::npos);
}

TEST(RunePage, StoneDisplay) {
    Fixture f;
    RunePage& p = f.page;
    pick(p, "符石1.颜色", "蓝");
    pick(p, "符石1.符石", "乾坤符石");
    EXPECT_EQ(selectedText(p, "符石1.等级"), "3级");
    EXPECT_EQ(text(p, "符石1.效果"), "耐力 +1.0,气血 +10.0");
    EXPECT_EQ(p.iconId(0), 10312);
    const std::string tip =
        "<table><tr><td valign=vcenter><icon idres=10312 width=48 height=48></td><td><center>"
        "<h2>【乾坤符石】</h2><br><hr color=blue></center><br><font color=orange>耐力 +1.0,"
        "气血 +10.0</font></td></tr><tr><td colspan=2><b><font color=green>激活符石消耗</font>"
        "</b><br>经验：250000<br>体力：25</td></tr></table>";
    EXPECT_EQ(p.tip("符石1.符石"), tip);
    EXPECT_EQ(p.tip("符石1.效果"), tip);
    EXPECT_EQ(p.tip("符石1.图标"), tip);
    pick(p, "符石2.颜色", "红");
    pick(p, "符石2.符石", "冰符石");
    EXPECT_NE(p.tip("符石2.符石").find("经验：50000<br>体力：5"), std::string::npos);
    // Another colour drops the stone, which is not of it.
    pick(p, "符石1.颜色", "白");
    EXPECT_EQ(p.rowStoneKey(0), -1);
    EXPECT_EQ(text(p, "符石1.效果"), "");
    EXPECT_EQ(selectedText(p, "符石1.等级"), "");
    EXPECT_EQ(p.iconId(0), kEmptyHoleIcon);
    EXPECT_EQ(p.tip("符石1.符石"), "未镶嵌");
}

TEST(RunePage, PresetLoading) {
    Fixture f;
    RuneSetting s;
    s.holeCount = 3;
    s.reserved = 77;
    s.combinationId = comboId("破浪诀符石");
    s.combinationLevelIndex = 3;  // not read: the level follows from the holes
    s.stoneIds = {stoneId("醉魂符石"), stoneId("冰符石"), stoneId("金光符石"), 12345, -1};
    f.page.SetPreset(1, 22, s);
    RunePage& p = f.page;
    EXPECT_TRUE(p.editorMode());
    EXPECT_EQ(f.last, s);
    EXPECT_EQ(selectedText(p, "装备位置"), "武器");
    EXPECT_EQ(selectedText(p, "门派"), "仙族-龙宫");
    EXPECT_FALSE(p.find("装备位置")->isEnabled());
    EXPECT_FALSE(p.find("门派")->isEnabled());
    EXPECT_EQ(selectedText(p, "开运孔数"), "3");
    EXPECT_FALSE(p.rowEnabled(3));
    EXPECT_EQ(selectedText(p, "组合技能"), "破浪诀符石");
    EXPECT_EQ(selectedText(p, "符石1.符石"), "醉魂符石");
    EXPECT_EQ(selectedText(p, "符石3.符石"), "金光符石");
    EXPECT_EQ(p.rowStoneKey(3), -1);  // an unknown id keeps what the combination gave
    EXPECT_EQ(selectedText(p, "组合技能等级"), "2级");
    EXPECT_EQ(text(p, "符石效果"), "增加门派技能破浪诀等级2级");

    press(p, "确定");
    EXPECT_EQ(p.outcome(), RunePage::Outcome::Confirmed);
    RuneSetting want = s;
    want.combinationLevelIndex = 1;
    want.stoneIds[3] = -1;
    EXPECT_EQ(f.last, want);
    EXPECT_EQ(p.working(), want);
}

TEST(RunePage, ConfirmWritesTheNineIntegers) {
    Fixture f;
    RunePage& p = f.page;
    RuneSetting s;  // a fresh piece: no holes
    f.page.SetPreset(4, 13, s);
    EXPECT_EQ(selectedText(p, "开运孔数"), "0");
    pick(p, "开运孔数", "4");
    pick(p, "符石1.颜色", "紫");  // nothing matches; 组合技能 stays 无
    pick(p, "符石2.颜色", "绿");
    pick(p, "符石2.符石", "飘渺符石");
    pick(p, "符石3.颜色", "红");  // a colour without a stone returns -1
    press(p, "确定");
    RuneSetting want;
    want.holeCount = 4;
    want.stoneIds = {-1, stoneId("飘渺符石"), -1, -1, -1};
    EXPECT_EQ(f.last, want);

    // 取消 leaves the copy as SetPreset wrote it; free mode never touches it.
    Fixture g;
    RuneSetting old;
    old.holeCount = 2;
    old.stoneIds[0] = stoneId("冰符石");
    g.page.SetPreset(2, 11, old);
    pick(g.page, "符石1.颜色", "黄");
    press(g.page, "取消");
    EXPECT_EQ(g.page.outcome(), RunePage::Outcome::Cancelled);
    EXPECT_EQ(g.last, old);
    Fixture h;
    h.last.holeCount = 3;
    pick(h.page, "符石1.颜色", "黄");
    press(h.page, "确定");
    EXPECT_EQ(h.page.outcome(), RunePage::Outcome::Confirmed);
    EXPECT_EQ(h.last.holeCount, 3);
}

TEST(RunePage, DamagedPresetStaysInTheLists) {
    Fixture f;
    RuneSetting s;
    s.holeCount = 9;
    s.combinationId = 999999;
    s.stoneIds = {0, -7, 10000, 0, 0};
    f.page.SetPreset(17, 99, s);
    EXPECT_EQ(selectedText(f.page, "装备位置"), "");  // no such slot: no selection
    EXPECT_EQ(selectedText(f.page, "开运孔数"), "5");
    EXPECT_EQ(selectedText(f.page, "组合技能"), "无");
    EXPECT_EQ(selectedText(f.page, "符石3.符石"), "冰符石");
    press(f.page, "确定");
    EXPECT_EQ(f.last.holeCount, 5);
    EXPECT_EQ(f.last.combinationId, -1);
    EXPECT_EQ(f.last.stoneIds[2], 10000);
    EXPECT_EQ(f.last.stoneIds[0], -1);
}

TEST(KeyedList, KeysAndLimit) {
    KeyedList list;
    EXPECT_EQ(list.currentKey(), -1);
    for (int i = 0; i < KeyedList::kMaxItems; ++i)
        ASSERT_TRUE(list.add(i % 3, "x"));
    EXPECT_FALSE(list.add(5, "y"));
    list.selectKey(2);
    EXPECT_EQ(list.selected(), 2);
    list.selectKey(5);
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(list.currentKey(), -1);
}

}  // namespace
}  // namespace kalvix
