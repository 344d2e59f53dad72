// Naval forces: a country's source fleets become its target naval units.
//
// Ships are pooled like the regiments of the land forces, with transports in a
// weight of their own. Each ship division gets a model that follows the
// country's naval technology, and each fleet lies in a port: its location falls
// back to the country's port province and then passes the base redirects.
#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "convert/scenario_converter.h"
#include "convert/unit_type_table.h"

namespace {

// One country's pools; every warship type shares the regular weight.
struct FleetPools {
  double regularWeight = 0.8;
  double transportWeight = 0.8;
  double extraWeight = 0.8;
  int32_t destroyerCounter = 1;
  int32_t shipModelCounter = 0;
  double techLevel = 0;
};

PendingDivision ShipDivision(std::string name, std::string type, FleetPools& pools) {
  return PendingDivision{std::move(name), std::move(type), 100,
                         ScenarioConverter::ShipModel(pools.techLevel, pools.shipModelCounter)};
}

// Adds what one source ship contributes to the pools, and the ship divisions
// that it completes to pending.
void PoolShip(const ScenarioConverter& converter, const ScriptNode* ship, FleetPools& pools,
              std::vector<PendingDivision>& pending) {
  const std::string_view type = ScenarioConverter::TextValueOf(ship, "type");
  std::string mapped = type == "steamer_transport"
                           ? converter.MapShipType(type, pools.transportWeight)
                           : converter.MapShipType(type, pools.regularWeight);
  std::string extra =
      converter.MapShipType(ScenarioConverter::TextValueOf(ship, "extra"), pools.extraWeight);

  const std::string_view name = ScenarioConverter::TextValueOf(ship, "name");
  if (mapped == "transport" && pools.transportWeight >= 1.0) {
    pending.push_back(ShipDivision(std::string(name), std::move(mapped), pools));
    pools.transportWeight = 0;
  } else if (!mapped.empty() && pools.regularWeight >= 1.0) {
    pending.push_back(ShipDivision(std::string(name), std::move(mapped), pools));
    pools.regularWeight = 0;
  }
  if (!extra.empty() && pools.extraWeight >= 1.0) {
    pending.push_back(ShipDivision(std::to_string(pools.destroyerCounter) + ". Destroyer Division",
                                   std::move(extra), pools));
    ++pools.destroyerCounter;
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
  FleetPools pools;
  pools.techLevel = NavalTechLevel(target);
  std::vector<ScriptMatch> units;
  std::vector<ScriptMatch> ships;
  std::vector<PendingDivision> pending;
  source->FindAll("navalunit", &units, ScriptNode::kUnlimited, 0);
  for (const ScriptMatch& found : units) {
    if (found.index >= 0) continue;  // the word "navalunit" in a list, not a fleet
    const ScriptNode* unit = found.node;
    int32_t location = UnitLocation(provinces, unit, fallbackLocation);
    if (unit->ItemCount() == 0 || location == 0) continue;
    location = RedirectedBase(location, baseRedirects);

    ships.clear();
    pending.clear();
    unit->FindAll("division", &ships, ScriptNode::kUnlimited, 0);
    for (const ScriptMatch& ship : ships)
      if (ship.index < 0) PoolShip(*this, ship.node, pools, pending);
    if (pending.empty()) continue;

    ScriptNode* written =
        AddUnit(target, "navalunit", TextValueOf(unit, "name"), unitIdType, nextUnitId);
    AddNumberValue(written, "location", location);
    AddNumberValue(written, "base", location);
    AddDivisions(written, pending, unitIdType, nextUnitId);
  }
}
