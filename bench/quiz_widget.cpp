// Keystroke-to-painted-list time of the 答题器 page's real widget: a key event delivered to
// the keyword field, the search, the list model reset, and the page repainted with its rows
// and their highlights. Also the first keystroke after the page's first frame (the store
// is being read on a thread of its own then) and the time from opening to the first list. Writes
// the questions and keystrokes beside the store for bench_quiz_fts5, the peer that runs the same
// searches with SQLite FTS5 on an unencrypted copy.
//   bench_quiz_widget FOLDER ROWS

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "kalvix/gui/framework/message_box.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/quiz/dlg_dtq.h"
#include "quiz_bench_data.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct SilentPresenter : kalvix::gui::MessagePresenter {
    int shown = 0;
    void inform(QWidget*, const QString&) override { ++shown; }
    bool ask(QWidget*, const QString&) override { return true; }
};

// One key as the field gets it: a letter as a key press and release, a Chinese character
// as the input method's commit.
void sendKey(QLineEdit* edit, QChar c) {
    if (c.unicode() < 0x80) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &release);
    } else {
        QInputMethodEvent event;
        event.setCommitString(QString(c));
        QApplication::sendEvent(edit, &event);
    }
}

void clearField(QLineEdit* edit) {
    edit->selectAll();
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &del);
}

// A key delivered and the page painted.
double timedKey(QWidget* page, QLineEdit* edit, QChar c) {
    const auto start = Clock::now();
    sendKey(edit, c);
    page->repaint();
    return msSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_quiz_widget FOLDER ROWS\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string folder = argv[1];
    const std::size_t size = std::stoul(argv[2]);
    std::mt19937 rng(20110303);
    const std::vector<kalvix::QuestionRow> rows = quiz_bench::generate(size, rng);
    const std::string path = folder + "/Conversion.dat";
    if (auto error = kalvix::writeQuestionStore(rows, path)) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return 1;
    }
    const std::vector<quiz_bench::Keystroke> typed = quiz_bench::keystrokes(rows, rng);
    {
        // Tab-separated: texts hold neither tabs nor line breaks.
        std::ofstream q(folder + "/questions.tsv");
        for (const auto& r : rows)
            q << *r.question << '\t' << *r.pinyin << '\t' << *r.type << '\n';
        std::ofstream k(folder + "/keystrokes.tsv");
        for (const auto& s : typed)
            k << s.keyword << '\t'
              << (s.category == kalvix::QuizPage::kAllCategories
                      ? ""
                      : kalvix::QuizPage::categoryNames()[static_cast<std::size_t>(s.category)])
              << '\n';
    }

    kalvix::PageContext context;
    kalvix::gui::PageHost host(context);
    SilentPresenter presenter;
    host.setPresenter(&presenter);
    kalvix::gui::StatusBar bar(nullptr);
    host.setStatusBar(&bar);
    auto model = std::make_unique<kalvix::QuizPage>(context, path);
    kalvix::QuizPage& quiz = *model;
    kalvix::gui::DLG_dtq page(host, std::move(model));
    page.resize(540, 334);
    const auto opened = Clock::now();
    page.show();
    // The first frame; the store is then read on a thread of its own.
    QApplication::processEvents();
    auto* edit = page.findChild<QLineEdit*>(QStringLiteral("editKeyword"));
    edit->setFocus();
    QApplication::processEvents();

    const QString firstWord = QString::fromStdString(typed.front().keyword);
    const bool whileLoading = quiz.loading();
    const double first = timedKey(&page, edit, firstWord.front());
    while (quiz.loading())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    page.repaint();
    const double ready = msSince(opened);
    std::vector<double> times;
    QString current = firstWord.left(1);
    int lastCategory = kalvix::QuizPage::kAllCategories;
    for (const quiz_bench::Keystroke& k : typed) {
        const QString target = QString::fromStdString(k.keyword);
        if (k.category != lastCategory) {
            quiz.chooseCategory(k.category);
            lastCategory = k.category;
        }
        if (!(target.startsWith(current) && target.size() == current.size() + 1)) {
            // A new word: the field is emptied and all but its last key typed, untimed.
            clearField(edit);
            for (qsizetype i = 0; i + 1 < target.size(); ++i)
                sendKey(edit, target[i]);
        }
        times.push_back(timedKey(&page, edit, target.back()));
        current = target;
        if (edit->text() != target) {
            std::fprintf(stderr, "the field holds %s, not %s\n", qPrintable(edit->text()),
                         qPrintable(target));
            return 1;
        }
    }
    if (qEnvironmentVariableIsSet("KALVIX_BENCH_SLOWEST")) {
        std::vector<std::size_t> order(times.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](auto a, auto b) { return times[a] > times[b]; });
        for (std::size_t i = 0; i < order.size() && i < 15; ++i)
            std::fprintf(stderr, "  %.2f ms  %s (category %d)\n", times[order[i]],
                         typed[order[i]].keyword.c_str(), typed[order[i]].category);
    }
    std::printf(
        "widget, %zu rows: first keystroke after opening %.1f ms (%s), opening to the first "
        "list %.1f ms; %zu keystrokes to the painted list: median %.2f ms, p95 %.2f ms\n",
        size, first, whileLoading ? "taken while the store loads" : "store read at it", ready,
        times.size(), quiz_bench::percentile(times, 0.5), quiz_bench::percentile(times, 0.95));
    return presenter.shown == 0 ? 0 : 1;
}
