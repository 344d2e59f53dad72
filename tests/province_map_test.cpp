#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "refdata/province_map.h"

namespace {

using Targets = ProvinceMap::TargetList;
using Lines = std::vector<std::string>;
using SourcesByTarget = std::map<int, std::vector<int>>;

// The map as start-up builds it, built once for the whole file.
const ProvinceMap& BuiltMap() {
  static const ProvinceMap map = [] {
    ProvinceMap built;
    LineCollector log;
    built.Build("Provinces.txt", log);
    return built;
  }();
  return map;
}

// Every entry, in visiting order.
std::vector<std::pair<int, Targets>> Entries(const ProvinceMap& map) {
  std::vector<std::pair<int, Targets>> entries;
  map.ForEach([&](ProvinceId sourceId, const Targets& targets) { entries.emplace_back(sourceId, targets); });
  return entries;
}

bool IsMerge(const Targets& targets) { return targets.size() == 2 && targets[1] > 3000; }

// Sources of the merge lists whose marker passes the filter, by target.
SourcesByTarget MergeSources(const std::function<bool(int)>& markerFilter) {
  SourcesByTarget sources;
  for (const auto& [sourceId, targets] : Entries(BuiltMap()))
    if (IsMerge(targets) && markerFilter(targets[1])) sources[targets[0]].push_back(sourceId);
  return sources;
}

// The target provinces a scenario gets from the map, in the order a conversion
// lists them: every value of a plain list and the target of a 3003 list.
std::vector<int> ScenarioTargets() {
  std::vector<int> ids;
  for (const auto& [sourceId, targets] : Entries(BuiltMap())) {
    if (!IsMerge(targets))
      ids.insert(ids.end(), targets.begin(), targets.end());
    else if (targets[1] == 3003)
      ids.push_back(targets[0]);
  }
  return ids;
}

std::set<int> TargetIdsUsed() {
  std::set<int> ids;
  for (const auto& [sourceId, targets] : Entries(BuiltMap()))
    for (ProvinceId value : targets)
      if (value <= 3000) ids.insert(value);
  return ids;
}

Targets ListOf(int sourceId) {
  const Targets* targets = BuiltMap().Find(sourceId);
  return targets ? *targets : Targets{};
}

TEST(ProvinceMapBuild, LogsTheLoadingLineTheCountAndAnEmptyLine) {
  ProvinceMap map;
  LineCollector log;
  EXPECT_TRUE(map.Build("Provinces.txt", log));
  EXPECT_EQ(log.lines, (Lines{"Loading Provinces.txt...", "2303 provinces loaded.", ""}));
  EXPECT_EQ(map.Count(), 2303u);

  ProvinceMap other;
  LineCollector otherLog;
  other.Build("built-in table", otherLog);
  EXPECT_EQ(otherLog.lines.front(), "Loading built-in table...");
}

TEST(ProvinceMapBuild, ReplacesStoredListsAndCountsEveryEntry) {
  ProvinceMap map;
  map.Set(8, {1});
  map.Set(5000, {7, 3002});
  LineCollector log;
  map.Build("Provinces.txt", log);
  EXPECT_EQ(log.lines[1], "2304 provinces loaded.");
  EXPECT_EQ(*map.Find(8), (Targets{549, 3003}));
  EXPECT_EQ(*map.Find(5000), (Targets{7, 3002}));
}

TEST(ProvinceMapBuild, SetReplacesTheWholeListAndClearEmptiesTheMap) {
  ProvinceMap map;
  map.Set(20, {1, 2, 3});
  map.Set(20, {4});
  EXPECT_EQ(*map.Find(20), (Targets{4}));
  EXPECT_EQ(map.Count(), 1u);

  LineCollector log;
  map.Build("Provinces.txt", log);
  map.Clear();
  EXPECT_EQ(map.Count(), 0u);
  EXPECT_EQ(map.Find(8), nullptr);
  EXPECT_TRUE(Entries(map).empty());
}

TEST(ProvinceMapFind, ReturnsTheStoredListItself) {
  const ProvinceMap& map = BuiltMap();
  const Targets* eight = map.Find(8);
  ASSERT_NE(eight, nullptr);
  EXPECT_EQ(*eight, (Targets{549, 3003}));
  EXPECT_EQ(map.Find(8), eight);
  const Targets* visited = nullptr;
  map.ForEach([&](ProvinceId sourceId, const Targets& targets) {
    if (sourceId == 8) visited = &targets;
  });
  EXPECT_EQ(visited, eight);
  EXPECT_NE(map.Find(2859), nullptr);
}

TEST(ProvinceMapFind, AbsentIdsGiveNoneAndAddNoEntry) {
  ProvinceMap map;
  LineCollector log;
  map.Build("Provinces.txt", log);
  for (int id : {11, 23, 27, 30, 33, 34, 35, 0, 7, -1, 2860, 32767, -32768}) {
    EXPECT_EQ(map.Find(id), nullptr) << id;
  }
  EXPECT_EQ(map.Count(), 2303u);
}

TEST(ProvinceMapFind, IdsBeyondSixteenBitsDoNotWrapAround) {
  const ProvinceMap& map = BuiltMap();
  ASSERT_NE(map.Find(8), nullptr);
  ASSERT_NE(map.Find(2859), nullptr);
  for (int32_t id : {65536 + 8, -65536 + 8, 65536 + 2859, 131072 + 12, std::numeric_limits<int32_t>::max(),
                     std::numeric_limits<int32_t>::min()})
    EXPECT_EQ(map.Find(id), nullptr) << id;
}

TEST(ProvinceMapForEach, VisitsEverySourceInAscendingOrder) {
  std::vector<std::pair<int, Targets>> entries = Entries(BuiltMap());
  ASSERT_EQ(entries.size(), 2303u);
  EXPECT_EQ(entries.front().first, 8);
  EXPECT_EQ(entries.back().first, 2859);
  for (size_t i = 1; i < entries.size(); ++i) EXPECT_LT(entries[i - 1].first, entries[i].first);
  EXPECT_TRUE(Entries(ProvinceMap{}).empty());
}

TEST(ProvinceMapTable, CoversSources8To2859With549Absent) {
  std::set<int> present;
  for (const auto& entry : Entries(BuiltMap())) present.insert(entry.first);
  EXPECT_EQ(present.size(), 2303u);
  EXPECT_EQ(*present.begin(), 8);
  EXPECT_EQ(*present.rbegin(), 2859);
  EXPECT_EQ(2859 - 8 + 1 - static_cast<int>(present.size()), 549);
  for (int id : {11, 23, 27, 30, 33, 34, 35}) EXPECT_EQ(present.count(id), 0u) << id;
}

TEST(ProvinceMapTable, Uses1858DistinctTargetsFrom1To1909) {
  std::set<int> targets = TargetIdsUsed();
  EXPECT_EQ(targets.size(), 1858u);
  EXPECT_EQ(*targets.begin(), 1);
  EXPECT_EQ(*targets.rbegin(), 1909);
  const std::set<int> markers = {3002, 3003, 3302, 3303};
  for (const auto& [sourceId, targets] : Entries(BuiltMap()))
    for (ProvinceId value : targets)
      EXPECT_TRUE((value >= 1 && value <= 1909) || markers.count(value)) << sourceId << ": " << value;
}

TEST(ProvinceMapTable, HasTheListLengthsOfTheTable) {
  std::map<size_t, int> lengths;
  int mergeLists = 0;
  for (const auto& [sourceId, targets] : Entries(BuiltMap())) {
    ++lengths[targets.size()];
    if (IsMerge(targets)) ++mergeLists;
  }
  const std::map<size_t, int> expected = {{1, 728}, {2, 1483}, {3, 54}, {4, 23}, {5, 7},
                                          {6, 2},   {7, 2},    {8, 1},  {9, 2},  {10, 1}};
  EXPECT_EQ(lengths, expected);
  EXPECT_EQ(mergeLists, 1341);
}

TEST(ProvinceMapTable, PutsMarkersOnlySecondOfTwoValues) {
  std::map<int, int> markerLists;
  int misplaced = 0;
  for (const auto& [sourceId, targets] : Entries(BuiltMap())) {
    for (size_t i = 0; i < targets.size(); ++i) {
      if (targets[i] <= 3000) continue;
      if (i == 1 && targets.size() == 2)
        ++markerLists[targets[i]];
      else
        ++misplaced;
    }
  }
  EXPECT_EQ(markerLists, (std::map<int, int>{{3002, 839}, {3003, 498}, {3302, 3}, {3303, 1}}));
  EXPECT_EQ(misplaced, 0);
}

TEST(ProvinceMapTable, HoldsTheTellingRows) {
  const std::vector<std::pair<int, Targets>> rows = {
      {8, {549, 3003}},
      {9, {548, 547, 546, 545, 544, 543, 542, 1408}},
      {10, {552, 3302}},
      {12, {550}},
      {14, {552, 3302}},
      {15, {552, 3302}},
      {16, {552, 3303}},
      {49, {1, 2}},
      {104, {1564, 1565, 1566, 1571, 1572, 1573, 1594, 1596, 1597, 1598}},
      {308, {92, 3002}},
      {309, {92, 3003}},
      {317, {111, 3003}},
      {326, {111, 3002}},
      {332, {111, 3002}},
  };
  for (const auto& [sourceId, targets] : rows) EXPECT_EQ(ListOf(sourceId), targets) << sourceId;
}

TEST(ProvinceMapTable, HasFourTargetsWithSeveralMainContributors) {
  SourcesByTarget shared;
  for (const auto& [target, sources] : MergeSources([](int marker) { return marker == 3003; }))
    if (sources.size() > 1) shared[target] = sources;
  const SourcesByTarget expected = {
      {513, {846, 849}}, {835, {2434, 2437}}, {1642, {2321, 2322, 2324}}, {1826, {1441, 1448, 1449}}};
  EXPECT_EQ(shared, expected);
}

TEST(ProvinceMapTable, HasThreeTargetsReachedOnlyThroughOtherMarkers) {
  const std::vector<int> scenario = ScenarioTargets();
  const std::set<int> inScenario(scenario.begin(), scenario.end());
  SourcesByTarget markerOnly;
  for (const auto& [target, sources] : MergeSources([](int marker) { return marker != 3003; }))
    if (!inScenario.count(target)) markerOnly[target] = sources;
  const SourcesByTarget expected = {{552, {10, 14, 15, 16}}, {822, {2381, 2382}}, {1025, {1375, 1866}}};
  EXPECT_EQ(markerOnly, expected);
}

TEST(ProvinceMapTable, GivesTheScenarioEveryOtherTargetOncePerMainPart) {
  std::map<int, int> listed;
  for (int target : ScenarioTargets()) ++listed[target];
  std::set<int> missing;
  for (int target : TargetIdsUsed())
    if (!listed.count(target)) missing.insert(target);
  EXPECT_EQ(missing, (std::set<int>{552, 822, 1025}));
  std::map<int, int> repeated;
  for (const auto& [target, times] : listed)
    if (times > 1) repeated[target] = times;
  EXPECT_EQ(repeated, (std::map<int, int>{{513, 2}, {835, 2}, {1642, 3}, {1826, 3}}));
}

}  // namespace
