#pragma once
// Every page and dialog with a model, by caption and English alias: kalvix-calc opens them
// by name, the windows construct the same models.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kalvix/core/page/page_model.h"

namespace kalvix {

struct PageEntry {
    std::string caption;  // tab caption or dialog title
    std::string alias;    // English alias
    std::function<std::unique_ptr<PageModel>()> create;
};

const std::vector<PageEntry>& pageRegistry();
const PageEntry* findPage(const std::string& name);

}  // namespace kalvix
