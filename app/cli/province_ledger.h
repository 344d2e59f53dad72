// The provinces a conversion left without an owner as the command line places
// them: the unplaced ones in their order, each with its label, and the
// placement made so far (per country in the order countries first received a
// province). The offered tags are kept in list order, each once.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "assign/province_placement.h"

class ProvinceNames;

class ProvinceLedger {
 public:
  ProvinceLedger(const MissingProvinces& missing, const ProvinceNames& names);

  const std::vector<std::string>& tags() const { return tags_; }
  bool Offers(std::string_view tag) const;
  bool IsMissing(ProvinceId id) const { return missing_.count(id) > 0; }

  std::size_t UnplacedCount() const { return unplaced_; }
  std::vector<ProvinceId> UnplacedIds() const;
  std::vector<std::string> UnplacedLabels() const;
  // The label of the first unplaced province; there must be one.
  const std::string& FirstUnplacedLabel();

  // Gives the first unplaced province with this id to tag, as a plan does;
  // false when none is left.
  bool Give(ProvinceId id, const std::string& tag);
  // Gives the first unplaced province to tag, as an answer to a prompt; there must be one.
  void GiveFirst(const std::string& tag);
  // Gives every unplaced province, in order, to tag, as --assign-rest does.
  void GiveRest(const std::string& tag);

  const ProvincePlacement& placement() const { return placement_; }

 private:
  struct Entry {
    ProvinceId id;
    std::string label;
    bool placed = false;
  };

  std::size_t FirstUnplaced();
  void GiveEntry(std::size_t position, const std::string& tag, const char* how);

  std::vector<Entry> entries_;
  std::size_t first_ = 0;  // no unplaced entry lies before it
  std::size_t unplaced_ = 0;
  std::unordered_map<ProvinceId, std::deque<std::size_t>> missing_;  // unplaced positions of each id
  std::vector<std::string> tags_;
  ProvincePlacement placement_;
};
