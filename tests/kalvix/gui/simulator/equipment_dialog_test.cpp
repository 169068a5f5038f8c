// The six equipment editors offscreen: opened from the real 人物 page through the simulator
// page, the controls each one shows, presets and strengthening, the effect pairs, tips, and
// 确认 writing the piece back into the page's build.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/simulator/equipment_page.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/gui/app/page_widgets.h"
#include "kalvix/gui/calculators/dlg_character.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/simulator/dlg_equipment.h"
#include "kalvix/gui/simulator/dlg_simulation.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "support/program_pictures.h"
#include "support/widget_lookup.h"

using namespace kalvix::gui;

namespace {

using widget_test::child;
using widget_test::choose;
using widget_test::selected;

void click(QWidget* d, const QString& name) {
    QTest::mouseClick(child<QAbstractButton>(d, name), Qt::LeftButton);
}

bool shown(QWidget* d, const QString& name) {
    QWidget* w = child<QWidget>(d, name);
    return w && w->isVisibleTo(d);
}

}  // namespace

class EquipmentDialogTest : public QObject {
    Q_OBJECT
  private slots:

    void eachEditorShowsItsOwnControls() {
        struct Case {
            int piece;
            const char* className;
            std::vector<const char*> baseLabels;
            bool added;
            int meltRows;
            int partBoxes;
            bool strengthen;
            bool icons;
        } cases[] = {
            {1, "CDlgWeapon", {"伤害", "命中", "躲避"}, true, 5, 3, true, false},
            {2, "CDlgClothing", {"防御", "气血", "灵力"}, true, 6, 1, false, false},
            {3, "CDlgHead", {"防御", "魔法", "命中", "伤害"}, false, 2, 1, true, true},
            {4, "CDlgNecklace", {"灵力"}, false, 1, 2, true, true},
            {5, "CDlgBelt", {"防御", "气血", "速度", "躲避"}, false, 2, 2, true, true},
            {6, "CDlgBoot", {"防御", "敏捷", "速度", "躲避"}, false, 2, 2, true, true},
        };
        kalvix::PageContext context;
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        kalvix::SimulatorSession session(context.catalogue());
        QWidget owner;
        addEquipmentDialogs(host, &session);
        for (const Case& c : cases) {
            const QString title = QString::fromUtf8(kalvix::kEditorTitles[c.piece]);
            std::unique_ptr<QDialog> dialog(host.createDialog(title, &owner));
            auto* d = qobject_cast<CDlgEquipment*>(dialog.get());
            QVERIFY2(d, qPrintable(title));
            QCOMPARE(d->windowTitle(), title);
            QCOMPARE(d->objectName(), QString::fromLatin1(c.className));
            QCOMPARE(&d->model().session(), &session);
            QVERIFY(d->binder()->missingWidgets().empty());
            for (int n = 1; n <= 4; ++n) {
                const QString label = QStringLiteral("labelBase%1").arg(n);
                const int count = static_cast<int>(c.baseLabels.size());
                QCOMPARE(shown(d, label), n <= count);
                if (n <= count)
                    QCOMPARE(child<QLabel>(d, label)->text(),
                             QString::fromUtf8(c.baseLabels[static_cast<std::size_t>(n - 1)]));
            }
            QCOMPARE(shown(d, QStringLiteral("groupAdded")), c.added);
            for (int n = 1; n <= 6; ++n)
                QCOMPARE(shown(d, QStringLiteral("comboMelt%1").arg(n)), n <= c.meltRows);
            for (int n = 1; n <= 3; ++n)
                QCOMPARE(shown(d, QStringLiteral("checkPart%1").arg(n)), n <= c.partBoxes);
            QCOMPARE(child<QCheckBox>(d, QStringLiteral("checkGeneral7"))->text(),
                     QStringLiteral("珍宝"));
            QCOMPARE(shown(d, QStringLiteral("checkStrengthen")), c.strengthen);
            QCOMPARE(shown(d, QStringLiteral("buttonHole1")), c.icons);
            QCOMPARE(shown(d, QStringLiteral("editHole1")), !c.icons);
            QCOMPARE(shown(d, QStringLiteral("editStuntInfo")), !c.icons);
            // A fresh piece: no level, 强化 disabled, every list at 0.
            QCOMPARE(selected(d, QStringLiteral("comboLevel")), QString());
            QVERIFY(!child<QWidget>(d, QStringLiteral("checkStrengthen"))->isEnabled());
            QCOMPARE(selected(d, QStringLiteral("comboStunt")), QStringLiteral("无"));
            QCOMPARE(selected(d, QStringLiteral("comboMelt1")), QStringLiteral("0"));
            QCOMPARE(d->tooltip().tip(child<QWidget>(d, QStringLiteral("editCombination"))),
                     QStringLiteral("无组合技能！"));
        }
    }

    void weaponFromTheCharacterPage() {
        kalvix::PageContext context;
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        addStandardDialogs(host);
        CDlgCharacter character(host, std::make_unique<kalvix::CharacterPage>(context));
        bool edited = false;
        host.dialogRunner = [&](QDialog* dialog) {
            if (auto* simulation = qobject_cast<CDlgSimulation*>(dialog)) {
                click(simulation, QStringLiteral("buttonWeapon"));
                const kalvix::EquipmentRecord weapon = simulation->session().equipment(1);
                QCOMPARE(weapon.levelIndex, 10);
                QVERIFY(weapon.strengthened);
                QCOMPARE(weapon.baseStatus[kalvix::kHurt], 378);
                QCOMPARE(weapon.stunt, 57);
                QCOMPARE(weapon.generalEffects, 16);
                QCOMPARE(weapon.partEffects, 2);
                QCOMPARE(weapon.addedFive[0], -5);
                QCOMPARE(simulation->session().build().equipment[1], weapon);
                // The page shows the confirmed piece in its button's tip.
                QVERIFY(simulation->tooltip()
                            .tip(child<QWidget>(simulation, QStringLiteral("buttonWeapon")))
                            .contains(QStringLiteral("神佑")));
                return;
            }
            auto* d = qobject_cast<CDlgWeapon*>(dialog);
            QVERIFY(d);
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
            choose(d, QStringLiteral("comboLevel"), QStringLiteral("100级"));
            QCOMPARE(selected(d, QStringLiteral("comboBase1")), QStringLiteral("360"));
            QCOMPARE(selected(d, QStringLiteral("comboBase2")), QStringLiteral("310"));
            click(d, QStringLiteral("checkStrengthen"));
            QCOMPARE(selected(d, QStringLiteral("comboBase1")), QStringLiteral("378"));
            QCOMPARE(selected(d, QStringLiteral("comboBase2")), QStringLiteral("325"));
            QVERIFY(!child<QComboBox>(d, QStringLiteral("comboBase1"))->isEnabled());
            QVERIFY(child<QComboBox>(d, QStringLiteral("comboBase3"))->isEnabled());
            choose(d, QStringLiteral("comboStunt"), QStringLiteral("菩提心佑"));
            QVERIFY(child<QPlainTextEdit>(d, QStringLiteral("editStuntInfo"))
                        ->toPlainText()
                        .startsWith(QStringLiteral("给己方所有目标")));
            QVERIFY(d->tooltip()
                        .tip(child<QWidget>(d, QStringLiteral("comboStunt")))
                        .endsWith(QStringLiteral("SP消耗：150")));
            click(d, QStringLiteral("checkGeneral3"));  // 永不磨损
            click(d, QStringLiteral("checkGeneral4"));  // 坚固
            QVERIFY(!child<QCheckBox>(d, QStringLiteral("checkGeneral3"))->isChecked());
            QVERIFY(child<QCheckBox>(d, QStringLiteral("checkGeneral4"))->isChecked());
            QVERIFY(d->tooltip()
                        .tip(child<QWidget>(d, QStringLiteral("checkGeneral4")))
                        .startsWith(QStringLiteral("<h3>通用特效：【坚固】</h3>")));
            click(d, QStringLiteral("checkPart1"));  // 神佑
            choose(d, QStringLiteral("comboAdded1"), QStringLiteral("-5"));
            click(d, QStringLiteral("buttonOk"));
            QCOMPARE(d->result(), int(QDialog::Accepted));
            edited = true;
        };
        click(&character, QStringLiteral("buttonSimulation"));
        QVERIFY(edited);
    }

    void cancelKeepsThePiece() {
        kalvix::PageContext context;
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        kalvix::SimulatorSession session(context.catalogue());
        CDlgBelt d(host, &session);
        choose(&d, QStringLiteral("comboLevel"), QStringLiteral("50级"));
        QCOMPARE(selected(&d, QStringLiteral("comboBase2")), QStringLiteral("110"));
        click(&d, QStringLiteral("buttonCancel"));
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(session.equipment(5).levelIndex, -1);

        CDlgBelt again(host, &session);
        choose(&again, QStringLiteral("comboLevel"), QStringLiteral("50级"));
        click(&again, QStringLiteral("buttonOk"));
        QCOMPARE(session.equipment(5).baseStatus[kalvix::kHP], 110);
        QCOMPARE(session.build().equipment[5].baseStatus[kalvix::kHP], 110);
    }
};

QTEST_MAIN(EquipmentDialogTest)
#include "equipment_dialog_test.moc"
