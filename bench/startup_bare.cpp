// A bare Qt window of the toolbox's size, quitting once it has painted its first frame: the
// floor the toolbox's start-up is compared against. Prints what startup_kalvix.cpp prints.

#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

double now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Notes the time once the watched window's first paint is through, and quits.
class FirstFrame : public QObject {
  public:
    double at = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] {
                at = now();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const double entered = now();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const double qt = now();
    QWidget w;
    w.setFixedSize(562, 407);
    FirstFrame watch;
    w.installEventFilter(&watch);
    w.show();
    const double window = now();
    app.exec();
    const double frame = watch.at;
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("main=%.6f qt=%.6f window=%.6f frame=%.6f peak_kib=%ld\n", entered, qt, window,
                frame, u.ru_maxrss);
    return 0;
}
