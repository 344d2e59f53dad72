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

RunOutcome ConvertChosenFile(const ReferenceData& data, RunPlatform& platform,
                             const ChosenFile& source) {
  StatusLog& log = platform.Log();
  platform.SetBusy(true);
  log.Clear();
  Stopwatch watch;
  ScriptFile save;
  if (save.Load(source.path, source.title, log) == ScriptFile::LoadResult::kUnreadable) {
    platform.ShowMessage(kUnreadableSaveMessage);
    return RunOutcome::kFailed;
  }
  const double loadSeconds = watch.Lap();
  const Conversion conversion = Convert(std::move(save), data, platform.Assigner(), log, platform.Reports());
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
  log.AddLine("Saving " + target->title + "...");
  watch.Lap();
  if (!conversion.scenario.Save(target->path, kGeneratorText, log)) return RunOutcome::kFailed;
  log.AddLine("File saved successfully!");
  platform.Saved({source, conversion, loadSeconds, convertSeconds, watch.Lap()});
  return RunOutcome::kSaved;
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
  platform.SetBusy(false);
  return outcome;
}
