// The "Add Missing Provinces" dialog without a window: everything the dialog
// holds, one operation per command, and the placement it makes. The Windows
// dialog is a view over it: it calls a command, then shows the lists and
// selections again.
//
// Lists, as the dialog shows them:
//   notAddedLabels  the "Not Added Provinces" list (one label per missing id)
//   countryLabels   the "Provinces to coutry:" list (the selected country's labels)
//   countryTags     the "Country:" box, in list order (see TagsInListOrder)
// A list's selection is a set of its indexes, in list order (none, one, or
// many: both lists take extended selection). The country box selects one tag,
// or none. Open fills the lists; until then they are empty. "<-" and "->" do
// nothing without a selected province or without a selected country, so
// nothing is ever recorded for a country not in the box. Each label keeps the
// id it was made for.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assign/province_placement.h"

class ProvinceNames;

class MissingProvinceModel {
 public:
  static constexpr std::string_view kProvincesLeftMessage = "You must add all missing provinces!!!";

  explicit MissingProvinceModel(const MissingProvinces& missing);

  // The dialog opening: one label per missing id in the Not Added list, the
  // country list empty, the first country of the box selected (none if the box
  // is empty), no province selected. Also resets everything recorded so far.
  void Open(const ProvinceNames& names);

  // Selection changes: the selected indexes of a list, in any order; indexes
  // outside the list are left out.
  void SelectNotAdded(std::vector<std::size_t> indexes);
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
  // "->": the selected labels of the country list go back, in list order, to
  // the end of the Not Added list; the country list selects as "<-" does.
  bool MoveBack();
  // OK: none when every missing province is placed (the dialog may close),
  // otherwise the message to show, and the dialog stays open.
  std::optional<std::string> TryFinish() const;
  // What has been placed, per country in the order countries first received a
  // province.
  ProvincePlacement Placement() const;

  const std::vector<std::string>& countryTags() const { return countryTags_; }
  const std::vector<std::string>& notAddedLabels() const { return notAdded_.labels; }
  const std::vector<std::string>& countryLabels() const { return country_.labels; }
  const std::vector<std::size_t>& notAddedSelection() const { return notAddedSelection_; }
  const std::vector<std::size_t>& countrySelection() const { return countrySelection_; }
  // The tag selected in the country box, or none.
  std::optional<std::string> SelectedTag() const;

 private:
  // Labels and the ids they stand for, moved together.
  struct Entries {
    std::vector<std::string> labels;
    std::vector<ProvinceId> ids;

    Entries Take(const std::vector<std::size_t>& indexes);
    void Append(Entries&& more);
  };
  struct Assignment {
    std::string tag;
    Entries entries;
  };

  std::optional<std::size_t> FindCountry(std::string_view tag) const;
  Assignment* FindAssignment(const std::string& tag);
  // The assignment of a tag, made when the tag receives its first province.
  Assignment& AssignmentOf(const std::string& tag);

  std::vector<ProvinceId> missingIds_;
  std::vector<std::string> countryTags_;
  std::vector<Assignment> assignments_;
  Entries notAdded_;
  Entries country_;
  std::vector<std::size_t> notAddedSelection_;
  std::vector<std::size_t> countrySelection_;
  std::optional<std::size_t> countryBoxSelection_;
};
