// The plan format that the command line reads with --assign and prints to be
// filled in, and that the page imports and exports: what PlanText writes,
// ReadPlan reads back as the same entries, whatever the labels hold; and a
// plan that cannot be read is refused with the reader's lines.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/core/assignment_plan.h"

namespace {

std::optional<std::vector<PlanEntry>> Read(const std::optional<std::string_view>& bytes, LineCollector& messages) {
  return ReadPlan(bytes, "plan.txt", messages);
}

TEST(AssignmentPlan, WrittenPlanReadsBackAsItsEntriesAndAnEmptyOneForEveryOtherCountry) {
  const PlanToWrite plan{{"ENG", "FRA", "GER"},
                         {"12, Old\ttown\r", "13, a } b = { 14", "15, #\x1b[2J"},
                         {{"GER", {550, 551, 550}}, {"ENG", {7}}}};
  LineCollector messages;
  const std::optional<std::vector<PlanEntry>> read = Read(PlanText(plan), messages);
  ASSERT_TRUE(read) << ::testing::PrintToString(messages.lines);
  ASSERT_EQ(read->size(), 3u);
  EXPECT_EQ((*read)[0].tag, "GER");
  EXPECT_EQ((*read)[0].ids, (std::vector<ProvinceId>{550, 551, 550}));
  EXPECT_EQ((*read)[1].tag, "ENG");
  EXPECT_EQ((*read)[1].ids, (std::vector<ProvinceId>{7}));
  EXPECT_EQ((*read)[2].tag, "FRA");
  EXPECT_TRUE((*read)[2].ids.empty());
  EXPECT_TRUE(messages.lines.empty());
}

TEST(AssignmentPlan, RefusalsSayWhy) {
  LineCollector unread;
  EXPECT_FALSE(Read(std::nullopt, unread));
  EXPECT_EQ(unread.lines,
            (std::vector<std::string>{"Loading plan.txt...", "Could not open plan.txt for input",
                                      "The plan plan.txt is not made of entries like ENG = { 550 551 }."}));
  LineCollector broken;
  EXPECT_FALSE(Read("# 1.5 in a comment\r\nENG = { 550 }\rFRA = { 551.5 }\n", broken));
  EXPECT_EQ(broken.lines,
            (std::vector<std::string>{"The plan plan.txt, line 3: 551.5 is not a province id (a whole number)."}));
}

}  // namespace
