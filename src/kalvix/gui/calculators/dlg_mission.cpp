#include "kalvix/gui/calculators/dlg_mission.h"

#include "kalvix/core/calculators/mission_page.h"
#include "kalvix/gui/framework/digits_only.h"
#include "kalvix/gui/framework/page_binder.h"
#include "ui_dlg_mission.h"

namespace kalvix::gui {

CDlgMission::CDlgMission(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgMission ui;
    ui.setupUi(this);
    setDigitsOnly(this, {"editFrom", "editTo"});
    setModel(std::move(model));
    setEnterMovesFocus(true);
}

MissionPage& CDlgMission::page() {
    return static_cast<MissionPage&>(*model());
}

void CDlgMission::takeSharedLevel() {
    page().chooseLevel(host().context().sharedLevel());
    binder()->refresh();
}

}  // namespace kalvix::gui
