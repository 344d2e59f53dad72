// The provinces a conversion left without an owner, and where a front end puts
// them. The conversion asks once, with the missing ids and the countries it
// may give them to; the front end (the dialog of the Windows program, or the
// command line) answers with a placement, or with nothing when it gives up,
// and the conversion then stops without a scenario. The conversion accepts a
// placement only when it places every missing id, as often as it is missing,
// with offered countries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "refdata/province_map.h"

struct MissingProvinces {
  std::vector<ProvinceId> ids;    // in the province map's order; an id may occur twice
  std::vector<std::string> tags;  // the offered countries, in the scenario header's order
};

// The provinces given to one country, in the order given, and how they were
// given: "plan", "--assign-rest", "prompt" or "dialog" (a country may have one
// assignment for each).
struct ProvinceAssignment {
  std::string tag;
  std::vector<ProvinceId> ids;
  std::string how;
};

// Which country receives which provinces, in the order the countries first
// received one.
using ProvincePlacement = std::vector<ProvinceAssignment>;

class ProvinceAssigner {
 public:
  virtual ~ProvinceAssigner() = default;
  virtual std::optional<ProvincePlacement> Place(const MissingProvinces& missing) = 0;
};

// The offered tags as front ends list them: sorted as a sorted Windows combo
// box sorts (letters without case, otherwise in the given order), empty tags
// left out.
std::vector<std::string> TagsInListOrder(std::vector<std::string> tags);
