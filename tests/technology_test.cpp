#include <gtest/gtest.h>

#include "convert/scenario_converter.h"
#include "tests/script_text.h"

namespace {

// A source country holding the given numbers of technologies per range.
std::string SourceWith(int c1000, int c2000, int c3000, int cOther) {
  std::string text = "techapps = {";
  const auto add = [&text](int first, int count) {
    for (int i = 0; i < count; ++i) (text += ' ') += std::to_string(first + i);
  };
  add(1001, c1000);
  add(2001, c2000);
  add(3001, c3000);
  add(5000, cOther);
  return text + " }\n";
}

std::vector<int> Granted(std::string_view sourceText, const std::string& tag,
                         ScenarioConverter* keep = nullptr) {
  ScenarioConverter local;
  ScenarioConverter& converter = keep ? *keep : local;
  converter.root = ScriptNode::NewRoot();
  ScriptFile source;
  source.root = ParseScript(sourceText);
  ScriptNode* target = converter.root->AddChild("country");
  converter.ConvertTechnology(target, source.root, tag);
  const ScriptNode* techapps = target->FirstChild("techapps");
  std::vector<int> ids;
  for (int i = 0; i < techapps->ItemCount(); ++i) ids.push_back(static_cast<int>(techapps->NumberAt(i)));
  return ids;
}

bool Has(const std::vector<int>& ids, int id) { return std::count(ids.begin(), ids.end(), id) > 0; }

TEST(Technology, CountsAreTruncatedAndRecorded) {
  ScenarioConverter converter;
  EXPECT_EQ(Granted("techapps = { 1000.5 1001.9 2000 2500 3999 4001 5000 -3 }", "ABC", &converter),
            (std::vector<int>{1010, 1190, 2150, 2290}));
  ASSERT_EQ(converter.techCounts.size(), 1u);
  const TechCount& c = converter.techCounts[0];
  EXPECT_EQ(c.tag, "ABC");
  EXPECT_EQ(c.c1000, 1);
  EXPECT_EQ(c.c2000, 1);
  EXPECT_EQ(c.c3000, 1);
  EXPECT_EQ(c.c4000, 1);
  EXPECT_EQ(c.cOther, 4);
}

TEST(Technology, GeneralGrantsFollowTheThresholds) {
  EXPECT_EQ(Granted("", "ABC"), (std::vector<int>{1010, 1190, 2150, 2290}));
  EXPECT_EQ(Granted(SourceWith(25, 0, 0, 0), "ABC"),
            (std::vector<int>{1010, 1190, 2150, 2290, 1200, 1020, 1210, 1220, 1110}));

  std::vector<int> deep = Granted(SourceWith(25, 0, 25, 25), "ABC");
  EXPECT_EQ(std::count(deep.begin(), deep.end(), 2450), 2);
  EXPECT_EQ(std::count(deep.begin(), deep.end(), 2460), 2);
  EXPECT_TRUE(Has(deep, 5470));

  std::vector<int> soviet = Granted(SourceWith(25, 0, 25, 25), "SOV");
  EXPECT_FALSE(Has(soviet, 1310));
  EXPECT_EQ(std::count(soviet.begin(), soviet.end(), 2460), 1);
  for (int id : {5310, 5020, 5090, 5470}) EXPECT_FALSE(Has(soviet, id)) << id;
  EXPECT_TRUE(Has(soviet, 5190));

  std::vector<int> army = Granted(SourceWith(0, 25, 0, 25), "GER");
  EXPECT_FALSE(Has(army, 3030));
  EXPECT_TRUE(Has(army, 3100));
  EXPECT_FALSE(Has(army, 3430));
  EXPECT_TRUE(Has(Granted(SourceWith(0, 25, 0, 25), "JAP"), 3430));
}

TEST(Technology, MajorPowersGetTheirRowAboveSumFortyEight) {
  std::vector<int> row = Granted(SourceWith(30, 19, 0, 0), "GER");
  const std::vector<int> german{6210, 6220, 6230, 6240, 6250, 8010, 8020, 8030, 8040, 8050,
                                8150, 8160, 8170, 9010, 9020, 9030, 9040, 9050, 9090};
  EXPECT_TRUE(std::equal(german.begin(), german.end(), row.end() - german.size()));

  std::vector<int> cumulative = Granted(SourceWith(29, 19, 0, 0), "GER");
  const std::vector<int> upTo46{6010, 8010, 8020, 9010, 9020, 6030, 8030, 8040};
  EXPECT_TRUE(std::equal(upTo46.begin(), upTo46.end(), cumulative.end() - upTo46.size()));

  std::vector<int> minor = Granted(SourceWith(30, 20, 0, 0), "ABC");  // sum 50, every row
  EXPECT_EQ(std::vector<int>(minor.end() - 3, minor.end()), (std::vector<int>{6120, 8100, 8120}));
}

}  // namespace
