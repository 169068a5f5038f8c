#include "kalvix/gui/app/page_widget.h"

#include <QApplication>
#include <QKeyEvent>

#include "kalvix/gui/app/page_binder.h"

namespace kalvix::gui {

PageWidget::PageWidget(QWidget* parent) : QWidget(parent) {}
PageWidget::~PageWidget() = default;

void PageWidget::setModel(std::unique_ptr<PageModel> model) {
    model_ = std::move(model);
    binder_ = new PageBinder(this, *model_);
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
