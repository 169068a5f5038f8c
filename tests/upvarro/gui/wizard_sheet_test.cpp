// The update wizard's widgets offscreen, against a loopback update server: the buttons, the
// countdown, the prompt, a download error and a close in the middle of a download.

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>
#include <ctime>
#include <filesystem>
#include <memory>
#include <mutex>

// gcc says so with __SANITIZE_ADDRESS__, clang with __has_feature (which Qt defines as 0
// where the compiler lacks it).
#if defined(__SANITIZE_ADDRESS__)
#define KALVIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALVIX_ASAN 1
#endif
#endif
#ifdef KALVIX_ASAN
#include <sanitizer/lsan_interface.h>
#endif

#include "common/gbk.h"
#include "common/readable_colour.h"
#include "support/timing.h"
#include "test_support.h"
#include "upvarro/core/installer.h"
#include "upvarro/core/list_signature.h"
#include "upvarro/core/list_step.h"
#include "upvarro/core/startup.h"
#include "upvarro/gui/page_step1.h"
#include "upvarro/gui/page_step2.h"
#include "upvarro/gui/page_step4.h"
#include "upvarro/gui/update_prompt.h"
#include "upvarro/gui/upvarro_sheet.h"

using namespace upvarro;

namespace {

// A dark desktop theme as Fusion's users set one: dark window and base, light text.
void useDarkPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    for (QPalette::ColorRole role :
         {QPalette::Window, QPalette::Button, QPalette::AlternateBase, QPalette::ToolTipBase})
        p.setColor(role, window);
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(role, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    QApplication::setPalette(p);
}

// The pictures of the dark theme are being taken: the whole run is under it.
bool darkShots() {
    return qEnvironmentVariable("UPVARRO_SHOT_THEME") == QLatin1String("dark");
}

common::Rgb rgb(const QColor& c) {
    return {c.redF(), c.greenF(), c.blueF()};
}

using test_support::earliestFiring;

// Pictures of the pages go to UPVARRO_SHOT_DIR when it names a folder, for a look at them
// (scripts/screenshot sets it, and UPVARRO_SHOT_THEME=dark for the dark theme's pictures).
bool shooting() {
    return !qEnvironmentVariable("UPVARRO_SHOT_DIR").isEmpty();
}

void shoot(QWidget& widget, const char* name) {
    if (shooting())
        widget.grab().save(qEnvironmentVariable("UPVARRO_SHOT_DIR") + QLatin1Char('/') +
                           QLatin1String(name) + QStringLiteral(".png"));
}

// When an event was raised, on the step's own thread: before the sheet has seen it.
struct EventClock {
    std::mutex lock;
    QElapsedTimer since;
    void start() {
        std::lock_guard guard(lock);
        since.start();
    }
    qint64 elapsed() {
        std::lock_guard guard(lock);
        return since.isValid() ? since.elapsed() : -1;
    }
};

struct Rig {
    test::TestServer server;
    test::Installation install;
    std::unique_ptr<UpdateSession> session;
    std::unique_ptr<gui::CUpvarroSheet> sheet;
    const std::string toolbox = "the new toolbox";
    // Shared with the session's handler: a session left to the end of the process outlives
    // the rig.
    std::shared_ptr<EventClock> installDone = std::make_shared<EventClock>();

    explicit Rig(int autoNextStep, const std::string& system = "",
                 const std::string& version = "") {
        test::writeFile(
            install.module() + "/upvarro.ini",
            "[Version]\n" + version + "[UpdateType]\nAutoNextStep=" + std::to_string(autoNextStep) +
                "\n[Server]\nUpdateHost=127.0.0.1\nUpdatePort=" + std::to_string(server.port()) +
                "\nUpdateListUrlPath=/list\n");
        server.put("/files/kalvix", toolbox);
        server.put("/files/data/a.txt", "aaa");
        server.put("/list/soft_update.xml",
                   "<system><i name=\"Title\" value=\"Kalvix\"/>" + system + "</system><files>" +
                       entry("kalvix", toolbox) + entry("data/a.txt", "aaa") + "</files>");
    }

    std::string entry(const std::string& name, const std::string& content) const {
        return "<file name=\"" + name + "\" checksum=\"" + test::md5(content) + "\" DownUrl=\"" +
               server.url() + "\" size=\"" + std::to_string(content.size()) + "\"/>";
    }

    // showFlag 0 is the toolbox's start: hidden until the prompt is accepted.
    void start(int showFlag, std::optional<bool> answer, const std::string& updateKey = "") {
        sheet.reset();
        session = std::make_unique<UpdateSession>(Folders::fromExecutable(install.self()),
                                                  install.self());
        // Subscribed before the sheet, so the clock starts before the sheet hears of it.
        session->subscribe([clock = installDone](Event event, int) {
            if (event == Event::InstallDone)
                clock->start();
        });
        QCOMPARE(startUp(*session, parseCommandLine("RUN_UPDATE@" + std::to_string(showFlag)),
                         std::time(nullptr)),
                 StartupOutcome::Continue);
        session->updateKey = updateKey;
        sheet = std::make_unique<gui::CUpvarroSheet>(*session, gui::CUpvarroSheet::Options{answer});
        sheet->start();
    }

    bool waitFor(const std::function<bool()>& done, int ms = 10000) {
        return QTest::qWaitFor(done, ms);
    }
    bool ended(int ms = 10000) {
        return waitFor([this] { return sheet->model().closed(); }, ms);
    }
    // No timer of the run is armed: it does nothing more by itself.
    bool timersIdle() const {
        for (WizardTimer t : {WizardTimer::Start, WizardTimer::Download, WizardTimer::Install,
                              WizardTimer::Countdown, WizardTimer::CancelClose})
            if (sheet->timerArmed(t))
                return false;
        return true;
    }
    std::string installed(const std::string& name) const {
        return test::readFile(install.root() + "/" + name);
    }
};

}  // namespace

class WizardSheetTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        initialiseTransfers();
        if (darkShots())
            useDarkPalette();
    }

    // Under a dark theme the download list's state texts, on the rows of both schemes, and the
    // prompt's question, on its window, keep a contrast of at least 4.5:1.
    void stateTextsAndQuestionReadOnADarkTheme() {
        const QString style = QApplication::style()->name();
        const QPalette palette = QApplication::palette();
        useDarkPalette();
        test::Installation install;
        UpdateSession session(Folders::fromExecutable(install.self()), install.self());
        for (std::int32_t state :
             {kStateWaiting, kStatePaused, kStateDownloaded, kStateFailed, kStateNotDownloaded}) {
            auto e = std::make_unique<UpdateEntry>();
            e->name = "file" + std::to_string(state);
            e->state = state;
            session.actionList.push_back(e.get());
            session.updateList.push_back(std::move(e));
        }
        {
            gui::CPageStep2 page(session);
            page.list().reload();
            const QPalette rows = page.view().palette();
            for (int row = 0; row < page.list().rowCount(); ++row) {
                const QModelIndex cell = page.list().index(row, gui::ActionListModel::Progress);
                const QString text = cell.data(Qt::DisplayRole).toString();
                const QColor colour = cell.data(Qt::ForegroundRole).value<QColor>();
                for (QPalette::ColorRole behind : {QPalette::Base, QPalette::AlternateBase}) {
                    const double ratio =
                        common::contrastRatio(rgb(colour), rgb(rows.color(behind)));
                    QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on row scheme %2: %3")
                                                          .arg(text)
                                                          .arg(int(behind))
                                                          .arg(ratio)));
                }
            }
        }
        for (bool force : {false, true}) {
            gui::CUpdatePrompt prompt(QString::fromStdString(install.temp()), force);
            prompt.ensurePolished();
            prompt.question().ensurePolished();
            const QColor colour =
                prompt.question().palette().color(prompt.question().foregroundRole());
            const double ratio =
                common::contrastRatio(rgb(colour), rgb(prompt.palette().color(QPalette::Window)));
            QVERIFY2(ratio >= 4.5,
                     qPrintable(prompt.question().text() + QStringLiteral(": %1").arg(ratio)));
        }
        QApplication::setStyle(style);
        QApplication::setPalette(palette);
    }

    void acceptedUpdateCountsDownOnItsButtons() {
        Rig rig(1);
        // In UTF-8, as an editor on Linux writes it.
        const char* changes =
            "v1.0.005 更新内容：\n1. 修正召唤兽资质计算\n"
            "2. 跑商助手增加刷新前提醒\n3. 答题器支持拼音首字母";
        rig.server.put("/list/changelog.txt", changes);
        rig.server.setBodyDelay(std::chrono::milliseconds(1800));
        rig.start(1, std::nullopt);
        QVERIFY(rig.sheet->isVisible());
        QCOMPARE(rig.sheet->windowTitle(), QStringLiteral("Marrowind V2.0"));
        QCOMPARE(rig.sheet->backButton().text(), QStringLiteral("上一步(&B)"));
        QCOMPARE(rig.sheet->autoNextBox().text(), QStringLiteral("自动进入下一步"));
        QVERIFY(rig.sheet->autoNextBox().isChecked());
        QCOMPARE(rig.sheet->nextButton().font().pixelSize(), 12);
        QVERIFY(rig.waitFor([&] { return rig.sheet->prompt() && rig.sheet->prompt()->loaded(); }));
        QCOMPARE(rig.sheet->windowTitle(), QStringLiteral("Kalvix v1.0.005"));
        QVERIFY(!rig.sheet->nextButton().isEnabled());
        QVERIFY(!rig.sheet->backButton().isEnabled());
        QCOMPARE(rig.sheet->page1().status().text(), QStringLiteral("发现2个文件需要更新"));
        QCOMPARE(rig.sheet->page1().list().rowCount(), 2);
        gui::CUpdatePrompt& prompt = *rig.sheet->prompt();
        QCOMPARE(prompt.windowTitle(), QStringLiteral("升级提示"));
        QCOMPARE(prompt.question().text(), QStringLiteral("发现新版本，是否要升级？"));
        QVERIFY(prompt.question().styleSheet().contains(QStringLiteral("rgb(0, 255, 0)")));
        QVERIFY(prompt.updateNow().isDefault());
        QCOMPARE(prompt.changelog().toPlainText(), QString::fromUtf8(changes));
        QCOMPARE(prompt.changelog().textCursor().position(), 0);
        shoot(*rig.sheet, "wizard-page1");
        shoot(prompt, "wizard-prompt");
        prompt.updateNow().click();

        // Page 2 about 1.5 s later, with the files on their way.
        QVERIFY(rig.waitFor([&] { return rig.sheet->model().step() == 2; }, 3000));
        QCOMPARE(rig.sheet->currentPage(), &rig.sheet->page2());
        QVERIFY(rig.waitFor(
            [&] {
                return rig.sheet->page2().speed().text().contains(QStringLiteral("个文件正在下载"));
            },
            5000));
        if (shooting()) {
            // A statistics pass, for the progress cells of the picture.
            const auto& list = rig.sheet->page2().list();
            QTRY_VERIFY_WITH_TIMEOUT(
                !list.data(list.index(0, 5), Qt::DisplayRole).toString().trimmed().isEmpty(),
                10000);
            shoot(*rig.sheet, "wizard-page2");
        }

        QVERIFY(rig.waitFor([&] { return rig.sheet->model().step() == 5; }, 15000));
        QCOMPARE(rig.sheet->currentPage(), &rig.sheet->page4());
        QVERIFY(rig.sheet->nextButton().isEnabled());
        // The first tick of the countdown from 15, a period after the files were in place.
        QCOMPARE(rig.sheet->nextButton().text(), QStringLiteral("完成(14s)"));
        QVERIFY(rig.installDone->elapsed() >= earliestFiring(kCountdownPeriodMs));
        QVERIFY(rig.sheet->backButton().isHidden());
        QVERIFY(rig.sheet->cancelButton().isHidden());
        QCOMPARE(rig.sheet->page4().status().text(), QStringLiteral("总共拷贝2个文件。"));
        QCOMPARE(rig.sheet->page4().list().rowCount(), 2);
        QCOMPARE(
            rig.sheet->page4().list().data(rig.sheet->page4().list().index(1, 0), Qt::DisplayRole),
            QVariant(QStringLiteral(" 2.")));
        shoot(*rig.sheet, "wizard-page3");
        QTRY_COMPARE_WITH_TIMEOUT(rig.sheet->nextButton().text(), QStringLiteral("完成(13s)"),
                                  10000);
        QVERIFY2(rig.installDone->elapsed() >= earliestFiring(2 * kCountdownPeriodMs),
                 qPrintable(QString::number(rig.installDone->elapsed())));
        // Clicking 完成 finishes at once.
        rig.sheet->nextButton().click();
        QVERIFY(rig.ended(1000));
        QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::Finished);
        QVERIFY(!rig.sheet->isVisible());
        QCOMPARE(rig.installed("kalvix"), rig.toolbox);
        QCOMPARE(rig.installed("data/a.txt"), std::string("aaa"));
    }

    void untickedWaitsForTheUserAndTheNextRunFinds() {
        Rig rig(0);
        rig.start(1, true);
        QVERIFY(!rig.sheet->autoNextBox().isChecked());
        QVERIFY(rig.waitFor([&] { return rig.sheet->model().step() == 5; }));
        QCOMPARE(rig.sheet->nextButton().text(), QStringLiteral("完成"));
        // No countdown runs, nor anything else that could end the run without the click.
        QVERIFY(rig.timersIdle());
        QVERIFY(!rig.sheet->model().closed());
        rig.sheet->nextButton().click();
        QVERIFY(rig.ended(1000));
        QVERIFY(test::readFile(rig.install.module() + "/upvarro.ini").find("AutoNextStep=0") !=
                std::string::npos);
    }

    // On the last page the close box is 完成; a finish that could not write its records says
    // so on the page, and the run ends as a failure.
    void closeBoxFinishesAndAFailedFinishIsShown() {
        for (bool recordsWritable : {true, false}) {
            Rig rig(0);
            rig.start(1, true);
            QVERIFY(rig.waitFor([&] { return rig.sheet->model().step() == 5; }));
            const std::string localList = rig.install.module() + "/localList.dat";
            if (!recordsWritable) {
                // A folder where the file should be: nothing can be renamed over it.
                std::filesystem::remove(localList);
                std::filesystem::create_directories(localList);
            }
            rig.sheet->close();
            if (recordsWritable) {
                QVERIFY(rig.ended(1000));
                QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::Finished);
                QVERIFY(std::filesystem::is_regular_file(localList));
                continue;
            }
            QVERIFY(!rig.sheet->model().closed());
            QVERIFY(rig.sheet->isVisible());
            QCOMPARE(rig.sheet->page4().status().text(), QString::fromUtf8(kFinishWriteFailed));
            QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::FinishFailed);
            shoot(*rig.sheet, "wizard-finish-failed");
            rig.sheet->close();
            QVERIFY(rig.ended(1000));
            QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::FinishFailed);
        }
    }

    // Started by the toolbox with nothing to update: no window, no prompt, the run ends.
    void nothingToUpdateEndsWithoutAWindow() {
        Rig rig(1);
        test::writeFile(rig.install.root() + "/kalvix", rig.toolbox);
        test::writeFile(rig.install.root() + "/data/a.txt", "aaa");
        rig.start(0, true);
        bool shown = false;
        QVERIFY(rig.waitFor([&] {
            shown = shown || rig.sheet->isVisible() || rig.sheet->prompt();
            return rig.sheet->model().closed();
        }));
        QVERIFY(!shown);
        QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::NothingToUpdate);
    }

    // Started by hand: the window shows from the start and stays with its status.
    void nothingToUpdateByHandStaysOpen() {
        Rig rig(1);
        test::writeFile(rig.install.root() + "/kalvix", rig.toolbox);
        test::writeFile(rig.install.root() + "/data/a.txt", "aaa");
        rig.start(1, true);
        QVERIFY(rig.waitFor(
            [&] { return rig.sheet->model().outcome() == WizardOutcome::NothingToUpdate; }));
        QTRY_COMPARE(rig.sheet->page1().status().text(), QStringLiteral("没有文件需要更新！"));
        // Nothing is armed that would close it: it stays until the user closes it.
        QVERIFY(rig.timersIdle());
        QVERIFY(!rig.sheet->model().closed());
        QVERIFY(rig.sheet->isVisible());
        QVERIFY(!rig.sheet->nextButton().isEnabled());
        rig.sheet->cancelButton().click();
        QVERIFY(rig.ended(2000));
    }

    // A build that takes only signed lists, against a server without signatures: by hand the
    // window says why and offers nothing; from the toolbox nothing shows at all.
    void unsignedListWithAKeyCompiledIn() {
        const std::string key = generateKeyPair()->publicKey;
        for (int showFlag : {1, 0}) {
            Rig rig(1);
            rig.start(showFlag, true, key);
            QVERIFY(rig.waitFor(
                [&] { return rig.sheet->model().outcome() == WizardOutcome::ListFailed; }));
            if (showFlag == 1) {
                QTRY_COMPARE(rig.sheet->page1().status().text(), QString::fromUtf8(kListUnsigned));
                QVERIFY(rig.timersIdle());
                QVERIFY(!rig.sheet->model().closed());
                QVERIFY(rig.sheet->isVisible());
                shoot(*rig.sheet, "wizard-list-unsigned");
                QVERIFY(!rig.sheet->nextButton().isEnabled());
                rig.sheet->cancelButton().click();
            }
            QVERIFY(rig.ended(2000));
            QVERIFY(!rig.sheet->isVisible());
            QVERIFY(!std::filesystem::exists(rig.install.root() + "/kalvix"));
            QCOMPARE(rig.server.hits("/files/kalvix"), 0);
        }
    }

    // A list fetch that a silent server holds cannot be interrupted: closing still ends the
    // run at once and says that work was left running, so the program ends without it.
    void closingWhileTheListIsStuck() {
        Rig rig(1);
        rig.server.fault("/list/soft_update.xml", test::Fault::Stall);
        rig.start(1, std::nullopt);
        // The list request is at the server, which holds it.
        QTRY_VERIFY(rig.server.hits("/list/soft_update.xml") >= 1);
        QElapsedTimer clock;
        clock.start();
        rig.sheet->close();
        QVERIFY(rig.ended(1000));
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(rig.sheet->workLeftRunning());
        QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::Cancelled);
        rig.sheet.reset();
        // The left thread still holds the session until the server lets go of it: the session
        // is left to the end of the process, as the updater leaves it.
        UpdateSession* left = rig.session.release();
#ifdef KALVIX_ASAN
        __lsan_ignore_object(left);
#else
        (void)left;
#endif
    }

    void picturesFromTheConfiguration_data() {
        QTest::addColumn<QString>("waterMark");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("fromFile") << QStringLiteral("pics\\mark.png") << QSize(50, 60);
        QTest::newRow("missingFile") << QStringLiteral("pics\\none.png") << QSize(164, 314);
        QTest::newRow("notSet") << QString() << QSize(164, 314);
    }

    void picturesFromTheConfiguration() {
        QFETCH(QString, waterMark);
        QFETCH(QSize, shown);
        Rig rig(1, "", "WaterMarkPath=" + waterMark.toStdString() + "\n");
        std::filesystem::create_directories(rig.install.root() + "/pics");
        QImage picture(50, 60, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(QString::fromStdString(rig.install.root() + "/pics/mark.png")));
        rig.start(1, false);
        auto* side = qobject_cast<QLabel*>(rig.sheet->sideWidget());
        QVERIFY(side);
        QCOMPARE(side->pixmap().size(), shown);
        QVERIFY(rig.ended());
    }

    void forcedUpdateDeclinedStaysHidden() {
        Rig rig(1, "<i name=\"ForceUpdate\" value=\"1\"/>");
        rig.start(0, std::nullopt);
        QVERIFY(rig.waitFor([&] { return rig.sheet->prompt() && rig.sheet->prompt()->loaded(); }));
        gui::CUpdatePrompt& prompt = *rig.sheet->prompt();
        QCOMPARE(prompt.question().text(), QStringLiteral("重要bug修改，请升级到最新版本!"));
        // The list's own red on a light window; the dark theme's pictures have it lightened
        // (stateTextsAndQuestionReadOnADarkTheme holds that to its contrast).
        if (!darkShots())
            QVERIFY(prompt.question().styleSheet().contains(QStringLiteral("rgb(255, 0, 0)")));
        // No change log on the server.
        QCOMPARE(prompt.changelog().toPlainText(), QStringLiteral("暂时没有版本修改信息！"));
        QVERIFY(!rig.sheet->cancelButton().isEnabled());
        QVERIFY(!rig.sheet->isVisible());
        shoot(prompt, "wizard-prompt-forced");
        prompt.updateLater().click();
        QVERIFY(rig.ended(3000));
        QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::Declined);
        QVERIFY(!std::filesystem::exists(rig.install.root() + "/kalvix"));
    }

    void downloadErrorLeavesOnlyCancel() {
        Rig rig(1);
        rig.server.fault("/files/data/a.txt", test::Fault::ErrorPage);
        rig.start(0, true);
        QVERIFY(rig.waitFor([&] { return rig.sheet->model().downloadFailed(); }, 15000));
        QVERIFY(rig.sheet->isVisible());
        QCOMPARE(rig.sheet->page2().speed().text(), QStringLiteral("下载出错，升级失败！"));
        QVERIFY(rig.sheet->page2().speed().font().bold());
        QVERIFY(!rig.sheet->backButton().isEnabled());
        QVERIFY(!rig.sheet->nextButton().isEnabled());
        QVERIFY(rig.sheet->cancelButton().isEnabled());
        // The download step is over (it reports its end once) and no timer is armed: nothing
        // goes on to the install step.
        QVERIFY(rig.timersIdle());
        QCOMPARE(rig.sheet->model().step(), 2);
        shoot(*rig.sheet, "wizard-download-error");
        rig.sheet->cancelButton().click();
        QVERIFY(rig.ended(2000));
        QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::DownloadFailed);
        QVERIFY(!std::filesystem::exists(rig.install.root() + "/kalvix"));
    }

    void closingMidDownloadThenTheNextRunCompletes() {
        Rig rig(0);
        rig.server.fault("/files/kalvix", test::Fault::Stall, 1);
        rig.start(0, true);
        QVERIFY(rig.waitFor([&] { return rig.sheet->model().step() == 2; }));
        // The toolbox's download is on its way, held by the server.
        QTRY_VERIFY(rig.server.hits("/files/kalvix") >= 1);
        QElapsedTimer clock;
        clock.start();
        rig.sheet->close();
        QVERIFY(rig.ended(3000));
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(rig.sheet->model().outcome(), WizardOutcome::Cancelled);
        QVERIFY(!std::filesystem::exists(rig.install.root() + "/kalvix"));

        rig.start(1, true);
        QVERIFY(rig.waitFor([&] { return rig.sheet->model().step() == 5; }, 15000));
        rig.sheet->nextButton().click();
        QVERIFY(rig.ended(1000));
        QCOMPARE(rig.installed("kalvix"), rig.toolbox);
    }
};

QTEST_MAIN(WizardSheetTest)
#include "wizard_sheet_test.moc"
