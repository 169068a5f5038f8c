// Undo and redo of the simulator page: a seeded random walk of a player's actions, undone to
// the start, shows the opening state on every control; redone, the end state.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "kalvix/core/page/control_state.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "support/random_actions.h"

namespace {

using kalvix::ControlState;
using kalvix::PageActions;
using kalvix::SimulationPage;

bool isHistoryButton(const kalvix::Control& c) {
    return c.caption == kalvix::kUndoCaption || c.caption == kalvix::kRedoCaption;
}

// Every control but the two history buttons, kalvix-calc's clipboard stand-in and the
// comparison, which are no part of the build (the comparison is a view beside it).
std::vector<ControlState> shown(const SimulationPage& page) {
    std::vector<ControlState> states;
    for (const kalvix::Control& c : page.controls())
        if (!isHistoryButton(c) && c.caption != "剪贴板" && c.caption != "对比")
            states.push_back(kalvix::controlState(c));
    return states;
}

int pressWhileEnabled(PageActions& actions, const char* caption) {
    int n = 0;
    while (actions.page().find(caption)->isEnabled() && n < 1000) {
        EXPECT_TRUE(actions.click(caption).ok());
        ++n;
    }
    return n;
}

TEST(SimulationHistory, UndoWalksBackToTheStartAndRedoForward) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        kalvix::PageContext context;
        context.setSharedLevel(69);
        SimulationPage page(context);
        PageActions actions(page);
        const std::vector<ControlState> start = shown(page);
        EXPECT_FALSE(page.canUndo());
        std::mt19937 rng(seed);
        const auto walked = [](const kalvix::Control& c) {
            return !isHistoryButton(c) && c.caption != "剪贴板";
        };
        for (int i = 0; i < 60; ++i) {
            const auto s = random_actions::randomStep(page, rng, walked);
            ASSERT_TRUE(s);
            ASSERT_EQ(random_actions::apply(actions, *s), "");
        }
        const std::vector<ControlState> end = shown(page);
        const int undone = pressWhileEnabled(actions, kalvix::kUndoCaption);
        EXPECT_LE(undone, 60);
        EXPECT_EQ(shown(page), start);
        EXPECT_EQ(pressWhileEnabled(actions, kalvix::kRedoCaption), undone);
        EXPECT_EQ(shown(page), end);
    }
}

TEST(SimulationHistory, TypingOnIsOneStepAndTheHistoryIsBounded) {
    kalvix::PageContext context;
    SimulationPage page(context);
    PageActions actions(page);
    for (const char* text : {"小", "小蜘", "小蜘蛛"})
        actions.type("角色", text);
    actions.click(kalvix::kUndoCaption);
    EXPECT_EQ(page.build().name, "");
    EXPECT_FALSE(page.canUndo());
    // A new change forgets what was undone.
    actions.click(kalvix::kRedoCaption);
    actions.chooseItem("级别", "100");
    EXPECT_FALSE(page.canRedo());
    for (int i = 0; i < 150; ++i)
        actions.choose("级别", i % 2);
    EXPECT_EQ(pressWhileEnabled(actions, kalvix::kUndoCaption),
              static_cast<int>(kalvix::BuildHistory<int>::kMaxSteps));
}

}  // namespace
