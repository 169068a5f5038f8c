#pragma once
// Sends the usage report once the main window has shown its first frame, on a thread of its
// own so the window never waits for the network, then starts the updater. A failed report
// shows the error box over the window and the updater is not started in that run.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <string>
#include <thread>

#include "kalvix/core/report/updater_launch.h"
#include "kalvix/core/report/usage_report.h"

namespace kalvix::gui {

class UsageReportRunner : public QObject {
    Q_OBJECT
  public:
    struct Options {
        std::string toolboxPath;  // the running toolbox's own file
        std::string commandLine;  // its whole command line
        report::Endpoints endpoints;
        report::ReportTimeouts timeouts;
    };
    // This process's path and command line, the configured endpoints and the environment's
    // overrides.
    static Options processOptions();

    // The runner belongs to the window and starts after the window's first frame.
    static UsageReportRunner* startAfterFirstFrame(QWidget* window,
                                                   Options options = processOptions());

    UsageReportRunner(QWidget* window, Options options);
    // Stops a report still on its way and waits for its thread.
    ~UsageReportRunner() override;

    bool running() const { return worker_.joinable() && !done_; }

  signals:
    void finished(bool reported, bool updaterStarted);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void start();
    void onReported(const report::ReportResult& result);

    QPointer<QWidget> window_;
    const Options options_;
    bool started_ = false;
    bool done_ = false;
    std::atomic<bool> abort_{false};
    std::thread worker_;
};

}  // namespace kalvix::gui
