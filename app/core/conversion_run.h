// One Convert command from start to end, independent of the window system:
// ask for the save, load it, convert it, ask where to write the scenario and
// write it, reporting each step in the status log and each failure in a
// message box. The clean-up always runs, so the program is ready for the next
// command whatever happened.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "convert/scenario_converter.h"
#include "refdata/reference_data.h"

class ProvinceAssigner;

// A file the user chose: its full path and its title (the name without folders).
struct ChosenFile {
  std::string path;
  std::string title;
};

// A run whose scenario was saved: what it read, did and how long each step took.
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
  // A message box with the program's title and an OK button; returns when closed.
  virtual void ShowMessage(std::string_view text) = 0;
  // The wait cursor while busy.
  virtual void SetBusy(bool busy) = 0;
  virtual StatusLog& Log() = 0;
  // Who places target provinces left without an owner.
  virtual ProvinceAssigner* Assigner() = 0;
  // Whether Saved will report the run, for which the conversion notes more.
  virtual bool Reports() const { return false; }
  // Told once the scenario has been saved, before the run ends.
  virtual void Saved(const SavedRun&) {}
};

enum class RunOutcome {
  kCancelled,  // no file chosen
  kSaved,
  kFailed,  // any failure, or a cancelled save
};

RunOutcome RunConversion(const ReferenceData& data, RunPlatform& platform);
