#include "assign/missing_province_model.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <numeric>
#include <utility>

#include "refdata/province_names.h"
#include "script/script_node.h"

namespace {

// The order of a sorted Windows combo box: letters compare without case.
bool ComesBeforeInBox(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

std::vector<std::string> TagsAsTheBoxShowsThem(std::vector<std::string> tags) {
  std::erase(tags, std::string());
  std::stable_sort(tags.begin(), tags.end(), ComesBeforeInBox);
  return tags;
}

std::optional<std::size_t> IndexWithin(std::optional<std::size_t> index, std::size_t size) {
  if (index && *index < size) return index;
  return std::nullopt;
}

// The indexes that lie within a list of this size, in list order, each once.
std::vector<std::size_t> IndexesWithin(std::vector<std::size_t> indexes, std::size_t size) {
  std::erase_if(indexes, [size](std::size_t index) { return index >= size; });
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  return indexes;
}

// Takes the entries at the given indexes (in list order) out of the list, in
// one pass, and returns them in that order.
std::vector<std::string> TakeEntries(std::vector<std::string>& list, const std::vector<std::size_t>& indexes) {
  std::vector<std::string> taken;
  std::vector<std::string> kept;
  kept.reserve(list.size());
  auto next = indexes.begin();
  for (std::size_t i = 0; i < list.size(); ++i) {
    const bool take = next != indexes.end() && *next == i;
    if (take) ++next;
    (take ? taken : kept).push_back(std::move(list[i]));
  }
  list = std::move(kept);
  return taken;
}

// After a move, a list selects the index where the first moved entry was: the
// entry that moved up into its place, or none past the end.
std::vector<std::size_t> SelectionAfterMove(const std::vector<std::size_t>& moved, std::size_t size) {
  if (moved.empty() || moved.front() >= size) return {};
  return {moved.front()};
}

void AppendIds(ScriptNode* country, std::string_view key, const std::vector<std::string>& labels) {
  ScriptNode* list = country->FirstChild(key);
  if (!list || (list->kind != kNumbers && list->kind != kUntyped)) return;
  for (const std::string& label : labels) list->AddNumber(ProvinceIdOfLabel(label));
}

}  // namespace

int32_t ProvinceIdOfLabel(std::string_view label) {
  int32_t id = 0;
  std::from_chars(label.data(), label.data() + label.size(), id);
  return id;
}

MissingProvinceModel::MissingProvinceModel(std::vector<int32_t> missingIds,
                                           std::vector<std::string> selectableTags)
    : missingIds_(std::move(missingIds)),
      sortedMissingIds_(missingIds_),
      countryTags_(TagsAsTheBoxShowsThem(std::move(selectableTags))) {
  std::sort(sortedMissingIds_.begin(), sortedMissingIds_.end());
}

void MissingProvinceModel::Open(const ProvinceNames& names) {
  notAddedLabels_.clear();
  notAddedCounts_.clear();
  for (int32_t id : missingIds_) {
    notAddedLabels_.push_back(names.Label(id));
    CountNotAdded(notAddedLabels_.back(), 1);
  }
  countryLabels_.clear();
  assignments_.clear();
  notAddedSelection_.clear();
  countrySelection_.clear();
  countryBoxSelection_ = IndexWithin(0, countryTags_.size());
}

void MissingProvinceModel::SelectNotAdded(std::vector<std::size_t> indexes) {
  notAddedSelection_ = IndexesWithin(std::move(indexes), notAddedLabels_.size());
}

void MissingProvinceModel::SelectInCountry(std::vector<std::size_t> indexes) {
  countrySelection_ = IndexesWithin(std::move(indexes), countryLabels_.size());
}

void MissingProvinceModel::SelectCountry(std::optional<std::size_t> index) {
  countryBoxSelection_ = IndexWithin(index, countryTags_.size());
  countryLabels_.clear();
  countrySelection_.clear();
  const std::optional<std::string> tag = SelectedTag();
  if (!tag) return;
  if (const ProvinceAssignment* assignment = AssignmentOf(*tag)) countryLabels_ = assignment->labels;
}

bool MissingProvinceModel::ChooseCountryByText(std::string_view text) {
  const std::optional<std::size_t> index = FindCountry(text);
  const bool unchanged = index ? SelectedTag() == text : !SelectedTag();
  if (unchanged) return false;
  SelectCountry(index);
  return true;
}

bool MissingProvinceModel::MoveToCountry() {
  const std::optional<std::string> tag = SelectedTag();
  if (!tag || notAddedSelection_.empty()) return false;
  for (std::string& label : TakeEntries(notAddedLabels_, notAddedSelection_)) {
    CountNotAdded(label, -1);
    RecordAdded(*tag, label);
    countryLabels_.push_back(std::move(label));
  }
  notAddedSelection_ = SelectionAfterMove(notAddedSelection_, notAddedLabels_.size());
  return true;
}

void MissingProvinceModel::MoveAllToCountry() {
  std::vector<std::size_t> every(notAddedLabels_.size());
  std::iota(every.begin(), every.end(), std::size_t{0});
  SelectNotAdded(std::move(every));
  MoveToCountry();
}

bool MissingProvinceModel::MoveBack() {
  const std::optional<std::string> tag = SelectedTag();
  if (!tag || countrySelection_.empty()) return false;
  for (std::string& label : TakeEntries(countryLabels_, countrySelection_)) {
    CountNotAdded(label, 1);
    notAddedLabels_.push_back(std::move(label));
  }
  RecordRemoved(*tag, countrySelection_);
  countrySelection_ = SelectionAfterMove(countrySelection_, countryLabels_.size());
  return true;
}

std::optional<std::string> MissingProvinceModel::TryFinish() const {
  if (notAddedLabels_.empty()) return std::nullopt;
  return std::string(kProvincesLeftMessage);
}

void MissingProvinceModel::ApplyTo(ScriptNode* root) const {
  std::vector<ScriptMatch> countries;
  root->FindAll("country", &countries, 0, 0);
  for (const ProvinceAssignment& assignment : assignments_) {
    for (const ScriptMatch& match : countries) {
      if (match.index >= 0 || match.node->TextOf("tag") != assignment.tag) continue;
      AppendIds(match.node, "ownedprovinces", assignment.labels);
      AppendIds(match.node, "controlledprovinces", assignment.labels);
    }
  }
}

std::optional<std::size_t> MissingProvinceModel::FindCountry(std::string_view tag) const {
  const auto found = std::find(countryTags_.begin(), countryTags_.end(), tag);
  if (found == countryTags_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - countryTags_.begin());
}

std::optional<std::size_t> MissingProvinceModel::FindNotAdded(int32_t id) const {
  const auto counted = notAddedCounts_.find(id);
  if (counted == notAddedCounts_.end() || counted->second == 0) return std::nullopt;
  for (std::size_t i = 0; i < notAddedLabels_.size(); ++i)
    if (ProvinceIdOfLabel(notAddedLabels_[i]) == id) return i;
  return std::nullopt;
}

bool MissingProvinceModel::IsMissing(int32_t id) const {
  return std::binary_search(sortedMissingIds_.begin(), sortedMissingIds_.end(), id);
}

std::optional<std::string> MissingProvinceModel::SelectedTag() const {
  if (!countryBoxSelection_) return std::nullopt;
  return countryTags_[*countryBoxSelection_];
}

ProvinceAssignment* MissingProvinceModel::AssignmentOf(std::string_view tag) {
  for (ProvinceAssignment& assignment : assignments_)
    if (assignment.tag == tag) return &assignment;
  return nullptr;
}

void MissingProvinceModel::RecordAdded(const std::string& tag, const std::string& label) {
  if (ProvinceAssignment* assignment = AssignmentOf(tag))
    assignment->labels.push_back(label);
  else
    assignments_.push_back({tag, {label}});
}

void MissingProvinceModel::RecordRemoved(const std::string& tag, const std::vector<std::size_t>& indexes) {
  if (ProvinceAssignment* assignment = AssignmentOf(tag)) TakeEntries(assignment->labels, indexes);
}

void MissingProvinceModel::CountNotAdded(const std::string& label, int change) {
  std::size_t& count = notAddedCounts_[ProvinceIdOfLabel(label)];
  count = change < 0 ? count - 1 : count + 1;
}
