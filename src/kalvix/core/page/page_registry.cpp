#include "kalvix/core/page/page_registry.h"

#include "kalvix/core/calculators/character_page.h"
#include "kalvix/core/catalogue/catalogue.h"

namespace kalvix {

const std::vector<PageEntry>& pageRegistry() {
    static const std::vector<PageEntry> entries = [] {
        std::vector<PageEntry> e;
        const Catalogue& cat = Catalogue::instance();
        e.push_back({"人物", "character", [&cat] { return std::make_unique<CharacterPage>(cat); }});
        return e;
    }();
    return entries;
}

const PageEntry* findPage(const std::string& name) {
    for (const auto& e : pageRegistry())
        if (e.caption == name || e.alias == name) return &e;
    return nullptr;
}

}  // namespace kalvix
