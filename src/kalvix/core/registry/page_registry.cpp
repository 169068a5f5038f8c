#include "kalvix/core/registry/page_registry.h"

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
#include "kalvix/core/trade/pao_shang_page.h"

namespace kalvix {
namespace {

template <class Page>
PageEntry entry(std::string alias, Placement placement = Placement::Dialog) {
    PageEntry e;
    e.alias = std::move(alias);
    e.placement = placement;
    e.create = [](PageContext& context) { return std::make_unique<Page>(context); };
    return e;
}

template <class Page>
PageEntry tab(std::string alias) {
    return entry<Page>(std::move(alias), Placement::Tab);
}

}  // namespace

const std::vector<PageEntry>& pageRegistry() {
    static const std::vector<PageEntry> entries = [] {
        // Tabs in tab order, then the dialogs.
        std::vector<PageEntry> e = {
            tab<CharacterPage>("character"),
            tab<ChildrenPage>("children"),
            tab<SkillPage>("skill"),
            tab<PracticePage>("practice"),
            tab<MissionPage>("mission"),
            tab<PetPage>("pet"),
            tab<RaidersPage>("guides"),
            tab<QueryPage>("queries"),
            tab<PaoShangPage>("trade"),
            tab<QuizPage>("quiz"),
            tab<AboutPage>("about"),
            entry<SkillDetailPage>("skill-detail"),
            entry<FurniturePage>("furniture"),
            entry<JuntoPracticePage>("guild-practice"),
            entry<OldFriendPage>("old-friend"),
            entry<ZhuoGuiPage>("ghost"),
            entry<SimulationPage>("simulation"),
            entry<MountPage>("mount"),
            entry<RunePage>("rune"),
            entry<EquipmentEditor<1>>("weapon"),
            entry<EquipmentEditor<2>>("clothing"),
            entry<EquipmentEditor<3>>("head"),
            entry<EquipmentEditor<4>>("necklace"),
            entry<EquipmentEditor<5>>("belt"),
            entry<EquipmentEditor<6>>("boot"),
        };
        PageContext context;
        for (PageEntry& p : e)
            if (p.create)
                p.caption = p.create(context)->title();
        return e;
    }();
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
