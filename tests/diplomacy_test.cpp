// Diplomacy, subjects and alliances: the steps that decide who stands with whom.
#include <gtest/gtest.h>

#include "convert/scenario_converter.h"
#include "tests/script_text.h"

namespace {

struct Diplomacy {
  explicit Diplomacy(std::string_view sourceText, std::string_view ownTag = "ENG") {
    converter.root = ScriptNode::NewRoot();
    source.root = ParseScript(sourceText);
    target = converter.root->AddChild("country");
    ScenarioConverter::AddTextValue(target, "tag", ownTag);
    converter.tagMap = {{"FRA", "FRA"}, {"BAV", ""}, {"PRU", "GER"}, {"SAX", "SXN"}};
    converter.motherMap = {{"BAV", "GER"}, {"SAX", "GER"}};
    converter.ConvertDiplomacy(target, source.root);
  }
  ScenarioConverter converter;
  ScriptFile source;
  ScriptNode* target;
};

TEST(Diplomacy, RelationsAreTranslatedTruncatedOrDropped) {
  Diplomacy d("d = { relation = { tag = FRA value = -45.7 } relation = { tag = XXX value = 3 }\n"
              "relation = { tag = PRU value = 12.9 } relation = { tag = SAX value = 7 } }\n");
  EXPECT_EQ(WrittenText(d.target),
            "country = { tag = ENG diplomacy = { relation = { tag = FRA value = -45 }\n"
            " relation = { tag = GER value = 12 }\n }\n }\n");
}

TEST(Diplomacy, PartnerWithoutMotherIsSearchedAsEmptyText) {
  // No partner has a mother here, and nothing in the target is named "": all written.
  Diplomacy d("relation = { tag = FRA value = 1 }\n");
  EXPECT_EQ(d.target->FirstChild("diplomacy")->ItemCount(), 1);
}

TEST(Diplomacy, AllDroppedLeavesAnEmptyBlockAndNoRelationsNone) {
  Diplomacy dropped("relation = { tag = BAV value = 1 }\n");
  EXPECT_EQ(WrittenText(dropped.target->FirstChild("diplomacy")), "diplomacy = { }\n");
  Diplomacy none("tag = ENG\n");
  EXPECT_EQ(none.target->FirstChild("diplomacy"), nullptr);
}

TEST(Dominions, OverlordIsRecordedUpperCase) {
  ScenarioConverter converter;
  ScriptFile both, lower, neither;
  both.root = ParseScript("dominion = ENG\nsatellite = FRA\n");
  lower.root = ParseScript("satellite = eng\n");
  neither.root = ParseScript("dominion = \"\"\n");
  converter.ConvertDominions("CAN", both.root);
  converter.ConvertDominions("POR", lower.root);
  converter.ConvertDominions("XXX", neither.root);
  ASSERT_EQ(converter.subjectLinks.size(), 2u);
  EXPECT_EQ(converter.subjectLinks[0].overlord, "ENG");
  EXPECT_EQ(converter.subjectLinks[0].subject, "CAN");
  EXPECT_EQ(converter.subjectLinks[1].overlord, "ENG");
}

struct Alliances {
  explicit Alliances(std::vector<CountryAlignment> records) {
    converter.root = ScriptNode::NewRoot();
    globaldata = converter.root->AddChild("globaldata");
    converter.countryAlignments = std::move(records);
  }
  std::string Leader(std::string_view alliance) const {
    const ScriptNode* block = globaldata->FirstChild(alliance);
    return block ? std::string(block->FirstChild("participant")->TextAt(0)) : "";
  }
  ScenarioConverter converter;
  ScriptNode* globaldata;
};

TEST(Alliances, LeadersFollowTheRunningBounds) {
  Alliances allies({{"USA", 10, 5, 40}, {"ENG", 9, 5, 30}, {"FRA", 9, 6, 35}});
  allies.converter.ConvertAlliances();
  EXPECT_EQ(allies.Leader("allies"), "FRA");
  // Each later choice sees the list without the leaders chosen before it.
  EXPECT_EQ(allies.Leader("axis"), "USA");
  EXPECT_EQ(allies.Leader("comintern"), "ENG");
  EXPECT_TRUE(allies.converter.countryAlignments.empty());

  Alliances stricter({{"ENG", 9, 5, 30}, {"FRA", 8, 6, 35}});
  stricter.converter.ConvertAlliances();
  EXPECT_EQ(stricter.Leader("allies"), "ENG");
  EXPECT_EQ(stricter.Leader("axis"), "FRA");

  Alliances axis({{"ENG", 10, 5, 100}, {"GER", 2, 1, 20}, {"ITA", 3, 2, 25}, {"CHI", 1, 10, 15}});
  axis.converter.ConvertAlliances();
  EXPECT_EQ(axis.Leader("allies"), "ENG");
  EXPECT_EQ(axis.Leader("axis"), "GER");       // ITA then fails 3 <= 2
  EXPECT_EQ(axis.Leader("comintern"), "ITA");  // CHI's score 15 is never enough
  ASSERT_EQ(axis.converter.countryAlignments.size(), 1u);
  EXPECT_EQ(axis.converter.countryAlignments[0].tag, "CHI");
}

TEST(Alliances, NoQualifyingCountryLeavesTheAllianceOut) {
  Alliances a({{"SOV", 1, 10, 1}, {"USA", 10, 5, 15}});
  a.converter.ConvertAlliances();
  EXPECT_EQ(WrittenText(a.globaldata), "globaldata = \n{\n}\n");
  EXPECT_EQ(a.converter.countryAlignments.size(), 2u);
}

TEST(Alliances, SubjectsJoinTheirOverlordsAlliance) {
  Alliances a({{"ENG", 9, 5, 30}});
  a.converter.subjectLinks = {{"ENG", "CAN"}, {"FRA", "XXX"}, {"ENG", "POR"}};
  a.converter.ConvertAlliances();
  EXPECT_EQ(WrittenText(a.globaldata),
            "globaldata = \n{\n    allies = \n    {\n        id = { type = 15000 id = 1 }\n"
            "        participant = { ENG CAN POR }\n    }\n}\n");
}

}  // namespace
