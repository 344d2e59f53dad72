#pragma once

#include <cstddef>
#include <optional>
#include <unordered_map>

// The position of the first record of each key in a list that only grows. Find
// first takes in the records appended since its last call, so it answers as a
// search from the front would; a list that is replaced needs Reset.
template <typename Key>
class FirstPositionIndex {
 public:
  template <typename Records, typename KeyOf>
  std::optional<size_t> Find(const Records& records, const KeyOf& keyOf, const Key& key) {
    for (; covered_ < records.size(); ++covered_)
      first_.try_emplace(keyOf(records[covered_]), covered_);
    const auto found = first_.find(key);
    if (found == first_.end()) return std::nullopt;
    return found->second;
  }
  void Reset() {
    first_.clear();
    covered_ = 0;
  }

 private:
  std::unordered_map<Key, size_t> first_;
  size_t covered_ = 0;
};
