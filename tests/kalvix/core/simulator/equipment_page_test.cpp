#include "kalvix/core/simulator/equipment_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "common/truncation.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"
#include "kalvix/core/simulator/rune_page.h"
#include "support/page_driver.h"

namespace kalvix {
namespace {

using calc_test::check;
using calc_test::choose;
using calc_test::press;
using calc_test::text;

const Catalogue& cat() {
    return Catalogue::instance();
}

std::string selectedText(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    if (!c || !c->selected || !c->items)
        return "?";
    const auto list = c->items();
    const int sel = c->selected();
    return sel >= 0 && sel < static_cast<int>(list.size()) ? list[sel] : "";
}

void pick(PageModel& page, const std::string& caption, const std::string& item) {
    const Control* c = page.find(caption);
    ASSERT_TRUE(c && c->items) << caption;
    const auto list = c->items();
    auto it = std::find(list.begin(), list.end(), item);
    ASSERT_NE(it, list.end()) << caption << " has no " << item;
    choose(page, caption, static_cast<int>(it - list.begin()));
}

bool enabled(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    return c && c->isEnabled();
}

bool ticked(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    return c && c->checked && c->checked();
}

struct Editor {
    PageContext context;
    SimulatorSession session{context.catalogue()};
    std::unique_ptr<EquipmentPage> page;

    explicit Editor(int piece) { page = std::make_unique<EquipmentPage>(context, session, piece); }
    Editor(int piece, const EquipmentRecord& stored) {
        session.record().writeEquipment(piece, stored);
        page = std::make_unique<EquipmentPage>(context, session, piece);
    }
    EquipmentPage& operator*() { return *page; }
};

TEST(EquipmentPage, FreshPieceOpensBlankAndConfirmsAsNeverLevelled) {
    for (int piece = 1; piece <= 6; ++piece) {
        Editor e(piece);
        EquipmentPage& p = *e;
        EXPECT_EQ(p.title(), kEditorTitles[piece]);
        EXPECT_EQ(selectedText(p, "等级"), "") << piece;
        EXPECT_EQ(p.levelPosition(), -1);
        EXPECT_FALSE(enabled(p, "强化"));
        EXPECT_EQ(selectedText(p, "特技"), "无");
        for (int i = 0; i < static_cast<int>(p.kind().lists.size()); ++i)
            EXPECT_EQ(selectedText(p, p.listCaption(i)), "0") << piece << " " << i;
        EXPECT_EQ(p.tip("组合技能"), "无组合技能！");
        EXPECT_EQ(p.tip("符石模拟"), "<h2>符石模拟</h2>");
        press(p, "确认");
        EXPECT_EQ(p.outcome(), EquipmentPage::Outcome::Confirmed);
        const EquipmentRecord stored = e.session.equipment(piece);
        EXPECT_EQ(stored.levelIndex, -1);
        EXPECT_EQ(stored.stunt, 0);
        EXPECT_EQ(e.session.equipmentRevision(piece), 1u);
    }
}

TEST(EquipmentPage, KindsDifferAsTheirTableSays) {
    struct Case {
        int piece;
        std::vector<const char*> captions;
        std::vector<const char*> absent;
        bool strengthenShown;
        bool iconHoles;
    } cases[] = {
        {1,
         {"伤害", "命中", "躲避", "附加属性.体质", "附加属性.敏捷", "熔炼.体质", "神佑", "必中",
          "绝杀", "简易", "珍宝", "特技.说明"},
         {"防御", "伪装"},
         true,
         false},
        {2,
         {"基本属性（含石头）.防御", "气血", "灵力", "附加属性.耐力", "熔炼.魔力", "熔炼.防御",
          "伪装"},
         {"神佑"},
         false,
         false},
        {3,
         {"基本属性（含石头）.防御", "基本属性（含石头）.魔法", "命中", "伤害", "熔炼.防御",
          "熔炼.魔法", "再生"},
         {"附加属性.体质", "防御", "特技.说明"},
         true,
         true},
        {4, {"基本属性（含石头）.灵力", "熔炼.灵力", "神农", "专注"}, {"灵力"}, true, true},
        {5,
         {"基本属性（含石头）.气血", "速度", "躲避", "熔炼.气血", "愤怒", "暴怒"},
         {},
         true,
         true},
        {6, {"基本属性（含石头）.敏捷", "熔炼.敏捷", "速度", "迷踪", "狩猎"}, {}, true, true},
    };
    for (const Case& c : cases) {
        Editor e(c.piece);
        for (const char* caption : c.captions)
            EXPECT_NE(e.page->find(caption), nullptr) << c.piece << " " << caption;
        for (const char* caption : c.absent)
            EXPECT_EQ(e.page->find(caption), nullptr) << c.piece << " " << caption;
        EXPECT_EQ(e.page->find("强化")->isVisible(), c.strengthenShown) << c.piece;
        EXPECT_EQ(e.page->kind().iconHoles, c.iconHoles);
        const std::size_t parts[] = {0, 3, 1, 1, 2, 2, 2};
        EXPECT_EQ(e.page->effectBoxes().size(), parts[c.piece] + 7) << c.piece;
    }
    // Every preset lies inside its list at every level, strengthened or not.
    for (const EquipmentKind& kind : equipmentKinds())
        for (const EquipListSpec& spec : kind.lists)
            for (int n = 1; n <= 15 && spec.preset(); ++n)
                for (bool strong : {false, true})
                    EXPECT_GE(spec.positionOf(spec.presetValue(n, strong)), 0)
                        << kind.title << " " << spec.name << " " << n;
}

TEST(EquipmentPage, LevelPresetsAndStrengthening) {
    struct Case {
        int piece;
        const char* list;
        std::int32_t a, b;
    } cases[] = {
        {1, "伤害", 35, 10},
        {1, "命中", 30, 10},
        {2, "基本属性（含石头）.防御", 15, 10},
        {3, "基本属性（含石头）.防御", 5, 5},
        {3, "基本属性（含石头）.魔法", 10, 5},
        {4, "基本属性（含石头）.灵力", 12, 5},
        {5, "基本属性（含石头）.防御", 5, 5},
        {5, "基本属性（含石头）.气血", 20, 10},
        {6, "基本属性（含石头）.防御", 5, 5},
        {6, "基本属性（含石头）.敏捷", 3, 5},
    };
    for (const Case& c : cases) {
        for (int n = 1; n <= 15; ++n) {
            Editor e(c.piece);
            EquipmentPage& p = *e;
            choose(p, "等级", n);
            const std::int32_t v = c.a * n + c.b;
            EXPECT_EQ(selectedText(p, c.list), std::to_string(v)) << c.piece << c.list << n;
            EXPECT_TRUE(enabled(p, c.list));
            if (c.piece == 2)
                continue;  // 强化 is not shown on the armour
            check(p, "强化", true);
            EXPECT_EQ(selectedText(p, c.list), std::to_string(common::truncToInt(v * 1.05)))
                << c.piece << c.list << n;
            EXPECT_FALSE(enabled(p, c.list));
        }
    }
    Editor e(1);
    EquipmentPage& p = *e;
    pick(p, "等级", "100级");
    EXPECT_EQ(selectedText(p, "伤害"), "360");
    EXPECT_EQ(selectedText(p, "命中"), "310");
    EXPECT_TRUE(enabled(p, "强化"));
    pick(p, "伤害", "400");  // a preset list can be changed by hand while not strengthened
    EXPECT_EQ(selectedText(p, "伤害"), "400");
    check(p, "强化", true);
    EXPECT_EQ(selectedText(p, "伤害"), "378");
    EXPECT_EQ(selectedText(p, "命中"), "325");
    EXPECT_FALSE(enabled(p, "伤害"));
    EXPECT_TRUE(enabled(p, "躲避"));
    // The empty level again: lists enabled, 强化 cleared, values kept.
    choose(p, "等级", 0);
    EXPECT_FALSE(ticked(p, "强化"));
    EXPECT_FALSE(enabled(p, "强化"));
    EXPECT_TRUE(enabled(p, "伤害"));
    EXPECT_EQ(selectedText(p, "伤害"), "378");
    press(p, "确认");
    const EquipmentRecord stored = e.session.equipment(1);
    EXPECT_EQ(stored.levelIndex, 0);
    EXPECT_FALSE(stored.strengthened);
    EXPECT_EQ(stored.baseStatus[kHurt], 378);
    EXPECT_EQ(stored.baseStatus[kHit], 325);
}

TEST(EquipmentPage, StoredValuesWinOverPresetsAndLoadedStrengtheningWorks) {
    EquipmentRecord armour = blankEquipment(2);
    armour.levelIndex = 10;
    armour.strengthened = true;  // from a loaded build: the armour's 强化 is never shown
    armour.baseStatus[kDefence] = 123;
    armour.baseStatus[kHP] = 80;
    armour.meltStatus[kDefence] = -100;
    Editor e(2, armour);
    EquipmentPage& p = *e;
    EXPECT_EQ(selectedText(p, "等级"), "100级");
    EXPECT_EQ(selectedText(p, "基本属性（含石头）.防御"), "123");
    EXPECT_FALSE(enabled(p, "基本属性（含石头）.防御"));
    EXPECT_EQ(selectedText(p, "气血"), "80");
    EXPECT_EQ(selectedText(p, "熔炼.防御"), "-100");
    EXPECT_FALSE(check(p, "强化", false).ok());  // hidden: refused
    pick(p, "等级", "50级");
    EXPECT_EQ(selectedText(p, "基本属性（含石头）.防御"),
              std::to_string(common::truncToInt(85 * 1.05)));
}

TEST(EquipmentPage, ConfirmWritesEveryField) {
    Editor e(1);
    EquipmentPage& p = *e;
    pick(p, "等级", "60级");
    check(p, "强化", true);
    pick(p, "特技", "菩提心佑");
    pick(p, "躲避", "120");
    pick(p, "附加属性.体质", "-5");
    pick(p, "附加属性.敏捷", "50");
    pick(p, "熔炼.力量", "-50");
    check(p, "神佑", true);
    check(p, "绝杀", true);
    check(p, "珍宝", true);
    // Nothing reaches the record before 确认.
    EXPECT_EQ(e.session.equipment(1).levelIndex, -1);
    press(p, "确认");
    const EquipmentRecord r = e.session.equipment(1);
    EXPECT_EQ(r.levelIndex, 6);
    EXPECT_TRUE(r.strengthened);
    EXPECT_EQ(r.stunt, 57);
    EXPECT_EQ(r.baseStatus[kHurt], common::truncToInt(220 * 1.05));
    EXPECT_EQ(r.baseStatus[kHit], common::truncToInt(190 * 1.05));
    EXPECT_EQ(r.baseStatus[kDodge], 120);
    EXPECT_EQ(r.addedFive[0], -5);
    EXPECT_EQ(r.addedFive[4], 50);
    EXPECT_EQ(r.meltFive[2], -50);
    EXPECT_EQ(r.partEffects, 2 | 8);
    EXPECT_EQ(r.generalEffects, 128);
    // The page's build follows at once.
    EXPECT_EQ(e.session.build().equipment[1].baseStatus[kDodge], 120);

    Editor c(1);
    pick(*c, "等级", "60级");
    press(*c, "取消");
    EXPECT_EQ(c.page->outcome(), EquipmentPage::Outcome::Cancelled);
    EXPECT_EQ(c.session.equipment(1).levelIndex, -1);
    EXPECT_EQ(c.session.equipmentRevision(1), 0u);
}

TEST(EquipmentPage, ValuesNoItemShowsAreKept) {
    EquipmentRecord head = blankEquipment(3);
    head.baseStatus[kHurt] = 200;  // beyond 0…120
    head.baseStatus[kHit] = 60;    // not a step of 25: shows 50
    head.meltStatus[kMP] = -150;   // beyond -100…100
    Editor e(3, head);
    EXPECT_EQ(selectedText(*e, "伤害"), "");
    EXPECT_EQ(selectedText(*e, "命中"), "50");
    EXPECT_EQ(selectedText(*e, "熔炼.魔法"), "");
    press(*e, "确认");
    const EquipmentRecord r = e.session.record().readEquipment(3);
    EXPECT_EQ(r.baseStatus[kHit], 50);
    EXPECT_EQ(r.baseStatus[kHurt], 200);
    EXPECT_EQ(r.meltStatus[kMP], -150);
}

TEST(EquipmentPage, EffectBoxes) {
    struct Case {
        std::vector<const char*> clicks;
        std::int32_t general;
    } cases[] = {
        {{"永不磨损", "坚固"}, 16},
        {{"坚固", "永不磨损"}, 8},
        {{"简易", "无级别限制"}, 4},
        {{"无级别限制", "简易"}, 2},
        {{"简易", "永不磨损", "易修理", "精致"}, 2 | 8 | 32 | 64},
        {{"简易", "简易", "无级别限制"}, 4},
    };
    for (const Case& c : cases) {
        Editor e(4);
        for (const char* box : c.clicks)
            press(*e, box);
        press(*e, "神农");
        press(*e, "专注");  // part-specific boxes are independent
        press(*e, "确认");
        EXPECT_EQ(e.session.equipment(4).generalEffects, c.general) << c.clicks.front();
        EXPECT_EQ(e.session.equipment(4).partEffects, 2 | 4);
    }
    EquipmentRecord stored = blankEquipment(5);
    stored.partEffects = 4;
    stored.generalEffects = 1 | 16;  // bit 0 names no effect and is carried along
    Editor e(5, stored);
    EXPECT_FALSE(ticked(*e, "愤怒"));
    EXPECT_TRUE(ticked(*e, "暴怒"));
    EXPECT_TRUE(ticked(*e, "坚固"));
    EXPECT_EQ(e.page->tip("暴怒"),
              "<h3>部件特效：【暴怒】</h3><br><hr color=green><br>作用：因气血损失而增加愤怒时，"
              "会额外获得20%的愤怒。<br>");
    EXPECT_EQ(e.page->tip("易修理"),
              "<h3>通用特效：【易修理】</h3><br><hr color=green><br>作用："
              "该装备修理时提升10%成功率及成功率上限<br>");
    press(*e, "确认");
    EXPECT_EQ(e.session.equipment(5).generalEffects, 1 | 16);
}

TEST(EquipmentPage, Stunts) {
    Editor e(1);
    pick(*e, "特技", "四海升平");
    EXPECT_EQ(text(*e, "特技.说明"),
              "恢复全体队友1/4的气血（最高不超过被恢复人的等级×12），\n对有低级鬼魂术的召唤兽无效");
    const std::string tip =
        "<h3>特技：【四海升平】</h3><br><hr color=green><br>作用：恢复全体队友1/4的气血（最高不超"
        "过被恢复人的等级×12），<br>对有低级鬼魂术的召唤兽无效<br>SP消耗：135";
    EXPECT_EQ(e.page->tip("特技"), tip);
    EXPECT_EQ(e.page->tip("特技.说明"), tip);
    choose(*e, "特技", 0);
    EXPECT_EQ(text(*e, "特技.说明"), "");
    EXPECT_EQ(e.page->tip("特技"), "");

    Editor icons(6);  // no info pane: only the list has the tip
    pick(*icons, "特技", "吸血");
    EXPECT_NE(icons.page->tip("特技").find("SP消耗：70"), std::string::npos);
    EXPECT_EQ(icons.page->tip("特技.说明"), "");
}

TEST(EquipmentPage, RuneDisplay) {
    EquipmentRecord weapon = blankEquipment(1);
    weapon.runes.holeCount = 3;
    weapon.runes.combinationId = 22;  // 望穿秋水
    weapon.runes.combinationLevelIndex = 0;
    weapon.runes.stoneIds = {10300, -1, 10400, 10500, -1};
    Editor e(1, weapon);
    EquipmentPage& p = *e;
    EXPECT_EQ(text(p, "组合技能"), "望穿秋水");
    EXPECT_EQ(selectedText(p, "技能等级"), "1级");
    EXPECT_EQ(p.tip("组合技能"), combinationTip(cat().runeCombinations[22], 0, cat()));
    EXPECT_EQ(text(p, "镶嵌符石.1"), "1、【金光符石】");
    EXPECT_EQ(p.tip("镶嵌符石.1"),
              "<table><tr><td valign=vcenter><icon idres=10300 width=48 height=48></td><td>"
              "<center><h2>【金光符石】</h2><br><hr color=blue></center><br>命中 +4.0</td></tr>"
              "</table>");
    EXPECT_EQ(text(p, "镶嵌符石.2"), "");
    EXPECT_EQ(p.tip("镶嵌符石.2"), "未镶嵌");
    EXPECT_EQ(text(p, "镶嵌符石.3"), "3、【醉魂符石】");
    EXPECT_EQ(text(p, "镶嵌符石.4"), "");  // beyond the hole count
    EXPECT_EQ(p.tip("镶嵌符石.4"), "");
    EXPECT_EQ(p.tip("符石模拟"), runeSummary(weapon.runes, cat()));

    EquipmentRecord boot = weapon;
    boot.slot = 6;
    Editor b(6, boot);
    EXPECT_EQ(b.page->holeIcon(0), 10300);
    EXPECT_EQ(b.page->holeIcon(1), kEmptyHoleIcon);
    EXPECT_EQ(b.page->holeIcon(2), 10400);
    EXPECT_EQ(b.page->holeIcon(3), 0);
    EXPECT_FALSE(enabled(*b, "技能等级"));
}

TEST(EquipmentPage, RuneDialogWritesAtOnceAndEditorCancelKeepsIt) {
    EquipmentRecord weapon = blankEquipment(1);
    weapon.levelIndex = 5;
    weapon.runes.holeCount = 2;
    Editor e(1, weapon);
    e.session.simulator().setRace(1);
    e.session.simulator().setSchool(1);  // 龙宫: school value 22
    const AttributeSheet before = e.session.sheet();
    int runs = 0;
    e.page->runeRunner = [&](RunePage& dialog) {
        ++runs;
        EXPECT_TRUE(dialog.editorMode());
        EXPECT_EQ(selectedText(dialog, "装备位置"), "武器");
        EXPECT_EQ(selectedText(dialog, "门派"), "仙族-龙宫");
        EXPECT_EQ(selectedText(dialog, "开运孔数"), runs == 1 ? "2" : "3");
        if (runs == 1) {
            pick(dialog, "开运孔数", "3");
            pick(dialog, "组合技能", "破浪诀符石");
            pick(dialog, "符石1.符石", "醉魂符石");
            pick(dialog, "符石2.符石", "冰符石");
            pick(dialog, "符石3.符石", "金光符石");
            press(dialog, "确定");
        } else {
            pick(dialog, "开运孔数", "0");
            press(dialog, "取消");
        }
    };
    press(*e, "符石模拟");
    const RuneSetting written = e.session.equipment(1).runes;
    EXPECT_EQ(written.holeCount, 3);
    EXPECT_EQ(written.combinationId, 2065);
    EXPECT_EQ(written.combinationLevelIndex, 1);
    EXPECT_EQ(written.stoneIds[2], 10300);
    EXPECT_EQ(e.session.lastRuneSetting(), written);
    EXPECT_EQ(text(*e, "组合技能"), "破浪诀符石");
    EXPECT_EQ(selectedText(*e, "技能等级"), "2级");
    EXPECT_EQ(text(*e, "镶嵌符石.3"), "3、【金光符石】");

    // A cancelled rune dialog changes nothing.
    pick(*e, "等级", "150级");
    press(*e, "符石模拟");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(e.session.equipment(1).runes, written);
    EXPECT_EQ(text(*e, "组合技能"), "破浪诀符石");

    press(*e, "取消");
    const EquipmentRecord kept = e.session.equipment(1);
    EXPECT_EQ(kept.runes, written);
    EXPECT_EQ(kept.levelIndex, 5);
    // The character follows only at the next 确认.
    EXPECT_EQ(e.session.sheet().finalStatus, before.finalStatus);
    EXPECT_EQ(e.session.sheet().extraSkillLevel, before.extraSkillLevel);
    EXPECT_EQ(e.session.equipmentRevision(1), 0u);

    Editor again(1);
    again.session.setRunes(1, written);
    again.page = std::make_unique<EquipmentPage>(again.context, again.session, 1);
    press(*again, "确认");
    EXPECT_EQ(again.session.build().equipment[1].runes, written);
}

TEST(EquipmentPage, DamagedRecordsOpenAndConfirmSafely) {
    const std::int32_t extremes[] = {std::numeric_limits<std::int32_t>::min(), -1,
                                     std::numeric_limits<std::int32_t>::max()};
    for (int piece = 1; piece <= 6; ++piece) {
        for (std::int32_t v : extremes) {
            EquipmentRecord r = blankEquipment(piece);
            r.levelIndex = v;
            r.stunt = v;
            r.partEffects = v;
            r.generalEffects = v;
            r.baseFive.fill(v);
            r.baseStatus.fill(v);
            r.addedFive.fill(v);
            r.meltFive.fill(v);
            r.meltStatus.fill(v);
            r.runes.holeCount = v;
            r.runes.combinationId = v;
            r.runes.combinationLevelIndex = v;
            r.runes.stoneIds.fill(v);
            Editor e(piece, r);
            EXPECT_FALSE(e.page->tip("符石模拟").empty());
            int runs = 0;
            e.page->runeRunner = [&](RunePage& dialog) {
                ++runs;
                press(dialog, "确定");
            };
            press(*e, "符石模拟");
            EXPECT_EQ(runs, 1);
            const RuneSetting runes = e.session.record().readEquipment(piece).runes;
            EXPECT_GE(runes.holeCount, 0) << piece << " " << v;
            EXPECT_LE(runes.holeCount, 5);
            EXPECT_GE(runes.combinationLevelIndex, -1);
            EXPECT_LE(runes.combinationLevelIndex, 3);
            press(*e, "确认");
            const EquipmentRecord stored = e.session.equipment(piece);
            EXPECT_GE(stored.levelIndex, -1);
            EXPECT_LE(stored.levelIndex, 15);
            EXPECT_GE(stored.stunt, 0);
            EXPECT_LE(stored.stunt, 57);
        }
    }
}

}  // namespace
}  // namespace kalvix
