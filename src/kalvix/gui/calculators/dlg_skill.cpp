#include "kalvix/gui/calculators/dlg_skill.h"

#include "kalvix/core/calculators/skill_page.h"
#include "kalvix/gui/calculators/dlg_skill_detail.h"
#include "ui_dlg_skill.h"

namespace kalvix::gui {

CDlgSkill::CDlgSkill(PageHost& host, std::unique_ptr<PageModel> model, QWidget* parent)
    : PageWidget(host, parent) {
    Ui::CDlgSkill ui;
    ui.setupUi(this);
    // The detail dialog shows the page's own detail model, so its inputs stay between openings.
    setModel(std::move(model));
    host.addDialog(QStringLiteral("师门技能详细计算"), [this](PageHost& h, QWidget* owner) {
        return new CDlgSkillDetail(h, &page().detail(), owner);
    });
    setEnterMovesFocus(true);
}

SkillPage& CDlgSkill::page() {
    return static_cast<SkillPage&>(*model());
}

}  // namespace kalvix::gui
