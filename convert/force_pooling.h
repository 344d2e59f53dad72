// The pooling of a country's source units into target units, shared by the land
// forces (regiments into divisions) and the naval forces (ships into ship
// divisions).
//
// Each source regiment or ship adds its category's factor to that category's
// weight; a weight that reaches 1 yields one division and starts again from 0.
// There are three weights: the regular one, a second one (militia for armies,
// transports for fleets) and the extras (numbered armor or destroyer
// divisions). The weights and the numbers run on from one unit to the next
// within a country. A unit without a location (or fallback), or whose pooling
// completes no division, is left out and takes no id.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "convert/unit_writer.h"
#include "refdata/settings.h"

// A source type, the target type it maps to, and the factor it adds to its weight.
struct UnitTypeRow {
  std::string_view source;
  std::string_view target;
  double UnitFactors::*factor;
};

// What fleets have that armies do not.
struct FleetRules {
  // The model of the next ship division at the level of the country's naval
  // technology; counter counts them.
  int32_t (*modelOf)(double level, int32_t& counter);
  // Locations that are no naval base, each sent on to one that is (every
  // redirect is tried in order).
  std::span<const std::pair<int32_t, int32_t>> baseRedirects;
};

struct ForceKind {
  std::string_view unitKey;            // "landunit" or "navalunit"
  std::string_view secondTarget;       // the target type pooled in the second weight
  std::string_view extraDivisionName;  // written after the extras' number: ". Armor Division"
  std::span<const UnitTypeRow> types;  // exact, case-sensitive source types
  // The source type a regiment or ship is mapped by, and whether it pools in the second weight.
  std::pair<std::string_view, bool> (*poolOf)(const ScriptNode* subUnit);
  const FleetRules* fleet;  // null for armies
};

// What a country's forces became: the units written and their divisions.
struct ForceCounts {
  int units = 0;
  int divisions = 0;
};

// techLevel: the level of the country's naval technology, which the models of
// its ships follow (fleets only).
ForceCounts ConvertForces(const ForceKind& kind, const UnitFactors& factors, const ProvinceMap& provinces,
                          ScriptNode* target, const ScriptNode* source, UnitIds ids,
                          int32_t fallbackLocation, double techLevel);
