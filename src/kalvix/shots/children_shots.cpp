// A picture of the 孩子 page with a prediction and an item effect, for scripts/screenshot.

#include "kalvix/core/calculators/children_page.h"
#include "kalvix/core/page/page_actions.h"
#include "kalvix/gui/calculators/dlg_children.h"
#include "kalvix/gui/framework/page_binder.h"
#include "kalvix/shots/screenshot_registry.h"

namespace kalvix::gui {

void addChildrenShots(ShotList& shots) {
    shots.add(QStringLiteral("children"), [](PageHost& host) {
        auto* page =
            new Dlg_Children(host, std::make_unique<ChildrenPage>(host.context()), nullptr);
        PageActions actions(page->page());
        actions.type("武学悟性", "100");
        actions.type("法术悟性", "50");
        actions.type("心态悟性", "60");
        actions.type("体质悟性", "80");
        actions.click("计算 ==>");
        actions.type("孩子总属性", "25");
        actions.chooseItem("当前物品", "投掷沙包");
        page->page().takeFieldRequests();
        page->binder()->refresh();
        page->setWindowTitle(QStringLiteral("孩子"));
        page->resize(540, 334);
        page->show();
        return static_cast<QWidget*>(page);
    });
}

}  // namespace kalvix::gui
