#include "kalvix/core/page/page_registry.h"

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/calculators/mission_page.h"
#include "kalvix/core/calculators/pet_page.h"
#include "kalvix/core/calculators/practice_page.h"
#include "kalvix/core/calculators/skill_detail_page.h"
#include "kalvix/core/calculators/skill_page.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

const std::vector<PageEntry>& pageRegistry() {
    static const std::vector<PageEntry> entries = [] {
        std::vector<PageEntry> e;
        const Catalogue& cat = Catalogue::instance();
        e.push_back({"人物", "character", [&cat] { return std::make_unique<CharacterPage>(cat); }});
        e.push_back({"技能", "skill", [&cat] { return std::make_unique<SkillPage>(cat); }});
        e.push_back({"师门技能详细计算", "skill-detail",
                     [&cat] { return std::make_unique<SkillDetailPage>(cat); }});
        e.push_back({"修炼", "practice", [] { return std::make_unique<PracticePage>(); }});
        e.push_back({"任务", "mission", [] { return std::make_unique<MissionPage>(); }});
        e.push_back({"召唤兽", "pet", [&cat] { return std::make_unique<PetPage>(cat); }});
        return e;
    }();
    return entries;
}

const PageEntry* findPage(const std::string& name) {
    for (const auto& e : pageRegistry())
        if (e.caption == name || e.alias == name)
            return &e;
    return nullptr;
}

}  // namespace kalvix
