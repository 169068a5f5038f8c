// The wizard's rules through its model: events in, page, buttons, texts and commands out.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "upvarro/core/wizard_model.h"

namespace upvarro {
namespace {

using A = WizardAction;
using T = WizardTimer;

WizardCommand cmd(A action) {
    return {action};
}
WizardCommand timer(T t, int ms, bool repeat = false) {
    return {A::StartTimer, t, ms, repeat};
}
WizardCommand stop(T t) {
    return {A::StopTimer, t};
}

// A model that has been created and has started its list step.
WizardModel listing(bool visible, bool autoNext = true) {
    WizardModel m(visible, autoNext);
    EXPECT_EQ(m.created(), WizardCommands{timer(T::Start, 10)});
    // Until the start timer fires the buttons are still usable, as the window shows them.
    EXPECT_TRUE(m.next().enabled);
    EXPECT_EQ(m.timerFired(T::Start), WizardCommands{cmd(A::StartListStep)});
    EXPECT_FALSE(m.back().enabled);
    EXPECT_FALSE(m.next().enabled);
    EXPECT_EQ(m.step(), 1);
    return m;
}

// Accepted prompt, downloads done, install done: the model waits for its countdown.
WizardModel atCountdown(bool autoNext) {
    WizardModel m = listing(false, autoNext);
    m.listReady(2, false);
    m.promptAnswered(true);
    m.timerFired(T::Download);
    m.downloadsDone(true);
    m.timerFired(T::Install);
    EXPECT_EQ(m.installDone("总共拷贝2个文件。"), WizardCommands{timer(T::Countdown, 1000, true)});
    return m;
}

struct ListCase {
    const char* name;
    bool visible;
    bool failed;  // the list step ended without a list
    int actions;
    bool force;
    WizardCommands expected;
    WizardOutcome outcome;
    bool cancelEnabled;
};

class WizardAfterList : public ::testing::TestWithParam<ListCase> {};

TEST_P(WizardAfterList, ClosesShowsThePromptOrStays) {
    const ListCase& c = GetParam();
    WizardModel m = listing(c.visible);
    WizardCommands out = c.failed ? m.listFailed() : m.listReady(c.actions, c.force);
    EXPECT_EQ(out, c.expected);
    EXPECT_EQ(m.outcome(), c.outcome);
    EXPECT_EQ(m.cancel().enabled, c.cancelEnabled);
    EXPECT_FALSE(m.next().enabled);
    EXPECT_EQ(m.closed(), !c.expected.empty() && c.expected.back().action == A::Close);
    // A late second report of the list changes nothing.
    EXPECT_TRUE(m.listReady(3, false).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WizardAfterList,
    ::testing::Values(
        ListCase{"HiddenNothingToUpdate",
                 false,
                 false,
                 0,
                 false,
                 {cmd(A::Close)},
                 WizardOutcome::NothingToUpdate,
                 true},
        ListCase{"VisibleNothingToUpdateStays",
                 true,
                 false,
                 0,
                 false,
                 {},
                 WizardOutcome::NothingToUpdate,
                 true},
        ListCase{"HiddenFilesShowOnlyThePrompt",
                 false,
                 false,
                 2,
                 false,
                 {cmd(A::ShowPrompt)},
                 WizardOutcome::Running,
                 true},
        ListCase{"ForcedDisablesCancel",
                 true,
                 false,
                 1,
                 true,
                 {cmd(A::ShowPrompt)},
                 WizardOutcome::Running,
                 false},
        ListCase{"HiddenListFailureCloses",
                 false,
                 true,
                 0,
                 false,
                 {cmd(A::Close)},
                 WizardOutcome::ListFailed,
                 true},
        ListCase{
            "VisibleListFailureStays", true, true, 0, false, {}, WizardOutcome::ListFailed, true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(WizardModel, AcceptedUpdateRunsEveryStepInOrder) {
    WizardModel m = listing(false);
    EXPECT_FALSE(m.visible());
    m.statusChanged("发现2个文件需要更新");
    EXPECT_EQ(m.listReady(2, false), WizardCommands{cmd(A::ShowPrompt)});
    EXPECT_EQ(m.promptAnswered(true),
              (WizardCommands{cmd(A::ShowWindow), timer(T::Download, 1500)}));
    EXPECT_TRUE(m.visible());
    EXPECT_EQ(m.page(), 0);  // still on the list page until the timer fires
    EXPECT_EQ(m.timerFired(T::Download), WizardCommands{cmd(A::StartDownloadStep)});
    EXPECT_EQ(m.step(), 2);
    EXPECT_EQ(m.page(), 1);
    m.speedChanged(" 1个文件正在下载, 下载速度： 12.34 KB/s", "需下载[2]，已完成[1]个文件", "x");
    EXPECT_EQ(m.countLine(), "需下载[2]，已完成[1]个文件");
    EXPECT_EQ(m.listStatus(), "x");
    EXPECT_EQ(m.downloadsDone(true), WizardCommands{timer(T::Install, 1000)});
    EXPECT_EQ(m.step(), 2);
    EXPECT_EQ(m.timerFired(T::Install), WizardCommands{cmd(A::StartInstallStep)});
    EXPECT_EQ(m.step(), 4);
    EXPECT_EQ(m.page(), 2);
    m.installEvent("正在拷贝文件--kalvix");
    EXPECT_EQ(m.installStatus(), "正在拷贝文件--kalvix");
    // Next is still disabled, so a click does not finish early.
    EXPECT_TRUE(m.nextClicked().empty());
    EXPECT_EQ(m.installDone("总共拷贝2个文件。"), WizardCommands{timer(T::Countdown, 1000, true)});
    EXPECT_EQ(m.installStatus(), "总共拷贝2个文件。");
    EXPECT_EQ(m.outcome(), WizardOutcome::Running);
}

TEST(WizardModel, CountdownShowsFourteenToZeroThenFinishes) {
    WizardModel m = atCountdown(true);
    for (int shown = 14; shown >= 1; --shown) {
        EXPECT_TRUE(m.timerFired(T::Countdown).empty());
        EXPECT_EQ(m.next().text, "完成(" + std::to_string(shown) + "s)");
        EXPECT_TRUE(m.next().enabled);
        EXPECT_FALSE(m.back().visible);
        EXPECT_FALSE(m.cancel().visible);
        EXPECT_EQ(m.step(), 5);
    }
    EXPECT_EQ(m.timerFired(T::Countdown),
              (WizardCommands{stop(T::Countdown), cmd(A::HideWindow), cmd(A::FinishUpdate)}));
    EXPECT_EQ(m.next().text, "完成(0s)");
    EXPECT_EQ(m.finishDone(true, ""), WizardCommands{cmd(A::Close)});
    EXPECT_EQ(m.outcome(), WizardOutcome::Finished);
    EXPECT_TRUE(m.closed());
    EXPECT_TRUE(m.timerFired(T::Countdown).empty());
}

TEST(WizardModel, ClickingNextFinishesDuringTheCountdown) {
    WizardModel m = atCountdown(true);
    m.timerFired(T::Countdown);
    EXPECT_EQ(m.nextClicked(),
              (WizardCommands{stop(T::Countdown), cmd(A::HideWindow), cmd(A::FinishUpdate)}));
    m.finishDone(true, "");
    EXPECT_EQ(m.outcome(), WizardOutcome::Finished);
}

TEST(WizardModel, WithoutAutoNextTheUserFinishes) {
    WizardModel m = atCountdown(false);
    EXPECT_EQ(m.timerFired(T::Countdown), WizardCommands{stop(T::Countdown)});
    EXPECT_EQ(m.next().text, "完成");
    EXPECT_EQ(m.countdown(), 15);
    EXPECT_FALSE(m.closed());
    EXPECT_EQ(m.nextClicked().back(), cmd(A::FinishUpdate));
    EXPECT_EQ(m.finishDone(true, ""), WizardCommands{cmd(A::Close)});
    EXPECT_EQ(m.outcome(), WizardOutcome::Finished);
}

TEST(WizardModel, UntickingDuringTheCountdownStopsIt) {
    WizardModel m = atCountdown(true);
    m.timerFired(T::Countdown);
    m.setAutoNextStep(false);
    EXPECT_EQ(m.timerFired(T::Countdown), WizardCommands{stop(T::Countdown)});
    EXPECT_EQ(m.next().text, "完成");
}

TEST(WizardModel, DownloadErrorLeavesOnlyCancel) {
    WizardModel m = listing(false);
    m.listReady(1, false);
    m.promptAnswered(true);
    m.timerFired(T::Download);
    EXPECT_TRUE(m.downloadsDone(false).empty());
    EXPECT_EQ(m.speedLine(), "下载出错，升级失败！");
    EXPECT_TRUE(m.downloadFailed());
    EXPECT_FALSE(m.back().enabled);
    EXPECT_FALSE(m.next().enabled);
    EXPECT_TRUE(m.cancel().enabled);
    // A pass that raced the failure keeps the failure on the line.
    m.speedChanged("s", "c", "status");
    EXPECT_EQ(m.speedLine(), "下载出错，升级失败！");
    EXPECT_EQ(m.page(), 1);
    EXPECT_EQ(m.cancelClicked(),
              (WizardCommands{cmd(A::SetCancelFlag), timer(T::CancelClose, 500)}));
    EXPECT_TRUE(m.cancelClicked().empty());  // once is enough
    EXPECT_FALSE(m.closed());
    EXPECT_EQ(m.timerFired(T::CancelClose), WizardCommands{cmd(A::Close)});
    EXPECT_EQ(m.outcome(), WizardOutcome::DownloadFailed);
}

TEST(WizardModel, DecliningAForcedUpdateEndsTheProgramsFirst) {
    WizardModel m = listing(false);
    m.listReady(1, true);
    EXPECT_TRUE(m.forceUpdate());
    EXPECT_TRUE(m.cancelClicked().empty());
    EXPECT_EQ(m.promptAnswered(false),
              (WizardCommands{cmd(A::DeclineForcedUpdate), cmd(A::Close)}));
    EXPECT_EQ(m.outcome(), WizardOutcome::Declined);
    EXPECT_FALSE(m.visible());
}

TEST(WizardModel, DecliningAnOrdinaryUpdateJustCloses) {
    WizardModel m = listing(false);
    m.listReady(1, false);
    EXPECT_EQ(m.promptAnswered(false), WizardCommands{cmd(A::Close)});
    EXPECT_TRUE(m.promptAnswered(true).empty());
}

TEST(WizardModel, ClosingMidDownloadCancelsAndCloses) {
    WizardModel m = listing(true);
    m.listReady(1, false);
    EXPECT_EQ(m.promptAnswered(true), WizardCommands{timer(T::Download, 1500)});
    m.timerFired(T::Download);
    EXPECT_EQ(m.closeRequested(),
              (WizardCommands{cmd(A::SetCancelFlag), timer(T::CancelClose, 500)}));
    EXPECT_EQ(m.outcome(), WizardOutcome::Cancelled);
    EXPECT_TRUE(m.closeRequested().empty()) << "once is enough";
    EXPECT_EQ(m.timerFired(T::CancelClose), WizardCommands{cmd(A::Close)});
    // Events that were already on their way are dropped.
    EXPECT_TRUE(m.downloadsDone(true).empty());
    EXPECT_TRUE(m.timerFired(T::Install).empty());
    EXPECT_TRUE(m.closeRequested().empty());
}

// The close box is 完成 once the files are in place, 取消 before, and nothing while a forced
// update is still to be installed.
TEST(WizardModel, TheCloseBoxFinishesCancelsOrWaits) {
    const WizardCommands cancel{cmd(A::SetCancelFlag), timer(T::CancelClose, 500)};
    const WizardCommands finish{stop(T::Countdown), cmd(A::HideWindow), cmd(A::FinishUpdate)};
    struct Case {
        const char* where;
        std::function<WizardModel()> reach;
        WizardCommands expected;
        WizardOutcome outcome;
    };
    auto downloading = [](bool force) {
        WizardModel m = listing(false);
        m.listReady(1, force);
        m.promptAnswered(true);
        m.timerFired(T::Download);
        return m;
    };
    const Case cases[] = {
        {"downloading", [&] { return downloading(false); }, cancel, WizardOutcome::Cancelled},
        {"downloading a forced update",
         [&] { return downloading(true); },
         {},
         WizardOutcome::Running},
        {"a forced update whose download failed",
         [&] {
             WizardModel m = downloading(true);
             m.downloadsDone(false);
             return m;
         },
         cancel, WizardOutcome::DownloadFailed},
        {"installed, before the countdown", [] { return atCountdown(true); }, finish,
         WizardOutcome::Running},
        {"counting down",
         [] {
             WizardModel m = atCountdown(true);
             m.timerFired(T::Countdown);
             return m;
         },
         finish, WizardOutcome::Running},
        {"waiting for 完成",
         [] {
             WizardModel m = atCountdown(false);
             m.timerFired(T::Countdown);
             return m;
         },
         finish, WizardOutcome::Running},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        WizardModel m = c.reach();
        EXPECT_EQ(m.closeRequested(), c.expected);
        EXPECT_EQ(m.outcome(), c.outcome);
        EXPECT_FALSE(m.closed()) << "the window goes with the Close command";
    }
}

// Records that could not be written at the finish are a failure the wizard shows, not a
// finished update.
TEST(WizardModel, AFinishThatCouldNotWriteItsRecordsIsShownAsAFailure) {
    for (bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox);
        WizardModel m = atCountdown(false);
        m.timerFired(T::Countdown);
        EXPECT_EQ(m.nextClicked().back(), cmd(A::FinishUpdate));
        EXPECT_EQ(m.finishDone(false, "升级完成，但保存升级记录失败！"),
                  WizardCommands{cmd(A::ShowWindow)});
        EXPECT_EQ(m.outcome(), WizardOutcome::FinishFailed);
        EXPECT_EQ(m.installStatus(), "升级完成，但保存升级记录失败！");
        EXPECT_FALSE(m.closed());
        EXPECT_TRUE(m.next().enabled);
        EXPECT_EQ(byCloseBox ? m.closeRequested() : m.nextClicked(), WizardCommands{cmd(A::Close)})
            << "ended without running the finish again";
        EXPECT_EQ(m.outcome(), WizardOutcome::FinishFailed);
    }
}

TEST(WizardModel, ClosingAfterNothingToUpdateKeepsThatOutcome) {
    WizardModel m = listing(true);
    m.listReady(0, false);
    m.cancelClicked();
    EXPECT_EQ(m.timerFired(T::CancelClose), WizardCommands{cmd(A::Close)});
    EXPECT_EQ(m.outcome(), WizardOutcome::NothingToUpdate);
}

TEST(WizardModel, BackNeverGoesBack) {
    WizardModel m = atCountdown(false);
    EXPECT_TRUE(m.backClicked().empty());
    EXPECT_EQ(m.page(), 2);
}

}  // namespace
}  // namespace upvarro
