#include "kalvix/gui/calculators/dlg_children.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "kalvix/core/calculators/children_page.h"
#include "kalvix/gui/framework/hyper_link.h"
#include "kalvix/gui/framework/page_binder.h"
#include "ui_dlg_children.h"

namespace kalvix::gui {
namespace {
const char* const kPredict = "计算 ==>";
}  // namespace

Dlg_Children::Dlg_Children(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::Dlg_Children ui;
    ui.setupUi(this);
    setModel(std::move(model));
}

ChildrenPage& Dlg_Children::page() {
    return static_cast<ChildrenPage&>(*model());
}

void Dlg_Children::press(const std::string& caption) {
    if (!binder())
        return;
    binder()->actions().click(caption);
    binder()->refresh();
}

void Dlg_Children::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press(kPredict);
        return;
    }
    PageWidget::keyPressEvent(event);
}

}  // namespace kalvix::gui
