#include "kalvix/core/calculators/children_page.h"

#include <cstdio>

#include "kalvix/core/page/portal_hosts.h"

namespace kalvix {
namespace {

const char* const kWitCaptions[4] = {"武学悟性", "法术悟性", "心态悟性", "体质悟性"};
const char* const kWitIds[4] = {"editMartialWit", "editMagicWit", "editTemperWit",
                                "editPhysiqueWit"};
const char* const kTotal = "孩子总属性";
const char* const kNoTotal = "请输入当前孩子总属性";

struct Link {
    const char* caption;
    const char* id;
    const char* path;
};
const Link kLinks[ChildrenPage::kLinkCount] = {
    {"孩子养育计划", "linkUpbringingPlan", "/thread/58/128/20081204/4b4f40ff0fb1d9646-1.html"},
    {"孩子养育手册", "linkUpbringingBook", "/thread/58/128/20101118/4ce4a04f6b9d64a13-1.html"},
    {"门派孩子养成法", "linkSchoolChild", "/thread/58/128/20101123/4ceb3970714157a13-1.html"},
};

std::string growthText(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", static_cast<double>(v));
    return buf;
}

}  // namespace

ChildrenPage::ChildrenPage(PageContext&) {
    for (int i = 0; i < 4; ++i)
        addEdit(
            kWitCaptions[i], kWitIds[i], [this, i] { return wits_[i].text; },
            [this, i](const std::string& t) { editWit(i, t); });
    addButton("计算 ==>", "buttonPredict", [this] { predict(); });

    struct Row {
        const char* caption;
        const char* id;
        AptitudeRange<std::int32_t> ChildAptitudes::*range;
    };
    const Row rows[] = {
        {"攻击资质", "Attack", &ChildAptitudes::attack},
        {"体力资质", "Stamina", &ChildAptitudes::stamina},
        {"速度资质", "Speed", &ChildAptitudes::speed},
        {"成长资质", "Growth", nullptr},
        {"防御资质", "Defence", &ChildAptitudes::defence},
        {"法力资质", "Mana", &ChildAptitudes::mana},
        {"躲闪资质", "Dodge", &ChildAptitudes::dodge},
    };
    for (const Row& r : rows) {
        const std::string caption = r.caption;
        const std::string id = std::string("edit") + r.id;
        if (!r.range) {
            addResult(caption + ".min", id + "Min",
                      [this] { return growthText(aptitudes_.growth.min); });
            addResult(caption + ".max", id + "Max",
                      [this] { return growthText(aptitudes_.growth.max); });
            continue;
        }
        const auto range = r.range;
        addResult(caption + ".min", id + "Min",
                  [this, range] { return std::to_string((aptitudes_.*range).min); });
        addResult(caption + ".max", id + "Max",
                  [this, range] { return std::to_string((aptitudes_.*range).max); });
    }

    addList(
        "当前物品", "comboItem",
        [] {
            std::vector<std::string> names;
            for (const ChildItem& item : childItems())
                names.push_back(item.name);
            return names;
        },
        [this] { return item_; }, [this](int i) { chooseItem(i); });
    addResult("当前物品.效果", "editNominal", [this] { return nominal_; });
    addEdit(
        kTotal, "editTotal", [this] { return total_.text; },
        [this](const std::string& t) { editTotal(t); });
    addResult("实际使用效果", "editActual", [this] { return actual_; });
    addButton("计算", "buttonItemEffect", [this] { computeItemEffect(); });

    for (int i = 0; i < kLinkCount; ++i)
        addLink(kLinks[i].caption, kLinks[i].id, [this, i] { openLink(i); });

    // The inputs come before the attribute total, so a total left unreadable never undoes
    // what was just typed into an input. The formulas hold for 0..100; below 0 they would
    // give negative aptitudes (and overflow for large negatives), so the floor is kept like
    // the ceiling.
    for (int i = 0; i < 4; ++i)
        fields()
            .addInt(kWitCaptions[i], wits_[i].text, wits_[i].value)
            .within(0, kMaxWit, OutOfRange::Clamp);
    fields().addInt(kTotal, total_.text, total_.value);
}

const char* ChildrenPage::witCaption(int wit) {
    return wit >= 0 && wit < 4 ? kWitCaptions[wit] : "";
}

std::string ChildrenPage::linkAddress(int link) {
    if (link < 0 || link >= kLinkCount)
        return {};
    return std::string(portal::kForumHost) + kLinks[link].path;
}

void ChildrenPage::editWit(int wit, const std::string& text) {
    if (wit < 0 || wit >= 4)
        return;
    wits_[wit].text = text;
    readFields();
    writeFields();
}

void ChildrenPage::predict() {
    readFields();
    aptitudes_ = predictChildAptitudes(wits_[Martial].value, wits_[Magic].value,
                                       wits_[Temper].value, wits_[Physique].value);
    writeFields();
}

void ChildrenPage::chooseItem(int index) {
    if (index < 0 || index >= kChildItemCount)
        return;
    item_ = index;
    computeItemEffect();
}

void ChildrenPage::editTotal(const std::string& text) {
    total_.text = text;
}

void ChildrenPage::computeItemEffect() {
    // An empty total gets the page's own request, not the framework's integer message too.
    if (total_.text.empty()) {
        showBox(kNoTotal, kTotal);
        selectField(kTotal, true);
        return;
    }
    readFields();
    if (item_ > 0) {
        const int n = childItems()[item_].nominal;
        nominal_ = std::to_string(n);
        actual_ = childItemEffect(n, total_.value);
    }
    writeFields();
}

void ChildrenPage::openLink(int link) {
    if (link >= 0 && link < kLinkCount)
        openAddress(linkAddress(link));
}

}  // namespace kalvix
