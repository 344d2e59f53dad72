#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/scenario_converter.h"
#include "refdata/province_map.h"

namespace {

double ValueOf(const ScriptNode* node, std::string_view key) {
  return ScenarioConverter::NumberValueOf(node, key, -1);
}

class EconomyTest : public ::testing::Test {
 protected:
  EconomyTest() {
    converter.sourceRoot = ScriptNode::NewRoot();
    converter.root = ScriptNode::NewRoot();
  }

  // A target country with this many owned and national provinces.
  ScriptNode* Country(int owned, int national) {
    ScriptNode* country = converter.root->AddChild("country");
    ScenarioConverter::AddTextValue(country, "tag", "ENG");
    ScriptNode* ownedList = country->AddChild("ownedprovinces");
    country->AddChild("controlledprovinces");
    ScriptNode* nationalList = country->AddChild("nationalprovinces");
    for (int i = 0; i < owned; ++i) ownedList->AddNumber(100 + i);
    for (int i = 0; i < national; ++i) nationalList->AddNumber(100 + i);
    return country;
  }

  ScriptNode* SourceCountry() { return converter.sourceRoot->AddChild("country"); }

  // A source state with factories (type, level) and "province" entries.
  static ScriptNode* AddState(ScriptNode* source,
                              std::vector<std::pair<std::string_view, double>> factories,
                              std::vector<double> provinceIds) {
    ScriptNode* state = source->AddChild("state");
    for (const auto& [type, level] : factories) {
      ScriptNode* factory = state->AddChild("factory");
      ScenarioConverter::AddTextValue(factory, "type", type);
      ScenarioConverter::AddNumberValue(factory, "level", level);
    }
    for (double id : provinceIds) ScenarioConverter::AddNumberValue(state, "province", id);
    return state;
  }

  void AddInfo(std::initializer_list<int32_t> ids) {
    for (int32_t id : ids) converter.provinceInfo.push_back({id, 0, 0, 0, 0});
  }

  double IndustryOf(int32_t id) const {
    for (const ProvinceInfo& info : converter.provinceInfo)
      if (info.province == id) return info.industry;
    return -1;
  }

  void AddRecords(std::initializer_list<int32_t> ids) {
    for (int32_t id : ids) {
      ProvinceRecord record;
      record.id = id;
      converter.provinceRecords.push_back(record);
    }
  }

  // The written "province" blocks, in order.
  std::vector<const ScriptNode*> ProvinceBlocks() const {
    std::vector<const ScriptNode*> blocks;
    for (int i = 0; i < converter.root->ItemCount(); ++i)
      if (converter.root->ChildAt(i)->name() == "province")
        blocks.push_back(converter.root->ChildAt(i));
    return blocks;
  }

  ScenarioConverter converter;
  ProvinceMap provinces;
  int32_t nextUnitId = 8100;
};

TEST_F(EconomyTest, StockpilesFollowContiguousBandsOfOwnedProvinces) {
  struct Case {
    int owned;
    double energy;
    double rare;
    double money;
  };
  for (const Case& c : {Case{3, 500, 250, 16}, Case{4, 1000, 500, 18}, Case{9, 1000, 500, 28},
                        Case{10, 1000, 500, 30}, Case{11, 1500, 750, 32}, Case{16, 1500, 750, 42},
                        Case{17, 2000, 1000, 44}}) {
    ScriptNode* target = Country(c.owned, 0);
    converter.ConvertResources(target, SourceCountry(), "ENG", false);
    EXPECT_EQ(ValueOf(target, "energy"), c.energy) << c.owned;
    EXPECT_EQ(ValueOf(target, "metal"), c.energy) << c.owned;
    EXPECT_EQ(ValueOf(target, "rare_materials"), c.rare) << c.owned;
    EXPECT_EQ(ValueOf(target, "oil"), c.rare) << c.owned;
    EXPECT_EQ(ValueOf(target, "supplies"), c.rare) << c.owned;
    EXPECT_EQ(ValueOf(target, "money"), c.money) << c.owned;
  }
}

TEST_F(EconomyTest, MissingProvinceListsCountAsOne) {
  ScriptNode* target = converter.root->AddChild("country");
  converter.ConvertResources(target, SourceCountry(), "ENG", false);
  EXPECT_EQ(ValueOf(target, "money"), 12);
  EXPECT_EQ(ValueOf(target, "manpower"), 6);  // 6 C, no difference
}

TEST_F(EconomyTest, ManpowerOfACountryWithMoreNationalThanOwnedProvinces) {
  ScriptNode* target = Country(2, 3);
  ScriptNode* source = SourceCountry();
  ScenarioConverter::AddNumberValue(source, "manpower", 10);
  ScenarioConverter::AddNumberValue(source, "mobilization", 1);
  converter.ConvertResources(target, source, "ENG", false);
  EXPECT_EQ(ValueOf(target, "manpower"), 26);  // 10 + 2 + 18 - 4

  ScriptNode* larger = Country(5, 3);
  converter.ConvertResources(larger, source, "ENG", false);
  EXPECT_EQ(ValueOf(larger, "manpower"), 32);  // 10 + 2 + 18 + 2
}

TEST_F(EconomyTest, MergingReplacesManpowerAndLeavesStockpiles) {
  converter.countryAlignments.push_back({"FRA", 0, 0, 7});
  converter.countryAlignments.push_back({"ENG", 0, 0, 7});
  ScriptNode* target = Country(4, 4);
  ScenarioConverter::AddNumberValue(target, "manpower", -50);
  ScriptNode* source = SourceCountry();
  ScenarioConverter::AddNumberValue(source, "manpower", 20);
  converter.ConvertResources(target, source, "ENG", true);
  EXPECT_EQ(ValueOf(target, "manpower"), 24);  // pool 0 (not -30), 24 national, no difference
  EXPECT_EQ(target->FirstChild("energy"), nullptr);
  EXPECT_EQ(target->FirstChild("money"), nullptr);
  EXPECT_EQ(converter.countryAlignments[0].score, 7);
  EXPECT_EQ(converter.countryAlignments[1].score, 11);
}

TEST_F(EconomyTest, ConvoysStartOrGrowTheTransportFleet) {
  ScriptNode* target = Country(1, 1);
  ScriptNode* source = SourceCountry();
  ScenarioConverter::AddNumberValue(source, "clipper_convoy", 3);
  ScenarioConverter::AddNumberValue(source, "steamer_convoy", 2);
  converter.ConvertConvoys(target, source);
  EXPECT_EQ(ValueOf(target, "transports"), 20);
  EXPECT_EQ(ValueOf(target, "escorts"), 3);

  converter.ConvertConvoys(target, source);
  EXPECT_EQ(ValueOf(target, "transports"), 30);
  std::vector<ScriptMatch> escorts;
  target->FindAll("escorts", &escorts, 0, 0);
  EXPECT_EQ(escorts.size(), 1u);

  ScriptNode* none = Country(1, 1);
  ScriptNode* negative = SourceCountry();
  ScenarioConverter::AddNumberValue(negative, "steamer_convoy", -1);
  converter.ConvertConvoys(none, negative);
  EXPECT_EQ(none->FirstChild("transports"), nullptr);
}

TEST_F(EconomyTest, FactoryWeightsRoundPerState) {
  EXPECT_EQ(ScenarioConverter::FactoryWeight("fuel_refinery", 2), 2);
  EXPECT_EQ(ScenarioConverter::FactoryWeight("barrel_factory", 2), 2.5);
  EXPECT_EQ(ScenarioConverter::FactoryWeight("Steel_factory", 2), 1.5);

  AddInfo({1, 2, 3, 4});
  ScriptNode* source = SourceCountry();
  // 1 + 0.75 + 0.65 = 2.4 gives 2 points; one shipyard of level 2 gives 3 (2.5 rounded).
  AddState(source, {{"steel_factory", 1}, {"textile_factory", 1}, {"fuel_refinery", 0.65}}, {1});
  AddState(source, {{"steamer_shipyard", 2}}, {2});
  AddState(source, {{"glass_factory", 0.6}}, {3});  // 0.45 rounds to 0
  converter.ConvertFactories(source, nextUnitId);
  EXPECT_EQ(IndustryOf(1), 2);
  EXPECT_EQ(IndustryOf(2), 3);
  EXPECT_EQ(IndustryOf(3), 0);
}

TEST_F(EconomyTest, IndustryPointsTakeTurnsAcrossStates) {
  AddInfo({1, 2, 3, 4, 5, 6, 7, 8, 9});
  converter.provinceInfo.push_back({6, 0, 0, 0, 0});  // a second record for 6 gets nothing
  ScriptNode* source = SourceCountry();
  AddState(source, {{"steel_factory", 2}}, {1, 2, 3});  // 1, 2; the turn stops at position 2
  ScriptNode* second = AddState(source, {{"steel_factory", 6}}, {4, 5});
  // Entries in a nested block count; entries without a number are left out.
  ScriptNode* nested = second->AddChild("area");
  ScenarioConverter::AddNumberValue(nested, "province", 6);
  ScenarioConverter::AddTextValue(second, "province", "seven");
  second->AddChild("province")->AddChild("id")->AddNumber(7);
  second->AddChild("area")->AddChild("deep")->AddChild("province")->AddNumber(7);
  // Entries 4, 5, 6 from position 2: 6, 4, 5, 6, 4, 5; the turn stops at position 2 again.
  AddState(source, {{"steel_factory", 3}}, {8, 9});  // position 2 is past its end: 8, 9, 8
  converter.ConvertFactories(source, nextUnitId);
  EXPECT_EQ(IndustryOf(1), 1);
  EXPECT_EQ(IndustryOf(2), 1);
  EXPECT_EQ(IndustryOf(3), 0);
  EXPECT_EQ(IndustryOf(4), 2);
  EXPECT_EQ(IndustryOf(5), 2);
  EXPECT_EQ(IndustryOf(6), 2);
  EXPECT_EQ(IndustryOf(7), 0);
  EXPECT_EQ(IndustryOf(8), 2);
  EXPECT_EQ(IndustryOf(9), 1);
  EXPECT_EQ(converter.provinceInfo.back().industry, 0);
}

TEST_F(EconomyTest, IndustryTurnStartsAfreshForEachCountry) {
  AddInfo({1, 2, 3});
  ScriptNode* first = SourceCountry();
  AddState(first, {{"steel_factory", 1}}, {1, 2, 3});
  ScriptNode* second = SourceCountry();
  AddState(second, {{"steel_factory", 1}}, {1, 2, 3});
  converter.ConvertFactories(first, nextUnitId);
  converter.ConvertFactories(second, nextUnitId);
  EXPECT_EQ(IndustryOf(1), 2);
  EXPECT_EQ(IndustryOf(2), 0);
}

TEST_F(EconomyTest, CapacityGrowsWithPopulationAndStopsAtTwenty) {
  ProvinceRecord record;
  record.industry = 4;
  record.population = 6;
  EXPECT_EQ(converter.IndustrialCapacity(record), 6);
  record.population = 5;
  EXPECT_EQ(converter.IndustrialCapacity(record), 4);
  record.industry = 20;
  record.population = 6;
  converter.icModifier = 9.9;
  EXPECT_EQ(converter.IndustrialCapacity(record), 20);
  converter.icModifier = 0.1;
  EXPECT_EQ(converter.IndustrialCapacity(record), 3);  // 3.0 + 0.5 truncated
}

TEST_F(EconomyTest, InfrastructureFromRoundedRailroad) {
  EXPECT_EQ(ScenarioConverter::InfraLevel(0.4), 0);
  EXPECT_EQ(ScenarioConverter::InfraLevel(-3), 0);
  EXPECT_EQ(ScenarioConverter::InfraLevel(0.5), 0.4);
  EXPECT_EQ(ScenarioConverter::InfraLevel(2), 0.6);
  EXPECT_EQ(ScenarioConverter::InfraLevel(2.5), 0.8);
  EXPECT_EQ(ScenarioConverter::InfraLevel(3.5), 1.0);
  EXPECT_EQ(ScenarioConverter::InfraLevel(40), 1.0);
}

TEST_F(EconomyTest, CapitalManpowerBands) {
  // Capital mark 5; industry then population band.
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 5, 0.5), 2);      // -1 -2
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 5.5, 0.6), 4);    // 0 -1
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 12, 2), 8);       // +3 0
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 20, 7), 12);      // +6 +1
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 20.5, 12.5), 15);  // +7 +3
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 30, 17.5), 17);   // +7 +5
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(5, 30, 18), 18);     // +7 +6
}

TEST_F(EconomyTest, OtherProvincesManpowerBands) {
  // Strict industry bounds up to 12, inclusive above; population 3 adds 1.
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 0.99, 3), 0);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 1, 3), 1);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 2, 3), 2);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 9, 3), 4);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 12, 3), 5);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 20, 3), 5);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 20.5, 3), 6);
  // Inclusive population bounds; industry 2 adds 1.
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 2, 1), 0);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 2, 2), 1);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 2, 5), 2);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 2, 23), 8);
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 2, 23.5), 9);
  // Never below 0.
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(0, 0, 0), 0);
  // A mark that is not exactly 5 counts whole but takes the other bands.
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(10, 5, 6), 14);  // 10 +2 +2
  EXPECT_EQ(ScenarioConverter::ProvinceManpower(4.9, 5, 6), 8);  // 4 +2 +2
}

TEST_F(EconomyTest, SplitProvinceSharesPopulationButNotIndustry) {
  provinces.Set(49, {1, 2, 3});
  AddRecords({1, 2, 3});
  converter.provinceInfo.push_back({49, 2, 8, 4, 5});
  converter.ConvertProvinceBuildings(provinces);
  const std::vector<ProvinceRecord>& r = converter.provinceRecords;
  EXPECT_EQ(r[0].population, 4);
  EXPECT_EQ(r[1].population, 2);
  EXPECT_EQ(r[2].population, 2);
  EXPECT_EQ(r[0].industry, 4);
  EXPECT_EQ(r[1].industry, 0);
  EXPECT_EQ(r[0].capitalMark, 5);
  EXPECT_EQ(r[2].capitalMark, 0);
  for (const ProvinceRecord& record : r) EXPECT_EQ(record.railroad, 2);
}

TEST_F(EconomyTest, ContributorsAddOrAverageTheirRailroads) {
  provinces.Set(308, {92, 3002});
  provinces.Set(309, {92, 3003});
  provinces.Set(317, {111, 3003});
  provinces.Set(326, {111, 3002});
  AddRecords({92, 111});
  converter.provinceInfo = {{309, 2, 1, 1, 0}, {308, 4, 1, 1, 0}, {326, 4, 3, 0, 0},
                            {317, 2, 2, 3, 5}};
  converter.ConvertProvinceBuildings(provinces);
  EXPECT_EQ(converter.provinceRecords[0].railroad, 3);  // 2 added, then (2 + 4) / 2
  EXPECT_EQ(converter.provinceRecords[0].population, 2);
  EXPECT_EQ(converter.provinceRecords[0].industry, 2);
  EXPECT_EQ(converter.provinceRecords[1].railroad, 4);  // (0 + 4) / 2, then 2 added
  EXPECT_EQ(converter.provinceRecords[1].population, 5);
  EXPECT_EQ(converter.provinceRecords[1].capitalMark, 5);
}

TEST_F(EconomyTest, ProvinceBlocksWithTheirBuildings) {
  provinces.Set(12, {550});
  provinces.Set(13, {551});
  AddRecords({550, 551});
  converter.provinceRecords[0].airBaseSize = 4;
  converter.provinceInfo = {{12, 2.5, 6, 4, 0}, {13, 0.4, 1, 0, 0}};
  converter.ConvertProvinceBuildings(provinces);
  const std::vector<const ScriptNode*> blocks = ProvinceBlocks();
  ASSERT_EQ(blocks.size(), 2u);

  const ScriptNode* first = blocks[0];
  ASSERT_EQ(first->ItemCount(), 4);
  EXPECT_EQ(first->parseState, kComplete);
  EXPECT_EQ(first->ChildAt(0)->name(), "id");
  EXPECT_EQ(ValueOf(first, "id"), 550);
  const ScriptNode* ic = first->ChildAt(1);
  EXPECT_EQ(ic->name(), "ic");
  EXPECT_EQ(ScenarioConverter::TextValueOf(ic, "type"), "ic");
  EXPECT_EQ(ValueOf(ic, "location"), 550);
  EXPECT_EQ(ValueOf(ic, "size"), 6);
  EXPECT_EQ(ValueOf(ic, "current_size"), 6);
  const ScriptNode* infra = first->ChildAt(2);
  EXPECT_EQ(infra->name(), "infra");
  EXPECT_EQ(ScenarioConverter::TextValueOf(infra, "type"), "infrastructure");
  EXPECT_EQ(ValueOf(infra, "size"), 0.8);
  EXPECT_EQ(ValueOf(infra, "current_size"), 0.8);
  const ScriptNode* airBase = first->ChildAt(3);
  EXPECT_EQ(airBase->name(), "air_base");
  ASSERT_EQ(airBase->ItemCount(), 2);
  EXPECT_EQ(ValueOf(airBase, "size"), 4);
  EXPECT_EQ(ValueOf(airBase, "current_size"), 4);

  // Railroad 0.4 rounds to no infrastructure; no air base; no manpower unless asked.
  ASSERT_EQ(blocks[1]->ItemCount(), 2);
  EXPECT_EQ(ValueOf(blocks[1]->ChildAt(1), "size"), 0);
}

TEST_F(EconomyTest, OnlyTheFirstRecordOfATargetIdReceives) {
  provinces.Set(12, {550});
  provinces.Set(13, {551});
  AddRecords({550, 551, 550});
  converter.convertManpower = true;
  converter.provinceInfo = {{12, 1, 6, 4, 5}, {13, 0, 0, 0, 0}};
  converter.ConvertProvinceBuildings(provinces);
  EXPECT_EQ(converter.provinceRecords[0].industry, 4);
  EXPECT_EQ(converter.provinceRecords[2].industry, 0);
  const std::vector<const ScriptNode*> blocks = ProvinceBlocks();
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(ValueOf(blocks[0], "manpower"), 5);  // capital 5, industry -1, population +1
  const ScriptNode* repeated = blocks[2];
  ASSERT_EQ(repeated->ItemCount(), 3);
  EXPECT_EQ(ValueOf(repeated, "id"), 550);
  EXPECT_EQ(ValueOf(repeated->ChildAt(1), "size"), 0);
  EXPECT_EQ(repeated->ChildAt(2)->name(), "manpower");
  EXPECT_EQ(ValueOf(repeated, "manpower"), 0);
}

}  // namespace
