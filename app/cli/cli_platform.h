// The conversion run on the command line: the two files are given up front,
// status lines go to standard output (standard error when a report goes
// there) and message boxes to standard error. Once the scenario is saved, the
// reports asked for are written: each to its file, replaced safely, or to
// standard output for "-".
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/cli/console_log.h"
#include "app/core/conversion_run.h"

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

  std::optional<ChosenFile> AskFileToOpen() override { return Chosen(savePath_); }
  std::optional<ChosenFile> AskFileToSave() override { return Chosen(scenarioPath_); }
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  void SetBusy(bool) override {}
  StatusLog& Log() override { return log_; }
  ProvinceAssigner* Assigner() override { return assigner_; }
  void SetAssigner(ProvinceAssigner* assigner) { assigner_ = assigner; }
  bool Reports() const override { return !reports_.markdownPath.empty() || !reports_.jsonPath.empty(); }
  void Saved(const SavedRun& run) override;
  // Whether every report asked for was written.
  bool reportsWritten() const { return reportsWritten_; }

 private:
  static ChosenFile Chosen(const std::string& path) {
    return {path, std::filesystem::path(path).filename().string()};
  }

  std::string savePath_;
  std::string scenarioPath_;
  ConsoleLog log_;
  ReportRequest reports_;
  bool reportsWritten_ = true;
  ProvinceAssigner* assigner_ = nullptr;
};
