// The usage report after the first frame and the updater launch that follows it, with a
// stand-in updater in a temporary installation.

#include <unistd.h>

#include <QMessageBox>
#include <QtTest>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "kalvix/gui/app/usage_report_runner.h"
#include "support/raw_server.h"
#include "support/started_program.h"

using kalvix::gui::UsageReportRunner;
namespace fs = std::filesystem;

namespace {

// Answers every connection with 200, or takes the request and never answers.
class ReportServer : public test_support::RawServer {
  public:
    explicit ReportServer(bool silent = false)
        : RawServer("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", silent) {}
};

// <root>/bin/kalvix beside <root>/update/upvarro, a script that notes each start.
struct Installation {
    fs::path root = fs::temp_directory_path() /
                    ("kalvix-report-" + std::to_string(::getpid()) + "-" + std::to_string(next()));
    Installation() {
        fs::create_directories(root / "bin");
        fs::create_directories(root / "update");
        std::ofstream script(root / "update" / "upvarro");
        script << "#!/bin/sh\necho started >> '" << marker().string() << "'\n";
        script.close();
        fs::permissions(root / "update" / "upvarro", fs::perms::owner_all);
    }
    ~Installation() { fs::remove_all(root); }
    static int next() {
        static int n = 0;
        return ++n;
    }
    fs::path marker() const { return root / "started"; }
    fs::path updater() const { return root / "update" / "upvarro"; }
    std::string toolbox() const { return (root / "bin" / "kalvix").string(); }
    // Started at all, seen at once: the runner starts it before it reports.
    bool updaterStarted() const { return test_support::standInStarted(updater(), marker()); }
    // The stand-in has run and noted its start.
    bool updaterRan() const {
        return QTest::qWaitFor([this] { return fs::exists(marker()); }, 10000);
    }
};

QMessageBox* errorBox(QWidget& window) {
    return window.findChild<QMessageBox*>(QStringLiteral("usageReportError"));
}

}  // namespace

class UsageReportTest : public QObject {
    Q_OBJECT
  private slots:
    void reportThenUpdater_data() {
        QTest::addColumn<bool>("serverUp");
        QTest::addColumn<bool>("withStats");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("withUpdateServer");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<bool>("updater");
        QTest::newRow("reported") << true << true << QString() << true << true << true;
        // The updater's restart of the toolbox still reports, but starts no updater.
        QTest::newRow("restartedByTheUpdater")
            << true << true << QStringLiteral("DONT_RUN_UPVARRO") << true << true << false;
        QTest::newRow("markerAsAnArgument")
            << true << true << QStringLiteral("/opt/k/kalvix DONT_RUN_UPVARRO") << true << true
            << true;
        QTest::newRow("noStatsEndpoint") << true << false << QString() << true << false << true;
        QTest::newRow("noUpdateServer") << true << true << QString() << false << true << false;
        // A first start of a build without endpoints: no request, no box, no updater.
        QTest::newRow("noEndpoints") << true << false << QString() << false << false << false;
        QTest::newRow("serverDown") << false << true << QString() << true << false << false;
    }

    void reportThenUpdater() {
        QFETCH(bool, serverUp);
        QFETCH(bool, withStats);
        QFETCH(QString, commandLine);
        QFETCH(bool, withUpdateServer);
        QFETCH(bool, reported);
        QFETCH(bool, updater);
        Installation install;
        std::string base;
        std::unique_ptr<ReportServer> server;
        if (serverUp) {
            server = std::make_unique<ReportServer>();
            base = server->base();
        } else {
            base = ReportServer().base();  // its port is closed again at once
        }
        QWidget window;
        window.setWindowTitle(QStringLiteral("Kalvix"));
        window.resize(200, 100);
        UsageReportRunner::Options o;
        o.toolboxPath = install.toolbox();
        o.commandLine = commandLine.isEmpty() ? o.toolboxPath : commandLine.toStdString();
        o.endpoints.statsBase = withStats ? base : std::string();
        if (withUpdateServer)
            o.endpoints.update = {"127.0.0.1", 80};
        o.timeouts = {2, 3};
        auto* runner = UsageReportRunner::startAfterFirstFrame(&window, o);
        QSignalSpy finished(runner, &UsageReportRunner::finished);
        // Nothing before the window is shown: with no frame painted, even the events already
        // posted start no report.
        QCoreApplication::processEvents();
        QVERIFY(!runner->running());
        QCOMPARE(finished.count(), 0);
        window.show();
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.at(0).at(0).toBool(), reported);
        QCOMPARE(finished.at(0).at(1).toBool(), updater);
        if (server)
            QCOMPARE(server->requests(), withStats ? 1 : 0);
        if (updater)
            QVERIFY(install.updaterRan());
        else
            QVERIFY(!install.updaterStarted());
        QMessageBox* box = errorBox(window);
        QCOMPARE(box != nullptr, !serverUp);
        if (box) {
            QVERIFY(box->isVisible());
            // In the player's language: the refused connection as the platform words it.
            QCOMPARE(box->text(), QStringLiteral("无法与服务器建立连接"));
            QCOMPARE(box->windowTitle(), QStringLiteral("Kalvix"));
        }
    }

    // A report that hangs never holds the window: it is painted and keeps handling events.
    void silentServerDoesNotHoldTheWindow() {
        Installation install;
        ReportServer silent(true);
        QWidget window;
        UsageReportRunner::Options o;
        o.toolboxPath = install.toolbox();
        o.commandLine = o.toolboxPath;
        o.endpoints.statsBase = silent.base();
        o.timeouts = {1, 2};
        auto* runner = UsageReportRunner::startAfterFirstFrame(&window, o);
        QSignalSpy finished(runner, &UsageReportRunner::finished);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, &window, [&] { ++ticks; });
        timer.start(50);
        QVERIFY(QTest::qWaitFor([&] { return silent.requests() == 1; }, 3000));
        // The window's timer goes on ticking while the server holds the report.
        ticks = 0;
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 5 || !finished.isEmpty(), 10000);
        QCOMPARE(finished.count(), 0);
        QVERIFY(finished.wait(4000));
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(!install.updaterStarted());
    }

    // Closing the window while the report is on its way ends it without waiting it out.
    void closingStopsAReportOnItsWay() {
        ReportServer silent(true);
        auto window = std::make_unique<QWidget>();
        UsageReportRunner::Options o;
        o.endpoints.statsBase = silent.base();
        o.timeouts = {10, 20};
        UsageReportRunner::startAfterFirstFrame(window.get(), o);
        window->show();
        QVERIFY(QTest::qWaitFor([&] { return silent.requests() == 1; }, 3000));
        QElapsedTimer clock;
        clock.start();
        window.reset();
        QVERIFY(clock.elapsed() < 3000);
    }
};

QTEST_MAIN(UsageReportTest)
#include "usage_report_test.moc"
