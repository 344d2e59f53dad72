// The province map: for each source province id, the target province ids that
// cover the same land, in an ordered map built from the table compiled into the
// program (refdata/province_table.inc, written by tools/gen_province_table.py).
//
// A stored list is never empty. One value: the source becomes that target
// province. Several values, the second 3000 or below: the source is split over
// them, the first being the main part. Two values, the second above 3000: the
// second is a merge marker, not a target; the source is one contributor to the
// target given first, 3003 marking the main contributor and any other marker a
// secondary one, and the marker minus 3000 is the contributor's weight.
//
// Build adds the built-in rows, logging a loading line, a count line and an
// empty line; it cannot fail. Find never inserts: it returns the stored list,
// not a copy, or null when the id has no entry. ForEach visits the entries in
// ascending source id order. Ids are ProvinceIds here as in every layer that
// holds them (the built-in table's ids fit in 16 bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "script/status_log.h"

// A source or target province id.
using ProvinceId = int32_t;

class ProvinceMap {
 public:
  using TargetList = std::vector<ProvinceId>;
  using Visitor = std::function<void(ProvinceId sourceId, const TargetList& targets)>;

  // Two values, the second above 3000: a contributor to the first, the second
  // its merge marker.
  static bool IsMergeMarker(const TargetList& targets) {
    return targets.size() == 2 && targets[1] > 3000;
  }

  bool Build(std::string_view name, StatusLog& log);
  const TargetList* Find(ProvinceId sourceId) const;
  void ForEach(const Visitor& visit) const;
  void Clear();

 private:
  // Stores a non-empty list as the entry of sourceId, replacing any earlier one.
  void Set(ProvinceId sourceId, TargetList targets);

  std::map<ProvinceId, TargetList> entries_;
};
