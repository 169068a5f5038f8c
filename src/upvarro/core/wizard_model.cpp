#include "upvarro/core/wizard_model.h"

#include <cstdio>

namespace upvarro {
namespace {

WizardCommand command(WizardAction action) {
    return {action};
}

WizardCommand startTimer(WizardTimer timer, int ms, bool repeat = false) {
    return {WizardAction::StartTimer, timer, ms, repeat};
}

WizardCommand stopTimer(WizardTimer timer) {
    return {WizardAction::StopTimer, timer};
}

}  // namespace

WizardModel::WizardModel(bool visible, bool autoNextStep)
    : visible_(visible), autoNext_(autoNextStep) {}

int WizardModel::page() const {
    if (step_ >= 4)
        return 2;
    return step_ == 2 ? 1 : 0;
}

void WizardModel::end(WizardOutcome outcome) {
    if (outcome_ == WizardOutcome::Running)
        outcome_ = outcome;
}

WizardCommands WizardModel::close() {
    closed_ = true;
    return {command(WizardAction::Close)};
}

WizardCommands WizardModel::created() {
    return {startTimer(WizardTimer::Start, kStartDelayMs)};
}

WizardCommands WizardModel::timerFired(WizardTimer timer) {
    if (closed_)
        return {};
    switch (timer) {
        case WizardTimer::Start:
            back_.enabled = next_.enabled = false;
            return {command(WizardAction::StartListStep)};
        case WizardTimer::Download:
            step_ = 2;
            return {command(WizardAction::StartDownloadStep)};
        case WizardTimer::Install:
            step_ = 4;
            return {command(WizardAction::StartInstallStep)};
        case WizardTimer::CancelClose:
            return close();
        case WizardTimer::Countdown:
            break;
    }
    next_.enabled = true;
    back_.visible = cancel_.visible = false;
    step_ = 5;
    if (!autoNext_) {
        // The user finishes by clicking.
        next_.text = kFinishText;
        return {stopTimer(WizardTimer::Countdown)};
    }
    if (countdown_ > 0)
        --countdown_;
    char text[32];
    std::snprintf(text, sizeof text, "完成(%ds)", countdown_);
    next_.text = text;
    if (countdown_ > 0)
        return {};
    return finish();
}

WizardCommands WizardModel::statusChanged(const std::string& status) {
    listStatus_ = status;
    return {};
}

WizardCommands WizardModel::listReady(int actionCount, bool forceUpdate) {
    if (closed_ || listDone_)
        return {};
    listDone_ = true;
    force_ = forceUpdate;
    if (force_)
        cancel_.enabled = false;
    if (actionCount <= 0) {
        back_.enabled = next_.enabled = false;
        end(WizardOutcome::NothingToUpdate);
        // Started by the toolbox: nothing to show, the updater ends silently.
        if (!visible_)
            return close();
        return {};
    }
    return {command(WizardAction::ShowPrompt)};
}

WizardCommands WizardModel::listFailed() {
    if (closed_ || listDone_)
        return {};
    listDone_ = true;
    end(WizardOutcome::ListFailed);
    if (!visible_)
        return close();
    return {};
}

WizardCommands WizardModel::promptAnswered(bool updateNow) {
    if (closed_ || step_ != 1)
        return {};
    if (!updateNow) {
        end(WizardOutcome::Declined);
        WizardCommands out;
        if (force_)
            out.push_back(command(WizardAction::DeclineForcedUpdate));
        WizardCommands closing = close();
        out.insert(out.end(), closing.begin(), closing.end());
        return out;
    }
    WizardCommands out;
    if (!visible_) {
        visible_ = true;
        out.push_back(command(WizardAction::ShowWindow));
    }
    out.push_back(startTimer(WizardTimer::Download, kDownloadDelayMs));
    return out;
}

WizardCommands WizardModel::speedChanged(const std::string& speedLine, const std::string& countLine,
                                         const std::string& status) {
    // A pass that raced the failure must not overwrite its line.
    if (!downloadFailed_) {
        speedLine_ = speedLine;
        countLine_ = countLine;
    }
    listStatus_ = status;
    return {};
}

WizardCommands WizardModel::downloadsDone(bool sizesOk) {
    if (closed_ || step_ != 2)
        return {};
    if (!sizesOk) {
        downloadFailed_ = true;
        speedLine_ = "下载出错，升级失败！";
        back_.enabled = next_.enabled = false;
        end(WizardOutcome::DownloadFailed);
        return {};
    }
    return {startTimer(WizardTimer::Install, kInstallDelayMs)};
}

WizardCommands WizardModel::installEvent(const std::string& text) {
    installStatus_ = text;
    return {};
}

WizardCommands WizardModel::installDone(const std::string& totals) {
    installStatus_ = totals;
    if (closed_ || step_ != 4)
        return {};
    installFinished_ = true;
    return {startTimer(WizardTimer::Countdown, kCountdownPeriodMs, true)};
}

WizardCommands WizardModel::finish() {
    WizardCommands out{stopTimer(WizardTimer::Countdown)};
    if (next_.text.rfind(kFinishText, 0) != 0)
        return out;
    out.push_back(command(WizardAction::HideWindow));
    out.push_back(command(WizardAction::FinishUpdate));
    return out;
}

WizardCommands WizardModel::finishDone(bool ok, const std::string& failure) {
    if (closed_ || finishFailed_)
        return {};
    if (ok) {
        end(WizardOutcome::Finished);
        return close();
    }
    // Said where the user looks, not passed over as a finished update: the next run starts
    // from records that are not this update's.
    end(WizardOutcome::FinishFailed);
    finishFailed_ = true;
    installStatus_ = failure;
    next_ = {kFinishText, true, true};
    return {command(WizardAction::ShowWindow)};
}

WizardCommands WizardModel::nextClicked() {
    if (closed_ || !next_.enabled || !next_.visible || page() != 2)
        return {};
    if (finishFailed_)
        return close();
    return finish();
}

// There is no way back to an earlier page.
WizardCommands WizardModel::backClicked() {
    return {};
}

WizardCommands WizardModel::cancelClicked() {
    return cancelWith(false);
}

WizardCommands WizardModel::closeRequested() {
    if (closed_)
        return {};
    if (finishFailed_)
        return close();
    if (step_ == 5 || installFinished_) {
        // Installed: closing is finishing, with the restart the list asked for.
        if (next_.text.rfind(kFinishText, 0) != 0)
            next_.text = kFinishText;
        return finish();
    }
    // A run that is over (nothing to do, a failure) has nothing left to force.
    if (outcome_ != WizardOutcome::Running)
        return cancelWith(true);
    return cancelWith(false);
}

WizardCommands WizardModel::cancelWith(bool evenDisabled) {
    if (closed_ || closing_ || (!evenDisabled && (!cancel_.enabled || !cancel_.visible)))
        return {};
    closing_ = true;
    end(WizardOutcome::Cancelled);
    return {command(WizardAction::SetCancelFlag),
            startTimer(WizardTimer::CancelClose, kCancelCloseDelayMs)};
}

}  // namespace upvarro
