#include "kalvix/gui/guides/dlg_jq_raiders.h"

#include "ui_dlg_jq_raiders.h"

namespace kalvix::gui {

CDlg_jqRaiders::CDlg_jqRaiders(QWidget* parent) : QWidget(parent) {
    Ui::CDlg_jqRaiders ui;
    ui.setupUi(this);
}

}  // namespace kalvix::gui
