#pragma once
// The update wizard: three pages driven by timers and by the events of the step threads,
// following the wizard model; its own buttons replace the standard ones.

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QWizard>
#include <array>
#include <memory>
#include <optional>

#include "upvarro/core/session.h"
#include "upvarro/core/wizard_model.h"
#include "upvarro/core/wizard_steps.h"

namespace upvarro::gui {

class CPageStep1;
class CPageStep2;
class CPageStep4;
class CUpdatePrompt;

class CUpvarroSheet : public QWizard {
    Q_OBJECT
  public:
    struct Options {
        // Answers the update prompt by itself (立即升级 or 以后再说) once its change log is
        // shown: for tests and scripts. Without it the prompt waits for the user.
        std::optional<bool> promptAnswer;
    };

    CUpvarroSheet(UpdateSession& session, Options options, QWidget* parent = nullptr);
    explicit CUpvarroSheet(UpdateSession& session) : CUpvarroSheet(session, Options{}) {}
    ~CUpvarroSheet() override;

    // Sets the title, builds the buttons, starts the timers and shows the window when the
    // run is visible from the start.
    void start();

    const WizardModel& model() const { return model_; }
    // A list step that could not be stopped is still running: end without waiting for it.
    bool workLeftRunning() const { return workLeft_; }
    // Whether the model's timer runs: what the run does next by itself, without an event.
    bool timerArmed(WizardTimer timer) const {
        return timers_[static_cast<std::size_t>(timer)].isActive();
    }

    CPageStep1& page1() { return *page1_; }
    CPageStep2& page2() { return *page2_; }
    CPageStep4& page4() { return *page4_; }
    QPushButton& backButton() { return *back_; }
    QPushButton& nextButton() { return *next_; }
    QPushButton& cancelButton() { return *cancel_; }
    QCheckBox& autoNextBox() { return *autoNext_; }
    CUpdatePrompt* prompt() { return prompt_.get(); }

  signals:
    // The run is over; the outcome is in the model.
    void ended();

  public slots:
    void reject() override;  // 取消 and Esc

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void onEvent(Event event, int index);
    void onListEnded(ListOutcome outcome);
    void onTimer(WizardTimer timer);
    void apply(const WizardCommands& commands);
    void refresh();
    void showPrompt();
    void showSized();
    void endRun();

    struct Bridge;

    UpdateSession& session_;
    const Options options_;
    WizardModel model_;
    WizardSteps steps_;
    std::shared_ptr<Bridge> bridge_;
    CPageStep1* page1_;
    CPageStep2* page2_;
    CPageStep4* page4_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* cancel_;
    QCheckBox* autoNext_;
    std::array<QTimer, 5> timers_;
    std::unique_ptr<CUpdatePrompt> prompt_;
    bool ended_ = false;
    bool workLeft_ = false;
    bool sized_ = false;
};

}  // namespace upvarro::gui
