#include "refdata/reference_data.h"

#include "refdata/country_rows.h"
#include "refdata/data_folder.h"

std::optional<ReferencePart> ReferenceData::Load(StatusLog& log, const std::string& dataFolder) {
  if (!provinces.Build("Provinces.txt", log)) return ReferencePart::kProvinces;
  struct Step {
    ReferencePart part;
    ScriptFile* file;
    const char* name;
  };
  const Step steps[] = {{ReferencePart::kCountries, &countriesFile, "Countries.txt"},
                        {ReferencePart::kBases, &basesFile, "Bases.txt"},
                        {ReferencePart::kData, &dataFile, "Data.txt"}};
  for (const Step& step : steps) {
    const std::string shown = std::string("Data\\") + step.name;
    if (step.file->Load(DataFilePath(dataFolder, step.name), shown, log) ==
        ScriptFile::LoadResult::kUnreadable)
      return step.part;
    if (step.file == &countriesFile) ReportRefusedRows(countriesFile.root(), shown, log);
  }
  return std::nullopt;
}

void ReferenceData::Release() {
  provinces.Clear();
  countriesFile.FreeTree();
  basesFile.FreeTree();
}
