#pragma once
// The three step threads the wizard starts: the list step, the download step (the scheduler
// and its pool) and the install step. Their events reach the owner through the session.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "upvarro/core/download_engine.h"
#include "upvarro/core/list_step.h"
#include "upvarro/core/session.h"

namespace upvarro {

class WizardSteps {
  public:
    explicit WizardSteps(UpdateSession& session);
    ~WizardSteps();
    WizardSteps(const WizardSteps&) = delete;
    WizardSteps& operator=(const WizardSteps&) = delete;

    // ended runs on the list thread once the step is over, after its last event.
    void startList(std::function<void(ListOutcome)> ended);
    void startDownloads();
    void startInstall();

    // Stops the download pool and waits for the install thread. A list step that is still
    // fetching cannot be interrupted (a silent server holds it until the transfer's
    // timeout), so it is left running and false is returned: the process must then end
    // without waiting for it.
    bool stop();

  private:
    UpdateSession& session_;
    std::thread list_;
    // Shared, since a list thread left running outlives this object.
    std::shared_ptr<std::atomic<bool>> listEnded_ = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<DownloadEngine> engine_;
    std::thread install_;
    bool listLeft_ = false;
};

}  // namespace upvarro
