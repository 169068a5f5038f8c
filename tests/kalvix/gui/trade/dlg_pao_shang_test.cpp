// The 跑商助手 page's widget offscreen: the arrow and the bar follow the clock, the buttons and
// the timer follow its state, an alarm never holds the clock up, 总在最前 keeps the window on top.

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <thread>

#include "kalvix/core/trade/pao_shang_page.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/readable_colour.h"
#include "kalvix/gui/trade/alarm_sound.h"
#include "kalvix/gui/trade/dlg_pao_shang.h"

using namespace kalvix::gui;
using kalvix::PaoShangPage;
using kalvix::PeriodClock;

namespace {

struct Fixture {
    kalvix::PageContext context;
    PageHost host{context};
    QStringList sounds;
    QWidget window;  // the main window stand-in
    CDlgPaoShang* page = nullptr;

    Fixture() {
        host.soundPlayer = [this](const QString& text) { sounds << text; };
        page = new CDlgPaoShang(host, std::make_unique<PaoShangPage>(context), &window);
        window.resize(560, 360);
        window.show();
    }
    template <class T>
    T* child(const char* name) {
        T* w = page->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qWarning("no widget %s", name);
        return w;
    }
    void click(const char* name) {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void reset(int period) {
        auto* combo = child<QComboBox>("comboPeriod");
        combo->setCurrentIndex(period);
        emit combo->activated(period);
        click("buttonReset");
    }
    // Timer events, as the window's timer delivers them.
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            QMetaObject::invokeMethod(&page->timer(), "timeout", Qt::DirectConnection);
    }
    QPoint arrow() { return child<QLabel>("labelArrow")->pos(); }
    const PeriodClock& clock() { return page->page().clock(); }
};

QColor textColour(QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}

}  // namespace

class DlgPaoShangTest : public QObject {
    Q_OBJECT
  private slots:
    void opensStopped() {
        Fixture f;
        QVERIFY(f.child<QPushButton>("buttonStart")->isEnabled());
        QVERIFY(!f.child<QPushButton>("buttonPause")->isEnabled());
        QVERIFY(!f.page->timer().isActive());
        QVERIFY(!f.child<QCheckBox>("checkAlarm")->isChecked());
        QCOMPARE(f.arrow(), QPoint(17, 42));
        QCOMPARE(f.child<QLabel>("labelArrow")->text(), QStringLiteral(" ↓"));
        auto* bar = f.child<QProgressBar>("progressPeriod");
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 150);
        QCOMPARE(bar->value(), 0);
        auto* combo = f.child<QComboBox>("comboPeriod");
        QCOMPARE(combo->count(), 12);
        QCOMPARE(combo->currentText(), QStringLiteral("子"));
        QCOMPARE(combo->itemText(11), QStringLiteral("亥"));
        const QString names = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
        for (int i = 0; i < 12; ++i) {
            auto* label = f.page->findChild<QLabel*>(QStringLiteral("labelPeriod%1").arg(i));
            QVERIFY(label);
            QCOMPARE(label->text(), QStringLiteral("| ") + names[i]);
            const bool refresh = i == 0 || i == 4 || i == 8;
            QCOMPARE(textColour(label) == QColor(255, 0, 255), refresh);
            QVERIFY(!label->autoFillBackground());
        }
        QCOMPARE(textColour(f.child<QLabel>("labelCountdown")), QColor(0, 0, 255));
        auto* guide = f.child<QPlainTextEdit>("editGuide");
        QVERIFY(guide->isReadOnly());
        QVERIFY(guide->toPlainText().startsWith(QStringLiteral("长安商品能买进的价格")));
        QCOMPARE(guide->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(f.child<QLabel>("labelNote")->text().startsWith(QStringLiteral("跑商说明：")));
    }

    // Under a dark desktop theme the page's fixed colours are lightened until they read; the
    // light theme keeps them exactly (opensStopped).
    void fixedColoursStayReadableUnderADarkTheme() {
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        dark.setColor(QPalette::Window, QColor(53, 53, 53));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        {
            Fixture f;
            QList<QLabel*> labels = {f.child<QLabel>("labelCountdown"),
                                     f.child<QLabel>("labelPeriod0"),
                                     f.child<QLabel>("labelPeriod4"), f.child<QLabel>("labelLink")};
            for (QLabel* label : labels) {
                const QColor text = textColour(label);
                QVERIFY2(contrastRatio(text, QColor(53, 53, 53)) >= 4.5,
                         qPrintable(label->objectName()));
                QVERIFY(text != QColor(230, 230, 230));  // still the page's own colour
            }
            QVERIFY(textColour(f.child<QLabel>("labelPeriod0")).red() >
                    textColour(f.child<QLabel>("labelPeriod0")).green());  // magenta stays magenta
        }
        QApplication::setPalette(before);
        QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(readableOn(QColor(255, 0, 255), Qt::white), QColor(255, 0, 255));
    }

    void arrowAndBarFollowTheClock_data() {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("arrowX");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("countdown");
        QTest::newRow("reset to 辰") << 4 << 0 << 109 << 0 << QString();
        QTest::newRow("辰 + 1") << 4 << 1 << 109 << 1
                                << QStringLiteral("离下个时辰还有 149 秒， 离下次刷价还有 599 秒");
        QTest::newRow("卯 + 151 is 辰")
            << 3 << 151 << 109 << 150
            << QStringLiteral("离下个时辰还有 150 秒， 离下次刷价还有 600 秒");
        QTest::newRow("亥 + 151 back to 子")
            << 11 << 151 << 17 << 150
            << QStringLiteral("离下个时辰还有 150 秒， 离下次刷价还有 600 秒");
        QTest::newRow("亥 + 3") << 11 << 3 << 270 << 3
                                << QStringLiteral("离下个时辰还有 147 秒， 离下次刷价还有 147 秒");
    }
    void arrowAndBarFollowTheClock() {
        QFETCH(int, period);
        QFETCH(int, ticks);
        QFETCH(int, arrowX);
        QFETCH(int, bar);
        QFETCH(QString, countdown);
        Fixture f;
        f.reset(period);
        f.ticks(ticks);
        QCOMPARE(f.arrow(), QPoint(arrowX, 42));
        QCOMPARE(f.child<QProgressBar>("progressPeriod")->value(), bar);
        QCOMPARE(f.child<QLabel>("labelCountdown")->text(), countdown);
    }

    void buttonsAndTimerFollowTheClock() {
        Fixture f;
        f.reset(2);
        QVERIFY(!f.child<QPushButton>("buttonStart")->isEnabled());
        QVERIFY(f.child<QPushButton>("buttonPause")->isEnabled());
        QVERIFY(f.page->timer().isActive());
        QCOMPARE(f.page->timer().interval(), 1000);
        f.ticks(20);
        f.click("buttonPause");
        QVERIFY(!f.page->timer().isActive());
        QVERIFY(f.child<QPushButton>("buttonStart")->isEnabled());
        QVERIFY(!f.child<QPushButton>("buttonPause")->isEnabled());
        f.ticks(5);  // a late event of a stopped timer changes nothing
        QCOMPARE(f.clock().counter(), 20);
        f.click("buttonStart");
        QVERIFY(f.page->timer().isActive());
        f.ticks(1);
        QCOMPARE(f.clock().counter(), 21);
        QCOMPARE(f.clock().period(), 2);
    }

    void alarmSoundsWithoutHoldingUpTheClock() {
        Fixture f;
        // A device that is slow to finish: the sound plays until the player closes.
        std::atomic<int> played{0};
        auto player = std::make_shared<common::SoundPlayer>(
            [&played](const std::vector<std::int16_t>&, const std::atomic<bool>& stop) {
                ++played;
                QElapsedTimer t;
                t.start();
                while (!stop && t.elapsed() < 20000)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                return common::SoundResult::Played;
            });
        f.host.soundPlayer = alarmSound(player);
        f.click("checkAlarm");
        QVERIFY(f.page->page().alarm());
        f.reset(3);
        f.ticks(140);
        f.page->timer().setInterval(20);
        f.page->timer().start();
        QVERIFY(QTest::qWaitFor([&] { return f.clock().counter() >= 146; }, 5000));
        QVERIFY(player->busy());
        // The timer goes on while the sound plays.
        QVERIFY(QTest::qWaitFor([&] { return f.clock().period() == 4; }, 5000));
        QVERIFY(player->busy());
        QCOMPARE(played.load(), 1);
    }

    void listenPlaysThroughAlsa() {
        Fixture f;
        auto player = std::make_shared<common::SoundPlayer>("null");
        f.host.soundPlayer = alarmSound(player);
        f.click("buttonListen");
        QCOMPARE(player->wait(), common::SoundResult::Played);
        auto absent = std::make_shared<common::SoundPlayer>("kalvix_no_such_device");
        f.host.soundPlayer = alarmSound(absent);
        f.click("buttonListen");
        QCOMPARE(absent->wait(), common::SoundResult::NoDevice);
        // No device: the clock goes on.
        f.reset(0);
        f.ticks(3);
        QCOMPARE(f.clock().counter(), 3);
    }

    void alarmMessagesReachTheHost() {
        Fixture f;
        f.click("checkAlarm");
        f.reset(7);
        f.ticks(145);
        f.click("buttonListen");
        QCOMPARE(f.sounds,
                 QStringList({QStringLiteral("还有 5 秒到申时刷价"), QStringLiteral("试听")}));
    }

    void topmostKeepsTheWindowOnTop() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        f.click("checkTopmost");
        QVERIFY(f.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.window.isVisible());
        f.click("checkTopmost");
        QVERIFY(!f.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.window.isVisible());
    }

    void linkOpensTheArticleThroughTheHost() {
        Fixture f;
        QStringList opened;
        f.host.addressOpener = [&opened](const QString& a) { opened << a; };
        auto* label = f.child<QLabel>("labelLink");
        QVERIFY(label->font().underline());
        QCOMPARE(textColour(label), QColor(0, 0, 255));
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(opened, QStringList(QString::fromStdString(PaoShangPage::articleAddress())));
        QCOMPARE(label->text(), QStringLiteral("跑商心得(包括物产)"));
    }

    void countdownLeavesNoOldDigits() {
        Fixture f;
        f.reset(4);
        f.ticks(1);  // 149 and 599
        auto* label = f.child<QLabel>("labelCountdown");
        const QImage before = label->grab().toImage();
        f.ticks(145);  // 4 and 454: a shorter text
        const QImage after = label->grab().toImage();
        const int textEnd = label->fontMetrics().horizontalAdvance(label->text()) + 2;
        const QColor background = after.pixelColor(after.width() - 1, after.height() / 2);
        int inkBefore = 0;
        for (int x = textEnd; x < after.width(); ++x)
            for (int y = 0; y < after.height(); ++y) {
                QCOMPARE(after.pixelColor(x, y), background);
                inkBefore += before.pixelColor(x, y) != background;
            }
        QVERIFY(inkBefore > 0);  // the longer text did reach there
    }
};

QTEST_MAIN(DlgPaoShangTest)
#include "dlg_pao_shang_test.moc"
