#include <gtest/gtest.h>

#include "convert/scenario_converter.h"
#include "tests/script_text.h"

namespace {

struct Converted {
  explicit Converted(std::string_view sourceText) {
    converter.root = ScriptNode::NewRoot();
    source.root = ParseScript(sourceText);
    target = converter.root->AddChild("country");
    converter.ConvertPolitics(target, source.root, "XYZ");
  }
  double Slider(std::string_view name) const {
    return ScenarioConverter::NumberValueOf(target->FirstChild("policy"), name, -99);
  }
  ScenarioConverter converter;
  ScriptFile source;
  ScriptNode* target;
};

TEST(Politics, CountryWithoutPoliticalKeys) {
  Converted c("");
  EXPECT_EQ(WrittenText(c.target),
            "country = { policy = { date = { year = 0 month = january day = 0 }\n"
            " democratic = 5 political_left = 5 freedom = 5 free_market = 5 professional_army = 6"
            " defense_lobby = 3 interventionism = 7 }\n belligerence = 0 }\n");
  ASSERT_EQ(c.converter.countryAlignments.size(), 1u);
  const CountryAlignment& a = c.converter.countryAlignments[0];
  EXPECT_EQ(a.tag, "XYZ");
  EXPECT_EQ(a.democratic, 5);
  EXPECT_EQ(a.politicalLeft, 5);
  EXPECT_EQ(a.score, 0);
}

TEST(Politics, SlidersAreClampedAfterAllAdjustments) {
  Converted left("government = proletarian_dictatorship national_value = equality "
                 "trade_unions = all political_parties = none_allowed press_rights = state_press");
  EXPECT_EQ(left.Slider("political_left"), 10);  // 11 + 2 + 1 - 2
  EXPECT_EQ(left.Slider("free_market"), 1);      // 0 - 2
  EXPECT_EQ(left.converter.countryAlignments[0].politicalLeft, 10);

  Converted autocrat("government = presidential_dictatorship national_value = order "
                     "executive_designation = laws_by_decree political_parties = none_allowed "
                     "party_system = one_party");
  EXPECT_EQ(autocrat.Slider("democratic"), 1);  // -1 - 2 - 2 - 3 - 2

  Converted liberal("government = democracy national_value = liberty voting_rights = suffrage "
                    "party_system = multi_party executive_designation = parliamentarism "
                    "political_parties = all_allowed");
  EXPECT_EQ(liberal.Slider("democratic"), 10);
  EXPECT_EQ(liberal.Slider("freedom"), 10);
  EXPECT_EQ(liberal.Slider("interventionism"), 10);  // 9 + 2
}

TEST(Politics, InfamyBandsAreStrictOnBothSides) {
  struct Case {
    double badboy;
    int army, lobby, intervention;
  };
  // Start values under a monarchy: professional army 7, interventionism 6.
  for (const Case& c : {Case{0, 8, 3, 8}, Case{10, 7, 5, 6}, Case{15, 7, 7, 7}, Case{20, 7, 5, 6},
                        Case{25, 6, 8, 5}, Case{40, 7, 5, 6}, Case{50, 5, 9, 4}}) {
    Converted country("government = monarchy\nbadboy = " + std::to_string(c.badboy));
    SCOPED_TRACE(c.badboy);
    EXPECT_EQ(country.Slider("professional_army"), c.army);
    EXPECT_EQ(country.Slider("defense_lobby"), c.lobby);
    EXPECT_EQ(country.Slider("interventionism"), c.intervention);
    EXPECT_EQ(ScenarioConverter::NumberValueOf(country.target, "belligerence", -1), c.badboy);
  }
}

TEST(Politics, UnknownOrMistypedValuesChangeNothing) {
  Converted c("government = { type = monarchy }\nnational_value = Liberty\nbadboy = high\n");
  EXPECT_EQ(c.Slider("democratic"), 5);
  EXPECT_EQ(c.Slider("freedom"), 5);
  EXPECT_EQ(c.Slider("defense_lobby"), 3);  // a word is no number: badboy 0
}

}  // namespace
