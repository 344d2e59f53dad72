#include "refdata/reference_data.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "refdata/data_folder.h"

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
  for (ReferencePart part : kParts)
    if (std::optional<ReferencePart> failed = LoadPart(part, log)) return failed;
  return std::nullopt;
}

std::vector<ReferencePart> ReferenceData::LoadEach(StatusLog& log, const std::string& dataFolder) {
  folder_ = dataFolder;
  loaded_.clear();
  std::vector<ReferencePart> failed;
  for (ReferencePart part : kParts)
    if (LoadPart(part, log)) failed.push_back(part);
  return failed;
}

bool ReferenceData::LoadTable(StatusLog& log, const std::string& dataFolder) {
  folder_ = dataFolder;
  loaded_.clear();
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

std::optional<ReferencePart> ReferenceData::LoadPart(ReferencePart part, StatusLog& log) {
  const std::string path = PathOf(part);
  if (part == ReferencePart::kProvinces) {
    log.AddLine("Loading Provinces.txt...");
    std::error_code ec;
    provincesFromFile = std::filesystem::exists(path, ec);
    provinces.Clear();
    if (!provincesFromFile) {
      provinces.Build();
    } else if (const std::optional<std::string> text =
                   std::filesystem::is_regular_file(path, ec) ? FileText(path) : std::nullopt) {
      provinceFindings = provinces.Read(*text, path);
      if (provinceFindings.empty() && provinces.Count() == 0)
        provinceFindings = {{true, path, 0, "the table has no rows"}};
    } else {
      provinceFindings = {{true, path, 0, "the file cannot be read"}};
    }
    for (const DataFinding& finding : provinceFindings) log.AddLine(FindingLine(finding));
    if (!provinceFindings.empty()) return part;
    log.AddLine(std::to_string(provinces.Count()) + " provinces loaded.");
    log.AddLine("");
    loaded_.push_back(part);
    return std::nullopt;
  }
  ScriptFile& file = part == ReferencePart::kCountries ? countriesFile
                     : part == ReferencePart::kBases   ? basesFile
                                                       : dataFile;
  const std::string shown = "Data\\" + std::string(FileName(part));
  file.KeepLines();
  if (file.Load(path, shown, log) == ScriptFile::LoadResult::kUnreadable) return part;
  loaded_.push_back(part);
  return std::nullopt;
}

void ReferenceData::Release() {
  provinces.Clear();
  countriesFile.FreeTree();
  basesFile.FreeTree();
}
