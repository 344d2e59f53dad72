#include "app/core/conversion_run.h"

#include <chrono>
#include <exception>
#include <utility>

#include "app/core/program_info.h"
#include "app/core/run_messages.h"

namespace {

// Seconds since the last lap (or since it was made).
class Stopwatch {
 public:
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    return seconds;
  }

 private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// Writes the scenario into its file; false after saying why.
bool SaveScenario(RunPlatform& platform, const ScriptFile& scenario, const ChosenFile& target) {
  std::string error;
  OutputSink* file = platform.Outputs().Open(target.path, platform.Log(), &error);
  if (!file) {
    platform.Log().AddLine(error);
    return false;
  }
  scenario.Write(*file, kGeneratorText);
  return true;
}

// Lets the front end write its other outputs, then puts them all in place.
RunOutcome Commit(RunPlatform& platform, const SavedRun& run) {
  StatusLog& log = platform.Log();
  if (!platform.Written(run) || !platform.Outputs().Finish(log)) return RunOutcome::kFailed;
  switch (platform.Outputs().Replace(log)) {
    case RunOutputs::Replaced::kAll:
      log.AddLine("File saved successfully!");
      return RunOutcome::kSaved;
    case RunOutputs::Replaced::kSome:
      return RunOutcome::kPartlySaved;
    case RunOutputs::Replaced::kNone:
      break;
  }
  return RunOutcome::kFailed;
}

RunOutcome ConvertChosenFile(const ReferenceData& data, RunPlatform& platform,
                             const ChosenFile& source) {
  StatusLog& log = platform.Log();
  platform.SetBusy(true);
  log.Clear();
  Stopwatch watch;
  log.AddLine(ScriptFile::LoadingLine(source.title));
  ScriptFile save;
  if (!platform.ReadSave(source.path, save)) {
    platform.ShowMessage(kUnreadableSaveMessage);
    return RunOutcome::kFailed;
  }
  const double loadSeconds = watch.Lap();
  PreparedConversion prepared = Prepare(std::move(save), data, log, platform.Reports());
  const Conversion conversion =
      prepared.pending ? Finish(*prepared.pending, platform.Assigner()) : Conversion{prepared.result, {}, {}};
  prepared.pending.reset();
  const double convertSeconds = watch.Lap();
  if (conversion.result != ConversionResult::kConverted) {
    if (conversion.result != ConversionResult::kNotASave) log.AddLine("Error! Conversion aborted...");
    platform.ShowMessage(ConversionFailureMessage(conversion.result));
    return RunOutcome::kFailed;
  }
  log.AddLine("File converted!");
  log.AddLine("");

  std::optional<ChosenFile> target = platform.AskFileToSave();
  if (!target) {
    log.AddLine("Save aborted...");
    return RunOutcome::kFailed;
  }
  if (const std::optional<std::string> refusal = platform.ScenarioRefusal(*target, source)) {
    platform.ShowMessage(*refusal);
    return RunOutcome::kFailed;
  }
  log.AddLine("Saving " + target->title + "...");
  watch.Lap();
  return SaveScenario(platform, conversion.scenario, *target) ? Commit(platform, {source, conversion, loadSeconds, convertSeconds, watch.Lap()}) : RunOutcome::kFailed;
}

}  // namespace

RunOutcome RunConversion(const ReferenceData& data, RunPlatform& platform) {
  RunOutcome outcome = RunOutcome::kFailed;
  try {
    std::optional<ChosenFile> source = platform.AskFileToOpen();
    outcome = source ? ConvertChosenFile(data, platform, *source) : RunOutcome::kCancelled;
  } catch (...) {
    platform.ShowMessage(kExceptionMessage);
    outcome = RunOutcome::kFailed;
  }
  platform.Outputs().Discard();
  platform.SetBusy(false);
  return outcome;
}

RunReport ReportOf(const SavedRun& run) {
  RunReport report = run.conversion.report;
  report.program = std::string("quillmere ") + kVersion;
  report.save = run.save.path;
  report.loadSeconds = run.loadSeconds;
  report.convertSeconds = run.convertSeconds;
  report.saveSeconds = run.saveSeconds;
  return report;
}
