#include "kalvix/gui/app/dlg_query_form.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace kalvix::gui {

Dlg_QueryForm::Dlg_QueryForm(QWidget* parent) : QDialog(parent, Qt::Widget) {
    setObjectName(QStringLiteral("Dlg_QueryForm"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    buttons->setGeometry(10, 10, 200, 30);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    hide();
}

}  // namespace kalvix::gui
