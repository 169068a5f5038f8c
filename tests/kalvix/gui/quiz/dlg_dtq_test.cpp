// The 答题器 page's widget offscreen: typing searches, a chosen row fills the detail box,
// 复制答案 reaches the clipboard, 窗口前置 keeps the main window in front, 图片题目 opens its
// window, and matches are marked.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <future>

#include "kalvix/core/quiz/question_csv.h"
#include "kalvix/core/quiz/question_store.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/gui/framework/html_ctrl.h"
#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/platform_desktop.h"
#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/quiz/cdlg_pic_dtq.h"
#include "kalvix/gui/quiz/dlg_dtq.h"
#include "kalvix/gui/quiz/quiz_result_model.h"
#include "support/recording_presenter.h"

using namespace kalvix::gui;
using kalvix::QuizPage;

namespace {

using test_support::RecordingPresenter;

QString u(const std::string& s) {
    return QString::fromStdString(s);
}

// Chinese text arrives from the input method one committed character at a time.
void typeText(QLineEdit* edit, const QString& text) {
    for (const QChar c : text) {
        QInputMethodEvent event;
        event.setCommitString(QString(c));
        QApplication::sendEvent(edit, &event);
    }
}

struct Fixture {
    QTemporaryDir folder;
    PlatformDesktop desktop;
    kalvix::PageContext context;
    PageHost host{context};
    RecordingPresenter presenter;
    StatusBar bar{nullptr};
    std::unique_ptr<DLG_dtq> page;

    Fixture() {
        context.setDesktop(&desktop);
        const std::string store = folder.filePath(QStringLiteral("Conversion.dat")).toStdString();
        QFile csv(QStringLiteral(KALVIX_TEST_DATA "/quiz/questions.csv"));
        if (!csv.open(QIODevice::ReadOnly))
            qFatal("no fixture");
        const auto rows = kalvix::readQuestionCsv(csv.readAll().toStdString());
        if (auto error = kalvix::writeQuestionStore(rows.rows, store))
            qFatal("%s", error->c_str());
        host.setPresenter(&presenter);
        host.setStatusBar(&bar);
        page = std::make_unique<DLG_dtq>(host, std::make_unique<QuizPage>(context, store));
        page->resize(540, 334);
        page->show();
    }
    template <typename T>
    T* child(const char* name) {
        T* w = page->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qWarning("no widget %s", name);
        return w;
    }
    QTableView* list() { return page->resultList(); }
    int rows() { return list()->model()->rowCount(); }
    QString cell(int row, int column) {
        return list()->model()->index(row, column).data().toString();
    }
};

}  // namespace

class DlgDtqTest : public QObject {
    Q_OBJECT
  private slots:
    void typingSearchesAtEveryKeystroke() {
        Fixture f;
        auto* edit = f.child<QLineEdit>("editKeyword");
        QVERIFY(edit);
        QCOMPARE(f.rows(), 0);
        QCOMPARE(f.list()->model()->headerData(0, Qt::Horizontal).toString(), u("题目"));
        QCOMPARE(f.list()->columnWidth(0), 315);
        QCOMPARE(f.list()->columnWidth(1), 120);
        QVERIFY(f.child<QRadioButton>("radioCategory9")->isChecked());

        edit->setFocus();
        typeText(edit, u("明"));
        QCOMPARE(f.rows(), 1);
        QCOMPARE(f.cell(0, 0), u("“床前明月光”的作者是"));
        QCOMPARE(f.cell(0, 1), u("李白"));
        QCOMPARE(f.bar.fieldText(0), u("找到 1 道题目"));
        typeText(edit, u("x"));
        QCOMPARE(f.rows(), 0);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(f.rows(), 18);  // an empty keyword lists the whole category

        // A new category takes effect at the next keystroke.
        QTest::mouseClick(f.child<QRadioButton>("radioCategory8"), Qt::LeftButton);
        QCOMPARE(f.rows(), 18);
        typeText(edit, u("的"));
        QCOMPARE(f.rows(), 2);
        QCOMPARE(f.cell(1, 0), u("“诗仙”指的是"));
        QVERIFY(f.presenter.shown.isEmpty());
    }

    void chosenRowIsShownAndCopied() {
        Fixture f;
        auto* edit = f.child<QLineEdit>("editKeyword");
        edit->setFocus();
        typeText(edit, u("的"));
        QVERIFY(f.rows() > 2);
        const QModelIndex second = f.list()->model()->index(1, 0);
        QTest::mouseClick(f.list()->viewport(), Qt::LeftButton, {},
                          f.list()->visualRect(second).center());
        const QString detail = u("题目：") + f.cell(1, 0) + u("\n答案：") + f.cell(1, 1);
        QCOMPARE(f.child<QPlainTextEdit>("editDetail")->toPlainText(), detail);

        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(f.child<QPushButton>("buttonCopy"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 detail + u("\n") + u(QuizPage::sourceLine()));
        QCOMPARE(f.presenter.shown, QStringList{u("题目答案已复制")});

        // Enter in the keyword field presses the default button.
        QGuiApplication::clipboard()->clear();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 detail + u("\n") + u(QuizPage::sourceLine()));
        QCOMPARE(f.presenter.shown.size(), 2);

        // Matches of the keyword are marked in the question.
        const auto ranges = second.data(QuizResultModel::kHighlightRole).value<QList<QPoint>>();
        QCOMPARE(ranges.size(), 1);
        QCOMPARE(f.cell(1, 0).mid(ranges[0].x(), ranges[0].y()), u("的"));
    }

    void fullPinyinAndMixedKeywordsFindAndMark() {
        Fixture f;
        auto* edit = f.child<QLineEdit>("editKeyword");
        edit->setFocus();
        for (const QString& keyword :
             {u("changjiang"), u("chang jiang"), u("changj"), u("长j"), u("cj"), u("长江")}) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Backspace);
            for (const QChar c : keyword) {
                if (c.unicode() < 0x80)
                    QTest::keyClick(edit, c.toLatin1());
                else
                    typeText(edit, QString(c));
            }
            QCOMPARE(edit->text(), keyword);
            QVERIFY2(f.rows() >= 1, qPrintable(keyword));
            QCOMPARE(f.cell(0, 0), u("长江是我国最长的河流吗"));
            const auto ranges = f.list()
                                    ->model()
                                    ->index(0, 0)
                                    .data(QuizResultModel::kHighlightRole)
                                    .value<QList<QPoint>>();
            QCOMPARE(ranges.size(), 1);
            QCOMPARE(f.cell(0, 0).mid(ranges[0].x(), ranges[0].y()), u("长江"));
        }
    }

    void storeIsReadAfterTheFirstFrameWhileKeysAreTaken() {
        Fixture f;
        // Declared after the page, so the loader is let go before the page waits for it.
        struct Gate {
            std::promise<void> open;
            bool opened = false;
            void release() {
                if (!opened)
                    open.set_value();
                opened = true;
            }
            ~Gate() { release(); }
        } gate;
        std::shared_future<void> opened = gate.open.get_future().share();
        f.page->storeLoader = [opened](kalvix::QuestionStore& store) {
            opened.wait();
            store.refresh();
        };
        auto* detail = f.child<QPlainTextEdit>("editDetail");
        f.page->show();
        QTRY_VERIFY(f.page->page().loading());
        QCOMPARE(detail->placeholderText(), u("正在读取题库……"));
        auto* edit = f.child<QLineEdit>("editKeyword");
        edit->setFocus();
        typeText(edit, u("明月"));
        QCOMPARE(edit->text(), u("明月"));
        QCOMPARE(f.rows(), 0);
        gate.release();
        QTRY_COMPARE(f.rows(), 1);
        QCOMPARE(f.cell(0, 0), u("“床前明月光”的作者是"));
        QCOMPARE(f.bar.fieldText(0), u("找到 1 道题目"));
        QVERIFY(detail->placeholderText().isEmpty());
        typeText(edit, u("光"));
        QCOMPARE(f.rows(), 1);
        QCOMPARE(f.page->page().store().loads(), 1);
        QVERIFY(f.presenter.shown.isEmpty());
    }

    void missingStoreShowsABox() {
        Fixture f;
        f.page->page().setStorePath(f.folder.filePath(QStringLiteral("none.dat")).toStdString());
        auto* edit = f.child<QLineEdit>("editKeyword");
        edit->setFocus();
        typeText(edit, u("a"));
        QCOMPARE(f.presenter.shown, QStringList{u("题库不存在")});
    }

    void damagedStoreEmptiesTheList() {
        Fixture f;
        auto* edit = f.child<QLineEdit>("editKeyword");
        edit->setFocus();
        typeText(edit, u("的"));
        QVERIFY(f.rows() > 2);
        QFile damaged(f.folder.filePath(QStringLiteral("Conversion.dat")));
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("damaged");
        damaged.close();
        // The list is painted under the box before it is reloaded: it shows no stale rows.
        QStringList painted;
        f.presenter.whileShown = [&] {
            for (int r = 0; r < f.rows(); ++r)
                painted << f.cell(r, 0);
        };
        typeText(edit, u("是"));
        QCOMPARE(f.presenter.shown, QStringList{u("file is encrypted or is not a database")});
        QVERIFY(!painted.isEmpty());
        for (const QString& p : painted)
            QVERIFY(p.isEmpty());
        QCOMPARE(f.rows(), 0);
    }

    void inFrontKeepsTheMainWindowAbove() {
        Fixture f;
        QWidget main;
        main.setWindowTitle(u(QuizPage::kMainWindowTitle));
        main.setGeometry(40, 50, 300, 200);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect place = main.geometry();
        auto* box = f.child<QCheckBox>("checkInFront");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QVERIFY(main.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(main.isVisible());
        QCOMPARE(main.geometry(), place);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!main.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(main.isVisible());
    }

    void picturesOpenTheirWindow() {
        Fixture f;
        DLG_dtq::addDialogs(f.host);
        QStringList titles;
        QString address;
        QSize size;
        f.host.dialogRunner = [&](QDialog* d) {
            titles << d->windowTitle();
            auto* pic = qobject_cast<CDLG_PicDtq*>(d);
            QVERIFY(pic);
            address = pic->browser().address();
            size = pic->browser().size();
        };
        auto* radio = f.child<QRadioButton>("radioCategory10");
        QTest::mouseClick(radio, Qt::LeftButton);
        QTest::mouseClick(radio, Qt::LeftButton);
        QCOMPARE(titles, (QStringList{u("使用中键滚轮向下查看"), u("使用中键滚轮向下查看")}));
        QCOMPARE(address, u(QuizPage::pictureAddress()));
        QCOMPARE(size, QSize(660, 720));
        QVERIFY(radio->isChecked());
    }

    // Texts from a store shown as they are: a question that looks like markup is not rendered
    // in its tooltip, and a message box shows a link-like text without a link.
    void fileTextsShowAsPlainText() {
        QTemporaryDir folder;
        const std::string store = folder.filePath(QStringLiteral("Conversion.dat")).toStdString();
        const std::string question = "<b>粗</b><img src=\"/etc/hostname\">";
        const std::string answer = "<a href=\"http://evil.example/\">答</a>";
        QVERIFY(!kalvix::writeQuestionStore({{question, answer, "科举试题", "CU"}}, store));
        kalvix::PageContext context;
        PageHost host(context);
        RecordingPresenter presenter;
        host.setPresenter(&presenter);
        DLG_dtq page(host, std::make_unique<QuizPage>(context, store));
        page.show();
        auto* edit = page.findChild<QLineEdit*>(QStringLiteral("editKeyword"));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("cu"));
        QCOMPARE(page.resultList()->model()->rowCount(), 1);
        for (int column : {0, 1}) {
            const QString tip =
                page.resultList()->model()->index(0, column).data(Qt::ToolTipRole).toString();
            QTextDocument shown;
            shown.setHtml(tip);
            QCOMPARE(shown.toPlainText(), u(column == 0 ? question : answer));
        }

        const QString text = u("题库格式不对：") + u(answer);
        MessagePresenter real;
        QString shownText;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                    shownText = label ? label->text() : QString();
                    format = label ? label->textFormat() : Qt::AutoText;
                    if (const QByteArray shots = qgetenv("KALVIX_TEST_SHOTS"); !shots.isEmpty())
                        box->grab().save(QString::fromLocal8Bit(shots) +
                                         QStringLiteral("/message_box_plain_text.png"));
                    box->accept();
                }
        });
        real.inform(nullptr, text);
        QCOMPARE(shownText, text);
        QCOMPARE(format, Qt::PlainText);
    }
};

QTEST_MAIN(DlgDtqTest)
#include "dlg_dtq_test.moc"
