// How a source unit type maps to a target type, and which of the converter's
// Data.txt factors it adds to the pooling weight of its category.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "convert/scenario_converter.h"

struct UnitTypeRow {
  std::string_view source;
  std::string_view target;
  double ScenarioConverter::*factor;
};

// The target type of sourceType ("" when the table has none), adding the row's
// factor to weight; exact, case-sensitive comparison.
inline std::string MapUnitType(const ScenarioConverter& converter, std::span<const UnitTypeRow> rows,
                               std::string_view sourceType, double& weight) {
  for (const UnitTypeRow& row : rows) {
    if (row.source != sourceType) continue;
    weight += converter.*row.factor;
    return std::string(row.target);
  }
  return {};
}
