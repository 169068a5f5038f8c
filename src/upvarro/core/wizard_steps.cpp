#include "upvarro/core/wizard_steps.h"

#include "upvarro/core/installer.h"

namespace upvarro {

WizardSteps::WizardSteps(UpdateSession& session) : session_(session) {}

WizardSteps::~WizardSteps() {
    if (!stop() && list_.joinable())
        list_.detach();
}

void WizardSteps::startList(std::function<void(ListOutcome)> ended) {
    if (list_.joinable())
        return;
    list_ = std::thread([&session = session_, flag = listEnded_, ended = std::move(ended)] {
        Transfer transfer(session.transferOptions);
        ListOutcome outcome = runListStep(session, transfer);
        if (ended)
            ended(outcome);
        *flag = true;
    });
}

void WizardSteps::startDownloads() {
    if (engine_)
        return;
    engine_ = std::make_unique<DownloadEngine>(session_);
    engine_->start();
}

void WizardSteps::startInstall() {
    if (install_.joinable())
        return;
    install_ = std::thread([this] { runInstallStep(session_); });
}

bool WizardSteps::stop() {
    if (engine_)
        engine_->stop();
    if (install_.joinable())
        install_.join();
    if (list_.joinable() && *listEnded_)
        list_.join();
    listLeft_ = list_.joinable();
    return !listLeft_;
}

}  // namespace upvarro
