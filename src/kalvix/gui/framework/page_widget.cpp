#include "kalvix/gui/framework/page_widget.h"

#include <QApplication>
#include <QKeyEvent>

#include "kalvix/gui/framework/page_binder.h"

namespace kalvix::gui {

PageWidget::PageWidget(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {}
PageWidget::~PageWidget() = default;

EmptyPage::EmptyPage(PageHost& host, const QString& caption, QWidget* parent)
    : PageWidget(host, parent) {
    setObjectName(caption);
}

void PageWidget::setModel(std::unique_ptr<PageModel> model) {
    model_ = std::move(model);
    if (!model_)
        return;
    binder_ = new PageBinder(this, *model_, host_);
    // Children may swallow Enter before it reaches the page.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

bool PageWidget::eventFilter(QObject* watched, QEvent* event) {
    if (enterMovesFocus_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PageWidget::keyPressEvent(QKeyEvent* event) {
    if (enterMovesFocus_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        focusNextChild();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kalvix::gui
