// The findings of the data checks as they are kept: at most kKeptPerFile of
// each file, in the order they were found. The others are only counted, so
// that a file of garbage costs no more than a sound one; the list then closes
// each file's findings with one that stands for them ("... and N more").
//
// A list of errors only passes warnings over, also in those counts (start-up
// shows errors only).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "refdata/data_finding.h"

class FindingList {
 public:
  static constexpr size_t kKeptPerFile = 100;

  enum class Kinds { kAll, kErrorsOnly };
  explicit FindingList(Kinds kinds = Kinds::kAll) : kinds_(kinds) {}

  // Keeps or counts a finding; one standing for omitted findings adds its counts.
  void Add(DataFinding finding);
  void Add(const std::vector<DataFinding>& findings);
  // Adds a finding of a file for each of count errors not kept elsewhere.
  void AddOmittedErrors(const std::string& file, uint64_t count);
  bool HasErrors() const;
  // The kept findings, each file's followed by the one for its omitted findings.
  std::vector<DataFinding> Findings() const;

 private:
  struct FileCount {
    size_t kept = 0;
    uint64_t omittedErrors = 0;
    uint64_t omittedWarnings = 0;
  };

  Kinds kinds_;
  std::vector<DataFinding> kept_;
  std::map<std::string, FileCount> files_;
};
