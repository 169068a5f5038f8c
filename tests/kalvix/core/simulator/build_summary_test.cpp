#include <gtest/gtest.h>

#include <string>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "kalvix/core/simulator/build_summary.h"

namespace kalvix {
namespace {

const Catalogue& cat() {
    return Catalogue::instance();
}

const std::string kOpen = "<table width=40><tr><td width=30>";
const std::string kClose = "</td></tr></table>";
const std::string kBase =
    "<hr color=blue><br><i><font color=green>基础属性</font></i><br><font color=orange>";
const std::string kAdded =
    "<hr color=blue><br><i><font color=green>附加属性</font></i><br><font color=blue>";
const std::string kMelt =
    "<hr color=blue><br><i><font color=green>熔炼效果</font></i><br><font color=#FF00FF>";
const std::string kStunt =
    "<hr color=blue><br><i><font color=green>特技特效</font></i><br><font color=aqua>";
const std::string kRune =
    "<hr color=blue><br><i><font color=green>符石镶嵌</font></i><br><font color=purple>";

std::string nbsp(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "&nbsp;";
    return s;
}

std::string stoneText(std::int32_t id) {
    return cat().RuneStoneEffectText(cat().runeStones[cat().FindRuneStone(id)]);
}

TEST(EquipmentSummary, Sections) {
    struct Case {
        const char* what;
        EquipmentRecord piece;
        std::string body;  // between the slot heading and the closing tags
    };
    EquipmentRecord weapon = blankEquipment(1);
    weapon.levelIndex = 6;
    weapon.baseStatus[kHurt] = 220;
    weapon.baseStatus[kHit] = 190;

    EquipmentRecord odd = blankEquipment(2);
    odd.baseStatus[kDefence] = 5;  // "防御&nbsp;+5": 12 bytes, six spaces
    odd.baseStatus[kHP] = 40;      // 13 bytes, ends the line
    odd.baseFive[0] = 12;          // 13 bytes, four spaces, then the odd <br>

    EquipmentRecord added = blankEquipment(3);
    added.addedFive[0] = -5;

    EquipmentRecord melt = blankEquipment(5);
    melt.meltStatus[kHurt] = -150;  // 15 bytes: no spacing
    melt.meltFive[0] = 3;
    melt.meltFive[4] = 20;

    EquipmentRecord stunt = blankEquipment(1);
    stunt.stunt = 1;
    stunt.partEffects = 2 | 8;
    stunt.generalEffects = 1;  // bit 0 names nothing

    EquipmentRecord general = blankEquipment(4);
    general.generalEffects = 16 | 128;
    general.partEffects = 4 | 2;

    EquipmentRecord runes = blankEquipment(6);
    runes.runes.holeCount = 2;
    runes.runes.stoneIds = {10300, -1, 10000, -1, -1};
    runes.runes.combinationId = 21;
    runes.runes.combinationLevelIndex = 0;

    EquipmentRecord comboOnly = blankEquipment(6);
    comboOnly.runes.holeCount = 3;
    comboOnly.runes.combinationId = 21;
    comboOnly.runes.combinationLevelIndex = 0;

    EquipmentRecord noCombo = runes;
    noCombo.runes.combinationId = 99999;

    const Case cases[] = {
        {"weapon of level 60", weapon,
         kBase + "等级&nbsp;&nbsp;60<br>伤害&nbsp;+220" + nbsp(2) + "命中&nbsp;+190<br></font>"},
        {"odd count", odd,
         kBase + "防御&nbsp;+5" + nbsp(6) + "气血&nbsp;+40<br>体质&nbsp;+12" + nbsp(4) +
             "<br></font>"},
        {"negative added value in red", added,
         kAdded + "<font color=red>体质&nbsp;-5" + nbsp(4) + "</font></font><br>"},
        {"melting", melt,
         kMelt + "<font color=red>伤害&nbsp;-150</font>体质&nbsp;+3<br>敏捷&nbsp;+20" + nbsp(4) +
             "<br>"},
        {"stunt and effects", stunt,
         kStunt + "特技：气疗术<br>部件特效：神佑,绝杀<br>通用特效：<br>"},
        {"general effects", general, kStunt + "部件特效：神农,专注<br>通用特效：坚固,珍宝<br>"},
        {"runes", runes,
         kRune + "符石1: " + stoneText(10300) +
             "<br>符石2: 未镶嵌<br><font color=blue>组合技能：【无懈可击】(1级)<br></font></font>"},
        {"unknown combination", noCombo,
         kRune + "符石1: " + stoneText(10300) +
             "<br>符石2: 未镶嵌<br><font color=blue>组合技能：无</font><br></font>"},
        {"a combination without stones shows no rune section", comboOnly, ""},
        {"blank piece", blankEquipment(2), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string heading =
            "<h4 align=center>" + cat().enumName(kEnumEquipSlot, c.piece.slot) + "</h4><br>";
        EXPECT_EQ(equipmentSummary(c.piece, cat()), kOpen + heading + c.body + kClose);
    }
    EXPECT_EQ(equipmentSummary(weapon, cat()).find("<h4 align=center>武器</h4>"), kOpen.size());
}

TEST(EquipmentSummary, AllSectionsInOrder) {
    EquipmentRecord p = blankEquipment(1);
    p.levelIndex = 1;
    p.addedFive[1] = 2;
    p.meltFive[1] = -1;
    p.stunt = 57;
    p.runes.holeCount = 1;
    p.runes.stoneIds[0] = 10000;
    const std::string s = equipmentSummary(p, cat());
    const auto base = s.find("基础属性");
    const auto add = s.find("附加属性");
    const auto melt = s.find("熔炼效果");
    const auto stunt = s.find("特技：菩提心佑");
    const auto rune = s.find("符石镶嵌");
    EXPECT_LT(base, add);
    EXPECT_LT(add, melt);
    EXPECT_LT(melt, stunt);
    EXPECT_LT(stunt, rune);
    EXPECT_NE(rune, std::string::npos);
    EXPECT_EQ(s.find("+-"), std::string::npos);
}

TEST(MountSummary, StoredValuesAndContribution) {
    EXPECT_EQ(mountSummary(MountRecord{}, {}), "<h3>坐骑</h3>");
    MountRecord m;
    m.growth = 1.2f;
    m.five = {100, 0, 0, 0, 1000};
    const auto raw = mountContribution(m);
    EXPECT_EQ(mountSummary(m, raw),
              "<h3>坐骑</h3><br><hr color=blue><br><i><font color=green>坐骑属性</font></i><br>"
              "<font color=blue>体质&nbsp;+100" +
                  nbsp(2) +
                  "敏捷&nbsp;+1000<br></font><hr color=blue><br><i><font "
                  "color=green>属性加成</font></i><br><font color=#FF00FF>体质&nbsp;+3" +
                  nbsp(6) + "敏捷&nbsp;+36<br></font>");
    m.five = {0, 0, 50, 0, 0};
    EXPECT_EQ(mountSummary(m, mountContribution(m)),
              "<h3>坐骑</h3><br><hr color=blue><br><i><font color=green>坐骑属性</font></i><br>"
              "<font color=blue>力量&nbsp;+50" +
                  nbsp(4) +
                  "<br></font><hr color=blue><br><i><font "
                  "color=green>属性加成</font></i><br><font color=#FF00FF>力量&nbsp;+1" +
                  nbsp(6) + "</font>");
}

TEST(RuneSummary, HolesStonesAndIcons) {
    RuneSetting r;
    EXPECT_EQ(runeSummary(r, cat()), "<h2>符石模拟</h2>");
    r.holeCount = 2;
    r.stoneIds = {-1, 10300, 10000, -1, -1};
    const std::string head =
        "<h2 align=vcenter><font color=green>符石镶嵌</font></h2><br><hr color=orange><br>"
        "<font color=purple>";
    EXPECT_EQ(runeSummary(r, cat()),
              head + "<font color=#FF00FF>组合技能：无</font><br>符石1: 未镶嵌<br>【金光符石】: " +
                  stoneText(10300) +
                  "<br><icon idres=9999 width=48 height=48><icon idres=10300 width=48 "
                  "height=48></font>");
    r.combinationId = 1029;
    r.combinationLevelIndex = 2;
    EXPECT_EQ(runeSummary(r, cat()).find(
                  "<font color=#FF00FF>组合技能：【为官之道符石】(3级)<br></font>"),
              head.size());
    r.holeCount = 0;
    EXPECT_EQ(runeSummary(r, cat()), "<h2>符石模拟</h2>");
}

TEST(SkillTips, Buttons) {
    EXPECT_EQ(schoolSkillButtonTip(*cat().schoolSkill(0, 0, 3)),
              "<table><tr><td><h3>门派技能：【无双一击】</h3><br><hr color=green><br><font "
              "color=blue>技能效果：</font>按技能等级提高命中<br><font "
              "color=blue>包含法术：</font>后发制人</td></tr></table>");
    EXPECT_EQ(schoolSkillButtonTip(*cat().schoolSkill(0, 2, 4)),
              "<table><tr><td><h3>门派技能：【磬龙灭法】</h3><br><hr color=green><br><font "
              "color=blue>技能效果：</font>按技能等级提高伤害力<br><font "
              "color=blue>包含法术：</font>无</td></tr></table>");
    EXPECT_EQ(schoolSkillButtonTip(*cat().schoolSkill(0, 0, 1)).find("技能效果：</font>无<br>") !=
                  std::string::npos,
              true);
    EXPECT_EQ(schoolSkillButtonTip(*cat().schoolSkill(0, 3, 7)), "");
}

std::string levelHead(const std::string& name, int level) {
    return "<h3>" + name + "</h3><br><hr color=green><br><font color=blue>技能等级：</font>" +
           std::to_string(level);
}

TEST(SkillTips, LevelLists) {
    BuildSimulator sim(cat(), 0);
    EXPECT_EQ(schoolSkillLevelTip(sim.build(), sim.sheet(), 5, cat()),
              levelHead("文韬武略", 0) + "<br><font color=blue>属性加成：</font>防御　+0");
    EXPECT_EQ(schoolSkillLevelTip(sim.build(), sim.sheet(), 7, cat()), levelHead("疾风步", 0));

    // 大唐官府: a third of the hit bonus shows as damage on slot 3 and is left out on slot 4.
    sim.setSkillLevel(3, 100);
    const std::int32_t hit = sim.sheet().skillBonus[2];
    ASSERT_GT(hit, 3);
    EXPECT_EQ(schoolSkillLevelTip(sim.build(), sim.sheet(), 3, cat()),
              levelHead("无双一击", 100) + "<br><font color=blue>属性加成：</font>命中　+" +
                  std::to_string(hit) + ",伤害　+" + std::to_string(hit / 3));
    EXPECT_EQ(sim.sheet().skillBonus[3], hit / 3);
    EXPECT_EQ(schoolSkillLevelTip(sim.build(), sim.sheet(), 4, cat()), levelHead("十方无敌", 0));

    // Extra levels from a combination show in red.
    EquipmentRecord weapon = blankEquipment(1);
    weapon.runes.combinationId = 1033;  // 无双一击符石
    weapon.runes.combinationLevelIndex = 3;
    sim.replaceEquipment(1, weapon);
    EXPECT_EQ(schoolSkillLevelTip(sim.build(), sim.sheet(), 3, cat())
                  .rfind(levelHead("无双一击", 100) + "<font color=red>+6</font><br>", 0),
              0u);

    // 盘丝洞: hit 90, share trunc(90 ÷ 8.3) = 10; slot 4 at level 10 has damage 78 and shows
    // trunc(78 - 10.84) = 67.
    BuildSimulator psd(cat(), 0);
    psd.setRace(2);
    psd.setSchool(3);
    psd.setSkillLevel(3, 30);
    psd.setSkillLevel(4, 10);
    ASSERT_EQ(psd.sheet().skillBonus[2], 90);
    ASSERT_EQ(psd.sheet().skillBonus[3], 78);
    EXPECT_EQ(
        schoolSkillLevelTip(psd.build(), psd.sheet(), 3, cat()),
        levelHead("秋波暗送", 30) + "<br><font color=blue>属性加成：</font>命中　+90,伤害　+10");
    EXPECT_EQ(schoolSkillLevelTip(psd.build(), psd.sheet(), 4, cat()),
              levelHead("盘丝大法", 10) + "<br><font color=blue>属性加成：</font>伤害　+67");
}

TEST(BottomSummary, FieldsAndTips) {
    BuildSimulator sim(cat(), 0);
    EquipmentRecord weapon = blankEquipment(1);
    weapon.stunt = 57;
    weapon.partEffects = 8;  // 绝杀
    weapon.runes.holeCount = 1;
    weapon.runes.stoneIds[0] = 10409;  // 法力伤害 +2
    sim.replaceEquipment(1, weapon);
    EquipmentRecord head = blankEquipment(3);
    head.runes.combinationId = 1029;
    head.runes.combinationLevelIndex = 1;
    sim.replaceEquipment(3, head);
    EquipmentRecord necklace = blankEquipment(4);
    necklace.partEffects = 4;           // 专注
    necklace.runes.combinationId = 21;  // no level index: not shown
    sim.replaceEquipment(4, necklace);

    const BottomSummary s = bottomSummary(sim.build(), sim.sheet(), cat());
    EXPECT_EQ(s.stunt[0], "菩提心佑");
    EXPECT_EQ(s.stuntTip[0], stuntTip(*cat().stunt(57)));
    EXPECT_EQ(s.stuntTip[0].rfind(
                  "<table><tr><td><h3>特技：【菩提心佑】</h3><br><hr color=green><br>", 0),
              0u);
    EXPECT_EQ(s.combination[2], "为官之道(2)");
    EXPECT_EQ(s.combinationTip[2],
              "<table><tr><td><h3>组合技能：【为官之道符石】</h3><br><hr color=green><br>技能等级："
              "2级<br>技能效果：增加门派技能为官之道等级2级<br>门派限制：大唐官府<br>触发位置："
              "头盔</td></tr></table>");
    EXPECT_EQ(s.combination[3], "");
    EXPECT_EQ(s.partEffect[2], "绝杀");
    EXPECT_EQ(s.partEffect[6], "专注");
    EXPECT_EQ(s.partEffectTip[6],
              "<table><tr><td><h3>部件特效：【专注】</h3><br><hr color=green><br>" +
                  cat().effect(7)->description + "</td></tr></table>");
    EXPECT_EQ(s.partEffect[0], "");
    EXPECT_EQ(s.special, (std::array<std::int32_t, 3>{0, 2, 0}));

    EXPECT_EQ(
        combinationTip(cat().runeCombinations[cat().FindRuneCombination(21)], 0, cat()),
        "<table><tr><td><h3>组合技能：【无懈可击】</h3><br><hr color=green><br>技能等级："
        "1级<br>技能效果：提升自身6点防御<br>门派限制：无<br>触发位置：不限</td></tr></table>");

    sim.setEquipmentOn(false);
    const BottomSummary off = bottomSummary(sim.build(), sim.sheet(), cat());
    EXPECT_EQ(off.stunt[0], "");
    EXPECT_EQ(off.combination[2], "");
    EXPECT_EQ(off.partEffect[2], "");
    EXPECT_EQ(off.special, (std::array<std::int32_t, 3>{}));
}

}  // namespace
}  // namespace kalvix

namespace kalvix {
namespace {

TEST(EquipmentSummary, RecordsStraightFromAFileAreSafe) {
    const std::int32_t big = 2147483647;
    EquipmentRecord p = blankEquipment(44);
    p.levelIndex = big;
    p.stunt = big;
    p.partEffects = -1;
    p.generalEffects = -1;
    p.baseStatus[kHurt] = -big - 1;
    p.runes.holeCount = big;
    p.runes.stoneIds = {10000, big, -big, 0, 10608};
    p.runes.combinationId = 21;
    p.runes.combinationLevelIndex = big;
    const std::string s = equipmentSummary(p, cat());
    EXPECT_NE(s.find("<h4 align=center></h4>"), std::string::npos);
    EXPECT_NE(s.find("等级&nbsp;&nbsp;21474836470<br>"), std::string::npos);
    EXPECT_NE(s.find("伤害&nbsp;-2147483648"), std::string::npos);
    EXPECT_NE(s.find("通用特效：简易,无级别限制,永不磨损,坚固,易修理,精致,珍宝<br>"),
              std::string::npos);
    EXPECT_NE(s.find("符石5: "), std::string::npos);
    EXPECT_EQ(s.find("符石6"), std::string::npos);
    EXPECT_NE(s.find("【无懈可击】(2147483648级)"), std::string::npos);
    EXPECT_NE(runeSummary(p.runes, cat()).find("(2147483648级)"), std::string::npos);
    const RuneCombination& c = cat().runeCombinations[cat().FindRuneCombination(21)];
    EXPECT_NE(
        combinationTip(c, big, cat()).find("技能等级：2147483648级<br>技能效果：提升自身x点防御"),
        std::string::npos);
}

}  // namespace
}  // namespace kalvix
