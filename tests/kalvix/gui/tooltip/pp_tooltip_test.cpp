// The dialog's tooltip: one per dialog, 500 ms to show, 5000 ms or leaving to hide.

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "kalvix/gui/simulator/my_dialog.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"
#include "support/timing.h"

using namespace kalvix::gui;

namespace {

using test_support::earliestFiring;

// Generous: a loaded machine only makes the waits longer.
constexpr int kPatienceMs = 10000;

void enter(QWidget* control) {
    const QPointF local(5, 5);
    QEnterEvent event(local, local, QPointF(control->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(control, &event);
}

void move(QWidget* control) {
    const QPointF local(7, 6);
    QMouseEvent event(QEvent::MouseMove, local, local,
                      QPointF(control->mapToGlobal(local.toPoint())), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(control, &event);
}

void leave(QWidget* control) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(control, &event);
}

// Started as the tip window shows: its time on show starts then, once it is laid out.
class ShowClock : public QObject {
  public:
    explicit ShowClock(QWidget* tip) { tip->installEventFilter(this); }
    qint64 elapsed() const { return shown_.isValid() ? shown_.elapsed() : -1; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            shown_.start();
        return false;
    }

  private:
    QElapsedTimer shown_;
};

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
        QElapsedTimer rest;
        rest.start();
        enter(f.button);
        QVERIFY(!shownTip());
        QVERIFY(f.dialog.tooltip().isWaiting());
        QTRY_VERIFY_WITH_TIMEOUT(shownTip(), kPatienceMs);
        QVERIFY2(rest.elapsed() >= earliestFiring(CPPToolTip::kInitialDelayMs),
                 qPrintable(QString::number(rest.elapsed())));
        CPPToolTip* tip = shownTip();
        QCOMPARE(tip, &f.dialog.tooltip());
        QCOMPARE(tip->currentControl(), f.button);
        QVERIFY(tip->width() > 20);
        leave(f.button);
        QVERIFY(!shownTip());
        QVERIFY(!tip->isWaiting());
    }

    void hidesAfterFiveSecondsAndNotAgainUntilReentered() {
        Fixture f;
        f.dialog.setTip(f.button, QStringLiteral("x"));
        ShowClock onShow(&f.dialog.tooltip());
        QElapsedTimer rest;
        rest.start();
        enter(f.button);
        QTRY_VERIFY_WITH_TIMEOUT(shownTip(), kPatienceMs);
        QVERIFY(rest.elapsed() >= earliestFiring(CPPToolTip::kInitialDelayMs));
        QTRY_VERIFY_WITH_TIMEOUT(!shownTip(), kPatienceMs + CPPToolTip::kAutoPopMs);
        // On show for the whole auto-pop time.
        QVERIFY2(onShow.elapsed() >= earliestFiring(CPPToolTip::kAutoPopMs),
                 qPrintable(QString::number(onShow.elapsed())));
        // The pointer still rests and moves on the control: nothing is on its way back.
        QVERIFY(!f.dialog.tooltip().isWaiting());
        move(f.button);
        QVERIFY(!f.dialog.tooltip().isWaiting());
        QVERIFY(!shownTip());
        leave(f.button);
        rest.restart();
        enter(f.button);
        QVERIFY(f.dialog.tooltip().isWaiting());
        QTRY_VERIFY_WITH_TIMEOUT(shownTip(), kPatienceMs);
        QVERIFY(rest.elapsed() >= earliestFiring(CPPToolTip::kInitialDelayMs));
    }

    void emptyTextMeansNoTipAndTextsReplace() {
        Fixture f;
        f.dialog.setTip(f.button, QString());
        enter(f.button);
        // Nothing to wait for: no tip is on its way.
        QVERIFY(!f.dialog.tooltip().isWaiting());
        QCOMPARE(f.dialog.tooltip().currentControl(), nullptr);
        QVERIFY(!shownTip());
        leave(f.button);

        f.dialog.setTip(f.other, QStringLiteral("a"));
        f.dialog.setTip(f.other,
                        QStringLiteral("<table><tr><td>longer replacement</td></tr></table>"));
        QCOMPARE(f.dialog.tooltip().tip(f.other),
                 QStringLiteral("<table><tr><td>longer replacement</td></tr></table>"));
        enter(f.other);
        QTRY_VERIFY_WITH_TIMEOUT(shownTip(), kPatienceMs);
        CPPToolTip* tip = shownTip();
        const int width = tip->width();
        // Emptying the text of the shown control takes the tip away.
        f.dialog.setTip(f.other, std::string());
        QVERIFY(!shownTip());
        QVERIFY(!tip->isWaiting());
        QVERIFY(f.dialog.tooltip().tip(f.other).isEmpty());
        QVERIFY(width > 40);
    }

    void usesThePlatformTooltipColours() {
        Fixture f;
        f.dialog.setTip(f.button, QStringLiteral("text"));
        enter(f.button);
        QTRY_VERIFY_WITH_TIMEOUT(shownTip(), kPatienceMs);
        CPPToolTip* tip = shownTip();
        const QImage image = tip->grab().toImage();
        const QColor base = QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() - 3).rgb(), base.rgb());
    }

    void destroyedControlIsForgotten() {
        Fixture f;
        auto* temporary = new QPushButton(&f.dialog);
        f.dialog.setTip(temporary, QStringLiteral("x"));
        enter(temporary);
        QVERIFY(f.dialog.tooltip().isWaiting());
        delete temporary;
        // Its wait ends with it, so no tip can come.
        QVERIFY(!f.dialog.tooltip().isWaiting());
        QCOMPARE(f.dialog.tooltip().currentControl(), nullptr);
        QVERIFY(!shownTip());
    }
};

QTEST_MAIN(PPToolTipTest)
#include "pp_tooltip_test.moc"
