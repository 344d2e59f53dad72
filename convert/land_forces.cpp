// Land forces: a country's source land units become its target land units.
//
// The source game counts regiments, the target game larger divisions: the
// regiments are pooled (see force_pooling.h), infantry and cavalry in the
// regular weight, colonial regiments and irregulars as militia, and the extras
// as numbered armor divisions.
#include <array>
#include <string>
#include <utility>

#include "convert/force_pooling.h"
#include "convert/scenario_converter.h"
#include "convert/unit_type_table.h"
#include "refdata/province_map.h"
#include "script/number_format.h"

namespace {

// Colonial regiments and irregulars pool as militia; everything else by its type.
std::pair<std::string_view, bool> RegimentPool(const ScriptNode* regiment) {
  const std::string_view quality = ScenarioConverter::TextValueOf(regiment, "quality");
  if (quality == "colonial") return {quality, true};
  const std::string_view type = ScenarioConverter::TextValueOf(regiment, "type");
  return {type, type == "irregular"};
}

constexpr ForceKind kArmies{"landunit", "militia", ". Armor Division", false,
                            &ScenarioConverter::MapLandType, RegimentPool};

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
  ConvertForces(*this, kArmies, provinces, target, source, unitIdType, fallbackLocation, nextUnitId);
}
