#include "convert/unit_writer.h"

#include <algorithm>
#include <string>

#include "convert/value_access.h"
#include "script/number_format.h"

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
  AddTextValue(parent, "name", quoted);
}

// An "id" block: type = the country's id type, id = the next unit id, which then advances.
void AddUnitId(ScriptNode* parent, UnitIds ids) {
  ScriptNode* id = AddBlock(parent, "id");
  AddNumberValue(id, "type", ids.type);
  AddNumberValue(id, "id", ids.next);
  ++ids.next;
}

}  // namespace

int32_t UnitLocation(const ProvinceMap& provinces, const ScriptNode* unit, int32_t fallbackLocation) {
  const int32_t sourceLocation = TruncateToInt32(unit->NumberWithin("location", 0));
  const ProvinceMap::TargetList* targets = provinces.Find(sourceLocation);
  return targets ? targets->front() : fallbackLocation;
}

ScriptNode* AddUnit(ScriptNode* target, std::string_view key, std::string_view name, UnitIds ids) {
  ScriptNode* unit = AddBlock(target, key);
  AddQuotedName(unit, name);
  AddUnitId(unit, ids);
  return unit;
}

void AddDivisions(ScriptNode* unit, const std::vector<PendingDivision>& divisions, UnitIds ids) {
  for (const PendingDivision& pending : divisions) {
    ScriptNode* division = AddBlock(unit, "division");
    AddUnitId(division, ids);
    AddQuotedName(division, pending.name);
    AddTextValue(division, "type", pending.type);
    AddNumberValue(division, "model", pending.model);
    AddNumberValue(division, "strength", std::min(pending.strength, 100));
  }
}
