// The simulator page with its editors: what the equipment and mount editors write through the
// session, and what the page then shows.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "support/page_driver.h"

namespace kalvix {
namespace {

using calc_test::check;
using calc_test::press;
using calc_test::text;
using Page = SimulationPage;

bool enabled(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    EXPECT_NE(c, nullptr) << caption;
    return c && c->isEnabled() && c->isVisible();
}

struct Fixture {
    explicit Fixture(int level = 0) {
        context.setSharedLevel(level);
        page = std::make_unique<Page>(context);
    }
    PageContext context;
    std::unique_ptr<Page> page;
    Page& operator*() { return *page; }
};

TEST(SimulationPage, MountSwitchAndEditor) {
    Fixture f(50);
    Page& page = *f;
    std::vector<std::string> opened;
    MountRecord mount;
    mount.growth = 1.2f;
    mount.five = {300, 0, 0, 0, 0};
    bool confirm = false;
    page.opener = [&](const std::string& title) {
        opened.push_back(title);
        if (confirm)
            page.session().confirmMount(mount);
    };
    press(page, "坐骑.编辑");  // cancelled
    EXPECT_EQ(opened, std::vector<std::string>{"坐骑"});
    EXPECT_EQ(page.tip("坐骑.编辑"), "<h3>坐骑</h3>");
    confirm = true;
    press(page, "坐骑.编辑");
    // trunc(trunc(300 ÷ 28.8) × 1.2) = trunc(10 × 1.2) = 12
    EXPECT_EQ(text(page, "体质"), std::to_string(10 + 50 + 12));
    EXPECT_EQ(page.tip("坐骑.编辑"), mountSummary(page.build().mount, page.sheet().mountRaw));
    check(page, "坐骑", false);
    EXPECT_EQ(text(page, "体质"), "60");
    EXPECT_FALSE(enabled(page, "坐骑.编辑"));
    check(page, "坐骑", true);
    EXPECT_EQ(text(page, "体质"), "72");
    EXPECT_TRUE(enabled(page, "坐骑.编辑"));
}

const RuneCombination* someCombination(const Catalogue& cat) {
    for (int i = 1; i < static_cast<int>(cat.runeCombinations.size()); ++i)
        if (cat.runeCombinations[i].levelMask != 0 &&
            cat.runeCombinations[i].name.find("符石") != std::string::npos)
            return &cat.runeCombinations[i];
    return nullptr;
}

TEST(SimulationPage, EquipmentEditorsAndTheBottomSummary) {
    Fixture f(60);
    Page& page = *f;
    const Catalogue& cat = f.context.catalogue();
    const RuneCombination* combo = someCombination(cat);
    ASSERT_NE(combo, nullptr);
    std::vector<std::string> opened;
    page.opener = [&](const std::string& title) {
        opened.push_back(title);
        if (title != "铠甲/女衣")
            return;  // cancelled
        EquipmentRecord armour = page.session().equipment(2);
        armour.stunt = 1;
        armour.baseStatus[kDefence] = 100;
        armour.runes.combinationId = combo->id;
        armour.runes.combinationLevelIndex = 1;
        page.session().confirmEquipment(2, armour);
    };
    for (int p = 1; p <= 6; ++p)
        press(page, Page::pieceCaption(p));
    EXPECT_EQ(opened,
              (std::vector<std::string>{"武器", "铠甲/女衣", "头盔/发钗", "项链", "腰带", "靴子"}));
    EXPECT_EQ(page.tip("武器"), "<h3>武器</h3>");
    EXPECT_EQ(page.tip("衣服"), equipmentSummary(page.build().equipment[2], cat));
    EXPECT_EQ(text(page, "特技.衣服"), cat.stunt(1)->name);
    EXPECT_EQ(page.tip("特技.衣服"), stuntTip(*cat.stunt(1)));
    std::string name = combo->name + "(2)";
    for (std::size_t at; (at = name.find("符石")) != std::string::npos;)
        name.erase(at, 6);
    EXPECT_EQ(text(page, "组合技能.衣服"), name);
    EXPECT_EQ(text(page, "特技.武器"), "");
    const std::string defence = text(page, "防御");

    check(page, "装备", false);
    for (int p = 1; p <= 6; ++p) {
        EXPECT_FALSE(enabled(page, Page::pieceCaption(p)));
        EXPECT_EQ(text(page, "特技." + Page::pieceCaption(p)), "");
        EXPECT_EQ(text(page, "组合技能." + Page::pieceCaption(p)), "");
    }
    EXPECT_EQ(page.tip("特技.衣服"), "");
    for (const char* s : {"法力防御", "法力伤害", "固定伤害"}) {
        EXPECT_EQ(text(page, s), "0");
        EXPECT_FALSE(enabled(page, s));
    }
    EXPECT_NE(text(page, "防御"), defence);
    check(page, "装备", true);
    EXPECT_EQ(text(page, "防御"), defence);
    EXPECT_EQ(text(page, "特技.衣服"), cat.stunt(1)->name);
}

TEST(SimulationPage, PartEffectsShowInTheirField) {
    Fixture f;
    Page& page = *f;
    const Catalogue& cat = f.context.catalogue();
    for (int e = 1; e <= kBottomPartEffects; ++e) {
        const EquipEffectInfo* effect = cat.effect(e);
        ASSERT_NE(effect, nullptr);
        const std::string caption = page.partEffectCaption(e);
        EXPECT_EQ(caption, "部件特效." + effect->name);
        page.opener = [&](const std::string&) {
            EquipmentRecord piece = page.session().equipment(effect->slot);
            piece.partEffects = Catalogue::effectMaskBit(effect->indexInSlot);
            page.session().confirmEquipment(effect->slot, piece);
        };
        press(page, Page::pieceCaption(effect->slot));
        EXPECT_EQ(text(page, caption), effect->name);
        EXPECT_EQ(page.tip(caption), partEffectTip(*effect));
    }
}

TEST(SimulationPage, RunesFromTheRuneDialogWaitForTheEditorsConfirm) {
    Fixture f;
    Page& page = *f;
    const RuneSetting before = page.build().equipment[1].runes;
    RuneSetting runes;
    runes.holeCount = 2;
    runes.stoneIds = {1, 2, -1, -1, -1};
    page.session().setRunes(1, runes);
    EXPECT_EQ(page.session().equipment(1).runes, runes);
    EXPECT_EQ(page.build().equipment[1].runes, before);
    page.session().confirmEquipment(1, page.session().equipment(1));
    EXPECT_EQ(page.build().equipment[1].runes, runes);
}

TEST(SimulatorSession, WhatTheEditorsAndTheRuneDialogSee) {
    PageContext context;
    SimulatorSession session(context.catalogue());
    struct Case {
        int race, school, value;
    };
    for (const Case& c : {Case{0, 0, 11}, Case{1, 2, 23}, Case{2, 3, 34}}) {
        session.simulator().setRace(c.race);
        session.simulator().setSchool(c.school);
        EXPECT_EQ(session.schoolValue(), c.value);
    }
    // Pieces outside 1..6 are never written.
    EquipmentRecord odd = blankEquipment(3);
    odd.stunt = 9;
    for (int piece : {-1, 0, 7}) {
        session.confirmEquipment(piece, odd);
        EXPECT_EQ(session.equipmentRevision(piece), 0u);
        EXPECT_EQ(session.equipment(piece), blankEquipment(-1));
    }
    // The record only ever holds what the editors could have written.
    RuneSetting wild;
    wild.holeCount = 100;
    wild.combinationLevelIndex = 9;
    session.setRunes(4, wild);
    EXPECT_EQ(session.equipment(4).runes.holeCount, 5);
    EXPECT_EQ(session.equipment(4).runes.combinationLevelIndex, -1);
    EquipmentRecord belt = blankEquipment(5);
    belt.baseStatus[kHP] = 5000;
    session.confirmEquipment(5, belt);
    EXPECT_EQ(session.equipmentRevision(5), 1u);
    EXPECT_EQ(session.equipment(5).baseStatus[kHP], kMaxBaseValue);
    EXPECT_EQ(session.build().equipment[5], session.equipment(5));
    // Opening again starts a new build on the same record.
    session.open(20);
    EXPECT_EQ(session.build().level, 20);
    EXPECT_EQ(session.equipment(5), blankEquipment(5));
    EXPECT_EQ(session.equipmentRevision(5), 0u);
}

}  // namespace
}  // namespace kalvix
