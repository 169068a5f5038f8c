#include "kalvix/gui/app/my_dialog.h"

#include "kalvix/gui/app/status_bar.h"

namespace kalvix::gui {

CMyDialog::CMyDialog(QWidget* parent) : QDialog(parent), statusBar_(new StatusBar(this)) {}

void CMyDialog::setStatus(const QString& field0, const QString& field1) {
    if (!field0.isEmpty()) statusBar_->setFieldText(0, field0);
    if (!field1.isEmpty()) statusBar_->setFieldText(1, field1);
}

void CMyDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The bottom 20 pixels of the client area, full width.
    statusBar_->setGeometry(0, height() - 20, width(), 20);
    statusBar_->raise();
}

}  // namespace kalvix::gui
