// Writing of land and naval units: the unit block with its name and id, and the
// division blocks that follow its location. Every unit and division takes the
// next number of the conversion-wide unit id counter.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "convert/records.h"
#include "refdata/province_map.h"
#include "script/script_node.h"

// The numbers of a country's unit ids: its id type and the conversion-wide counter.
struct UnitIds {
  int32_t type;
  int32_t& next;
};

// The target province of a source unit's "location"; the fallback when it is unmapped.
int32_t UnitLocation(const ProvinceMap& provinces, const ScriptNode* unit, int32_t fallbackLocation);
// A new unit block (key "landunit" or "navalunit") holding its quoted "name" and its "id".
ScriptNode* AddUnit(ScriptNode* target, std::string_view key, std::string_view name, UnitIds ids);
// One "division" block per pending division, in order, each with its own "id".
void AddDivisions(ScriptNode* unit, const std::vector<PendingDivision>& divisions, UnitIds ids);
