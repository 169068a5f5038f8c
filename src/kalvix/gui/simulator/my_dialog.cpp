#include "kalvix/gui/simulator/my_dialog.h"

#include "kalvix/gui/tooltip/pp_tooltip.h"

namespace kalvix::gui {

CMyDialog::CMyDialog(QWidget* parent) : PageDialog(parent, true), tooltip_(new CPPToolTip(this)) {}

void CMyDialog::setTip(QWidget* control, const QString& markup) {
    tooltip_->setTip(control, markup);
}

void CMyDialog::setTip(QWidget* control, const std::string& markupUtf8) {
    tooltip_->setTip(control, markupUtf8);
}

}  // namespace kalvix::gui
