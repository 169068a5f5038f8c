#include "kalvix/gui/calculators/dlg_character.h"

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/core/page/shared_state.h"
#include "kalvix/gui/app/dialog_opener.h"
#include "kalvix/gui/app/page_binder.h"
#include "ui_dlg_character.h"

namespace kalvix::gui {

CDlgCharacter::CDlgCharacter(QWidget* parent) : PageWidget(parent) {
    Ui::CDlgCharacter ui;
    ui.setupUi(this);
    auto model = std::make_unique<CharacterPage>(Catalogue::instance());
    model->opener = [this](const std::string& window) {
        runDialog(QString::fromStdString(window), this);
    };
    setModel(std::move(model));
    setEnterMovesFocus(true);
}

CharacterPage& CDlgCharacter::page() {
    return static_cast<CharacterPage&>(*model());
}

void CDlgCharacter::takeSharedLevel() {
    page().chooseLevel(sharedCurrentLevel());
    binder()->refresh();
}

}  // namespace kalvix::gui
