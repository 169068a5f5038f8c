// The mount editor as the simulator page opens it: growth shown with four decimals, refused
// growths selected in place, the carried lists shown disabled.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/simulator/dlg_mount.h"

using namespace kalvix::gui;

namespace {

template <typename T>
T* child(QWidget* page, const char* name) {
    T* w = page->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qWarning("no widget %s", name);
    return w;
}

void typeGrowth(QWidget* d, const QString& text) {
    auto* growth = child<QLineEdit>(d, "editGrowth");
    growth->setFocus();
    growth->selectAll();
    QTest::keyClicks(growth, text);
}

}  // namespace

class MountDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void opensOnTheSessionsMount() {
        kalvix::PageContext context;
        PageHost host(context);
        kalvix::SimulatorSession session(context.catalogue());
        CDlgMount d(host, &session);
        QCOMPARE(d.windowTitle(), QStringLiteral("坐骑"));
        QCOMPARE(child<QLineEdit>(&d, "editGrowth")->text(), QStringLiteral("0.0000"));
        for (const char* name : {"comboFavour", "comboSatiety", "comboEnvironment"}) {
            auto* c = child<QComboBox>(&d, name);
            QVERIFY(!c->isEnabled());
            QCOMPARE(c->count(), 101);
            QCOMPARE(c->currentIndex(), 100);
        }
        QVERIFY(!child<QLabel>(&d, "labelCarried0")->isEnabled());
        QCOMPARE(child<QComboBox>(&d, "comboAgi")->count(), 1201);
        QVERIFY(d.binder()->missingWidgets().empty());
    }

    void refusedGrowthIsSelectedAndTheDialogStays() {
        kalvix::PageContext context;
        PageHost host(context);
        kalvix::SimulatorSession session(context.catalogue());
        CDlgMount d(host, &session);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.activateWindow();
        for (const QString& bad :
             {QStringLiteral("abc"), QStringLiteral("10.0001"), QStringLiteral("0")}) {
            typeGrowth(&d, bad);
            QTest::mouseClick(child<QPushButton>(&d, "buttonOk"), Qt::LeftButton);
            QCOMPARE(d.statusBar()->fieldText(0), QStringLiteral("请输入正确的成长！"));
            auto* growth = child<QLineEdit>(&d, "editGrowth");
            QTRY_VERIFY(growth->hasFocus());
            QCOMPARE(growth->selectedText(), bad);
            QVERIFY(d.isVisible());
            QCOMPARE(session.mountRevision(), 0u);
        }
        auto* con = child<QComboBox>(&d, "comboCon");
        con->setCurrentIndex(600);
        emit con->activated(600);
        typeGrowth(&d, QStringLiteral("1.2abc"));
        // Enter in the field confirms.
        QTest::keyClick(child<QLineEdit>(&d, "editGrowth"), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(session.mount().five[0], 600);
        QCOMPARE(session.mount().growth, 1.2f);

        CDlgMount again(host, &session);
        QCOMPARE(child<QLineEdit>(&again, "editGrowth")->text(), QStringLiteral("1.2000"));
        QCOMPARE(child<QComboBox>(&again, "comboCon")->currentIndex(), 600);
    }

    void cancelWritesNothing() {
        kalvix::PageContext context;
        PageHost host(context);
        kalvix::SimulatorSession session(context.catalogue());
        CDlgMount d(host, &session);
        d.show();
        typeGrowth(&d, QStringLiteral("2"));
        QTest::mouseClick(child<QPushButton>(&d, "buttonCancel"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(session.mount(), kalvix::MountRecord{});
    }
};

QTEST_MAIN(MountDialogTest)
#include "mount_dialog_test.moc"
