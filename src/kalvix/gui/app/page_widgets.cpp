#include "kalvix/gui/app/page_widgets.h"

#include <functional>
#include <map>

#include "kalvix/gui/calculators/dlg_bb.h"
#include "kalvix/gui/calculators/dlg_character.h"
#include "kalvix/gui/calculators/dlg_children.h"
#include "kalvix/gui/calculators/dlg_mission.h"
#include "kalvix/gui/calculators/dlg_practice.h"
#include "kalvix/gui/calculators/dlg_skill.h"
#include "kalvix/gui/framework/page_widget.h"
#include "kalvix/gui/guides/dlg_other.h"
#include "kalvix/gui/guides/dlg_raiders.h"
#include "kalvix/gui/quiz/dlg_dtq.h"
#include "kalvix/gui/simulator/dlg_equipment.h"
#include "kalvix/gui/simulator/dlg_furniture.h"
#include "kalvix/gui/simulator/dlg_rune.h"
#include "kalvix/gui/simulator/dlg_simulation.h"
#include "kalvix/gui/trade/dlg_pao_shang.h"

namespace kalvix::gui {
namespace {

using WidgetFactory = std::function<PageWidget*(PageHost&, std::unique_ptr<PageModel>)>;

template <class Widget>
WidgetFactory make() {
    return [](PageHost& host, std::unique_ptr<PageModel> model) -> PageWidget* {
        return new Widget(host, std::move(model));
    };
}

const std::map<std::string, WidgetFactory>& factories() {
    static const std::map<std::string, WidgetFactory> map = {
        {"人物", make<CDlgCharacter>()}, {"技能", make<CDlgSkill>()},
        {"修炼", make<CDlgPractice>()},  {"任务", make<CDlgMission>()},
        {"召唤兽", make<CDlgBB>()},      {"跑商助手", make<CDlgPaoShang>()},
        {"答题器", make<DLG_dtq>()},     {"常用攻略", make<CDlgRaiders>()},
        {"常用查询", make<CDlgOther>()}, {"孩子", make<Dlg_Children>()},
    };
    return map;
}

}  // namespace

PageWidget* createPageWidget(const std::string& caption, PageHost& host,
                             std::unique_ptr<PageModel> model) {
    auto it = factories().find(caption);
    if (it == factories().end() || !model)
        return new EmptyPage(host, QString::fromStdString(caption));
    return it->second(host, std::move(model));
}

void addStandardDialogs(PageHost& host) {
    // Each subsystem with dialogs of its own adds its call here.
    addSimulatorDialogs(host);
    DLG_dtq::addDialogs(host);
    CDlgOther::addDialogs(host);
}

}  // namespace kalvix::gui
