#include "assign/missing_province_model.h"

#include <gtest/gtest.h>

#include "refdata/province_names.h"
#include "tests/script_text.h"

namespace {

using Labels = std::vector<std::string>;
using Indexes = std::vector<std::size_t>;

MissingProvinceModel OpenedModel(std::vector<int32_t> ids, std::vector<std::string> tags) {
  MissingProvinceModel model(std::move(ids), std::move(tags));
  model.Open(ProvinceNames());
  return model;
}

void SelectTag(MissingProvinceModel& model, std::string_view tag) {
  const std::optional<std::size_t> index = model.FindCountry(tag);
  ASSERT_TRUE(index.has_value()) << tag;
  model.SelectCountry(*index);
}

void MoveId(MissingProvinceModel& model, int32_t id) {
  const std::optional<std::size_t> index = model.FindNotAdded(id);
  ASSERT_TRUE(index.has_value()) << id;
  model.SelectNotAdded({*index});
  model.MoveToCountry();
}

std::vector<double> Numbers(const ScriptNode* list) {
  std::vector<double> numbers;
  for (int i = 0; list && i < list->ItemCount(); ++i) numbers.push_back(list->NumberAt(i));
  return numbers;
}

TEST(MissingProvinceModelOpening, ListsOneLabelPerMissingIdAndSelectsTheFirstCountry) {
  MissingProvinceModel model({550, 12, 550}, {"SOV", "", "ger", "ENG", "CAN"});
  EXPECT_TRUE(model.notAddedLabels().empty());
  EXPECT_FALSE(model.countryBoxSelection().has_value());

  model.Open(ProvinceNames({"PROV12;Oldtown"}));
  EXPECT_EQ(model.missingIds(), (std::vector<int32_t>{550, 12, 550}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550, PROV550", "12, Oldtown", "550, PROV550"}));
  EXPECT_EQ(model.countryTags(), (Labels{"CAN", "ENG", "ger", "SOV"}));
  EXPECT_EQ(model.countryBoxSelection(), 0u);
  EXPECT_EQ(model.SelectedTag(), "CAN");
  EXPECT_TRUE(model.countryLabels().empty());
  EXPECT_TRUE(model.notAddedSelection().empty());
  EXPECT_TRUE(model.countrySelection().empty());
  EXPECT_TRUE(model.assignments().empty());
}

TEST(MissingProvinceModelOpening, LabelsBareIdsWithoutNames) {
  EXPECT_EQ(OpenedModel({1025, 7}, {"ENG"}).notAddedLabels(), (Labels{"1025", "7"}));
}

TEST(MissingProvinceModelOpening, KeepsTheBoxOrderOfTagsThatDifferOnlyInCase) {
  EXPECT_EQ(OpenedModel({1}, {"eng", "BRA", "ENG", "Eng"}).countryTags(),
            (Labels{"BRA", "eng", "ENG", "Eng"}));
}

TEST(MissingProvinceModelMoves, MoveTheSelectedProvinceToTheSelectedCountry) {
  MissingProvinceModel model = OpenedModel({550, 551, 552}, {"GER", "ENG"});
  model.SelectNotAdded({1});
  model.MoveToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "552"}));
  EXPECT_EQ(model.countryLabels(), (Labels{"551"}));
  EXPECT_EQ(model.notAddedSelection(), Indexes{1});  // the entry that moved up
  ASSERT_EQ(model.assignments().size(), 1u);
  EXPECT_EQ(model.assignments()[0].tag, "ENG");
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"551"}));

  model.MoveToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550"}));
  EXPECT_EQ(model.countryLabels(), (Labels{"551", "552"}));
  EXPECT_TRUE(model.notAddedSelection().empty());  // nothing below the last entry

  model.MoveToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550"}));
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"551", "552"}));
}

TEST(MissingProvinceModelMoves, DoNothingWithoutASelectedProvince) {
  MissingProvinceModel model = OpenedModel({550, 551}, {"ENG"});
  model.MoveToCountry();
  model.SelectNotAdded({2});
  model.MoveToCountry();
  model.MoveBack();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "551"}));
  EXPECT_TRUE(model.countryLabels().empty());
  EXPECT_TRUE(model.assignments().empty());
}

TEST(MissingProvinceModelMoves, DoNothingWithoutASelectedCountry) {
  MissingProvinceModel model = OpenedModel({550, 551}, {"ENG"});
  MoveId(model, 550);
  model.SelectCountry(std::nullopt);
  EXPECT_TRUE(model.countryLabels().empty());
  model.SelectNotAdded({0});
  model.MoveToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"551"}));
  model.SelectCountry(7);  // outside the box: no selection either
  model.SelectNotAdded({0});
  model.MoveToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"551"}));
  ASSERT_EQ(model.assignments().size(), 1u);
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"550"}));

  MissingProvinceModel empty = OpenedModel({550}, {"", ""});
  EXPECT_TRUE(empty.countryTags().empty());
  EXPECT_FALSE(empty.countryBoxSelection().has_value());
  empty.SelectNotAdded({0});
  empty.MoveToCountry();
  EXPECT_EQ(empty.notAddedLabels(), (Labels{"550"}));
  EXPECT_TRUE(empty.assignments().empty());
}

TEST(MissingProvinceModelMoves, BackKeepTheCountrySelectionAtItsIndex) {
  MissingProvinceModel model = OpenedModel({550, 551, 552}, {"ENG"});
  for (int32_t id : {550, 551, 552}) MoveId(model, id);
  model.SelectInCountry({1});
  model.MoveBack();
  EXPECT_EQ(model.countryLabels(), (Labels{"550", "552"}));
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"550", "552"}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"551"}));
  EXPECT_EQ(model.countrySelection(), Indexes{1});
  model.MoveBack();
  EXPECT_EQ(model.countryLabels(), (Labels{"550"}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"551", "552"}));
  EXPECT_TRUE(model.countrySelection().empty());
  model.MoveBack();
  EXPECT_EQ(model.countryLabels(), (Labels{"550"}));
}

TEST(MissingProvinceModelCountries, ShowTheirOwnProvincesWhenSwitchedTo) {
  MissingProvinceModel model = OpenedModel({550, 551, 552}, {"ENG", "GER"});
  SelectTag(model, "ENG");
  MoveId(model, 551);
  SelectTag(model, "GER");
  EXPECT_TRUE(model.countryLabels().empty());
  MoveId(model, 552);
  EXPECT_EQ(model.countryLabels(), (Labels{"552"}));

  model.SelectInCountry({0});
  SelectTag(model, "ENG");
  EXPECT_EQ(model.countryLabels(), (Labels{"551"}));
  EXPECT_TRUE(model.countrySelection().empty());

  model.SelectInCountry({0});
  model.MoveBack();
  EXPECT_TRUE(model.countryLabels().empty());
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "551"}));  // listed again at the end
  ASSERT_EQ(model.assignments().size(), 2u);
  EXPECT_EQ(model.assignments()[0].tag, "ENG");
  EXPECT_TRUE(model.assignments()[0].labels.empty());
  EXPECT_EQ(model.assignments()[1].labels, (Labels{"552"}));
}

// The box's text counts only when it is an offered tag spelt exactly.
TEST(MissingProvinceModelCountries, FollowTheBoxTextOnlyWhenItIsAnOfferedTag) {
  MissingProvinceModel model = OpenedModel({550, 563, 565}, {"ENG", "FRA"});
  EXPECT_FALSE(model.ChooseCountryByText("ENG"));
  EXPECT_TRUE(model.ChooseCountryByText("FRA"));
  EXPECT_EQ(model.SelectedTag(), "FRA");
  MoveId(model, 563);
  ASSERT_EQ(model.assignments().size(), 1u);
  EXPECT_EQ(model.assignments()[0].tag, "FRA");

  for (std::string_view text : {"fra", "FR", "FRA ", ""}) {
    model.ChooseCountryByText(text);
    EXPECT_FALSE(model.SelectedTag().has_value()) << text;
    EXPECT_TRUE(model.countryLabels().empty()) << text;
    model.SelectNotAdded({0});
    EXPECT_FALSE(model.MoveToCountry()) << text;
  }
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "565"}));
  EXPECT_EQ(model.assignments()[0].labels, Labels{"563"});

  EXPECT_TRUE(model.ChooseCountryByText("FRA"));
  EXPECT_EQ(model.countryLabels(), Labels{"563"});
  model.SelectInCountry({0});
  EXPECT_FALSE(model.ChooseCountryByText("FRA"));  // the same country: its list stays as it is
  EXPECT_EQ(model.countrySelection(), Indexes{0});
}

// Most people pick the province first, then the country.
TEST(MissingProvinceModelCountries, ChangeKeepsTheProvinceSelection) {
  MissingProvinceModel model = OpenedModel({550, 563, 565}, {"ENG", "FRA"});
  model.SelectNotAdded({1});
  EXPECT_TRUE(model.ChooseCountryByText("FRA"));
  EXPECT_EQ(model.notAddedSelection(), Indexes{1});
  EXPECT_TRUE(model.MoveToCountry());
  EXPECT_EQ(model.countryLabels(), Labels{"563"});
  EXPECT_EQ(model.assignments()[0].tag, "FRA");
  EXPECT_EQ(model.assignments()[0].labels, Labels{"563"});
}

TEST(MissingProvinceModelMoves, ManySelectedGoInListOrderAndComeBack) {
  MissingProvinceModel model = OpenedModel({1, 2, 3, 4, 5, 6, 7, 8}, {"ENG"});
  model.SelectNotAdded({6, 1, 3, 2, 3, 9, 5});  // any order, repeated, one past the end
  EXPECT_EQ(model.notAddedSelection(), (Indexes{1, 2, 3, 5, 6}));
  EXPECT_TRUE(model.MoveToCountry());
  EXPECT_EQ(model.countryLabels(), (Labels{"2", "3", "4", "6", "7"}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"1", "5", "8"}));
  EXPECT_EQ(model.notAddedSelection(), Indexes{1});  // "5" moved up into the place of "2"
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"2", "3", "4", "6", "7"}));

  model.SelectInCountry({4, 0, 2});
  EXPECT_TRUE(model.MoveBack());
  EXPECT_EQ(model.countryLabels(), (Labels{"3", "6"}));
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"3", "6"}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"1", "5", "8", "2", "4", "7"}));
  EXPECT_EQ(model.countrySelection(), Indexes{0});
  EXPECT_EQ(model.FindNotAdded(7), 5u);
  EXPECT_FALSE(model.FindNotAdded(6).has_value());
}

TEST(MissingProvinceModelFinish, IsRefusedWhileProvincesRemain) {
  MissingProvinceModel model = OpenedModel({7, 7, 8}, {"ENG"});
  EXPECT_EQ(model.notAddedLabels(), (Labels{"7", "7", "8"}));
  EXPECT_EQ(model.TryFinish(), "You must add all missing provinces!!!");
  MoveId(model, 7);
  MoveId(model, 8);
  EXPECT_EQ(model.notAddedLabels(), (Labels{"7"}));
  EXPECT_EQ(model.TryFinish(), "You must add all missing provinces!!!");
  MoveId(model, 7);
  EXPECT_FALSE(model.TryFinish().has_value());
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"7", "8", "7"}));
}

TEST(MissingProvinceModelFinish, IsAllowedAtOnceWithNothingMissing) {
  EXPECT_FALSE(OpenedModel({}, {"ENG"}).TryFinish().has_value());
}

TEST(MissingProvinceModelApply, AppendsToTheListsOfEveryCountryWithTheTag) {
  ScriptFile scenario;
  scenario.root = ParseScript(
      "header = { selectable = { ENG GER ITA } }\n"
      "country = { tag = ENG ownedprovinces = { 1 } controlledprovinces = { 1 } }\n"
      "country = { tag = GER ownedprovinces = { } controlledprovinces = { 2 } }\n"
      "country = { tag = ENG ownedprovinces = { 3 } nationalprovinces = { 3 } }\n");
  const std::string header = WrittenText(scenario.root->FirstChild("header"));
  MissingProvinceModel model = OpenedModel({550, 551, 552, 553}, {"ENG", "GER", "ITA"});
  SelectTag(model, "ENG");
  MoveId(model, 551);
  MoveId(model, 550);
  SelectTag(model, "GER");
  MoveId(model, 552);
  SelectTag(model, "ITA");
  MoveId(model, 553);
  model.ApplyTo(scenario.root);

  std::vector<ScriptMatch> countries;
  scenario.root->FindAll("country", &countries, 0, 0);
  ASSERT_EQ(countries.size(), 3u);
  const ScriptNode* eng = countries[0].node;
  const ScriptNode* ger = countries[1].node;
  const ScriptNode* engAgain = countries[2].node;
  EXPECT_EQ(Numbers(eng->FirstChild("ownedprovinces")), (std::vector<double>{1, 551, 550}));
  EXPECT_EQ(Numbers(eng->FirstChild("controlledprovinces")), (std::vector<double>{1, 551, 550}));
  EXPECT_EQ(Numbers(ger->FirstChild("ownedprovinces")), (std::vector<double>{552}));
  EXPECT_EQ(Numbers(ger->FirstChild("controlledprovinces")), (std::vector<double>{2, 552}));
  EXPECT_EQ(Numbers(engAgain->FirstChild("ownedprovinces")), (std::vector<double>{3, 551, 550}));
  EXPECT_EQ(Numbers(engAgain->FirstChild("nationalprovinces")), (std::vector<double>{3}));
  EXPECT_EQ(engAgain->FirstChild("controlledprovinces"), nullptr);
  EXPECT_EQ(WrittenText(scenario.root->FirstChild("header")), header);
}

TEST(MissingProvinceModelApply, GivesAProvinceMovedBackOnlyToItsLastCountry) {
  ScriptFile scenario;
  scenario.root = ParseScript(
      "country = { tag = ENG ownedprovinces = { } controlledprovinces = { } }\n"
      "country = { tag = GER ownedprovinces = { } controlledprovinces = { } }\n");
  MissingProvinceModel model = OpenedModel({550}, {"ENG", "GER"});
  SelectTag(model, "ENG");
  MoveId(model, 550);
  model.SelectInCountry({0});
  model.MoveBack();
  SelectTag(model, "GER");
  MoveId(model, 550);
  model.ApplyTo(scenario.root);

  const ScriptNode* eng = scenario.root->ChildAt(0);
  const ScriptNode* ger = scenario.root->ChildAt(1);
  EXPECT_TRUE(Numbers(eng->FirstChild("ownedprovinces")).empty());
  EXPECT_TRUE(Numbers(eng->FirstChild("controlledprovinces")).empty());
  EXPECT_EQ(Numbers(ger->FirstChild("ownedprovinces")), (std::vector<double>{550}));
  EXPECT_EQ(Numbers(ger->FirstChild("controlledprovinces")), (std::vector<double>{550}));
}

TEST(MissingProvinceModelLookups, FindTagsIdsAndTheIdOfALabel) {
  MissingProvinceModel model(std::vector<int32_t>{5, 55, 5}, {"GER", "ENG"});
  model.Open(ProvinceNames({"PROV55;Fifty-five"}));
  EXPECT_EQ(model.FindCountry("GER"), 1u);
  EXPECT_FALSE(model.FindCountry("ger").has_value());
  EXPECT_EQ(model.FindNotAdded(55), 1u);
  EXPECT_EQ(model.FindNotAdded(5), 0u);
  EXPECT_FALSE(model.FindNotAdded(6).has_value());
  EXPECT_EQ(ProvinceIdOfLabel("550, Oldtown"), 550);
  EXPECT_EQ(ProvinceIdOfLabel("1025"), 1025);
  EXPECT_EQ(ProvinceIdOfLabel("Oldtown"), 0);
}

// A label's id is found while it is unplaced, and again once it is moved back.
TEST(MissingProvinceModelLookups, FollowTheLabelsAsTheyMove) {
  MissingProvinceModel model = OpenedModel({7, 8, 7}, {"ENG"});
  MoveId(model, 7);
  EXPECT_EQ(model.FindNotAdded(7), 1u);
  MoveId(model, 7);
  EXPECT_FALSE(model.FindNotAdded(7).has_value());
  model.SelectInCountry({1});
  model.MoveBack();
  EXPECT_EQ(model.FindNotAdded(7), 1u);
  EXPECT_TRUE(model.IsMissing(7));
  EXPECT_TRUE(model.IsMissing(8));
  EXPECT_FALSE(model.IsMissing(9));
}

// Moving all at once ends as moving the first label, one after the other, does.
TEST(MissingProvinceModelMoves, AllAtOnceAsOneByOne) {
  const auto moved = [](bool allAtOnce) {
    MissingProvinceModel model = OpenedModel({550, 551, 550, 552}, {"GER", "ENG"});
    SelectTag(model, "ENG");
    MoveId(model, 551);
    SelectTag(model, "GER");
    if (allAtOnce) {
      model.MoveAllToCountry();
    } else {
      while (!model.notAddedLabels().empty()) {
        model.SelectNotAdded({0});
        model.MoveToCountry();
      }
    }
    return model;
  };
  const MissingProvinceModel all = moved(true);
  const MissingProvinceModel each = moved(false);
  EXPECT_TRUE(all.notAddedLabels().empty());
  EXPECT_EQ(all.countryLabels(), (Labels{"550", "550", "552"}));
  EXPECT_EQ(all.countryLabels(), each.countryLabels());
  EXPECT_EQ(all.notAddedSelection(), each.notAddedSelection());
  ASSERT_EQ(all.assignments().size(), each.assignments().size());
  for (std::size_t a = 0; a < all.assignments().size(); ++a) {
    EXPECT_EQ(all.assignments()[a].tag, each.assignments()[a].tag);
    EXPECT_EQ(all.assignments()[a].labels, each.assignments()[a].labels);
  }
  EXPECT_FALSE(all.FindNotAdded(550).has_value());
}

TEST(MissingProvinceModelMoves, AllAtOnceDoNothingWithoutASelectedCountry) {
  MissingProvinceModel model = OpenedModel({550}, {});
  model.MoveAllToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550"}));
}

}  // namespace
