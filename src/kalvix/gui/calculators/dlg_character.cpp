#include "kalvix/gui/calculators/dlg_character.h"

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "ui_dlg_character.h"

namespace kalvix::gui {

CDlgCharacter::CDlgCharacter(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgCharacter ui;
    ui.setupUi(this);
    setModel(std::move(model));
    setEnterMovesFocus(true);
}

CharacterPage& CDlgCharacter::page() {
    return static_cast<CharacterPage&>(*model());
}

void CDlgCharacter::takeSharedLevel() {
    page().chooseLevel(host().context().sharedLevel());
    binder()->refresh();
}

}  // namespace kalvix::gui
