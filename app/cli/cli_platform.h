// The conversion run on the command line: the two files are given up front,
// status lines go to standard output (standard error when a report goes
// there) and message boxes to standard error. The reports asked for are
// outputs of the run like the scenario: their files are opened before any
// work, written once the scenario is, and put in place before it; a report
// for "-" goes to standard output at that point.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/cli/console_log.h"
#include "app/core/conversion_run.h"
#include "app/files/output_collision.h"
#include "app/files/replacing_files.h"
#include "app/files/script_file_io.h"

// The reports of --report (Markdown) and --report-json, with the data they describe.
struct ReportRequest {
  std::string markdownPath;  // empty: none; "-": standard output
  std::string jsonPath;
  const ReferenceData* data = nullptr;
  std::string dataFolder;

  bool ToStandardOutput() const { return markdownPath == "-" || jsonPath == "-"; }
};

class CliPlatform : public RunPlatform {
 public:
  CliPlatform(std::string savePath, std::string scenarioPath, ReportRequest reports)
      : savePath_(std::move(savePath)),
        scenarioPath_(std::move(scenarioPath)),
        log_(reports.ToStandardOutput() ? stderr : stdout),
        reports_(std::move(reports)) {}

  // Opens the files of the reports, then of the scenario; false after saying
  // on standard error why one cannot be written.
  bool OpenOutputs();

  std::optional<ChosenFile> AskFileToOpen() override { return Chosen(savePath_); }
  std::optional<ChosenFile> AskFileToSave() override { return Chosen(scenarioPath_); }
  bool ReadSave(const std::string& path, ScriptFile& save) override {
    return ReadScriptFile(save, path, log_) != ScriptFile::LoadResult::kUnreadable;
  }
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  void SetBusy(bool) override {}
  StatusLog& Log() override { return log_; }
  ProvinceAssigner& Assigner() override { return *assigner_; }
  void SetAssigner(ProvinceAssigner& assigner) { assigner_ = &assigner; }
  bool Reports() const override { return !reports_.markdownPath.empty() || !reports_.jsonPath.empty(); }
  ReplacingFiles& Outputs() override { return outputs_; }
  std::optional<std::string> ScenarioRefusal(const ChosenFile& target, const ChosenFile& save) override {
    return ScenarioCollision(target.path, save.path);
  }
  bool Written(const SavedRun& run) override;

 private:
  static ChosenFile Chosen(const std::string& path) {
    return {path, std::filesystem::path(path).filename().string()};
  }
  // Opens the file of an output given (none for "" or "-"); false after saying why it cannot be.
  bool OpenOutput(const std::string& path, ReplacingFile** file);
  // Writes a report into its file, or without one to standard output; false
  // after saying why standard output took it not.
  static bool WriteReport(ReplacingFile* file, const std::string& text);

  std::string savePath_;
  std::string scenarioPath_;
  ConsoleLog log_;
  ReportRequest reports_;
  ReplacingFiles outputs_;
  ReplacingFile* markdownFile_ = nullptr;
  ReplacingFile* jsonFile_ = nullptr;
  ProvinceAssigner* assigner_ = nullptr;
};

// Writes out what standard output holds; false after saying on standard error
// that "what" could not be written there (a full disk, a closed pipe).
bool FlushStandardOutput(std::string_view what);
