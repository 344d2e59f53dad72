// The conversion run on the command line: the two files are given up front,
// status lines go to standard output and message boxes to standard error.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/cli/console_log.h"
#include "app/core/conversion_run.h"

class CliPlatform : public RunPlatform {
 public:
  CliPlatform(std::string savePath, std::string scenarioPath)
      : savePath_(std::move(savePath)), scenarioPath_(std::move(scenarioPath)) {}

  std::optional<ChosenFile> AskFileToOpen() override { return Chosen(savePath_); }
  std::optional<ChosenFile> AskFileToSave() override { return Chosen(scenarioPath_); }
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  }
  void SetBusy(bool) override {}
  StatusLog& Log() override { return log_; }
  ProvinceAssigner* Assigner() override { return assigner_; }
  void SetAssigner(ProvinceAssigner* assigner) { assigner_ = assigner; }

 private:
  static ChosenFile Chosen(const std::string& path) {
    return {path, std::filesystem::path(path).filename().string()};
  }

  std::string savePath_;
  std::string scenarioPath_;
  ConsoleLog log_;
  ProvinceAssigner* assigner_ = nullptr;
};
