#include "kalvix/gui/guides/dlg_other_query.h"

#include "ui_dlg_other_query.h"

namespace kalvix::gui {

Dlg_OtherQuery::Dlg_OtherQuery(QWidget* parent) : QWidget(parent) {
    Ui::Dlg_OtherQuery ui;
    ui.setupUi(this);
}

}  // namespace kalvix::gui
