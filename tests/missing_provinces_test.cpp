#include <gtest/gtest.h>

#include <functional>

#include "assign/missing_province_model.h"
#include "assign/province_assigner.h"
#include "convert/scenario_converter.h"
#include "refdata/province_names.h"
#include "tests/script_text.h"

namespace {

// FRA is selectable but has no country block: provinces given to it would be
// written nowhere, so it is never offered.
constexpr std::string_view kScenario =
    "header = { selectable = { GER FRA ENG } }\n"
    "country = { tag = ENG ownedprovinces = { 5 } controlledprovinces = { 5 } }\n"
    "country = { tag = GER ownedprovinces = { 9 } controlledprovinces = { 9 } }\n";

// An assigner that records the model it is given and places provinces as told.
class ScriptedAssigner : public ProvinceAssigner {
 public:
  explicit ScriptedAssigner(std::function<bool(MissingProvinceModel&)> place) : place_(std::move(place)) {}
  bool Assign(MissingProvinceModel& model) override {
    ++calls;
    model.Open(ProvinceNames());
    missingIds = model.missingIds();
    countryTags = model.countryTags();
    return place_(model);
  }

  int calls = 0;
  std::vector<int32_t> missingIds;
  std::vector<std::string> countryTags;

 private:
  std::function<bool(MissingProvinceModel&)> place_;
};

bool AllToEngland(MissingProvinceModel& model) {
  model.SelectCountry(model.FindCountry("ENG"));
  for (std::size_t left = model.notAddedLabels().size(); left > 0; --left) {
    model.SelectNotAdded(0);
    model.MoveToCountry();
  }
  return true;
}

class MissingProvinces : public ::testing::Test {
 protected:
  MissingProvinces() {
    converter.root = ParseScript(kScenario);
    converter.targetProvinceIds = {5, 7, 9, 8, 7};
    converter.assignedProvinceIds = {9, 5};
  }
  std::string Countries() const {
    std::string text;
    for (int i = 1; i < converter.root->ItemCount(); ++i) text += WrittenText(converter.root->ChildAt(i));
    return text;
  }

  ScenarioConverter converter;
};

TEST_F(MissingProvinces, AreTheUnassignedTargetIdsInOrderWithRepeats) {
  ScriptedAssigner assigner(AllToEngland);
  converter.assigner = &assigner;
  EXPECT_TRUE(converter.AssignMissingProvinces());
  EXPECT_EQ(assigner.calls, 1);
  EXPECT_EQ(assigner.missingIds, (std::vector<int32_t>{7, 8, 7}));
  EXPECT_EQ(assigner.countryTags, (std::vector<std::string>{"ENG", "GER"}));
  const ScriptNode* eng = converter.root->ChildAt(1);
  EXPECT_EQ(WrittenText(eng->FirstChild("ownedprovinces")), "ownedprovinces = { 5 7 8 7 }\n");
  EXPECT_EQ(WrittenText(eng->FirstChild("controlledprovinces")), "controlledprovinces = { 5 7 8 7 }\n");
}

TEST_F(MissingProvinces, NeedNoAssignerWhenEveryProvinceIsAssigned) {
  converter.assignedProvinceIds = {5, 7, 8, 9};
  ScriptedAssigner assigner(AllToEngland);
  converter.assigner = &assigner;
  const std::string before = Countries();
  EXPECT_TRUE(converter.AssignMissingProvinces());
  EXPECT_EQ(assigner.calls, 0);
  EXPECT_EQ(Countries(), before);
}

TEST_F(MissingProvinces, StayUnownedWithoutAnAssigner) {
  const std::string before = Countries();
  EXPECT_TRUE(converter.AssignMissingProvinces());
  EXPECT_EQ(Countries(), before);
}

TEST_F(MissingProvinces, StopTheConversionWhenTheAssignerGivesUp) {
  ScriptedAssigner assigner([](MissingProvinceModel& model) { return !AllToEngland(model); });
  converter.assigner = &assigner;
  const std::string before = Countries();
  EXPECT_FALSE(converter.AssignMissingProvinces());
  EXPECT_EQ(Countries(), before);
}

TEST_F(MissingProvinces, StopTheConversionWhenTheAssignerLeavesSomeUnplaced) {
  ScriptedAssigner assigner([](MissingProvinceModel& model) {
    model.SelectNotAdded(0);
    model.MoveToCountry();
    return true;
  });
  converter.assigner = &assigner;
  const std::string before = Countries();
  EXPECT_FALSE(converter.AssignMissingProvinces());
  EXPECT_EQ(Countries(), before);
}

}  // namespace
