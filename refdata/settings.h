// The conversion settings of Data.txt, read once with the reference data.
// Every setting is optional; one whose value has the wrong kind (a word for a
// number, a number for a switch) counts as absent. Only the top level of the
// file is read.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string_view>

#include "script/script_file.h"

// The keys of Data.txt, with the kind of value each takes: a list of numbers
// ("ports", and every number), or a word for the switch. Other keys are not read.
struct SettingKey {
  std::string_view key;
  ScriptKind kind;
};
extern const std::array<SettingKey, 9> kSettingKeys;
// The ratio keys among them, in the order they are read.
extern const std::array<std::string_view, 6> kRatioKeys;
// The range ic_mod is kept within.
inline constexpr double kLowestIcModifier = 0.1;
inline constexpr double kHighestIcModifier = 9.9;

// What each source unit adds to the pooling weight of its category, from the
// ratios inf_mod, irr_mod, arm_mod, navy_mod, dest_mod and tran_mod (an absent
// ratio repeats the one before it).
struct UnitFactors {
  double infantry;  // infantry and cavalry
  double irregular;  // irregulars and colonial regiments
  double armor;
  double navy;  // every warship but destroyers
  double destroyer;
  double transport;

  bool operator==(const UnitFactors&) const = default;
};

struct ConversionSettings {
  std::set<int32_t> ports;            // "ports": the port provinces, each truncated to an id
  double icModifier = 1.0;            // "ic_mod", kept within 0.1 and 9.9
  bool convertManpower = false;       // "convert_manpower = yes"
  UnitFactors factors{};
  std::array<double, 6> ratios{};  // the ratio each key of kRatioKeys stood at

  bool operator==(const ConversionSettings&) const = default;
};

ConversionSettings LoadSettings(const ScriptFile& dataFile);
