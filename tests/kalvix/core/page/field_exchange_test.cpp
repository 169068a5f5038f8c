// The framework's field exchange and the watch that tells a window which controls to write.

#include "kalvix/core/page/field_exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/page/control_watch.h"
#include "kalvix/core/registry/page_registry.h"
#include "support/page_driver.h"

namespace {

using kalvix::FieldExchange;
using kalvix::OutOfRange;

// Three fields in reading order: a 32-bit level with limits, a 64-bit amount, a plain count.
struct Fields {
    std::string levelText = "5", amountText = "7", countText = "9";
    std::int32_t level = 5;
    std::int64_t amount = 7;
    std::int32_t count = 9;
    FieldExchange exchange;

    explicit Fields(OutOfRange rule) {
        exchange.addInt("等级", levelText, level).within(0, 10, rule);
        exchange.addInt64("数量", amountText, amount);
        exchange.addInt("次数", countText, count);
    }
};

TEST(FieldExchange, ReadsInOrderAndStopsAtTheFirstRefusal) {
    const std::string notInt = "请输入一个整数。";
    const std::string range = "请输入一个 0 至 10 之间的整数。";
    struct Case {
        const char* name;
        OutOfRange rule;
        const char* level;
        const char* amount;
        std::int32_t wantLevel;
        std::int64_t wantAmount;  // 7 and a count of 9: not read
        std::string refused;      // "caption:message", empty when none
    } cases[] = {
        {"all read", OutOfRange::Refuse, " 3 ", "-8", 3, -8, ""},
        {"64-bit amount", OutOfRange::Refuse, "3", "9223372036854775807", 3, INT64_MAX, ""},
        {"not an integer", OutOfRange::Refuse, "3x", "1", 5, 7, "等级:" + notInt},
        {"empty", OutOfRange::Refuse, "", "1", 5, 7, "等级:" + notInt},
        {"beyond 32 bits", OutOfRange::Refuse, "2147483648", "1", 5, 7, "等级:" + notInt},
        {"range, stored as typed", OutOfRange::Refuse, "11", "1", 11, 7, "等级:" + range},
        {"range, not stored", OutOfRange::RefuseUnstored, "-1", "1", 5, 7, "等级:" + range},
        {"clamped above", OutOfRange::Clamp, "99", "1", 10, 1, ""},
        {"clamped below", OutOfRange::Clamp, "-4", "1", 0, 1, ""},
        {"later field refused", OutOfRange::Refuse, "4", "many", 4, 7, "数量:" + notInt},
    };
    for (const Case& c : cases) {
        Fields f(c.rule);
        f.levelText = c.level;
        f.amountText = c.amount;
        f.countText = "1";
        const auto failure = f.exchange.read();
        EXPECT_EQ(failure ? failure->field + ":" + failure->text : "", c.refused) << c.name;
        EXPECT_EQ(f.level, c.wantLevel) << c.name;
        EXPECT_EQ(f.amount, c.wantAmount) << c.name;
        EXPECT_EQ(f.count, c.refused.empty() ? 1 : 9) << c.name;
    }
}

TEST(FieldExchange, WritesMembersBackAndParsesEachTextOnce) {
    Fields f(OutOfRange::Refuse);
    f.levelText = "abc";
    f.countText = "12";
    f.amount = 40;
    // Every reading of a refused text refuses again, from the first parse.
    EXPECT_TRUE(f.exchange.read());
    EXPECT_TRUE(f.exchange.read());
    EXPECT_EQ(f.exchange.parses(), 1u);
    EXPECT_EQ(f.exchange.write(), (std::vector<std::string>{"等级", "数量", "次数"}));
    EXPECT_EQ(f.levelText, "5");
    EXPECT_EQ(f.amountText, "40");
    EXPECT_EQ(f.countText, "9");
    // What was written needs no parse; a new text does.
    EXPECT_FALSE(f.exchange.read());
    EXPECT_EQ(f.exchange.parses(), 1u);
    f.countText = "13";
    EXPECT_FALSE(f.exchange.read());
    EXPECT_EQ(f.count, 13);
    EXPECT_EQ(f.exchange.parses(), 2u);
    EXPECT_TRUE(f.exchange.write().empty());
}

TEST(FieldExchange, EveryDeclaredFieldIsAnEditOfItsPage) {
    for (const kalvix::PageEntry& e : kalvix::pageRegistry()) {
        kalvix::PageContext context;
        const auto page = e.create(context);
        for (const std::string& caption : page->fieldExchange().captions()) {
            const kalvix::Control* c = page->find(caption);
            EXPECT_TRUE(c && c->kind == kalvix::ControlKind::Edit) << e.caption << ": " << caption;
        }
    }
}

TEST(ControlWatch, AKeystrokeChangesOnlyTheControlsItMoves) {
    kalvix::PageContext context;
    kalvix::CharacterPage page(context);
    kalvix::ControlWatch watch(page);
    EXPECT_EQ(watch.changed().size(), page.controls().size());
    EXPECT_TRUE(watch.changed().empty());

    calc_test::choose(page, "当前等级", 10);
    calc_test::type(page, "当前经验", "100000");
    std::vector<std::string> changed;
    for (std::size_t i : watch.changed())
        changed.push_back(page.controls()[i].caption);
    // The level moved everything that follows from it; the keystroke only its own results.
    EXPECT_TRUE(std::count(changed.begin(), changed.end(), "目标等级"));
    watch.changed();
    calc_test::type(page, "当前经验", "200000");
    changed.clear();
    for (std::size_t i : watch.changed())
        changed.push_back(page.controls()[i].caption);
    EXPECT_EQ(changed, (std::vector<std::string>{"当前经验", "可升级到", "剩余经验"}));

    // A widget the user changed is written again even when the page keeps its text.
    watch.forget("当前等级");
    ASSERT_EQ(watch.changed().size(), 1u);
}

}  // namespace
