#include "refdata/reference_data.h"

#include "refdata/country_rows.h"
#include "refdata/data_folder.h"

int ReferenceData::Load(StatusLog& log, const std::string& dataFolder) {
  if (!provinces.Build("Provinces.txt", log)) return 0;
  struct Step {
    ScriptFile* file;
    const char* name;
  };
  const Step steps[] = {{&countriesFile, "Countries.txt"},
                        {&basesFile, "Bases.txt"},
                        {&dataFile, "Data.txt"}};
  for (int i = 0; i < 3; ++i) {
    const std::string shown = std::string("Data\\") + steps[i].name;
    if (!steps[i].file->Load(DataFilePath(dataFolder, steps[i].name), shown, log)) return i + 1;
    if (steps[i].file == &countriesFile) ReportRefusedRows(countriesFile.root, shown, log);
  }
  return kLoaded;
}

std::string ReferenceData::FailureMessage(int step) const {
  return "Error! Failed to locate " + missingFileMessages.at(static_cast<size_t>(step));
}

std::string ReferenceData::ConversionFailureMessage(int resultCode) const {
  if (resultCode == 1 || resultCode == 2) return missingSectionMessages[static_cast<size_t>(resultCode)];
  return "There were errors when converting this file!";
}

void ReferenceData::Release() {
  provinces.Clear();
  countriesFile.FreeTree();
  basesFile.FreeTree();
}
