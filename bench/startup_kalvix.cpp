// Starts the toolbox as its main() does and quits once the main window has painted its first
// frame. Prints when each stage ended (CLOCK_MONOTONIC seconds, comparable with the caller's
// clock) and the peak memory at the first frame; with --all-tabs it then shows every tab in turn
// and prints the peak memory after the last one.

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>

#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/kalvix_dlg.h"

namespace {

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long peakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Runs the events of about ms milliseconds.
void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Calls back once the watched window's first paint is through.
class FirstFrame : public QObject {
  public:
    explicit FirstFrame(std::function<void()> done) : done_(std::move(done)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, done_);  // after the paint and its flush
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> done_;
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const double entered = now();
    const bool allTabs = argc > 1 && std::strcmp(argv[1], "--all-tabs") == 0;
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZentrixQorvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("kalvix"));
    const double qt = now();
    (void)kalvix::Catalogue::instance();
    const double catalogue = now();
    kalvix::gui::CKalvixDlg dlg;
    double frame = 0;
    long framePeak = 0;
    FirstFrame watch([&] {
        frame = now();
        framePeak = peakKiB();
        // KALVIX_BENCH_SMAPS=FILE keeps the memory map at the first frame, for a closer look.
        if (const QByteArray keep = qgetenv("KALVIX_BENCH_SMAPS"); !keep.isEmpty()) {
            QFile in(QStringLiteral("/proc/self/smaps"));
            QFile out(QString::fromLocal8Bit(keep));
            if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly))
                out.write(in.readAll());
        }
        QCoreApplication::quit();
    });
    dlg.installEventFilter(&watch);
    dlg.show();
    const double window = now();
    app.exec();
    std::printf("main=%.6f qt=%.6f catalogue=%.6f window=%.6f frame=%.6f peak_kib=%ld", entered, qt,
                catalogue, window, frame, framePeak);
    if (allTabs) {
        for (int tab = 1; tab < dlg.tabs()->count(); ++tab) {
            dlg.tabs()->setCurrentIndex(tab);
            // The browser of 关于 starts its engine and loads its page meanwhile.
            settle(dlg.tabs()->tabText(tab) == QStringLiteral("关于") ? 2000 : 100);
        }
        std::printf(" all_tabs_peak_kib=%ld", peakKiB());
    }
    std::printf("\n");
    std::fflush(stdout);
    return 0;
}
