#include "refdata/reference_data.h"

#include <algorithm>

#include "refdata/finding_list.h"

namespace {

constexpr ReferencePart kParts[] = {ReferencePart::kProvinces, ReferencePart::kCountries,
                                    ReferencePart::kBases, ReferencePart::kData};

size_t IndexOf(ReferencePart part) { return static_cast<size_t>(part); }

const ReferenceBuffer& BufferOf(const ReferenceBuffers& buffers, ReferencePart part) {
  switch (part) {
    case ReferencePart::kProvinces: return buffers.provinces;
    case ReferencePart::kCountries: return buffers.countries;
    case ReferencePart::kBases: return buffers.bases;
    case ReferencePart::kData: break;
  }
  return buffers.data;
}

const char* ShownName(ReferencePart part) {
  switch (part) {
    case ReferencePart::kProvinces: return "Provinces.txt";
    case ReferencePart::kCountries: return "Data\\Countries.txt";
    case ReferencePart::kBases: return "Data\\Bases.txt";
    case ReferencePart::kData: break;
  }
  return "Data\\Data.txt";
}

DataFinding UnreadableFile(const std::string& name) { return {true, name, 0, "the file cannot be read"}; }

}  // namespace

void ReferenceData::Begin(const ReferenceBuffers& buffers) {
  for (ReferencePart part : kParts) names_[IndexOf(part)] = BufferOf(buffers, part).name;
  loaded_.clear();
  missing_.clear();
  tables = ConversionTables();
  provinceNames = buffers.provinceNames ? ProvinceNames::FromBytes(*buffers.provinceNames) : ProvinceNames();
}

std::optional<ReferencePart> ReferenceData::Load(StatusLog& log, const ReferenceBuffers& buffers) {
  Begin(buffers);
  for (ReferencePart part : kParts)
    if (std::optional<ReferencePart> failed = LoadPart(part, buffers, log)) return failed;
  return std::nullopt;
}

std::vector<ReferencePart> ReferenceData::LoadEach(StatusLog& log, const ReferenceBuffers& buffers) {
  Begin(buffers);
  std::vector<ReferencePart> failed;
  for (ReferencePart part : kParts)
    if (LoadPart(part, buffers, log)) failed.push_back(part);
  return failed;
}

bool ReferenceData::LoadTable(StatusLog& log, const ReferenceBuffer& table) {
  ReferenceBuffers names;
  names.provinces.name = table.name;
  Begin(names);
  return !LoadTablePart(table, log);
}

bool ReferenceData::Loaded(ReferencePart part) const {
  return std::find(loaded_.begin(), loaded_.end(), part) != loaded_.end();
}

std::string ReferenceData::PathOf(ReferencePart part) const { return names_[IndexOf(part)]; }

std::optional<ReferencePart> ReferenceData::PartOf(const std::string& path) const {
  for (ReferencePart part : kParts)
    if (PathOf(part) == path) return part;
  return std::nullopt;
}

bool ReferenceData::Missing(ReferencePart part) const {
  return std::find(missing_.begin(), missing_.end(), part) != missing_.end();
}

std::optional<ReferencePart> ReferenceData::LoadPart(ReferencePart part, const ReferenceBuffers& buffers,
                                                     StatusLog& log) {
  const ReferenceBuffer& buffer = BufferOf(buffers, part);
  if (part == ReferencePart::kProvinces) return LoadTablePart(buffer, log);
  if (std::optional<ReferencePart> failed = LoadFilePart(part, buffer, log)) return failed;
  if (part == ReferencePart::kCountries) tables.tags.Read(countriesFile);
  if (part == ReferencePart::kData) tables.settings = LoadSettings(dataFile);
  loaded_.push_back(part);
  return std::nullopt;
}

std::optional<ReferencePart> ReferenceData::LoadFilePart(ReferencePart part, const ReferenceBuffer& buffer,
                                                         StatusLog& log) {
  ScriptFile& file = part == ReferencePart::kCountries ? countriesFile
                     : part == ReferencePart::kBases   ? basesFile
                                                       : dataFile;
  if (buffer.state == ReferenceBuffer::State::kRead) {
    file.KeepLines();
    const ScriptFile::LoadResult result = file.LoadBuffer(buffer.bytes, ShownName(part), log);
    return result == ScriptFile::LoadResult::kUnreadable ? std::optional(part) : std::nullopt;
  }
  log.AddLine("Loading " + std::string(ShownName(part)) + "...");
  if (buffer.state == ReferenceBuffer::State::kUnreadable) {
    log.AddLine(FindingLine(UnreadableFile(buffer.name)));
    return part;
  }
  if (buffer.state == ReferenceBuffer::State::kMissing) missing_.push_back(part);
  file.FreeTree();
  log.AddLine("Could not open " + buffer.name + " for input");  // as the reader says it of a file
  return part;
}

std::optional<ReferencePart> ReferenceData::LoadTablePart(const ReferenceBuffer& table, StatusLog& log) {
  log.AddLine("Loading Provinces.txt...");
  provincesFromFile = table.state != ReferenceBuffer::State::kMissing;
  provinces.Clear();
  provinceFindings.clear();
  if (!provincesFromFile) {
    provinces.Build();
  } else if (table.state == ReferenceBuffer::State::kRead) {
    provinceFindings = provinces.Read(table.bytes, table.name);
    if (provinceFindings.empty() && provinces.Count() == 0)
      provinceFindings = {{true, table.name, 0, "the table has no rows"}};
  } else {
    provinceFindings = {UnreadableFile(table.name)};
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
