// The "Add Missing Provinces" dialog's rules that the command line never uses
// (selections, moving back, the typed country, the OK check): the command-line
// program reaches the model only through whole provinces placed by tag.
#include "assign/missing_province_model.h"

#include <gtest/gtest.h>

#include "refdata/province_names.h"
#include "script/script_file.h"
#include "script/script_output.h"
#include "tests/test_files.h"

namespace {

using Labels = std::vector<std::string>;
using Indexes = std::vector<std::size_t>;

MissingProvinceModel OpenedModel(std::vector<int32_t> ids, std::vector<std::string> tags) {
  MissingProvinceModel model(std::move(ids), std::move(tags));
  model.Open(ProvinceNames());
  return model;
}

// The box sorts its tags as Windows does (case-insensitive, stable) and drops empty ones.
TEST(MissingProvinceDialog, OpensWithTheFirstCountryOfTheSortedBox) {
  MissingProvinceModel model({550, 12}, {"SOV", "", "ger", "ENG", "eng", "CAN"});
  model.Open(ProvinceNames({"PROV12;Oldtown"}));
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550, PROV550", "12, Oldtown"}));
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
  EXPECT_EQ(model.assignments()[0].labels, (Labels{"3", "6"}));
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
  model.MoveAllToCountry();
  EXPECT_EQ(model.notAddedLabels(), (Labels{"550", "551"}));
  EXPECT_TRUE(model.assignments().empty());
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
// another country is written only there, and to every country block of a tag.
TEST(MissingProvinceDialog, FinishesOnlyWhenAllArePlacedAndWritesTheLastChoice) {
  ScriptFile scenario;
  LineCollector log;
  TempDir dir;
  WriteFile(dir.File("s.kst"),
            "country = { tag = ENG ownedprovinces = { 1 } controlledprovinces = { 1 } }\n"
            "country = { tag = GER ownedprovinces = { } controlledprovinces = { 2 } }\n"
            "country = { tag = ENG ownedprovinces = { 3 } }\n");
  ASSERT_TRUE(scenario.Load(dir.File("s.kst"), "s.kst", log));
  MissingProvinceModel model = OpenedModel({550, 551, 552}, {"ENG", "GER"});
  model.SelectNotAdded({2});
  model.MoveToCountry();  // 552 to ENG
  model.SelectNotAdded({0});
  model.MoveToCountry();  // 550 to ENG
  EXPECT_EQ(model.TryFinish(), MissingProvinceModel::kProvincesLeftMessage);
  model.SelectInCountry({1});
  model.MoveBack();
  model.SelectCountry(*model.FindCountry("GER"));
  model.MoveAllToCountry();  // 551, then 550, to GER
  EXPECT_FALSE(model.TryFinish().has_value());
  model.ApplyTo(scenario.root);
  ScriptOutput out;
  for (int i = 0; i < scenario.root->ItemCount(); ++i) scenario.root->ChildAt(i)->Write(out, 0, false);
  EXPECT_EQ(out.text(),
            "country = \n{\n    tag = ENG\n    ownedprovinces = { 1 552 }\n    controlledprovinces = { 1 552 }\n}\n"
            "country = \n{\n    tag = GER\n    ownedprovinces = { 551 550 }\n    controlledprovinces = { 2 551 550 }\n}\n"
            "country = { tag = ENG ownedprovinces = { 3 552 }\n }\n");
}

}  // namespace
