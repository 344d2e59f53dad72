// The "Add Missing Provinces" dialog's rules that the command line never uses
// (selections, moving back, the typed country, the OK check, the placement it
// answers with): the command line places whole provinces by tag on its own.
#include "assign/missing_province_model.h"

#include <gtest/gtest.h>

#include <numeric>

#include "refdata/province_names.h"

namespace {

using Labels = std::vector<std::string>;
using Indexes = std::vector<std::size_t>;

MissingProvinceModel OpenedModel(std::vector<ProvinceId> ids, std::vector<std::string> tags) {
  MissingProvinceModel model(MissingProvinces{std::move(ids), std::move(tags)});
  model.Open(ProvinceNames());
  return model;
}

void MoveAll(MissingProvinceModel& model) {
  Indexes every(model.notAddedLabels().size());
  std::iota(every.begin(), every.end(), std::size_t{0});
  model.SelectNotAdded(every);
  model.MoveToCountry();
}

// The box sorts its tags as Windows does (case-insensitive, stable) and drops empty ones.
TEST(MissingProvinceDialog, OpensWithTheFirstCountryOfTheSortedBox) {
  MissingProvinceModel model = OpenedModel({550, 12}, {"SOV", "", "ger", "ENG", "eng", "CAN"});
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "12"}));
  EXPECT_EQ(model.countryTags(), (Labels{"CAN", "ENG", "eng", "ger", "SOV"}));
  EXPECT_EQ(model.SelectedTag(), "CAN");
  EXPECT_TRUE(OpenedModel({550}, {"", ""}).countryTags().empty());
}

// "<-" moves the selection in list order and selects the entry that moved up.
TEST(MissingProvinceDialog, ManySelectedMoveInListOrderAndComeBackAtTheEnd) {
  MissingProvinceModel model = OpenedModel({1, 2, 3, 4, 5, 6, 7, 8}, {"ENG"});
  model.SelectNotAdded({6, 1, 3, 2, 3, 9, 5});  // any order, repeated, one past the end
  EXPECT_EQ(model.notAddedSelection(), (Indexes{1, 2, 3, 5, 6}));
  EXPECT_TRUE(model.MoveToCountry());
  EXPECT_EQ(model.countryLabels(), (Labels{"2", "3", "4", "6", "7"}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"1", "5", "8"}));
  EXPECT_EQ(model.notAddedSelection(), Indexes{1});

  model.SelectInCountry({4, 0, 2});
  EXPECT_TRUE(model.MoveBack());
  EXPECT_EQ(model.countryLabels(), (Labels{"3", "6"}));
  EXPECT_EQ(model.Placement()[0].ids, (std::vector<ProvinceId>{3, 6}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"1", "5", "8", "2", "4", "7"}));
  EXPECT_EQ(model.countrySelection(), Indexes{0});

  model.SelectNotAdded({5});
  EXPECT_TRUE(model.MoveToCountry());
  EXPECT_TRUE(model.notAddedSelection().empty());  // nothing below the last entry
}

// Without a selected province or country the arrows do nothing, and record nothing.
TEST(MissingProvinceDialog, ArrowsNeedAProvinceAndACountry) {
  MissingProvinceModel model = OpenedModel({550, 551}, {"ENG"});
  EXPECT_FALSE(model.MoveToCountry());
  EXPECT_FALSE(model.MoveBack());
  model.SelectCountry(7);  // outside the box: no country
  model.SelectNotAdded({0});
  EXPECT_FALSE(model.MoveToCountry());
  MoveAll(model);
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "551"}));
  EXPECT_TRUE(model.Placement().empty());
}

// Only an offered tag spelt exactly chooses a country; the province selection survives.
TEST(MissingProvinceDialog, TypedCountryMustBeAnOfferedTagSpeltExactly) {
  MissingProvinceModel model = OpenedModel({550, 563, 565}, {"ENG", "FRA"});
  model.SelectNotAdded({1});
  EXPECT_FALSE(model.ChooseCountryByText("ENG"));  // already chosen: the list stays
  EXPECT_TRUE(model.ChooseCountryByText("FRA"));
  EXPECT_EQ(model.notAddedSelection(), Indexes{1});
  EXPECT_TRUE(model.MoveToCountry());
  for (std::string_view text : {"fra", "FR", "FRA ", ""}) {
    model.ChooseCountryByText(text);
    EXPECT_FALSE(model.SelectedTag().has_value()) << text;
    model.SelectNotAdded({0});
    EXPECT_FALSE(model.MoveToCountry()) << text;
  }
  EXPECT_TRUE(model.ChooseCountryByText("FRA"));
  EXPECT_EQ(model.countryLabels(), Labels{"563"});
}

// OK is refused while a label is unplaced; a province moved back and given to
// another country is placed only there, countries in the order they first
// received a province, a duplicate id with each of its labels.
TEST(MissingProvinceDialog, FinishesOnlyWhenAllArePlacedAndAnswersTheLastChoice) {
  MissingProvinceModel model = OpenedModel({550, 551, 552, 550}, {"GER", "ENG"});
  model.SelectCountry(0);  // ENG
  model.SelectNotAdded({2});
  model.MoveToCountry();  // 552 to ENG
  model.SelectNotAdded({0});
  model.MoveToCountry();  // 550 to ENG
  EXPECT_EQ(model.TryFinish(), MissingProvinceModel::kProvincesLeftMessage);
  model.SelectInCountry({1});
  model.MoveBack();
  model.ChooseCountryByText("GER");
  MoveAll(model);  // 551, 550, then 550 again, to GER
  EXPECT_FALSE(model.TryFinish().has_value());
  const ProvincePlacement placement = model.Placement();
  ASSERT_EQ(placement.size(), 2u);
  EXPECT_EQ(placement[0].tag, "ENG");
  EXPECT_EQ(placement[0].ids, std::vector<ProvinceId>{552});
  EXPECT_EQ(placement[1].tag, "GER");
  EXPECT_EQ(placement[1].ids, (std::vector<ProvinceId>{551, 550, 550}));
}

}  // namespace
