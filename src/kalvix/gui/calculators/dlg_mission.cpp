#include "kalvix/gui/calculators/dlg_mission.h"

#include "kalvix/core/calculators/mission_page.h"
#include "kalvix/core/page/shared_state.h"
#include "kalvix/gui/app/page_binder.h"
#include "kalvix/gui/calculators/digits_only.h"
#include "ui_dlg_mission.h"

namespace kalvix::gui {

CDlgMission::CDlgMission(QWidget* parent) : PageWidget(parent) {
    Ui::CDlgMission ui;
    ui.setupUi(this);
    setDigitsOnly(this, {"editFrom", "editTo"});
    setModel(std::make_unique<MissionPage>());
    setEnterMovesFocus(true);
}

MissionPage& CDlgMission::page() {
    return static_cast<MissionPage&>(*model());
}

void CDlgMission::takeSharedLevel() {
    page().chooseLevel(sharedCurrentLevel());
    binder()->refresh();
}

}  // namespace kalvix::gui
