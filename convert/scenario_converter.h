// The conversion of one loaded source save into the tree of a target scenario.
//
// A ScenarioConverter is the ScriptFile of one Convert command: the source save
// is loaded into it, Convert turns it into the scenario (root), and the same
// object is saved. Convert checks that the tree is a source save, moves it aside
// as sourceRoot, builds the tables from the reference data, writes the header,
// converts every country with its provinces, economy, forces, politics,
// technology, diplomacy and subjects, writes the provinces, the Bases.txt copy,
// the includes and the alliances, and releases the source tree.
//
// Each conversion concern lives in the source file named after it; this header
// lists the state they share.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "convert/first_position_index.h"
#include "convert/records.h"
#include "script/script_file.h"

class ProvinceMap;
class ProvinceAssigner;

// What Convert reports.
enum class ConversionResult {
  kConverted,
  kNotASave,           // no top-level "header" holding "pop"
  kNoTagTable,         // Countries.txt has no tag_conversion_table
  kNoMergeTable,       // Countries.txt has no mother_merge_table (whatever else it lacks)
  kAssignmentAborted,  // the provinces left without an owner were not all placed
};

class ScenarioConverter : public ScriptFile {
 public:
  ScenarioConverter();
  ~ScenarioConverter() override;

  ConversionResult Convert(const ProvinceMap& provinces, const ScriptFile& countriesFile,
              const ScriptFile& basesFile, const ScriptFile& dataFile, StatusLog& log);

  // Who places target provinces that no country received; none leaves them unowned.
  ProvinceAssigner* assigner = nullptr;

  // Value accessors shared by every step.
  static std::string_view TextValueOf(const ScriptNode* node, std::string_view key);
  static double NumberValueOf(const ScriptNode* node, std::string_view key, double fallback);
  static void SetNumberOf(ScriptNode* node, std::string_view key, double value);
  static bool HasWithin(const ScriptNode* node, std::string_view name);
  static ScriptNode* AddTextValue(ScriptNode* parent, std::string_view key, std::string_view text);
  static ScriptNode* AddNumberValue(ScriptNode* parent, std::string_view key, double value);

  // ---- Driver and header -------------------------------------------------
  void LoadTagTables(const ScriptFile& countriesFile);
  void LoadSettings(const ScriptFile& dataFile);
  void LoadUnitRatios(const ScriptFile& dataFile);
  static double RatioToFactor(double ratio);
  void BuildTagMaps();
  void BuildProvinceRecords(const ProvinceMap& provinces);
  std::string FindPlayerTag();
  void WriteHeader(const std::string& player);
  void FillSelectable(ScriptNode* selectable, ScriptNode* header, const std::string& player);
  void EnsureCountryEntry(ScriptNode* block, const std::string& sourceTag, bool create);
  void WriteEventIncludes();

  // ---- Countries and tags ------------------------------------------------
  void ConvertCountries(const ProvinceMap& provinces);
  void ConvertCountry(const ProvinceMap& provinces, ScriptNode* target, ScriptNode* source,
                      std::string tag, int32_t& nextUnitId);
  void MergeDeferredCountries(const ProvinceMap& provinces,
                              const std::vector<ScriptNode*>& deferredCountries,
                              int32_t& nextUnitId);
  int32_t PortProvince(const ScriptNode* target) const;
  static int32_t UnitIdTypeTable(std::string_view tag);

  // ---- Provinces and ownership -------------------------------------------
  void CollectProvinceData();
  double ConvertCapital(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source);
  void ConvertProvinceLists(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source);
  void ConvertProvinceList(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source,
                           int i);
  void AssignAirBases(ScriptNode* target, double capital, const std::string& tag);
  void SetAirBase(double province, int32_t m, int32_t i, int32_t s);
  // AssignAirBases(target, 0, tag) of a merge. A country's merges follow one
  // another, each repeating most bases of the one before on a longer owned list:
  // only the bases the next merge does not repeat are written, each with the
  // order of the merge that chose it, so that the result is the same.
  void DeferAirBases(ScriptNode* target, const std::string& tag);
  // Writes the bases of every country's last merge.
  void FlushAirBases();
  void ClaimProvinces(const ProvinceMap& provinces);
  void DecideSharedProvinces();
  void WriteSharedProvinces();
  std::string ConvertTag(const std::string& tag);
  // The first provinceInfo record of a source province id; null for none.
  ProvinceInfo* FindProvinceInfo(double province);

  // ---- Missing provinces ---------------------------------------------------
  // False when the assigner gave up; the conversion then stops.
  bool AssignMissingProvinces();

  // ---- Alliances -----------------------------------------------------------
  void ConvertAlliances();
  void WriteAlliance(ScriptNode* globaldata, std::string_view name, const std::string& leader,
                     int32_t number);

  // ---- Economy and industry ----------------------------------------------
  void ConvertResources(ScriptNode* target, const ScriptNode* source, const std::string& tag,
                        bool merging);
  void ConvertConvoys(ScriptNode* target, const ScriptNode* source);
  void ConvertFactories(const ScriptNode* source, int32_t& nextUnitId);
  static double FactoryWeight(std::string_view type, double level);
  void ConvertProvinceBuildings(const ProvinceMap& provinces);
  void MergeIntoProvinceRecord(int32_t id, double industry, double population, double railroad,
                               double capitalMark, bool adding);
  int32_t IndustrialCapacity(const ProvinceRecord& record) const;
  static double InfraLevel(double railroad);
  static int32_t ProvinceManpower(double capitalMark, double industry, double population);
  // The first ProvinceRecord of a target province id; null for none.
  ProvinceRecord* FindProvinceRecord(int32_t id);

  // ---- Land and naval forces ---------------------------------------------
  void ConvertLandForces(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source,
                         int32_t unitIdType, int32_t fallbackLocation, int32_t& nextUnitId);
  std::string MapLandType(std::string_view sourceType, double& weight) const;
  void ConvertNavalForces(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source,
                          int32_t unitIdType, int32_t fallbackLocation, int32_t& nextUnitId);
  std::string MapShipType(std::string_view sourceType, double& weight) const;
  static double NavalTechLevel(const ScriptNode* target);
  static int32_t ShipModel(double level, int32_t& counter);
  // An "id" block: type = unitIdType, id = nextUnitId, which then advances.
  static void AddUnitId(ScriptNode* parent, int32_t unitIdType, int32_t& nextUnitId);
  // The target province of a source unit's "location"; the fallback when it is unmapped.
  static int32_t UnitLocation(const ProvinceMap& provinces, const ScriptNode* unit,
                              int32_t fallbackLocation);
  // A new unit block (key "landunit" or "navalunit") holding its quoted "name" and its "id".
  static ScriptNode* AddUnit(ScriptNode* target, std::string_view key, std::string_view name,
                             int32_t unitIdType, int32_t& nextUnitId);
  // One "division" block per pending division, in order, each with its own "id".
  static void AddDivisions(ScriptNode* unit, const std::vector<PendingDivision>& divisions,
                           int32_t unitIdType, int32_t& nextUnitId);

  // ---- Politics, technology, diplomacy, subjects ---------------------------
  void ConvertPolitics(ScriptNode* target, const ScriptNode* source, const std::string& tag);
  void ConvertTechnology(ScriptNode* target, const ScriptNode* source, const std::string& tag);
  void ConvertDiplomacy(ScriptNode* target, const ScriptNode* source);
  void ConvertDominions(const std::string& tag, const ScriptNode* source);

  // ---- Shared state ----------------------------------------------------------
  ConversionResult resultCode = ConversionResult::kConverted;
  ScriptNode* sourceRoot = nullptr;  // owned while Convert runs
  const ScriptNode* portsNode = nullptr;
  const ScriptNode* tagTableNode = nullptr;
  const ScriptNode* mergeTableNode = nullptr;
  const std::array<std::string, 3> sourceProvinceKeys{"ownedprovinces", "ownedprovinces",
                                                      "nationalprovinces"};
  const std::array<std::string, 3> targetProvinceKeys{"ownedprovinces", "controlledprovinces",
                                                      "nationalprovinces"};
  std::vector<ProvinceShare> provinceShares;
  std::vector<ProvinceClaim> provinceClaims;
  std::vector<int32_t> targetProvinceIds;
  std::vector<int32_t> assignedProvinceIds;
  std::vector<CountryAlignment> countryAlignments;
  std::vector<SubjectLink> subjectLinks;
  std::vector<TechCount> techCounts;
  std::vector<ProvinceInfo> provinceInfo;
  std::vector<ProvinceRecord> provinceRecords;
  // Lookups of the lists above, kept by the province and economy steps:
  // provinceInfo by source id, provinceRecords by target id, provinceShares by
  // country, list and province, techCounts and countryAlignments by tag (the
  // alliances, which erase from countryAlignments, reset its index).
  FirstPositionIndex<int32_t> provinceInfoIndex;
  FirstPositionIndex<int32_t> provinceRecordIndex;
  FirstPositionIndex<std::string> provinceShareIndex;
  FirstPositionIndex<std::string> techCountIndex;
  FirstPositionIndex<std::string> countryAlignmentIndex;
  // Air bases: the order of the last write, and the merges whose bases wait.
  uint64_t airBaseStamp = 0;
  std::unordered_map<const ScriptNode*, PendingAirBases> pendingAirBases;
  // The values of portsNode cut to whole numbers, built on first use.
  mutable const ScriptNode* indexedPorts = nullptr;
  mutable std::unordered_set<int32_t> portIds;
  std::map<std::string, std::string> tagMap;
  std::map<std::string, std::string> motherMap;
  int16_t selectableCount = 0;
  double icModifier = 1.0;
  double infantryFactor = 0.5;
  double irregularFactor = 0.5;
  double armorFactor = 0.5;
  double navyFactor = 0.5;
  double destroyerFactor = 0.5;
  double transportFactor = 0.5;
  bool convertManpower = false;
  const std::array<std::pair<int32_t, int32_t>, 12> baseRedirects{{{198, 197},
                                                                   {88, 90},
                                                                   {522, 521},
                                                                   {269, 258},
                                                                   {1391, 1376},
                                                                   {582, 583},
                                                                   {635, 634},
                                                                   {681, 680},
                                                                   {1731, 1728},
                                                                   {1715, 1709},
                                                                   {406, 1801},
                                                                   {903, 4}}};
};
