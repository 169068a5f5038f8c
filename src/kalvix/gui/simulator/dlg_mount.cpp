#include "kalvix/gui/simulator/dlg_mount.h"

#include <QLabel>

#include "kalvix/core/simulator/mount_page.h"
#include "kalvix/gui/framework/page_host.h"
#include "ui_dlg_mount.h"

namespace kalvix::gui {

CDlgMount::CDlgMount(PageHost& host, SimulatorSession* session, QWidget* parent)
    : CMyDialog(parent) {
    Ui::CDlgMount ui;
    ui.setupUi(this);
    setWindowTitle(QStringLiteral("坐骑"));
    setFixedSize(size());
    // Enter confirms, as the editor's OK button.
    ui.buttonCancel->setAutoDefault(false);
    ui.buttonOk->setDefault(true);
    // The carried values are shown, never edited.
    for (QLabel* label : {ui.labelCarried0, ui.labelCarried1, ui.labelCarried2})
        label->setEnabled(false);
    auto page = session ? std::make_unique<MountPage>(host.context(), *session)
                        : std::make_unique<MountPage>(host.context());
    page_ = page.get();
    bindModel(host, std::move(page));
}

}  // namespace kalvix::gui
