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
    // The links look like links; a click presses the model's link, whose address the host
    // opens, so the link's own opener is never reached.
    for (QLabel* label : {ui.linkUpbringingPlan, ui.linkUpbringingBook, ui.linkSchoolChild}) {
        auto* link = new CHyperLink(label);
        link->attach(label);
        label->installEventFilter(this);
    }
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

bool Dlg_Children::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && model()) {
        const Control* c = model()->findById(watched->objectName().toStdString());
        if (c && c->kind == ControlKind::Button && qobject_cast<QLabel*>(watched)) {
            press(c->caption);
            return true;
        }
    }
    return PageWidget::eventFilter(watched, event);
}

void Dlg_Children::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press(kPredict);
        return;
    }
    PageWidget::keyPressEvent(event);
}

}  // namespace kalvix::gui
