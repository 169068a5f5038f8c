#pragma once
// The build record, the attribute sheet and the summaries as JSON, under their field names.

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace kalvix {

class BuildRecord;
class BuildSimulator;

using BuildJson = nlohmann::ordered_json;

BuildJson recordToJson(const BuildRecord& record);
BuildJson sheetToJson(const BuildSimulator& simulator);
BuildJson summariesToJson(const BuildSimulator& simulator);

// Merges the fields of `fields` into `target`, a JSON object shaped like recordToJson's.
// Every key must exist there, with a value of the same kind (arrays of the same length,
// integers within 32 bits). Returns the error, or nullopt when merged.
std::optional<std::string> mergeRecordJson(BuildJson& target, const BuildJson& fields,
                                           const std::string& where = "record");

// Sets one field given as a path such as "equipment[1].runes.stoneIds[0]" from text: a
// string field takes the text as it is, other fields read it as JSON (1, 1.5, true, [1,2]).
std::optional<std::string> setRecordField(BuildJson& target, const std::string& path,
                                          const std::string& value);

// Writes a JSON object shaped like recordToJson's into the record.
void jsonToRecord(const BuildJson& json, BuildRecord& record);

}  // namespace kalvix
