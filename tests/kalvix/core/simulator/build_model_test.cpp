#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_record.h"
#include "kalvix/core/simulator/build_simulator.h"
#include "support/record_layout.h"

namespace kalvix {
namespace {

using Five = std::array<std::int32_t, kBasicAttributes>;
using Status = std::array<std::int32_t, kStatusAttributes>;
using Entries = std::array<std::optional<std::int32_t>, kBasicAttributes>;

const Catalogue& cat() {
    return Catalogue::instance();
}

TEST(BuildModel, BareCharactersOfEachRace) {
    struct Case {
        std::int32_t race;
        Five total;
        Status status;
    };
    const Case cases[] = {
        {0, {10, 10, 10, 10, 10}, {150, 110, 50, 46, 15, 10, 20, 16}},
        // 仙族: 速度 trunc(1.2 + 1.2 + 1.1 + 7.0) = 10, 灵力 trunc(3.5 + 3.6 + 2.4 + 4.4) = 13.
        {1, {12, 5, 11, 12, 10}, {154, 97, 48, 46, 19, 10, 20, 13}},
        {2, {12, 11, 11, 8, 8}, {172, 107, 55, 48, 11, 8, 18, 17}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.race);
        BuildSimulator sim(cat(), 0);
        sim.setRace(c.race);
        EXPECT_EQ(sim.sheet().total, c.total);
        EXPECT_EQ(sim.sheet().pointStatus, c.status);
        // School 0 at level 0: only the 大唐官府 damage seed could add, and it is 0 too.
        EXPECT_EQ(sim.sheet().finalStatus, c.status);
        EXPECT_EQ(sim.sheet().vigour, 50);
        EXPECT_EQ(sim.sheet().stamina, 50);
        EXPECT_EQ(sim.sheet().remainingPotential, 15);
        sim.setAscended(false);
        EXPECT_EQ(sim.sheet().remainingPotential, 5);
    }
}

TEST(BuildModel, SpeedKeepsTheOrderOfTheRealSum) {
    EXPECT_EQ(statusFromPoints(0, {10, 10, 10, 10, 10})[kSpeed], 10);
    // 0.6 + 0.6 + 0.6 + 39.2 is 40.99999999999999 in doubles.
    EXPECT_EQ(statusFromPoints(0, {6, 0, 6, 6, 56})[kSpeed], 40);

    // The same through equipment: boots with 敏捷 46 and -4 on 体质, 力量, 耐力.
    BuildSimulator sim(cat(), 0);
    EquipmentRecord boots = blankEquipment(6);
    boots.baseFive[4] = 46;
    boots.addedFive = {-4, 0, -4, -4, 0};
    sim.replaceEquipment(6, boots);
    EXPECT_EQ(sim.sheet().total, (Five{6, 10, 6, 6, 56}));
    EXPECT_EQ(sim.sheet().finalStatus[kSpeed], 40);
}

TEST(BuildModel, AThirdOfEquipmentHitCountsAsDamage) {
    BuildSimulator sim(cat(), 0);
    EquipmentRecord weapon = blankEquipment(1);
    weapon.baseStatus[kHit] = 100;
    sim.replaceEquipment(1, weapon);
    EXPECT_EQ(sim.sheet().finalStatus[kHit], 150);
    EXPECT_EQ(sim.sheet().finalStatus[kHurt], 46 + 33);
}

TEST(BuildModel, StoneBonusesAreTruncatedOneByOne) {
    BuildSimulator sim(cat(), 0);
    EquipmentRecord necklace = blankEquipment(4);
    necklace.baseStatus[kAnima] = 10;
    // 飘渺符石 灵力 +1.5 twice: trunc(10 + 1.5) = 11, trunc(11 + 1.5) = 12, not 13.
    // 雪月符石 adds 体质 +1 and 法力防御 +2; the third hole is beyond the hole count.
    necklace.runes.holeCount = 3;
    necklace.runes.stoneIds = {10200, 10200, 10310, 10310, 12345};
    sim.replaceEquipment(4, necklace);
    const PieceContribution& c = sim.sheet().piece[4];
    EXPECT_EQ(c.status[kAnima], 12);
    EXPECT_EQ(c.five[0], 1);
    EXPECT_EQ(c.special, (std::array<std::int32_t, 3>{2, 0, 0}));
    EXPECT_EQ(sim.sheet().finalStatus[kAnima], 16 + 12);

    // Hole count 1: only the first stone counts; an unknown id contributes nothing.
    necklace.runes.holeCount = 1;
    necklace.runes.stoneIds[0] = 777;
    sim.replaceEquipment(4, necklace);
    EXPECT_EQ(sim.sheet().piece[4].status[kAnima], 10);
}

TEST(BuildModel, CombinationsAddTheirNumbers) {
    BuildSimulator sim(cat(), 0);
    sim.setRace(1);  // 天宫: slot 1 gains HP from its level
    EquipmentRecord head = blankEquipment(3);
    head.runes.combinationId = 1029;  // 为官之道符石, school skill 1, level 2 gives 2
    head.runes.combinationLevelIndex = 1;
    sim.replaceEquipment(3, head);
    EquipmentRecord boots = blankEquipment(6);
    boots.runes.combinationId = 21;  // 无懈可击: 防御 +6 at level 1
    boots.runes.combinationLevelIndex = 0;
    sim.replaceEquipment(6, boots);
    EquipmentRecord belt = blankEquipment(5);
    belt.runes.combinationId = 21;  // a level index without a combination level adds 0
    belt.runes.combinationLevelIndex = 2;
    sim.replaceEquipment(5, belt);

    const AttributeSheet& s = sim.sheet();
    EXPECT_EQ(s.extraSkillLevel[0], 2);
    EXPECT_EQ(s.equipStatus[kDefence], 6);
    // trunc(2 × (154 × 0.003)) = trunc(0.924) = 0; slot 5 at level 0 gives 0.
    EXPECT_EQ(s.skillBonus[0], 0);
    EXPECT_EQ(s.finalStatus[kDefence], 19 + 6);

    sim.setEquipmentOn(false);
    EXPECT_EQ(sim.sheet().extraSkillLevel, (std::array<std::int32_t, 8>{}));
    EXPECT_EQ(sim.sheet().equipStatus, Status{});
    EXPECT_EQ(sim.sheet().finalStatus[kDefence], 19);
    EXPECT_EQ(sim.build().equipment[3].runes.combinationId, 1029);
}

TEST(BuildModel, EquipmentSwitchZeroesEveryEffect) {
    BuildSimulator sim(cat(), 10);
    EquipmentRecord weapon = blankEquipment(1);
    weapon.baseStatus[kHurt] = 200;
    weapon.baseFive[2] = 8;
    weapon.runes.holeCount = 2;
    weapon.runes.stoneIds = {10409, 10311, -1, -1, -1};  // 法力伤害 +2, 固定伤害 +2
    weapon.runes.combinationId = 1033;                   // 无双一击符石: slot 3 levels
    weapon.runes.combinationLevelIndex = 3;
    sim.replaceEquipment(1, weapon);
    const AttributeSheet on = sim.sheet();
    EXPECT_EQ(on.special, (std::array<std::int32_t, 3>{0, 2, 2}));
    EXPECT_EQ(on.extraSkillLevel[2], 6);
    EXPECT_GT(on.skillBonus[2], 0);

    sim.setEquipmentOn(false);
    const AttributeSheet& off = sim.sheet();
    EXPECT_EQ(off.equipFive, Five{});
    EXPECT_EQ(off.equipStatus, Status{});
    EXPECT_EQ(off.special, (std::array<std::int32_t, 3>{}));
    EXPECT_EQ(off.extraSkillLevel, (std::array<std::int32_t, 8>{}));
    EXPECT_EQ(off.skillBonus[2], 0);
    EXPECT_EQ(off.total[1], 20);  // level 10 + 10
    EXPECT_EQ(sim.build().equipment[1], weapon);
    EXPECT_EQ(off.piece[1], on.piece[1]);  // the pieces keep what they contribute

    sim.setEquipmentOn(true);
    EXPECT_EQ(sim.sheet(), on);
}

TEST(BuildModel, MountTruncatesTwice) {
    BuildSimulator sim(cat(), 0);
    MountRecord mount;
    mount.five = {100, 1200, 0, 0, 1000};
    sim.replaceMount(mount);
    EXPECT_EQ(sim.sheet().mountRaw, Five{});  // growth 0 contributes nothing

    mount.growth = 1.2f;
    sim.replaceMount(mount);
    // trunc(trunc(100 ÷ 28.8) × 1.2) = trunc(3 × 1.2) = 3; trunc(32 × 1.2) = 38;
    // trunc(30 × 1.2) = 36 (1000 ÷ 33.3 = 30.03).
    EXPECT_EQ(sim.sheet().mountRaw, (Five{3, 38, 0, 0, 36}));
    EXPECT_EQ(sim.sheet().total, (Five{13, 48, 10, 10, 46}));
    sim.setMountOn(false);
    EXPECT_EQ(sim.sheet().mountFive, Five{});
    EXPECT_EQ(sim.sheet().mountRaw, (Five{3, 38, 0, 0, 36}));
    EXPECT_EQ(sim.sheet().total, (Five{10, 10, 10, 10, 10}));
}

TEST(BuildModel, AddingAndRemovingPoints) {
    BuildSimulator sim(cat(), 0);  // 15 points
    EXPECT_TRUE(sim.addPoints(0, 5));
    EXPECT_TRUE(sim.addPoints(0, 5));
    EXPECT_TRUE(sim.addPoints(1, 1));
    EXPECT_EQ(sim.sheet().remainingPotential, 4);
    EXPECT_FALSE(sim.addPoints(2, 5));
    EXPECT_TRUE(sim.addPoints(2, 1));
    EXPECT_FALSE(sim.removePoints(1, 5));
    EXPECT_TRUE(sim.removePoints(1, 1));
    EXPECT_FALSE(sim.removePoints(1, 1));
    EXPECT_EQ(sim.build().allocated, (Five{10, 0, 1, 0, 0}));
    EXPECT_EQ(sim.sheet().total[0], 20);

    // Setting the level discards the points even when it stays the same.
    sim.setLevel(0);
    EXPECT_EQ(sim.build().allocated, Five{});
    EXPECT_EQ(sim.sheet().remainingPotential, 15);
}

TEST(BuildModel, QuickAllocation) {
    struct Case {
        const char* what;
        QuickAllocation mode;
        int preAllocated;  // points put into 敏捷 first
        bool ascended;
        Entries entries;
        bool allocated;
        bool failed;
        std::int32_t remaining;
        std::int64_t sum;
        Five after;
    };
    const Case cases[] = {
        {"ratio leaves the remainder",
         QuickAllocation::Ratio,
         5,
         true,
         {1, 1, 1, {}, {}},
         true,
         false,
         10,
         3,
         {3, 3, 3, 0, 5}},
        {"ratio by weights",
         QuickAllocation::Ratio,
         0,
         true,
         {2, {}, 1, {}, {}},
         true,
         false,
         15,
         3,
         {10, 0, 5, 0, 0}},
        {"value fails with R and S",
         QuickAllocation::Value,
         0,
         false,
         {3, {}, 3, {}, {}},
         false,
         true,
         5,
         6,
         {0, 0, 0, 0, 0}},
        {"value fits",
         QuickAllocation::Value,
         0,
         true,
         {3, 4, {}, {}, 8},
         true,
         false,
         15,
         15,
         {3, 4, 0, 0, 8}},
        {"nothing without entries",
         QuickAllocation::Ratio,
         0,
         true,
         {0, {}, {}, {}, {}},
         false,
         false,
         15,
         0,
         {0, 0, 0, 0, 0}},
        {"nothing without potential",
         QuickAllocation::Value,
         15,
         true,
         {1, {}, {}, {}, {}},
         false,
         false,
         0,
         1,
         {0, 0, 0, 0, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuildSimulator sim(cat(), 0);
        sim.setAscended(c.ascended);
        for (int i = 0; i < c.preAllocated; ++i)
            sim.addPoints(4, 1);
        const QuickResult r = sim.quickAllocate(c.mode, c.entries);
        EXPECT_EQ(r.allocated, c.allocated);
        EXPECT_EQ(r.failed, c.failed);
        EXPECT_EQ(r.remaining, c.remaining);
        EXPECT_EQ(r.sum, c.sum);
        EXPECT_EQ(sim.build().allocated, c.after);
    }
}

TEST(BuildModel, RatioNeverTakesPointsAway) {
    BuildSimulator sim(cat(), 0);
    sim.addPoints(0, 5);
    sim.addPoints(0, 5);
    sim.setAscended(false);  // 5 points, 10 allocated: 潜力 -5
    ASSERT_EQ(sim.sheet().remainingPotential, -5);
    const QuickResult r = sim.quickAllocate(QuickAllocation::Ratio, {1, 1, {}, {}, {}});
    EXPECT_FALSE(r.allocated);
    EXPECT_EQ(sim.build().allocated, (Five{10, 0, 0, 0, 0}));
    const QuickResult v = sim.quickAllocate(QuickAllocation::Value, {1, {}, {}, {}, {}});
    EXPECT_TRUE(v.failed);
    EXPECT_EQ(v.remaining, -5);
}

TEST(BuildModel, AscensionChangesTheLevelRange) {
    BuildSimulator sim(cat(), 150);
    sim.addPoints(0, 5);
    sim.setAscended(false);
    EXPECT_EQ(sim.build().level, 145);
    EXPECT_EQ(sim.build().allocated, Five{});

    BuildSimulator mid(cat(), 100);
    mid.addPoints(0, 5);
    const std::int32_t before = mid.sheet().remainingPotential;
    mid.setAscended(false);
    EXPECT_EQ(mid.build().level, 100);
    EXPECT_EQ(mid.build().allocated[0], 5);
    EXPECT_EQ(mid.sheet().remainingPotential, before - 10);
    mid.setAscended(true);
    EXPECT_EQ(mid.sheet().remainingPotential, before);

    BuildSimulator high(cat(), 170);
    high.setAscended(false);
    high.setAscended(true);
    EXPECT_EQ(high.build().level, 145);
}

TEST(BuildModel, RaceAndSchoolResetSkillLevels) {
    BuildSimulator sim(cat(), 50);
    sim.setSchool(2);
    sim.setSkillLevel(5, 60);
    sim.setAuxLevel(kStrong, 10);
    sim.addPoints(0, 5);
    sim.setRace(1);
    EXPECT_EQ(sim.build().school, 2);
    EXPECT_EQ(sim.build().skillLevel, (std::array<std::int32_t, 8>{}));
    EXPECT_EQ(sim.build().auxLevel[kStrong], 10);
    EXPECT_EQ(sim.build().allocated[0], 5);
}

TEST(BuildModel, SkillBonusesAndAuxiliarySkills) {
    BuildSimulator sim(cat(), 0);
    sim.setSkillLevel(3, 1);
    sim.setSkillLevel(4, 1);
    EXPECT_EQ(sim.sheet().skillBonus[2], 1);
    EXPECT_EQ(sim.sheet().skillBonus[3], 22);
    EXPECT_EQ(sim.sheet().finalStatus[kHit], 51);
    EXPECT_EQ(sim.sheet().finalStatus[kHurt], 46 + 22);

    sim.setAuxLevel(kStrong, 10);
    sim.setAuxLevel(kMeditate, 20);
    sim.setAuxLevel(kNurture, 3);
    sim.setAuxLevel(kFitness, 180);
    EXPECT_EQ(sim.sheet().finalStatus[kHP], 165);  // trunc(150 × 1.1)
    EXPECT_EQ(sim.sheet().finalStatus[kMP], 132);  // trunc(110 × 1.2)
    EXPECT_EQ(sim.sheet().vigour, 62);
    EXPECT_EQ(sim.sheet().stamina, 770);

    // 天宫's slot 1 takes the HP from points; the bonus is added before the truncation.
    BuildSimulator tg(cat(), 100);
    tg.setRace(1);
    tg.setSkillLevel(1, 100);
    const std::int32_t base = tg.sheet().pointStatus[kHP];
    EXPECT_EQ(tg.sheet().skillBonus[0], static_cast<std::int32_t>(100 * (base * 0.003)));
    EXPECT_EQ(tg.sheet().finalStatus[kHP], base + tg.sheet().skillBonus[0]);
}

TEST(BuildModel, TextsKeepWhatASaveStores) {
    BuildSimulator sim(cat(), 0);
    sim.setName("梦幻西游梦幻西游梦幻西游梦幻西游");  // 32 bytes
    EXPECT_EQ(sim.build().name, "梦幻西游梦幻西游梦幻西游梦幻");
    sim.setServer("a梦幻西游梦幻西游梦幻西游梦幻西");
    EXPECT_EQ(sim.build().server, "a梦幻西游梦幻西游梦幻西游梦幻");
    sim.setArea("一区");
    EXPECT_EQ(sim.build().area, "一区");
}

TEST(BuildModel, CachedContributionsMatchAFullRecalculation) {
    BuildSimulator sim(cat(), 80);
    EquipmentRecord clothing = blankEquipment(2);
    clothing.baseStatus[kDefence] = 300;
    clothing.meltFive[3] = -20;
    clothing.runes.holeCount = 4;
    clothing.runes.stoneIds = {10005, 10312, 10004, 10502, -1};
    sim.replaceEquipment(2, clothing);
    MountRecord mount;
    mount.growth = 2.5f;
    mount.five = {300, 0, 400, 0, 0};
    sim.replaceMount(mount);
    sim.setMountOn(false);
    sim.setEquipmentOn(false);
    sim.setEquipmentOn(true);
    const AttributeSheet cached = sim.sheet();
    sim.recalculateAll();
    EXPECT_EQ(sim.sheet(), cached);
}

TEST(BuildModel, DamagedRecordValuesAreBroughtIntoRange) {
    namespace L = record_layout;
    BuildRecord record;
    record.resetDefaults();
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const std::int32_t small = std::numeric_limits<std::int32_t>::min();
    record.writeInt(L::kRace, 7);
    record.writeInt(L::kSchool, -3);
    record.writeInt(L::kLevel, 999);
    record.writeInt(L::kExtraPotential, -5);
    record.writeInt(L::kSkillLevel, 5000);
    record.writeInt(L::kAuxLevel, small);
    for (int k = 0; k < kBasicAttributes; ++k)
        record.writeInt(L::kAllocated + 4 * k, big);
    record.writeFloat(L::kMount, std::numeric_limits<float>::quiet_NaN());
    record.writeInt(L::kMount + L::kMountFive, 99999);
    EquipmentRecord w = record.readEquipment(1);
    w.slot = 44;
    w.levelIndex = 99;
    w.stunt = 1000;
    w.partEffects = -1;
    w.generalEffects = big;
    w.baseStatus.fill(big);
    w.addedFive.fill(small);
    w.meltStatus.fill(big);
    w.runes.holeCount = 100;
    w.runes.combinationId = 1029;
    w.runes.combinationLevelIndex = 77;
    w.runes.stoneIds = {small, big, 0, 10000, -7};
    record.writeEquipment(1, w);

    BuildSimulator sim(cat(), 0);
    sim.applyRecord(record, 155);
    const CharacterBuild& b = sim.build();
    EXPECT_EQ(b.race, 2);
    EXPECT_EQ(b.school, 0);
    EXPECT_EQ(b.level, 155);
    EXPECT_EQ(b.extraPotential, 0);
    EXPECT_EQ(b.skillLevel[0], 190);
    EXPECT_EQ(b.auxLevel[0], 0);
    EXPECT_EQ(b.allocated, (Five{1145, 1145, 1145, 1145, 1145}));
    EXPECT_EQ(b.mount.growth, 0.0f);
    EXPECT_EQ(b.mount.five[0], 1200);
    const EquipmentRecord& piece = b.equipment[1];
    EXPECT_EQ(piece.slot, 1);
    EXPECT_EQ(piece.levelIndex, -1);
    EXPECT_EQ(piece.stunt, -1);
    EXPECT_EQ(piece.baseStatus[0], 999);
    EXPECT_EQ(piece.addedFive[0], -50);
    EXPECT_EQ(piece.meltStatus[0], 150);
    EXPECT_EQ(piece.runes.holeCount, 5);
    EXPECT_EQ(piece.runes.combinationLevelIndex, -1);
    // Only the one known stone (冰符石, 体质 +1) counts.
    EXPECT_EQ(sim.sheet().piece[1].five[0], -50 + 1);
    EXPECT_EQ(sim.sheet().remainingPotential, 5 * 156 + 10 - 5 * 1145);
    // The record now holds what the simulator computes with.
    EXPECT_EQ(record.readInt(L::kRace), 2);
    EXPECT_EQ(record.readEquipment(1), piece);
}

}  // namespace
}  // namespace kalvix
