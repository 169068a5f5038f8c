#include "kalvix/gui/guides/dlg_junto_practice.h"

#include <QHeaderView>

#include "ui_dlg_junto_practice.h"

namespace kalvix::gui {

CDLG_JuntoPractice::CDLG_JuntoPractice(QWidget* parent) : QWidget(parent) {
    Ui::CDLG_JuntoPractice ui;
    ui.setupUi(this);
    const int widths[] = {60, 100, 100, 60, 100, 60};
    for (int c = 0; c < 6; ++c)
        ui.listPractice->setColumnWidth(c, widths[c]);
    ui.listPractice->verticalHeader()->hide();
    ui.listPractice->verticalHeader()->setDefaultSectionSize(20);
}

}  // namespace kalvix::gui
