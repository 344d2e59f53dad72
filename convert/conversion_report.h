// What a conversion did, for the report of a run: which source country became
// what, which source provinces the table does not map, who won the contested
// provinces, where the provinces left without an owner went, the alliances,
// and why each scenario province went to its owner. The steps add to it as
// they go; it is complete when Finish returns a converted scenario.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "convert/wrong_kinds.h"
#include "refdata/province_map.h"
#include "refdata/settings.h"

struct CountryFate {
  enum class Kind { kConverted, kFounded, kMerged, kDropped };
  CountryFate(std::string source, Kind fateKind, std::string target)
      : sourceTag(std::move(source)), kind(fateKind), targetTag(std::move(target)) {}

  std::string sourceTag;
  Kind kind = Kind::kDropped;
  std::string targetTag;              // empty when dropped
  std::vector<ProvinceId> provinces;  // target provinces its lists gave to an owned list
  int divisions = 0;                  // land divisions written from its units
  int navalUnits = 0;
  // What a dropped country held in the save.
  int heldProvinces = 0;
  int heldUnits = 0;
};

// A target province that several countries had a share in, and who won it.
struct ProvinceContest {
  ProvinceId province = 0;
  std::vector<std::pair<std::string, double>> shares;  // country and weight, in order
  std::string winner;
};

struct AllianceMembers {
  std::string name;
  std::string leader;
  std::vector<std::string> members;  // the leader first
};

// Why a scenario province went to the country that owns it.
enum class OwnerReason { kDirect, kContestWon, kClaim, kPlaced };

struct ConversionReport {
  ConversionSettings settings;
  std::vector<CountryFate> countries;  // in save order, merges and drops after the conversions
  std::vector<ProvinceId> unmappedProvinces;  // source ids of the save without a table row
  std::vector<ProvinceContest> contests;
  // The provinces left without an owner, each with the country that received
  // it and how ("plan", "--assign-rest", "prompt", "dialog").
  struct Placement {
    ProvinceId province;
    std::string tag;
    std::string how;
  };
  std::vector<Placement> placed;
  std::vector<AllianceMembers> alliances;
  std::map<ProvinceId, OwnerReason> reasons;  // the first reason a province was owned for
  std::vector<WrongKind> wrongKinds;          // values of the save passed over, per key
};
