#include "kalvix/gui/guides/dlg_fb_raiders.h"

#include "ui_dlg_fb_raiders.h"

namespace kalvix::gui {

CDlg_fbRaiders::CDlg_fbRaiders(QWidget* parent) : QWidget(parent) {
    Ui::CDlg_fbRaiders ui;
    ui.setupUi(this);
}

}  // namespace kalvix::gui
