#include "upvarro/gui/upvarro_sheet.h"

#include <QCloseEvent>
#include <QLabel>
#include <algorithm>
#include <mutex>

#include "upvarro/core/download_texts.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/wizard_prompt.h"
#include "upvarro/gui/page_step1.h"
#include "upvarro/gui/page_step2.h"
#include "upvarro/gui/page_step4.h"
#include "upvarro/gui/update_prompt.h"
#include "upvarro/gui/wizard_pictures.h"

namespace upvarro::gui {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

const char* const kButtonStyle =
    "QPushButton { color: white; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #4f8fd8, stop:1 #2a62a8); border: 1px solid #1f4f8c; border-radius: 3px; "
    "padding: 4px 14px; min-width: 64px; }"
    "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #63a2e8, stop:1 #3472bc); }"
    "QPushButton:pressed { background: #21558f; }"
    "QPushButton:disabled { color: #e8eef6; background: #a9b9cc; border-color: #8d9db2; }";

const char* const kCancelStyle =
    "QPushButton { color: white; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #e0785a, stop:1 #b84a2c); border: 1px solid #8f3520; border-radius: 3px; "
    "padding: 4px 14px; min-width: 64px; }"
    "QPushButton:pressed { background: #923a22; }"
    "QPushButton:disabled { color: #f4ece9; background: #c9b2ab; border-color: #ad968f; }";

void showButton(QPushButton& button, const WizardButton& state) {
    button.setText(qs(state.text));
    button.setEnabled(state.enabled);
    button.setVisible(state.visible);
}

}  // namespace

// Step threads raise their events while the sheet may already be going away: the bridge
// forwards them to the user-interface thread only while the sheet exists.
struct CUpvarroSheet::Bridge {
    std::mutex lock;
    CUpvarroSheet* sheet = nullptr;

    template <typename F>
    void post(F call) {
        std::lock_guard guard(lock);
        if (sheet)
            QMetaObject::invokeMethod(sheet, std::move(call), Qt::QueuedConnection);
    }
};

CUpvarroSheet::CUpvarroSheet(UpdateSession& session, Options options, QWidget* parent)
    : QWizard(parent),
      session_(session),
      options_(options),
      model_(
          [&] {
              std::lock_guard guard(session.lock);
              return session.settings.showFromStart > 0;
          }(),
          [&] {
              std::lock_guard guard(session.lock);
              return session.settings.autoNextStep != 0;
          }()),
      steps_(session),
      bridge_(std::make_shared<Bridge>()) {
    setObjectName(QStringLiteral("upvarroSheet"));
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage, false);
    page1_ = new CPageStep1(session_);
    page2_ = new CPageStep2(session_);
    page4_ = new CPageStep4(session_);
    addPage(page1_);
    addPage(page2_);
    addPage(page4_);

    QString installation = qs(session_.folders.installation);
    QString waterMark, banner;
    {
        std::lock_guard guard(session_.lock);
        waterMark = qs(session_.settings.waterMarkPath);
        banner = qs(session_.settings.bannerPath);
    }
    // The side picture stands beside every page, whatever its header.
    auto* side = new QLabel;
    side->setPixmap(loadPicture(installation, waterMark, generatedWatermark()));
    side->setAlignment(Qt::AlignTop);
    setSideWidget(side);
    // The banner goes to the header's picture place: as the header's background picture
    // it would fix the sheet's width to its own and the sheet could not be resized.
    setPixmap(QWizard::LogoPixmap, loadPicture(installation, banner, generatedBanner())
                                       .scaledToHeight(56, Qt::SmoothTransformation));

    autoNext_ = new QCheckBox(QString::fromUtf8(kAutoNextText));
    back_ = new QPushButton(QString::fromUtf8(kBackText));
    next_ = new QPushButton(QString::fromUtf8(kNextText));
    cancel_ = new QPushButton(QString::fromUtf8(kCancelText));
    autoNext_->setObjectName(QStringLiteral("autoNext"));
    back_->setObjectName(QStringLiteral("back"));
    next_->setObjectName(QStringLiteral("next"));
    cancel_->setObjectName(QStringLiteral("cancel"));
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(autoNext_), static_cast<QAbstractButton*>(back_),
          static_cast<QAbstractButton*>(next_), static_cast<QAbstractButton*>(cancel_)})
        b->setFont(wizardFont());
    back_->setStyleSheet(QString::fromUtf8(kButtonStyle));
    next_->setStyleSheet(QString::fromUtf8(kButtonStyle));
    cancel_->setStyleSheet(QString::fromUtf8(kCancelStyle));
    setOption(QWizard::HaveCustomButton1);
    setOption(QWizard::HaveCustomButton2);
    setOption(QWizard::HaveCustomButton3);
    setButton(QWizard::CustomButton1, autoNext_);
    setButton(QWizard::CustomButton2, back_);
    setButton(QWizard::CustomButton3, next_);
    setButton(QWizard::CancelButton, cancel_);
    setButtonLayout({QWizard::CustomButton1, QWizard::Stretch, QWizard::CustomButton2,
                     QWizard::CustomButton3, QWizard::CancelButton});
    autoNext_->setChecked(model_.autoNextStep());
    connect(autoNext_, &QCheckBox::toggled, this, [this](bool on) { model_.setAutoNextStep(on); });
    connect(back_, &QPushButton::clicked, this, [this] {
        apply(model_.backClicked());
        refresh();
    });
    connect(next_, &QPushButton::clicked, this, [this] {
        apply(model_.nextClicked());
        refresh();
    });

    for (std::size_t i = 0; i < timers_.size(); ++i) {
        const auto which = static_cast<WizardTimer>(i);
        connect(&timers_[i], &QTimer::timeout, this, [this, which] { onTimer(which); });
    }

    bridge_->sheet = this;
    session_.subscribe([bridge = bridge_](Event event, int index) {
        bridge->post([event, index, b = bridge.get()] {
            // Runs on the user-interface thread, where the sheet cannot vanish meanwhile.
            if (b->sheet)
                b->sheet->onEvent(event, index);
        });
    });
}

CUpvarroSheet::~CUpvarroSheet() {
    {
        std::lock_guard guard(bridge_->lock);
        bridge_->sheet = nullptr;
    }
    for (QTimer& t : timers_)
        t.stop();
    if (!ended_) {
        session_.cancel = true;
        workLeft_ = !steps_.stop();
    }
}

void CUpvarroSheet::start() {
    {
        std::lock_guard guard(session_.lock);
        setWindowTitle(qs(session_.settings.title));
    }
    apply(model_.created());
    refresh();
    if (model_.visible())
        showSized();
}

void CUpvarroSheet::showSized() {
    show();
    // Wide enough for every column of the download list beside the side picture.
    if (!sized_) {
        sized_ = true;
        resize(std::max(width(), 740), std::max(height(), 470));
    }
}

void CUpvarroSheet::onEvent(Event event, int index) {
    if (ended_)
        return;
    {
        // The check box's state goes back into the settings with every event.
        std::lock_guard guard(session_.lock);
        session_.settings.autoNextStep = autoNext_->isChecked() ? 1 : 0;
    }
    WizardCommands out;
    switch (event) {
        case Event::StatusChanged:
        case Event::ListFailed: {
            std::lock_guard guard(session_.lock);
            setWindowTitle(qs(session_.settings.title));
        }
            out = model_.statusChanged(session_.status());
            break;
        case Event::ListReady: {
            page1_->list().reload();
            page2_->list().reload();
            bool force;
            {
                std::lock_guard guard(session_.lock);
                force = session_.settings.forceUpdate != 0;
            }
            out = model_.listReady(static_cast<int>(session_.actionList.size()), force);
            break;
        }
        case Event::SpeedChanged: {
            std::string speed, count;
            {
                std::lock_guard guard(session_.lock);
                speed = speedLine(session_.activeCount, session_.totalSpeed);
                count = countLine(session_.downloadCount, session_.finishedCount);
            }
            out = model_.speedChanged(speed, count, session_.status());
            break;
        }
        case Event::DownloadsDone:
            out = model_.downloadsDone(checkDownloadedSizes(session_));
            break;
        case Event::RowChanged:
            page1_->list().rowChanged(index);
            page2_->list().rowChanged(index);
            break;
        case Event::Copied:
        case Event::Deleted:
        case Event::Registered:
        case Event::Ran: {
            std::string name;
            if (index >= 0 && static_cast<std::size_t>(index) < session_.actionList.size())
                name = session_.actionList[static_cast<std::size_t>(index)]->name;
            out = model_.installEvent(installEventText(event, name));
            page4_->list().refresh();
            break;
        }
        case Event::InstallDone:
            out = model_.installDone(installDoneText(session_.updateCount, session_.deleteCount));
            page4_->list().refresh();
            break;
    }
    apply(out);
    refresh();
}

void CUpvarroSheet::onListEnded(ListOutcome outcome) {
    if (ended_ || outcome == ListOutcome::Ready)
        return;
    apply(model_.listFailed());
    refresh();
}

void CUpvarroSheet::onTimer(WizardTimer timer) {
    apply(model_.timerFired(timer));
    refresh();
}

void CUpvarroSheet::apply(const WizardCommands& commands) {
    for (const WizardCommand& c : commands) {
        if (ended_)
            return;
        switch (c.action) {
            case WizardAction::StartTimer: {
                QTimer& t = timers_[static_cast<std::size_t>(c.timer)];
                t.setSingleShot(!c.repeat);
                t.start(c.delayMs);
                break;
            }
            case WizardAction::StopTimer:
                timers_[static_cast<std::size_t>(c.timer)].stop();
                break;
            case WizardAction::StartListStep:
                steps_.startList([bridge = bridge_](ListOutcome outcome) {
                    bridge->post([outcome, b = bridge.get()] {
                        if (b->sheet)
                            b->sheet->onListEnded(outcome);
                    });
                });
                break;
            case WizardAction::ShowPrompt:
                showPrompt();
                break;
            case WizardAction::ShowWindow:
                showSized();
                raise();
                break;
            case WizardAction::HideWindow:
                hide();
                break;
            case WizardAction::StartDownloadStep:
                if (currentPage() == page1_)
                    next();
                page2_->list().reload();
                steps_.startDownloads();
                break;
            case WizardAction::StartInstallStep:
                while (currentPage() != page4_ && currentPage() != nullptr)
                    next();
                steps_.startInstall();
                page4_->list().refresh();
                break;
            case WizardAction::SetCancelFlag:
                session_.cancel = true;
                break;
            case WizardAction::DeclineForcedUpdate:
                declineForcedUpdate(session_);
                break;
            case WizardAction::FinishUpdate: {
                const bool ok = finishUpdate(session_);
                apply(model_.finishDone(ok, session_.status()));
                break;
            }
            case WizardAction::Close:
                endRun();
                break;
        }
    }
}

void CUpvarroSheet::refresh() {
    showButton(*back_, model_.back());
    showButton(*next_, model_.next());
    showButton(*cancel_, model_.cancel());
    if (autoNext_->isChecked() != model_.autoNextStep()) {
        QSignalBlocker block(autoNext_);
        autoNext_->setChecked(model_.autoNextStep());
    }
    page1_->status().setText(qs(model_.listStatus()));
    page2_->speed().setText(qs(model_.speedLine()));
    QFont speedFont = page2_->speed().font();
    speedFont.setBold(model_.downloadFailed());
    page2_->speed().setFont(speedFont);
    page2_->count().setText(qs(model_.countLine()));
    page4_->status().setText(qs(model_.installStatus()));
}

void CUpvarroSheet::showPrompt() {
    prompt_ = std::make_unique<CUpdatePrompt>(qs(session_.folders.temporary), model_.forceUpdate());
    prompt_->setWindowModality(Qt::ApplicationModal);
    CUpdatePrompt* prompt = prompt_.get();
    // Closing the prompt counts as 以后再说.
    connect(prompt, &QDialog::finished, this, [this](int result) {
        apply(model_.promptAnswered(result == QDialog::Accepted));
        refresh();
    });
    prompt->show();
    if (options_.promptAnswer) {
        const bool now = *options_.promptAnswer;
        // Answer once the change log is on show, as a reader would.
        QTimer::singleShot(kPromptLoadDelayMs + 200, prompt, [prompt, now] {
            (now ? prompt->updateNow() : prompt->updateLater()).click();
        });
    }
}

void CUpvarroSheet::endRun() {
    if (ended_)
        return;
    ended_ = true;
    for (QTimer& t : timers_)
        t.stop();
    // A run that did not finish stops the install step where it stands.
    if (model_.outcome() != WizardOutcome::Finished)
        session_.cancel = true;
    workLeft_ = !steps_.stop();
    {
        std::lock_guard guard(session_.lock);
        session_.settings.autoNextStep = autoNext_->isChecked() ? 1 : 0;
        writeConfiguration(session_.folders.configurationFile(), session_.settings);
    }
    if (prompt_)
        prompt_->hide();
    hide();
    emit ended();
}

void CUpvarroSheet::reject() {
    apply(model_.cancelClicked());
    refresh();
}

void CUpvarroSheet::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // The model decides what the close box means; the window goes when the run ends.
    event->ignore();
    apply(model_.closeRequested());
    refresh();
}

}  // namespace upvarro::gui
