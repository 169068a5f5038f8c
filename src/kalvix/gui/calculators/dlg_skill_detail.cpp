#include "kalvix/gui/calculators/dlg_skill_detail.h"

#include <QKeyEvent>

#include "kalvix/core/calculators/skill_detail_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "ui_dlg_skill_detail.h"

namespace kalvix::gui {

CDlgSkillDetail::CDlgSkillDetail(PageHost& host, SkillDetailPage* model, QWidget* parent)
    : PageDialog(parent), model_(model) {
    Ui::CDlgSkillDetail ui;
    ui.setupUi(this);
    setWindowTitle(QStringLiteral("师门技能详细计算"));
    setFixedSize(size());
    if (model) {
        bindModel(host, *model);
    } else {
        auto own = std::make_unique<SkillDetailPage>(host.context());
        model_ = own.get();
        bindModel(host, std::move(own));
    }
}

void CDlgSkillDetail::accept() {
    const bool ok = model_->accept();
    binder()->refresh();
    if (ok)
        QDialog::accept();
}

void CDlgSkillDetail::keyPressEvent(QKeyEvent* event) {
    // No visible default button: Enter accepts by itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kalvix::gui
