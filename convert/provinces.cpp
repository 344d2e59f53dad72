#include "convert/provinces.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/value_access.h"
#include "script/number_format.h"

namespace {

const std::array<std::string, 3> kSourceProvinceKeys{"ownedprovinces", "ownedprovinces",
                                                     "nationalprovinces"};
const std::array<std::string, 3> kTargetProvinceKeys{"ownedprovinces", "controlledprovinces",
                                                     "nationalprovinces"};

// A list that numbers can be appended to: one of numbers, or one still empty.
bool HoldsNumbers(const ScriptNode* list) {
  return list->kind == kNumbers || (list->kind == kUntyped && list->ItemCount() == 0);
}

// The province list of a share as a small number: its place among the target
// lists, 3 for any other text (no lookup asks for one).
char ListNumber(std::string_view list) {
  for (size_t k = 0; k < kTargetProvinceKeys.size(); ++k)
    if (kTargetProvinceKeys[k] == list) return static_cast<char>(k);
  return 3;
}

// The key of a share in the share index. Fixed-size parts come first so that
// any country text keeps keys apart; short tags stay within the small-string
// buffer.
std::string ShareKey(char list, double province, std::string_view country) {
  const double normalized = province + 0.0;  // -0 and 0 are the same province
  std::string key(1 + sizeof normalized, list);
  std::memcpy(key.data() + 1, &normalized, sizeof normalized);
  key.append(country);
  return key;
}

// How often each target province stands in the owned and controlled lists of
// the scenario's countries.
std::unordered_map<int32_t, int32_t> PlacementCounts(const ScriptNode& scenario) {
  std::unordered_map<int32_t, int32_t> counts;
  for (int c = 0; c < scenario.ItemCount(); ++c) {
    const ScriptNode* country = scenario.ChildAt(c);
    if (country->name() != "country" || country->kind != kBlock) continue;
    for (int l = 0; l < country->ItemCount(); ++l) {
      const ScriptNode* list = country->ChildAt(l);
      if (list->kind != kNumbers) continue;
      if (list->name() != "ownedprovinces" && list->name() != "controlledprovinces") continue;
      for (int i = 0; i < list->ItemCount(); ++i) ++counts[TruncateToInt32(list->NumberAt(i))];
    }
  }
  return counts;
}

bool IsPlaced(const std::unordered_map<int32_t, int32_t>& counts, int32_t province) {
  const auto found = counts.find(province);
  return found != counts.end() && found->second > 1;
}

// The number of air bases of a country with n owned provinces and s other technologies.
int32_t AirBaseCount(int32_t n, int32_t s) {
  if (s > 14 && n < 2) return 1;
  return RoundToInt32(n * (s < 15 ? 0.15 : 0.3));
}

int32_t OwnedCount(const ScriptNode* owned) { return owned->kind == kNumbers ? owned->ItemCount() : 0; }

// Base i of m is in the leading half, which takes every second owned province.
bool IsLeadingBase(int32_t m, int32_t i) { return i < m * 0.5 + 0.5; }

// The first base after the leading half: the least i >= 1 with i >= (m + 1) / 2.
int32_t FirstTrailingBase(int32_t m) { return std::max(1, (m + 2) / 2); }

// The province of base i > 0. With m at most 0.3 n + 0.5, positions 2i and
// 3i - 1 stay below n.
double AirBaseProvince(const ScriptNode* owned, double capital, int32_t m, int32_t i) {
  const int32_t a = TruncateToInt32(owned->NumberAt(2 * i));
  if (a == capital) return owned->NumberAt(2 * i - 1);
  if (IsLeadingBase(m, i)) return a;
  return owned->NumberAt(3 * i - 1);
}

// Sets the air base of base i of m unless a later write (by stamp) set it already.
void WriteAirBase(TargetProvinces& targets, double province, int32_t m, int32_t i, int32_t s,
                  uint64_t stamp) {
  const bool leading = IsLeadingBase(m, i);
  double size = 4;
  if (m > 6 && leading && i < 8 && s > 20)
    size = 10;
  else if (leading && i < 16 && s > 14)
    size = 5;
  else if (s < 10 && i != 1)
    size = 3;
  const std::optional<int32_t> id = WholeInt32(province);
  if (!id) return;
  ProvinceRecord* record = targets.FindRecord(*id);
  if (!record || record->airBaseStamp > stamp) return;
  record->airBaseSize = size;
  record->airBaseStamp = stamp;
}

// Bases first to last - 1 of a merge whose writing waited.
void WriteAirBases(TargetProvinces& targets, const PendingAirBases& bases, int32_t first,
                   int32_t last) {
  for (int32_t i = first; i < last; ++i)
    WriteAirBase(targets, AirBaseProvince(bases.owned, 0, bases.m, i), bases.m, i, bases.s,
                 bases.stamp + static_cast<uint64_t>(i));
}

// The marks that make a source province a claim. Each counts as a name among
// the province's children and grandchildren, or as a word of its children's
// lists. All three are looked for in one walk:
// province blocks are large, and walking them is most of the time spent here.
struct ClaimMarks {
  bool claim = false;
  bool project = false;
  bool nationalism = false;

  void Note(std::string_view word) {
    claim |= word == "claim";
    project |= word == "project";
    nationalism |= word == "nationalism";
  }
};

ClaimMarks MarksOf(const ScriptNode* province) {
  ClaimMarks marks;
  for (int i = 0; i < province->ItemCount(); ++i) {
    const ScriptNode* child = province->ChildAt(i);
    marks.Note(child->name());
    if (child->kind == kBlock) {
      for (int j = 0; j < child->ItemCount(); ++j) marks.Note(child->ChildAt(j)->name());
    } else if (child->HoldsText()) {
      for (int j = 0; j < child->ItemCount(); ++j) marks.Note(child->TextAt(j));
    }
  }
  return marks;
}

// The first share of a country for a target province in the list numbered list.
ProvinceShare* FindShare(TargetProvinces& targets, std::string_view country, size_t list,
                         double province) {
  const auto keyOf = [](const ProvinceShare& share) {
    return ShareKey(ListNumber(share.list), share.province, share.country);
  };
  const auto position = targets.shareIndex.Find(
      targets.shares, keyOf, ShareKey(static_cast<char>(list), province, country));
  return position ? &targets.shares[*position] : nullptr;
}

// The kept entries that hold one contested province, in order, as runs of
// entries of one country: a share's rival is the first entry of another country,
// which is the first entry of the first run or of the second.
class Holders {
 public:
  // The kept position of the first entry whose country is not this one.
  std::optional<size_t> FirstRival(std::string_view country) const {
    const Run* run = RivalRun(country);
    if (!run) return std::nullopt;
    return run->entries.front();
  }

  void RemoveFirstRival(std::string_view country) {
    const size_t r = runs_.front().country != country ? 0 : 1;
    runs_[r].entries.pop_front();
    if (!runs_[r].entries.empty()) return;
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(r));
    if (r == 1 && runs_.size() > 1 && runs_[0].country == runs_[1].country) JoinFirstRuns();
  }

  void Add(std::string_view country, size_t entry) {
    if (runs_.empty() || runs_.back().country != country) runs_.push_back({country, {}});
    runs_.back().entries.push_back(entry);
  }

 private:
  struct Run {
    std::string_view country;
    std::deque<size_t> entries;
  };

  const Run* RivalRun(std::string_view country) const {
    if (runs_.empty()) return nullptr;
    if (runs_.front().country != country) return &runs_.front();
    return runs_.size() > 1 ? &runs_[1] : nullptr;
  }

  // Joins the first two runs, of one country, moving the shorter one's entries.
  void JoinFirstRuns() {
    std::deque<size_t>& first = runs_[0].entries;
    std::deque<size_t>& second = runs_[1].entries;
    if (first.size() <= second.size()) {
      second.insert(second.begin(), first.begin(), first.end());
      runs_.pop_front();
    } else {
      first.insert(first.end(), second.begin(), second.end());
      runs_.erase(runs_.begin() + 1);
    }
  }

  std::deque<Run> runs_;
};

void SetAirBase(TargetProvinces& targets, double province, int32_t m, int32_t i, int32_t s) {
  WriteAirBase(targets, province, m, i, s, ++targets.airBaseStamp);
}

void ConvertProvinceList(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source,
                         int i, TargetProvinces& targets, std::vector<ProvinceId>& owned) {
  const std::string_view tag = target->TextOf("tag");
  const std::string& listKey = kTargetProvinceKeys[i];
  const ScriptNode* from = source->FirstChild(kSourceProvinceKeys[i]);
  ScriptNode* to = target->FirstChild(listKey);
  if (!from || !to || from->kind != kNumbers || !HoldsNumbers(to)) return;
  for (int v = 0; v < from->ItemCount(); ++v) {
    const ProvinceMap::TargetList* list = provinces.Find(TruncateToInt32(from->NumberAt(v)));
    if (!list) continue;
    if (ProvinceMap::IsMergeMarker(*list)) {
      const double weight = (*list)[1] - 3000;
      if (ProvinceShare* share = FindShare(targets, tag, i, list->front()))
        share->weight += weight;
      else
        targets.shares.push_back({std::string(tag), listKey, double(list->front()), weight});
      continue;
    }
    for (ProvinceId province : *list) {
      if (i < 2) targets.assigned.push_back(province);
      to->AddNumber(province);
      if (i != 0) continue;
      targets.reasons.try_emplace(province, OwnerReason::kDirect);
      owned.push_back(province);
    }
  }
}

// The shares in each owned province, in order.
std::map<ProvinceId, ProvinceContest> OwnedShares(const std::vector<ProvinceShare>& shares) {
  std::map<ProvinceId, ProvinceContest> contests;
  for (const ProvinceShare& share : shares) {
    if (ListNumber(share.list) != 0) continue;
    ProvinceContest& contest = contests[TruncateToInt32(share.province)];
    contest.province = TruncateToInt32(share.province);
    contest.shares.emplace_back(share.country, share.weight);
  }
  return contests;
}

// The owned provinces that more than one country had a share in, each with the
// country that kept it.
void NoteContests(std::map<ProvinceId, ProvinceContest>& contests, const std::vector<ProvinceShare>& kept,
                  std::vector<ProvinceContest>& out) {
  for (const ProvinceShare& share : kept) {
    const auto contest = contests.find(TruncateToInt32(share.province));
    if (ListNumber(share.list) != 0 || contest == contests.end() || !contest->second.winner.empty()) continue;
    contest->second.winner = share.country;
  }
  for (auto& entry : contests) {
    ProvinceContest& contest = entry.second;
    const std::string& first = contest.shares.front().first;
    const bool several = std::any_of(contest.shares.begin(), contest.shares.end(),
                                     [&first](const auto& share) { return share.first != first; });
    if (several) out.push_back(std::move(contest));
  }
}

}  // namespace

void BuildProvinceRecords(const ProvinceMap& provinces, TargetProvinces& targets) {
  provinces.ForEach([&targets](ProvinceId, const ProvinceMap::TargetList& list) {
    if (!ProvinceMap::IsMergeMarker(list)) {
      targets.ids.insert(targets.ids.end(), list.begin(), list.end());
    } else if (list[1] == 3003) {
      targets.ids.push_back(list[0]);
    }
  });
  targets.records.reserve(targets.ids.size());
  for (ProvinceId id : targets.ids) {
    ProvinceRecord record;
    record.id = id;
    targets.records.push_back(record);
  }
}

void CollectProvinceData(const ScriptNode& save, const ProvinceMap& provinces, const TagTables& tags,
                         SourceProvinces& facts) {
  for (int i = 0; i < save.ItemCount(); ++i) {
    const ScriptNode* province = save.ChildAt(i);
    if (province->name() != "province" || province->kind != kBlock) continue;
    const double id = province->NumberWithin("id", 0);
    const double railroad = province->NumberWithin("railroad_level", 0);
    const ClaimMarks marks = MarksOf(province);
    if ((marks.claim || marks.project) && id != 0 && !marks.nationalism)
      facts.claims.push_back({tags.ConvertTag(std::string(province->TextOf("claimant"))), id});
    double population = 0;
    for (int j = 0; j < province->ItemCount(); ++j) {
      const ScriptNode* pop = province->ChildAt(j);
      if (pop->name() == "pop") population += pop->NumberWithin("size", 0);
    }
    if (id != 0) {
      ProvinceInfo info;
      info.province = TruncateToInt32(id);
      info.facts.railroad = railroad;
      info.facts.population = population;
      facts.info.push_back(info);
      if (!provinces.Find(info.province)) facts.unmapped.push_back(info.province);
    }
  }
}

void AddProvinceLists(ScriptNode* target) {
  for (const std::string& key : kTargetProvinceKeys) target->AddChild(key);
}

double ConvertCapital(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source,
                      SourceProvinces& facts) {
  const double capital = source->NumberWithin("capital", 0);
  const ProvinceMap::TargetList* list = provinces.Find(TruncateToInt32(capital));
  if (list) AddNumberValue(target, "capital", list->front());
  if (ProvinceInfo* info = facts.Find(capital)) {
    info->facts.industry = 5;
    info->facts.capitalMark = 5;
  }
  return list ? list->front() : 0;
}

std::vector<ProvinceId> ConvertProvinceLists(const ProvinceMap& provinces, ScriptNode* target,
                                             const ScriptNode* source, TargetProvinces& targets) {
  std::vector<ProvinceId> owned;
  for (int i = 0; i < 3; ++i) ConvertProvinceList(provinces, target, source, i, targets, owned);
  return owned;
}

void AssignAirBases(ScriptNode* target, double capital, int32_t otherTechs, TargetProvinces& targets) {
  const ScriptNode* owned = target->FirstChild("ownedprovinces");
  if (!owned) return;
  const int32_t n = OwnedCount(owned);
  const int32_t s = otherTechs;
  const int32_t m = AirBaseCount(n, s);
  if (n > 0 && capital != 0) SetAirBase(targets, capital, m, 0, s);
  for (int32_t i = 1; i < m; ++i) SetAirBase(targets, AirBaseProvince(owned, capital, m, i), m, i, s);
}

void DeferAirBases(ScriptNode* target, int32_t otherTechs, TargetProvinces& targets) {
  const ScriptNode* owned = target->FirstChild("ownedprovinces");
  if (!owned) return;
  const int32_t s = otherTechs;
  const PendingAirBases next{owned, AirBaseCount(OwnedCount(owned), s), s, targets.airBaseStamp};
  targets.airBaseStamp += static_cast<uint64_t>(next.m);
  const auto [pending, first] = targets.pendingAirBases.try_emplace(owned, next);
  if (first) return;
  // Owned lists only grow while countries merge, so m only grows: the next merge
  // writes the same base again where base i keeps its side of the half.
  const PendingAirBases& last = pending->second;
  if (last.s == s && last.m <= next.m)
    WriteAirBases(targets, last, FirstTrailingBase(last.m), std::min(last.m, FirstTrailingBase(next.m)));
  else
    WriteAirBases(targets, last, 1, last.m);
  pending->second = next;
}

void FlushAirBases(TargetProvinces& targets) {
  for (const auto& [owned, pending] : targets.pendingAirBases) WriteAirBases(targets, pending, 1, pending.m);
  targets.pendingAirBases.clear();
}

void ClaimProvinces(const ProvinceMap& provinces, const ScriptNode& scenario,
                    const std::vector<ProvinceClaim>& claims, TargetProvinces& targets) {
  const std::unordered_map<int32_t, int32_t> placements = PlacementCounts(scenario);
  for (size_t k = 0; k < 2; ++k) {
    const std::string& listKey = kTargetProvinceKeys[k];
    for (const ProvinceClaim& claim : claims) {
      const ProvinceMap::TargetList* list = provinces.Find(TruncateToInt32(claim.province));
      if (!list) continue;
      if (ProvinceMap::IsMergeMarker(*list)) {
        const ProvinceId province = list->front();
        if (ProvinceShare* share = FindShare(targets, claim.claimant, k, province))
          share->weight += (*list)[1] - 3000;
        else if (!IsPlaced(placements, province))
          targets.shares.push_back({claim.claimant, listKey, double(province), 1.0, true});
        continue;
      }
      for (ProvinceId province : *list)
        if (!IsPlaced(placements, province))
          targets.shares.push_back({claim.claimant, listKey, double(province), 2.0, true});
    }
  }
}

void DecideSharedProvinces(TargetProvinces& targets) {
  std::vector<ProvinceShare>& shares = targets.shares;
  std::map<ProvinceId, ProvinceContest> contests = OwnedShares(shares);
  // The kept list, as positions in shares in their kept order, and for each
  // contested list and province the kept entries that hold it.
  std::vector<size_t> kept;
  std::vector<bool> removed;
  std::unordered_map<std::string, Holders> holders;
  for (size_t r = 0; r < shares.size(); ++r) {
    const ProvinceShare& share = shares[r];
    const char list = ListNumber(share.list);
    if (list == 2) {
      kept.push_back(r);
      removed.push_back(false);
      continue;
    }
    Holders& held = holders[ShareKey(list, share.province, {})];
    if (const std::optional<size_t> rival = held.FirstRival(share.country)) {
      if (share.weight <= shares[kept[*rival]].weight) continue;
      removed[*rival] = true;
      held.RemoveFirstRival(share.country);
    }
    held.Add(share.country, kept.size());
    kept.push_back(r);
    removed.push_back(false);
  }
  std::vector<ProvinceShare> winners;
  winners.reserve(kept.size());
  for (size_t w = 0; w < kept.size(); ++w)
    if (!removed[w]) winners.push_back(std::move(shares[kept[w]]));
  shares = std::move(winners);
  targets.shareIndex.Reset();
  NoteContests(contests, shares, targets.contests);
}

void WriteSharedProvinces(ScriptNode& scenario, TargetProvinces& targets) {
  std::unordered_map<std::string_view, std::vector<ScriptNode*>> countriesByTag;
  for (int c = 0; c < scenario.ItemCount(); ++c) {
    ScriptNode* country = scenario.ChildAt(c);
    if (country->name() != "country") continue;
    countriesByTag[country->TextOf("tag")].push_back(country);
  }
  for (const ProvinceShare& share : targets.shares) {
    const auto countries = countriesByTag.find(share.country);
    const char k = ListNumber(share.list);
    if (countries == countriesByTag.end() || k > 2) continue;
    for (ScriptNode* country : countries->second) {
      ScriptNode* list = country->FirstChild(kTargetProvinceKeys[k]);
      if (!list || !HoldsNumbers(list)) continue;
      if (k < 2) targets.assigned.push_back(TruncateToInt32(share.province));
      if (k == 0)
        targets.reasons.try_emplace(TruncateToInt32(share.province),
                                    share.fromClaim ? OwnerReason::kClaim : OwnerReason::kContestWon);
      list->AddNumber(share.province);
    }
  }
}
