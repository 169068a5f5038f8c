#include "kalvix/core/registry/page_registry.h"

#include "kalvix/core/calculators/about_page.h"
#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/calculators/mission_page.h"
#include "kalvix/core/calculators/pet_page.h"
#include "kalvix/core/calculators/practice_page.h"
#include "kalvix/core/calculators/skill_detail_page.h"
#include "kalvix/core/calculators/skill_page.h"
#include "kalvix/core/quiz/quiz_page.h"
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

// A tab whose page has no model yet: the window shows it empty, kalvix-calc does not know it.
PageEntry pendingTab(std::string caption, std::string alias) {
    PageEntry e;
    e.alias = std::move(alias);
    e.placement = Placement::Tab;
    e.caption = std::move(caption);
    return e;
}

}  // namespace

const std::vector<PageEntry>& pageRegistry() {
    static const std::vector<PageEntry> entries = [] {
        // Tabs in tab order, then the dialogs.
        std::vector<PageEntry> e = {
            tab<CharacterPage>("character"),  pendingTab("孩子", "children"),
            tab<SkillPage>("skill"),          tab<PracticePage>("practice"),
            tab<MissionPage>("mission"),      tab<PetPage>("pet"),
            pendingTab("常用攻略", "guides"), pendingTab("常用查询", "queries"),
            tab<PaoShangPage>("trade"),       tab<QuizPage>("quiz"),
            tab<AboutPage>("about"),          entry<SkillDetailPage>("skill-detail"),
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
