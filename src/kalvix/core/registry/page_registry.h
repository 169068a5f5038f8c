#pragma once
// Every page and dialog with a model, in one list: the main window creates its tabs from the
// tab entries in order, kalvix-calc opens any entry by caption or alias, and the tests walk
// them all. A caption is the model's own title().

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/page/page_context.h"
#include "kalvix/core/page/page_model.h"

namespace kalvix {

enum class Placement { Tab, Dialog };

struct PageEntry {
    std::string alias;  // English alias for kalvix-calc
    Placement placement = Placement::Dialog;
    std::function<std::unique_ptr<PageModel>(PageContext&)> create;
    std::string caption;  // the model's title()
};

const std::vector<PageEntry>& pageRegistry();
const PageEntry* findPage(const std::string& name);
// The tab entries, in tab order.
std::vector<const PageEntry*> tabPages();

}  // namespace kalvix
