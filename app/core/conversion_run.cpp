#include "app/core/conversion_run.h"

#include <exception>

#include "app/core/program_info.h"
#include "app/core/run_messages.h"
#include "convert/scenario_converter.h"

namespace {

RunOutcome ConvertChosenFile(const ReferenceData& data, RunPlatform& platform,
                             ScenarioConverter& converter, const ChosenFile& source) {
  StatusLog& log = platform.Log();
  platform.SetBusy(true);
  log.Clear();
  if (!converter.Load(source.path, source.title, log)) {
    platform.ShowMessage("Could not load the Saltmarch savegame file!");
    return RunOutcome::kFailed;
  }
  converter.assigner = platform.Assigner();
  const ConversionResult result = converter.Convert(data.provinces, data.countriesFile,
                                                     data.basesFile, data.dataFile, log);
  if (result != ConversionResult::kConverted) {
    if (result != ConversionResult::kNotASave) log.AddLine("Error! Conversion aborted...");
    platform.ShowMessage(ConversionFailureMessage(result));
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
  if (!converter.Save(target->path, kGeneratorText, log)) return RunOutcome::kFailed;
  log.AddLine("File saved successfully!");
  return RunOutcome::kSaved;
}

}  // namespace

RunOutcome RunConversion(const ReferenceData& data, RunPlatform& platform) {
  ScenarioConverter converter;
  RunOutcome outcome = RunOutcome::kFailed;
  try {
    std::optional<ChosenFile> source = platform.AskFileToOpen();
    outcome = source ? ConvertChosenFile(data, platform, converter, *source) : RunOutcome::kCancelled;
  } catch (...) {
    platform.ShowMessage("Error (Exception thrown) while converting file!");
    outcome = RunOutcome::kFailed;
  }
  platform.SetBusy(false);
  converter.FreeTree();
  return outcome;
}
