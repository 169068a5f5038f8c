// The toolbox as a new user meets it: the first start of a build without endpoints, the
// settings that last from one start to the next, and Qt's own texts in Chinese.

#include <unistd.h>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/program_folder.h"
#include "kalvix/build_config.h"
#include "kalvix/core/report/updater_launch.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/app/usage_report_runner.h"
#include "kalvix/gui/app/user_settings.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/qt_translations.h"
#include "kalvix/gui/simulator/build_file_dialog.h"
#include "support/started_program.h"
#include "support/widget_lookup.h"

using namespace kalvix::gui;
using widget_test::child;
namespace fs = std::filesystem;

namespace {

QList<QMessageBox*> messageBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w))
            boxes << box;
    return boxes;
}

// A stand-in updater where the toolbox would look for one, noting each start; gone again
// afterwards.
struct StandInUpdater {
    fs::path program{kalvix::report::updaterPath(common::executablePath())};
    fs::path marker{fs::temp_directory_path() /
                    ("kalvix-first-start-" + std::to_string(::getpid()))};
    bool placed = false;
    StandInUpdater() {
        if (fs::exists(program))
            return;  // somebody else's: leave it alone
        fs::create_directories(program.parent_path());
        std::ofstream(program) << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
        fs::permissions(program, fs::perms::owner_all);
        placed = true;
    }
    ~StandInUpdater() {
        if (placed)
            fs::remove_all(program.parent_path());
        fs::remove(marker);
    }
};

}  // namespace

class FirstStartTest : public QObject {
    Q_OBJECT
  private slots:
    // A fresh install of a build configured without endpoints: its first screen is the
    // window alone, no request goes out and no updater starts.
    void aBuildWithoutEndpointsStartsQuietly() {
        if (std::string(kalvix::config::kStatsBase) != "" ||
            std::string(kalvix::config::kUpdateHost) != "")
            QSKIP("this build was configured with endpoints");
        qunsetenv("KALVIX_STATS_BASE");
        qunsetenv("KALVIX_UPDATE_HOST");
        StandInUpdater updater;
        QVERIFY(updater.placed);
        {
            CKalvixDlg dlg;
            auto* runner = dlg.findChild<UsageReportRunner*>();
            QVERIFY(runner);
            QSignalSpy finished(runner, &UsageReportRunner::finished);
            dlg.show();
            QVERIFY(finished.wait(5000));
            QCOMPARE(finished.at(0).at(0).toBool(), false);  // no report was sent
            QCOMPARE(finished.at(0).at(1).toBool(), false);  // no updater started
            // A box would be up by now: it opens as the report's answer arrives.
            QVERIFY(messageBoxes().isEmpty());
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
        // An updater would have been started as the answer arrived, before it was reported:
        // its stand-in would still run or have noted its start. (The window goes first: the
        // embedded browser's engine trips the sanitizer when a page it has been loading for
        // long is ended.)
        QVERIFY(!test_support::standInStarted(updater.program, updater.marker));
    }

    // The alarm toggle, stay-on-top, the last tab, the window's place and the last build
    // folder come back at the next start, from $XDG_CONFIG_HOME/kalvix/kalvix.ini.
    void settingsLastFromOneStartToTheNext() {
        QTemporaryDir config;
        QTemporaryDir builds;
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        const QString build = builds.filePath(QStringLiteral("mine.PSF"));
        {
            CKalvixDlg dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            // 保存 in the simulator, opened from 人物, through the file dialog's choice.
            dlg.host().fileChooser = [&](QWidget*, const PageHost::FileChoice&) {
                return std::optional<QString>(build);
            };
            dlg.host().dialogRunner = [&](QDialog* d) {
                if (auto* save = d->findChild<QAbstractButton*>(QStringLiteral("buttonSave")))
                    save->click();
            };
            child<QPushButton>(dlg.page(0), "buttonSimulation")->click();
            dlg.tabs()->setCurrentIndex(8);  // 跑商助手
            child<QCheckBox>(dlg.page(8), "checkAlarm")->click();
            child<QCheckBox>(dlg.page(8), "checkTopmost")->click();
            dlg.move(40, 30);
            dlg.tabs()->setCurrentIndex(5);  // 召唤兽, the tab to come back to
            dlg.close();
        }
        QVERIFY(QFile::exists(config.filePath(QStringLiteral("kalvix/kalvix.ini"))));
        QVERIFY(QFile::exists(build));
        {
            CKalvixDlg dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            QCOMPARE(dlg.tabs()->currentIndex(), 5);
            QVERIFY(dlg.page(5)->isVisible());
            QCOMPARE(dlg.pos(), QPoint(40, 30));
            QVERIFY(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            dlg.tabs()->setCurrentIndex(8);
            QVERIFY(child<QCheckBox>(dlg.page(8), "checkAlarm")->isChecked());
            QVERIFY(child<QCheckBox>(dlg.page(8), "checkTopmost")->isChecked());
            QCOMPARE(dlg.context().settings().text(BuildFileDialog::kLastFolderKey),
                     QFileInfo(builds.path()).absoluteFilePath().toStdString());
            // Unset again, and closed without a change: the next start is as the first.
            child<QCheckBox>(dlg.page(8), "checkAlarm")->click();
            child<QCheckBox>(dlg.page(8), "checkTopmost")->click();
            dlg.close();
        }
        {
            CKalvixDlg dlg;
            QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            QVERIFY(!child<QCheckBox>(dlg.page(8), "checkAlarm")->isChecked());
        }
        // The file is the user's: a damaged one is read as far as it goes, never a crash.
        QFile file(config.filePath(QStringLiteral("kalvix/kalvix.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[window]\nlastTab=99\nleft=x\ntop=\n[trade]\nalarm=maybe\n\x01\xff\n");
        file.close();
        {
            CKalvixDlg dlg;
            dlg.show();
            QCOMPARE(dlg.tabs()->currentIndex(), 0);
            QVERIFY(!child<QCheckBox>(dlg.page(8), "checkAlarm")->isChecked());
        }
        qputenv("XDG_CONFIG_HOME", before);
    }

    // Standard buttons and context menus read 确定, 取消, 复制 whatever the desktop's locale.
    void qtsOwnTextsReadChinese() {
        QVERIFY(installQtTranslations(*QCoreApplication::instance()));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << a->text();
        QVERIFY2(texts.join(QLatin1Char(' ')).contains(QStringLiteral("复制")),
                 qPrintable(texts.join(QLatin1Char(' '))));
    }
};

QTEST_MAIN(FirstStartTest)
#include "first_start_test.moc"
