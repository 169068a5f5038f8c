// The 孩子 page's widget offscreen: what only the widgets do (the limit shown while typing, Enter
// on the default button, the box and focus of a missing total, the links through the host).

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "kalvix/core/calculators/children_page.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/calculators/dlg_children.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/page_host.h"
#include "support/recording_presenter.h"

using namespace kalvix::gui;

namespace {
using test_support::RecordingPresenter;

struct Fixture {
    kalvix::PageContext context{kalvix::Catalogue::instance()};
    PageHost host{context};
    RecordingPresenter presenter;
    QStringList opened;
    std::unique_ptr<Dlg_Children> page;

    Fixture() {
        host.setPresenter(&presenter);
        host.addressOpener = [this](const QString& a) { opened << a; };
        page =
            std::make_unique<Dlg_Children>(host, std::make_unique<kalvix::ChildrenPage>(context));
        page->resize(540, 334);
        page->show();
    }
    template <typename T>
    T* child(const char* name) {
        return page->findChild<T*>(QString::fromLatin1(name));
    }
    QString text(const char* name) {
        auto* e = child<QLineEdit>(name);
        return e ? e->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }
};

void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}
}  // namespace

class ChildrenPageTest : public QObject {
    Q_OBJECT
  private slots:
    void typingAboveTheLimitShowsTheLimit() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
        auto* martial = f.child<QLineEdit>("editMartialWit");
        QVERIFY(martial);
        retype(martial, QStringLiteral("150"));
        QCOMPARE(martial->text(), QStringLiteral("100"));
        QVERIFY(f.presenter.shown.isEmpty());
    }

    void enterPressesTheDefaultButton() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
        for (const char* name : {"editMartialWit", "editMagicWit", "editTemperWit"})
            retype(f.child<QLineEdit>(name), QStringLiteral("100"));
        auto* physique = f.child<QLineEdit>("editPhysiqueWit");
        retype(physique, QStringLiteral("100"));
        QCOMPARE(f.text("editAttackMax"), QStringLiteral("0"));  // nothing computed yet
        QTest::keyClick(physique, Qt::Key_Return);
        QCOMPARE(f.text("editAttackMin"), QStringLiteral("1550"));
        QCOMPARE(f.text("editAttackMax"), QStringLiteral("1590"));
        QCOMPARE(f.text("editGrowthMin"), QStringLiteral("1.26333"));
        QCOMPARE(f.text("editGrowthMax"), QStringLiteral("1.27443"));
        QCOMPARE(f.text("editDodgeMax"), QStringLiteral("1410"));
    }

    void missingTotalAsksForItAndTakesTheFocus() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
        f.page->activateWindow();
        auto* total = f.child<QLineEdit>("editTotal");
        auto* items = f.child<QComboBox>("comboItem");
        QVERIFY(total && items);
        QCOMPARE(items->count(), 21);
        total->setFocus();
        total->selectAll();
        QTest::keyClick(total, Qt::Key_Delete);
        items->setFocus();
        items->setCurrentIndex(1);
        emit items->activated(1);
        QCOMPARE(f.presenter.shown, QStringList{QStringLiteral("请输入当前孩子总属性")});
        QVERIFY(total->hasFocus());
        QCOMPARE(total->text(), QString());
        QCOMPARE(f.text("editNominal"), QString());
        // With a total, 计算 shows the item's effects (choosing the same item again is no
        // change).
        QTest::keyClicks(total, QStringLiteral("11"));
        emit items->activated(1);
        QCOMPARE(f.text("editNominal"), QString());
        QTest::mouseClick(f.child<QPushButton>("buttonItemEffect"), Qt::LeftButton);
        QCOMPARE(f.text("editNominal"), QStringLiteral("3"));
        QCOMPARE(f.text("editActual"), QStringLiteral("+2"));
    }

    void linksOpenThroughTheHostOnly() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
        const char* const names[] = {"linkUpbringingPlan", "linkUpbringingBook", "linkSchoolChild"};
        for (int i = 0; i < 3; ++i) {
            auto* label = f.child<QLabel>(names[i]);
            QVERIFY(label);
            QTest::mouseClick(label, Qt::LeftButton);
            QCOMPARE(f.opened.size(), i + 1);
            QCOMPARE(f.opened.back(), QString::fromStdString(kalvix::ChildrenPage::linkAddress(i)));
        }
        QVERIFY(f.opened[0].endsWith(
            QStringLiteral("/thread/58/128/20081204/4b4f40ff0fb1d9646-1.html")));
    }
};

QTEST_MAIN(ChildrenPageTest)
#include "children_page_test.moc"
