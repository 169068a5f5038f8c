#include "kalvix/core/simulator/simulation_page.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/simulator/build_summary.h"
#include "support/page_driver.h"
#include "support/record_layout.h"

namespace kalvix {
namespace {

using calc_test::check;
using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using Page = SimulationPage;

const char* const kAttr[kBasicAttributes] = {"体质", "魔力", "力量", "耐力", "敏捷"};

bool enabled(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    EXPECT_NE(c, nullptr) << caption;
    return c && c->isEnabled() && c->isVisible();
}

std::vector<std::string> items(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    return c && c->items ? c->items() : std::vector<std::string>{};
}

int selected(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    return c && c->selected ? c->selected() : -2;
}

bool isChecked(const PageModel& page, const std::string& caption) {
    const Control* c = page.find(caption);
    return c && c->checked && c->checked();
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

TEST(SimulationPage, OpensAtTheSharedLevelWithTheRecordsDefaults) {
    PageContext context;
    context.setSharedLevel(60);
    SimulatorSession session(context.catalogue());
    // What an earlier run left in the record: the page's defaults replace it, but race,
    // school, the texts and the level stay in the record.
    EquipmentRecord old = blankEquipment(1);
    old.stunt = 3;
    session.confirmEquipment(1, old);
    session.record().writeInt(record_layout::kRace, 2);
    Page page(context, session);

    EXPECT_EQ(session.equipment(1), blankEquipment(1));
    EXPECT_EQ(session.record().readInt(record_layout::kRace), 2);
    EXPECT_EQ(text(page, "门派"), "大唐官府");
    EXPECT_EQ(items(page, "级别").size(), 176u);
    EXPECT_EQ(selected(page, "级别"), 60);
    EXPECT_EQ(items(page, "额外潜能").size(), 256u);
    EXPECT_EQ(items(page, "气血技能").size(), 191u);
    EXPECT_EQ(items(page, "强身").size(), 181u);
    EXPECT_TRUE(isChecked(page, "已飞升"));
    EXPECT_TRUE(isChecked(page, "坐骑"));
    EXPECT_TRUE(isChecked(page, "装备"));
    EXPECT_TRUE(isChecked(page, "人族"));
    EXPECT_TRUE(isChecked(page, "门派.1"));
    EXPECT_EQ(text(page, "潜力"), std::to_string(5 * 61 + 10));
    EXPECT_EQ(text(page, "体质"), "70");
    EXPECT_FALSE(enabled(page, "名人榜>>"));
    EXPECT_FALSE(enabled(page, "重置点数"));
    EXPECT_FALSE(enabled(page, "比例"));
    EXPECT_FALSE(enabled(page, "数值"));

    const char* const heads[] = {"<h3>武器</h3>", "<h3>铠甲/女衣</h3>", "<h3>头盔或发钗</h3>",
                                 "<h3>项链</h3>", "<h3>腰带</h3>",      "<h3>靴子</h3>"};
    for (int p = 1; p <= 6; ++p)
        EXPECT_EQ(page.tip(Page::pieceCaption(p)), heads[p - 1]);
    EXPECT_EQ(page.tip("坐骑.编辑"), "<h3>坐骑</h3>");
    EXPECT_TRUE(messages(page).empty());
}

TEST(SimulationPage, RaceKeepsTheSchoolIndexAndRelabels) {
    Fixture f;
    Page& page = *f;
    check(page, "方寸山", true);
    choose(page, "气血技能", 40);
    EXPECT_EQ(page.build().skillLevel[0], 40);
    check(page, "仙族", true);
    EXPECT_EQ(text(page, "门派"), "五庄观");
    EXPECT_TRUE(isChecked(page, "门派.3"));
    EXPECT_EQ(page.schoolRadioText(0), "天宫");
    EXPECT_EQ(page.schoolRadioText(2), "五庄观");
    for (int slot = 1; slot <= 8; ++slot)
        EXPECT_EQ(selected(page, Page::skillListCaption(slot)), 0) << slot;
    // Schools of another race are not offered.
    EXPECT_FALSE(enabled(page, "方寸山"));
    EXPECT_TRUE(enabled(page, "五庄观"));
    // A click on the race already chosen is still a click: the skill levels go back to 0.
    choose(page, "魔法技能", 10);
    check(page, "仙族", true);
    EXPECT_EQ(selected(page, "魔法技能"), 0);
}

TEST(SimulationPage, SchoolSetsUpTheSkillButtons) {
    Fixture f;
    Page& page = *f;
    check(page, "女儿村", true);
    EXPECT_EQ(page.skillButtonText(7), "");
    EXPECT_FALSE(enabled(page, "躲避技能"));
    EXPECT_FALSE(enabled(page, "躲避技能.按钮"));
    EXPECT_EQ(page.tip("躲避技能.按钮"), "");
    EXPECT_EQ(page.skillButtonText(6), "*清歌妙舞");
    EXPECT_EQ(text(page, "速度技能.按钮"), "*清歌妙舞");
    EXPECT_TRUE(enabled(page, "速度技能"));
    const Catalogue& cat = f.context.catalogue();
    const SchoolSkillInfo* row = cat.schoolSkill(0, 3, 6);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(page.tip("速度技能.按钮"), schoolSkillButtonTip(*row));
    // Every school's buttons: "*" exactly for skills that raise an attribute.
    for (int race = 0; race < 3; ++race)
        for (int school = 0; school < 4; ++school) {
            check(page, std::vector<std::string>{"人族", "仙族", "魔族"}[race], true);
            check(page, "门派." + std::to_string(school + 1), true);
            for (int slot = 1; slot <= 8; ++slot) {
                const SchoolSkillInfo* r = cat.schoolSkill(race, school, slot);
                const std::string name = r ? r->name : "";
                const std::string shown = page.skillButtonText(slot);
                EXPECT_EQ(shown, name.empty() ? "" : (r->attribute ? "*" : "") + name);
                EXPECT_EQ(enabled(page, Page::skillListCaption(slot)), !name.empty());
            }
        }
}

TEST(SimulationPage, SkillListsAndAuxiliarySkillsRefreshTheirTips) {
    Fixture f(100);
    Page& page = *f;
    choose(page, "气血技能", 100);
    EXPECT_EQ(page.tip("气血技能"),
              schoolSkillLevelTip(page.build(), page.sheet(), 1, f.context.catalogue()));
    EXPECT_NE(page.tip("气血技能").find("技能等级：</font>100"), std::string::npos);
    const std::string before = text(page, "气血");
    choose(page, "强身", 50);
    EXPECT_NE(text(page, "气血"), before);
    EXPECT_EQ(page.tip("气血技能"),
              schoolSkillLevelTip(page.build(), page.sheet(), 1, f.context.catalogue()));
    choose(page, "养生", 10);
    EXPECT_EQ(text(page, "活力"), std::to_string(110 * 5 + 40));
    choose(page, "健身", 20);
    EXPECT_EQ(text(page, "体力"), std::to_string(110 * 5 + 80));
    // 防御 always shows its bonus line, +0 at level 0.
    EXPECT_NE(page.tip("防御技能").find("防御　+0"), std::string::npos);
}

TEST(SimulationPage, LevelResetsTheAllocation) {
    Fixture f(30);
    Page& page = *f;
    press(page, "体质.+5");
    EXPECT_EQ(page.build().allocated[0], 5);
    choose(page, "级别", 30);  // the same level: no change
    EXPECT_EQ(page.build().allocated[0], 5);
    choose(page, "级别", 31);
    EXPECT_EQ(page.build().allocated[0], 0);
    EXPECT_EQ(text(page, "潜力"), std::to_string(5 * 32 + 10));
}

TEST(SimulationPage, AscensionRebuildsTheLevelList) {
    struct Case {
        int level;
        int expectedLevel;
        bool allocationKept;
    };
    for (const Case& c : {Case{150, 145, false}, Case{100, 100, true}, Case{145, 145, true}}) {
        SCOPED_TRACE(c.level);
        Fixture f(c.level);
        Page& page = *f;
        press(page, "力量.+5");
        const int potential = page.sheet().remainingPotential;
        check(page, "已飞升", false);
        EXPECT_EQ(items(page, "级别").size(), 146u);
        EXPECT_EQ(selected(page, "级别"), c.expectedLevel);
        EXPECT_EQ(page.build().allocated[2], c.allocationKept ? 5 : 0);
        if (c.allocationKept) {
            EXPECT_EQ(page.sheet().remainingPotential, potential - 10);
        }
        check(page, "已飞升", true);
        EXPECT_EQ(items(page, "级别").size(), 156u);
        EXPECT_EQ(selected(page, "级别"), c.expectedLevel);
    }
}

TEST(SimulationPage, ExtraPotentialBelowTheAllocationAsks) {
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        Fixture f;
        Page& page = *f;
        std::vector<std::string> asked;
        page.asker = [&](const std::string& t, const std::string& caption) {
            asked.push_back(t);
            EXPECT_EQ(caption, "已分配潜能超出");
            return ok;
        };
        choose(page, "额外潜能", 10);
        EXPECT_EQ(text(page, "潜力"), "25");
        for (int i = 0; i < 5; ++i)
            press(page, "耐力.+5");
        EXPECT_TRUE(asked.empty());
        choose(page, "额外潜能", 0);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], "已加点数超出可用潜能，是否重值已加点数？");
        if (ok) {
            EXPECT_EQ(text(page, "潜力"), "15");
            EXPECT_EQ(page.build().allocated[3], 0);
            continue;
        }
        EXPECT_EQ(text(page, "潜力"), "-10");
        for (int k = 0; k < 5; ++k) {
            EXPECT_FALSE(enabled(page, Page::stepCaption(k, 1)));
            EXPECT_FALSE(enabled(page, Page::stepCaption(k, 5)));
            EXPECT_EQ(enabled(page, Page::stepCaption(k, -1)), k == 3);
            EXPECT_EQ(enabled(page, Page::stepCaption(k, -5)), k == 3);
        }
        EXPECT_TRUE(enabled(page, "重置点数"));
    }
}

TEST(SimulationPage, StepButtonsFollowThePoints) {
    Fixture f;  // level 0, ascended: 15 points
    Page& page = *f;
    struct Step {
        const char* press;
        int potential;
    };
    // 15 → 10 → 9 → 4 → 0, then back.
    const Step steps[] = {{"魔力.+5", 10}, {"魔力.+1", 9}, {"敏捷.+5", 4}, {"敏捷.+1", 3},
                          {"敏捷.+1", 2},  {"敏捷.+1", 1}, {"敏捷.+1", 0}, {"敏捷.-5", 5}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.press);
        press(page, s.press);
        EXPECT_EQ(text(page, "潜力"), std::to_string(s.potential));
        for (int k = 0; k < 5; ++k) {
            const int a = page.build().allocated[k];
            EXPECT_EQ(enabled(page, Page::stepCaption(k, -1)), a >= 1);
            EXPECT_EQ(enabled(page, Page::stepCaption(k, -5)), a >= 5);
            EXPECT_EQ(enabled(page, Page::stepCaption(k, 1)), s.potential >= 1);
            EXPECT_EQ(enabled(page, Page::stepCaption(k, 5)), s.potential >= 5);
        }
    }
    EXPECT_EQ(text(page, "魔力"), "16");
    EXPECT_EQ(text(page, "敏捷"), "14");
    // A disabled button is refused.
    press(page, "体质.-1");
    EXPECT_EQ(page.build().allocated[0], 0);
}

TEST(SimulationPage, ResetClearsPointsAndEntries) {
    Fixture f(10);
    Page& page = *f;
    press(page, "体质.+5");
    type(page, "快速加点.力量", "3");
    EXPECT_TRUE(enabled(page, "比例"));
    press(page, "重置点数");
    EXPECT_EQ(page.build().allocated[0], 0);
    EXPECT_EQ(text(page, "快速加点.力量"), "");
    EXPECT_FALSE(enabled(page, "重置点数"));
    EXPECT_FALSE(enabled(page, "比例"));
}

TEST(SimulationPage, ComparesWithACopyOrAFileMarkingBetterAndWorse) {
    // Points on this build after a copy: the attribute gains them, what it feeds is better,
    // what it does not feed is the same.
    struct Case {
        const char* step;
        const char* attribute;
        const char* difference;
        const char* fed;      // better on this build
        const char* unmoved;  // the same on both
    } cases[] = {
        {"体质.+5", "体质", "+5", "气血", "魔力"},
        {"力量.+5", "力量", "+5", "伤害", "耐力"},
        {"敏捷.+5", "敏捷", "+5", "速度", "体质"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        Fixture f(100);
        Page& page = *f;
        EXPECT_TRUE(page.comparison().empty());
        press(page, "对比当前");
        for (const ComparedAttribute& a : page.comparison())
            EXPECT_EQ(a.verdict(), 0) << a.name;
        press(page, c.step);
        for (const ComparedAttribute& a : page.comparison()) {
            if (a.name == c.attribute) {
                EXPECT_EQ(a.difference(), c.difference);
            } else if (a.name == c.fed) {
                EXPECT_EQ(a.verdict(), 1);
            } else if (a.name == c.unmoved) {
                EXPECT_EQ(a.verdict(), 0);
            }
        }
    }
    // A build from a file: the other side is that build; a file that cannot be read changes
    // nothing.
    const std::string file = ::testing::TempDir() + "compare.PSF";
    {
        Fixture f(100);
        press(*f, "体质.+5");
        ASSERT_TRUE((*f).saveTo(file));
    }
    Fixture f(100);
    Page& page = *f;
    ASSERT_TRUE(page.compareWithFile(file));
    const auto rows = page.comparison();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].name, "气血");
    EXPECT_EQ(rows[0].verdict(), -1);  // the file's build has five more 体质
    EXPECT_FALSE(page.compareWithFile(file + ".none"));
    EXPECT_EQ(page.comparison()[0].other, rows[0].other);
    std::remove(file.c_str());
}

TEST(SimulationPage, QuickAllocation) {
    // Large ratios split as typed: 15 points at 200000 : 100000 are 10 and 5.
    for (const auto& [first, second, expected] :
         {std::tuple{"200000", "100000", std::array<std::int32_t, 5>{10, 5, 0, 0, 0}},
          std::tuple{"2147483647", "1", std::array<std::int32_t, 5>{14, 0, 0, 0, 0}},
          std::tuple{"99999999999", "2147483647", std::array<std::int32_t, 5>{7, 7, 0, 0, 0}}}) {
        Fixture f;  // 15 points
        Page& page = *f;
        type(page, Page::quickCaption(0), first);
        type(page, Page::quickCaption(1), second);
        press(page, "比例");
        EXPECT_EQ(page.build().allocated, expected) << first << " : " << second;
    }
    {
        Fixture f;  // 15 points
        Page& page = *f;
        for (int k : {0, 2, 4})
            type(page, Page::quickCaption(k), "1");
        EXPECT_TRUE(enabled(page, "比例"));
        press(page, "比例");
        EXPECT_EQ(page.build().allocated, (std::array<std::int32_t, 5>{5, 0, 5, 0, 5}));
        EXPECT_EQ(messages(page), std::vector<std::string>{"status:快速加点成功！"});
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(text(page, Page::quickCaption(k)), "");
        EXPECT_FALSE(enabled(page, "比例"));
    }
    {
        Fixture f;
        Page& page = *f;
        type(page, "快速加点.体质", "10");
        type(page, "快速加点.敏捷", "6");
        press(page, "数值");
        EXPECT_EQ(messages(page),
                  std::vector<std::string>{"status:剩余潜能点(15)小于待分配分配潜能(16)！"});
        EXPECT_EQ(text(page, "快速加点.体质"), "10");
        EXPECT_EQ(page.build().allocated[0], 0);
        type(page, "快速加点.敏捷", "5");
        press(page, "数值");
        EXPECT_EQ(page.build().allocated, (std::array<std::int32_t, 5>{10, 0, 0, 0, 5}));
        EXPECT_EQ(messages(page), std::vector<std::string>{"status:快速加点成功！"});
        // No potential left: both buttons stay disabled whatever is typed.
        type(page, "快速加点.魔力", "1");
        EXPECT_FALSE(enabled(page, "比例"));
        EXPECT_FALSE(enabled(page, "数值"));
    }
    {
        // Entries that are empty or not numbers count 0; a huge one cannot overflow.
        Fixture f(175);
        Page& page = *f;
        type(page, "快速加点.体质", "abc");
        EXPECT_FALSE(enabled(page, "数值"));
        type(page, "快速加点.体质", "99999999999999999999");
        type(page, "快速加点.魔力", "1");
        press(page, "比例");
        EXPECT_GE(page.sheet().remainingPotential, 0);
        EXPECT_LE(page.build().allocated[0] + page.build().allocated[1], 5 * 176 + 10);
    }
}

TEST(SimulationPage, StepTooltipsPreviewOnePress) {
    Fixture f;
    Page& page = *f;
    // 人族, level 0: 体质 10 → 15 gives 气血 +25 and 灵力 trunc(17.5) - 16 = +1.
    EXPECT_EQ(page.tip("体质.+5"), "气血 +25　灵力 +1");
    for (int k = 0; k < 5; ++k)
        for (int amount : {1, 5}) {
            const std::string caption = Page::stepCaption(k, amount);
            SCOPED_TRACE(caption);
            const std::string preview = page.tip(caption);
            const auto before = page.sheet().finalStatus;
            // What the press then does, in the same words.
            std::string expected;
            Fixture g;
            press(*g, caption);
            const char* const names[8] = {"气血", "魔法", "命中", "伤害",
                                          "防御", "速度", "躲避", "灵力"};
            for (int j = 0; j < 8; ++j) {
                const int d = g.page->sheet().finalStatus[j] - before[j];
                if (d != 0)
                    expected += (expected.empty() ? "" : "　") + std::string(names[j]) + " +" +
                                std::to_string(d);
            }
            EXPECT_EQ(preview, expected);
            EXPECT_FALSE(preview.empty());
        }
    // The preview leaves the build alone, and a press that is not allowed previews nothing.
    EXPECT_EQ(page.build().allocated, (std::array<std::int32_t, 5>{}));
    for (int i = 0; i < 3; ++i)
        press(page, "体质.+5");
    EXPECT_EQ(page.tip("体质.+5"), "");
}

TEST(SimulationPage, TextsKeepTwentyNineBytes) {
    Fixture f;
    Page& page = *f;
    type(page, "服", std::string(40, 'a'));
    EXPECT_EQ(text(page, "服"), std::string(29, 'a'));
    // 15 double-byte characters are 30 bytes: the last one does not fit.
    std::string wide;
    for (int i = 0; i < 15; ++i)
        wide += "梦";
    type(page, "角色", wide);
    EXPECT_EQ(text(page, "角色"), wide.substr(0, 14 * 3));
}

}  // namespace
}  // namespace kalvix
