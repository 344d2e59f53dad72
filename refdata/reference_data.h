// The reference data of the conversion, made ready once at start-up: the
// built-in province table and the three files of the Data folder. The trees
// stay loaded and unchanged for the life of the program; every conversion
// reads them again.
//
// Load runs the four steps in order and stops at the first that fails,
// returning which it was, or nothing when all are loaded. The status lines
// always name the files as "Data\Countries.txt" and so on; the files are
// opened in dataFolder.
#pragma once

#include <optional>
#include <string>

#include "refdata/province_map.h"
#include "script/script_file.h"

// The parts of the reference data, in the order they are loaded.
enum class ReferencePart { kProvinces, kCountries, kBases, kData };

class ReferenceData {
 public:
  // The part that could not be loaded, or nothing.
  std::optional<ReferencePart> Load(StatusLog& log, const std::string& dataFolder);
  // Empties the tables that conversions read, when the program closes.
  void Release();

  ProvinceMap provinces;
  ScriptFile countriesFile;
  ScriptFile basesFile;
  ScriptFile dataFile;
};
