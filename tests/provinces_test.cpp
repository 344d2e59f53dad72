#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "convert/scenario_converter.h"
#include "refdata/province_map.h"
#include "tests/test_files.h"

namespace {

using Values = std::vector<double>;

// The numbers of a country's list, in order.
Values ListOf(const ScriptNode* country, std::string_view key) {
  Values values;
  const ScriptNode* list = country->FirstChild(key);
  if (list && list->kind == kNumbers)
    for (int i = 0; i < list->ItemCount(); ++i) values.push_back(list->NumberAt(i));
  return values;
}

// A converter part way through Convert: the save loaded as its source tree, an
// empty scenario, and a province map with the rows a test sets.
class ProvincesTest : public ::testing::Test {
 protected:
  ProvincesTest() {
    converter.sourceRoot = ScriptNode::NewRoot();
    converter.root = ScriptNode::NewRoot();
    provinces.Set(12, {550});
    provinces.Set(13, {551});
    provinces.Set(49, {1, 2});
    provinces.Set(308, {92, 3002});
    provinces.Set(309, {92, 3003});
    provinces.Set(310, {92, 3003});
  }

  void LoadSave(std::string_view text) {
    TempDir dir;
    WriteFile(dir.File("save.kst"), text);
    LineCollector log;
    ASSERT_TRUE(converter.Load(dir.File("save.kst"), "save.kst", log));
    ScriptNode::DeleteTree(converter.sourceRoot);
    converter.sourceRoot = converter.root;
    converter.root = ScriptNode::NewRoot();
  }

  const ScriptNode* Source(std::string_view tag) const {
    for (int i = 0; i < converter.sourceRoot->ItemCount(); ++i) {
      const ScriptNode* country = converter.sourceRoot->ChildAt(i);
      if (country->name() == "country" && ScenarioConverter::TextValueOf(country, "tag") == tag)
        return country;
    }
    return nullptr;
  }

  // A target country as the country step starts it: its tag and three empty lists.
  ScriptNode* AddCountry(std::string_view tag) {
    ScriptNode* country = converter.root->AddChild("country");
    ScenarioConverter::AddTextValue(country, "tag", tag);
    for (const std::string& key : converter.targetProvinceKeys) country->AddChild(key);
    return country;
  }

  // Converts the province lists of the source countries with these tags, in
  // order, then runs the passes that settle the contested provinces.
  void ConvertOwnership(std::initializer_list<std::string_view> tags) {
    for (std::string_view tag : tags)
      converter.ConvertProvinceLists(provinces, AddCountry(tag), Source(tag));
    SettleContests();
  }

  void SettleContests() {
    converter.ClaimProvinces(provinces);
    converter.DecideSharedProvinces();
    converter.WriteSharedProvinces();
  }

  ScriptNode* Target(std::string_view tag) const {
    for (int i = 0; i < converter.root->ItemCount(); ++i) {
      ScriptNode* country = converter.root->ChildAt(i);
      if (ScenarioConverter::TextValueOf(country, "tag") == tag) return country;
    }
    return nullptr;
  }

  void AddRecords(std::initializer_list<int32_t> ids) {
    for (int32_t id : ids) {
      ProvinceRecord record;
      record.id = id;
      converter.provinceRecords.push_back(record);
    }
  }

  double AirBase(int32_t id) const {
    for (const ProvinceRecord& record : converter.provinceRecords)
      if (record.id == id) return record.airBaseSize;
    return -1;
  }

  ScenarioConverter converter;
  ProvinceMap provinces;
};

TEST_F(ProvincesTest, WholeProvincesGoStraightToTheirCountry) {
  LoadSave(
      "country = { tag = ENG ownedprovinces = { 12 49 999 } nationalprovinces = { 13 } }\n");
  ConvertOwnership({"ENG"});
  const ScriptNode* eng = Target("ENG");
  EXPECT_EQ(ListOf(eng, "ownedprovinces"), (Values{550, 1, 2}));
  EXPECT_EQ(ListOf(eng, "controlledprovinces"), (Values{550, 1, 2}));
  EXPECT_EQ(ListOf(eng, "nationalprovinces"), (Values{551}));
  EXPECT_EQ(converter.assignedProvinceIds, (std::vector<int32_t>{550, 1, 2, 550, 1, 2}));
  EXPECT_TRUE(converter.provinceShares.empty());
}

TEST_F(ProvincesTest, ListsOfAnUnexpectedKindAreSkipped) {
  LoadSave(
      "country = { tag = ENG ownedprovinces = { ENG FRA } nationalprovinces = { a = 12 } }\n");
  ScriptNode* eng = AddCountry("ENG");
  converter.ConvertProvinceLists(provinces, eng, Source("ENG"));
  EXPECT_EQ(eng->FirstChild("ownedprovinces")->ItemCount(), 0);
  EXPECT_EQ(eng->FirstChild("nationalprovinces")->ItemCount(), 0);
  EXPECT_TRUE(converter.assignedProvinceIds.empty());
}

TEST_F(ProvincesTest, HeavierContributorWinsOwnedAndControlled) {
  LoadSave(
      "country = { tag = FRA ownedprovinces = { 308 } nationalprovinces = { 308 } }\n"
      "country = { tag = GER ownedprovinces = { 309 } nationalprovinces = { 309 } }\n");
  ConvertOwnership({"FRA", "GER"});
  const ScriptNode* fra = Target("FRA");
  const ScriptNode* ger = Target("GER");
  EXPECT_EQ(ListOf(ger, "ownedprovinces"), (Values{92}));
  EXPECT_EQ(ListOf(ger, "controlledprovinces"), (Values{92}));
  EXPECT_TRUE(ListOf(fra, "ownedprovinces").empty());
  EXPECT_TRUE(ListOf(fra, "controlledprovinces").empty());
  // National lists are not contested.
  EXPECT_EQ(ListOf(fra, "nationalprovinces"), (Values{92}));
  EXPECT_EQ(ListOf(ger, "nationalprovinces"), (Values{92}));
  EXPECT_EQ(converter.assignedProvinceIds, (std::vector<int32_t>{92, 92}));
}

TEST_F(ProvincesTest, ContributionsToOneProvinceAddUp) {
  // FRA: 2 + 3 from two contributors; GER: 3.
  LoadSave(
      "country = { tag = GER ownedprovinces = { 309 } }\n"
      "country = { tag = FRA ownedprovinces = { 308 310 } }\n");
  ConvertOwnership({"GER", "FRA"});
  EXPECT_EQ(ListOf(Target("FRA"), "ownedprovinces"), (Values{92}));
  EXPECT_TRUE(ListOf(Target("GER"), "ownedprovinces").empty());
}

TEST_F(ProvincesTest, EarlierCountryWinsATie) {
  LoadSave(
      "country = { tag = GER ownedprovinces = { 309 } }\n"
      "country = { tag = FRA ownedprovinces = { 310 } }\n");
  ConvertOwnership({"GER", "FRA"});
  EXPECT_EQ(ListOf(Target("GER"), "ownedprovinces"), (Values{92}));
  EXPECT_EQ(ListOf(Target("GER"), "controlledprovinces"), (Values{92}));
  EXPECT_TRUE(ListOf(Target("FRA"), "ownedprovinces").empty());
}

TEST_F(ProvincesTest, ContestComparesWithTheFirstRivalStillKept) {
  using Share = ProvinceShare;
  converter.provinceShares = {
      Share{"AAA", "ownedprovinces", 92, 1},      Share{"AAA", "ownedprovinces", 92, 3},
      Share{"BBB", "nationalprovinces", 92, 0.5}, Share{"BBB", "ownedprovinces", 92, 2},
      Share{"CCC", "ownedprovinces", 92, 2.5},    Share{"CCC", "controlledprovinces", 92, 0.1},
      Share{"CCC", "ownedprovinces", 93, 0.1},    Share{"AAA", "ownedprovinces", 92, 5},
  };
  converter.DecideSharedProvinces();
  // AAA 1 and AAA 3 share the province; BBB 2 beats the first of them, AAA 1.
  // CCC 2.5 then meets AAA 3 and loses; AAA 5 meets BBB 2 and replaces it.
  const std::vector<Share> kept = converter.provinceShares;
  ASSERT_EQ(kept.size(), 5u);
  EXPECT_EQ(kept[0].weight, 3);
  EXPECT_EQ(kept[1].list, "nationalprovinces");
  EXPECT_EQ(kept[2].list, "controlledprovinces");
  EXPECT_EQ(kept[3].province, 93);
  EXPECT_EQ(kept[4].country, "AAA");
  EXPECT_EQ(kept[4].weight, 5);
}

TEST_F(ProvincesTest, ClaimOnAnUnownedProvinceIsWonWithWeightTwo) {
  converter.tagMap["ENG"] = "ENG";
  LoadSave(
      "province = { id = 12 claim = { x = 1 } claimant = ENG }\n"
      "country = { tag = ENG ownedprovinces = { 13 } }\n");
  converter.CollectProvinceData();
  ASSERT_EQ(converter.provinceClaims.size(), 1u);
  EXPECT_EQ(converter.provinceClaims[0].claimant, "ENG");
  ConvertOwnership({"ENG"});
  EXPECT_EQ(ListOf(Target("ENG"), "ownedprovinces"), (Values{551, 550}));
  EXPECT_EQ(ListOf(Target("ENG"), "controlledprovinces"), (Values{551, 550}));
  ASSERT_EQ(converter.provinceShares.size(), 2u);
  EXPECT_EQ(converter.provinceShares[0].weight, 2);
  EXPECT_EQ(converter.provinceShares[1].list, "controlledprovinces");
}

TEST_F(ProvincesTest, ClaimIsIgnoredOnlyWhereOwnedAndControlledListsHoldTheProvince) {
  LoadSave("country = { tag = ENG ownedprovinces = { 12 } }\n");
  ScriptNode* eng = AddCountry("ENG");
  converter.ConvertProvinceLists(provinces, eng, Source("ENG"));
  // 551 stands twice in ENG's block too, but not in its province lists.
  ScenarioConverter::AddNumberValue(eng, "energy", 551);
  eng->AddChild("technology")->AddNumber(551);
  AddCountry("FRA");
  converter.provinceClaims = {{"FRA", 12}, {"FRA", 13}};
  SettleContests();
  EXPECT_EQ(ListOf(Target("FRA"), "ownedprovinces"), (Values{551}));
  EXPECT_EQ(ListOf(Target("FRA"), "controlledprovinces"), (Values{551}));
  EXPECT_EQ(ListOf(eng, "ownedprovinces"), (Values{550}));
}

TEST_F(ProvincesTest, ClaimOnAContributorAddsToTheShareOrStartsAtOne) {
  provinces.Set(400, {92});
  converter.provinceClaims = {{"ENG", 400}, {"ENG", 308}, {"FRA", 309}};
  converter.ClaimProvinces(provinces);
  // ENG's one-to-one claim on 92 comes first, and the contributor claim adds to it.
  using Share = ProvinceShare;
  const std::vector<Share> expected = {
      {"ENG", "ownedprovinces", 92, 4},      {"FRA", "ownedprovinces", 92, 1},
      {"ENG", "controlledprovinces", 92, 4}, {"FRA", "controlledprovinces", 92, 1}};
  ASSERT_EQ(converter.provinceShares.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(converter.provinceShares[i].country, expected[i].country) << i;
    EXPECT_EQ(converter.provinceShares[i].list, expected[i].list) << i;
    EXPECT_EQ(converter.provinceShares[i].weight, expected[i].weight) << i;
  }
}

TEST_F(ProvincesTest, ClaimOnAPlacedContributorOnlyAddsToAnExistingShare) {
  LoadSave(
      "country = { tag = FRA ownedprovinces = { 309 } }\n"
      "country = { tag = ENG ownedprovinces = { 12 } }\n");
  provinces.Set(12, {92});
  for (std::string_view tag : {"FRA", "ENG"})
    converter.ConvertProvinceLists(provinces, AddCountry(tag), Source(tag));
  converter.provinceClaims = {{"FRA", 308}, {"GER", 308}};
  converter.ClaimProvinces(provinces);
  ASSERT_EQ(converter.provinceShares.size(), 2u);
  EXPECT_EQ(converter.provinceShares[0].weight, 5);  // 3 owned + 2 claimed
  EXPECT_EQ(converter.provinceShares[1].weight, 5);
}

TEST_F(ProvincesTest, ProvinceDataAndClaimsFromTheSave) {
  converter.tagMap["ENG"] = "ENG";
  converter.motherMap["SAX"] = "GER";
  LoadSave(
      "province = { id = 12 railroad_level = 2 pop = { size = 1.5 } pop = { size = 2 }\n"
      "  building = { pop = { size = 9 } } claim = yes claimant = SAX }\n"
      "province = { id = 13 project = { a = 1 } claimant = XXX }\n"
      "province = { id = 49 claim = yes nationalism = 1 claimant = ENG }\n"
      "province = { id = 0 claim = yes claimant = ENG }\n"
      "province = 77\n"
      "province = { id = 50 pop = words claimant = { a = 1 } claim = yes }\n");
  converter.CollectProvinceData();
  ASSERT_EQ(converter.provinceInfo.size(), 4u);
  EXPECT_EQ(converter.provinceInfo[0].province, 12);
  EXPECT_EQ(converter.provinceInfo[0].railroad, 2);
  EXPECT_EQ(converter.provinceInfo[0].population, 3.5);
  EXPECT_EQ(converter.provinceInfo[3].province, 50);
  EXPECT_EQ(converter.provinceInfo[3].population, 0);
  ASSERT_EQ(converter.provinceClaims.size(), 3u);
  EXPECT_EQ(converter.provinceClaims[0].claimant, "GER");  // the mother's tag comes first
  EXPECT_EQ(converter.provinceClaims[1].claimant, "");
  EXPECT_EQ(converter.provinceClaims[1].province, 13);
  EXPECT_EQ(converter.provinceClaims[2].claimant, "");
  // Looking a tag up leaves empty entries behind.
  EXPECT_EQ(converter.tagMap.count("XXX"), 1u);
  EXPECT_EQ(converter.motherMap.count("XXX"), 1u);
}

TEST_F(ProvincesTest, ClaimMarksCountWithinTwoLevels) {
  LoadSave(
      "province = { id = 20 flags = { claim = 1 } }\n"
      "province = { id = 21 tags = { other project } }\n"
      "province = { id = 22 a = { b = { claim = 1 } } }\n"
      "province = { id = 23 a = { tags = { claim } } }\n"
      "province = { id = 24 claim = yes flags = { nationalism = 2 } }\n"
      "province = { id = 25 claim = yes tags = { nationalism } }\n");
  converter.CollectProvinceData();
  ASSERT_EQ(converter.provinceClaims.size(), 2u);
  EXPECT_EQ(converter.provinceClaims[0].province, 20);
  EXPECT_EQ(converter.provinceClaims[1].province, 21);
}

TEST_F(ProvincesTest, CapitalMarksTheFirstRecordOfItsSourceProvince) {
  LoadSave(
      "country = { tag = ENG capital = 12 }\n"
      "country = { tag = FRA capital = 49.5 }\n"
      "country = { tag = GER capital = 999 }\n");
  converter.provinceInfo = {{12, 0, 0, 2, 1}, {12, 0, 0, 0, 0}, {49, 0, 0, 0, 0}};
  ScriptNode* eng = AddCountry("ENG");
  EXPECT_EQ(converter.ConvertCapital(provinces, eng, Source("ENG")), 550);
  EXPECT_EQ(ScenarioConverter::NumberValueOf(eng, "capital", 0), 550);
  EXPECT_EQ(converter.provinceInfo[0].industry, 5);
  EXPECT_EQ(converter.provinceInfo[0].capitalMark, 5);
  EXPECT_EQ(converter.provinceInfo[1].capitalMark, 0);

  // 49.5 maps through 49 but is no source province id; 999 has no target.
  ScriptNode* fra = AddCountry("FRA");
  EXPECT_EQ(converter.ConvertCapital(provinces, fra, Source("FRA")), 1);
  EXPECT_EQ(converter.provinceInfo[2].capitalMark, 0);
  ScriptNode* ger = AddCountry("GER");
  EXPECT_EQ(converter.ConvertCapital(provinces, ger, Source("GER")), 0);
  EXPECT_EQ(ger->FirstChild("capital"), nullptr);
}

TEST_F(ProvincesTest, AirBasesForAMiddlingCountry) {
  AddRecords({550, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  converter.techCounts.push_back({"ENG", 0, 0, 12, 0, 0});
  ScriptNode* eng = AddCountry("ENG");
  for (double province : {550, 1, 2, 3, 4, 5, 6, 7, 8, 9})
    eng->FirstChild("ownedprovinces")->AddNumber(province);
  converter.AssignAirBases(eng, 550, "ENG");
  EXPECT_EQ(AirBase(550), 4);
  EXPECT_EQ(AirBase(2), 4);  // position 2
  EXPECT_EQ(AirBase(1), 0);
  EXPECT_EQ(AirBase(3), 0);
}

TEST_F(ProvincesTest, AirBasesForASmallCountryAndABackwardOne) {
  AddRecords({550, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  converter.techCounts.push_back({"ENG", 0, 0, 20, 0, 0});
  converter.techCounts.push_back({"FRA", 0, 0, 5, 0, 0});
  ScriptNode* eng = AddCountry("ENG");
  eng->FirstChild("ownedprovinces")->AddNumber(550);
  converter.AssignAirBases(eng, 550, "ENG");
  EXPECT_EQ(AirBase(550), 5);

  ScriptNode* fra = AddCountry("FRA");
  for (double province : {1, 2, 3, 4, 5, 6, 7, 8, 9, 1})
    fra->FirstChild("ownedprovinces")->AddNumber(province);
  converter.AssignAirBases(fra, 9, "FRA");
  EXPECT_EQ(AirBase(9), 3);  // backward: 3, except for the second base
  EXPECT_EQ(AirBase(3), 4);
}

TEST_F(ProvincesTest, AirBasesForAnAdvancedLargeCountry) {
  ScriptNode* ger = AddCountry("GER");
  ScriptNode* owned = ger->FirstChild("ownedprovinces");
  for (int32_t province = 100; province < 130; ++province) {
    AddRecords({province});
    owned->AddNumber(province);
  }
  converter.techCounts.push_back({"GER", 0, 0, 25, 0, 0});
  // m = 9: bases 1 to 4 lead, at positions 2, 4 (the capital, so 3), 6 and 8;
  // bases 5 to 8 follow at positions 14, 17, 20 and 23.
  converter.AssignAirBases(ger, 104, "GER");
  EXPECT_EQ(AirBase(104), 10);
  for (int32_t province : {102, 103, 106, 108}) EXPECT_EQ(AirBase(province), 10) << province;
  for (int32_t province : {114, 117, 120, 123}) EXPECT_EQ(AirBase(province), 4) << province;
  double total = 0;
  for (const ProvinceRecord& record : converter.provinceRecords) total += record.airBaseSize;
  EXPECT_EQ(total, 5 * 10 + 4 * 4);
}

TEST_F(ProvincesTest, AirBaseGoesToTheFirstRecordOfATargetId) {
  AddRecords({550, 550});
  converter.SetAirBase(550, 1, 0, 20);
  EXPECT_EQ(converter.provinceRecords[0].airBaseSize, 5);
  EXPECT_EQ(converter.provinceRecords[1].airBaseSize, 0);
}

}  // namespace
