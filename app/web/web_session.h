// One conversion on the page, in the two steps between which the page waits
// for the player: Start loads the reference data, reads the save and prepares
// its conversion; when provinces are left without an owner it stops there,
// and Finish takes their placement. The status lines are the command line's
// (`quillmere convert SAVE SAVE --data Data --report ... --report-json ...`):
// the data's lines, "Global data loaded!", the save's, the conversion's, and
// the scenario "saved" under the save's name into memory, where the page
// offers it with the two reports. Nothing of one conversion is kept for the
// next but the province names.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/core/conversion_run.h"
#include "assign/province_placement.h"
#include "convert/scenario_converter.h"
#include "refdata/province_names.h"
#include "refdata/reference_buffers.h"
#include "refdata/reference_data.h"
#include "script/status_log.h"

class WebSession {
 public:
  enum class Stage { kFailed, kPlacing, kDone };

  // dataFolder names the data in the reports.
  Stage Start(const ReferenceBuffers& buffers, const std::string& dataFolder, const ChosenFile& save,
              std::string_view bytes, StatusLog& log);
  // The placement of the missing provinces of a conversion that waits for it.
  Stage Finish(const ProvincePlacement& placement, StatusLog& log);

  // The target game's province names, for the labels; none: bare ids.
  void SetNames(std::optional<std::string_view> bytes);
  const ProvinceNames& names() const { return names_; }

  // What a waiting conversion asks to place.
  const MissingProvinces& missing() const;
  // What the last step leaves for the page: why it failed, or the results of
  // a conversion that is done; empty otherwise.
  struct Results {
    std::string message;
    std::string scenario;
    std::string markdownReport;
    std::string jsonReport;
  };
  // Hands them over; the session holds none afterwards.
  Results TakeResults() { return std::exchange(results_, {}); }

 private:
  // Runs a step, turning what it throws into the failure the command line shows.
  template <typename Step>
  Stage Guarded(Step step);
  Stage Failed(std::string message);
  Stage Prepared(PreparedConversion prepared, StatusLog& log);
  Stage Finished(Conversion conversion, StatusLog& log);

  std::unique_ptr<ReferenceData> data_;
  std::unique_ptr<PendingConversion> pending_;
  std::string dataFolder_;
  ChosenFile save_;
  double loadSeconds_ = 0;
  double convertSeconds_ = 0;
  ProvinceNames names_;
  Results results_;
};
