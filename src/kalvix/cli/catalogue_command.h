#pragma once
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc_result.h"

namespace kalvix {
class Catalogue;

using TableDumper = nlohmann::ordered_json (*)(const Catalogue&);

// Every table kalvix-calc prints, by name, in catalogue order.
const std::vector<std::pair<std::string, TableDumper>>& catalogueTables();

// kalvix-calc catalogue [table]
CalcResult catalogueCommand(const std::vector<std::string>& args);

}  // namespace kalvix
