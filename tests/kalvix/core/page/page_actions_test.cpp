// The rules of acting on a page as a user would, on a small page made for the purpose.

#include "kalvix/core/page/page_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kalvix::ActionResult;
using kalvix::PageActions;
using Status = ActionResult::Status;

// Records every handler call as "what:value", in order.
class ProbePage : public kalvix::PageModel {
  public:
    ProbePage() {
        addEdit(
            "名字", "editName", [this] { return name; },
            [this](const std::string& t) { log.push_back("edit:" + t); });
        addEdit(
            "数量", "editCount", [this] { return count; },
            [this](const std::string& t) {
                count = t;
                log.push_back("count:" + t);
            });
        addList(
            "等级", "comboLevel",
            [] {
                return std::vector<std::string>{"0", "1", "2"};
            },
            [this] { return level; },
            [this](int i) {
                level = i;
                log.push_back("choose:" + std::to_string(i));
            });
        addCheck(
            "两轮", "checkTwo", [this] { return two; },
            [this](bool on) {
                two = on;
                log.push_back(std::string("check:") + (on ? "1" : "0"));
            });
        addRadio(
            "攻击", "radioAttack", [this] { return mode == 0; },
            [this] {
                mode = 0;
                log.push_back("radio:攻击");
            });
        addRadio(
            "防御", "radioDefence", [this] { return mode == 1; },
            [this] {
                mode = 1;
                log.push_back("radio:防御");
            });
        addButton("计算", "buttonCompute", [this] { log.push_back("press:计算"); });
        addButton("隐藏", "buttonHidden", [this] { log.push_back("press:隐藏"); }).visible = [] {
            return false;
        };
        addButton("停用", "buttonOff", [this] { log.push_back("press:停用"); }).enabled = [this] {
            return enabled;
        };
        addResult("结果", "editResult", [] { return std::string("42"); });
    }
    std::string title() const override { return "探针"; }

    // 数量 keeps the focus while it holds a text that is not a number.
    bool focusLeaving(const std::string& caption) override {
        if (caption == "数量" && !count.empty() &&
            count.find_first_not_of("0123456789") != std::string::npos) {
            log.push_back("kept:数量");
            return false;
        }
        return true;
    }
    void focusEntered(const std::string& caption) override { log.push_back("focus:" + caption); }
    void tick() override { ++ticks; }

    std::string name;
    std::string count;
    int level = 1;
    bool two = false;
    int mode = 0;
    bool enabled = false;
    int ticks = 0;
    std::vector<std::string> log;
};

TEST(PageActions, TypingTakesTheFocusFirst) {
    ProbePage p;
    PageActions a(p);
    EXPECT_TRUE(a.type("名字", "abc").ok());
    EXPECT_EQ(p.log, (std::vector<std::string>{"focus:名字", "edit:abc"}));
    p.log.clear();
    a.type("名字", "abcd");  // the focus is there already
    EXPECT_EQ(p.log, (std::vector<std::string>{"edit:abcd"}));
}

TEST(PageActions, AFieldThatKeepsTheFocusStopsTheNextAction) {
    ProbePage p;
    PageActions a(p);
    a.type("数量", "x");
    p.log.clear();
    const ActionResult r = a.type("名字", "abc");
    EXPECT_EQ(r.status, Status::FocusKept);
    EXPECT_TRUE(r.ok());  // as in the window: nothing happens, nothing is wrong
    EXPECT_EQ(p.log, (std::vector<std::string>{"kept:数量"}));
    EXPECT_EQ(p.focus(), "数量");
}

TEST(PageActions, ChoosingTheChosenItemIsNoChange) {
    ProbePage p;
    PageActions a(p);
    EXPECT_EQ(a.choose("等级", 1).status, Status::NoChange);
    EXPECT_EQ(p.log, (std::vector<std::string>{"focus:等级"}));
    EXPECT_EQ(a.chooseItem("等级", "2").status, Status::Taken);
    EXPECT_EQ(a.chooseItem("等级", "#0").status, Status::Taken);
    EXPECT_EQ(p.log, (std::vector<std::string>{"focus:等级", "choose:2", "choose:0"}));
}

TEST(PageActions, ListValuesOutsideTheListAreRefused) {
    const char* values[] = {"3", "#3", "#-1", "#", "", "x", "#1x"};
    for (const char* v : values) {
        ProbePage p;
        PageActions a(p);
        const ActionResult r = a.chooseItem("等级", v);
        EXPECT_EQ(r.status, Status::BadValue) << v;
        EXPECT_EQ(r.error, std::string("unknown value for 等级: ") + v) << v;
        EXPECT_EQ(p.level, 1) << v;
    }
}

TEST(PageActions, ASelectedRadioButtonStillRunsItsHandler) {
    ProbePage p;
    PageActions a(p);
    ASSERT_EQ(p.mode, 0);
    EXPECT_EQ(a.setChecked("攻击", true).status, Status::Taken);
    EXPECT_EQ(a.click("攻击").status, Status::Taken);
    EXPECT_EQ(p.log, (std::vector<std::string>{"focus:攻击", "radio:攻击", "radio:攻击"}));
    // No click clears a radio button.
    EXPECT_EQ(a.setChecked("攻击", false).status, Status::BadValue);
    EXPECT_EQ(a.assign("防御", "1").status, Status::Taken);
    EXPECT_EQ(p.mode, 1);
}

TEST(PageActions, ACheckBoxIsClickedOnlyWhenItsStateDiffers) {
    ProbePage p;
    PageActions a(p);
    EXPECT_EQ(a.setChecked("两轮", false).status, Status::NoChange);
    EXPECT_EQ(a.setChecked("两轮", true).status, Status::Taken);
    EXPECT_EQ(a.click("两轮").status, Status::Taken);  // a click toggles
    EXPECT_EQ(p.log, (std::vector<std::string>{"focus:两轮", "check:1", "check:0"}));
    EXPECT_EQ(a.assign("两轮", "2").status, Status::BadValue);
}

TEST(PageActions, HiddenDisabledAndUnknownControlsRefuseWithOneText) {
    ProbePage p;
    PageActions a(p);
    const char* captions[] = {"隐藏", "停用", "没有"};
    for (const char* c : captions) {
        for (const ActionResult& r : {a.click(c), a.focus(c), a.type(c, "1"), a.assign(c, "1")}) {
            EXPECT_EQ(r.status, Status::Unavailable) << c;
            EXPECT_EQ(r.error, PageActions::unavailableText(c)) << c;
        }
    }
    EXPECT_TRUE(p.log.empty());
    p.enabled = true;
    EXPECT_EQ(a.click("停用").status, Status::Taken);
    EXPECT_EQ(p.log.back(), "press:停用");
}

TEST(PageActions, ResultsAndButtonsTakeNoTypedValue) {
    ProbePage p;
    PageActions a(p);
    EXPECT_EQ(a.assign("结果", "1").status, Status::BadValue);
    EXPECT_EQ(a.type("计算", "1").status, Status::BadValue);
    EXPECT_EQ(a.click("结果").status, Status::BadValue);
}

TEST(PageActions, TicksAndQueuedAnswers) {
    ProbePage p;
    PageActions a(p);
    a.tick(3);
    a.tick(0);
    EXPECT_EQ(p.ticks, 3);
    // Without a queued answer the page's own asker answers.
    p.asker = [](const std::string&, const std::string&) { return false; };
    a.answerNext(true);
    EXPECT_TRUE(p.asker("?", ""));
    EXPECT_FALSE(p.asker("?", ""));
}

}  // namespace
