// The reference data of the conversion, made ready once at start-up: the
// province table and the three files of the Data folder. The tables stay
// loaded and unchanged for the life of the program; every conversion reads
// them again.
//
// Load runs the four steps in order and stops at the first that fails,
// returning which it was, or nothing when all are loaded. Step 0 reads
// Provinces.txt when the folder has one, otherwise it builds the table
// compiled into the program; a table file with errors fails it, after one
// status line per error (as a FindingList of errors keeps them; warnings are
// left to the data checks). A file that is there but is not a regular file
// (a pipe, a device) is refused unread. The status lines name the files as
// "Data\Countries.txt" and so on; the files are opened in dataFolder. The
// trees keep the lines their nodes were read on, for the data checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "refdata/data_finding.h"
#include "refdata/province_map.h"
#include "script/script_file.h"

// The parts of the reference data, in the order they are loaded.
enum class ReferencePart { kProvinces, kCountries, kBases, kData };

class ReferenceData {
 public:
  // The part that could not be loaded, or nothing.
  std::optional<ReferencePart> Load(StatusLog& log, const std::string& dataFolder);
  // Loads every part, also past one that fails; the parts that failed.
  std::vector<ReferencePart> LoadEach(StatusLog& log, const std::string& dataFolder);
  // Loads the province table alone (step 0); false when it fails.
  bool LoadTable(StatusLog& log, const std::string& dataFolder);
  // Whether the last load of the part succeeded.
  bool Loaded(ReferencePart part) const;
  // Whether the last load found no file for the part (never for the table,
  // which is then built in).
  bool Missing(ReferencePart part) const;
  // Empties the tables that conversions read, when the program closes.
  void Release();

  // The path of a part's file in the folder last loaded from, and back.
  std::string PathOf(ReferencePart part) const;
  std::optional<ReferencePart> PartOf(const std::string& path) const;

  ProvinceMap provinces;
  ScriptFile countriesFile;
  ScriptFile basesFile;
  ScriptFile dataFile;
  // Whether the table came from Provinces.txt, and the problems found in it.
  bool provincesFromFile = false;
  std::vector<DataFinding> provinceFindings;

 private:
  std::optional<ReferencePart> LoadPart(ReferencePart part, StatusLog& log);
  std::optional<ReferencePart> LoadTablePart(const std::string& path, bool exists, StatusLog& log);

  std::string folder_;
  std::vector<ReferencePart> loaded_;
  std::vector<ReferencePart> missing_;
};
