// The reference data of the conversion, made ready once at start-up: the
// built-in province table and the three files of the Data folder. The trees
// stay loaded and unchanged for the life of the program; every conversion
// reads them again.
//
// Load runs the four steps in order and stops at the first that fails,
// returning its index (0 the province table, 1 Countries.txt, 2 Bases.txt,
// 3 Data.txt), or -1 when all are loaded. The status lines always name the
// files as "Data\Countries.txt" and so on; the files are opened in dataFolder.
#pragma once

#include <array>
#include <string>

#include "refdata/province_map.h"
#include "script/script_file.h"

class ReferenceData {
 public:
  static constexpr int kLoaded = -1;

  int Load(StatusLog& log, const std::string& dataFolder);
  // "Error! Failed to locate " and the text of the failed step.
  std::string FailureMessage(int step) const;
  // The message of a conversion result: a missing Countries.txt section, or a general error.
  std::string ConversionFailureMessage(int resultCode) const;
  // Empties the tables that conversions read, when the program closes.
  void Release();

  ProvinceMap provinces;
  ScriptFile countriesFile;
  ScriptFile basesFile;
  ScriptFile dataFile;
  const std::array<std::string, 4> missingFileMessages{
      "\"Data\\Provinces.txt\"! Program is aborting...",
      "\"Data\\Countries.txt\"! Program is aborting...",
      "\"Data\\Bases.txt\"! Program is aborting...",
      "\"Data\\Data.txt\"! Program is aborting..."};
  const std::array<std::string, 3> missingSectionMessages{
      "", "Error! Could not find tag_conversion_table section in \"Country.txt\"",
      "Error! Could not find mother_merge_table section in \"Country.txt\""};
};
