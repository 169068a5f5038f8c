// The dialog's tooltip: one per dialog, 500 ms to show, 5000 ms or leaving to hide.

#include <QApplication>
#include <QEnterEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "kalvix/gui/simulator/my_dialog.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"

using namespace kalvix::gui;

namespace {

void enter(QWidget* control) {
    const QPointF local(5, 5);
    QEnterEvent event(local, local, QPointF(control->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(control, &event);
}

void leave(QWidget* control) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(control, &event);
}

CPPToolTip* shownTip() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* tip = qobject_cast<CPPToolTip*>(w); tip && tip->isVisible())
            return tip;
    return nullptr;
}

struct Fixture {
    CMyDialog dialog;
    QPushButton* button = new QPushButton(QStringLiteral("武器"), &dialog);
    QPushButton* other = new QPushButton(QStringLiteral("坐骑"), &dialog);
    Fixture() {
        dialog.resize(400, 200);
        other->move(0, 60);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
};

}  // namespace

class PPToolTipTest : public QObject {
    Q_OBJECT
  private slots:
    void oneTooltipOwnedByTheDialog() {
        QPointer<CPPToolTip> tip;
        {
            CMyDialog dialog;
            tip = &dialog.tooltip();
            QCOMPARE(tip->parentWidget(), &dialog);
            QCOMPARE(dialog.findChildren<CPPToolTip*>().size(), 1);
        }
        QVERIFY(tip.isNull());
    }

    void showsAfterRestAndHidesWhenLeaving() {
        Fixture f;
        f.dialog.setTip(f.button, QStringLiteral("<h3>武器</h3>"));
        enter(f.button);
        QTest::qWait(300);
        QVERIFY(!shownTip());
        QTest::qWait(400);
        CPPToolTip* tip = shownTip();
        QVERIFY(tip);
        QCOMPARE(tip, &f.dialog.tooltip());
        QCOMPARE(tip->currentControl(), f.button);
        QVERIFY(tip->width() > 20);
        leave(f.button);
        QVERIFY(!shownTip());
    }

    void hidesAfterFiveSecondsAndNotAgainUntilReentered() {
        Fixture f;
        f.dialog.setTip(f.button, QStringLiteral("x"));
        enter(f.button);
        QTest::qWait(700);
        QVERIFY(shownTip());
        QTest::qWait(4000);
        QVERIFY(shownTip());
        QTest::qWait(1500);
        QVERIFY(!shownTip());
        QTest::qWait(800);
        QVERIFY(!shownTip());
        leave(f.button);
        enter(f.button);
        QTest::qWait(700);
        QVERIFY(shownTip());
    }

    void emptyTextMeansNoTipAndTextsReplace() {
        Fixture f;
        f.dialog.setTip(f.button, QString());
        enter(f.button);
        QTest::qWait(700);
        QVERIFY(!shownTip());
        leave(f.button);

        f.dialog.setTip(f.other, QStringLiteral("a"));
        f.dialog.setTip(f.other,
                        QStringLiteral("<table><tr><td>longer replacement</td></tr></table>"));
        QCOMPARE(f.dialog.tooltip().tip(f.other),
                 QStringLiteral("<table><tr><td>longer replacement</td></tr></table>"));
        enter(f.other);
        QTest::qWait(700);
        CPPToolTip* tip = shownTip();
        QVERIFY(tip);
        const int width = tip->width();
        // Emptying the text of the shown control takes the tip away.
        f.dialog.setTip(f.other, std::string());
        QVERIFY(!shownTip());
        QVERIFY(f.dialog.tooltip().tip(f.other).isEmpty());
        QVERIFY(width > 40);
    }

    void usesThePlatformTooltipColours() {
        Fixture f;
        f.dialog.setTip(f.button, QStringLiteral("text"));
        enter(f.button);
        QTest::qWait(700);
        CPPToolTip* tip = shownTip();
        QVERIFY(tip);
        const QImage image = tip->grab().toImage();
        const QColor base = QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() - 3).rgb(), base.rgb());
    }

    void destroyedControlIsForgotten() {
        Fixture f;
        auto* temporary = new QPushButton(&f.dialog);
        f.dialog.setTip(temporary, QStringLiteral("x"));
        enter(temporary);
        delete temporary;
        QTest::qWait(700);
        QVERIFY(!shownTip());
    }
};

QTEST_MAIN(PPToolTipTest)
#include "pp_tooltip_test.moc"
