#include "kalvix/gui/guides/dlg_zhuo_gui_count.h"

#include "kalvix/core/guides/zhuo_gui_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "ui_dlg_zhuo_gui_count.h"

namespace kalvix::gui {

CZhuoGuiCount::CZhuoGuiCount(PageHost& host, QWidget* parent) : PageDialog(parent) {
    Ui::CZhuoGuiCount ui;
    ui.setupUi(this);
    setFixedSize(size());
    ui.editLeaderExp->setStyleSheet(
        QStringLiteral("QLineEdit { color: rgb(0, 255, 0); background: transparent; }"));
    connect(ui.buttonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui.buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto model = std::make_unique<ZhuoGuiPage>(host.context());
    model_ = model.get();
    bindModel(host, std::move(model));
}

void CZhuoGuiCount::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* level = binder()->widgetFor("队伍平均等级"))
        level->setFocus(Qt::OtherFocusReason);
}

}  // namespace kalvix::gui
