#include "app/cli/province_ledger.h"

#include <algorithm>

#include "refdata/province_names.h"

ProvinceLedger::ProvinceLedger(const MissingProvinces& missing, const ProvinceNames& names)
    : unplaced_(missing.ids.size()) {
  for (const ProvinceId id : missing.ids) {
    missing_[id].push_back(entries_.size());
    entries_.push_back({id, names.Label(id)});
  }
  for (std::string& tag : TagsInListOrder(missing.tags))
    if (!Offers(tag)) tags_.push_back(std::move(tag));
}

bool ProvinceLedger::Offers(std::string_view tag) const {
  return std::find(tags_.begin(), tags_.end(), tag) != tags_.end();
}

std::vector<ProvinceId> ProvinceLedger::UnplacedIds() const {
  std::vector<ProvinceId> ids;
  for (const Entry& entry : entries_)
    if (!entry.placed) ids.push_back(entry.id);
  return ids;
}

std::vector<std::string> ProvinceLedger::UnplacedLabels() const {
  std::vector<std::string> labels;
  for (const Entry& entry : entries_)
    if (!entry.placed) labels.push_back(entry.label);
  return labels;
}

const std::string& ProvinceLedger::FirstUnplacedLabel() { return entries_[FirstUnplaced()].label; }

bool ProvinceLedger::Give(ProvinceId id, const std::string& tag) {
  const auto waiting = missing_.find(id);
  if (waiting == missing_.end() || waiting->second.empty()) return false;
  GiveEntry(waiting->second.front(), tag, "plan");
  return true;
}

void ProvinceLedger::GiveFirst(const std::string& tag) { GiveEntry(FirstUnplaced(), tag, "prompt"); }

void ProvinceLedger::GiveRest(const std::string& tag) {
  while (unplaced_ > 0) GiveEntry(FirstUnplaced(), tag, "--assign-rest");
}

std::size_t ProvinceLedger::FirstUnplaced() {
  while (entries_[first_].placed) ++first_;
  return first_;
}

void ProvinceLedger::GiveEntry(std::size_t position, const std::string& tag, const char* how) {
  Entry& entry = entries_[position];
  entry.placed = true;
  --unplaced_;
  missing_[entry.id].pop_front();  // the first unplaced position of its id
  const auto receiving = std::find_if(placement_.begin(), placement_.end(), [&](const ProvinceAssignment& a) {
    return a.tag == tag && a.how == how;
  });
  if (receiving != placement_.end())
    receiving->ids.push_back(entry.id);
  else
    placement_.push_back({tag, {entry.id}, how});
}
