#include "convert/naval_forces.h"

#include <array>

namespace {

constexpr std::array<UnitTypeRow, 7> kShipTypes{{
    {"dreadnought", "battleship", &UnitFactors::navy},
    {"battleship", "battlecruiser", &UnitFactors::navy},
    {"cruiser", "light_cruiser", &UnitFactors::navy},
    {"heavy_cruiser", "heavy_cruiser", &UnitFactors::navy},
    {"submarine", "submarine", &UnitFactors::navy},
    {"steamer_transport", "transport", &UnitFactors::transport},
    {"destroyer", "destroyer", &UnitFactors::destroyer},
}};

constexpr std::array<std::pair<int32_t, int32_t>, 12> kBaseRedirects{{{198, 197},
                                                                     {88, 90},
                                                                     {522, 521},
                                                                     {269, 258},
                                                                     {1391, 1376},
                                                                     {582, 583},
                                                                     {635, 634},
                                                                     {681, 680},
                                                                     {1731, 1728},
                                                                     {1715, 1709},
                                                                     {406, 1801},
                                                                     {903, 4}}};

// Transports pool in a weight of their own; every warship in the regular one.
std::pair<std::string_view, bool> ShipPool(const ScriptNode* ship) {
  const std::string_view type = ship->TextOf("type");
  return {type, type == "steamer_transport"};
}

// The level of the naval technologies (3001 to 3999) among a country's techapps.
double NavalTechLevel(const ScriptNode* techapps) {
  if (!techapps || techapps->kind != kNumbers) return 0;
  int32_t naval = 0;
  for (int i = 0; i < techapps->ItemCount(); ++i)
    if (techapps->NumberAt(i) > 3000 && techapps->NumberAt(i) < 4000) ++naval;
  if (naval <= 2) return 0;
  if (naval <= 8) return 0.5;
  if (naval <= 14) return 1.0;
  return 1.5;
}

int32_t ShipModel(double level, int32_t& counter) {
  const int32_t n = counter++;
  if (level == 0.5) return n % 3 == 0 ? 1 : 0;
  if (level == 1.0) return n % 2 == 0 ? 1 : n % 3 == 0 ? 2 : 0;
  if (level == 1.5) return n % 3 == 0 ? 2 : 1;
  return 0;
}

constexpr FleetRules kFleetRules{ShipModel, kBaseRedirects};
constexpr ForceKind kFleets{"navalunit", "transport", ". Destroyer Division", kShipTypes, ShipPool,
                            &kFleetRules};

}  // namespace

ForceCounts ConvertNavalForces(const ProvinceMap& provinces, const UnitFactors& factors, ScriptNode* target,
                               const ScriptNode* source, const ScriptNode* techapps, UnitIds ids,
                               int32_t fallbackLocation) {
  return ConvertForces(kFleets, factors, provinces, target, source, ids, fallbackLocation,
                       NavalTechLevel(techapps));
}
