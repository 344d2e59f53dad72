// The missing-province step without a window: everything the "Add Missing
// Provinces" dialog holds, one operation per command, and the writing of the
// decisions into the scenario tree. The Windows dialog and the command line are
// views over it: they call a command, then show the lists and selections again.
//
// Lists, as the dialog shows them:
//   notAddedLabels  the "Not Added Provinces" list (one label per missing id)
//   countryLabels   the "Provinces to coutry:" list (the selected country's labels)
//   countryTags     the "Country:" box, sorted as the box sorts (case-insensitive)
// A list's selection is a set of its indexes, in list order (none, one, or
// many: both lists take extended selection). The country box selects one tag,
// or none. Open fills the lists; until then they are empty. "<-" and "->" do
// nothing without a selected province or without a selected country, so
// nothing is ever recorded for a country not in the box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ProvinceNames;
class ScriptNode;

// The provinces given to one country, as list labels in the order given.
struct ProvinceAssignment {
  std::string tag;
  std::vector<std::string> labels;
};

// The id a label starts with: its leading decimal digits ("550, Oldtown" gives 550).
int32_t ProvinceIdOfLabel(std::string_view label);

class MissingProvinceModel {
 public:
  static constexpr std::string_view kProvincesLeftMessage = "You must add all missing provinces!!!";

  // missingIds: in order, an id may occur twice. selectableTags: the header's
  // "selectable" values in their order; empty tags are left out of the box.
  MissingProvinceModel(std::vector<int32_t> missingIds, std::vector<std::string> selectableTags);

  // The dialog opening: one label per missing id in the Not Added list, the
  // country list empty, the first country of the box selected (none if the box
  // is empty), no province selected. Also resets everything recorded so far.
  void Open(const ProvinceNames& names);

  // Selection changes: the selected indexes of a list, in any order; indexes
  // outside the list are left out.
  void SelectNotAdded(std::vector<std::size_t> indexes);
  // One selected province (outside the list: none).
  void SelectNotAdded(std::size_t index) { SelectNotAdded(std::vector<std::size_t>{index}); }
  void SelectInCountry(std::vector<std::size_t> indexes);
  // The country box change: the country list then shows the labels already
  // given to the newly selected country, and has no selection.
  void SelectCountry(std::optional<std::size_t> index);
  // The box's text as it stands (picked or typed): selects the offered tag
  // spelt exactly so, or no country for any other text. A change of country
  // refills the country list; true when it did.
  bool ChooseCountryByText(std::string_view text);

  // "<-": the selected Not Added labels go, in list order, to the end of the
  // selected country's list. The Not Added list then selects the index of the
  // first one moved (the entry that moved up into its place; none past the
  // end). False when nothing moved.
  bool MoveToCountry();
  // "<-" with every Not Added label selected.
  void MoveAllToCountry();
  // "->": the selected labels of the country list go back, in list order, to
  // the end of the Not Added list; the country list selects as "<-" does.
  bool MoveBack();
  // OK: none when every missing province is placed (the dialog may close),
  // otherwise the message to show, and the dialog stays open.
  std::optional<std::string> TryFinish() const;

  // Appends, per assignment in order, the ids of its labels to "ownedprovinces"
  // and then to "controlledprovinces" of every "country" child of root with
  // that "tag". A country lacking one of the lists is passed over for it.
  void ApplyTo(ScriptNode* root) const;

  // Lookups for views that work by tag and id rather than by list position.
  std::optional<std::size_t> FindCountry(std::string_view tag) const;
  std::optional<std::size_t> FindNotAdded(int32_t id) const;
  // Whether id is one of the missing ids, placed or not.
  bool IsMissing(int32_t id) const;

  const std::vector<int32_t>& missingIds() const { return missingIds_; }
  const std::vector<std::string>& countryTags() const { return countryTags_; }
  const std::vector<ProvinceAssignment>& assignments() const { return assignments_; }
  const std::vector<std::string>& notAddedLabels() const { return notAddedLabels_; }
  const std::vector<std::string>& countryLabels() const { return countryLabels_; }
  const std::vector<std::size_t>& notAddedSelection() const { return notAddedSelection_; }
  const std::vector<std::size_t>& countrySelection() const { return countrySelection_; }
  std::optional<std::size_t> countryBoxSelection() const { return countryBoxSelection_; }
  // The tag selected in the country box, or none.
  std::optional<std::string> SelectedTag() const;

 private:
  ProvinceAssignment* AssignmentOf(std::string_view tag);
  void RecordAdded(const std::string& tag, const std::string& label);
  void RecordRemoved(const std::string& tag, const std::vector<std::size_t>& indexes);
  void CountNotAdded(const std::string& label, int change);

  std::vector<int32_t> missingIds_;
  std::vector<int32_t> sortedMissingIds_;
  // How many Not Added labels each id has: most lookups are of ids without one.
  std::unordered_map<int32_t, std::size_t> notAddedCounts_;
  std::vector<std::string> countryTags_;
  std::vector<ProvinceAssignment> assignments_;
  std::vector<std::string> notAddedLabels_;
  std::vector<std::string> countryLabels_;
  std::vector<std::size_t> notAddedSelection_;
  std::vector<std::size_t> countrySelection_;
  std::optional<std::size_t> countryBoxSelection_;
};
