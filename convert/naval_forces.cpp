// Naval forces: a country's source fleets become its target naval units.
//
// Ships are pooled like the regiments of the land forces (see force_pooling.h),
// with transports in a weight of their own and the extras as numbered destroyer
// divisions. Each ship division gets a model that follows the country's naval
// technology, and each fleet lies in a port: its location falls back to the
// country's port province and then passes the base redirects.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "convert/force_pooling.h"
#include "convert/scenario_converter.h"
#include "convert/unit_type_table.h"

namespace {

// Transports pool in a weight of their own; every warship in the regular one.
std::pair<std::string_view, bool> ShipPool(const ScriptNode* ship) {
  const std::string_view type = ScenarioConverter::TextValueOf(ship, "type");
  return {type, type == "steamer_transport"};
}

constexpr ForceKind kFleets{"navalunit", "transport", ". Destroyer Division", true,
                            &ScenarioConverter::MapShipType, ShipPool};

}  // namespace

std::string ScenarioConverter::MapShipType(std::string_view sourceType, double& weight) const {
  static constexpr std::array<UnitTypeRow, 7> kRows{{
      {"dreadnought", "battleship", &ScenarioConverter::navyFactor},
      {"battleship", "battlecruiser", &ScenarioConverter::navyFactor},
      {"cruiser", "light_cruiser", &ScenarioConverter::navyFactor},
      {"heavy_cruiser", "heavy_cruiser", &ScenarioConverter::navyFactor},
      {"submarine", "submarine", &ScenarioConverter::navyFactor},
      {"steamer_transport", "transport", &ScenarioConverter::transportFactor},
      {"destroyer", "destroyer", &ScenarioConverter::destroyerFactor},
  }};
  return MapUnitType(*this, kRows, sourceType, weight);
}

double ScenarioConverter::NavalTechLevel(const ScriptNode* target) {
  std::vector<ScriptMatch> found;
  target->FindAll("techapps", &found, ScriptNode::kUnlimited, 0);
  const ScriptNode* techapps = nullptr;
  for (const ScriptMatch& match : found) {
    if (match.index < 0) {
      techapps = match.node;
      break;
    }
  }
  if (!techapps || techapps->kind != kNumbers) return 0;
  int32_t naval = 0;
  for (int i = 0; i < techapps->ItemCount(); ++i)
    if (techapps->NumberAt(i) > 3000 && techapps->NumberAt(i) < 4000) ++naval;
  if (naval <= 2) return 0;
  if (naval <= 8) return 0.5;
  if (naval <= 14) return 1.0;
  return 1.5;
}

int32_t ScenarioConverter::ShipModel(double level, int32_t& counter) {
  const int32_t n = counter++;
  if (level == 0.5) return n % 3 == 0 ? 1 : 0;
  if (level == 1.0) return n % 2 == 0 ? 1 : n % 3 == 0 ? 2 : 0;
  if (level == 1.5) return n % 3 == 0 ? 2 : 1;
  return 0;
}

void ScenarioConverter::ConvertNavalForces(const ProvinceMap& provinces, ScriptNode* target,
                                           const ScriptNode* source, int32_t unitIdType,
                                           int32_t fallbackLocation, int32_t& nextUnitId) {
  ConvertForces(*this, kFleets, provinces, target, source, unitIdType, fallbackLocation, nextUnitId);
}
