#include "kalvix/gui/calculators/dlg_skill.h"

#include "kalvix/core/calculators/skill_page.h"
#include "kalvix/core/catalogue/catalogue.h"
#include "kalvix/gui/app/dialog_opener.h"
#include "kalvix/gui/calculators/dlg_skill_detail.h"
#include "ui_dlg_skill.h"

namespace kalvix::gui {

CDlgSkill::CDlgSkill(QWidget* parent) : PageWidget(parent) {
    Ui::CDlgSkill ui;
    ui.setupUi(this);
    // The detail dialog shows the page's own detail model, so its inputs stay between openings.
    registerDialog(QStringLiteral("师门技能详细计算"), [](QWidget* parent) -> QDialog* {
        auto* skill = qobject_cast<CDlgSkill*>(parent);
        return new CDlgSkillDetail(skill ? &skill->page().detail() : nullptr, parent);
    });
    auto model = std::make_unique<SkillPage>(Catalogue::instance());
    model->opener = [this](const std::string& window) {
        runDialog(QString::fromStdString(window), this);
    };
    setModel(std::move(model));
    setEnterMovesFocus(true);
}

SkillPage& CDlgSkill::page() {
    return static_cast<SkillPage&>(*model());
}

}  // namespace kalvix::gui
