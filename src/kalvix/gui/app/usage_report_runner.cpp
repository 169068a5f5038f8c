#include "kalvix/gui/app/usage_report_runner.h"

#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

#include "common/program_folder.h"
#include "kalvix/build_config.h"

namespace kalvix::gui {

UsageReportRunner::Options UsageReportRunner::processOptions() {
    Options o;
    o.toolboxPath = common::executablePath();
    o.commandLine = report::ownCommandLine();
    o.endpoints = report::resolveEndpoints(config::kStatsBase, config::kUpdateHost,
                                           [](const char* name) { return std::getenv(name); });
    return o;
}

UsageReportRunner* UsageReportRunner::startAfterFirstFrame(QWidget* window, Options options) {
    return new UsageReportRunner(window, std::move(options));
}

UsageReportRunner::UsageReportRunner(QWidget* window, Options options)
    : QObject(window), window_(window), options_(std::move(options)) {
    window->installEventFilter(this);
    // A window already on show paints once more, which is the frame the report waits for.
    if (window->isVisible())
        window->update();
}

UsageReportRunner::~UsageReportRunner() {
    abort_ = true;
    if (worker_.joinable())
        worker_.join();
}

bool UsageReportRunner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint && !started_) {
        started_ = true;
        window_->removeEventFilter(this);
        // Once this frame is on the screen.
        QTimer::singleShot(0, this, &UsageReportRunner::start);
    }
    return QObject::eventFilter(watched, event);
}

void UsageReportRunner::start() {
    const std::string address =
        options_.endpoints.statsBase.empty()
            ? std::string()
            : report::reportAddress(options_.endpoints.statsBase, report::adapterAddressText());
    worker_ = std::thread([this, address] {
        report::ReportResult result = report::sendReport(address, options_.timeouts, &abort_);
        if (abort_)
            return;
        QMetaObject::invokeMethod(
            this, [this, result] { onReported(result); }, Qt::QueuedConnection);
    });
}

void UsageReportRunner::onReported(const report::ReportResult& result) {
    done_ = true;
    if (!result.ok) {
        // The error box over the window; the updater waits for the next start. The window is
        // in use by now, so the box does not block it.
        auto* box =
            new QMessageBox(QMessageBox::Critical, window_ ? window_->windowTitle() : QString(),
                            QString::fromStdString(result.error), QMessageBox::Ok, window_);
        box->setObjectName(QStringLiteral("usageReportError"));
        box->setTextFormat(Qt::PlainText);  // the error may quote what the server sent
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->show();
        emit finished(false, false);
        return;
    }
    bool started = report::launchUpdater(options_.toolboxPath, options_.commandLine,
                                         options_.endpoints.update);
    emit finished(result.sent, started);
}

}  // namespace kalvix::gui
