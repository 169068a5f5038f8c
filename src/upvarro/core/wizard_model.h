#pragma once
// The update wizard's rules without a window: events from the steps, the timers and the
// user's clicks go in; the page, the buttons, the page texts and the commands the window has
// to carry out come out. The sheet only maps them onto widgets and threads.

#include <string>
#include <vector>

namespace upvarro {

enum class WizardTimer { Start, Download, Install, Countdown, CancelClose };

inline constexpr int kStartDelayMs = 10;
inline constexpr int kDownloadDelayMs = 1500;
inline constexpr int kInstallDelayMs = 1000;
inline constexpr int kCountdownPeriodMs = 1000;
inline constexpr int kCancelCloseDelayMs = 500;
inline constexpr int kCountdownStart = 15;

inline constexpr const char* kBackText = "上一步(&B)";
inline constexpr const char* kNextText = "下一步(&N)";
inline constexpr const char* kCancelText = "取消";
inline constexpr const char* kAutoNextText = "自动进入下一步";
inline constexpr const char* kFinishText = "完成";

enum class WizardAction {
    StartTimer,  // timer, delayMs, repeat
    StopTimer,   // timer
    StartListStep,
    ShowPrompt,
    ShowWindow,
    HideWindow,
    StartDownloadStep,
    StartInstallStep,
    SetCancelFlag,
    DeclineForcedUpdate,
    // writes the lists and the configuration, restarts, hands over; the owner reports how it
    // went with finishDone
    FinishUpdate,
    Close,  // stops what still runs, writes the configuration, ends the wizard
};

struct WizardCommand {
    WizardAction action;
    WizardTimer timer = WizardTimer::Start;
    int delayMs = 0;
    bool repeat = false;
    bool operator==(const WizardCommand&) const = default;
};
using WizardCommands = std::vector<WizardCommand>;

// How the run ended, for the exit status.
enum class WizardOutcome {
    Running,
    NothingToUpdate,
    Declined,
    Finished,
    ListFailed,
    DownloadFailed,
    Cancelled,
    // the files are in place, but a list or the configuration could not be written
    FinishFailed,
};

struct WizardButton {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool operator==(const WizardButton&) const = default;
};

// Steps: 1 list, 2 download, 4 install (the third page), 5 countdown.
class WizardModel {
  public:
    WizardModel(bool visible, bool autoNextStep);

    WizardCommands created();
    WizardCommands timerFired(WizardTimer timer);
    // Page 1's status line (also when the list step failed).
    WizardCommands statusChanged(const std::string& status);
    WizardCommands listReady(int actionCount, bool forceUpdate);
    // The list step ended without a list (download failed or the list was unusable).
    WizardCommands listFailed();
    WizardCommands promptAnswered(bool updateNow);
    WizardCommands speedChanged(const std::string& speedLine, const std::string& countLine,
                                const std::string& status);
    // sizesOk: the size check after the downloads passed and no download failed.
    WizardCommands downloadsDone(bool sizesOk);
    WizardCommands installEvent(const std::string& text);
    WizardCommands installDone(const std::string& totals);
    WizardCommands nextClicked();
    WizardCommands backClicked();
    WizardCommands cancelClicked();
    // The finish has run: ok, or the status to show when its records could not be written.
    WizardCommands finishDone(bool ok, const std::string& failure);
    // The window's close box: 完成 on the countdown and finish pages, 取消 elsewhere; nothing
    // while 取消 is disabled for a forced update that is still to be installed. The window
    // stays until a Close command comes.
    WizardCommands closeRequested();
    void setAutoNextStep(bool ticked) { autoNext_ = ticked; }

    int step() const { return step_; }
    int page() const;  // 0, 1 or 2
    bool visible() const { return visible_; }
    bool forceUpdate() const { return force_; }
    bool autoNextStep() const { return autoNext_; }
    bool closed() const { return closed_; }
    int countdown() const { return countdown_; }
    WizardOutcome outcome() const { return outcome_; }
    const WizardButton& back() const { return back_; }
    const WizardButton& next() const { return next_; }
    const WizardButton& cancel() const { return cancel_; }
    const std::string& listStatus() const { return listStatus_; }
    const std::string& speedLine() const { return speedLine_; }
    const std::string& countLine() const { return countLine_; }
    bool downloadFailed() const { return downloadFailed_; }  // the speed line shows bold
    const std::string& installStatus() const { return installStatus_; }

  private:
    WizardCommands finish();
    WizardCommands close();
    // 取消: sets the cancel flag and closes shortly; evenDisabled for a run that is over.
    WizardCommands cancelWith(bool evenDisabled);
    void end(WizardOutcome outcome);

    bool visible_;
    bool autoNext_;
    bool force_ = false;
    bool closed_ = false;
    bool closing_ = false;
    bool listDone_ = false;
    bool downloadFailed_ = false;
    bool installFinished_ = false;
    bool finishFailed_ = false;
    int step_ = 1;
    int countdown_ = kCountdownStart;
    WizardOutcome outcome_ = WizardOutcome::Running;
    WizardButton back_{kBackText};
    WizardButton next_{kNextText};
    WizardButton cancel_{kCancelText};
    std::string listStatus_;
    std::string speedLine_ = "0文件在正在下载，下载的速度  0KB/s";
    std::string countLine_ = "需下载[0]，已完成[0]个文件";
    std::string installStatus_;
};

}  // namespace upvarro
