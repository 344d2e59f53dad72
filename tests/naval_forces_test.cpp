#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "convert/scenario_converter.h"
#include "refdata/province_map.h"
#include "script/script_output.h"
#include "tests/source_units.h"
#include "tests/test_files.h"

namespace {

using Strings = std::vector<std::string>;
using Numbers = std::vector<double>;

constexpr int32_t kGermany = 14500;
constexpr int32_t kPort = 600;

std::string Ship(std::string_view name, std::string_view type, std::string_view extra = "") {
  return SourceDivision(name, type, extra, "");
}

std::string Ships(std::string_view type, int count, int first = 1) {
  return SourceDivisions('S', type, count, first, "");
}

std::string Fleet(std::string_view name, std::string_view location, std::string_view body) {
  return SourceUnit("navalunit", name, location, body);
}

class NavalForcesTest : public ::testing::Test {
 protected:
  NavalForcesTest() {
    converter.root = ScriptNode::NewRoot();
    provinces.Set(1, {101});
    provinces.Set(2, {102, 103});
    // The redirected provinces and their destinations map to themselves.
    for (const auto& [from, to] : converter.baseRedirects) {
      provinces.Set(from, {from});
      provinces.Set(to, {to});
    }
  }

  // A new target country whose techapps hold navalTechs ids between 3000 and 4000
  // among others.
  ScriptNode* NewTarget(int navalTechs = 0) {
    ScriptNode* target = converter.root->AddChild("country");
    ScriptNode* techapps = target->AddChild("techapps");
    for (double other : {1010.0, 2150.0, 3000.0, 4000.0, 5010.0}) techapps->AddNumber(other);
    for (int i = 0; i < navalTechs; ++i) techapps->AddNumber(3010 + 10 * i);
    return target;
  }

  // Converts the naval forces of the save's first country into target.
  ScriptNode* Convert(const std::string& countryBody, ScriptNode* target,
                      int32_t fallback = kPort) {
    std::string text("country = {\n tag = GER\n");
    WriteFile(dir.File("save.kst"), text.append(countryBody).append("}\n"));
    EXPECT_TRUE(save.Load(dir.File("save.kst"), "save.kst", log));
    EXPECT_EQ(save.errorCount, 0u);
    converter.ConvertNavalForces(provinces, target, save.root->FirstChild("country"), kGermany,
                                 fallback, nextUnitId);
    return target;
  }
  ScriptNode* Convert(const std::string& countryBody) { return Convert(countryBody, NewTarget()); }

  static std::vector<const ScriptNode*> Fleets(const ScriptNode* target) {
    std::vector<const ScriptNode*> fleets;
    for (int i = 0; i < target->ItemCount(); ++i)
      if (target->ChildAt(i)->name() == "navalunit") fleets.push_back(target->ChildAt(i));
    return fleets;
  }

  static std::vector<const ScriptNode*> Divisions(const ScriptNode* target) {
    std::vector<const ScriptNode*> divisions;
    for (const ScriptNode* fleet : Fleets(target))
      for (int i = 0; i < fleet->ItemCount(); ++i)
        if (fleet->ChildAt(i)->name() == "division") divisions.push_back(fleet->ChildAt(i));
    return divisions;
  }

  // Every written ship division as "name type", e.g. "S1 battleship".
  static Strings WrittenShips(const ScriptNode* target) {
    Strings ships;
    for (const ScriptNode* division : Divisions(target)) {
      std::string name(ScenarioConverter::TextValueOf(division, "name"));
      ships.push_back(name.substr(1, name.size() - 2) + " " +
                      std::string(ScenarioConverter::TextValueOf(division, "type")));
    }
    return ships;
  }

  static Numbers Models(const ScriptNode* target) {
    Numbers models;
    for (const ScriptNode* division : Divisions(target))
      models.push_back(ScenarioConverter::NumberValueOf(division, "model", -1));
    return models;
  }

  // "location" and "base" of every written fleet.
  static std::vector<Numbers> Bases(const ScriptNode* target) {
    std::vector<Numbers> bases;
    for (const ScriptNode* fleet : Fleets(target))
      bases.push_back({ScenarioConverter::NumberValueOf(fleet, "location", -1),
                       ScenarioConverter::NumberValueOf(fleet, "base", -1)});
    return bases;
  }

  TempDir dir;
  LineCollector log;
  ScriptFile save;
  ProvinceMap provinces;
  ScenarioConverter converter;
  int32_t nextUnitId = 8100;
};

TEST_F(NavalForcesTest, ShipModelFollowsTheTechLevel) {
  struct Case {
    double level;
    Numbers models;
  };
  const Case cases[] = {
      {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},    {0.5, {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0}},
      {1.0, {1, 0, 1, 2, 1, 0, 1, 0, 1, 2, 1, 0}},  {1.5, {2, 1, 1, 2, 1, 1, 2, 1, 1, 2, 1, 1}},
      {0.75, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    int32_t counter = 0;
    Numbers models;
    for (int i = 0; i < 12; ++i) models.push_back(ScenarioConverter::ShipModel(c.level, counter));
    EXPECT_EQ(models, c.models) << c.level;
    EXPECT_EQ(counter, 12) << c.level;
  }
}

TEST_F(NavalForcesTest, NavalTechLevelCountsTechnologiesStrictlyBetween3000And4000) {
  const std::pair<int, double> thresholds[] = {{0, 0},   {2, 0},    {3, 0.5},  {8, 0.5},
                                               {9, 1.0}, {14, 1.0}, {15, 1.5}, {40, 1.5}};
  for (const auto& [count, level] : thresholds)
    EXPECT_EQ(ScenarioConverter::NavalTechLevel(NewTarget(count)), level) << count;

  // Fractions count; only the first techapps, found at any depth, is read.
  ScriptNode* target = converter.root->AddChild("country");
  ScriptNode* first = target->AddChild("technology")->AddChild("techapps");
  for (double id : {3000.5, 3999.9, 3001.0}) first->AddNumber(id);
  ScriptNode* second = target->AddChild("techapps");
  for (int i = 0; i < 20; ++i) second->AddNumber(3500);
  EXPECT_EQ(ScenarioConverter::NavalTechLevel(target), 0.5);
}

TEST_F(NavalForcesTest, NavalTechLevelIsZeroWithoutUsableTechapps) {
  ScriptNode* none = converter.root->AddChild("country");
  EXPECT_EQ(ScenarioConverter::NavalTechLevel(none), 0);

  ScriptNode* empty = converter.root->AddChild("country");
  empty->AddChild("techapps")->kind = kBlock;
  EXPECT_EQ(ScenarioConverter::NavalTechLevel(empty), 0);

  ScriptNode* words = converter.root->AddChild("country");
  words->AddChild("techapps")->AddString(kWords, "3500");
  EXPECT_EQ(ScenarioConverter::NavalTechLevel(words), 0);
}

TEST_F(NavalForcesTest, WarshipsShareAWeightAndTransportsHaveTheirOwn) {
  const ScriptNode* target = Convert(
      Fleet("F", "1",
            Ship("S1", "steamer_transport") + Ship("S2", "dreadnought") +
                Ship("S3", "steamer_transport") + Ship("S4", "battleship") +
                Ship("S5", "steamer_transport") + Ship("S6", "cruiser") + Ship("S7", "submarine") +
                Ship("S8", "heavy_cruiser") + Ship("S9", "ironclad")));
  EXPECT_EQ(WrittenShips(target), (Strings{"S1 transport", "S2 battleship", "S5 transport",
                                           "S6 light_cruiser", "S8 heavy_cruiser"}));
}

TEST_F(NavalForcesTest, AFullWeightStartsAgainFromZero) {
  // With 0.34 a weight that kept its remainder would reach 1 one ship early by the 30th.
  converter.navyFactor = converter.destroyerFactor = converter.transportFactor = 0.34;
  std::string ships;
  for (int i = 1; i <= 31; ++i)
    ships += Ship('S' + std::to_string(i), "steamer_transport", "destroyer");
  ships += Ships("cruiser", 31, 32);
  Strings expected;
  for (int i = 1, destroyers = 1; i <= 31; i += 3, ++destroyers) {
    expected.push_back('S' + std::to_string(i) + " transport");
    expected.push_back(std::to_string(destroyers) + ". Destroyer Division destroyer");
  }
  for (int i = 32; i <= 62; i += 3) expected.push_back('S' + std::to_string(i) + " light_cruiser");
  EXPECT_EQ(WrittenShips(Convert(Fleet("F", "1", ships))), expected);
}

TEST_F(NavalForcesTest, DestroyersAddTheirFactorToTheRegularWeight) {
  converter.navyFactor = 0.5;
  converter.destroyerFactor = 0.25;
  // Regular weight: 1.3 (S1), 0.25, 0.5, 0.75, 1.0 (S5), 0.5, 1.0 (S7).
  const ScriptNode* target = Convert(Fleet("F", "1",
                                           Ship("S1", "dreadnought") + Ships("destroyer", 4, 2) +
                                               Ship("S6", "cruiser") + Ship("S7", "cruiser")));
  EXPECT_EQ(WrittenShips(target), (Strings{"S1 battleship", "S5 destroyer", "S7 light_cruiser"}));
}

TEST_F(NavalForcesTest, ExtrasMakeNumberedDestroyerDivisionsPerCountry) {
  const ScriptNode* first =
      Convert(Fleet("F", "1",
                    Ship("S1", "cruiser", "destroyer") + Ship("S2", "cruiser", "destroyer") +
                        Ship("S3", "collier", "destroyer") + Ship("S4", "cruiser", "destroyer")));
  EXPECT_EQ(WrittenShips(first), (Strings{"S1 light_cruiser", "1. Destroyer Division destroyer",
                                          "2. Destroyer Division destroyer", "S4 light_cruiser"}));
  // Any mapped extra is named the same way; the next country counts from 1 again.
  const ScriptNode* second = Convert(Fleet("G", "1", Ship("S1", "collier", "submarine")));
  EXPECT_EQ(WrittenShips(second), (Strings{"1. Destroyer Division submarine"}));
}

TEST_F(NavalForcesTest, ShipModelsRunThroughTheCountrysDivisionsInOrder) {
  converter.navyFactor = 1.0;  // every ship makes a division
  // Level 1.0; the extra's division takes the model after its ship's.
  const ScriptNode* target =
      Convert(Fleet("F", "1", Ships("cruiser", 4)) +
                  Fleet("G", "1", Ship("S5", "cruiser", "destroyer") + Ships("cruiser", 4, 6)),
              NewTarget(9));
  EXPECT_EQ(WrittenShips(target)[5], "1. Destroyer Division destroyer");
  EXPECT_EQ(Models(target), (Numbers{1, 0, 1, 2, 1, 0, 1, 0, 1, 2}));
  // The next country starts the sequence again; at level 0 every model is 0.
  EXPECT_EQ(Models(Convert(Fleet("H", "1", Ships("cruiser", 3)), NewTarget(14))),
            (Numbers{1, 0, 1}));
  EXPECT_EQ(Models(Convert(Fleet("I", "1", Ships("cruiser", 3)), NewTarget(2))),
            (Numbers{0, 0, 0}));
}

TEST_F(NavalForcesTest, FleetsLieInTheMappedProvinceOrThePort) {
  converter.navyFactor = 1.0;  // every ship makes a division, so every fleet is written
  const std::string ships = Ships("cruiser", 1);
  const ScriptNode* target = Convert(Fleet("Split", "2", ships) + Fleet("Unmapped", "77", ships) +
                                     Fleet("Nowhere", "", ships) + Fleet("Word", "abc", ships));
  EXPECT_EQ(Bases(target),
            (std::vector<Numbers>{{102, 102}, {kPort, kPort}, {kPort, kPort}, {kPort, kPort}}));
}

TEST_F(NavalForcesTest, FleetsWithoutAPortOrWithoutShipsTakeNoId) {
  const std::string ships = Ships("cruiser", 1);
  // Read, the dropped fleets would leave the weight at 0.5 for the kept one.
  const ScriptNode* target = Convert(Fleet("Unmapped", "77", ships) + Fleet("Nowhere", "", ships) +
                                         Fleet("Colliers", "1", Ships("collier", 3)) +
                                         "navalunit = { }\n" + Fleet("Kept", "1", ships),
                                     NewTarget(), 0);
  ASSERT_EQ(Fleets(target).size(), 1u);
  EXPECT_EQ(ScenarioConverter::TextValueOf(Fleets(target)[0], "name"), "\"Kept\"");
  EXPECT_EQ(nextUnitId, 8102);
}

TEST_F(NavalForcesTest, EveryRedirectIsTriedOnceInTableOrder) {
  converter.navyFactor = 1.0;
  std::string fleets;
  std::vector<Numbers> expected;
  for (const auto& [from, to] : converter.baseRedirects) {
    fleets += Fleet("Redirected", std::to_string(from), Ships("cruiser", 1));
    expected.push_back({double(to), double(to)});
  }
  // A destination is not redirected again.
  for (const auto& [from, to] : converter.baseRedirects) {
    fleets += Fleet("Already there", std::to_string(to), Ships("cruiser", 1));
    expected.push_back({double(to), double(to)});
  }
  // The port a fleet falls back to is redirected as well.
  fleets += Fleet("In port", "77", Ships("cruiser", 1));
  expected.push_back({197, 197});
  EXPECT_EQ(Bases(Convert(fleets, NewTarget(), 198)), expected);
  EXPECT_EQ(converter.baseRedirects[0], std::make_pair(198, 197));
  EXPECT_EQ(converter.baseRedirects[10], std::make_pair(406, 1801));
}

TEST_F(NavalForcesTest, EachFleetAndDivisionTakesTheNextId) {
  nextUnitId = 10;
  const ScriptNode* target = Convert(Fleet("F", "1", Ship("S1", "cruiser", "destroyer")) +
                                     Fleet("G", "1", Ships("cruiser", 2)));
  EXPECT_EQ(nextUnitId, 15);
  Numbers ids;
  Numbers types;
  for (const ScriptNode* fleet : Fleets(target)) {
    std::vector<ScriptMatch> found;
    fleet->FindAll("id", &found, ScriptNode::kUnlimited, 0);
    for (const ScriptMatch& match : found) {
      if (match.node->kind != kBlock) continue;
      ids.push_back(ScenarioConverter::NumberValueOf(match.node, "id", -1));
      types.push_back(ScenarioConverter::NumberValueOf(match.node, "type", -1));
    }
  }
  EXPECT_EQ(ids, (Numbers{10, 11, 12, 13, 14}));
  EXPECT_EQ(types, Numbers(5, kGermany));
}

TEST_F(NavalForcesTest, WritesTheFleetLayout) {
  nextUnitId = 10;
  const ScriptNode* target =
      Convert(Fleet("High Seas Fleet", "198", Ship("SMS Blucher", "heavy_cruiser", "destroyer")),
              NewTarget(15));
  ScriptOutput out;
  for (int i = 0; i < target->ItemCount(); ++i)
    if (target->ChildAt(i)->name() == "navalunit") target->ChildAt(i)->Write(out, 0, false);
  EXPECT_EQ(out.text(),
            "navalunit = \n"
            "{\n"
            "    name = \"High Seas Fleet\"\n"
            "    id = { type = 14500 id = 10 }\n"
            "    location = 197\n"
            "    base = 197\n"
            "    division = \n"
            "    {\n"
            "        id = { type = 14500 id = 11 }\n"
            "        name = \"SMS Blucher\"\n"
            "        type = heavy_cruiser\n"
            "        model = 2\n"
            "        strength = 100\n"
            "    }\n"
            "    division = \n"
            "    {\n"
            "        id = { type = 14500 id = 12 }\n"
            "        name = \"1. Destroyer Division\"\n"
            "        type = destroyer\n"
            "        model = 1\n"
            "        strength = 100\n"
            "    }\n"
            "}\n");
}

TEST_F(NavalForcesTest, ToleratesValuesOfUnexpectedKinds) {
  const ScriptNode* target = Convert(
      "navalunit = 7\n"
      "fleets = { navalunit division }\n"
      "navalunit = { name = { is = x } location = abc division = 5\n"
      "  division = { type = { is = cruiser } }\n"
      "  division = { name = 4 type = cruiser extra = { is = destroyer } } }\n"
      "navy = { navalunit = { name = \"Deep\" location = 1\n"
      "  squadron = { division = { name = \"D1\" type = cruiser }\n"
      "               division = { name = \"D2\" type = cruiser } } } }\n");
  ASSERT_EQ(Fleets(target).size(), 2u);
  EXPECT_EQ(ScenarioConverter::TextValueOf(Fleets(target)[0], "name"), "\"\"");
  EXPECT_EQ(Bases(target)[0], (Numbers{kPort, kPort}));
  EXPECT_EQ(WrittenShips(target), (Strings{" light_cruiser", "D2 light_cruiser"}));
}

}  // namespace
