#include "convert/land_forces.h"

#include <array>

namespace {

// Cavalry weighs as infantry does; colonial regiments as irregulars do.
constexpr std::array<UnitTypeRow, 5> kLandTypes{{{"cavalry", "cavalry", &UnitFactors::infantry},
                                                 {"irregular", "militia", &UnitFactors::irregular},
                                                 {"colonial", "militia", &UnitFactors::irregular},
                                                 {"infantry", "infantry", &UnitFactors::infantry},
                                                 {"barrel", "armor", &UnitFactors::armor}}};

// Colonial regiments and irregulars pool as militia; everything else by its type.
std::pair<std::string_view, bool> RegimentPool(const ScriptNode* regiment) {
  const std::string_view quality = regiment->TextOf("quality");
  if (quality == "colonial") return {quality, true};
  const std::string_view type = regiment->TextOf("type");
  return {type, type == "irregular"};
}

constexpr ForceKind kArmies{"landunit", "militia", ". Armor Division", kLandTypes, RegimentPool, nullptr};

}  // namespace

ForceCounts ConvertLandForces(const ProvinceMap& provinces, const UnitFactors& factors, ScriptNode* target,
                       const ScriptNode* source, UnitIds ids, int32_t fallbackLocation) {
  return ConvertForces(kArmies, factors, provinces, target, source, ids, fallbackLocation, 0);
}
