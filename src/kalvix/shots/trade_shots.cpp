// A picture of the 跑商助手 page with its clock running, for scripts/screenshot.

#include "kalvix/core/trade/pao_shang_page.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/gui/trade/dlg_pao_shang.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {

void addTradeShots(ShotList& shots) {
    shots.add(QStringLiteral("trade_running"), [](PageHost& host) {
        auto* d = new CDlgPaoShang(host, std::make_unique<PaoShangPage>(host.context()));
        PageActions& act = d->binder()->actions();
        act.setChecked("刷新主板报警", true);
        act.chooseItem("当前：", "未");
        act.click("重置");
        act.tick(100);
        d->binder()->refresh();
        d->follow();
        d->timer().stop();  // the picture shows one moment
        d->show();
        return static_cast<QWidget*>(d);
    });
}

}  // namespace kalvix::gui
