// The province map: for each source province id, the target province ids that
// cover the same land, in an ordered map built from the table compiled into the
// program (refdata/province_table.inc, written by tools/gen_province_table.py)
// or read from a table file (Provinces.txt) that replaces it.
//
// A stored list is never empty. One value: the source becomes that target
// province. Several values, the second 3000 or below: the source is split over
// them, the first being the main part. Two values, the second above 3000: the
// second is a merge marker, not a target; the source is one contributor to the
// target given first, 3003 marking the main contributor and any other marker a
// secondary one, and the marker minus 3000 is the contributor's weight.
//
// Find never inserts: it returns the stored list, not a copy, or null when the
// id has no entry. ForEach visits the entries in ascending source id order.
// Ids are ProvinceIds here as in every layer that holds them (all ids of a
// table lie in 1..32767).
//
// The table file: one row per line, the source id and then its target ids,
// separated by tabs or spaces, as Text() writes them ("308\t92 3002"); blank
// lines and lines starting with '#' are comments. Read takes in every sound
// row and reports, one finding per problem, as errors: a field that is not a
// whole number, a source or target id outside 1..32767, a source id listed
// twice (the first row counts), a row without targets, a row with more
// targets than the scenario map has provinces, and a merge marker (above
// 3000) anywhere but second of two values; as a warning, a target listed
// twice in a row (the row is taken as it stands). The findings are kept as a
// FindingList keeps them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "refdata/data_finding.h"

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

  // Fills the map from the built-in table.
  void Build();
  // Fills the map from the text of a table file named file (for the findings).
  std::vector<DataFinding> Read(std::string_view text, const std::string& file);
  // The table as a table file holds it, ascending source ids.
  std::string Text() const;
  size_t Count() const { return entries_.size(); }
  const TargetList* Find(ProvinceId sourceId) const;
  void ForEach(const Visitor& visit) const;
  void Clear();
  // The target provinces the rows reach: every value of a row, or the province
  // a merge marker's row points at.
  std::set<ProvinceId> ReachedTargets() const;
  // The provinces of the scenario map: those the built-in table reaches.
  static size_t ScenarioProvinceCount();

 private:
  // Stores a non-empty list as the entry of sourceId, replacing any earlier one.
  void Set(ProvinceId sourceId, TargetList targets);

  std::map<ProvinceId, TargetList> entries_;
};
