#include "refdata/finding_list.h"

#include <algorithm>
#include <utility>

void FindingList::Add(DataFinding finding) {
  const bool errorsOnly = kinds_ == Kinds::kErrorsOnly;
  FileCount& count = files_[finding.file];
  if (finding.StandsForOmitted()) {
    count.omittedErrors += finding.omittedErrors;
    if (!errorsOnly) count.omittedWarnings += finding.omittedWarnings;
  } else if (errorsOnly && !finding.error) {
    return;
  } else if (count.kept < kKeptPerFile) {
    ++count.kept;
    kept_.push_back(std::move(finding));
  } else {
    ++(finding.error ? count.omittedErrors : count.omittedWarnings);
  }
}

void FindingList::Add(const std::vector<DataFinding>& findings) {
  for (const DataFinding& finding : findings) Add(finding);
}

void FindingList::AddOmittedErrors(const std::string& file, uint64_t count) {
  if (count > 0) Add(DataFinding{true, file, 0, {}, count, 0});
}

bool FindingList::HasErrors() const {
  return std::any_of(kept_.begin(), kept_.end(), [](const DataFinding& f) { return f.error; }) ||
         std::any_of(files_.begin(), files_.end(), [](const auto& file) { return file.second.omittedErrors > 0; });
}

std::vector<DataFinding> FindingList::Findings() const {
  std::map<std::string, size_t> lastKept;
  for (size_t i = 0; i < kept_.size(); ++i) lastKept[kept_[i].file] = i;
  const auto omitted = [this](const std::string& file) {
    const FileCount& count = files_.at(file);
    return DataFinding{count.omittedErrors > 0, file, 0, {}, count.omittedErrors, count.omittedWarnings};
  };
  std::vector<DataFinding> findings;
  for (size_t i = 0; i < kept_.size(); ++i) {
    findings.push_back(kept_[i]);
    if (lastKept[kept_[i].file] == i && omitted(kept_[i].file).StandsForOmitted())
      findings.push_back(omitted(kept_[i].file));
  }
  for (const auto& [file, count] : files_)
    if (!lastKept.count(file) && omitted(file).StandsForOmitted()) findings.push_back(omitted(file));
  return findings;
}
