#include "convert/force_pooling.h"

#include <span>
#include <vector>

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

PendingDivision Division(const ForceKind& kind, std::string name, std::string type, Pools& pools) {
  const int32_t model =
      kind.fleets ? ScenarioConverter::ShipModel(pools.techLevel, pools.shipModelCounter) : 0;
  return PendingDivision{std::move(name), std::move(type), 100, model};
}

// Adds what one source regiment or ship contributes to the pools, and the
// divisions that it completes to pending.
void Pool(const ScenarioConverter& converter, const ForceKind& kind, const ScriptNode* subUnit,
          Pools& pools, std::vector<PendingDivision>& pending) {
  const auto [sourceType, second] = kind.poolOf(subUnit);
  std::string mapped =
      (converter.*kind.mapType)(sourceType, second ? pools.secondWeight : pools.regularWeight);
  std::string extra = (converter.*kind.mapType)(ScenarioConverter::TextValueOf(subUnit, "extra"),
                                                pools.extraWeight);

  const std::string name(ScenarioConverter::TextValueOf(subUnit, "name"));
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

// Every redirect is tried in order, so one may take up where an earlier one left off.
int32_t RedirectedBase(int32_t location, std::span<const std::pair<int32_t, int32_t>> redirects) {
  for (const auto& [from, to] : redirects)
    if (location == from) location = to;
  return location;
}

}  // namespace

void ConvertForces(ScenarioConverter& converter, const ForceKind& kind, const ProvinceMap& provinces,
                   ScriptNode* target, const ScriptNode* source, int32_t unitIdType,
                   int32_t fallbackLocation, int32_t& nextUnitId) {
  Pools pools;
  if (kind.fleets) pools.techLevel = ScenarioConverter::NavalTechLevel(target);
  std::vector<ScriptMatch> units;
  std::vector<ScriptMatch> subUnits;
  std::vector<PendingDivision> pending;
  source->FindAll(kind.unitKey, &units, ScriptNode::kUnlimited, 0);
  for (const ScriptMatch& found : units) {
    if (found.index >= 0) continue;  // the key as a word in some list, not a unit
    const ScriptNode* unit = found.node;
    int32_t location = ScenarioConverter::UnitLocation(provinces, unit, fallbackLocation);
    if (unit->ItemCount() == 0 || location == 0) continue;
    if (kind.fleets) location = RedirectedBase(location, converter.baseRedirects);

    subUnits.clear();
    pending.clear();
    unit->FindAll("division", &subUnits, ScriptNode::kUnlimited, 0);
    for (const ScriptMatch& subUnit : subUnits)
      if (subUnit.index < 0) Pool(converter, kind, subUnit.node, pools, pending);
    if (pending.empty()) continue;

    ScriptNode* written = ScenarioConverter::AddUnit(
        target, kind.unitKey, ScenarioConverter::TextValueOf(unit, "name"), unitIdType, nextUnitId);
    ScenarioConverter::AddNumberValue(written, "location", location);
    if (kind.fleets) ScenarioConverter::AddNumberValue(written, "base", location);
    ScenarioConverter::AddDivisions(written, pending, unitIdType, nextUnitId);
  }
}
