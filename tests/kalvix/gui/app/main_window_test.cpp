// The main window with its real pages, offscreen.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/gui/app/kalvix_dlg.h"
#include "kalvix/gui/framework/html_ctrl.h"
#include "kalvix/gui/framework/hyper_link.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/page_widget.h"
#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/simulator/my_dialog.h"
#include "support/recording_presenter.h"

using namespace kalvix::gui;

namespace {
using test_support::RecordingPresenter;

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void opensWithTitleTabsAndStatusBar() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ZentrixQorvane——梦幻西游实用工具箱 V1.0.1.4"));
        QCOMPARE(dlg.tabs()->count(), 11);
        const QStringList captions = {
            QStringLiteral("人物"),     QStringLiteral("孩子"),     QStringLiteral("技能"),
            QStringLiteral("修炼"),     QStringLiteral("任务"),     QStringLiteral("召唤兽"),
            QStringLiteral("常用攻略"), QStringLiteral("常用查询"), QStringLiteral("跑商助手"),
            QStringLiteral("答题器"),   QStringLiteral("关于")};
        for (int i = 0; i < 11; ++i)
            QCOMPARE(dlg.tabs()->tabText(i), captions[i]);
        QVERIFY(dlg.minimumSize() == dlg.maximumSize());  // fixed size
        QCOMPARE(dlg.host().statusBar(), dlg.statusBar());
        // The status bar exists before the pages, so the 召唤兽 page's start-up growth check
        // leaves its message over "准备就绪".
        QCOMPARE(dlg.statusBar()->fieldText(0), QStringLiteral("请输入正确的成长率！"));
        QCOMPARE(dlg.statusBar()->fieldText(1), QStringLiteral("ZentrixQorvane"));
        QCOMPARE(dlg.statusBar()->geometry().bottom(), dlg.height() - 1);
        QCOMPARE(dlg.statusBar()->height(), 20);
        // Only the 人物 page shows, at the page rectangle inside the frame.
        QVERIFY(dlg.page(0)->isVisible());
        for (int i = 1; i < 11; ++i)
            QVERIFY2(!dlg.page(i)->isVisible(), qPrintable(QString::number(i)));
        const QRect frame = dlg.pageFrame().rect();
        QCOMPARE(dlg.page(0)->geometry(), QRect(1, 10, frame.width() - 3, frame.height() - 20));
    }

    void switchingShowsOnePageAndKeepsInputs() {
        CKalvixDlg dlg;
        dlg.show();
        auto* exp = dlg.characterPage().findChild<QLineEdit*>(QStringLiteral("editExperience"));
        QVERIFY(exp);
        exp->setFocus();
        QTest::keyClicks(exp, QStringLiteral("150"));
        QCOMPARE(exp->text(), QStringLiteral("150"));  // "01" is written back as "1"
        for (int tab = 1; tab < 10; ++tab) {
            dlg.tabs()->setCurrentIndex(tab);
            for (int i = 0; i < 10; ++i)
                QCOMPARE(dlg.page(i)->isVisible(), i == tab);
        }
        dlg.tabs()->setCurrentIndex(0);
        QCOMPARE(exp->text(), QStringLiteral("150"));  // written back as the value read
        auto* reach = dlg.characterPage().findChild<QLineEdit*>(QStringLiteral("editReachLevel"));
        QCOMPARE(reach->text(), QStringLiteral("2"));
    }

    void levelHandOverBetweenCharacterAndMission() {
        CKalvixDlg dlg;
        dlg.show();
        auto* level = dlg.characterPage().findChild<QComboBox*>(QStringLiteral("comboLevel"));
        QVERIFY(level);
        QCOMPARE(level->count(), 176);
        level->setFocus();
        // Choose 60 as a user would.
        level->setCurrentIndex(60);
        emit level->activated(60);
        QCOMPARE(dlg.context().sharedLevel(), 60);
        auto* offline = dlg.characterPage().findChild<QLineEdit*>(QStringLiteral("editOfflineExp"));
        QCOMPARE(offline->text(), QStringLiteral("300000"));
        dlg.tabs()->setCurrentIndex(4);
        QCOMPARE(dlg.context().sharedLevel(), 60);
        // Whatever 任务 chooses becomes the shared level; back on 人物 it shows and recomputes.
        dlg.context().setSharedLevel(80);
        dlg.tabs()->setCurrentIndex(0);
        QCOMPARE(level->currentIndex(), 80);
        QCOMPARE(offline->text(), QStringLiteral("400000"));
        auto* target = dlg.characterPage().findChild<QComboBox*>(QStringLiteral("comboTarget"));
        QCOMPARE(target->itemText(0), QStringLiteral("80"));
    }

    void stayOnTopIsOneStateOfTwoPages() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const auto box = [&dlg](int tab, const char* name) {
            dlg.tabs()->setCurrentIndex(tab);
            return dlg.page(tab)->findChild<QCheckBox*>(QString::fromLatin1(name));
        };
        QCheckBox* topmost = box(8, "checkTopmost");  // 跑商助手: 总在最前
        QVERIFY(topmost);
        QTest::mouseClick(topmost, Qt::LeftButton, {}, QPoint(6, topmost->height() / 2));
        QVERIFY(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCheckBox* inFront = box(9, "checkInFront");  // 答题器: 窗口前置 shows the same state
        QVERIFY(inFront && inFront->isChecked());
        QTest::mouseClick(inFront, Qt::LeftButton, {}, QPoint(6, inFront->height() / 2));
        QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!box(8, "checkTopmost")->isChecked());
    }

    void aboutPageLoadsAtStartAndOnFirstSelectionOnly() {
        CKalvixDlg dlg;
        dlg.show();
        QCOMPARE(dlg.browser().loadCount(), 1);
        QVERIFY(!dlg.browser().isVisible());
        dlg.tabs()->setCurrentIndex(10);
        QCOMPARE(dlg.browser().loadCount(), 2);
        QVERIFY(dlg.browser().isVisible());
        QVERIFY(!dlg.page(0)->isVisible());
        dlg.tabs()->setCurrentIndex(3);
        QVERIFY(!dlg.browser().isVisible());
        dlg.tabs()->setCurrentIndex(10);
        QCOMPARE(dlg.browser().loadCount(), 2);
        QVERIFY(
            dlg.browser().address().endsWith(QStringLiteral("/xyq20110303.html?curver='1.0.1.4'")));
    }

    void eachPageWidgetIsBuiltWhenItsTabIsFirstShown() {
        CKalvixDlg dlg;
        const auto built = [&dlg] {
            return dlg.pageFrame().findChildren<PageWidget*>(Qt::FindDirectChildrenOnly);
        };
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // Every model exists (the 召唤兽 page's opening message is in the status bar), but only
        // the page shown has a widget.
        QCOMPARE(dlg.statusBar()->fieldText(0), QStringLiteral("请输入正确的成长率！"));
        QCOMPARE(static_cast<int>(built().size()), 1);
        QCOMPARE(built().front()->model()->title(), std::string("人物"));
        std::vector<QWidget*> first(10, nullptr);
        for (int round = 0; round < 2; ++round) {
            for (int tab = 1; tab < 10; ++tab) {
                dlg.tabs()->setCurrentIndex(tab);
                const auto pages = built();
                QCOMPARE(static_cast<int>(pages.size()), round == 0 ? tab + 1 : 10);
                std::vector<PageWidget*> shown;
                for (PageWidget* p : pages)
                    if (p->isVisible())
                        shown.push_back(p);
                QCOMPARE(static_cast<int>(shown.size()), 1);
                QCOMPARE(shown[0]->model()->title(), dlg.tabs()->tabText(tab).toStdString());
                if (round == 0)
                    first[static_cast<std::size_t>(tab)] = shown[0];
                QCOMPARE(static_cast<QWidget*>(shown[0]),
                         first[static_cast<std::size_t>(tab)]);  // built once
            }
        }
        // The browser waits for 关于.
        QVERIFY(!dlg.findChild<CHtmlCtrl*>());
    }

    void enterMovesFocusAndClosesNothing() {
        CKalvixDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        auto* exp = dlg.characterPage().findChild<QLineEdit*>(QStringLiteral("editExperience"));
        exp->setFocus();
        QTRY_VERIFY(exp->hasFocus());
        QTest::keyClick(exp, Qt::Key_Return);
        QVERIFY(!exp->hasFocus());
        QVERIFY(dlg.isVisible());
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QTest::keyClick(&dlg, Qt::Key_Enter);
        QVERIFY(dlg.isVisible());
    }

    void badExperienceShowsTheFrameworkMessage() {
        RecordingPresenter presenter;
        CKalvixDlg dlg;
        dlg.host().setPresenter(&presenter);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        auto* exp = dlg.characterPage().findChild<QLineEdit*>(QStringLiteral("editExperience"));
        exp->setFocus();
        exp->selectAll();
        QTest::keyClicks(exp, QStringLiteral("x"));
        QCOMPARE(presenter.shown, QStringList{QStringLiteral("请输入一个整数。")});
        QCOMPARE(exp->text(), QStringLiteral("0"));
        QVERIFY(exp->hasFocus());
        QCOMPARE(exp->selectedText(), QStringLiteral("0"));
        dlg.host().setPresenter(nullptr);
    }

    void hyperLinkRefusalsAndOpening() {
        QWidget page;
        QLabel label(QStringLiteral("官方网站"), &page);
        QLabel other(QStringLiteral("x"), &page);
        CHyperLink link;
        QVERIFY(!link.attach(nullptr));
        QVERIFY(link.attach(&label));
        QVERIFY(!link.attach(&other));
        QVERIFY(label.font().underline());
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        QStringList opened;
        QObject::connect(&link, &CHyperLink::opened, [&](const QString& a) { opened << a; });
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("官方网站")});  // empty address: its caption
        QVERIFY(link.set(QStringLiteral("门户"), QStringLiteral("http://example.org/a")));
        QCOMPARE(label.text(), QStringLiteral("门户"));
        QVERIFY(!link.set(QString(32, QLatin1Char('n')), QStringLiteral("http://b")));
        QVERIFY(!link.set(QString(16, QChar(0x95e8)), QStringLiteral("http://b")));  // 32 GBK bytes
        QVERIFY(!link.set(QStringLiteral("ok"), QString(1024, QLatin1Char('a'))));
        QCOMPARE(link.name(), QStringLiteral("门户"));
        QCOMPARE(link.address(), QStringLiteral("http://example.org/a"));
        QVERIFY(link.set(QString(31, QLatin1Char('n')), QString(1023, QLatin1Char('a'))));
        QVERIFY(link.set(QStringLiteral("门户"), QStringLiteral("http://example.org/a")));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&label, &enter);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(opened.last(), QStringLiteral("http://example.org/a"));
    }

    // 关于's first visit loads its page twice in a row: the first load, cut short, must not
    // put the error page over the page that arrives; a page that cannot load shows it.
    void browserShowsTheErrorPageOnlyForAFailedLoad() {
        if (!CHtmlCtrl::hasBrowser())
            QSKIP("built without the browser module");
        QTemporaryDir folder;
        QFile page(folder.filePath(QStringLiteral("about.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><title>about</title></head><body>ok</body></html>");
        page.close();
        struct Case {
            QString address;
            QString title;
        } cases[] = {
            {QUrl::fromLocalFile(page.fileName()).toString(), QStringLiteral("about")},
            // Port 9 (discard) is one the engine refuses to connect to: the load fails at once.
            {QStringLiteral("http://127.0.0.1:9/about.html"), QStringLiteral("无法打开此页面")},
        };
        for (const Case& c : cases) {
            CHtmlCtrl html;
            html.resize(400, 300);
            html.show();
            auto* view = html.findChild<QWidget*>(QStringLiteral("browserView"));
            QVERIFY(view);
            html.navigate(c.address);
            html.navigate(c.address);
            QVERIFY2(QTest::qWaitFor([&] { return view->property("title").toString() == c.title; },
                                     30000),
                     qPrintable(c.address + QStringLiteral(" shows ") +
                                view->property("title").toString()));
        }
    }

    void myDialogStatusOperation() {
        CMyDialog d;
        d.resize(400, 300);
        d.show();
        QCOMPARE(d.statusBar()->fieldText(0), QStringLiteral("准备就绪"));
        d.setStatus(QStringLiteral("a"), QString());
        QCOMPARE(d.statusBar()->fieldText(0), QStringLiteral("a"));
        QCOMPARE(d.statusBar()->fieldText(1), QStringLiteral("ZentrixQorvane"));
        d.setStatus(QString(), QStringLiteral("b"));
        QCOMPARE(d.statusBar()->fieldText(0), QStringLiteral("a"));
        QCOMPARE(d.statusBar()->fieldText(1), QStringLiteral("b"));
        QCOMPARE(d.statusBar()->geometry(), QRect(0, 280, 400, 20));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
