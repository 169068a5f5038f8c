// The 常用攻略 and 常用查询 pages and the 捉鬼计算器 dialog as widgets, offscreen: sub-tab
// switching, the desktop and dialog seams of the link buttons, Enter and Escape, focus, colours.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "kalvix/core/guides/query_page.h"
#include "kalvix/core/guides/raiders_page.h"
#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/portal_hosts.h"
#include "kalvix/gui/app/page_widgets.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/guides/dlg_other.h"
#include "kalvix/gui/guides/dlg_raiders.h"
#include "kalvix/gui/guides/dlg_zhuo_gui_count.h"
#include "support/recording_presenter.h"
#include "support/widget_lookup.h"

using namespace kalvix::gui;

namespace {

using test_support::RecordingPresenter;

// A host that records what the pages hand to the desktop and which dialogs they run.
struct RecordingHost {
    kalvix::PageContext context;
    PageHost host{context};
    RecordingPresenter presenter;
    QStringList opened;
    QStringList dialogs;
    std::function<void(QDialog*)> onDialog;
    RecordingHost() {
        host.setPresenter(&presenter);
        addStandardDialogs(host);
        host.addressOpener = [this](const QString& a) { opened << a; };
        host.dialogRunner = [this](QDialog* d) {
            dialogs << d->windowTitle();
            if (onDialog)
                onDialog(d);
        };
    }
};

using widget_test::child;
using widget_test::choose;

void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

CDlgRaiders* makeRaiders(RecordingHost& h) {
    auto model = std::make_unique<kalvix::RaidersPage>(
        h.context,
        kalvix::GuideFile(QStringLiteral(KALVIX_TEST_DATA "/guides/xyq.ini").toStdString()));
    return new CDlgRaiders(h.host, std::move(model));
}

QString address(const char* host, const char* path) {
    return QString::fromUtf8(host) + QString::fromUtf8(path);
}

}  // namespace

class GuidePagesTest : public QObject {
    Q_OBJECT
  private slots:
    void subTabSwitchingKeepsEverySubPage() {
        RecordingHost h;
        std::unique_ptr<CDlgRaiders> page(makeRaiders(h));
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QTabWidget* tabs = page->tabs();
        QCOMPARE(tabs->count(), 6);
        QCOMPARE(tabs->tabText(4), QStringLiteral("老朋友回流计算"));
        QCOMPARE(tabs->currentIndex(), 0);
        auto* story = child<QComboBox>(page.get(), "comboStory");
        auto* text = child<QPlainTextEdit>(page.get(), "editStory");
        QCOMPARE(story->currentIndex(), 0);
        QCOMPARE(text->toPlainText(), QString());
        choose(story, 1);
        QCOMPARE(text->toPlainText(), QStringLiteral("第一行\n第二行"));
        QCOMPARE(text->blockCount(), 2);

        tabs->setCurrentIndex(4);
        QVERIFY(!story->isVisible());
        QCOMPARE(page->page().current(), 4);
        auto* level = child<QLineEdit>(page.get(), "editLevelBound");
        QVERIFY(level->isVisible());
        typeInto(level, QStringLiteral("60"));
        QTest::mouseClick(child<QPushButton>(page.get(), "buttonCalcBound"), Qt::LeftButton);
        QCOMPARE(child<QLineEdit>(page.get(), "editExpBound")->text(), QStringLiteral("410000"));

        tabs->setCurrentIndex(3);
        QCOMPARE(child<QTableWidget>(page.get(), "listPractice")->rowCount(), 25);
        QCOMPARE(child<QTableWidget>(page.get(), "listPractice")->item(24, 4)->text(),
                 QStringLiteral("2133W"));
        tabs->setCurrentIndex(0);
        QVERIFY(story->isVisible());
        QCOMPARE(story->currentIndex(), 1);
        QCOMPARE(text->toPlainText(), QStringLiteral("第一行\n第二行"));
        tabs->setCurrentIndex(4);
        QCOMPARE(level->text(), QStringLiteral("60"));
        QCOMPARE(child<QLineEdit>(page.get(), "editExpBound")->text(), QStringLiteral("410000"));
    }

    void recipeTextShowsItsFortyTwoLines() {
        RecordingHost h;
        std::unique_ptr<CDlgRaiders> page(makeRaiders(h));
        auto* recipe = child<QPlainTextEdit>(page.get(), "editRecipe");
        QCOMPARE(recipe->blockCount(), 42);
        QVERIFY(recipe->isReadOnly());
        QVERIFY(!recipe->toPlainText().contains(QLatin1Char('\r')));
    }

    void recipeKeepsItsScrollPositionAcrossRefreshes() {
        RecordingHost h;
        std::unique_ptr<CDlgRaiders> page(makeRaiders(h));
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        page->tabs()->setCurrentIndex(2);
        auto* recipe = child<QPlainTextEdit>(page.get(), "editRecipe");
        QScrollBar* bar = recipe->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        // Any action on the page rewrites its fields: the text shown must not be reset.
        page->tabs()->setCurrentIndex(3);
        page->tabs()->setCurrentIndex(2);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void enterAndEscapeComputeTheTwoGroups() {
        RecordingHost h;
        std::unique_ptr<CDlgRaiders> page(makeRaiders(h));
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        page->tabs()->setCurrentIndex(4);
        auto* bound = child<QLineEdit>(page.get(), "editLevelBound");
        typeInto(bound, QStringLiteral("60"));
        QTest::keyClick(bound, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(page.get(), "editExpBound")->text(), QStringLiteral("410000"));
        QCOMPARE(child<QLineEdit>(page.get(), "editExpBinder")->text(), QStringLiteral("0"));
        auto* binder = child<QLineEdit>(page.get(), "editLevelBinder");
        typeInto(binder, QStringLiteral("60"));
        QTest::keyClick(binder, Qt::Key_Escape);
        QCOMPARE(child<QLineEdit>(page.get(), "editExpBinder")->text(), QStringLiteral("82000"));
        QCOMPARE(child<QLineEdit>(page.get(), "editTotalMoneyBinder")->text(),
                 QStringLiteral("1950000"));
        // Enter from the list of the right group still means the left 计算.
        typeInto(bound, QStringLiteral("59"));
        auto* count = child<QComboBox>(page.get(), "comboCountBinder");
        count->setFocus();
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(h.presenter.shown,
                 QStringList({QStringLiteral("最小等级为60"), QStringLiteral("最小等级为60")}));
        QVERIFY(child<QLabel>(page.get(), "textNote")
                    ->text()
                    .contains(QStringLiteral("第十五次需要72小时")));
    }

    void linkButtonsHandTheirAddressesToTheDesktop() {
        RecordingHost h;
        std::unique_ptr<CDlgRaiders> raiders(makeRaiders(h));
        raiders->show();
        raiders->tabs()->setCurrentIndex(5);
        const struct {
            const char* id;
            const char* host;
            const char* path;
        } other[] = {
            {"buttonOfficial", kalvix::portal::kGameHost, "/player/newer28.htm"},
            {"buttonChildren", kalvix::portal::kForumHost,
             "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html"},
            {"buttonCards", kalvix::portal::kForumHost, "/topics/1142/200509/23/2304490,1.html"},
            {"buttonRefine", kalvix::portal::kGameHost, "/player/newer19.htm"},
        };
        for (const auto& b : other) {
            h.opened.clear();
            QTest::mouseClick(child<QPushButton>(raiders.get(), b.id), Qt::LeftButton);
            QCOMPARE(h.opened, QStringList{address(b.host, b.path)});
        }
        const auto buttons = raiders->tabs()->widget(5)->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 16);
        h.opened.clear();
        for (QPushButton* b : buttons)
            b->click();
        QCOMPARE(h.opened.size(), 16);
        QCOMPARE(h.opened.removeDuplicates(), 0);
        QVERIFY(h.dialogs.isEmpty());
        QVERIFY(h.presenter.shown.isEmpty());

        CDlgOther query(h.host, std::make_unique<kalvix::QueryPage>(h.context));
        query.show();
        h.opened.clear();
        QTest::mouseClick(child<QPushButton>(&query, "buttonMeridians"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&query, "buttonAura"), Qt::LeftButton);
        QCOMPARE(h.opened,
                 QStringList({address(kalvix::portal::kSimulatorHost, "/xyq/sim/"),
                              address(kalvix::portal::kGameHost, "/activity7/index,3.shtml")}));
        h.opened.clear();
        for (const char* id : {"buttonRune", "buttonFurniture", "buttonGhost"})
            QTest::mouseClick(child<QPushButton>(&query, id), Qt::LeftButton);
        QVERIFY(h.opened.isEmpty());
        QCOMPARE(h.dialogs, QStringList({QStringLiteral("符石模拟"), QStringLiteral("家具"),
                                         QStringLiteral("捉鬼计算器")}));
    }

    void ghostCalculatorStartsAfreshAtEveryOpening() {
        RecordingHost h;
        CDlgOther query(h.host, std::make_unique<kalvix::QueryPage>(h.context));
        query.show();
        QStringList seen;
        h.onDialog = [&seen](QDialog* d) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
            auto* level = child<QLineEdit>(d, "editLevel");
            auto* ring = child<QComboBox>(d, "comboRing");
            seen << level->text() + QLatin1Char('/') + QString::number(ring->currentIndex()) +
                        QLatin1Char('/') +
                        (level->hasFocus() ? QStringLiteral("focus") : QString());
            QTest::keyClicks(level, QStringLiteral("25"));
            choose(ring, 3);
            d->reject();
        };
        QTest::mouseClick(child<QPushButton>(&query, "buttonGhost"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&query, "buttonGhost"), Qt::LeftButton);
        QCOMPARE(seen, QStringList({QStringLiteral("0/0/focus"), QStringLiteral("0/0/focus")}));
    }

    void ghostLevelAbove180IsClampedAndSelected() {
        RecordingHost h;
        CZhuoGuiCount d(h.host);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* level = child<QLineEdit>(&d, "editLevel");
        QVERIFY(level->hasFocus());
        level->selectAll();
        QTest::keyClicks(level, QStringLiteral("250"));
        QCOMPARE(level->text(), QStringLiteral("180"));
        QCOMPARE(level->selectedText(), QStringLiteral("180"));
        QCOMPARE(child<QLineEdit>(&d, "editLeaderExp")->text(), QStringLiteral("117360"));
        QVERIFY(child<QLineEdit>(&d, "editLeaderExp")->isReadOnly());
        QTest::mouseClick(child<QPushButton>(&d, "buttonOk"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void firstNineQueryButtonsAreDrawnInTheirBlue() {
        RecordingHost h;
        CDlgOther query(h.host, std::make_unique<kalvix::QueryPage>(h.context));
        query.show();
        QVERIFY(QTest::qWaitForWindowExposed(&query));
        const char* ids[] = {"buttonSmelt",    "buttonMeridians", "buttonTreasure",
                             "buttonRune",     "buttonFurniture", "buttonMount",
                             "buttonFullExp",  "buttonSkillCost", "buttonLegend",
                             "buttonTransfer", "buttonAura",      "buttonGhost"};
        for (int i = 0; i < 12; ++i) {
            auto* b = child<QPushButton>(&query, ids[i]);
            const QImage image = b->grab().toImage();
            const QColor c = image.pixelColor(6, image.height() / 2);
            const bool blue = c == QColor(195, 210, 230);
            QVERIFY2(blue == (i < 9), ids[i]);
        }
        // Under the mouse: darker blue with white text.
        auto* smelt = child<QPushButton>(&query, "buttonSmelt");
        QTest::mouseMove(smelt, smelt->rect().center());
        QTRY_VERIFY(smelt->underMouse());
        const QImage hovered = smelt->grab().toImage();
        QCOMPARE(hovered.pixelColor(6, hovered.height() / 2), QColor(128, 161, 205));
        int white = 0;  // near-white text pixels, antialiased; the normal text is black
        for (int y = 0; y < hovered.height(); ++y)
            for (int x = 0; x < hovered.width(); ++x) {
                const QColor p = hovered.pixelColor(x, y);
                white += p.red() > 225 && p.green() > 225 && p.blue() > 225;
            }
        QVERIFY(white > 20);

        // A dark theme's light button text would not read on the light blue: it stays black.
        const QPalette before = QApplication::palette();
        QPalette dark = before;
        dark.setColor(QPalette::ButtonText, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(dark);
        CDlgOther darkQuery(h.host, std::make_unique<kalvix::QueryPage>(h.context));
        const QImage plain = child<QPushButton>(&darkQuery, "buttonFullExp")->grab().toImage();
        QApplication::setPalette(before);
        int black = 0;
        int light = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                const QColor p = plain.pixelColor(x, y);
                black += p.red() < 60 && p.green() < 60 && p.blue() < 60;
                light += p.red() > 235 && p.green() > 235 && p.blue() > 235;
            }
        QVERIFY(black > 20);
        QCOMPARE(light, 0);
    }
};

QTEST_MAIN(GuidePagesTest)
#include "guide_pages_test.moc"
