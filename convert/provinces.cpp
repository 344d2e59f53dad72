// Provinces and ownership: which target provinces each country owns, controls
// and counts as national, the facts gathered per source province, claims, the
// contest for target provinces that several source provinces make up, and the
// air bases.
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/scenario_converter.h"
#include "refdata/province_map.h"
#include "script/number_format.h"

namespace {

// A list that numbers can be appended to: one of numbers, or one still empty.
bool HoldsNumbers(const ScriptNode* list) {
  return list->kind == kNumbers || (list->kind == kUntyped && list->ItemCount() == 0);
}

// Two values, the second above 3000: the source is one contributor to the
// first value's target province, with the marker minus 3000 as its weight.
bool IsMarkerList(const ProvinceMap::TargetList& list) {
  return list.size() == 2 && list[1] > 3000;
}

// The province list of a share as a small number: its place among the target
// lists, 3 for any other text (no lookup asks for one).
char ListNumber(const std::array<std::string, 3>& keys, std::string_view list) {
  for (size_t k = 0; k < keys.size(); ++k)
    if (keys[k] == list) return static_cast<char>(k);
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
std::unordered_map<int32_t, int32_t> PlacementCounts(const ScriptNode* root) {
  std::unordered_map<int32_t, int32_t> counts;
  for (int c = 0; c < root->ItemCount(); ++c) {
    const ScriptNode* country = root->ChildAt(c);
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

// The technology count outside the four thousand-ranges of a target tag.
int32_t OtherTechCount(const std::vector<TechCount>& techCounts, const std::string& tag) {
  for (const TechCount& count : techCounts)
    if (count.tag == tag) return count.cOther;
  return 0;
}

// A whole number within 32 bits as that number; nothing for any other value,
// which no integer id can equal.
std::optional<int32_t> WholeId(double value) {
  const int32_t id = TruncateToInt32(value);
  if (static_cast<double>(id) != value) return std::nullopt;
  return id;
}

// The marks that make a source province a claim. Each counts where HasWithin
// would find it: as a name among the province's children and grandchildren, or
// as a word of its children's lists. All three are looked for in one walk:
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
    } else if (child->kind == kWords || child->kind == kQuoted) {
      for (int j = 0; j < child->ItemCount(); ++j) marks.Note(child->TextAt(j));
    }
  }
  return marks;
}

// The first share of a country for a target province in the list numbered list.
ProvinceShare* FindShare(ScenarioConverter& converter, std::string_view country, size_t list,
                         double province) {
  const auto keyOf = [&keys = converter.targetProvinceKeys](const ProvinceShare& share) {
    return ShareKey(ListNumber(keys, share.list), share.province, share.country);
  };
  const auto position = converter.provinceShareIndex.Find(
      converter.provinceShares, keyOf, ShareKey(static_cast<char>(list), province, country));
  return position ? &converter.provinceShares[*position] : nullptr;
}

}  // namespace

void ScenarioConverter::CollectProvinceData() {
  for (int i = 0; i < sourceRoot->ItemCount(); ++i) {
    const ScriptNode* province = sourceRoot->ChildAt(i);
    if (province->name() != "province" || province->kind != kBlock) continue;
    const double id = NumberValueOf(province, "id", 0);
    const double railroad = NumberValueOf(province, "railroad_level", 0);
    const ClaimMarks marks = MarksOf(province);
    if ((marks.claim || marks.project) && id != 0 && !marks.nationalism)
      provinceClaims.push_back({ConvertTag(std::string(TextValueOf(province, "claimant"))), id});
    double population = 0;
    for (int j = 0; j < province->ItemCount(); ++j) {
      const ScriptNode* pop = province->ChildAt(j);
      if (pop->name() == "pop") population += NumberValueOf(pop, "size", 0);
    }
    if (id != 0) {
      ProvinceInfo info;
      info.province = TruncateToInt32(id);
      info.railroad = railroad;
      info.population = population;
      provinceInfo.push_back(info);
    }
  }
}

ProvinceInfo* ScenarioConverter::FindProvinceInfo(double province) {
  const std::optional<int32_t> id = WholeId(province);
  if (!id) return nullptr;
  const auto position = provinceInfoIndex.Find(
      provinceInfo, [](const ProvinceInfo& info) { return info.province; }, *id);
  return position ? &provinceInfo[*position] : nullptr;
}

std::string ScenarioConverter::ConvertTag(const std::string& tag) {
  const std::string& mother = motherMap[tag];
  if (!mother.empty()) return mother;
  return tagMap[tag];
}

double ScenarioConverter::ConvertCapital(const ProvinceMap& provinces, ScriptNode* target,
                                         const ScriptNode* source) {
  const double capital = NumberValueOf(source, "capital", 0);
  const ProvinceMap::TargetList* targets = provinces.Find(TruncateToInt32(capital));
  if (targets) AddNumberValue(target, "capital", targets->front());
  if (ProvinceInfo* info = FindProvinceInfo(capital)) {
    info->industry = 5;
    info->capitalMark = 5;
  }
  return targets ? targets->front() : 0;
}

void ScenarioConverter::ConvertProvinceLists(const ProvinceMap& provinces, ScriptNode* target,
                                             const ScriptNode* source) {
  for (int i = 0; i < 3; ++i) ConvertProvinceList(provinces, target, source, i);
}

void ScenarioConverter::ConvertProvinceList(const ProvinceMap& provinces, ScriptNode* target,
                                            const ScriptNode* source, int i) {
  const std::string_view tag = TextValueOf(target, "tag");
  const std::string& listKey = targetProvinceKeys[i];
  const ScriptNode* from = source->FirstChild(sourceProvinceKeys[i]);
  ScriptNode* to = target->FirstChild(listKey);
  if (!from || !to || from->kind != kNumbers || !HoldsNumbers(to)) return;
  for (int v = 0; v < from->ItemCount(); ++v) {
    const ProvinceMap::TargetList* targets = provinces.Find(TruncateToInt32(from->NumberAt(v)));
    if (!targets) continue;
    if (IsMarkerList(*targets)) {
      const double weight = (*targets)[1] - 3000;
      if (ProvinceShare* share = FindShare(*this, tag, i, targets->front()))
        share->weight += weight;
      else
        provinceShares.push_back({std::string(tag), listKey, double(targets->front()), weight});
      continue;
    }
    for (int16_t province : *targets) {
      if (i < 2) assignedProvinceIds.push_back(province);
      to->AddNumber(province);
    }
  }
}

void ScenarioConverter::AssignAirBases(ScriptNode* target, double capital, const std::string& tag) {
  const ScriptNode* owned = target->FirstChild("ownedprovinces");
  if (!owned) return;
  const int32_t n = owned->kind == kNumbers ? owned->ItemCount() : 0;
  const int32_t s = OtherTechCount(techCounts, tag);
  int32_t m = RoundToInt32(n * 0.3);
  if (s > 14 && n < 2)
    m = 1;
  else if (s < 15)
    m = RoundToInt32(n * 0.15);
  if (n > 0 && capital != 0) SetAirBase(capital, m, 0, s);
  // With m at most 0.3 n + 0.5, positions 2i and 3i - 1 stay below n.
  for (int32_t i = 1; i < m; ++i) {
    const int32_t a = TruncateToInt32(owned->NumberAt(2 * i));
    double chosen;
    if (a == capital)
      chosen = owned->NumberAt(2 * i - 1);
    else if (i < m * 0.5 + 0.5)
      chosen = a;
    else
      chosen = owned->NumberAt(3 * i - 1);
    SetAirBase(chosen, m, i, s);
  }
}

void ScenarioConverter::SetAirBase(double province, int32_t m, int32_t i, int32_t s) {
  const bool leading = i < m * 0.5 + 0.5;
  double size = 4;
  if (m > 6 && leading && i < 8 && s > 20)
    size = 10;
  else if (leading && i < 16 && s > 14)
    size = 5;
  else if (s < 10 && i != 1)
    size = 3;
  const std::optional<int32_t> id = WholeId(province);
  if (!id) return;
  if (ProvinceRecord* record = FindProvinceRecord(*id)) record->airBaseSize = size;
}

void ScenarioConverter::ClaimProvinces(const ProvinceMap& provinces) {
  const std::unordered_map<int32_t, int32_t> placements = PlacementCounts(root);
  for (size_t k = 0; k < 2; ++k) {
    const std::string& listKey = targetProvinceKeys[k];
    for (const ProvinceClaim& claim : provinceClaims) {
      const ProvinceMap::TargetList* targets = provinces.Find(TruncateToInt32(claim.province));
      if (!targets) continue;
      if (IsMarkerList(*targets)) {
        const int16_t province = targets->front();
        if (ProvinceShare* share = FindShare(*this, claim.claimant, k, province))
          share->weight += (*targets)[1] - 3000;
        else if (!IsPlaced(placements, province))
          provinceShares.push_back({claim.claimant, listKey, double(province), 1.0});
        continue;
      }
      for (int16_t province : *targets)
        if (!IsPlaced(placements, province))
          provinceShares.push_back({claim.claimant, listKey, double(province), 2.0});
    }
  }
}

void ScenarioConverter::DecideSharedProvinces() {
  // The kept list, as positions in provinceShares in their kept order, and for
  // each contested list and province the kept entries that hold it, in order.
  std::vector<size_t> kept;
  std::vector<bool> removed;
  std::unordered_map<std::string, std::vector<size_t>> holders;
  for (size_t r = 0; r < provinceShares.size(); ++r) {
    const ProvinceShare& share = provinceShares[r];
    const char list = ListNumber(targetProvinceKeys, share.list);
    if (list == 2) {
      kept.push_back(r);
      removed.push_back(false);
      continue;
    }
    std::vector<size_t>& held = holders[ShareKey(list, share.province, {})];
    auto rival = held.begin();
    while (rival != held.end() && provinceShares[kept[*rival]].country == share.country) ++rival;
    if (rival != held.end()) {
      if (share.weight <= provinceShares[kept[*rival]].weight) continue;
      removed[*rival] = true;
      held.erase(rival);
    }
    held.push_back(kept.size());
    kept.push_back(r);
    removed.push_back(false);
  }
  std::vector<ProvinceShare> winners;
  winners.reserve(kept.size());
  for (size_t w = 0; w < kept.size(); ++w)
    if (!removed[w]) winners.push_back(std::move(provinceShares[kept[w]]));
  provinceShares = std::move(winners);
  provinceShareIndex.Reset();
}

void ScenarioConverter::WriteSharedProvinces() {
  std::unordered_map<std::string_view, std::vector<ScriptNode*>> countriesByTag;
  for (int c = 0; c < root->ItemCount(); ++c) {
    ScriptNode* country = root->ChildAt(c);
    if (country->name() != "country") continue;
    countriesByTag[TextValueOf(country, "tag")].push_back(country);
  }
  for (const ProvinceShare& share : provinceShares) {
    const auto countries = countriesByTag.find(share.country);
    const char k = ListNumber(targetProvinceKeys, share.list);
    if (countries == countriesByTag.end() || k > 2) continue;
    for (ScriptNode* country : countries->second) {
      ScriptNode* list = country->FirstChild(targetProvinceKeys[k]);
      if (!list || !HoldsNumbers(list)) continue;
      if (k < 2) assignedProvinceIds.push_back(TruncateToInt32(share.province));
      list->AddNumber(share.province);
    }
  }
}
