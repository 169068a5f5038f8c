// The 技能, 修炼, 任务 and 召唤兽 pages in the real main window, offscreen: what only the
// widgets show (focus, selection, enabling, the level hand-over, the detail dialog).

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/calculators/dlg_skill_detail.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/status_bar.h"
#include "support/recording_presenter.h"
#include "support/widget_lookup.h"

using namespace kalvix::gui;

namespace {
using test_support::RecordingPresenter;

using widget_test::child;
using widget_test::choose;
}  // namespace

class CalculatorPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void levelHandOverBothWays() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto* charLevel = child<QComboBox>(dlg.page(0), "comboLevel");
        choose(charLevel, 60);
        dlg.tabs()->setCurrentIndex(4);
        QWidget* mission = dlg.page(4);
        auto* missionLevel = child<QComboBox>(mission, "comboLevel");
        QCOMPARE(missionLevel->currentIndex(), 60);
        QCOMPARE(child<QLineEdit>(mission, "editSchoolExp")->text(), QStringLiteral("222400"));
        QCOMPARE(child<QLineEdit>(mission, "editChainExp")->text(), QStringLiteral("8505000"));
        QVERIFY(!child<QCheckBox>(mission, "checkTriple")->isEnabled());
        choose(missionLevel, 80);
        QCOMPARE(dlg.context().sharedLevel(), 80);
        dlg.tabs()->setCurrentIndex(0);
        QCOMPARE(charLevel->currentIndex(), 80);
        QCOMPARE(child<QLineEdit>(dlg.page(0), "editOfflineExp")->text(), QStringLiteral("400000"));
        // Below 40 三倍 is enabled and checked again.
        dlg.tabs()->setCurrentIndex(4);
        choose(missionLevel, 39);
        QVERIFY(child<QCheckBox>(mission, "checkTriple")->isEnabled());
        QVERIFY(child<QCheckBox>(mission, "checkTriple")->isChecked());
        QCOMPARE(child<QLineEdit>(mission, "editSchoolExp")->text(), QStringLiteral("151860"));
    }

    void skillRangeRefusalSelectsTheText() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        dlg.tabs()->setCurrentIndex(2);
        QWidget* page = dlg.page(2);
        auto* current = child<QLineEdit>(page, "editSchoolCurrent");
        current->setFocus();
        QTRY_VERIFY(current->hasFocus());
        current->selectAll();
        QTest::keyClicks(current, QStringLiteral("181"));
        QCOMPARE(current->text(), QStringLiteral("181"));
        QCOMPARE(current->selectedText(), QStringLiteral("181"));
        QCOMPARE(child<QLineEdit>(page, "editSchoolExp")->text(), QStringLiteral("0"));
        // The next keystroke replaces the refused text.
        QTest::keyClicks(current, QStringLiteral("5"));
        QCOMPARE(current->text(), QStringLiteral("5"));
        QCOMPARE(child<QLineEdit>(page, "editSchoolTarget")->text(),
                 QStringLiteral("18"));  // raised while typing
        // 向NPC学习 swaps the contribution fields for the popularity field.
        auto* npc = child<QRadioButton>(page, "radioNpc");
        QVERIFY(child<QLineEdit>(page, "editAuxContribution")->isVisible());
        QTest::mouseClick(npc, Qt::LeftButton);
        QVERIFY(npc->isChecked());
        QVERIFY(!child<QLineEdit>(page, "editAuxContribution")->isVisible());
        QVERIFY(!child<QWidget>(page, "labelAuxNeeded")->isVisible());
        QVERIFY(child<QLineEdit>(page, "editAuxPopularity")->isVisible());
        QVERIFY(!child<QPushButton>(page, "buttonTotal")->isVisible());
    }

    void skillDetailKeepsItsInputsBetweenOpenings() {
        CKalvixDlg dlg;
        dlg.show();
        dlg.tabs()->setCurrentIndex(2);
        QStringList titles;
        QStringList targets;
        dlg.host().dialogRunner = [&](QDialog* d) {
            titles << d->windowTitle();
            auto* target = d->findChild<QLineEdit*>(QStringLiteral("editTarget1"));
            QVERIFY(target);
            targets << target->text();
            auto* detail = qobject_cast<CDlgSkillDetail*>(d);
            QVERIFY(detail);
            if (targets.size() == 1) {
                target->setFocus();
                target->selectAll();
                QTest::keyClicks(target, QStringLiteral("60"));
                QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("editExp1"))->text(),
                         QStringLiteral("1429440"));
                QVERIFY(!d->findChild<QPushButton*>(QStringLiteral("buttonOk"))->isVisible());
                d->show();
                QTest::keyClick(target, Qt::Key_Return);  // Enter accepts
                QCOMPARE(d->result(), int(QDialog::Accepted));
            }
        };
        QTest::mouseClick(child<QPushButton>(dlg.page(2), "buttonDetail"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dlg.page(2), "buttonDetail"), Qt::LeftButton);
        QCOMPARE(titles, (QStringList{QStringLiteral("师门技能详细计算"),
                                      QStringLiteral("师门技能详细计算")}));
        QCOMPARE(targets, (QStringList{QStringLiteral("0"), QStringLiteral("60")}));
    }

    void practiceDigitsOnlyAndRangeMessage() {
        RecordingPresenter presenter;
        CKalvixDlg dlg;
        dlg.host().setPresenter(&presenter);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        dlg.tabs()->setCurrentIndex(3);
        QWidget* page = dlg.page(3);
        auto* damage = child<QLineEdit>(page, "editDamage");
        damage->setFocus();
        QTRY_VERIFY(damage->hasFocus());
        damage->selectAll();
        QTest::keyClicks(damage, QStringLiteral("1a0-0x0"));
        QCOMPARE(damage->text(), QStringLiteral("1000"));
        QCOMPARE(child<QLineEdit>(page, "editResult")->text(), QStringLiteral("1801"));
        QTest::mouseClick(child<QRadioButton>(page, "radioModeDefence"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(page, "labelDamage")->text(), QStringLiteral("所受伤害"));
        QCOMPARE(child<QLineEdit>(page, "editResult")->text(), QStringLiteral("504"));
        auto* level = child<QLineEdit>(page, "editDamageLevel");
        level->setFocus();
        QTRY_VERIFY(level->hasFocus());
        level->selectAll();
        QTest::keyClicks(level, QStringLiteral("26"));
        QVERIFY(presenter.shown.contains(QStringLiteral("请输入一个 0 至 25 之间的整数。")));
        QVERIFY(level->hasFocus());
        QCOMPARE(level->selectedText(), QStringLiteral("26"));
        QTest::keyClicks(level, QStringLiteral("9"));
        // The simulation fills its list box.
        auto* skill = child<QLineEdit>(page, "editSealSkill");
        skill->setFocus();
        QTest::keyClicks(skill, QStringLiteral("5"));
        QCOMPARE(child<QListWidget>(page, "listSeal")->count(), 100);
        QCOMPARE(child<QLineEdit>(page, "editSuccess")->text().toInt() +
                     child<QLineEdit>(page, "editFailure")->text().toInt(),
                 100);
        dlg.host().setPresenter(nullptr);
    }

    void petAttributeFieldsFollowTheFocus() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        dlg.tabs()->setCurrentIndex(5);
        QWidget* page = dlg.page(5);
        auto* con = child<QLineEdit>(page, "editCon");
        auto* potential = child<QLineEdit>(page, "editPotential");
        auto* plus5 = child<QPushButton>(page, "buttonConP5");
        con->setFocus();
        QTRY_VERIFY(con->hasFocus());
        QTest::keyClicks(con, QStringLiteral("20"));
        potential->setFocus();
        QTRY_VERIFY(potential->hasFocus());
        QTest::keyClicks(potential, QStringLiteral("10"));
        QVERIFY(plus5->isEnabled());
        QTest::mouseClick(plus5, Qt::LeftButton);
        QCOMPARE(con->text(), QStringLiteral("25"));
        QCOMPARE(potential->text(), QStringLiteral("5"));
        QVERIFY(child<QPushButton>(page, "buttonReset")->isEnabled());
        QVERIFY(child<QPushButton>(page, "buttonConM5")->isEnabled());
        // Focused: the base alone, caret at the end, nothing selected (even when tabbed into).
        con->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(con->text(), QStringLiteral("20"));
        QTRY_COMPARE(con->cursorPosition(), 2);
        QTRY_COMPARE(con->selectedText(), QString());
        potential->setFocus();
        QTRY_COMPARE(con->text(), QStringLiteral("25"));
        // 潜能 below the allocated points keeps the focus, selected, with the message.
        QTRY_COMPARE(potential->text(), QStringLiteral("10"));
        potential->selectAll();
        QTest::keyClicks(potential, QStringLiteral("3"));
        con->setFocus();
        QTRY_VERIFY(potential->hasFocus());
        QCOMPARE(potential->selectedText(), QStringLiteral("3"));
        QCOMPARE(dlg.statusBar()->fieldText(0), QStringLiteral("初始潜能点小于已分配潜能(5)！"));
        QTest::keyClicks(potential, QStringLiteral("8"));
        con->setFocus();
        QTRY_VERIFY(con->hasFocus());
        QCOMPARE(potential->text(), QStringLiteral("3"));
        QCOMPARE(dlg.statusBar()->fieldText(0), QString());
        // The cultivation note is a read-only text box with its line break.
        auto* note = child<QPlainTextEdit>(page, "textCultNote");
        QVERIFY(note->isReadOnly());
        QCOMPARE(note->toPlainText(), QStringLiteral("人物70级\t\t\n需跑约0次100环"));
    }

    void petLastPointSpentLeavesTheFocusWithThePage() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        dlg.tabs()->setCurrentIndex(5);
        QWidget* page = dlg.page(5);
        auto* agility = child<QLineEdit>(page, "editAgi");
        agility->setFocus();
        QTRY_VERIFY(agility->hasFocus());
        QTest::keyClicks(agility, QStringLiteral("10"));
        auto* potential = child<QLineEdit>(page, "editPotential");
        potential->setFocus();
        QTRY_VERIFY(potential->hasFocus());
        QTest::keyClicks(potential, QStringLiteral("1"));
        // The button spends the last point and is disabled under the pointer; the page keeps
        // the focus on it, so the field after it does not take the focus unseen.
        auto* plus1 = child<QPushButton>(page, "buttonAgiP1");
        QVERIFY(plus1->isEnabled());
        QTest::mouseClick(plus1, Qt::LeftButton);
        QVERIFY(!plus1->isEnabled());
        QVERIFY(!potential->hasFocus());
        potential->setFocus();
        QTRY_COMPARE(potential->text(), QStringLiteral("1"));
    }

    void enterMovesFocusOnTheCalculatorPages() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        const std::pair<int, const char*> fields[] = {
            {2, "editSchoolCurrent"}, {3, "editCurrent"}, {4, "editFrom"}, {5, "editOwnSpeed"}};
        for (const auto& [tab, name] : fields) {
            dlg.tabs()->setCurrentIndex(tab);
            auto* e = child<QLineEdit>(dlg.page(tab), name);
            e->setFocus();
            QTRY_VERIFY(e->hasFocus());
            QTest::keyClick(e, Qt::Key_Return);
            QVERIFY2(!e->hasFocus(), name);
            QVERIFY(dlg.isVisible());
        }
    }
};

QTEST_MAIN(CalculatorPagesTest)
#include "calculator_pages_test.moc"
