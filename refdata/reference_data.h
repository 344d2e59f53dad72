// The reference data of the conversion, made ready once at start-up: the
// province table, the three files of the Data folder and the target game's
// province names, read from the bytes a front end gives (reference_buffers.h).
// The tables stay loaded and unchanged for the life of the program; what every
// conversion reads of Countries.txt and Data.txt is read from the trees once,
// into tables.
//
// Load runs the four steps in order and stops at the first that fails,
// returning which it was, or nothing when all are loaded. Step 0 reads
// Provinces.txt when there is one, otherwise it builds the table compiled
// into the program; a table file with errors fails it, after one status line
// per error (as a FindingList of errors keeps them; warnings are left to the
// data checks). A file that could not be read, or is not a regular file (a
// pipe, a device), fails its step. The status lines name the files as
// "Data\Countries.txt" and so on; findings name them as their buffers do. The
// trees keep the lines their nodes were read on, for the data checks.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "refdata/conversion_tables.h"
#include "refdata/data_finding.h"
#include "refdata/province_map.h"
#include "refdata/province_names.h"
#include "refdata/reference_buffers.h"
#include "script/script_file.h"

// The parts of the reference data, in the order they are loaded.
enum class ReferencePart { kProvinces, kCountries, kBases, kData };

class ReferenceData {
 public:
  // The part that could not be loaded, or nothing.
  std::optional<ReferencePart> Load(StatusLog& log, const ReferenceBuffers& buffers);
  // Loads every part, also past one that fails; the parts that failed.
  std::vector<ReferencePart> LoadEach(StatusLog& log, const ReferenceBuffers& buffers);
  // Loads the province table alone (step 0); false when it fails.
  bool LoadTable(StatusLog& log, const ReferenceBuffer& table);
  // Whether the last load of the part succeeded.
  bool Loaded(ReferencePart part) const;
  // Whether the last load found no file for the part (never for the table,
  // which is then built in).
  bool Missing(ReferencePart part) const;
  // Empties the tables that conversions read, when the program closes.
  void Release();

  // The name of a part's file as its buffer gave it, and back.
  std::string PathOf(ReferencePart part) const;
  std::optional<ReferencePart> PartOf(const std::string& path) const;

  ProvinceMap provinces;
  ScriptFile countriesFile;
  ScriptFile basesFile;
  ScriptFile dataFile;
  ConversionTables tables;
  ProvinceNames provinceNames;
  // Whether the table came from Provinces.txt, and the problems found in it.
  bool provincesFromFile = false;
  std::vector<DataFinding> provinceFindings;

 private:
  void Begin(const ReferenceBuffers& buffers);
  std::optional<ReferencePart> LoadPart(ReferencePart part, const ReferenceBuffers& buffers, StatusLog& log);
  std::optional<ReferencePart> LoadFilePart(ReferencePart part, const ReferenceBuffer& buffer,
                                            StatusLog& log);
  std::optional<ReferencePart> LoadTablePart(const ReferenceBuffer& table, StatusLog& log);

  std::array<std::string, 4> names_;
  std::vector<ReferencePart> loaded_;
  std::vector<ReferencePart> missing_;
};
