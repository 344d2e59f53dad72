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

constexpr int32_t kEngland = 12700;

std::string Regiment(std::string_view name, std::string_view type, std::string_view extra = "",
                     std::string_view quality = "regular") {
  return SourceDivision(name, type, extra, quality);
}

std::string Regiments(std::string_view type, int count, int first = 1) {
  return SourceDivisions('R', type, count, first, "regular");
}

std::string LandUnit(std::string_view name, std::string_view location, std::string_view body) {
  return SourceUnit("landunit", name, location, body);
}

class LandForcesTest : public ::testing::Test {
 protected:
  LandForcesTest() {
    converter.root = ScriptNode::NewRoot();
    provinces.Set(1, {101});
    provinces.Set(2, {102, 103});
    provinces.Set(3, {0});
  }

  // Converts the land forces of the save's first country into a new target country.
  ScriptNode* Convert(const std::string& countryBody, int32_t fallback = 500) {
    std::string text("country = {\n tag = ENG\n");
    WriteFile(dir.File("save.kst"), text.append(countryBody).append("}\n"));
    EXPECT_TRUE(save.Load(dir.File("save.kst"), "save.kst", log));
    EXPECT_EQ(save.errorCount, 0u);
    ScriptNode* target = converter.root->AddChild("country");
    converter.ConvertLandForces(provinces, target, save.root->FirstChild("country"), kEngland,
                                fallback, nextUnitId);
    return target;
  }

  static std::vector<const ScriptNode*> Units(const ScriptNode* target) {
    std::vector<const ScriptNode*> units;
    for (int i = 0; i < target->ItemCount(); ++i)
      if (target->ChildAt(i)->name() == "landunit") units.push_back(target->ChildAt(i));
    return units;
  }

  // A key of every written division, in order, e.g. "R1 infantry".
  static Strings Divisions(const ScriptNode* target) {
    Strings divisions;
    for (const ScriptNode* unit : Units(target))
      for (int i = 0; i < unit->ItemCount(); ++i) {
        const ScriptNode* division = unit->ChildAt(i);
        if (division->name() != "division") continue;
        std::string name(ScenarioConverter::TextValueOf(division, "name"));
        divisions.push_back(name.substr(1, name.size() - 2) + " " +
                            std::string(ScenarioConverter::TextValueOf(division, "type")));
      }
    return divisions;
  }

  static double Location(const ScriptNode* unit) {
    return ScenarioConverter::NumberValueOf(unit, "location", -1);
  }

  TempDir dir;
  LineCollector log;
  ScriptFile save;
  ProvinceMap provinces;
  ScenarioConverter converter;
  int32_t nextUnitId = 8100;
};

TEST_F(LandForcesTest, DefaultFactorMakesADivisionOfTheFirstThirdAndFifthRegiment) {
  const ScriptNode* target = Convert(LandUnit("Army", "1", Regiments("infantry", 6)));
  EXPECT_EQ(Divisions(target), (Strings{"R1 infantry", "R3 infantry", "R5 infantry"}));
}

TEST_F(LandForcesTest, OtherFactorsSpaceTheDivisionsOut) {
  struct Case {
    double factor;
    Strings divisions;
  };
  // 0.8 + 0.2 and five steps of 0.2 from 0 both come out at exactly 1.0.
  const Case cases[] = {
      {0.2, {"R1 infantry", "R6 infantry", "R11 infantry"}},
      {0.25, {"R1 infantry", "R5 infantry", "R9 infantry"}},
      {0.34, {"R1 infantry", "R4 infantry", "R7 infantry", "R10 infantry"}},
  };
  for (const Case& c : cases) {
    converter.infantryFactor = c.factor;
    EXPECT_EQ(Divisions(Convert(LandUnit("Army", "1", Regiments("infantry", 12)))), c.divisions)
        << c.factor;
  }
}

TEST_F(LandForcesTest, AFullWeightStartsAgainFromZero) {
  // With 0.34 a weight that kept its remainder would reach 1 one regiment early by the 30th.
  converter.infantryFactor = converter.irregularFactor = converter.armorFactor = 0.34;
  std::string regiments;
  for (int i = 1; i <= 31; ++i)
    regiments += Regiment('R' + std::to_string(i), "infantry", "barrel");
  regiments += Regiments("irregular", 31, 32);
  Strings expected;
  for (int i = 1, armor = 1; i <= 31; i += 3, ++armor) {
    expected.push_back('R' + std::to_string(i) + " infantry");
    expected.push_back(std::to_string(armor) + ". Armor Division armor");
  }
  for (int i = 32; i <= 62; i += 3) expected.push_back('R' + std::to_string(i) + " militia");
  EXPECT_EQ(Divisions(Convert(LandUnit("Army", "1", regiments))), expected);
}

TEST_F(LandForcesTest, WeightsRunOnAcrossTheLandUnitsOfACountry) {
  // The second unit's regiment brings the weight to 0.5 only and is not written;
  // the third unit's reaches 1.0.
  const ScriptNode* target = Convert(LandUnit("A", "1", Regiments("infantry", 1, 1)) +
                                     LandUnit("B", "1", Regiments("infantry", 1, 2)) +
                                     LandUnit("C", "1", Regiments("infantry", 1, 3)));
  ASSERT_EQ(Units(target).size(), 2u);
  EXPECT_EQ(ScenarioConverter::TextValueOf(Units(target)[1], "name"), "\"C\"");
  EXPECT_EQ(Divisions(target), (Strings{"R1 infantry", "R3 infantry"}));
  EXPECT_EQ(nextUnitId, 8104);  // A and its division, C and its division
}

TEST_F(LandForcesTest, InfantryAndCavalryShareTheRegularWeight) {
  EXPECT_EQ(Divisions(Convert(
                LandUnit("A", "1", Regiment("R1", "infantry") + Regiment("R2", "cavalry")))),
            (Strings{"R1 infantry"}));
  EXPECT_EQ(Divisions(Convert(
                LandUnit("B", "1", Regiment("R1", "cavalry") + Regiment("R2", "infantry")))),
            (Strings{"R1 cavalry"}));
}

TEST_F(LandForcesTest, IrregularsAndColonialQualityPoolAsMilitia) {
  // Militia has a weight of its own: it neither feeds nor drains the regular one.
  const ScriptNode* target =
      Convert(LandUnit("A", "1",
                       Regiment("R1", "irregular") + Regiment("R2", "infantry", "", "colonial") +
                           Regiment("R3", "cavalry", "", "colonial") + Regiment("R4", "infantry") +
                           Regiment("R5", "infantry")));
  EXPECT_EQ(Divisions(target), (Strings{"R1 militia", "R3 militia", "R4 infantry"}));
}

TEST_F(LandForcesTest, ColonialTypeCountsAsRegularButMakesMilitia) {
  // A colonial type of another quality adds the irregular factor to the regular
  // weight and, when that weight is full, still gives a militia division.
  converter.infantryFactor = 0.5;
  converter.irregularFactor = 0.25;
  const ScriptNode* target = Convert(
      LandUnit("A", "1",
               Regiment("R1", "colonial") + Regiment("R2", "infantry") +
                   Regiment("R3", "colonial") + Regiment("R4", "colonial") +
                   Regiment("R5", "irregular") + Regiment("R6", "irregular", "", "colonial")));
  // Regular: 1.05 (R1), 0.5, 0.75, 1.0 (R4); militia: 1.05 (R5), 0.25.
  EXPECT_EQ(Divisions(target), (Strings{"R1 militia", "R4 militia", "R5 militia"}));
}

TEST_F(LandForcesTest, ExtrasMakeNumberedArmorDivisionsPerCountry) {
  // Extras pool in a weight of their own; the armour division follows the
  // regiment's own division, and a regiment of unknown type still brings its extra.
  const ScriptNode* first = Convert(
      LandUnit("A", "1",
               Regiment("R1", "infantry", "barrel") + Regiment("R2", "infantry", "barrel") +
                   Regiment("R3", "artillery", "barrel") + Regiment("R4", "infantry", "horse") +
                   Regiment("R5", "infantry", "barrel")));
  EXPECT_EQ(Divisions(first), (Strings{"R1 infantry", "1. Armor Division armor",
                                       "2. Armor Division armor", "R4 infantry"}));
  // Any mapped extra is named the same way; the next country counts from 1 again.
  const ScriptNode* second = Convert(LandUnit("B", "1", Regiment("R1", "artillery", "cavalry")));
  EXPECT_EQ(Divisions(second), (Strings{"1. Armor Division cavalry"}));
}

TEST_F(LandForcesTest, UnitsThatYieldNothingTakeNoId) {
  const std::string army = Regiments("infantry", 1);
  const ScriptNode* target = Convert(LandUnit("Unmapped", "77", army) +   // no fallback
                                         LandUnit("Nowhere", "", army) +  // no fallback
                                         LandUnit("Mapped to 0", "3", army) +
                                         LandUnit("Guns", "1", Regiments("artillery", 3)) +
                                         "landunit = { }\n" + LandUnit("Kept", "1", army),
                                     0);
  ASSERT_EQ(Units(target).size(), 1u);
  EXPECT_EQ(ScenarioConverter::TextValueOf(Units(target)[0], "name"), "\"Kept\"");
  EXPECT_EQ(nextUnitId, 8102);
  // A country with a capital places the unmapped and the unlocated units there.
  converter.infantryFactor = 1.0;  // every regiment makes a division
  const ScriptNode* withCapital =
      Convert(LandUnit("Unmapped", "77", army) + LandUnit("Nowhere", "", army) +
              LandUnit("Mapped to 0", "3", army));
  ASSERT_EQ(Units(withCapital).size(), 2u);
  EXPECT_EQ(Location(Units(withCapital)[0]), 500);
  EXPECT_EQ(Location(Units(withCapital)[1]), 500);
}

TEST_F(LandForcesTest, LocationIsTheFirstMappedTargetProvinceOrTheCapital) {
  converter.infantryFactor = 1.0;  // every regiment makes a division, so every unit is written
  const std::string army = Regiments("infantry", 1);
  const ScriptNode* target =
      Convert(LandUnit("Split", "2", army) + LandUnit("Truncated", "1.9", army) +
              LandUnit("Negative", "-1.5", army) + LandUnit("Huge", "99999999999", army) +
              LandUnit("Word", "abc", army) + LandUnit("Missing", "", army));
  std::vector<double> locations;
  for (const ScriptNode* unit : Units(target)) locations.push_back(Location(unit));
  EXPECT_EQ(locations, (std::vector<double>{102, 101, 500, 500, 500, 500}));
}

TEST_F(LandForcesTest, ToleratesValuesOfUnexpectedKinds) {
  const ScriptNode* target = Convert(
      "landunit = 7\n"
      "units = { landunit division }\n"
      "landunit = { name = 5 location = abc division = 5 division = { type = { is = infantry } }\n"
      "  division = { name = { is = x } type = infantry quality = { is = colonial } extra = 4 } }\n"
      "army = { landunit = { name = \"Deep\" location = 1\n"
      "  group = { division = { name = \"D1\" type = infantry }\n"
      "            division = { name = \"D2\" type = infantry } } } }\n");
  ASSERT_EQ(Units(target).size(), 2u);
  EXPECT_EQ(ScenarioConverter::TextValueOf(Units(target)[0], "name"), "\"\"");
  EXPECT_EQ(Location(Units(target)[0]), 500);
  EXPECT_EQ(Divisions(target), (Strings{" infantry", "D2 infantry"}));
}

TEST_F(LandForcesTest, EachUnitAndDivisionTakesTheNextId) {
  nextUnitId = 10;
  const ScriptNode* target = Convert(LandUnit("A", "1", Regiment("R1", "infantry", "barrel")) +
                                     LandUnit("B", "1", Regiments("infantry", 2)));
  EXPECT_EQ(nextUnitId, 15);
  std::vector<double> ids;
  std::vector<double> types;
  for (const ScriptNode* unit : Units(target)) {
    std::vector<ScriptMatch> found;
    unit->FindAll("id", &found, ScriptNode::kUnlimited, 0);
    for (const ScriptMatch& match : found) {
      if (match.node->kind != kBlock) continue;
      ids.push_back(ScenarioConverter::NumberValueOf(match.node, "id", -1));
      types.push_back(ScenarioConverter::NumberValueOf(match.node, "type", -1));
    }
  }
  EXPECT_EQ(ids, (std::vector<double>{10, 11, 12, 13, 14}));
  EXPECT_EQ(types, std::vector<double>(5, kEngland));
}

TEST_F(LandForcesTest, WritesTheUnitLayout) {
  nextUnitId = 10;
  const ScriptNode* target =
      Convert(LandUnit("Home Army", "2", Regiment("1st Foot", "infantry", "barrel")));
  ScriptOutput out;
  for (int i = 0; i < target->ItemCount(); ++i) target->ChildAt(i)->Write(out, 0, false);
  EXPECT_EQ(out.text(),
            "landunit = \n"
            "{\n"
            "    name = \"Home Army\"\n"
            "    id = { type = 12700 id = 10 }\n"
            "    location = 102\n"
            "    division = \n"
            "    {\n"
            "        id = { type = 12700 id = 11 }\n"
            "        name = \"1st Foot\"\n"
            "        type = infantry\n"
            "        model = 0\n"
            "        strength = 100\n"
            "    }\n"
            "    division = \n"
            "    {\n"
            "        id = { type = 12700 id = 12 }\n"
            "        name = \"1. Armor Division\"\n"
            "        type = armor\n"
            "        model = 0\n"
            "        strength = 100\n"
            "    }\n"
            "}\n");
}

}  // namespace
