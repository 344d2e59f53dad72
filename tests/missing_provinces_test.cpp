// How the conversion takes a front end's answer for the provinces left without
// an owner: every country block of a tag receives its ids, owned then
// controlled; an answer that does not place each missing province once, with
// an offered country, stops the conversion. Front ends that answer wrongly do
// not exist to show this through the program.
#include "convert/missing_provinces.h"

#include <gtest/gtest.h>

#include "script/script_file.h"
#include "script/script_output.h"

namespace {

struct Scenario {
  Scenario() {
    LineCollector log;
    file.LoadBuffer(
        "header = { selectable = { GER ENG SOV } }\n"
        "country = { tag = ENG ownedprovinces = { 1 } controlledprovinces = { 1 } }\n"
        "country = { tag = GER ownedprovinces = { } controlledprovinces = { 2 } }\n"
        "country = { tag = ENG ownedprovinces = { 3 } }\n",
        "scenario", log);
    targets.ids = {1, 550, 2, 551, 3, 550};
    targets.assigned = {1, 2, 3};
  }
  std::string Countries() const {
    ScriptOutput out;
    for (int i = 1; i < file.root().ItemCount(); ++i) file.root().ChildAt(i)->Write(out, 0, false);
    return out.TakeText();
  }
  ScriptFile file;
  TargetProvinces targets;
};

TEST(MissingProvinces, OfferedCountriesReceiveTheirPlacementInEveryBlock) {
  Scenario s;
  const MissingProvinces missing = FindMissingProvinces(s.targets, s.file.root());
  EXPECT_EQ(missing.ids, (std::vector<ProvinceId>{550, 551, 550}));
  EXPECT_EQ(missing.tags, (std::vector<std::string>{"GER", "ENG"}));  // SOV has no block
  const ProvincePlacement placement{{"GER", {551, 550}, "plan"}, {"ENG", {550}, "prompt"}};
  std::vector<ConversionReport::Placement> placed;
  ASSERT_TRUE(PlaceMissingProvinces(missing, placement, s.targets, s.file.root(), placed));
  ASSERT_EQ(placed.size(), 3u);  // each province with its country and how it was given
  EXPECT_EQ(placed[2].province, 550);
  EXPECT_EQ(placed[2].tag, "ENG");
  EXPECT_EQ(placed[2].how, "prompt");
  EXPECT_EQ(s.Countries(),
            "country = \n{\n    tag = ENG\n    ownedprovinces = { 1 550 }\n    controlledprovinces = { 1 550 }\n}\n"
            "country = \n{\n    tag = GER\n    ownedprovinces = { 551 550 }\n    controlledprovinces = { 2 551 550 }\n}\n"
            "country = { tag = ENG ownedprovinces = { 3 550 }\n }\n");
}

TEST(MissingProvinces, AnAnswerThatDoesNotPlaceEachOnceStopsTheConversion) {
  const ProvincePlacement wrong[] = {
      {{"GER", {551, 550}, "plan"}},                          // 550 only once
      {{"GER", {551, 550, 550, 551}, "plan"}},                // 551 twice
      {{"GER", {551, 550}, "plan"}, {"SOV", {550}, "plan"}},  // a country that is not offered
      {{"GER", {551, 550, 12}, "plan"}, {"ENG", {550}, "plan"}}};  // a province that is not missing
  for (const ProvincePlacement& placement : wrong) {
    Scenario s;
    const std::string before = s.Countries();
    std::vector<ConversionReport::Placement> placed;
    EXPECT_FALSE(PlaceMissingProvinces(FindMissingProvinces(s.targets, s.file.root()), placement, s.targets,
                                       s.file.root(), placed));
    EXPECT_TRUE(placed.empty());
    EXPECT_EQ(s.Countries(), before);
  }
}

}  // namespace
