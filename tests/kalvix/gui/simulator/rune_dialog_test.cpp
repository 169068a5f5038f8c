// The 符石模拟 dialog offscreen: free mode opened from the real 人物 page, editor mode run by
// an equipment editor, the icons, swatches and tips that follow each choice.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/guides/query_page.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/simulator/equipment_page.h"
#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/gui/app/page_widgets.h"
#include "kalvix/gui/calculators/dlg_character.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/guides/dlg_other.h"
#include "kalvix/gui/simulator/dlg_equipment.h"
#include "kalvix/gui/simulator/dlg_rune.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "kalvix/gui/tooltip/rune_icons.h"
#include "support/program_pictures.h"
#include "support/widget_lookup.h"

using namespace kalvix::gui;

namespace {

using widget_test::child;
using widget_test::choose;
using widget_test::selected;

QImage iconOf(QWidget* d, const QString& name) {
    auto* button = child<QPushButton>(d, name);
    return button->icon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage resource(std::int32_t id) {
    return QPixmap::fromImage(runeIconForResource(kalvix::Catalogue::instance(), id))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

QString tipOf(CMyDialog& d, const QString& name) {
    return d.tooltip().tip(child<QWidget>(&d, name));
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

class RuneDialogTest : public QObject {
    Q_OBJECT
  private slots:

    void freeModeFromTheCharacterPage() {
        kalvix::PageContext context;
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        addStandardDialogs(host);
        CDlgCharacter page(host, std::make_unique<kalvix::CharacterPage>(context));
        int runs = 0;
        host.dialogRunner = [&](QDialog* dialog) {
            ++runs;
            auto* d = qobject_cast<CDlgRune*>(dialog);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("符石模拟"));
            QVERIFY(d->binder()->missingWidgets().empty());
            QVERIFY(!d->model().editorMode());
            QCOMPARE(selected(d, QStringLiteral("comboHoles")), QStringLiteral("5"));
            QCOMPARE(selected(d, QStringLiteral("comboCombination")), QStringLiteral("无"));
            QCOMPARE(iconOf(d, QStringLiteral("buttonIcon1")), resource(kalvix::kEmptyHoleIcon));
            QCOMPARE(tipOf(*d, QStringLiteral("comboHoles")), q(kalvix::RunePage::kHoleCostTip));
            QCOMPARE(tipOf(*d, QStringLiteral("buttonIcon2")), QStringLiteral("未镶嵌"));
            // Every colour item carries its swatch.
            auto* colours = child<QComboBox>(d, QStringLiteral("comboColour1"));
            QCOMPARE(colours->count(), 7);
            QCOMPARE(colours->itemText(6), QStringLiteral("紫"));
            QVERIFY(!colours->itemIcon(0).isNull());

            choose(d, QStringLiteral("comboColour1"), QStringLiteral("蓝"));
            choose(d, QStringLiteral("comboColour2"), QStringLiteral("白"));
            QCOMPARE(selected(d, QStringLiteral("comboCombination")), QStringLiteral("望穿秋水"));
            choose(d, QStringLiteral("comboColour3"), QStringLiteral("黑"));
            QCOMPARE(selected(d, QStringLiteral("comboCombination")), QStringLiteral("降妖伏魔"));
            choose(d, QStringLiteral("comboStone1"), QStringLiteral("乾坤符石"));
            QCOMPARE(child<QLineEdit>(d, QStringLiteral("editStoneEffect1"))->text(),
                     QStringLiteral("耐力 +1.0,气血 +10.0"));
            QCOMPARE(selected(d, QStringLiteral("comboStoneLevel1")), QStringLiteral("3级"));
            QVERIFY(!child<QComboBox>(d, QStringLiteral("comboStoneLevel1"))->isEnabled());
            QCOMPARE(iconOf(d, QStringLiteral("buttonIcon1")), resource(10312));
            QVERIFY(
                tipOf(*d, QStringLiteral("buttonIcon1")).contains(QStringLiteral("【乾坤符石】")));
            QCOMPARE(tipOf(*d, QStringLiteral("comboStone1")),
                     tipOf(*d, QStringLiteral("editStoneEffect1")));
            choose(d, QStringLiteral("comboStone2"), QStringLiteral("醉魂符石"));
            choose(d, QStringLiteral("comboStone3"), QStringLiteral("地炎符石"));
            QCOMPARE(selected(d, QStringLiteral("comboCombinationLevel")), QStringLiteral("2级"));
            QCOMPARE(
                child<QPlainTextEdit>(d, QStringLiteral("editCombinationEffect"))->toPlainText(),
                QStringLiteral("增加对鬼魂系目标伤害增加8%"));
            QVERIFY(tipOf(*d, QStringLiteral("comboCombination"))
                        .contains(QStringLiteral("组合技能：【降妖伏魔】")));
            // Fewer holes disable the rows beyond them.
            choose(d, QStringLiteral("comboHoles"), QStringLiteral("2"));
            QVERIFY(!child<QComboBox>(d, QStringLiteral("comboColour3"))->isEnabled());
            QVERIFY(!child<QWidget>(d, QStringLiteral("labelRune3"))->isEnabled());
            QVERIFY(child<QComboBox>(d, QStringLiteral("comboColour2"))->isEnabled());
            QTest::mouseClick(child<QPushButton>(d, QStringLiteral("buttonOk")), Qt::LeftButton);
            QCOMPARE(d->result(), int(QDialog::Accepted));
        };
        QTest::mouseClick(child<QPushButton>(&page, QStringLiteral("buttonRune")), Qt::LeftButton);
        QCOMPARE(runs, 1);
    }

    void freeModeFromTheQueryPage() {
        kalvix::PageContext context;
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        addStandardDialogs(host);
        CDlgOther page(host, std::make_unique<kalvix::QueryPage>(context));
        int runs = 0;
        host.dialogRunner = [&](QDialog* dialog) {
            ++runs;
            auto* d = qobject_cast<CDlgRune*>(dialog);
            QVERIFY(d);
            QVERIFY(!d->model().editorMode());
            QVERIFY(child<QComboBox>(d, QStringLiteral("comboSlot"))->isEnabled());
            QTest::mouseClick(child<QPushButton>(d, QStringLiteral("buttonCancel")),
                              Qt::LeftButton);
            QCOMPARE(d->result(), int(QDialog::Rejected));
        };
        QTest::mouseClick(child<QPushButton>(&page, QStringLiteral("buttonRune")), Qt::LeftButton);
        QCOMPARE(runs, 1);
    }

    void editorModeWritesThePieceAtOnce() {
        kalvix::PageContext context;
        PageHost host(context);
        host.setPictures(&test_support::programPictures());
        kalvix::SimulatorSession session(context.catalogue());
        session.simulator().setRace(2);
        session.simulator().setSchool(1);  // 魔王寨
        std::unique_ptr<CDlgEquipment> editor(createEquipmentDialog(host, &session, 6, nullptr));
        int runs = 0;
        host.dialogRunner = [&](QDialog* dialog) {
            ++runs;
            auto* d = qobject_cast<CDlgRune*>(dialog);
            QVERIFY(d);
            QVERIFY(d->model().editorMode());
            QCOMPARE(selected(d, QStringLiteral("comboSlot")), QStringLiteral("靴"));
            QVERIFY(!child<QComboBox>(d, QStringLiteral("comboSlot"))->isEnabled());
            QCOMPARE(selected(d, QStringLiteral("comboSchool")), QStringLiteral("魔族-魔王寨"));
            QVERIFY(!child<QComboBox>(d, QStringLiteral("comboSchool"))->isEnabled());
            QCOMPARE(selected(d, QStringLiteral("comboHoles")),
                     runs == 1 ? QStringLiteral("0") : QStringLiteral("5"));
            if (runs == 1) {
                choose(d, QStringLiteral("comboHoles"), QStringLiteral("5"));
                choose(d, QStringLiteral("comboCombination"), QStringLiteral("裂石步符石"));
                choose(d, QStringLiteral("comboStone1"), QStringLiteral("逍遥符石"));
                choose(d, QStringLiteral("comboStone2"), QStringLiteral("引幽符石"));
                QTest::mouseClick(child<QPushButton>(d, QStringLiteral("buttonOk")),
                                  Qt::LeftButton);
            } else {
                QTest::mouseClick(child<QPushButton>(d, QStringLiteral("buttonCancel")),
                                  Qt::LeftButton);
            }
        };
        QTest::mouseClick(child<QPushButton>(editor.get(), QStringLiteral("buttonRune")),
                          Qt::LeftButton);
        QCOMPARE(runs, 1);
        const kalvix::RuneSetting runes = session.equipment(6).runes;
        QCOMPARE(runes.holeCount, 5);
        QCOMPARE(runes.combinationId, 3086);
        QCOMPARE(runes.stoneIds[0], 10203);
        QCOMPARE(runes.stoneIds[2], -1);
        QCOMPARE(child<QLineEdit>(editor.get(), QStringLiteral("editCombination"))->text(),
                 QStringLiteral("裂石步符石"));
        QCOMPARE(iconOf(editor.get(), QStringLiteral("buttonHole1")), resource(10203));
        QCOMPARE(iconOf(editor.get(), QStringLiteral("buttonHole3")),
                 resource(kalvix::kEmptyHoleIcon));
        QCOMPARE(tipOf(*editor, QStringLiteral("buttonHole3")), QStringLiteral("未镶嵌"));
        QVERIFY(
            tipOf(*editor, QStringLiteral("buttonRune")).contains(QStringLiteral("【逍遥符石】")));

        QTest::mouseClick(child<QPushButton>(editor.get(), QStringLiteral("buttonRune")),
                          Qt::LeftButton);
        QCOMPARE(runs, 2);
        QCOMPARE(session.equipment(6).runes, runes);
        // The editor's 取消 keeps the runes the dialog wrote.
        QTest::mouseClick(child<QPushButton>(editor.get(), QStringLiteral("buttonCancel")),
                          Qt::LeftButton);
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QCOMPARE(session.equipment(6).runes, runes);
        QCOMPARE(session.equipmentRevision(6), 0u);
    }
};

QTEST_MAIN(RuneDialogTest)
#include "rune_dialog_test.moc"
