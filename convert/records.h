// The plain records that the conversion steps share through the ScenarioConverter.
#pragma once

#include <cstdint>
#include <string>

class ScriptNode;

// A claim on a source province, recorded while the source provinces are read.
struct ProvinceClaim {
  std::string claimant;  // target tag of the claiming country, possibly empty
  double province = 0;   // source province id
};

// A country's weight for a target province that several source provinces make up.
struct ProvinceShare {
  std::string country;  // target tag
  std::string list;     // "ownedprovinces", "controlledprovinces" or "nationalprovinces"
  double province = 0;  // target province id
  double weight = 0;
  bool fromClaim = false;  // made by a claim on a province no country held
};

// What a province's buildings and manpower depend on: gathered per source
// province, summed up per target province.
struct ProvinceFacts {
  double railroad = 0;
  double population = 0;
  double industry = 0;
  double capitalMark = 0;  // 5 for a capital
};

// What the conversion gathers about one source province.
struct ProvinceInfo {
  int32_t province = 0;  // source province id
  ProvinceFacts facts;
};

// What one target province receives; written as its "province" block.
struct ProvinceRecord {
  int32_t id = 0;  // target province id
  ProvinceFacts facts;
  double airBaseSize = 0;
  uint64_t airBaseStamp = 0;  // the order of the write that set airBaseSize
};

// The air bases of a merge, written when the country's next merge (which
// repeats most of them) or the end of the merges comes: m bases over the owned
// list, base i with the write stamp stamp + i.
struct PendingAirBases {
  const ScriptNode* owned = nullptr;
  int32_t m = 0;
  int32_t s = 0;
  uint64_t stamp = 0;
};

// A converted country's political profile, read when the alliances are chosen:
// its democratic and political-left sliders, and a score that grows with the
// provinces it owns.
struct CountryAlignment {
  std::string tag;
  int32_t democratic = 0, politicalLeft = 0;
  int32_t score = 0;
};

// A subject country and its overlord (the overlord's source tag, upper case).
struct SubjectLink {
  std::string overlord;
  std::string subject;
};

// How many source technologies a country holds in each thousand-range.
struct TechCount {
  std::string tag;
  int32_t c1000 = 0;
  int32_t c2000 = 0;
  int32_t cOther = 0;
  int32_t c4000 = 0;
  int32_t c3000 = 0;
};

// A target division or ship division waiting to be written with its unit.
struct PendingDivision {
  std::string name;
  std::string type;
  int32_t strength = 100;
  int32_t model = 0;
};
