#include "kalvix/gui/calculators/dlg_bb.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "kalvix/core/calculators/pet_page.h"
#include "kalvix/gui/framework/digits_only.h"
#include "ui_dlg_bb.h"

namespace kalvix::gui {

CDlgBB::CDlgBB(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgBB ui;
    ui.setupUi(this);
    ui.textCultNote->setReadOnly(true);
    ui.textCultNote->setFocusPolicy(Qt::NoFocus);
    // A narrow margin keeps the experience error on one line.
    ui.textCultNote->document()->setDocumentMargin(2);
    // Its scroll bar is vertical only: a long note wraps, wherever it must.
    ui.textCultNote->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.textCultNote->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ui.textCultNote->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Every field but 成长率 takes digits only.
    setDigitsOnly(
        this, {"editOwnSpeed",   "editFoeSpeed", "editCultExp",  "editAptAttack", "editAptDefence",
               "editAptStamina", "editAptMana",  "editAptSpeed", "editAptDodge",  "editCon",
               "editMag",        "editStr",      "editEnd",      "editAgi",       "editPotential",
               "editQuickCon",   "editQuickMag", "editQuickStr", "editQuickEnd",  "editQuickAgi"});
    setModel(std::move(model));
    setEnterMovesFocus(true);
}

PetPage& CDlgBB::page() {
    return static_cast<PetPage&>(*model());
}

}  // namespace kalvix::gui
