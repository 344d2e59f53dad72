// Writing of land and naval units: the unit block with its name and id, and the
// division blocks that follow its location. Every unit and division takes the
// next number of the conversion-wide unit id counter.
#include <algorithm>

#include "convert/scenario_converter.h"

namespace {

// A block that is written with braces even while it is still empty.
ScriptNode* AddBlock(ScriptNode* parent, std::string_view key) {
  ScriptNode* block = parent->AddChild(key);
  block->kind = kBlock;
  return block;
}

// Names are bare words that carry their own double quotes.
void AddQuotedName(ScriptNode* parent, std::string_view name) {
  std::string quoted;
  quoted.reserve(name.size() + 2);
  quoted.append(1, '"').append(name).append(1, '"');
  ScenarioConverter::AddTextValue(parent, "name", quoted);
}

}  // namespace

void ScenarioConverter::AddUnitId(ScriptNode* parent, int32_t unitIdType, int32_t& nextUnitId) {
  ScriptNode* id = AddBlock(parent, "id");
  AddNumberValue(id, "type", unitIdType);
  AddNumberValue(id, "id", nextUnitId);
  ++nextUnitId;
}

ScriptNode* ScenarioConverter::AddUnit(ScriptNode* target, std::string_view key,
                                       std::string_view name, int32_t unitIdType,
                                       int32_t& nextUnitId) {
  ScriptNode* unit = AddBlock(target, key);
  AddQuotedName(unit, name);
  AddUnitId(unit, unitIdType, nextUnitId);
  return unit;
}

void ScenarioConverter::AddDivisions(ScriptNode* unit,
                                     const std::vector<PendingDivision>& divisions,
                                     int32_t unitIdType, int32_t& nextUnitId) {
  for (const PendingDivision& pending : divisions) {
    ScriptNode* division = AddBlock(unit, "division");
    AddUnitId(division, unitIdType, nextUnitId);
    AddQuotedName(division, pending.name);
    AddTextValue(division, "type", pending.type);
    AddNumberValue(division, "model", pending.model);
    AddNumberValue(division, "strength", std::min(pending.strength, 100));
  }
}
