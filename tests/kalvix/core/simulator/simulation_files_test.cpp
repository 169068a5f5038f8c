// Build files and build codes through the simulator page: save, load, damaged files, paste.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kalvix/core/simulator/build_code.h"
#include "kalvix/core/simulator/build_summary.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "support/files.h"
#include "support/page_driver.h"

namespace kalvix {
namespace {

namespace fs = std::filesystem;
using calc_test::check;
using calc_test::choose;
using calc_test::messages;
using calc_test::press;
using calc_test::text;
using calc_test::type;
using test_support::readFile;
using test_support::writeFile;

std::string fixture(const char* name) {
    return std::string(KALVIX_TEST_DATA) + "/simulator/" + name;
}

class SimulationFiles : public ::testing::Test {
  protected:
    std::string path(const char* name) const { return (dir_ / name).string(); }

    // A build with something in every part the page holds.
    void fill(SimulationPage& page) {
        check(page, "魔族", true);
        check(page, "盘丝洞", true);
        type(page, "服", "电信一区");
        type(page, "区", "长安城");
        type(page, "角色", "测试角色");
        choose(page, "级别", 109);
        choose(page, "额外潜能", 20);
        choose(page, "气血技能", 100);
        choose(page, "灵力技能", 90);
        choose(page, "冥思", 30);
        press(page, "敏捷.+5");
        press(page, "体质.+1");
        MountRecord mount;
        mount.growth = 1.5f;
        mount.five = {100, 200, 0, 0, 50};
        page.session().confirmMount(mount);
        EquipmentRecord weapon = page.session().equipment(1);
        weapon.levelIndex = 10;
        weapon.baseStatus[kHurt] = 360;
        weapon.stunt = 5;
        page.session().confirmEquipment(1, weapon);
    }

    test_support::TempDir temp_;
    fs::path dir_ = temp_.path();
    PageContext context_;
};

TEST_F(SimulationFiles, SaveAndLoadRoundTrip) {
    SimulationPage saved(context_);
    fill(saved);
    ASSERT_TRUE(saved.saveTo(path("a.PSF")));
    const std::string file = readFile(path("a.PSF"));
    EXPECT_EQ(file.size(), 2000u);
    EXPECT_EQ(file.find('\n'), std::string::npos);
    EXPECT_FALSE(fs::exists(path("a.PSF.part")));

    SimulationPage loaded(context_);
    ASSERT_TRUE(loaded.loadFrom(path("a.PSF")));
    EXPECT_TRUE(messages(loaded).empty());
    for (const Control& c : saved.controls()) {
        if (c.text && c.caption != "剪贴板") {
            EXPECT_EQ(text(loaded, c.caption), text(saved, c.caption)) << c.caption;
        }
    }
    EXPECT_EQ(loaded.build().allocated, saved.build().allocated);
    EXPECT_EQ(loaded.build().mount, saved.build().mount);
    EXPECT_EQ(loaded.build().equipment, saved.build().equipment);
    // After a load the buttons show their summaries.
    EXPECT_NE(loaded.tip("武器"), "<h3>武器</h3>");
    EXPECT_EQ(loaded.tip("坐骑.编辑"), mountSummary(loaded.build().mount, loaded.sheet().mountRaw));
    EXPECT_NE(loaded.tip("坐骑.编辑"), "<h3>坐骑</h3>");
    EXPECT_EQ(loaded.session().record(), saved.session().record());
}

TEST_F(SimulationFiles, FreshPageAtLevelZero) {
    SimulationPage page(context_);
    ASSERT_TRUE(page.saveTo(path("fresh.PSF")));
    SimulationPage other(context_);
    choose(other, "级别", 50);
    ASSERT_TRUE(other.loadFrom(path("fresh.PSF")));
    for (const Control& c : page.controls()) {
        if (c.text) {
            EXPECT_EQ(text(other, c.caption), text(page, c.caption)) << c.caption;
        }
    }
}

TEST_F(SimulationFiles, SavingReplacesTheFileWhole) {
    SimulationPage page(context_);
    writeFile(path("old.PSF"), std::string(3000, 'x'));
    ASSERT_TRUE(page.saveTo(path("old.PSF")));
    EXPECT_EQ(readFile(path("old.PSF")).size(), 2000u);

    // A folder that cannot be written: the file there stays as it was.
    if (::geteuid() != 0) {
        writeFile(dir_ / "locked" / "b.PSF", "keep");
        fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(page.saveTo((dir_ / "locked" / "b.PSF").string()));
        EXPECT_EQ(readFile(dir_ / "locked" / "b.PSF"), "keep");
        fs::permissions(dir_ / "locked", fs::perms::owner_all);
        messages(page);
    }
    // The text is written but cannot replace what stands there: nothing is left behind, and
    // what was there stays.
    writeFile(dir_ / "taken.PSF" / "inside", "keep");
    EXPECT_FALSE(page.saveTo(path("taken.PSF")));
    EXPECT_EQ(messages(page),
              std::vector<std::string>{"box:Write " + path("taken.PSF") + " failed!\n"});
    EXPECT_FALSE(fs::exists(path("taken.PSF.part")));
    EXPECT_EQ(readFile(dir_ / "taken.PSF" / "inside"), "keep");

    const std::string missing = (dir_ / "no" / "such" / "c.PSF").string();
    EXPECT_FALSE(page.saveTo(missing));
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:Open " + missing + " failed!\n"});
    EXPECT_FALSE(fs::exists(dir_ / "no"));
}

TEST_F(SimulationFiles, LoadFailuresLeaveTheBuild) {
    SimulationPage page(context_);
    press(page, "体质.+5");
    const std::string missing = path("missing.PSF");
    EXPECT_FALSE(page.loadFrom(missing));
    EXPECT_EQ(messages(page), std::vector<std::string>{"box:Open " + missing + " failed!\n"});
    EXPECT_FALSE(page.loadFrom(fixture("empty.PSF")));
    EXPECT_TRUE(messages(page).empty());
    EXPECT_EQ(page.build().allocated[0], 5);
    EXPECT_EQ(page.tip("武器"), "<h3>武器</h3>");
}

TEST_F(SimulationFiles, DamagedFilesNeverLeaveTheRanges) {
    for (const char* name : {"damaged_values.PSF", "damaged_wrapped.PSF", "damaged_short.PSF",
                             "damaged_padding.PSF", "damaged_binary.PSF", "damaged_long.PSF"}) {
        SCOPED_TRACE(name);
        SimulationPage page(context_);
        fill(page);
        page.loadFrom(fixture(name));
        EXPECT_TRUE(messages(page).empty());
        const CharacterBuild& b = page.build();
        EXPECT_GE(b.race, 0);
        EXPECT_LE(b.race, 2);
        EXPECT_GE(b.school, 0);
        EXPECT_LE(b.school, 3);
        EXPECT_GE(b.level, 0);
        EXPECT_LE(b.level, page.levelLimit());
        const Control* level = page.find("级别");
        EXPECT_LT(level->selected(), static_cast<int>(level->items().size()));
        for (std::int32_t s : b.skillLevel)
            EXPECT_LE(s, 190);
        EXPECT_LE(b.server.size(), 29u * 3);
        for (const Control& c : page.controls())
            if (c.text)
                c.text();  // every field can be shown
        for (const Control& c : page.controls())
            page.tip(c.caption);
        // The page stays usable.
        press(page, "重置点数");
        EXPECT_EQ(page.build().allocated, (std::array<std::int32_t, 5>{}));
        EXPECT_TRUE(page.saveTo(path("again.PSF")));
    }
}

TEST_F(SimulationFiles, WrappedFileRestoresItsFirstLine) {
    SimulationPage page(context_);
    page.loadFrom(fixture("damaged_values.PSF"));
    SimulationPage wrapped(context_);
    wrapped.loadFrom(fixture("damaged_wrapped.PSF"));
    // The first 76 characters are 57 bytes: race, school and the start of 服.
    EXPECT_EQ(wrapped.build().race, page.build().race);
    EXPECT_EQ(wrapped.build().school, page.build().school);
    EXPECT_EQ(wrapped.build().level, 0);
}

TEST(BuildCode, OnlyAWholeCodeIsAccepted) {
    const std::string code(2000, 'A');
    struct Case {
        std::string pasted;
        bool accepted;
    };
    const Case cases[] = {
        {code, true},
        {"  " + code + "\r\n", true},
        {code.substr(1), false},
        {code + "A", false},
        {code.substr(0, 1996) + "AA==", false},
        {"*" + code.substr(1), false},
        {code.substr(0, 1000) + "\n" + code.substr(1001), false},
        {std::string(), false},
        {"我" + code.substr(3), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(extractBuildCode(c.pasted).has_value(), c.accepted) << c.pasted.substr(0, 8);
}

TEST_F(SimulationFiles, CopyAndPasteShareABuild) {
    kalvix::MemoryDesktop desktop;
    context_.setDesktop(&desktop);
    SimulationPage from(context_);
    fill(from);
    press(from, "复制代码");
    EXPECT_EQ(messages(from), std::vector<std::string>{"status:人物模拟代码已复制到剪贴板。"});
    ASSERT_TRUE(from.saveTo(path("same.PSF")));
    EXPECT_EQ(desktop.clipboardText(), readFile(path("same.PSF")));

    SimulationPage to(context_);
    std::vector<std::string> asked;
    bool answer = false;
    to.asker = [&](const std::string& q, const std::string&) {
        asked.push_back(q);
        return answer;
    };
    press(to, "粘贴代码");  // the player says no
    EXPECT_EQ(asked, std::vector<std::string>{"用粘贴的代码替换当前的人物模拟？"});
    EXPECT_EQ(to.build().level, 0);
    answer = true;
    press(to, "粘贴代码");
    EXPECT_EQ(to.build().level, 109);
    EXPECT_EQ(to.build().allocated, from.build().allocated);
    EXPECT_EQ(text(to, "角色"), "测试角色");
    EXPECT_EQ(to.session().record(), from.session().record());
    EXPECT_EQ(messages(to), std::vector<std::string>{"status:人物模拟代码已读取。"});

    // Not a code: refused before any question, and nothing changes.
    asked.clear();
    const CharacterBuild before = to.build();
    const std::string code = desktop.clipboardText();
    for (std::string bad : {code.substr(0, 1999), "*" + code.substr(1), std::string("hello")}) {
        desktop.setClipboardText(bad);
        press(to, "粘贴代码");
        EXPECT_EQ(messages(to), std::vector<std::string>{"box:剪贴板中的文字不是人物模拟代码！"});
        EXPECT_TRUE(asked.empty());
        EXPECT_EQ(to.build().allocated, before.allocated);
        EXPECT_EQ(to.build().level, before.level);
    }
}

TEST_F(SimulationFiles, PageClipboardWithoutAHost) {
    SimulationPage from(context_);
    choose(from, "级别", 33);
    press(from, "复制代码");
    const std::string code = text(from, "剪贴板");
    EXPECT_EQ(code.size(), 2000u);
    SimulationPage to(context_);
    type(to, "剪贴板", code);
    press(to, "粘贴代码");
    EXPECT_EQ(to.build().level, 33);
}

}  // namespace
}  // namespace kalvix
