// The conversion settings of Data.txt. Every setting is optional; one whose
// value has the wrong kind (a word for a number, a number for a switch) counts
// as absent. Only the top level of the file is read.
#pragma once

#include "script/script_file.h"

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
};

struct ConversionSettings {
  const ScriptNode* ports = nullptr;  // "ports": the port provinces, a list of numbers
  double icModifier = 1.0;            // "ic_mod", kept within 0.1 and 9.9
  bool convertManpower = false;       // "convert_manpower = yes"
  UnitFactors factors{};
};

ConversionSettings LoadSettings(const ScriptFile& dataFile);
