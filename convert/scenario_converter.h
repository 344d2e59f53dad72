// The conversion of one loaded source save into the tree of a target scenario.
//
// Convert checks that the save is a source save game (a top-level "header"
// holding "pop"), then runs the steps in the order of its body, each in the
// file named after its concern; conversion_state.h lists what they hand on to
// one another. The save is released when Convert returns; the scenario, and
// the report of what the steps did (conversion_report.h), are returned only
// when the conversion succeeded.
#pragma once

#include <cstdint>

#include "assign/province_placement.h"
#include "convert/conversion_report.h"
#include "convert/conversion_result.h"
#include "refdata/reference_data.h"
#include "script/script_file.h"

struct Conversion {
  ConversionResult result;
  ScriptFile scenario;      // empty unless converted
  ConversionReport report;  // complete only when converted
  uint64_t saveBytes = 0;   // of the save, as read up to its end (a pipe has no size to ask for)
};

// assigner places the target provinces that no country received; without one
// they stay unowned. The values of the wrong kind in the save are looked for
// only when findWrongKinds is set (a report will show them).
Conversion Convert(ScriptFile save, const ReferenceData& data, ProvinceAssigner* assigner,
                   StatusLog& log, bool findWrongKinds = false);
