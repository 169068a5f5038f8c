#include "kalvix/core/registry/page_registry.h"

#include <cassert>

#include "kalvix/core/calculators/about_page.h"
#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/calculators/children_page.h"
#include "kalvix/core/calculators/mission_page.h"
#include "kalvix/core/calculators/pet_page.h"
#include "kalvix/core/calculators/practice_page.h"
#include "kalvix/core/calculators/skill_detail_page.h"
#include "kalvix/core/calculators/skill_page.h"
#include "kalvix/core/guides/junto_practice_page.h"
#include "kalvix/core/guides/old_friend_page.h"
#include "kalvix/core/guides/query_page.h"
#include "kalvix/core/guides/raiders_page.h"
#include "kalvix/core/guides/zhuo_gui_page.h"
#include "kalvix/core/quiz/quiz_page.h"
#include "kalvix/core/simulator/equipment_page.h"
#include "kalvix/core/simulator/furniture_page.h"
#include "kalvix/core/simulator/mount_page.h"
#include "kalvix/core/simulator/rune_page.h"
#include "kalvix/core/simulator/simulation_page.h"
#include "kalvix/core/simulator/simulator_session.h"
#include "kalvix/core/trade/pao_shang_page.h"

namespace kalvix {
namespace {

// The caption is written here, beside the alias, so that finding a page by either opens no
// page; each model's title() says the same (checked whenever a page is created).
template <class Page>
PageEntry entry(std::string caption, std::string alias, Placement placement = Placement::Dialog) {
    PageEntry e;
    e.alias = std::move(alias);
    e.placement = placement;
    e.caption = std::move(caption);
    e.create = [caption = e.caption](PageContext& context) -> std::unique_ptr<PageModel> {
        auto page = std::make_unique<Page>(context);
        assert(page->title() == caption);
        (void)caption;
        return page;
    };
    return e;
}

template <class Page>
PageEntry tab(std::string caption, std::string alias) {
    return entry<Page>(std::move(caption), std::move(alias), Placement::Tab);
}

}  // namespace

const std::vector<PageEntry>& pageRegistry() {
    // Tabs in tab order, then the dialogs.
    static const std::vector<PageEntry> entries = {
        tab<CharacterPage>("人物", "character"),
        tab<ChildrenPage>("孩子", "children"),
        tab<SkillPage>("技能", "skill"),
        tab<PracticePage>("修炼", "practice"),
        tab<MissionPage>("任务", "mission"),
        tab<PetPage>("召唤兽", "pet"),
        tab<RaidersPage>("常用攻略", "guides"),
        tab<QueryPage>("常用查询", "queries"),
        tab<PaoShangPage>("跑商助手", "trade"),
        tab<QuizPage>("答题器", "quiz"),
        tab<AboutPage>("关于", "about"),
        entry<SkillDetailPage>("师门技能详细计算", "skill-detail"),
        entry<FurniturePage>("家具", "furniture"),
        entry<JuntoPracticePage>("帮派修炼", "guild-practice"),
        entry<OldFriendPage>("老朋友回流计算", "old-friend"),
        entry<ZhuoGuiPage>("捉鬼计算器", "ghost"),
        entry<SimulationPage>(kSimulationTitle, "simulation"),
        entry<MountPage>(kMountTitle, "mount"),
        entry<RunePage>(kRuneTitle, "rune"),
        entry<EquipmentEditor<1>>(kEditorTitles[1], "weapon"),
        entry<EquipmentEditor<2>>(kEditorTitles[2], "clothing"),
        entry<EquipmentEditor<3>>(kEditorTitles[3], "head"),
        entry<EquipmentEditor<4>>(kEditorTitles[4], "necklace"),
        entry<EquipmentEditor<5>>(kEditorTitles[5], "belt"),
        entry<EquipmentEditor<6>>(kEditorTitles[6], "boot"),
    };
    return entries;
}

const PageEntry* findPage(const std::string& name) {
    for (const auto& e : pageRegistry())
        if (e.create && (e.caption == name || e.alias == name))
            return &e;
    return nullptr;
}

std::vector<const PageEntry*> tabPages() {
    std::vector<const PageEntry*> tabs;
    for (const auto& e : pageRegistry())
        if (e.placement == Placement::Tab)
            tabs.push_back(&e);
    return tabs;
}

}  // namespace kalvix
