#include "assign/missing_province_model.h"

#include <algorithm>
#include <cctype>
#include <charconv>
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

std::string_view CountryTag(const ScriptNode* country) {
  const ScriptNode* tag = country->FirstChild("tag");
  if (!tag || tag->ItemCount() == 0 || (tag->kind != kWords && tag->kind != kQuoted)) return {};
  return tag->TextAt(0);
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
  notAddedSelection_.reset();
  countrySelection_.reset();
  countryBoxSelection_ = IndexWithin(0, countryTags_.size());
}

void MissingProvinceModel::SelectNotAdded(std::optional<std::size_t> index) {
  notAddedSelection_ = IndexWithin(index, notAddedLabels_.size());
}

void MissingProvinceModel::SelectInCountry(std::optional<std::size_t> index) {
  countrySelection_ = IndexWithin(index, countryLabels_.size());
}

void MissingProvinceModel::SelectCountry(std::optional<std::size_t> index) {
  countryBoxSelection_ = IndexWithin(index, countryTags_.size());
  countryLabels_.clear();
  countrySelection_.reset();
  const std::optional<std::string> tag = SelectedTag();
  if (!tag) return;
  if (const ProvinceAssignment* assignment = AssignmentOf(*tag)) countryLabels_ = assignment->labels;
}

void MissingProvinceModel::MoveToCountry() {
  const std::optional<std::string> tag = SelectedTag();
  if (!tag || !notAddedSelection_) return;
  const std::size_t i = *notAddedSelection_;
  std::string label = std::move(notAddedLabels_[i]);
  notAddedLabels_.erase(notAddedLabels_.begin() + static_cast<std::ptrdiff_t>(i));
  CountNotAdded(label, -1);
  countryLabels_.push_back(label);
  RecordAdded(*tag, label);
  SelectNotAdded(i);
}

void MissingProvinceModel::MoveAllToCountry() {
  const std::optional<std::string> tag = SelectedTag();
  if (!tag) return;
  for (std::string& label : notAddedLabels_) {
    CountNotAdded(label, -1);
    RecordAdded(*tag, label);
    countryLabels_.push_back(std::move(label));
  }
  notAddedLabels_.clear();
  SelectNotAdded(0);
}

void MissingProvinceModel::MoveBack() {
  const std::optional<std::string> tag = SelectedTag();
  if (!tag || !countrySelection_) return;
  const std::size_t j = *countrySelection_;
  std::string label = std::move(countryLabels_[j]);
  countryLabels_.erase(countryLabels_.begin() + static_cast<std::ptrdiff_t>(j));
  CountNotAdded(label, 1);
  notAddedLabels_.push_back(std::move(label));
  RecordRemoved(*tag, j);
  SelectInCountry(j);
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
      if (match.index >= 0 || CountryTag(match.node) != assignment.tag) continue;
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

void MissingProvinceModel::RecordRemoved(const std::string& tag, std::size_t index) {
  ProvinceAssignment* assignment = AssignmentOf(tag);
  if (assignment && index < assignment->labels.size())
    assignment->labels.erase(assignment->labels.begin() + static_cast<std::ptrdiff_t>(index));
}

void MissingProvinceModel::CountNotAdded(const std::string& label, int change) {
  std::size_t& count = notAddedCounts_[ProvinceIdOfLabel(label)];
  count = change < 0 ? count - 1 : count + 1;
}
