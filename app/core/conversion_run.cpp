#include "app/core/conversion_run.h"

#include <exception>
#include <utility>

#include "app/core/program_info.h"
#include "app/core/run_messages.h"
#include "convert/scenario_converter.h"

namespace {

RunOutcome ConvertChosenFile(const ReferenceData& data, RunPlatform& platform,
                             const ChosenFile& source) {
  StatusLog& log = platform.Log();
  platform.SetBusy(true);
  log.Clear();
  ScriptFile save;
  if (save.Load(source.path, source.title, log) == ScriptFile::LoadResult::kUnreadable) {
    platform.ShowMessage(kUnreadableSaveMessage);
    return RunOutcome::kFailed;
  }
  const Conversion conversion = Convert(std::move(save), data, platform.Assigner(), log);
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
  if (!conversion.scenario.Save(target->path, kGeneratorText, log)) return RunOutcome::kFailed;
  log.AddLine("File saved successfully!");
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
