#include "kalvix/gui/guides/dlg_old_friend.h"

#include <QKeyEvent>

#include "ui_dlg_old_friend.h"

namespace kalvix::gui {

CDlg_OldFriend::CDlg_OldFriend(QWidget* parent) : QWidget(parent) {
    Ui::CDlg_OldFriend ui;
    ui.setupUi(this);
    calcBound_ = ui.buttonCalcBound;
    calcBinder_ = ui.buttonCalcBinder;
    calcBound_->setDefault(true);
}

void CDlg_OldFriend::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            calcBound_->click();
            return;
        case Qt::Key_Escape:
            calcBinder_->click();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace kalvix::gui
