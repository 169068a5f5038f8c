// Pictures of the calculators' dialogs for scripts/screenshot.

#include "kalvix/core/calculators/skill_detail_page.h"
#include "kalvix/gui/calculators/dlg_skill_detail.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/shots/screenshot_registry.h"
#include "kalvix/shots/widest_inputs.h"

namespace kalvix::gui {

void addCalculatorShots(ShotList& shots) {
    // Every calculator at the inputs that give its fields their widest texts.
    addWidestShots(shots, {"人物", "孩子", "技能", "修炼", "任务", "召唤兽", "师门技能详细计算"});
    shots.add(QStringLiteral("skill_detail"), [](PageHost& host) {
        auto* d = new CDlgSkillDetail(host, nullptr);
        SkillDetailPage& m = d->model();
        m.editTarget(0, "60");
        m.editCurrent(1, "100");
        m.editTarget(1, "150");
        m.editTarget(6, "180");
        m.takeFieldRequests();
        d->binder()->refresh();
        d->show();
        return static_cast<QWidget*>(d);
    });
}

}  // namespace kalvix::gui
