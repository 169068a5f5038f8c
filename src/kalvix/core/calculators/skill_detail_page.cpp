#include "kalvix/core/calculators/skill_detail_page.h"

namespace kalvix {

SkillDetailPage::SkillDetailPage(PageContext& context) : SkillDetailPage(context.catalogue()) {}

SkillDetailPage::SkillDetailPage(const Catalogue& catalogue) : catalogue_(catalogue) {
    for (int g = 0; g < kGroups; ++g) {
        const std::string n = std::to_string(g + 1);
        addEdit(
            prefix(g) + "当前等级", "editCurrent" + n,
            [this, g] { return groups_[g].current.text; },
            [this, g](const std::string& t) { editCurrent(g, t); });
        addEdit(
            prefix(g) + "目标等级", "editTarget" + n, [this, g] { return groups_[g].target.text; },
            [this, g](const std::string& t) { editTarget(g, t); });
        addResult(prefix(g) + "需要经验", "editExp" + n,
                  [this, g] { return std::to_string(groups_[g].experience); });
        addResult(prefix(g) + "需要金钱", "editMoney" + n,
                  [this, g] { return std::to_string(groups_[g].money); });
    }
    // The dialog closes with Enter, Esc or its close box; its buttons stay hidden.
    addButton("确定", "buttonOk", [this] { accept(); }).visible = [] { return false; };
    addButton("取消", "buttonCancel", [] {}).visible = [] { return false; };
    for (int g = 0; g < kGroups; ++g)
        groups_[g].declareFields(fields(), prefix(g));
}

std::string SkillDetailPage::prefix(int g) {
    return "师门技能" + std::to_string(g + 1) + ".";
}

void SkillDetailPage::compute(int g) {
    readFields();
    groups_[g].compute(catalogue_);
    writeFields();
}

void SkillDetailPage::editCurrent(int g, const std::string& text) {
    if (g < 0 || g >= kGroups)
        return;
    if (!groups_[g].editCurrent(text)) {
        selectField(prefix(g) + "当前等级", false);
        return;
    }
    writeFields();
    compute(g);
}

void SkillDetailPage::editTarget(int g, const std::string& text) {
    if (g < 0 || g >= kGroups)
        return;
    if (!groups_[g].editTarget(text)) {
        selectField(prefix(g) + "目标等级", false);
        return;
    }
    compute(g);
}

bool SkillDetailPage::accept() {
    // A refused field keeps its text and the focus; the dialog stays open.
    const bool ok = readFields();
    if (ok)
        writeFields();
    return ok;
}

}  // namespace kalvix
