// What the steps of one conversion hand on to one another, in three parts: the
// facts of the source provinces, the target provinces with who receives them,
// and the countries' profiles. Each list says which step fills it and which
// read it; the driver (scenario_converter.cpp) runs the steps in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <map>
#include <unordered_map>
#include <vector>

#include "convert/conversion_report.h"
#include "convert/first_position_index.h"
#include "convert/records.h"
#include "refdata/province_map.h"

class SourceProvinces {
 public:
  // The first record of a source province id; null for none (or a fraction).
  ProvinceInfo* Find(double province);

  // CollectProvinceData: one per source province with an id; the capitals and
  // the factories add industry; the province buildings read them.
  std::vector<ProvinceInfo> info;
  // CollectProvinceData; read by ClaimProvinces.
  std::vector<ProvinceClaim> claims;
  // CollectProvinceData: the source ids of the save that the table does not map.
  std::vector<ProvinceId> unmapped;

 private:
  FirstPositionIndex<int32_t> index_;
};

class TargetProvinces {
 public:
  // BuildProvinceRecords: every target id the province map yields, in the
  // map's order, and one record each; the air bases and the province
  // buildings fill the records.
  std::vector<ProvinceId> ids;
  std::vector<ProvinceRecord> records;
  // The ids written into an owned or controlled list, by the province lists
  // and the shared provinces; what is left over is missing.
  std::vector<ProvinceId> assigned;
  // Countries' weights for target provinces that several source provinces make
  // up: the province lists and the claims add them, DecideSharedProvinces
  // keeps the winners, WriteSharedProvinces writes them.
  std::vector<ProvinceShare> shares;
  FirstPositionIndex<std::string> shareIndex;  // kept by the province step
  // DecideSharedProvinces: each owned province several countries had a share in.
  std::vector<ProvinceContest> contests;
  // Why each province went into its first owned list: the province lists, the
  // shared provinces and the placement of missing ones note it.
  std::map<ProvinceId, OwnerReason> reasons;
  // The air bases: the order of the last write, and the merges whose bases wait.
  uint64_t airBaseStamp = 0;
  std::unordered_map<const ScriptNode*, PendingAirBases> pendingAirBases;

  // The first record of a target province id; null for none.
  ProvinceRecord* FindRecord(ProvinceId id);

 private:
  FirstPositionIndex<ProvinceId> recordIndex_;
};

class CountryProfiles {
 public:
  // The first alignment of a target tag; null for none.
  CountryAlignment* FindAlignment(const std::string& tag);
  void EraseAlignment(size_t position);
  // The technology count outside the four thousand-ranges of the first record
  // of a tag; 0 for none.
  int32_t OtherTechCount(const std::string& tag);

  // Politics adds one per converted country, the economy adds to its score,
  // the alliances read them and erase their leaders.
  std::vector<CountryAlignment> alignments;
  // Technology adds one per converted country; the air bases read them.
  std::vector<TechCount> techCounts;
  // Dominions adds them; the alliances read them.
  std::vector<SubjectLink> subjects;

 private:
  FirstPositionIndex<std::string> alignmentIndex_;
  FirstPositionIndex<std::string> techCountIndex_;
};
