// The simulator page opened from the real 人物 page of the main window, offscreen: what only
// the widgets show (captions, enabling through the frames, tooltips, the dialog's own status
// bar) and the save and load path through the file dialogs' seam.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <functional>
#include <map>
#include <optional>

#include "kalvix/core/simulator/build_summary.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/app/user_settings.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/simulator/build_file_dialog.h"
#include "kalvix/gui/simulator/check_frame.h"
#include "kalvix/gui/simulator/dlg_simulation.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "support/recording_presenter.h"
#include "support/widget_lookup.h"

using namespace kalvix::gui;

namespace {

struct RecordingPresenter : test_support::RecordingPresenter {
    QStringList potentials;  // what the 潜力 field shows while the box is up
    RecordingPresenter() {
        whileAsked = [this](QWidget* parent) {
            auto* potential = parent->findChild<QLineEdit*>(QStringLiteral("editPotential"));
            potentials << (potential ? potential->text() : QStringLiteral("?"));
        };
    }
};

using widget_test::child;
using widget_test::choose;

void click(QWidget* page, const char* name) {
    auto* b = child<QAbstractButton>(page, name);
    QVERIFY(b);
    QVERIFY2(b->isEnabled(), name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QString text(QWidget* page, const char* name) {
    auto* e = child<QLineEdit>(page, name);
    return e ? e->text() : QStringLiteral("?");
}

QString tipOf(CDlgSimulation* d, const char* name) {
    return d->tooltip().tip(child<QWidget>(d, name));
}

// The main window with the 人物 page at a level; 模拟加点 then runs the dialogs through the
// handlers by title.
struct Window {
    CKalvixDlg dlg;
    RecordingPresenter presenter;
    std::map<QString, std::function<void(QDialog*)>> handlers;
    QStringList opened;
    // The answers of the file dialogs to come, in turn (an empty one cancels), and what each
    // dialog was asked for.
    QStringList files;
    QList<PageHost::FileChoice> choices;

    explicit Window(int level) {
        dlg.show();
        dlg.host().setPresenter(&presenter);
        dlg.host().dialogRunner = [this](QDialog* d) {
            opened << d->windowTitle();
            auto it = handlers.find(d->windowTitle());
            if (it != handlers.end())
                it->second(d);
        };
        dlg.host().fileChooser = [this](QWidget*, const PageHost::FileChoice& choice) {
            choices << choice;
            if (files.isEmpty()) {
                QTest::qFail("a file dialog without an answer", __FILE__, __LINE__);
                return std::optional<QString>();
            }
            return std::optional<QString>(files.takeFirst());
        };
        choose(child<QComboBox>(dlg.page(0), "comboLevel"), level);
    }
    ~Window() { dlg.host().setPresenter(nullptr); }

    // Fails the test when the dialog never opens, so what drive checks is always checked.
    void simulate(std::function<void(CDlgSimulation*)> drive) {
        int runs = 0;
        handlers[QStringLiteral("人物模拟加点系统")] = [drive, &runs](QDialog* d) {
            ++runs;
            auto* sim = qobject_cast<CDlgSimulation*>(d);
            QVERIFY(sim);
            drive(sim);
        };
        click(dlg.page(0), "buttonSimulation");
        handlers.erase(QStringLiteral("人物模拟加点系统"));
        QCOMPARE(runs, 1);
    }
};

}  // namespace

class SimulationDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void opensFromTheCharacterPageAtItsLevel() {
        Window w(60);
        bool ran = false;
        w.simulate([&](CDlgSimulation* d) {
            ran = true;
            QVERIFY(d->binder()->missingWidgets().empty());
            QCOMPARE(d->windowTitle(), QStringLiteral("人物模拟加点系统"));
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 60);
            QCOMPARE(child<QComboBox>(d, "comboLevel")->count(), 176);
            QCOMPARE(text(d, "editPotential"), QStringLiteral("315"));
            QCOMPARE(text(d, "editSchool"), QStringLiteral("大唐官府"));
            QCOMPARE(child<QRadioButton>(d, "radioSchool3")->text(), QStringLiteral("女儿村"));
            QVERIFY(child<QCheckBox>(d, "checkAscended")->isChecked());
            QVERIFY(child<QPushButton>(d, "buttonConP5")->isEnabled());
            QVERIFY(!child<QPushButton>(d, "buttonConM1")->isEnabled());
            QVERIFY(!child<QPushButton>(d, "buttonFame")->isEnabled());
            QCOMPARE(tipOf(d, "buttonWeapon"), QStringLiteral("<h3>武器</h3>"));
            QCOMPARE(tipOf(d, "buttonBoot"), QStringLiteral("<h3>靴子</h3>"));
            QCOMPARE(tipOf(d, "buttonMount"), QStringLiteral("<h3>坐骑</h3>"));
        });
        QVERIFY(ran);
        QCOMPARE(w.opened, QStringList{QStringLiteral("人物模拟加点系统")});
    }

    void raceAndSchoolRelabelTheRadiosAndButtons() {
        Window w(0);
        w.simulate([&](CDlgSimulation* d) {
            click(d, "radioSchool2");
            click(d, "radioRace1");
            QCOMPARE(child<QRadioButton>(d, "radioSchool2")->text(), QStringLiteral("五庄观"));
            QVERIFY(child<QRadioButton>(d, "radioSchool2")->isChecked());
            QCOMPARE(text(d, "editSchool"), QStringLiteral("五庄观"));
            click(d, "radioRace0");
            click(d, "radioSchool3");
            QCOMPARE(child<QPushButton>(d, "buttonSkill6")->text(), QStringLiteral("*清歌妙舞"));
            QCOMPARE(child<QPushButton>(d, "buttonSkill7")->text(), QString());
            QVERIFY(!child<QPushButton>(d, "buttonSkill7")->isEnabled());
            QVERIFY(!child<QComboBox>(d, "comboSkill7")->isEnabled());
            QCOMPARE(tipOf(d, "buttonSkill7"), QString());
            QVERIFY(tipOf(d, "buttonSkill6").contains(QStringLiteral("清歌妙舞")));
            choose(child<QComboBox>(d, "comboSkill6"), 50);
            QVERIFY(tipOf(d, "comboSkill6").contains(QStringLiteral("技能等级：</font>50")));
        });
    }

    void pointsButtonsAndTheirPreviews() {
        Window w(0);
        w.simulate([&](CDlgSimulation* d) {
            QCOMPARE(tipOf(d, "buttonConP5"), QStringLiteral("气血 +25　灵力 +1"));
            click(d, "buttonConP5");
            QCOMPARE(text(d, "editCon"), QStringLiteral("15"));
            QCOMPARE(text(d, "editHp"), QStringLiteral("175"));
            QCOMPARE(text(d, "editPotential"), QStringLiteral("10"));
            QVERIFY(child<QPushButton>(d, "buttonConM5")->isEnabled());
            QVERIFY(child<QPushButton>(d, "buttonReset")->isEnabled());
            click(d, "buttonReset");
            QCOMPARE(text(d, "editCon"), QStringLiteral("10"));
            QVERIFY(!child<QPushButton>(d, "buttonReset")->isEnabled());
        });
    }

    void quickAllocationReportsInTheDialogsStatusBar() {
        Window w(0);
        w.simulate([&](CDlgSimulation* d) {
            auto* con = child<QLineEdit>(d, "editQuickCon");
            con->setFocus();
            QTest::keyClicks(con, QStringLiteral("1a0"));  // digits only
            QCOMPARE(con->text(), QStringLiteral("10"));
            auto* agi = child<QLineEdit>(d, "editQuickAgi");
            agi->setFocus();
            QTest::keyClicks(agi, QStringLiteral("6"));
            click(d, "buttonValue");
            QCOMPARE(d->statusBar()->fieldText(0),
                     QStringLiteral("剩余潜能点(15)小于待分配分配潜能(16)！"));
            QCOMPARE(con->text(), QStringLiteral("10"));
            click(d, "buttonRatio");
            QCOMPARE(d->statusBar()->fieldText(0), QStringLiteral("快速加点成功！"));
            QCOMPARE(con->text(), QString());
            QCOMPARE(text(d, "editPotential"), QStringLiteral("1"));
        });
        // The main window's status bar is not the dialog's.
        QVERIFY(w.presenter.shown.isEmpty());
    }

    void overspentPotentialAsks() {
        Window w(0);
        w.presenter.answer = false;
        w.simulate([&](CDlgSimulation* d) {
            choose(child<QComboBox>(d, "comboExtra"), 10);
            for (int i = 0; i < 5; ++i)
                click(d, "buttonEndP5");
            choose(child<QComboBox>(d, "comboExtra"), 0);
            QCOMPARE(text(d, "editPotential"), QStringLiteral("-10"));
            QVERIFY(!child<QPushButton>(d, "buttonEndP1")->isEnabled());
            QVERIFY(child<QPushButton>(d, "buttonEndM5")->isEnabled());
        });
        QCOMPARE(w.presenter.asked,
                 QStringList{QStringLiteral("已加点数超出可用潜能，是否重值已加点数？")});
        QCOMPARE(w.presenter.captions, QStringList{QStringLiteral("已分配潜能超出")});
        QCOMPARE(w.presenter.potentials, QStringList{QStringLiteral("-10")});
    }

    void ascensionRebuildsTheLevelList() {
        Window w(150);
        w.simulate([&](CDlgSimulation* d) {
            click(d, "checkAscended");
            QCOMPARE(child<QComboBox>(d, "comboLevel")->count(), 146);
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 145);
        });
    }

    void framesFollowTheirCheckBoxes() {
        Window w(0);
        w.simulate([&](CDlgSimulation* d) {
            click(d, "checkEquipment");
            for (const char* name :
                 {"buttonWeapon", "buttonBoot", "labelStunt", "editSpecial2", "editEffect11"})
                QVERIFY2(!child<QWidget>(d, name)->isEnabled(), name);
            QVERIFY(child<QWidget>(d, "checkEquipment")->isEnabled());
            QVERIFY(child<QWidget>(d, "buttonMount")->isEnabled());
            QCOMPARE(text(d, "editSpecial0"), QStringLiteral("0"));
            click(d, "checkEquipment");
            QVERIFY(child<QWidget>(d, "labelStunt")->isEnabled());
            QVERIFY(child<QWidget>(d, "buttonWeapon")->isEnabled());
            click(d, "checkMount");
            QVERIFY(!child<QWidget>(d, "buttonMount")->isEnabled());
        });
        // A frame that the dialog does not have.
        RecordingPresenter presenter;
        QWidget dialog;
        CCheckFrame frame;
        QVERIFY(!frame.attach(&dialog, QStringLiteral("frameNone"), presenter));
        QCOMPARE(presenter.shown, QStringList{QStringLiteral("Unable to find frame control")});
    }

    void editorsOpenByTitle() {
        Window w(0);
        w.simulate([&](CDlgSimulation* d) {
            for (const char* name : {"buttonWeapon", "buttonClothing", "buttonHead",
                                     "buttonNecklace", "buttonBelt", "buttonBoot"})
                click(d, name);
        });
        QCOMPARE(w.opened, (QStringList{QStringLiteral("人物模拟加点系统"), QStringLiteral("武器"),
                                        QStringLiteral("铠甲/女衣"), QStringLiteral("头盔/发钗"),
                                        QStringLiteral("项链"), QStringLiteral("腰带"),
                                        QStringLiteral("靴子")}));
    }

    void realWeaponEditorConfirmsIntoThePage() {
        Window w(100);
        bool cancel = true;
        w.handlers[QStringLiteral("武器")] = [&cancel](QDialog* e) {
            choose(child<QComboBox>(e, "comboLevel"), 10);  // 100级 presets 伤害 360
            click(e, cancel ? "buttonCancel" : "buttonOk");
        };
        w.simulate([&](CDlgSimulation* d) {
            const QString hurt = text(d, "editHurt");
            click(d, "buttonWeapon");
            QCOMPARE(text(d, "editHurt"), hurt);
            QCOMPARE(tipOf(d, "buttonWeapon"), QStringLiteral("<h3>武器</h3>"));
            cancel = false;
            click(d, "buttonWeapon");
            QCOMPARE(d->session().equipment(1).levelIndex, 10);
            // 伤害 360, and a third of 命中 310.
            QCOMPARE(text(d, "editHurt"), QString::number(hurt.toInt() + 360 + 310 / 3));
            QVERIFY(tipOf(d, "buttonWeapon").contains(QStringLiteral("伤害&nbsp;+360")));
        });
        QCOMPARE(w.opened.count(QStringLiteral("武器")), 2);  // both editors really opened
    }

    void mountEditorConfirmsIntoThePage() {
        Window w(50);
        w.handlers[QStringLiteral("坐骑")] = [](QDialog* m) {
            auto* growth = child<QLineEdit>(m, "editGrowth");
            growth->setFocus();
            growth->selectAll();
            QTest::keyClicks(growth, QStringLiteral("1.2"));
            choose(child<QComboBox>(m, "comboCon"), 300);
            click(m, "buttonOk");
            QCOMPARE(m->result(), int(QDialog::Accepted));
        };
        w.simulate([&](CDlgSimulation* d) {
            click(d, "buttonMount");
            QCOMPARE(text(d, "editCon"), QStringLiteral("72"));
            const kalvix::CharacterBuild& b = d->page().build();
            QCOMPARE(tipOf(d, "buttonMount"), QString::fromStdString(kalvix::mountSummary(
                                                  b.mount, d->page().sheet().mountRaw)));
        });
    }

    void buildFilesFromTheDesktop() {
        QStandardPaths::setTestModeEnabled(true);
        kalvix::gui::UserSettings().setList("simulator/recentFiles", {});
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("desk.PSF"));
        // A link left behind by a file that has gone: it cannot be opened.
        const QString gone = dir.filePath(QStringLiteral("gone.psf"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nothing")), gone));
        {
            Window w(60);
            w.simulate([&](CDlgSimulation* d) {
                click(d, "radioRace1");
                w.files << file;
                click(d, "buttonSave");
            });
        }
        QCOMPARE(CDlgSimulation::recentFiles(kalvix::gui::UserSettings()), QStringList{file});
        const auto drop = [](CDlgSimulation* d, const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(d, &enter);
            QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(d, &event);
            return enter.isAccepted() && event.isAccepted();
        };
        // kalvix FILE.PSF opens the simulator with the build, as one step to undo.
        Window w(10);
        int runs = 0;
        w.handlers[QStringLiteral("人物模拟加点系统")] = [&](QDialog* dialog) {
            ++runs;
            auto* d = qobject_cast<CDlgSimulation*>(dialog);
            QVERIFY(d);
            QVERIFY(child<QRadioButton>(d, "radioRace1")->isChecked());
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 60);
            click(d, "buttonUndo");
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 10);
            QVERIFY(child<QRadioButton>(d, "radioRace0")->isChecked());
            click(d, "buttonRedo");
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 60);
            // A file that cannot be opened, dropped on the page: its message, nothing changes.
            QVERIFY(drop(d, gone));
            QCOMPARE(w.presenter.shown, QStringList{QStringLiteral("Open %1 failed!\n").arg(gone)});
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 60);
            QVERIFY(!drop(d, dir.filePath(QStringLiteral("notes.txt"))));
            QCOMPARE(CDlgSimulation::recentFiles(kalvix::gui::UserSettings()), QStringList{file});
        };
        w.dlg.openBuildFile(file);
        QCOMPARE(runs, 1);
    }

    void saveAndLoadThroughTheFileDialogs() {
        QCOMPARE(BuildFileDialog::filter(), QStringLiteral("Zentrix人物模拟文件(*.PSF)"));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("build.PSF"));
        Window w(89);
        w.simulate([&](CDlgSimulation* d) {
            click(d, "radioRace2");
            click(d, "radioSchool3");
            auto* name = child<QLineEdit>(d, "editName");
            name->setFocus();
            QTest::keyClicks(name, QStringLiteral("spider"));
            // Enter in a field presses no button (保存 would ask for a file here).
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(w.opened.size(), 1);
            click(d, "buttonAgiP5");
            w.files << file << QString();
            click(d, "buttonSave");
            // Cancelled dialogs do nothing.
            click(d, "buttonLoad");
            QCOMPARE(text(d, "editAgi"), QString::number(8 + 89 + 5));
        });
        // A save dialog, then an open dialog in the folder saved to, both for build files.
        QCOMPARE(w.choices.size(), 2);
        QVERIFY(w.choices[0].save && !w.choices[1].save);
        QCOMPARE(w.choices[1].folder, dir.path());
        QCOMPARE(w.choices[1].filter, BuildFileDialog::filter());
        QCOMPARE(w.choices[1].defaultSuffix, QStringLiteral("PSF"));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.size(), qint64(2000));

        Window other(10);
        other.simulate([&](CDlgSimulation* d) {
            other.files << file;
            click(d, "buttonLoad");
            QCOMPARE(text(d, "editName"), QStringLiteral("spider"));
            QCOMPARE(text(d, "editSchool"), QStringLiteral("盘丝洞"));
            QCOMPARE(child<QRadioButton>(d, "radioSchool3")->text(), QStringLiteral("盘丝洞"));
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 89);
            QCOMPARE(text(d, "editAgi"), QString::number(8 + 89 + 5));
            QVERIFY(tipOf(d, "buttonWeapon") != QStringLiteral("<h3>武器</h3>"));
            // A missing file shows its box and changes nothing.
            const QString missing = dir.filePath(QStringLiteral("none.PSF"));
            other.files << missing;
            click(d, "buttonLoad");
            QCOMPARE(text(d, "editName"), QStringLiteral("spider"));
        });
        QCOMPARE(
            other.presenter.shown,
            QStringList{
                QStringLiteral("Open %1 failed!\n").arg(dir.filePath(QStringLiteral("none.PSF")))});
    }

    void codesGoThroughTheClipboard() {
        Window w(33);
        QString copied;
        w.simulate([&](CDlgSimulation* d) {
            click(d, "buttonCopyCode");
            copied = QGuiApplication::clipboard()->text();
            QCOMPARE(copied.size(), 2000);
            QGuiApplication::clipboard()->setText(QStringLiteral("not a build"));
            click(d, "buttonPasteCode");
        });
        QCOMPARE(w.presenter.shown,
                 QStringList{QStringLiteral("剪贴板中的文字不是人物模拟代码！")});
        Window other(0);
        other.simulate([&](CDlgSimulation* d) {
            QGuiApplication::clipboard()->setText(copied + QStringLiteral("\n"));
            d->show();
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            QTest::keyClick(d, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(child<QComboBox>(d, "comboLevel")->currentIndex(), 33);
        });
        QCOMPARE(other.presenter.asked,
                 QStringList{QStringLiteral("用粘贴的代码替换当前的人物模拟？")});
    }
};

QTEST_MAIN(SimulationDialogTest)
#include "simulation_dialog_test.moc"
