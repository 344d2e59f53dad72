// One Convert command from start to end, independent of the window system:
// ask for the save, read it, prepare its conversion, let the front end place
// the provinces left without an owner, finish the conversion, ask where to
// write the scenario and write it, reporting each step in the status log and
// each failure in a message box. The clean-up always runs, so the program is ready for the next
// command whatever happened.
//
// The scenario and whatever else the front end writes (its reports) are the
// run's outputs: files that take their destinations' places together at the
// end, the scenario last (see RunOutputs). A front end that knows its
// outputs up front opens them before the run, so that an output that cannot be
// written stops the run before any work; the scenario's file is otherwise
// opened once chosen. A scenario that is the save itself is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/scenario_converter.h"
#include "refdata/reference_data.h"
#include "app/core/run_outputs.h"

class ProvinceAssigner;

// A file the user chose: its full path and its title (the name without folders).
struct ChosenFile {
  std::string path;
  std::string title;
};

// A run whose scenario was written into its file (not yet in place): what it
// read, did and how long each step took.
struct SavedRun {
  const ChosenFile& save;
  const Conversion& conversion;
  double loadSeconds;
  double convertSeconds;
  double saveSeconds;
};

// What a run needs of the front end it runs in.
class RunPlatform {
 public:
  virtual ~RunPlatform() = default;
  virtual std::optional<ChosenFile> AskFileToOpen() = 0;
  virtual std::optional<ChosenFile> AskFileToSave() = 0;
  // Reads the chosen save into save (the loading line is shown already); false,
  // after saying why in the log, when it cannot be read.
  virtual bool ReadSave(const std::string& path, ScriptFile& save) = 0;
  // A message box with the program's title and an OK button; returns when closed.
  virtual void ShowMessage(std::string_view text) = 0;
  // The wait cursor while busy.
  virtual void SetBusy(bool busy) = 0;
  virtual StatusLog& Log() = 0;
  // Who places target provinces left without an owner.
  virtual ProvinceAssigner& Assigner() = 0;
  // Whether Written will report the run, for which the conversion notes more.
  virtual bool Reports() const { return false; }
  // The outputs of the run: the files opened up front, and the scenario's.
  virtual RunOutputs& Outputs() = 0;
  // Why the scenario may not be written to target, given the save it was read
  // from (the save itself, under any of its names); nothing when it may.
  virtual std::optional<std::string> ScenarioRefusal(const ChosenFile& target, const ChosenFile& save) = 0;
  // Told once the scenario is written into its file, before the outputs take
  // their places: writes the front end's other outputs. False, after saying
  // why, when one could not be written.
  virtual bool Written(const SavedRun&) { return true; }
};

enum class RunOutcome {
  kCancelled,  // no file chosen
  kSaved,
  kFailed,       // any failure, or a cancelled save: no output replaced
  kPartlySaved,  // some outputs replaced, others not (a status line names them)
};

RunOutcome RunConversion(const ReferenceData& data, RunPlatform& platform);

// The report of a saved run that asked for one, with the program, the save and
// the times filled in (the front end adds the data it names).
RunReport ReportOf(const SavedRun& run);
