#include "assign/missing_province_model.h"

#include <algorithm>
#include <utility>

#include "refdata/province_names.h"

namespace {

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
template <typename T>
std::vector<T> TakeEntries(std::vector<T>& list, const std::vector<std::size_t>& indexes) {
  std::vector<T> taken;
  std::vector<T> kept;
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

template <typename T>
void AppendAll(std::vector<T>& list, std::vector<T>&& more) {
  list.insert(list.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

// After a move, a list selects the index where the first moved entry was: the
// entry that moved up into its place, or none past the end.
std::vector<std::size_t> SelectionAfterMove(const std::vector<std::size_t>& moved, std::size_t size) {
  if (moved.empty() || moved.front() >= size) return {};
  return {moved.front()};
}

}  // namespace

MissingProvinceModel::Entries MissingProvinceModel::Entries::Take(
    const std::vector<std::size_t>& indexes) {
  return {TakeEntries(labels, indexes), TakeEntries(ids, indexes)};
}

void MissingProvinceModel::Entries::Append(Entries&& more) {
  AppendAll(labels, std::move(more.labels));
  AppendAll(ids, std::move(more.ids));
}

MissingProvinceModel::MissingProvinceModel(const MissingProvinces& missing)
    : missingIds_(missing.ids), countryTags_(TagsInListOrder(missing.tags)) {}

void MissingProvinceModel::Open(const ProvinceNames& names) {
  notAdded_ = {};
  for (ProvinceId id : missingIds_) {
    notAdded_.labels.push_back(names.Label(id));
    notAdded_.ids.push_back(id);
  }
  country_ = {};
  assignments_.clear();
  notAddedSelection_.clear();
  countrySelection_.clear();
  countryBoxSelection_ = IndexWithin(0, countryTags_.size());
}

void MissingProvinceModel::SelectNotAdded(std::vector<std::size_t> indexes) {
  notAddedSelection_ = IndexesWithin(std::move(indexes), notAdded_.labels.size());
}

void MissingProvinceModel::SelectInCountry(std::vector<std::size_t> indexes) {
  countrySelection_ = IndexesWithin(std::move(indexes), country_.labels.size());
}

void MissingProvinceModel::SelectCountry(std::optional<std::size_t> index) {
  countryBoxSelection_ = IndexWithin(index, countryTags_.size());
  country_ = {};
  countrySelection_.clear();
  const std::optional<std::string> tag = SelectedTag();
  if (const Assignment* assignment = tag ? FindAssignment(*tag) : nullptr) country_ = assignment->entries;
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
  Entries moved = notAdded_.Take(notAddedSelection_);
  AssignmentOf(*tag).entries.Append(Entries(moved));
  country_.Append(std::move(moved));
  notAddedSelection_ = SelectionAfterMove(notAddedSelection_, notAdded_.labels.size());
  return true;
}

bool MissingProvinceModel::MoveBack() {
  const std::optional<std::string> tag = SelectedTag();
  if (!tag || countrySelection_.empty()) return false;
  notAdded_.Append(country_.Take(countrySelection_));
  if (Assignment* assignment = FindAssignment(*tag)) assignment->entries.Take(countrySelection_);
  countrySelection_ = SelectionAfterMove(countrySelection_, country_.labels.size());
  return true;
}

std::optional<std::string> MissingProvinceModel::TryFinish() const {
  if (notAdded_.labels.empty()) return std::nullopt;
  return std::string(kProvincesLeftMessage);
}

ProvincePlacement MissingProvinceModel::Placement() const {
  ProvincePlacement placement;
  for (const Assignment& assignment : assignments_)
    placement.push_back({assignment.tag, assignment.entries.ids, "dialog"});
  return placement;
}

std::optional<std::size_t> MissingProvinceModel::FindCountry(std::string_view tag) const {
  const auto found = std::find(countryTags_.begin(), countryTags_.end(), tag);
  if (found == countryTags_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - countryTags_.begin());
}

std::optional<std::string> MissingProvinceModel::SelectedTag() const {
  if (!countryBoxSelection_) return std::nullopt;
  return countryTags_[*countryBoxSelection_];
}

MissingProvinceModel::Assignment* MissingProvinceModel::FindAssignment(const std::string& tag) {
  for (Assignment& assignment : assignments_)
    if (assignment.tag == tag) return &assignment;
  return nullptr;
}

MissingProvinceModel::Assignment& MissingProvinceModel::AssignmentOf(const std::string& tag) {
  if (Assignment* assignment = FindAssignment(tag)) return *assignment;
  return assignments_.emplace_back(Assignment{tag, {}});
}
