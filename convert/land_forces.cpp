// Land forces: a country's source land units become its target land units.
//
// The source game counts regiments, the target game larger divisions. Regiments
// are pooled by category: each adds its category's factor to a weight, and a
// weight that reaches 1 yields one division and starts again from 0. The
// weights run on from one land unit to the next within a country.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "convert/scenario_converter.h"
#include "convert/unit_type_table.h"
#include "refdata/province_map.h"
#include "script/number_format.h"

namespace {

// One country's pools; infantry and cavalry share the regular weight.
struct ArmyPools {
  double regularWeight = 0.8;
  double militiaWeight = 0.8;
  double extraWeight = 0.8;
  int32_t armorCounter = 1;
};

PendingDivision Division(std::string name, std::string type) {
  return PendingDivision{std::move(name), std::move(type), 100, 0};
}

// Adds what one source regiment contributes to the pools, and the divisions
// that it completes to pending.
void PoolRegiment(const ScenarioConverter& converter, const ScriptNode* regiment, ArmyPools& pools,
                  std::vector<PendingDivision>& pending) {
  const std::string_view quality = ScenarioConverter::TextValueOf(regiment, "quality");
  const std::string_view type = ScenarioConverter::TextValueOf(regiment, "type");
  std::string mapped;
  if (quality == "colonial")
    mapped = converter.MapLandType(quality, pools.militiaWeight);
  else if (type == "irregular")
    mapped = converter.MapLandType(type, pools.militiaWeight);
  else
    mapped = converter.MapLandType(type, pools.regularWeight);
  std::string extra =
      converter.MapLandType(ScenarioConverter::TextValueOf(regiment, "extra"), pools.extraWeight);

  const std::string_view name = ScenarioConverter::TextValueOf(regiment, "name");
  if (mapped == "militia" && pools.militiaWeight >= 1.0) {
    pending.push_back(Division(std::string(name), std::move(mapped)));
    pools.militiaWeight = 0;
  } else if (!mapped.empty() && pools.regularWeight >= 1.0) {
    pending.push_back(Division(std::string(name), std::move(mapped)));
    pools.regularWeight = 0;
  }
  if (!extra.empty() && pools.extraWeight >= 1.0) {
    pending.push_back(
        Division(std::to_string(pools.armorCounter) + ". Armor Division", std::move(extra)));
    ++pools.armorCounter;
    pools.extraWeight = 0;
  }
}

}  // namespace

std::string ScenarioConverter::MapLandType(std::string_view sourceType, double& weight) const {
  static constexpr std::array<UnitTypeRow, 5> kRows{{
      {"cavalry", "cavalry", &ScenarioConverter::infantryFactor},
      {"irregular", "militia", &ScenarioConverter::irregularFactor},
      {"colonial", "militia", &ScenarioConverter::irregularFactor},
      {"infantry", "infantry", &ScenarioConverter::infantryFactor},
      {"barrel", "armor", &ScenarioConverter::armorFactor},
  }};
  return MapUnitType(*this, kRows, sourceType, weight);
}

int32_t ScenarioConverter::UnitLocation(const ProvinceMap& provinces, const ScriptNode* unit,
                                        int32_t fallbackLocation) {
  const int32_t sourceLocation = TruncateToInt32(NumberValueOf(unit, "location", 0));
  const ProvinceMap::TargetList* targets = provinces.Find(sourceLocation);
  return targets ? targets->front() : fallbackLocation;
}

void ScenarioConverter::ConvertLandForces(const ProvinceMap& provinces, ScriptNode* target,
                                          const ScriptNode* source, int32_t unitIdType,
                                          int32_t fallbackLocation, int32_t& nextUnitId) {
  ArmyPools pools;
  std::vector<ScriptMatch> units;
  std::vector<ScriptMatch> regiments;
  std::vector<PendingDivision> pending;
  source->FindAll("landunit", &units, ScriptNode::kUnlimited, 0);
  for (const ScriptMatch& found : units) {
    if (found.index >= 0) continue;  // the word "landunit" in a list, not a unit
    const ScriptNode* unit = found.node;
    const int32_t location = UnitLocation(provinces, unit, fallbackLocation);
    if (unit->ItemCount() == 0 || location == 0) continue;

    regiments.clear();
    pending.clear();
    unit->FindAll("division", &regiments, ScriptNode::kUnlimited, 0);
    for (const ScriptMatch& regiment : regiments)
      if (regiment.index < 0) PoolRegiment(*this, regiment.node, pools, pending);
    if (pending.empty()) continue;

    ScriptNode* written =
        AddUnit(target, "landunit", TextValueOf(unit, "name"), unitIdType, nextUnitId);
    AddNumberValue(written, "location", location);
    AddDivisions(written, pending, unitIdType, nextUnitId);
  }
}
