#include "kalvix/gui/framework/my_dialog.h"

#include "kalvix/gui/framework/status_bar.h"
#include "kalvix/gui/tooltip/pp_tooltip.h"

namespace kalvix::gui {

CMyDialog::CMyDialog(QWidget* parent)
    : QDialog(parent), statusBar_(new StatusBar(this)), tooltip_(new CPPToolTip(this)) {}

void CMyDialog::setTip(QWidget* control, const QString& markup) {
    tooltip_->setTip(control, markup);
}

void CMyDialog::setTip(QWidget* control, const std::string& markupUtf8) {
    tooltip_->setTip(control, markupUtf8);
}

void CMyDialog::setStatus(const QString& field0, const QString& field1) {
    if (!field0.isEmpty())
        statusBar_->setFieldText(0, field0);
    if (!field1.isEmpty())
        statusBar_->setFieldText(1, field1);
}

void CMyDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The bottom 20 pixels of the client area, full width.
    statusBar_->setGeometry(0, height() - 20, width(), 20);
    statusBar_->raise();
}

}  // namespace kalvix::gui
