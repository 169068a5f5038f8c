#include "upvarro/gui/update_prompt.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "common/readable_colour.h"
#include "upvarro/core/wizard_prompt.h"
#include "upvarro/gui/wizard_pictures.h"

namespace upvarro::gui {

CUpdatePrompt::CUpdatePrompt(const QString& temporaryFolder, bool forceUpdate, QWidget* parent)
    : QDialog(parent), temporaryFolder_(temporaryFolder) {
    setWindowTitle(QString::fromUtf8(kPromptTitle));
    setObjectName(QStringLiteral("updatePrompt"));
    changelog_.setReadOnly(true);
    changelog_.setObjectName(QStringLiteral("changelog"));
    question_.setText(QString::fromStdString(promptQuestion(forceUpdate)));
    question_.setObjectName(QStringLiteral("question"));
    // Red or green as on a light window; lightened until it reads on a dark theme's one.
    const PromptColour c = promptColour(forceUpdate);
    const QColor window = palette().color(QPalette::Window);
    const common::Rgb r = common::readableOn({c.red / 255.0, c.green / 255.0, c.blue / 255.0},
                                             {window.redF(), window.greenF(), window.blueF()});
    question_.setStyleSheet(
        QStringLiteral("QLabel { color: rgb(%1, %2, %3); background: transparent; }")
            .arg(qRound(r.red * 255))
            .arg(qRound(r.green * 255))
            .arg(qRound(r.blue * 255)));
    now_.setText(QString::fromUtf8(kUpdateNowText));
    later_.setText(QString::fromUtf8(kUpdateLaterText));
    now_.setObjectName(QStringLiteral("updateNow"));
    later_.setObjectName(QStringLiteral("updateLater"));
    now_.setFont(wizardFont());
    later_.setFont(wizardFont());
    now_.setDefault(true);
    later_.setAutoDefault(false);
    connect(&now_, &QPushButton::clicked, this, &QDialog::accept);
    connect(&later_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&question_, 1);
    buttons->addWidget(&now_);
    buttons->addWidget(&later_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&changelog_, 1);
    layout->addLayout(buttons);
    resize(420, 300);
}

void CUpdatePrompt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (loadScheduled_)
        return;
    loadScheduled_ = true;
    QTimer::singleShot(kPromptLoadDelayMs, this, &CUpdatePrompt::load);
}

void CUpdatePrompt::load() {
    changelog_.setPlainText(QString::fromStdString(loadChangelog(temporaryFolder_.toStdString())));
    changelog_.moveCursor(QTextCursor::Start);
    loaded_ = true;
}

}  // namespace upvarro::gui
