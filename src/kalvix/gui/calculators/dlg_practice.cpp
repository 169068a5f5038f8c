#include "kalvix/gui/calculators/dlg_practice.h"

#include "kalvix/core/calculators/practice_page.h"
#include "kalvix/gui/framework/digits_only.h"
#include "ui_dlg_practice.h"

namespace kalvix::gui {

CDlgPractice::CDlgPractice(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgPractice ui;
    ui.setupUi(this);
    setDigitsOnly(this,
                  {"editCurrent", "editTarget", "editExperience", "editDamage", "editDamageLevel",
                   "editSealSkill", "editSealMagic", "editSealLevel", "editSealResistance"});
    setModel(std::move(model));
    setEnterMovesFocus(true);
}

PracticePage& CDlgPractice::page() {
    return static_cast<PracticePage&>(*model());
}

}  // namespace kalvix::gui
