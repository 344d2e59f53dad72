#include "convert/force_pooling.h"

#include <string>
#include <vector>

#include "convert/value_access.h"

namespace {

// One country's weights and counters.
struct Pools {
  double regularWeight = 0.8;
  double secondWeight = 0.8;
  double extraWeight = 0.8;
  int32_t extraCounter = 1;
  int32_t shipModelCounter = 0;
  double techLevel = 0;
};

// The target type of sourceType ("" when the table has none), adding the row's
// factor to weight.
std::string MapUnitType(const ForceKind& kind, const UnitFactors& factors,
                        std::string_view sourceType, double& weight) {
  for (const UnitTypeRow& row : kind.types) {
    if (row.source != sourceType) continue;
    weight += factors.*row.factor;
    return std::string(row.target);
  }
  return {};
}

PendingDivision Division(const ForceKind& kind, std::string name, std::string type, Pools& pools) {
  const int32_t model = kind.fleet ? kind.fleet->modelOf(pools.techLevel, pools.shipModelCounter) : 0;
  return PendingDivision{std::move(name), std::move(type), 100, model};
}

// Adds what one source regiment or ship contributes to the pools, and the
// divisions that it completes to pending.
void Pool(const ForceKind& kind, const UnitFactors& factors, const ScriptNode* subUnit,
          Pools& pools, std::vector<PendingDivision>& pending) {
  const auto [sourceType, second] = kind.poolOf(subUnit);
  std::string mapped =
      MapUnitType(kind, factors, sourceType, second ? pools.secondWeight : pools.regularWeight);
  std::string extra = MapUnitType(kind, factors, subUnit->TextOf("extra"), pools.extraWeight);

  const std::string name(subUnit->TextOf("name"));
  if (mapped == kind.secondTarget && pools.secondWeight >= 1.0) {
    pending.push_back(Division(kind, name, std::move(mapped), pools));
    pools.secondWeight = 0;
  } else if (!mapped.empty() && pools.regularWeight >= 1.0) {
    pending.push_back(Division(kind, name, std::move(mapped), pools));
    pools.regularWeight = 0;
  }
  if (!extra.empty() && pools.extraWeight >= 1.0) {
    std::string numbered = std::to_string(pools.extraCounter);
    numbered += kind.extraDivisionName;
    pending.push_back(Division(kind, std::move(numbered), std::move(extra), pools));
    ++pools.extraCounter;
    pools.extraWeight = 0;
  }
}

int32_t RedirectedBase(int32_t location, std::span<const std::pair<int32_t, int32_t>> redirects) {
  for (const auto& [from, to] : redirects)
    if (location == from) location = to;
  return location;
}

}  // namespace

ForceCounts ConvertForces(const ForceKind& kind, const UnitFactors& factors, const ProvinceMap& provinces,
                          ScriptNode* target, const ScriptNode* source, UnitIds ids,
                          int32_t fallbackLocation, double techLevel) {
  ForceCounts written;
  Pools pools{.techLevel = techLevel};
  std::vector<ScriptMatch> units;
  std::vector<ScriptMatch> subUnits;
  std::vector<PendingDivision> pending;
  source->FindAll(kind.unitKey, &units, ScriptNode::kUnlimited);
  for (const ScriptMatch& found : units) {
    if (found.index >= 0) continue;  // the key as a word in some list, not a unit
    const ScriptNode* unit = found.node;
    int32_t location = UnitLocation(provinces, unit, fallbackLocation);
    if (unit->ItemCount() == 0 || location == 0) continue;
    if (kind.fleet) location = RedirectedBase(location, kind.fleet->baseRedirects);

    subUnits.clear();
    pending.clear();
    unit->FindAll("division", &subUnits, ScriptNode::kUnlimited);
    for (const ScriptMatch& subUnit : subUnits)
      if (subUnit.index < 0) Pool(kind, factors, subUnit.node, pools, pending);
    if (pending.empty()) continue;

    ScriptNode* unitBlock = AddUnit(target, kind.unitKey, unit->TextOf("name"), ids);
    AddNumberValue(unitBlock, "location", location);
    if (kind.fleet) AddNumberValue(unitBlock, "base", location);
    AddDivisions(unitBlock, pending, ids);
    ++written.units;
    written.divisions += static_cast<int>(pending.size());
  }
  return written;
}
