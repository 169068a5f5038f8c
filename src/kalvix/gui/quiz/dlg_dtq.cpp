#include "kalvix/gui/quiz/dlg_dtq.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "kalvix/core/quiz/question_store.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/framework/page_host.h"
#include "kalvix/gui/quiz/cdlg_pic_dtq.h"
#include "kalvix/gui/quiz/quiz_result_model.h"
#include "ui_dlg_dtq.h"

namespace kalvix::gui {

void DLG_dtq::addDialogs(PageHost& host) {
    host.addDialog(QString::fromUtf8(QuizPage::kPictureWindowTitle),
                   [](QWidget* parent) -> QDialog* { return new CDLG_PicDtq(parent); });
}

DLG_dtq::DLG_dtq(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::DLG_dtq ui;
    ui.setupUi(this);
    list_ = ui.listResult;
    auto* quiz = dynamic_cast<QuizPage*>(model.get());
    if (!quiz)
        return;
    results_ = new QuizResultModel(*quiz, this);
    list_->setModel(results_);
    list_->setItemDelegateForColumn(0, new HighlightDelegate(list_));
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->setColumnWidth(0, 315);
    list_->setColumnWidth(1, 120);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    setModel(std::move(model));
    // After the binder's own connection, so the search has run.
    connect(ui.editKeyword, &QLineEdit::textEdited, this, [this] { showResults(); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { rowChosen(); });
    connect(list_, &QTableView::clicked, this, [this] { rowChosen(); });
    // 复制答案 is the page's default button.
    connect(ui.editKeyword, &QLineEdit::returnPressed, ui.buttonCopy, &QPushButton::click);
}

DLG_dtq::~DLG_dtq() {
    // The loading thread posts to this page: it ends before the page does.
    if (loader_.joinable())
        loader_.join();
}

void DLG_dtq::showEvent(QShowEvent* event) {
    PageWidget::showEvent(event);
    if (loadingStarted_ || !model() || !page().wantsLoading())
        return;
    loadingStarted_ = true;
    // After the first frame: the page shows at once and the store follows.
    QTimer::singleShot(0, this, [this] { startLoading(); });
}

void DLG_dtq::startLoading() {
    if (!page().wantsLoading())
        return;  // a keystroke has read it meanwhile
    std::shared_ptr<QuestionStore> store = page().startLoading();
    showLoading(true);
    std::function<void(QuestionStore&)> load =
        storeLoader ? storeLoader : [](QuestionStore& s) { s.refresh(); };
    loader_ = std::thread([this, store, load] {
        load(*store);
        QMetaObject::invokeMethod(
            this,
            [this, store] {
                showLoading(false);
                page().finishLoading(store);
                binder()->refresh();
                showResults();
            },
            Qt::QueuedConnection);
    });
}

void DLG_dtq::showLoading(bool on) {
    if (auto* detail = findChild<QPlainTextEdit*>(QStringLiteral("editDetail")))
        detail->setPlaceholderText(on ? QStringLiteral("正在读取题库……") : QString());
}

QuizPage& DLG_dtq::page() {
    return static_cast<QuizPage&>(*model());
}

void DLG_dtq::showResults() {
    results_->update();
}

void DLG_dtq::rowChosen() {
    const QModelIndex current = list_->selectionModel()->currentIndex();
    if (!current.isValid())
        return;  // a list emptied by a new search keeps the detail text
    binder()->actions().choose("结果.选择", current.row());
    binder()->refresh();
}

}  // namespace kalvix::gui
