#include "kalvix/gui/guides/dlg_other.h"

#include <QPushButton>

#include "kalvix/gui/guides/dlg_zhuo_gui_count.h"
#include "ui_dlg_other.h"

namespace kalvix::gui {

CDlgOther::CDlgOther(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgOther ui;
    ui.setupUi(this);
    // The first nine buttons: light blue-grey, focused or not; darker blue with white text
    // under the mouse. Their text is black whatever the theme: a dark theme's light text does
    // not read on the light blue.
    const QString drawn = QStringLiteral(
        "QPushButton { background-color: rgb(195, 210, 230); border: 1px solid rgb(128, 161, 205);"
        " border-radius: 3px; color: black; }"
        "QPushButton:hover { background-color: rgb(128, 161, 205); color: white; }");
    for (QPushButton* b :
         {ui.buttonSmelt, ui.buttonMeridians, ui.buttonTreasure, ui.buttonRune, ui.buttonFurniture,
          ui.buttonMount, ui.buttonFullExp, ui.buttonSkillCost, ui.buttonLegend})
        b->setStyleSheet(drawn);
    setModel(std::move(model));
    // A host not built by the window knows the calculator as soon as the page is made.
    addDialogs(host);
}

QDialog* CDlgOther::ghostCalculator(PageHost& host, QWidget* owner) {
    return new CZhuoGuiCount(host, owner);  // a fresh calculator at every opening
}

void CDlgOther::addDialogs(PageHost& host) {
    host.addDialog(QStringLiteral("捉鬼计算器"), ghostCalculator);
}

}  // namespace kalvix::gui
