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
#include <string>
#include <string_view>
#include <utility>

#include "convert/scenario_converter.h"

struct ForceKind {
  std::string_view unitKey;            // "landunit" or "navalunit"
  std::string_view secondTarget;       // the target type pooled in the second weight
  std::string_view extraDivisionName;  // written after the extras' number: ". Armor Division"
  bool fleets;  // ship models follow the naval technology; units lie in ports, past the redirects
  // The target type of a source type, adding its factor to weight ("" for none).
  std::string (ScenarioConverter::*mapType)(std::string_view sourceType, double& weight) const;
  // The source type a regiment or ship is mapped by, and whether it pools in the second weight.
  std::pair<std::string_view, bool> (*poolOf)(const ScriptNode* subUnit);
};

void ConvertForces(ScenarioConverter& converter, const ForceKind& kind, const ProvinceMap& provinces,
                   ScriptNode* target, const ScriptNode* source, int32_t unitIdType,
                   int32_t fallbackLocation, int32_t& nextUnitId);
