// The conversion of a source save into the tree of a target scenario, in two
// calls that nothing between them waits for.
//
// Prepare reads the save from its bytes, checks that it is a source save game
// (a top-level "header" holding "pop") and runs the steps of the conversion up
// to the provinces that no country received; the PendingConversion it returns
// owns everything the rest needs, and lists those provinces with the countries
// they may go to. Finish takes their placement and runs the remaining steps.
// Each step lives in the file named after its concern; conversion_state.h
// lists what they hand on to one another. Dropping a PendingConversion
// abandons the conversion. Neither call touches a file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "assign/province_placement.h"
#include "convert/conversion_report.h"
#include "convert/conversion_result.h"
#include "convert/run_report.h"
#include "convert/conversion_state.h"
#include "refdata/reference_data.h"
#include "script/script_file.h"

struct Conversion {
  ConversionResult result;
  ScriptFile scenario;  // empty unless converted
  RunReport report;     // only when converted and asked for
};

class PendingConversion;

// A failure, or the conversion waiting for its placement.
struct PreparedConversion {
  ConversionResult result;
  std::unique_ptr<PendingConversion> pending;  // only when result is kConverted
};

// The report is made only when asked for (it looks through the save once more
// for values of the wrong kind). The reference data must outlive the pending
// conversion.
PreparedConversion Prepare(std::string_view save, const ReferenceData& data, StatusLog& log,
                           bool withReport = false);
// The same with the save already read into a tree.
PreparedConversion Prepare(ScriptFile save, const ReferenceData& data, StatusLog& log, bool withReport = false);

class PendingConversion {
 public:
  PendingConversion(const PendingConversion&) = delete;
  PendingConversion& operator=(const PendingConversion&) = delete;

  // The provinces left without an owner (none in most saves).
  const MissingProvinces& missing() const { return missing_; }
  // Finishes the conversion, once: the placement must give every missing
  // province, as often as it is missing, to an offered country, or the
  // conversion stops (kAssignmentAborted); without missing provinces it is
  // not looked at.
  Conversion Finish(const std::optional<ProvincePlacement>& placement);

 private:
  friend PreparedConversion Prepare(ScriptFile, const ReferenceData&, StatusLog&, bool);
  PendingConversion(ScriptFile save, const ReferenceData& data, bool withReport);

  ScriptFile save_;
  const ReferenceData& data_;
  bool withReport_;
  uint64_t saveBytes_;
  ScriptFile scenario_;
  ConversionReport report_;
  SourceProvinces facts_;
  TargetProvinces targets_;
  CountryProfiles countries_;
  MissingProvinces missing_;
};

// Finishes a conversion with the placement of assigner, asked only when
// provinces are missing.
Conversion Finish(PendingConversion& pending, ProvinceAssigner& assigner);
