#include "refdata/reference_data.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "refdata/data_folder.h"
#include "refdata/finding_list.h"

namespace {

constexpr ReferencePart kParts[] = {ReferencePart::kProvinces, ReferencePart::kCountries,
                                    ReferencePart::kBases, ReferencePart::kData};

std::string_view FileName(ReferencePart part) {
  switch (part) {
    case ReferencePart::kProvinces: return "Provinces.txt";
    case ReferencePart::kCountries: return "Countries.txt";
    case ReferencePart::kBases: return "Bases.txt";
    case ReferencePart::kData: break;
  }
  return "Data.txt";
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

DataFinding UnreadableFile(const std::string& path) { return {true, path, 0, "the file cannot be read"}; }

std::optional<std::string> FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

std::optional<ReferencePart> ReferenceData::Load(StatusLog& log, const std::string& dataFolder) {
  folder_ = dataFolder;
  loaded_.clear();
  missing_.clear();
  for (ReferencePart part : kParts)
    if (std::optional<ReferencePart> failed = LoadPart(part, log)) return failed;
  return std::nullopt;
}

std::vector<ReferencePart> ReferenceData::LoadEach(StatusLog& log, const std::string& dataFolder) {
  folder_ = dataFolder;
  loaded_.clear();
  missing_.clear();
  std::vector<ReferencePart> failed;
  for (ReferencePart part : kParts)
    if (LoadPart(part, log)) failed.push_back(part);
  return failed;
}

bool ReferenceData::LoadTable(StatusLog& log, const std::string& dataFolder) {
  folder_ = dataFolder;
  loaded_.clear();
  missing_.clear();
  return !LoadPart(ReferencePart::kProvinces, log);
}

bool ReferenceData::Loaded(ReferencePart part) const {
  return std::find(loaded_.begin(), loaded_.end(), part) != loaded_.end();
}

std::string ReferenceData::PathOf(ReferencePart part) const { return DataFilePath(folder_, FileName(part)); }

std::optional<ReferencePart> ReferenceData::PartOf(const std::string& path) const {
  for (ReferencePart part : kParts)
    if (PathOf(part) == path) return part;
  return std::nullopt;
}

bool ReferenceData::Missing(ReferencePart part) const {
  return std::find(missing_.begin(), missing_.end(), part) != missing_.end();
}

std::optional<ReferencePart> ReferenceData::LoadPart(ReferencePart part, StatusLog& log) {
  const std::string path = PathOf(part);
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  if (part == ReferencePart::kProvinces) return LoadTablePart(path, exists, log);
  ScriptFile& file = part == ReferencePart::kCountries ? countriesFile
                     : part == ReferencePart::kBases   ? basesFile
                                                       : dataFile;
  const std::string shown = "Data\\" + std::string(FileName(part));
  if (!exists) missing_.push_back(part);
  if (exists && !IsRegularFile(path)) {  // a pipe or a device would never end, or never start
    log.AddLine("Loading " + shown + "...");
    log.AddLine(FindingLine(UnreadableFile(path)));
    return part;
  }
  file.KeepLines();
  if (file.Load(path, shown, log) == ScriptFile::LoadResult::kUnreadable) return part;
  loaded_.push_back(part);
  return std::nullopt;
}

std::optional<ReferencePart> ReferenceData::LoadTablePart(const std::string& path, bool exists, StatusLog& log) {
  log.AddLine("Loading Provinces.txt...");
  provincesFromFile = exists;
  provinces.Clear();
  provinceFindings.clear();
  if (!provincesFromFile) {
    provinces.Build();
  } else if (const std::optional<std::string> text = IsRegularFile(path) ? FileText(path) : std::nullopt) {
    provinceFindings = provinces.Read(*text, path);
    if (provinceFindings.empty() && provinces.Count() == 0) provinceFindings = {{true, path, 0, "the table has no rows"}};
  } else {
    provinceFindings = {UnreadableFile(path)};
  }
  FindingList errors(FindingList::Kinds::kErrorsOnly);
  errors.Add(provinceFindings);
  for (const DataFinding& finding : errors.Findings()) log.AddLine(FindingLine(finding));
  if (errors.HasErrors()) return ReferencePart::kProvinces;
  log.AddLine(std::to_string(provinces.Count()) + " provinces loaded.");
  log.AddLine("");
  loaded_.push_back(ReferencePart::kProvinces);
  return std::nullopt;
}

void ReferenceData::Release() {
  provinces.Clear();
  countriesFile.FreeTree();
  basesFile.FreeTree();
}
