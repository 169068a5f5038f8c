#include "kalvix/core/calculators/skill_page.h"

#include <algorithm>
#include <cstdio>

#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {
namespace {

const std::string kSchool = "师门技能.";
const std::string kResearch = "帮派技能研究.";
const std::string kAux = "辅助技能学习.";

std::string str(std::int64_t v) {
    return std::to_string(v);
}

}  // namespace

SkillPage::SkillPage(PageContext& context) : SkillPage(context.catalogue()) {}

SkillPage::SkillPage(const Catalogue& catalogue) : catalogue_(catalogue), detail_(catalogue) {
    addEdit(
        kSchool + "当前等级", "editSchoolCurrent", [this] { return school_.current.text; },
        [this](const std::string& t) { editSchoolCurrent(t); });
    addEdit(
        kSchool + "目标等级", "editSchoolTarget", [this] { return school_.target.text; },
        [this](const std::string& t) { editSchoolTarget(t); });
    addResult("需要经验", "editSchoolExp", [this] { return str(school_.experience); });
    addResult("需要金钱", "editSchoolMoney", [this] { return str(school_.money); });
    addButton(kSchool + "计算", "buttonSchoolCompute", [this] { computeSchool(); }).visible = [] {
        return false;
    };

    addEdit(
        kResearch + "当前等级", "editResearchCurrent", [this] { return researchCurrent_.text; },
        [this](const std::string& t) { editResearchCurrent(t); });
    addEdit(
        kResearch + "目标等级", "editResearchTarget", [this] { return researchTarget_.text; },
        [this](const std::string& t) { editResearchTarget(t); });
    addEdit(
        "帮派书院", "editAcademy", [this] { return academy_.text; },
        [this](const std::string& t) { editAcademy(t); });
    addResult("研究力", "editResearchPower", [this] { return str(researchPower_); });
    addResult("研究需时", "editResearchTime", [this] { return researchTime_; });
    addButton(kResearch + "计算", "buttonResearchCompute", [this] { computeResearch(); }).visible =
        [] { return false; };

    addRadio(
        "在帮派学习", "radioGuild", [this] { return guild_; }, [this] { chooseGuild(); });
    addRadio(
        "向NPC学习", "radioNpc", [this] { return !guild_; }, [this] { chooseNpc(); });
    addEdit(
        kAux + "当前等级", "editAuxCurrent", [this] { return auxCurrent_.text; },
        [this](const std::string& t) { editAuxCurrent(t); });
    addEdit(
        kAux + "目标等级", "editAuxTarget", [this] { return auxTarget_.text; },
        [this](const std::string& t) { editAuxTarget(t); });
    addResult("耗费经验", "editAuxExp", [this] { return str(auxExp_); });
    addResult("耗费金钱", "editAuxMoney", [this] { return str(auxMoney_); });
    auto guildOnly = [this] { return guild_; };
    auto npcOnly = [this] { return !guild_; };
    addResult("耗费帮贡", "editAuxContribution", [this] { return str(auxContribution_); }).visible =
        guildOnly;
    addLabel("耗费帮贡.label", "labelAuxContribution", [] { return "耗费帮贡"; }).visible =
        guildOnly;
    addResult("所需帮贡", "editAuxNeeded", [this] { return str(auxContributionNeeded_); }).visible =
        guildOnly;
    addLabel("所需帮贡.label", "labelAuxNeeded", [] { return "所需帮贡"; }).visible = guildOnly;
    addResult("耗费人气", "editAuxPopularity", [this] { return str(auxPopularity_); }).visible =
        npcOnly;
    addLabel("耗费人气.label", "labelAuxPopularity", [] { return "耗费人气"; }).visible = npcOnly;
    addButton(kAux + "计算", "buttonAuxCompute", [this] { computeAux(); }).visible = [] {
        return false;
    };

    addButton("详细计算", "buttonDetail", [this] { open(detail_.title()); });
    addButton("综合计算", "buttonTotal", [] {}).visible = [] { return false; };

    // A level text left out of range counts as the nearest bound: the tables end there.
    school_.declareFields(fields(), kSchool);
    fields()
        .addInt(kResearch + "当前等级", researchCurrent_.text, researchCurrent_.value)
        .within(0, kResearchMaxCurrent, OutOfRange::Clamp);
    fields()
        .addInt(kResearch + "目标等级", researchTarget_.text, researchTarget_.value)
        .within(0, kResearchMaxTarget, OutOfRange::Clamp);
    auto auxLimits = [this] { return FieldLimits{0, auxMax()}; };
    fields()
        .addInt(kAux + "当前等级", auxCurrent_.text, auxCurrent_.value)
        .within(auxLimits, OutOfRange::Clamp);
    fields()
        .addInt(kAux + "目标等级", auxTarget_.text, auxTarget_.value)
        .within(auxLimits, OutOfRange::Clamp);
    // The only field with a declared range is read last, so while it stays out of range the
    // fields before it are still taken as typed.
    fields().addInt("帮派书院", academy_.text, academy_.value).within(0, kAcademyMax);
}

void SkillPage::computeSchool() {
    readFields();
    school_.compute(catalogue_);
    writeFields();
}

void SkillPage::computeResearch() {
    readFields();
    const std::int32_t c = researchCurrent_.value;
    const std::int32_t t = researchTarget_.value;
    if (t <= c) {
        researchTime_.clear();
    } else {
        std::int32_t s = 0;
        for (std::int32_t i = c; i <= t && i <= 149; ++i)
            s += 16 * i * i + 1000;
        // Levels from 100 upward count in this run too when the range starts at 100 or below.
        if (c <= 100)
            for (std::int32_t j = 100; j <= t - 1 && j <= 150; ++j)
                s += 48 * j * j + 1000;
        const std::int32_t r = researchPower_;
        char buf[48];
        std::snprintf(buf, sizeof buf, "约 %d 小时", (r + s - 1) / r);
        researchTime_ = buf;
    }
    writeFields();
}

void SkillPage::computeAux() {
    readFields();
    const std::int32_t c = auxCurrent_.value;
    const std::int32_t t = auxTarget_.value;
    auxExp_ = auxMoney_ = auxContribution_ = auxContributionNeeded_ = auxPopularity_ = 0;
    if (t > c) {
        if (guild_) {
            const auto& b = catalogue_.guildAuxCost;
            auxExp_ = static_cast<std::int32_t>(b[t].experience - b[c].experience);
            auxMoney_ = static_cast<std::int32_t>(b[t].money - b[c].money);
            auxContribution_ = (t - c + 1) * (c + t) / 2;
            auxContributionNeeded_ = auxContribution_ + 4 * t;
        } else {
            const auto& n = catalogue_.npcAuxCost;
            auxExp_ = static_cast<std::int32_t>(n[t].experience - n[c].experience);
            auxMoney_ = static_cast<std::int32_t>(n[t].money - n[c].money);
            auxPopularity_ = n[t].popularity - n[c].popularity;
        }
    }
    writeFields();
}

void SkillPage::editSchoolCurrent(const std::string& text) {
    if (!school_.editCurrent(text))
        return selectField(kSchool + "当前等级", false);
    writeFields();
    computeSchool();
}

void SkillPage::editSchoolTarget(const std::string& text) {
    if (!school_.editTarget(text))
        return selectField(kSchool + "目标等级", false);
    computeSchool();
}

void SkillPage::editResearchCurrent(const std::string& text) {
    if (!acceptLevel(researchCurrent_, text, kResearchMaxCurrent))
        return selectField(kResearch + "当前等级", false);
    if (researchTarget_.value < researchCurrent_.value)
        researchTarget_.value = researchCurrent_.value;
    writeFields();
    computeResearch();
}

void SkillPage::editResearchTarget(const std::string& text) {
    if (!acceptLevel(researchTarget_, text, kResearchMaxTarget))
        return selectField(kResearch + "目标等级", false);
    computeResearch();
}

void SkillPage::editAcademy(const std::string& text) {
    if (!acceptLevel(academy_, text, kAcademyMax))
        return selectField("帮派书院", false);
    researchPower_ = 2000 + 500 * academy_.value;
    computeResearch();
}

void SkillPage::editAuxCurrent(const std::string& text) {
    if (!acceptLevel(auxCurrent_, text, auxMax()))
        return selectField(kAux + "当前等级", false);
    if (auxTarget_.value < auxCurrent_.value)
        auxTarget_.value = auxCurrent_.value;
    writeFields();
    computeAux();
}

void SkillPage::editAuxTarget(const std::string& text) {
    if (!acceptLevel(auxTarget_, text, auxMax()))
        return selectField(kAux + "目标等级", false);
    computeAux();
}

void SkillPage::chooseGuild() {
    guild_ = true;
    writeFields();
    computeAux();
}

void SkillPage::chooseNpc() {
    guild_ = false;
    auxCurrent_.value = std::min(auxCurrent_.value, kNpcAuxMax);
    auxTarget_.value = std::min(auxTarget_.value, kNpcAuxMax);
    writeFields();
    computeAux();
}

}  // namespace kalvix
